#include "widgets/label.h"

#include "widgets/twips.h"

#include <QPainter>
#include <QTextLayout>
#include <cmath>

namespace {

QTextOption textOption(Qt::Alignment alignment, bool wrap)
{
    QTextOption option(alignment);
    option.setWrapMode(wrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    return option;
}

// Lays the caption out in lines no wider than width and returns the height they take.
qreal layOut(QTextLayout& layout, qreal width)
{
    const qreal leading = QFontMetricsF(layout.font()).leading();
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height() + leading;
    }
    layout.endLayout();
    return height;
}

} // namespace

QFont DesignFont(const QString& family, double pointSize, bool bold, bool italic)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

Label::Label(QWidget* parent, const QString& caption) : QWidget(parent), m_caption(caption)
{
    setAttribute(Qt::WA_NoMousePropagation);
    setCursor(Qt::ArrowCursor);
}

void Label::SetCaption(const QString& caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    fitToCaption();
    update();
}

void Label::SetForeColor(const QColor& colour)
{
    m_foreColor = colour;
    update();
}

void Label::SetBackColor(const QColor& colour)
{
    m_backColor = colour;
    update();
}

void Label::SetAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void Label::SetSizing(Sizing sizing)
{
    m_sizing = sizing;
    fitToCaption();
}

void Label::SetBorder(bool border)
{
    m_border = border;
    update();
}

void Label::SetLabelFont(const QFont& font)
{
    setFont(font);
    fitToCaption();
    update();
}

void Label::SetTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(TwipsRect(left, top, width, height));
    m_designHeight = TwipsToPixels(height);
    fitToCaption();
}

void Label::MoveTwips(int left, int top) { move(TwipsToPixels(left), TwipsToPixels(top)); }

int Label::LeftTwips() const { return PixelsToTwips(x()); }
int Label::TopTwips() const { return PixelsToTwips(y()); }
int Label::WidthTwips() const { return PixelsToTwips(width()); }
int Label::HeightTwips() const { return PixelsToTwips(height()); }

int Label::wrappedHeight(int width) const
{
    QTextLayout layout(m_caption, font());
    layout.setTextOption(textOption(m_alignment, true));
    return static_cast<int>(std::ceil(layOut(layout, width)));
}

void Label::fitToCaption()
{
    switch (m_sizing) {
    case Sizing::Fixed:
        break;
    case Sizing::AutoSize: {
        const QFontMetrics metrics(font());
        // Italic glyphs lean past their advance; leave them room.
        const int slant = font().italic() ? metrics.height() / 4 : 0;
        resize(metrics.horizontalAdvance(m_caption) + slant, metrics.height());
        break;
    }
    case Sizing::GrowDownward:
        resize(width(), qMax(m_designHeight, wrappedHeight(width())));
        break;
    }
}

void Label::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_backColor.isValid())
        painter.fillRect(rect(), m_backColor);
    if (m_border) {
        painter.setPen(QColor(Qt::black));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (m_caption.isEmpty())
        return;
    painter.setPen(m_foreColor);
    QTextLayout layout(m_caption, font());
    const bool wrap = m_sizing != Sizing::AutoSize;
    layout.setTextOption(textOption(m_alignment, wrap));
    layOut(layout, wrap ? width() : 1e6);
    layout.draw(&painter, QPointF(0, 0));
}
