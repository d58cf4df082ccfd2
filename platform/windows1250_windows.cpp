#include "platform/windows1250.h"

#include <windows.h>

// Windows converts the code page itself.

namespace {

constexpr UINT CodePage = 1250;

bool isUndefined(char16_t c)
{
    return c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
}

} // namespace

namespace Windows1250 {

QString Decode(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return {};
    QString text(bytes.size(), Qt::Uninitialized);
    const int written =
        MultiByteToWideChar(CodePage, 0, bytes.data(), int(bytes.size()),
                            reinterpret_cast<wchar_t*>(text.data()), int(text.size()));
    text.resize(written);
    return text;
}

std::optional<QByteArray> Encode(QStringView text)
{
    if (text.isEmpty())
        return QByteArray();
    for (const QChar c : text)
        if (isUndefined(c.unicode()))
            return std::nullopt;
    QByteArray bytes(text.size(), Qt::Uninitialized);
    BOOL usedDefault = FALSE;
    const int written = WideCharToMultiByte(
        CodePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<const wchar_t*>(text.utf16()),
        int(text.size()), bytes.data(), int(bytes.size()), nullptr, &usedDefault);
    if (written != text.size() || usedDefault)
        return std::nullopt;
    return bytes;
}

} // namespace Windows1250
