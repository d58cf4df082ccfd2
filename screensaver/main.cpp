#include "dialog/platformdialogs.h"
#include "dialog/qtczech.h"
#include "lessons/lessonfolder.h"
#include "screensaver/commandline.h"
#include "screensaver/program.h"
#include "screensaver/singleinstance.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    InstallQtCzech();

    SingleInstance instance(SingleInstance::DefaultLockFolder());
    QtPlatformDialogs dialogs;
    Program program({ArgumentString(QApplication::arguments()), instance.PrevInstance(),
                     LessonsFolderBesideProgram(), &dialogs});
    QObject::connect(&program, &Program::finished, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    if (!program.Start())
        return 0;
    return QApplication::exec();
}
