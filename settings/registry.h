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

    // RegGet fails only when the store cannot be read at all; a key without a value reads as
    // empty text and is no failure. RegSave and RegDel succeed when the change is on disk,
    // or when there was nothing to change.
    bool RegGet();
    bool RegSave();
    bool RegDel();

private:
    QString sAppName;
    QString sSection;
    QString sKey;
    QString sSetting;
};
