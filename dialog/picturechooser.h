#pragma once

#include <QString>

// The file filters of the picture chooser: the JPEG filter it has always opened with, for
// either spelling of the extension, then every format the picture loader reads.
QString PictureFilters();

// Where the picture chooser opens: at the current picture, or in its folder when the file
// is gone; without one in the user's Pictures folder, else at home. Never at the root of
// the file system, which is the working folder of a saver that the system starts.
QString PictureChooserStart(const QString& currentPicture);
