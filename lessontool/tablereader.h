#pragma once

#include "lessontool/wordlist.h"

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QStringView>

// The text of a word list file: UTF-16 when it starts with that byte-order mark (a
// spreadsheet's "Unicode text"), UTF-8 (a mark or not) when the bytes are valid UTF-8, else
// Windows-1250, in which Czech spreadsheets save.
QString DecodeWordListText(const QByteArray& bytes);

// The separator of a CSV file: a comma, a semicolon (which a Czech spreadsheet uses, the comma
// being its decimal mark) or a tab, whichever gives the first rows two columns or more.
QChar DetectCsvSeparator(QStringView text);

// RFC 4180: records end at a line end (CR LF, LF or CR), fields are separated by the
// separator, and a field in double quotes may hold separators, line breaks and quotes
// written twice. Blank lines are left out. A quote never closed, or text after a closing
// quote, marks the row as malformed.
QList<TableRow> ReadCsv(QStringView text, QChar separator = QLatin1Char(','));

// One row a line, fields separated by tabs, no quoting. Blank lines are left out.
QList<TableRow> ReadTsv(QStringView text);
