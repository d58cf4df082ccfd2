#include "dialog/commondialog.h"

#include "dialog/platformdialogs.h"
#include "widgets/platformcolours.h"

void CommonDialog::ShowColor()
{
    QColor colour = ColourOrBlack(m_color);
    if (m_dialogs.ChooseColour(m_owner, colour))
        m_color = NumberFromColour(colour);
}

void CommonDialog::ShowOpen()
{
    QString fileName = m_fileName.isEmpty() ? m_initDir : m_fileName;
    if (m_dialogs.ChooseFile(m_owner, m_filter, fileName))
        m_fileName = fileName;
}
