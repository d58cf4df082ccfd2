#include "widgets/image.h"

#include "widgets/twips.h"

#include <QPainter>

Image::Image(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setCursor(Qt::ArrowCursor);
}

void Image::SetPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void Image::SetStretch(bool stretch)
{
    m_stretch = stretch;
    update();
}

void Image::SetTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(TwipsRect(left, top, width, height));
}

void Image::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    if (m_stretch) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawPixmap(rect(), m_picture);
    } else {
        painter.drawPixmap(0, 0, m_picture);
    }
}
