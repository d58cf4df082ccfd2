#pragma once

#include <QString>
#include <QtGlobal>

class PlatformDialogs;
class QWidget;

// The colour and file-open dialogs of the settings window, shared by its four choosers. It
// remembers the last colour and file name between uses, and a cancelled dialog leaves
// them as they were.
class CommonDialog {
public:
    CommonDialog(PlatformDialogs& dialogs, QWidget* owner) : m_dialogs(dialogs), m_owner(owner) {}

    quint32 Color() const { return m_color; }
    void SetColor(quint32 colourNumber) { m_color = colourNumber; }
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString& fileName) { m_fileName = fileName; }
    // A name filter as the file dialog shows it: "description (*.ext)".
    QString Filter() const { return m_filter; }
    void SetFilter(const QString& filter) { m_filter = filter; }
    // Where the file dialog opens while no file name is set.
    void SetInitDir(const QString& folder) { m_initDir = folder; }

    void ShowColor();
    void ShowOpen();

private:
    PlatformDialogs& m_dialogs;
    QWidget* m_owner;
    quint32 m_color = 0;
    QString m_fileName;
    QString m_filter;
    QString m_initDir;
};
