#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

// The saver as a process of its own: the watcher stays small, and a saver that fails takes
// nothing else with it.
class SaverLauncher : public QObject {
    Q_OBJECT
public:
    explicit SaverLauncher(QString program, QObject* parent = nullptr);
    // A watcher that ends takes its saver with it, as gently as anything else would.
    ~SaverLauncher() override;

    void Start();
    // Asks the saver to end; it leaves at once and stores nothing.
    void Stop();

    // The saver installed beside this program, else the one on the PATH.
    static QString SaverBesideProgram();

signals:
    // The saver ended in any way, or could not be started at all.
    void Ended();

private:
    QString m_program;
    QProcess m_process;
};
