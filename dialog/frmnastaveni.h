#pragma once

#include <QWidget>

class Program;

// The settings dialog.
class frmnastaveni : public QWidget {
    Q_OBJECT
public:
    explicit frmnastaveni(Program& program);

    // True while the dialog was opened from the running saver, which then comes back when
    // the dialog closes.
    bool Vsporici = false;

    void Form_Load();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Program& m_program;
};
