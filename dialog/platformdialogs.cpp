#include "dialog/platformdialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

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
    const QString chosen = QFileDialog::getOpenFileName(parent, QString(), fileName, filter);
    if (chosen.isEmpty())
        return false;
    fileName = chosen;
    return true;
}

void QtPlatformDialogs::ReportFailure(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), message);
}
