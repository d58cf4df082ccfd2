#include "dialog/controls.h"

#include "widgets/platformcolours.h"
#include "widgets/twips.h"

#include <QKeyEvent>

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
