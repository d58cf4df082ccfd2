#include "support/testenvironment.h"

#include "settings/keys.h"

#include <optional>
#include <QUuid>

#include <windows.h>

namespace {

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString sectionKey()
{
    return QStringLiteral("Software\\VB and VBA Program Settings\\") + SettingsKeys::AppName +
           QLatin1Char('\\') + SettingsKeys::Section;
}

// The string value as a reader of the registry sees it, or nothing.
std::optional<QString> registryText(const QString& key)
{
    wchar_t text[4096];
    DWORD size = sizeof text;
    if (RegGetValueW(HKEY_CURRENT_USER, wide(sectionKey()), wide(key), RRF_RT_REG_SZ, nullptr, text,
                     &size) != ERROR_SUCCESS)
        return std::nullopt;
    return QString::fromWCharArray(text);
}

} // namespace

TemporarySettings::TemporarySettings()
    : m_registryKey(QStringLiteral("Software\\Vokabo tests\\") +
                    QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide(m_registryKey), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
        qFatal("cannot make a private registry key for the test");
    // From here on HKEY_CURRENT_USER names the private key throughout this process.
    if (RegOverridePredefKey(HKEY_CURRENT_USER, key) != ERROR_SUCCESS)
        qFatal("cannot put a private registry key in place of the user's");
    RegCloseKey(key);
}

TemporarySettings::~TemporarySettings()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegDeleteTreeW(HKEY_CURRENT_USER, wide(m_registryKey));
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Vokabo tests"); // only once it is empty
}

QString TemporarySettings::FilePath() const
{
    return {};
}

QByteArray TemporarySettings::FileBytes() const
{
    return {};
}

QString TemporarySettings::Stored(const QString& key) const
{
    return registryText(key).value_or(QString());
}

bool TemporarySettings::Has(const QString& key) const
{
    return registryText(key).has_value();
}

QString TemporarySettings::StoredByEarlierVersions(const QString& key) const
{
    return Stored(key);
}

void TemporarySettings::Store(const QString& key, const QString& value)
{
    RegSetKeyValueW(HKEY_CURRENT_USER, wide(sectionKey()), wide(key), REG_SZ, value.utf16(),
                    DWORD((value.size() + 1) * sizeof(wchar_t)));
}
