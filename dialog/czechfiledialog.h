#pragma once

#include <QFileDialog>
#include <QLocale>

// Makes Czech the default locale for as long as it lives, then puts back the one before.
class CzechDefaultLocale {
public:
    CzechDefaultLocale();
    ~CzechDefaultLocale();
    Q_DISABLE_COPY(CzechDefaultLocale)

private:
    QLocale m_before;
};

// Qt's own file-open dialog, Czech in all it shows whatever the system's language: its
// words come from Qt's Czech catalogue (InstallQtCzech), the names of file types follow the
// default locale, which is Czech while the dialog lives, and sizes and dates, which Qt
// writes in the system's language, are written again in Czech. The platform's own dialog
// would speak the system's language. The locale comes first among the bases, so that it is
// Czech before the dialog's file model exists and until that model is gone; that order is why
// the class has no meta-object of its own.
class CzechFileDialog : private CzechDefaultLocale, public QFileDialog {
public:
    // start: a folder, or a file that is selected in its folder.
    CzechFileDialog(QWidget* parent, const QString& filter, const QString& start);
};
