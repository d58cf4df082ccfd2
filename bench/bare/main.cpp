// The floor that any Qt program pays for what the saver shows: one full-screen window,
// four plain labels and two one-second timers doing the same visible work (a word, its
// translation three seconds later, a new word every seven, a banner ten seconds in thirty).

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWidget>

namespace {

QLabel* makeLabel(QWidget* parent, const QString& text, int x, int y, int pointSize)
{
    auto* label = new QLabel(text, parent);
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(pointSize);
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white"));
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    QWidget window(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    window.setWindowTitle(QStringLiteral("bare"));
    window.setStyleSheet(QStringLiteral("background: black"));
    window.setCursor(Qt::BlankCursor);

    QLabel* banner = makeLabel(&window, QStringLiteral("Vokabo - Zvířata"), 56, 0, 20);
    QLabel* slogan = makeLabel(&window, QStringLiteral("skupinu změníte mezerníkem"), 56, 32, 8);
    QLabel* first = makeLabel(&window, QStringLiteral("pes"), 300, 300, 20);
    QLabel* second = makeLabel(&window, QStringLiteral("dog"), 300, 341, 20);
    second->hide();

    const QStringList czech{QStringLiteral("pes"), QStringLiteral("kočka"), QStringLiteral("kůň")};
    const QStringList english{QStringLiteral("dog"), QStringLiteral("cat"), QStringLiteral("horse")};
    int wordTick = 1;
    int bannerTick = 20;
    int entry = 0;

    QTimer wordTimer;
    QObject::connect(&wordTimer, &QTimer::timeout, [&] {
        if (wordTick == 0) {
            entry = (entry + 1) % czech.size();
            first->setText(czech[entry]);
            second->setText(english[entry]);
            first->adjustSize();
            second->adjustSize();
            const int x = 100 + (entry * 211) % 600;
            const int y = 100 + (entry * 157) % 400;
            first->move(x, y);
            second->move(x, y + first->height());
            second->hide();
        } else if (wordTick >= 6) {
            wordTick = -1;
        } else if (wordTick >= 3) {
            second->show();
        }
        ++wordTick;
    });
    QTimer bannerTimer;
    QObject::connect(&bannerTimer, &QTimer::timeout, [&] {
        ++bannerTick;
        if (bannerTick >= 30) {
            banner->hide();
            slogan->hide();
            bannerTick = 0;
        } else if (bannerTick >= 20) {
            banner->show();
            slogan->show();
        }
    });
    wordTimer.start(1000);
    bannerTimer.start(1000);

    window.setGeometry(QGuiApplication::primaryScreen()->geometry());
    window.show();
    window.activateWindow();
    return QApplication::exec();
}
