#pragma once

#include <QByteArray>
#include <QString>

// Makes Vokabo the display mode that xscreensaver runs, in the user's ~/.xscreensaver: its
// programs list gains an entry for Vokabo (or an existing, disabled one is enabled), and
// "mode" and "selected" point at it. Everything else in the file stays as it was, comments
// included. xscreensaver reads the file again by itself.
namespace XScreensaverConfig {

// The text of the file with Vokabo chosen; the same text when it is chosen already. An
// empty text stands for a file that does not exist yet.
QByteArray WithVokabo(const QByteArray& text);

QString Path(); // $HOME/.xscreensaver

struct Outcome {
    QString error;  // empty on success
    QString backup; // where the file as it was went; empty when nothing was replaced
    bool changed = false;
};

// Writes the changed file, keeping the file as it was beside it under a name no earlier
// backup has.
Outcome ChooseVokabo(const QString& path);

} // namespace XScreensaverConfig
