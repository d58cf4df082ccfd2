#pragma once

#include <QObject>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP as an event of the event loop, so that the watcher ends
// cleanly when the session or "--disable" asks it to.
class Termination : public QObject {
    Q_OBJECT
public:
    explicit Termination(QObject* parent = nullptr);
    ~Termination() override;

signals:
    void Requested();

private:
    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
};
