#include "dialog/qtczech.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool InstallQtCzech()
{
    auto* translator = new QTranslator(QCoreApplication::instance());
    // Qt's own folder on Linux; a Windows installation carries the catalogue beside the
    // program.
    for (const QString& folder :
         {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
          QCoreApplication::applicationDirPath() + QStringLiteral("/translations")}) {
        if (translator->load(QStringLiteral("qtbase_cs"), folder))
            return QCoreApplication::installTranslator(translator);
    }
    delete translator;
    return false;
}
