#include "dialog/platformdialogs.h"

#include <QColorDialog>
#include <QFileDialog>

bool QtPlatformDialogs::ChooseColour(QWidget* parent, QColor& colour)
{
    const QColor chosen = QColorDialog::getColor(colour, parent);
    if (!chosen.isValid())
        return false;
    colour = chosen;
    return true;
}

bool QtPlatformDialogs::ChooseFile(QWidget* parent, const QString& filter, QString& fileName)
{
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}
