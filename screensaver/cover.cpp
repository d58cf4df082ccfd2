#include "screensaver/cover.h"

#include "screensaver/frmmain.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

Cover::Cover(frmmain& main, QScreen* screen)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_main(&main)
{
    setWindowTitle(main.windowTitle());
    setCursor(Qt::BlankCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setScreen(screen);
    setGeometry(screen->geometry());
    setWindowState(Qt::WindowFullScreen);
}

void Cover::ShowOn(QScreen* screen)
{
    setScreen(screen);
    setGeometry(screen->geometry());
    show();
}

void Cover::paintEvent(QPaintEvent*)
{
    if (!m_main)
        return;
    QPainter painter(this);
    painter.fillRect(rect(), m_main->BackColor());
    const QPixmap picture = m_main->BackgroundPicture();
    if (!picture.isNull())
        painter.drawPixmap(0, 0, picture);
}

void Cover::keyPressEvent(QKeyEvent* event)
{
    if (m_main)
        m_main->KeyDown(*event);
}

void Cover::mousePressEvent(QMouseEvent*)
{
    if (m_main)
        m_main->MouseDown();
}

void Cover::mouseMoveEvent(QMouseEvent*)
{
    if (m_main)
        m_main->MouseMoved();
}
