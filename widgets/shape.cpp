#include "widgets/shape.h"

#include "widgets/twips.h"

#include <QPainter>

Shape::Shape(QWidget* parent, bool rounded, const QColor& fill, const QColor& border)
    : QWidget(parent), m_rounded(rounded), m_fill(fill), m_border(border)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::SetTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(TwipsRect(left, top, width, height));
}


void Shape::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, m_rounded);
    painter.setPen(m_border);
    painter.setBrush(m_fill);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (m_rounded) {
        // Corners as round as a sixth of the shorter side, the look of the designed plate.
        const qreal radius = qMin(box.width(), box.height()) / 6.0;
        painter.drawRoundedRect(box, radius, radius);
    } else {
        painter.drawRect(box);
    }
}
