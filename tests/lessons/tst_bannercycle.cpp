#include "lessons/bannercycle.h"
#include "lessons/sitetexts.h"

#include <QtTest>
#include <map>

namespace {

class FakeBanner : public BannerControls {
public:
    void SetVisible(BannerControl c, bool v) override
    {
        visible[c] = v;
        order += QString::number(int(c));
    }
    void SetCaption(BannerControl c, const QString& text) override { captions[c] = text; }
    int Left(BannerControl c) const override { return c == BannerControl::Shape2 ? -120 : 840; }
    int Width(BannerControl c) const override { return widths.count(c) ? widths.at(c) : 0; }
    void SetWidth(BannerControl c, int w) override { widths[c] = w; }

    bool shown() const
    {
        bool all = true, none = true;
        for (auto c : {BannerControl::Shape2, BannerControl::Image2, BannerControl::Label1, BannerControl::Label2, BannerControl::Label3}) {
            const bool v = visible.count(c) && visible.at(c);
            all = all && v;
            none = none && !v;
        }
        if (!all && !none)
            qFatal("banner half shown");
        return all;
    }

    std::map<BannerControl, bool> visible;
    std::map<BannerControl, QString> captions;
    std::map<BannerControl, int> widths;
    QString order;
};

} // namespace

class TestBannerCycle : public QObject {
    Q_OBJECT
private slots:
    void rhythm_data();
    void rhythm();
    void afterLoadShowsLessonThenStandingCaptions();
    void plateFollowsTheFirstLine();
};

void TestBannerCycle::rhythm_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("pattern"); // per tick: + shown, - hidden
    QTest::newRow("from a fresh window") << 0 << QStringLiteral("-------------------++++++++++--------------------++++++++++-");
    QTest::newRow("right after a load") << 19 << QStringLiteral("++++++++++--------------------++++++++++");
    QTest::newRow("a load while shown restarts the ten") << 19 << QStringLiteral("++++++++++");
}

void TestBannerCycle::rhythm()
{
    QFETCH(int, start);
    QFETCH(QString, pattern);
    FakeBanner banner;
    qint16 tick = static_cast<qint16>(start);
    QString seen;
    for (int i = 0; i < pattern.size(); ++i) {
        BannerTick(tick, banner);
        seen += banner.shown() ? QLatin1Char('+') : QLatin1Char('-');
    }
    QCOMPARE(seen, pattern);
}

void TestBannerCycle::afterLoadShowsLessonThenStandingCaptions()
{
    FakeBanner banner;
    banner.captions[BannerControl::Label1] = LessonBannerCaption(QStringLiteral("Zvířata"));
    banner.captions[BannerControl::Label2] = LessonBannerHint();
    qint16 tick = 19;
    BannerTick(tick, banner);
    QVERIFY(banner.shown());
    QCOMPARE(banner.captions[BannerControl::Label1], QStringLiteral("Vokabo - Zvířata"));
    for (int i = 0; i < 9; ++i)
        BannerTick(tick, banner);
    QVERIFY(banner.shown());
    BannerTick(tick, banner);
    QVERIFY(!banner.shown());
    QCOMPARE(tick, qint16(0));
    QCOMPARE(banner.captions[BannerControl::Label1], SiteAddress());
    QCOMPARE(banner.captions[BannerControl::Label3], SiteAddress());
    QCOMPARE(banner.captions[BannerControl::Label2], QStringLiteral("angličtina na internetu zdarma"));
}

void TestBannerCycle::plateFollowsTheFirstLine()
{
    FakeBanner banner;
    banner.widths[BannerControl::Label1] = 4000;
    qint16 tick = 19;
    BannerTick(tick, banner);
    QCOMPARE(banner.widths[BannerControl::Shape2], 4000 + 840 + 120 + 1000);
    QCOMPARE(banner.widths[BannerControl::Label2], 4000);
    banner.widths[BannerControl::Label1] = 6000; // a longer title
    BannerTick(tick, banner);
    QCOMPARE(banner.widths[BannerControl::Shape2], 6000 + 840 + 120 + 1000);
    QCOMPARE(banner.widths[BannerControl::Label2], 6000);
}

QTEST_GUILESS_MAIN(TestBannerCycle)
#include "tst_bannercycle.moc"
