#pragma once

#include "lessontool/wordlist.h"

#include <QByteArray>
#include <QList>
#include <QStringView>

// The text of a word list file: UTF-8 (a byte-order mark or not) when the bytes are valid
// UTF-8, else Windows-1250, the two encodings Czech lists come in.
QString DecodeWordListText(const QByteArray& bytes);

// RFC 4180: records end at a line end (CR LF, LF or CR), fields are separated by commas, and
// a field in double quotes may hold commas, line breaks and quotes written twice. Blank
// lines are left out. A quote never closed, or text after a closing quote, marks the row
// as malformed.
QList<TableRow> ReadCsv(QStringView text);

// One row a line, fields separated by tabs, no quoting. Blank lines are left out.
QList<TableRow> ReadTsv(QStringView text);
