#include "dialog/frmnastaveni.h"

#include "screensaver/program.h"
#include "screensaver/twips.h"

#include <QCloseEvent>

frmnastaveni::frmnastaveni(Program& program)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      m_program(program)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Nastavení"));
    setFixedSize(TwipsToPixels(6045), TwipsToPixels(6045));
}

void frmnastaveni::Form_Load() { Vsporici = false; }

void frmnastaveni::closeEvent(QCloseEvent* event)
{
    if (Vsporici)
        m_program.ShowMainWindow();
    event->accept();
}
