// Any bytes as the settings file: the start-up readers must take what they can and never
// fail; the numeric readers must agree with each other.
#include "screensaver/settingsatstart.h"
#include "settings/numeric.h"
#include "settings/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdlib>
#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    const QString folder = QDir::tempPath() + QStringLiteral("/vokabo-settings-fuzz");
    QDir().mkpath(folder);
    qputenv("XDG_CONFIG_HOME", folder.toLocal8Bit());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    const QString text = QString::fromUtf8(bytes);
    const auto value = NumericValue(text);
    if (value.has_value() != IsNumeric(text))
        std::abort();
    if (value) {
        const qint16 delay = ToInteger16(*value);
        if (*value >= 32767 && delay != 32767)
            std::abort();
    }
    if (const auto colour = ColourNumberFromText(text))
        if (ColourNumberFromText(ColourNumberToText(*colour)) != colour)
            std::abort();

    QFile file(SettingsFilePath(QStringLiteral("VKB_S")));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        file.write(bytes);
        file.close();
    }
    auto vars = std::make_unique<SaverVariables>();
    ReadSettingsAtStart(*vars);
    if (vars->CzechFirst != VbTrue && vars->CzechFirst != VbFalse)
        std::abort();
    if (vars->PlacementMode < 0 || vars->PlacementMode > 4)
        std::abort();
    return 0;
}
