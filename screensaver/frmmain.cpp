#include "screensaver/frmmain.h"

#include "resources/logo.h"

#include "dialog/frmnastaveni.h"
#include "lessons/lessonfolder.h"
#include "lessons/lessonloader.h"
#include "lessons/randomgenerator.h"
#include "lessons/sitetexts.h"
#include "screensaver/commandline.h"
#include "screensaver/cover.h"
#include "screensaver/eventyield.h"
#include "screensaver/platform.h"
#include "screensaver/program.h"
#include "screensaver/screenlayout.h"
#include "screensaver/settingsatstart.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/pictureloader.h"
#include "widgets/platformcolours.h"
#include "widgets/shape.h"
#include "widgets/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QWindow>

namespace {

constexpr int VirtualKeyS = 83;
constexpr int VirtualKeyN = 78;
constexpr int VirtualKeySpace = 32;

// The platform's key code: a letter reports its capital whatever Shift and Caps Lock say,
// and on a Cyrillic or Greek layout the Latin letter of the same key, so that S and N open
// the settings there too.
int VirtualKeyCode(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key == Qt::Key_Space)
        return VirtualKeySpace;
    const bool nonLatinLetter = key > 0xFF && key < Qt::Key_Escape;
    if (nonLatinLetter) {
        // Windows hands the Latin virtual-key code along; X and Wayland a symbol of the
        // layout, and the key's place on the board.
        const quint32 native = event.nativeVirtualKey();
        if (native >= 'A' && native <= 'Z')
            return int(native);
        if (const int letter = LatinLetterOfKeycode(event.nativeScanCode()))
            return letter;
    }
    return -1;
}

QList<QRect> screenGeometries(const QList<QScreen*>& screens)
{
    QList<QRect> geometries;
    for (const QScreen* screen : screens)
        geometries << screen->geometry();
    return geometries;
}

Label* makeLabel(QWidget* parent, const QString& caption, int left, int top, int width, int height,
                 quint32 foreColour, const QFont& font, Qt::Alignment alignment,
                 Label::Sizing sizing, bool visible)
{
    auto* label = new Label(parent, caption);
    label->SetLabelFont(font);
    label->SetForeColor(ColourOrBlack(foreColour));
    label->SetAlignment(alignment);
    label->SetTwipsGeometry(left, top, width, height);
    label->SetSizing(sizing);
    label->setVisible(visible);
    return label;
}

} // namespace

frmmain::frmmain(Program& program, SaverVariables& vars)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_program(program), m_vars(vars), m_backColor(ColourOrBlack(0x00C0FFC0))
{
    setWindowTitle(QStringLiteral("Form1"));
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    resize(TwipsToPixels(9615), TwipsToPixels(7920));

    const QString caption = QStringLiteral("Label1");
    const QFont wordFont = DesignFont(QStringLiteral("Arial"), 20.25, true);
    const QFont bannerFont = DesignFont(QStringLiteral("Arial"), 20.25, true, true);
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    const auto left = Qt::AlignLeft | Qt::AlignTop;
    using enum Label::Sizing;

    // Created back to front, so that each control is drawn over the ones made before it.
    m_Shape2 = new Shape(this, true, ColourOrBlack(SystemColour::WindowBackground),
                         ColourOrBlack(0x00FFFFFF));
    m_Shape2->SetTwipsGeometry(-120, -120, 5775, 855);
    m_Shape2->hide();
    m_Label3 = makeLabel(this, SiteAddress(), 885, 45, 4560, 480, 0x00E0E0E0, bannerFont, left,
                         AutoSize, false);
    m_lblanglicky2 = makeLabel(this, caption, 3540, 6540, 5295, 615, 0x00FFFFFF, wordFont, centred,
                               GrowDownward, true);
    m_lblcesky2 = makeLabel(this, caption, 3540, 5940, 5295, 615, 0x00E0E0E0, wordFont, centred,
                            GrowDownward, true);
    m_lblcesky = makeLabel(this, caption, 3480, 5880, 5295, 615, 0x00FFFFFF, wordFont, centred,
                           GrowDownward, true);
    m_lblanglicky = makeLabel(this, caption, 3480, 6480, 5295, 615, SystemColour::ButtonText,
                              wordFont, centred, GrowDownward, true);
    m_Label1 = makeLabel(this, SiteAddress(), 840, 0, 4560, 480, SystemColour::ButtonText,
                         bannerFont, left, AutoSize, false);
    m_Label2 =
        makeLabel(this, Slogan(), 840, 480, 4335, 255, SystemColour::ButtonText,
                  DesignFont(QStringLiteral("Times New Roman"), 8.25, true), centred, Fixed, false);
    m_Label2->SetBackColor(ColourOrBlack(0x00FFFFFF));
    m_Image2 = new Image(this);
    m_Image2->SetPicture(Logo());
    m_Image2->SetTwipsGeometry(120, 120, 435, 405);
    m_Image2->hide();

    m_Timer1.setInterval(1000);
    m_Timer2.setInterval(1000);
    connect(&m_Timer1, &QTimer::timeout, this, &frmmain::Timer1_Timer);
    connect(&m_Timer2, &QTimer::timeout, this, &frmmain::Timer2_Timer);
    m_Timer1.start();
    m_Timer2.start();
}

