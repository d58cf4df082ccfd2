#include "dialog/controls.h"

#include "widgets/platformcolours.h"
#include "widgets/twips.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>

CommandButton::CommandButton(QWidget* parent, const QString& caption) : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

void CommandButton::SetTwipsGeometry(int left, int top, int width, int height)
{
    setGeometry(TwipsRect(left, top, width, height));
}

void CommandButton::keyPressEvent(QKeyEvent* event)
{
    // QPushButton answers Enter only as an auto-default button, and that would make it the
    // default of a dialog: press it here instead.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

ColourSwatch::ColourSwatch(QWidget* parent, quint32 backColour, quint32 foreColour) : Label(parent)
{
    SetBorder(true);
    SetForeColor(ColourOrBlack(foreColour));
    SetBackColorNumber(backColour);
}

bool ColourSwatch::SetBackColorNumber(quint32 number)
{
    const auto colour = ColourFromNumber(number);
    if (!colour)
        return false;
    m_backColour = number;
    SetBackColor(*colour);
    return true;
}

QStringList PathLines(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return {path};
    // Paths chosen here use "/"; paths stored on Windows may use backslashes.
    const qsizetype split =
        qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\'))) + 1;
    QStringList lines;
    if (split > 0)
        lines << metrics.elidedText(path.left(split), Qt::ElideMiddle, width);
    lines << metrics.elidedText(path.mid(split), Qt::ElideMiddle, width);
    return lines;
}

PathLabel::PathLabel(QWidget* parent) : Label(parent) {}

void PathLabel::SetPath(const QString& path)
{
    SetCaption(path);
    setToolTip(path);
    update();
}

void PathLabel::SetTextWidth(int pixels)
{
    m_textWidth = pixels;
    update();
}

void PathLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(ForeColor());
    const QFontMetrics metrics = fontMetrics();
    int baseline = metrics.ascent();
    for (const QString& line : PathLines(Caption(), metrics, TextWidth())) {
        painter.drawText(0, baseline, line);
        baseline += metrics.lineSpacing();
    }
}
