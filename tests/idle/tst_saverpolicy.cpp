#include "idle/saverpolicy.h"

#include <functional>
#include <map>
#include <QtTest>

using Action = SaverPolicy::Action;
Q_DECLARE_METATYPE(Action)

class TestSaverPolicy : public QObject {
    Q_OBJECT
private slots:
    void reports_data();
    void reports();
};

namespace {
QStringList words(const char* text)
{
    return QString::fromLatin1(text).split(QLatin1Char(' '));
}
} // namespace

// Each row is what the desktop reports, in order, and what the policy must answer to each.
void TestSaverPolicy::reports_data()
{
    QTest::addColumn<QStringList>("events");
    QTest::addColumn<QList<Action>>("actions");
    const auto start = Action::StartSaver;
    const auto none = Action::None;
    const auto stop = Action::StopSaver;
    const auto restart = Action::RestartIdleTiming;

    QTest::newRow("idle starts the saver") << words("idle") << QList{start};
    QTest::newRow("no second saver while one runs")
        << words("idle active idle") << QList{start, none, none};
    QTest::newRow("a saver that failed to start leaves the next idle period its turn")
        << words("idle ended active idle") << QList{start, none, none, start};
    QTest::newRow("an inhibitor keeps it from starting")
        << words("inhibit idle") << QList{none, none};
    QTest::newRow("an inhibitor released while the user stays away counts a new period")
        << words("inhibit idle release") << QList{none, none, restart};
    QTest::newRow("an inhibitor released after the user came back changes nothing")
        << words("inhibit idle active release") << QList{none, none, none, none};
    QTest::newRow("an inhibitor taken over a running saver leaves it")
        << words("idle inhibit release") << QList{start, none, none};
    QTest::newRow("a lock screen coming up ends the saver")
        << words("idle lock") << QList{start, stop};
    QTest::newRow("nothing starts over a lock screen")
        << words("lock idle ended") << QList{none, none, none};
    QTest::newRow("unlocked while the user stays away counts a new period")
        << words("lock idle unlock") << QList{none, none, restart};
    QTest::newRow("unlocked while still inhibited waits for the inhibitor")
        << words("lock inhibit idle unlock release") << QList{none, none, none, none, restart};
    QTest::newRow("the lock that ended the saver is no idle period of its own")
        << words("idle lock ended unlock active idle")
        << QList{start, stop, none, restart, none, start};
}

void TestSaverPolicy::reports()
{
    QFETCH(QStringList, events);
    QFETCH(QList<Action>, actions);
    SaverPolicy policy;
    const std::map<QString, std::function<Action()>> report{
        {QStringLiteral("idle"), [&] { return policy.UserIdle(); }},
        {QStringLiteral("active"), [&] { return policy.UserActive(); }},
        {QStringLiteral("inhibit"), [&] { return policy.InhibitedChanged(true); }},
        {QStringLiteral("release"), [&] { return policy.InhibitedChanged(false); }},
        {QStringLiteral("lock"), [&] { return policy.LockedChanged(true); }},
        {QStringLiteral("unlock"), [&] { return policy.LockedChanged(false); }},
        {QStringLiteral("ended"), [&] { return policy.SaverEnded(); }},
    };
    QList<Action> answered;
    for (const QString& event : events)
        answered << report.at(event)();
    QCOMPARE(answered, actions);
}

QTEST_GUILESS_MAIN(TestSaverPolicy)
#include "tst_saverpolicy.moc"