frmmain::~frmmain()
{
    removeCovers();
    // Our window lives inside xscreensaver's: it goes before the handle of that window does.
    if (m_host)
        destroy();
}

void frmmain::Form_Load()
{
    if (m_program.PrevInstance()) {
        m_program.EndNow();
        return;
    }
    const bool hosted = m_program.HostWindow() != 0;
    if (!hosted)
        setWindowState(Qt::WindowFullScreen);
    // xscreensaver starts its hacks with arguments of its own, which the dispatch refuses.
    switch (hosted ? LaunchMode::Saver : DispatchCommandLine(m_program.ArgumentString())) {
    case LaunchMode::Settings:
        m_program.ShowSettingsDialog();
        Unload();
        return;
    case LaunchMode::End:
        Unload();
        return;
    case LaunchMode::Saver:
        break;
    }
    if (!fitToCoveredArea()) {
        Unload();
        return;
    }
    applySettingsAtStart();
    LoadLesson();
}

// The pronunciation and example are made only for a saver that shows them, so that the
// first frame of one that does not waits for no further fonts. Taller as their captions wrap,
// they stand behind every word, as shadows do.
void frmmain::makeDetailLabels()
{
    if (m_lblvyslovnost)
        return;
    const QFont pronunciationFont = DesignFont(QStringLiteral("Arial"), 14.25, true);
    const QFont exampleFont = DesignFont(QStringLiteral("Arial"), 12, true);
    const auto detail = [this](int left, int top, quint32 colour, const QFont& font,
                               QWidget* under) {
        Label* label = makeLabel(this, {}, left, top, 5295, 0, colour, font,
                                 Qt::AlignHCenter | Qt::AlignTop, Label::Sizing::GrowDownward,
                                 false);
        label->stackUnder(under);
        return label;
    };
    m_lblvyslovnost2 = detail(3540, 7140, 0x00E0E0E0, pronunciationFont, m_lblcesky2);
    m_lblpriklad2 = detail(3540, 7620, 0x00E0E0E0, exampleFont, m_lblcesky2);
    m_lblpreklad2 = detail(3540, 8040, 0x00E0E0E0, exampleFont, m_lblcesky2);
    m_lblvyslovnost = detail(3480, 7080, 0x00FFFFFF, pronunciationFont, m_Label1);
    m_lblpriklad = detail(3480, 7560, 0x00FFFFFF, exampleFont, m_Label1);
    m_lblpreklad = detail(3480, 7980, 0x00FFFFFF, exampleFont, m_Label1);
}

void frmmain::applySettingsAtStart()
{
    const StartAppearance appearance = ReadSettingsAtStart(m_vars);
    if (m_vars.ShowDetails)
        makeDetailLabels();
    if (std::vector<LessonName> leftOut = ReadLessonsLeftOut(); !leftOut.empty())
        m_chosenLessons =
            std::make_shared<ChosenLessonPositions>(std::move(leftOut), m_program.LessonsFolder());
    else
        m_chosenLessons.reset();
    const auto apply = [](const std::optional<quint32>& number, auto&& set) {
        if (!number)
            return;
        if (const auto colour = ColourFromNumber(*number))
            set(*colour);
    };
    apply(appearance.background, [this](const QColor& c) { m_backColor = c; });
    apply(appearance.text, [this](const QColor& c) {
        m_lblcesky->SetForeColor(c);
        m_lblanglicky->SetForeColor(c);
        for (Label* detail : {m_lblvyslovnost, m_lblpriklad, m_lblpreklad})
            if (detail)
                detail->SetForeColor(c);
    });
    apply(appearance.shadow, [this](const QColor& c) {
        m_lblcesky2->SetForeColor(c);
        m_lblanglicky2->SetForeColor(c);
        for (Label* detail : {m_lblvyslovnost2, m_lblpriklad2, m_lblpreklad2})
            if (detail)
                detail->SetForeColor(c);
    });
    // Only the part that can ever be seen is decoded and kept: the picture is drawn from the
    // top-left corner of each cover at its own size.
    QSize largest = size();
    for (const QScreen* screen : QGuiApplication::screens())
        largest = largest.expandedTo(screen->size());
    if (const auto picture = LoadPicture(appearance.picturePath, largest)) {
        m_picture = QPixmap::fromImage(picture->copy(0, 0, qMin(picture->width(), largest.width()),
                                                     qMin(picture->height(), largest.height())));
    }
    update();
}

