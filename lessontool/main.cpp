#include "lessontool/lessontool.h"

#include <cstdio>
#include <QCoreApplication>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunLessonTool(QCoreApplication::arguments().mid(1), out, err);
}
