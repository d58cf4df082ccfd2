#include "lessontool/lessontool.h"
#include "platform/console.h"

#include <cstdio>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    ShowUtf8InConsole();
    const QStringList texts = QCoreApplication::arguments();
    QList<ToolArgument> arguments;
    for (int i = 1; i < argc && i < texts.size(); ++i)
        arguments.append({texts.at(i), QByteArray(argv[i])});
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunLessonTool(arguments, out, err);
}