void frmmain::LoadLesson()
{
    if (m_loading) {
        // A space pressed while a file is still being read starts the load over.
        m_loadAgain = true;
        return;
    }
    QPointer<frmmain> self(this);
    EventYield yield;
    const auto betweenLines = [&] {
        yield();
        return self && !self->m_unloaded && !self->m_loadAgain;
    };
    m_loading = true;
    LessonLoad load;
    do {
        m_loadAgain = false;
        load = LoadLessonFile(m_vars.lesson, LessonFolders(m_program.LessonsFolder()),
                              RandomGenerator::Instance(), betweenLines, chosenLessons());
        if (!self)
            return;
    } while (m_loadAgain && !m_unloaded);
    m_loading = false;
    if (m_unloaded)
        return;

    if (load.result == LessonLoadResult::Loaded) {
        m_Label1->SetCaption(LessonBannerCaption(load.title));
        m_Label3->SetCaption(m_Label1->Caption());
        m_Label2->SetCaption(LessonBannerHint());
    }
    // Even without a lesson the cycles restart, so the design captions never show and a
    // failed change of lesson leaves the one in memory running.
    m_vars.WordTick = 0;
    m_vars.BannerTick = 19;
    Timer2_Timer();
    Timer1_Timer();
}

LessonFilter frmmain::chosenLessons() const
{
    if (!m_chosenLessons)
        return {};
    return [chosen = m_chosenLessons](const LessonFileList& files) { return chosen->In(files); };
}

void frmmain::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_Timer1.stop();
    m_Timer2.stop();
    removeCovers();
    close();
    deleteLater();
}

bool frmmain::fitToCoveredArea()
{
    if (const quintptr id = m_program.HostWindow()) {
        if (!m_host)
            m_host.reset(QWindow::fromWinId(WId(id)));
        const QSize host = m_host ? ForeignWindowSize(id) : QSize();
        if (host.isEmpty())
            return false;
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                       Qt::WindowDoesNotAcceptFocus);
        setGeometry(QRect(QPoint(0, 0), host));
        return true;
    }
    if (QScreen* screen = designScreen()) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    return true;
}

QScreen* frmmain::designScreen(QList<int>* covers) const
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    const ScreenLayout layout =
        LayOutScreens(screenGeometries(screens), screens.indexOf(QGuiApplication::primaryScreen()));
    if (covers)
        *covers = layout.covers;
    return layout.main >= 0 ? screens[layout.main] : QGuiApplication::primaryScreen();
}

void frmmain::ShowFullScreen()
{
    m_shown = true;
    if (m_host) {
        winId();
        windowHandle()->setParent(m_host.get());
        show();
        return;
    }
    // Without a window manager the full-screen state alone is not honoured: place it ourselves.
    fitToCoveredArea();
    show();
    raise();
    activateWindow();
    setFocus();
    // The other screens are covered once the design has its first frame, so that the first
    // word is not kept waiting for them; should no frame come, a moment later all the same.
    m_coversPending = true;
    QTimer::singleShot(250, this, &frmmain::coverScreensOnce);
    auto* application = qGuiApp;
    connect(application, &QGuiApplication::screenAdded, this, &frmmain::coverScreens,
            Qt::UniqueConnection);
    connect(application, &QGuiApplication::screenRemoved, this, &frmmain::coverScreens,
            Qt::UniqueConnection);
    connect(application, &QGuiApplication::primaryScreenChanged, this, &frmmain::coverScreens,
            Qt::UniqueConnection);
}

void frmmain::coverScreensOnce()
{
    if (!m_coversPending)
        return;
    m_coversPending = false;
    coverScreens();
}

void frmmain::coverScreens()
{
    if (m_unloaded || !m_shown)
        return;
    m_coversPending = false;
    QList<int> covered;
    QScreen* main = designScreen(&covered);
    if (main && main->geometry() != geometry()) {
        setScreen(main);
        setGeometry(main->geometry());
    }
    // A screen plugged in, removed or changed: the covers are made anew, which is cheap
    // and rare enough not to matter.
    removeCovers();
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (QScreen* screen : screens)
        connect(screen, &QScreen::geometryChanged, this, &frmmain::coverScreens,
                Qt::UniqueConnection);
    for (const int index : covered) {
        auto* cover = new Cover(*this, screens[index]);
        cover->ShowOn(screens[index]);
        m_covers.emplace_back(cover);
    }
    if (!m_covers.empty()) {
        raise();
        activateWindow();
    }
}

