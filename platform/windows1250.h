#pragma once

#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The Windows-1250 code page, in which Czech text was written before UTF-8: older lessons,
// word lists that spreadsheet programs save. Every byte is one character; the five bytes the
// code page leaves undefined (0x81, 0x83, 0x88, 0x90, 0x98) read as the control characters of
// the same number, as the system's own converter reads them.
namespace Windows1250 {

QString Decode(QByteArrayView bytes);

// The text's bytes, or nothing when a character has no byte of its own in the code page.
// The undefined bytes are never written.
std::optional<QByteArray> Encode(QStringView text);

} // namespace Windows1250
