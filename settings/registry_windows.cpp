#include "settings/registry.h"

#include <cwchar>
#include <vector>

#include <windows.h>

// The store is the registry key where settings of an application name have always been kept
// on Windows: one subkey per section, one REG_SZ value per key, each read and written as the
// plain text it is.

namespace {

const wchar_t* wide(const QString& text)
{
    return reinterpret_cast<const wchar_t*>(text.utf16());
}

QString sectionKey(const QString& appName, const QString& section)
{
    return QStringLiteral("Software\\VB and VBA Program Settings\\") + appName + QLatin1Char('\\') +
           section;
}

// The section's key, open for the length of one call. A missing key is no failure: it holds
// no values.
class OpenSection {
public:
    OpenSection(const QString& appName, const QString& section, REGSAM access)
        : m_status(RegOpenKeyExW(HKEY_CURRENT_USER, wide(sectionKey(appName, section)), 0, access,
                                 &m_key))
    {
    }
    ~OpenSection()
    {
        if (m_status == ERROR_SUCCESS)
            RegCloseKey(m_key);
    }
    Q_DISABLE_COPY(OpenSection)

    bool Open() const { return m_status == ERROR_SUCCESS; }
    bool Missing() const { return m_status == ERROR_FILE_NOT_FOUND; }
    HKEY Key() const { return m_key; }

private:
    HKEY m_key = nullptr;
    LSTATUS m_status;
};

} // namespace

bool registry::RegGet()
{
    sSetting.clear();
    const OpenSection section(sAppName, sSection, KEY_QUERY_VALUE);
    if (!section.Open())
        return section.Missing();
    DWORD type = 0;
    DWORD size = 0;
    std::vector<wchar_t> buffer;
    LSTATUS status = ERROR_MORE_DATA;
    // Another process may make the value longer between the two calls.
    while (status == ERROR_MORE_DATA) {
        status = RegQueryValueExW(section.Key(), wide(sKey), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS)
            break;
        buffer.assign(size / sizeof(wchar_t) + 1, L'\0');
        status = RegQueryValueExW(section.Key(), wide(sKey), nullptr, &type,
                                  reinterpret_cast<BYTE*>(buffer.data()), &size);
    }
    if (status == ERROR_FILE_NOT_FOUND)
        return true;
    if (status != ERROR_SUCCESS)
        return false;
    // A value of another type, put there by hand, is no text of this program's and reads as
    // none. A string ends at its first null, stored or not.
    if (type == REG_SZ || type == REG_EXPAND_SZ)
        sSetting = QString::fromWCharArray(
            buffer.data(), qsizetype(wcsnlen(buffer.data(), size / sizeof(wchar_t))));
    return true;
}

bool registry::RegSave()
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, wide(sectionKey(sAppName, sSection)), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LSTATUS status =
        RegSetValueExW(key, wide(sKey), 0, REG_SZ, reinterpret_cast<const BYTE*>(sSetting.utf16()),
                       DWORD((sSetting.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool registry::RegDel()
{
    const OpenSection section(sAppName, sSection, KEY_SET_VALUE);
    if (!section.Open())
        return section.Missing();
    const LSTATUS status = RegDeleteValueW(section.Key(), wide(sKey));
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}
