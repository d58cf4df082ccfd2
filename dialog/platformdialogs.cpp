#include "dialog/platformdialogs.h"

#include "dialog/czechfiledialog.h"

#include <QColorDialog>
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
    CzechFileDialog dialog(parent, filter, fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    fileName = dialog.selectedFiles().constFirst();
    return true;
}

void QtPlatformDialogs::ReportFailure(QWidget* parent, const QString& message)
{
    QMessageBox::warning(parent, parent ? parent->windowTitle() : QString(), message);
}
