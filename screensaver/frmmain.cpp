#include "screensaver/frmmain.h"

#include "resources/logo.h"

#include "dialog/frmnastaveni.h"
#include "lessons/lessonfolder.h"
#include "lessons/lessonloader.h"
#include "lessons/randomgenerator.h"
#include "screensaver/commandline.h"
#include "screensaver/eventyield.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "screensaver/pictureloader.h"
#include "widgets/platformcolours.h"
#include "screensaver/program.h"
#include "screensaver/settingsatstart.h"
#include "widgets/shape.h"
#include "widgets/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QScreen>

namespace {

constexpr int VirtualKeyS = 83;
constexpr int VirtualKeyN = 78;
constexpr int VirtualKeySpace = 32;

// The platform's key code: a letter reports its capital whatever Shift and Caps Lock say.
int VirtualKeyCode(const QKeyEvent& event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return 'A' + (key - Qt::Key_A);
    if (key == Qt::Key_Space)
        return VirtualKeySpace;
    return -1;
}

Label* makeLabel(QWidget* parent, const QString& caption, int left, int top, int width, int height,
                 quint32 foreColour, const QFont& font, Qt::Alignment alignment, Label::Sizing sizing,
                 bool visible)
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
    m_Label2 = makeLabel(this, Slogan(), 840, 480, 4335, 255, SystemColour::ButtonText,
                         DesignFont(QStringLiteral("Times New Roman"), 8.25, true), centred, Fixed,
                         false);
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

void frmmain::Form_Load()
{
    if (m_program.PrevInstance()) {
        m_program.EndNow();
        return;
    }
    setWindowState(Qt::WindowMaximized);
    switch (DispatchCommandLine(m_program.ArgumentString())) {
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
    applySettingsAtStart();
    LoadLesson();
}

void frmmain::applySettingsAtStart()
{
    const StartAppearance appearance = ReadSettingsAtStart(m_vars);
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
    });
    apply(appearance.shadow, [this](const QColor& c) {
        m_lblcesky2->SetForeColor(c);
        m_lblanglicky2->SetForeColor(c);
    });
    if (const auto picture = LoadPicture(appearance.picturePath)) {
        // Only the part that can ever be seen is kept: the picture is drawn from the
        // window's top-left corner at its own size.
        const QSize screen = QGuiApplication::primaryScreen()->size();
        m_picture = QPixmap::fromImage(picture->copy(0, 0, qMin(picture->width(), screen.width()),
                                                     qMin(picture->height(), screen.height())));
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
                              RandomGenerator::Instance(), betweenLines);
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

void frmmain::Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_Timer1.stop();
    m_Timer2.stop();
    close();
    deleteLater();
}

void frmmain::ShowMaximized()
{
    QScreen* screen = QGuiApplication::primaryScreen();
    // Without a window manager a maximized state alone is not honoured: place it ourselves.
    setGeometry(screen->geometry());
    show();
    raise();
    activateWindow();
    setFocus();
}

void frmmain::Timer1_Timer() { WordTick(m_vars, *this, RandomGenerator::Instance()); }

void frmmain::Timer2_Timer() { BannerTick(m_vars.BannerTick, *this); }

void frmmain::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_backColor);
    if (!m_picture.isNull())
        painter.drawPixmap(0, 0, m_picture);
}

void frmmain::keyPressEvent(QKeyEvent* event)
{
    const int code = VirtualKeyCode(*event);
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

void frmmain::mousePressEvent(QMouseEvent*) { Unload(); }

void frmmain::mouseMoveEvent(QMouseEvent*)
{
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
    }
    return m_lblcesky;
}

void frmmain::SetVisible(WordLabel label, bool visible) { word(label)->setVisible(visible); }
void frmmain::SetCaption(WordLabel label, const QString& caption) { word(label)->SetCaption(caption); }
QString frmmain::Caption(WordLabel label) const { return word(label)->Caption(); }
int frmmain::Left(WordLabel label) const { return word(label)->LeftTwips(); }
int frmmain::Top(WordLabel label) const { return word(label)->TopTwips(); }
int frmmain::Width(WordLabel label) const { return word(label)->WidthTwips(); }
int frmmain::Height(WordLabel label) const { return word(label)->HeightTwips(); }
void frmmain::Move(WordLabel label, int left, int top) { word(label)->MoveTwips(left, top); }
int frmmain::ScreenWidth() const { return PixelsToTwips(QGuiApplication::primaryScreen()->size().width()); }
int frmmain::ScreenHeight() const { return PixelsToTwips(QGuiApplication::primaryScreen()->size().height()); }

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

void frmmain::SetVisible(BannerControl control, bool visible) { banner(control)->setVisible(visible); }

void frmmain::SetCaption(BannerControl label, const QString& caption)
{
    if (auto* target = qobject_cast<Label*>(banner(label)))
        target->SetCaption(caption);
}

int frmmain::Left(BannerControl control) const { return PixelsToTwips(banner(control)->x()); }
int frmmain::Width(BannerControl control) const { return PixelsToTwips(banner(control)->width()); }

void frmmain::SetWidth(BannerControl control, int width)
{
    QWidget* target = banner(control);
    const int pixels = TwipsToPixels(width);
    if (pixels != target->width())
        target->resize(pixels, target->height());
}
