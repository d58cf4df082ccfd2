#pragma once

#include <QString>

// One text value of the per-user settings store, addressed by application, section and key.
// Every RegGet goes to the store, so values written meanwhile by another process are seen.
class registry {
public:
    QString Appname() const { return sAppName; }
    void setAppname(const QString& value) { sAppName = value; }
    QString Section() const { return sSection; }
    void setSection(const QString& value) { sSection = value; }
    QString Key() const { return sKey; }
    void setKey(const QString& value) { sKey = value; }
    QString Setting() const { return sSetting; }
    void setSetting(const QString& value) { sSetting = value; }

    // Each returns false when the store could not be read or written; a key without a
    // value is not a failure and reads as empty text.
    bool RegGet();
    bool RegSave();
    bool RegDel();

private:
    QString sAppName;
    QString sSection;
    QString sKey;
    QString sSetting;
};
