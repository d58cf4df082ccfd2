#include "dialog/updown.h"

#include "widgets/twips.h"
#include "settings/numeric.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

QToolButton* makeArrow(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    // The control as a whole is the tab stop; a click on an arrow focuses it, not the arrow.
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace

UpDown::UpDown(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_up = makeArrow(this, Qt::UpArrow);
    m_down = makeArrow(this, Qt::DownArrow);
    connect(m_up, &QToolButton::clicked, this, &UpDown::StepUp);
    connect(m_down, &QToolButton::clicked, this, &UpDown::StepDown);
}

void UpDown::SetBuddy(QLineEdit* buddy)
{
    m_buddy = buddy;
}

void UpDown::SetRange(int min, int max)
{
    m_min = min;
    m_max = max;
    m_value = qBound(m_min, m_value, m_max);
}

void UpDown::SetTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(TwipsRect(left, top, width, height));
}

void UpDown::step(int delta)
{
    // Start from what the box shows, so that a delay loaded or typed there steps on from
    // itself rather than from wherever the arrows last left it.
    if (m_buddy) {
        if (const auto shown = NumericValue(m_buddy->text()))
            m_value = qBound(m_min, int(ToInteger16(*shown)), m_max);
    }
    m_value = qBound(m_min, m_value + delta, m_max);
    if (m_buddy)
        m_buddy->setText(QString::number(m_value));
}

void UpDown::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        StepUp();
        break;
    case Qt::Key_Down:
        StepDown();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpDown::resizeEvent(QResizeEvent*)
{
    const int upper = height() / 2;
    m_up->setGeometry(0, 0, width(), upper);
    m_down->setGeometry(0, upper, width(), height() - upper);
}
