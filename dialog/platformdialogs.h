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
    // True and the chosen file's full path, or false when the user cancelled. A file name
    // passed in is where the dialog starts.
    virtual bool ChooseFile(QWidget* parent, const QString& filter, QString& fileName) = 0;
    // Tells the user that something they asked for did not happen.
    virtual void ReportFailure(QWidget* parent, const QString& message)
    {
        Q_UNUSED(parent);
        Q_UNUSED(message);
    }
};

class QtPlatformDialogs : public PlatformDialogs {
public:
    bool ChooseColour(QWidget* parent, QColor& colour) override;
    bool ChooseFile(QWidget* parent, const QString& filter, QString& fileName) override;
    void ReportFailure(QWidget* parent, const QString& message) override;
};
