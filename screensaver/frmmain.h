#pragma once

#include "lessons/bannercycle.h"
#include "lessons/lessonchoice.h"
#include "lessons/lessonloader.h"
#include "lessons/savervariables.h"
#include "lessons/wordcycle.h"

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>
#include <vector>

class Cover;
class Image;
class Label;
class Program;
class QScreen;
class QWindow;
class Shape;

// The full-screen window of a running saver. It is made anew each time the saver starts or
// comes back from the settings dialog, while the variables it works on live on in Program.
// The other screens get covers that come and go with it. Started by xscreensaver, it is
// drawn inside xscreensaver's window instead and leaves all input to xscreensaver.
class frmmain : public QWidget, private WordLabels, private BannerControls {
    Q_OBJECT
public:
    frmmain(Program& program, SaverVariables& vars);
    ~frmmain() override;

    // The load handler: the instance test, the command line, the settings and the first
    // lesson. It may unload the window, which then must not be shown.
    void Form_Load();
    void LoadLesson();
    void Unload();
    bool IsUnloaded() const { return m_unloaded; }
    // Full screen on the primary screen, above panels and other windows, with the keyboard;
    // every other screen gets a cover. Hosted, it fills xscreensaver's window instead.
    void ShowFullScreen();

    // The input handlers, shared with the covers.
    void KeyDown(const QKeyEvent& event);
    void MouseDown();
    void MouseMoved();

    // The controls, for tests and for the dialog's preview of the same design.
    Label* lblcesky() const { return m_lblcesky; }
    Label* lblanglicky() const { return m_lblanglicky; }
    Label* lblcesky2() const { return m_lblcesky2; }
    Label* lblanglicky2() const { return m_lblanglicky2; }
    Label* lblvyslovnost() const { return m_lblvyslovnost; }
    Label* lblpriklad() const { return m_lblpriklad; }
    Label* lblpreklad() const { return m_lblpreklad; }
    Label* lblvyslovnost2() const { return m_lblvyslovnost2; }
    Label* lblpriklad2() const { return m_lblpriklad2; }
    Label* lblpreklad2() const { return m_lblpreklad2; }
    Label* Label1() const { return m_Label1; }
    Label* Label2() const { return m_Label2; }
    Label* Label3() const { return m_Label3; }
    Image* Image2() const { return m_Image2; }
    Shape* Shape2() const { return m_Shape2; }
    QTimer& Timer1() { return m_Timer1; }
    QTimer& Timer2() { return m_Timer2; }
    QColor BackColor() const { return m_backColor; }
    QPixmap BackgroundPicture() const { return m_picture; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void applySettingsAtStart();
    void makeDetailLabels();
    LessonFilter chosenLessons() const;
    // Sizes the window to what it will cover before the first word is placed; false when
    // xscreensaver's window is not there to draw into.
    bool fitToCoveredArea();
    QScreen* designScreen(QList<int>* covers = nullptr) const;
    void coverScreens();
    void coverScreensOnce();
    void removeCovers();

    // WordLabels
    void SetVisible(WordLabel label, bool visible) override;
    void SetCaption(WordLabel label, const QString& caption) override;
    QString Caption(WordLabel label) const override;
    int Left(WordLabel label) const override;
    int Top(WordLabel label) const override;
    int Width(WordLabel label) const override;
    int Height(WordLabel label) const override;
    void Move(WordLabel label, int left, int top) override;
    int ScreenWidth() const override;
    int ScreenHeight() const override;
    Label* word(WordLabel label) const;

    // BannerControls
    void SetVisible(BannerControl control, bool visible) override;
    void SetCaption(BannerControl label, const QString& caption) override;
    int Left(BannerControl control) const override;
    int Width(BannerControl control) const override;
    void SetWidth(BannerControl control, int width) override;
    QWidget* banner(BannerControl control) const;

    Program& m_program;
    SaverVariables& m_vars;
    QColor m_backColor;
    QPixmap m_picture;
    std::shared_ptr<ChosenLessonPositions> m_chosenLessons;
    bool m_unloaded = false;
    bool m_loading = false;
    bool m_loadAgain = false;
    bool m_shown = false;
    bool m_coversPending = false;
    std::unique_ptr<QWindow> m_host;
    std::vector<QPointer<Cover>> m_covers;

    Shape* m_Shape2 = nullptr;
    Label* m_Label3 = nullptr;
    Label* m_lblanglicky2 = nullptr;
    Label* m_lblcesky2 = nullptr;
    Label* m_lblcesky = nullptr;
    Label* m_lblanglicky = nullptr;
    Label* m_lblvyslovnost2 = nullptr;
    Label* m_lblpriklad2 = nullptr;
    Label* m_lblpreklad2 = nullptr;
    Label* m_lblvyslovnost = nullptr;
    Label* m_lblpriklad = nullptr;
    Label* m_lblpreklad = nullptr;
    Label* m_Label1 = nullptr;
    Label* m_Label2 = nullptr;
    Image* m_Image2 = nullptr;
    QTimer m_Timer1;
    QTimer m_Timer2;
};
