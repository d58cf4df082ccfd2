#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The platform's colour and file-open dialogs, behind an interface that tests answer
// without a modal window.
class PlatformDialogs {
public:
    virtual ~PlatformDialogs() = default;
    // True and the chosen colour, or false when the user cancelled.
    virtual bool ChooseColour(QWidget* parent, QColor& colour) = 0;
    // True and the chosen file's full path, or false when the user cancelled.
    virtual bool ChooseFile(QWidget* parent, const QString& filter, QString& fileName) = 0;
};

class QtPlatformDialogs : public PlatformDialogs {
public:
    bool ChooseColour(QWidget* parent, QColor& colour) override;
    bool ChooseFile(QWidget* parent, const QString& filter, QString& fileName) override;
};
