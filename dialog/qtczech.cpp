#include "dialog/qtczech.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtCzech()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Qt's own folder on Linux; the Windows program carries the catalogue inside itself.
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath), QStringLiteral(":/translations")}) {
        if (translator->load(QStringLiteral("qtbase_cs"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
