#pragma once

#include <QDBusServiceWatcher>
#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>

// One yes-or-no state that a desktop service on the session bus keeps: asked when the
// service appears and again on each signal that says it may have changed. A service that is
// not there, or goes away, counts as no.
class DBusFlag : public QObject {
    Q_OBJECT
public:
    struct Query {
        QString service;
        QString path;
        QString interface;
        QString method;
        QVariantList arguments;
        QStringList changeSignals;
    };

    DBusFlag(Query query, QObject* parent);

    bool Value() const { return m_value; }

signals:
    void Changed(bool value);

private slots:
    void ask();

private:
    void set(bool value);

    Query m_query;
    QDBusServiceWatcher m_watcher;
    bool m_value = false;
};

// Whether an application holds the desktop's idleness back (a film, a presentation, a call)
// and whether the desktop's lock screen is up, from every desktop service that tells.
class DesktopState : public QObject {
    Q_OBJECT
public:
    explicit DesktopState(QObject* parent = nullptr);

    bool Inhibited() const;
    bool Locked() const;

signals:
    void InhibitedChanged(bool inhibited);
    void LockedChanged(bool locked);

private:
    QList<DBusFlag*> m_inhibitors;
    QList<DBusFlag*> m_locks;
    bool m_inhibited = false;
    bool m_locked = false;
};
