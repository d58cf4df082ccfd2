#pragma once

#include "platform/windows1250.h"
#include <QByteArray>
#include <QString>

// Lesson text shaped like the bundled lessons, in their Windows-1250, for the benchmarks.
inline QByteArray windows1250(const QString& text)
{
    return Windows1250::Encode(text).value_or(QByteArray());
}

// One entry of six lines and its terminator, with paddingLines more lines the saver skips.
inline QByteArray entry(int index, int paddingLines)
{
    QString text = QStringLiteral("word %1\r\n[word]\r\npodstatné jméno\r\nslovo %1, slovíčko\r\n"
                                  "mn. č. words\r\nThe word %1 is short.|Slovo %1 je krátké.\r\n")
                       .arg(index);
    for (int line = 0; line < paddingLines; ++line)
        text += QStringLiteral("Další poznámka k tomuto slovu, která se nečte: %1.\r\n").arg(line);
    text += QStringLiteral("--\r\n");
    return windows1250(text);
}
