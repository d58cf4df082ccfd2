#include "screensaver/program.h"

#include "dialog/frmnastaveni.h"
#include "dialog/qtczech.h"
#include "screensaver/frmmain.h"

#include <QTimer>

Program::Program(Options options) : m_options(std::move(options)) {}

bool Program::Start()
{
    ShowMainWindow();
    return !m_ended && HasWindows();
}

frmmain* Program::ShowMainWindow()
{
    auto* window = new frmmain(*this, m_vars);
    m_main = window;
    connect(window, &QObject::destroyed, this, &Program::windowGone);
    window->Form_Load();
    if (m_ended || window->IsUnloaded())
        return nullptr;
    window->ShowFullScreen();
    return window;
}

frmnastaveni* Program::ShowSettingsDialog()
{
    // Only the dialog and its choosers speak Qt's own texts, so a saver that never opens them
    // never loads the catalogue.
    static const bool czech = InstallQtCzech();
    Q_UNUSED(czech);
    auto* dialog = new frmnastaveni(Dialogs(), LessonsFolder());
    m_dialog = dialog;
    connect(dialog, &QObject::destroyed, this, &Program::windowGone);
    connect(dialog, &frmnastaveni::closing, this, [this](bool Vsporici) {
        if (Vsporici)
            ShowMainWindow();
    });
    dialog->Form_Load();
    dialog->show();
    dialog->activateWindow();
    return dialog;
}

bool Program::HasWindows() const
{
    return (m_main && !m_main->IsUnloaded()) || m_dialog;
}

void Program::EndNow()
{
    m_ended = true;
    emit finished();
}

void Program::windowGone()
{
    // A window hands over to the other before it goes, so judge once the hand-over is done.
    QTimer::singleShot(0, this, [this] {
        if (!HasWindows())
            emit finished();
    });
}