void frmmain::removeCovers()
{
    for (const QPointer<Cover>& cover : m_covers)
        if (cover) {
            // A cover may be the one whose input handler is running.
            cover->hide();
            cover->deleteLater();
        }
    m_covers.clear();
}

void frmmain::Timer1_Timer()
{
    WordTick(m_vars, *this, RandomGenerator::Instance());
}

void frmmain::Timer2_Timer()
{
    BannerTick(m_vars.BannerTick, *this);
}

void frmmain::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
    if (m_coversPending)
        QTimer::singleShot(0, this, &frmmain::coverScreensOnce);
}

void frmmain::keyPressEvent(QKeyEvent* event)
{
    KeyDown(*event);
}

void frmmain::mousePressEvent(QMouseEvent*)
{
    MouseDown();
}

void frmmain::mouseMoveEvent(QMouseEvent*)
{
    MouseMoved();
}

void frmmain::KeyDown(const QKeyEvent& event)
{
    // Hosted, input belongs to xscreensaver, which ends the saver itself.
    if (m_host || m_unloaded)
        return;
    const int code = VirtualKeyCode(event);
    if (code == VirtualKeyS || code == VirtualKeyN) {
        frmnastaveni* dialog = m_program.ShowSettingsDialog();
        dialog->Vsporici = true;
        Unload();
    } else if (code == VirtualKeySpace) {
        LoadLesson();
    } else {
        Unload();
    }
}

void frmmain::MouseDown()
{
    if (!m_host)
        Unload();
}

void frmmain::MouseMoved()
{
    if (m_host || m_unloaded)
        return;
    ++m_vars.MouseMoveCount;
    if (m_vars.MouseMoveCount > 25)
        Unload();
}

Label* frmmain::word(WordLabel label) const
{
    switch (label) {
    case WordLabel::lblcesky:
        return m_lblcesky;
    case WordLabel::lblanglicky:
        return m_lblanglicky;
    case WordLabel::lblcesky2:
        return m_lblcesky2;
    case WordLabel::lblanglicky2:
        return m_lblanglicky2;
    case WordLabel::lblvyslovnost:
        return m_lblvyslovnost;
    case WordLabel::lblvyslovnost2:
        return m_lblvyslovnost2;
    case WordLabel::lblpriklad:
        return m_lblpriklad;
    case WordLabel::lblpriklad2:
        return m_lblpriklad2;
    case WordLabel::lblpreklad:
        return m_lblpreklad;
    case WordLabel::lblpreklad2:
        return m_lblpreklad2;
    }
    return m_lblcesky;
}

void frmmain::SetVisible(WordLabel label, bool visible)
{
    word(label)->setVisible(visible);
}
void frmmain::SetCaption(WordLabel label, const QString& caption)
{
    word(label)->SetCaption(caption);
}
QString frmmain::Caption(WordLabel label) const
{
    return word(label)->Caption();
}
int frmmain::Left(WordLabel label) const
{
    return word(label)->LeftTwips();
}
int frmmain::Top(WordLabel label) const
{
    return word(label)->TopTwips();
}
int frmmain::Width(WordLabel label) const
{
    return word(label)->WidthTwips();
}
int frmmain::Height(WordLabel label) const
{
    return word(label)->HeightTwips();
}
void frmmain::Move(WordLabel label, int left, int top)
{
    word(label)->MoveTwips(left, top);
}
// The area really covered: a window manager or compositor may have given another size
// than the screen's, and xscreensaver's window is smaller still.
int frmmain::ScreenWidth() const
{
    return PixelsToTwips(width());
}
int frmmain::ScreenHeight() const
{
    return PixelsToTwips(height());
}

QWidget* frmmain::banner(BannerControl control) const
{
    switch (control) {
    case BannerControl::Shape2:
        return m_Shape2;
    case BannerControl::Image2:
        return m_Image2;
    case BannerControl::Label1:
        return m_Label1;
    case BannerControl::Label2:
        return m_Label2;
    case BannerControl::Label3:
        return m_Label3;
    }
    return m_Shape2;
}

void frmmain::SetVisible(BannerControl control, bool visible)
{
    banner(control)->setVisible(visible);
}

void frmmain::SetCaption(BannerControl label, const QString& caption)
{
    if (auto* target = qobject_cast<Label*>(banner(label)))
        target->SetCaption(caption);
}

int frmmain::Left(BannerControl control) const
{
    return PixelsToTwips(banner(control)->x());
}
int frmmain::Width(BannerControl control) const
{
    return PixelsToTwips(banner(control)->width());
}

void frmmain::SetWidth(BannerControl control, int width)
{
    QWidget* target = banner(control);
    const int pixels = TwipsToPixels(width);
    if (pixels != target->width())
        target->resize(pixels, target->height());
}
