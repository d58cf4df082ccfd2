#pragma once

#include "dialog/commondialog.h"

#include <array>
#include <QWidget>

class ColourSwatch;
class LessonChoiceModel;
class PathLabel;
class CommandButton;
class Image;
class Label;
class PlatformDialogs;
class QCheckBox;
class QLineEdit;
class QRadioButton;
class QTreeView;
class Shape;
class UpDown;

// The settings dialog: four pages of controls that hold the edited settings until OK
// stores them. Every control carries its design name as object name. Whoever opens it
// decides what its closing leads to.
class frmnastaveni : public QWidget {
    Q_OBJECT
public:
    // lessonsFolder: the lessons folder beside the program, listed on the lesson page with
    // the user's own.
    frmnastaveni(PlatformDialogs& dialogs, const QString& lessonsFolder);

    // True while the dialog was opened from the running saver, which then comes back when
    // the dialog closes.
    bool Vsporici = false;

    // The load handler: the version and the stored settings into the controls.
    void Form_Load();

signals:
    // The dialog is going, whatever closed it; sent once, with Vsporici as it then is.
    void closing(bool Vsporici);

private slots:
    void cmdOk_Click();
    void CmdStorno_Click();
    void cmdpuv_Click();
    void cmdpozadi_Click();
    void cmdtext_Click();
    void cmdstin_Click();
    void cmdobr_Click();
    void cmdodebrat_Click();
    void OptNastaveni_Click() { ShowSelectedPage(); }
    void optVzhled_Click() { ShowSelectedPage(); }
    void opto_Click() { ShowSelectedPage(); }
    void optLekce_Click() { ShowSelectedPage(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildHeader();
    void buildSettingsPage();
    void buildAppearancePage();
    void buildAboutPage();
    void buildLessonsPage();
    void buildTabOrder();

    void LoadControls();
    void LoadLessonChoice();
    void ListLessons();
    bool LessonsAreChosen();
    bool DelaysAreUsable();
    bool IdleTimeIsUsable();
    bool SaveSettings();
    void ShowSelectedPage();
    void chooseColour(ColourSwatch* swatch, Label* preview, bool previewBack);
    void coverPreview();

    PlatformDialogs& m_dialogs;
    QString m_lessonsFolder;
    CommonDialog cd;
    bool m_closing = false;

    Shape* Shape2 = nullptr;
    Label* Label3 = nullptr;
    Image* Image2 = nullptr;
    Label* Label2 = nullptr;
    Label* Label1 = nullptr;
    Shape* Shape1 = nullptr;
    QRadioButton* OptNastaveni = nullptr;
    QRadioButton* optVzhled = nullptr;
    QRadioButton* opto = nullptr;
    QRadioButton* optLekce = nullptr;
    QWidget* Picture1 = nullptr;
    QWidget* Picture2 = nullptr;
    QWidget* Picture3 = nullptr;
    QWidget* Picture4 = nullptr;
    CommandButton* cmdpuv = nullptr;
    CommandButton* cmdOk = nullptr;
    CommandButton* CmdStorno = nullptr;

    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLineEdit* txtprvni = nullptr;
    QLineEdit* txtdruhy = nullptr;
    UpDown* UpDown1 = nullptr;
    UpDown* UpDown2 = nullptr;
    std::array<Label*, 2> Label6{};
    QCheckBox* chkvyslovnost = nullptr;
    // How long the computer must be idle before the idle watcher starts the saver.
    QLineEdit* txtnecinnost = nullptr;
    UpDown* UpDown3 = nullptr;

    Label* lblprevpoz = nullptr;
    Image* Image1 = nullptr;
    Label* lblprevstin = nullptr;
    ColourSwatch* lblpozadi = nullptr;
    ColourSwatch* lbltext = nullptr;
    ColourSwatch* lblstin = nullptr;
    PathLabel* lblcestaobr = nullptr;
    Label* lblprevtext = nullptr;
    CommandButton* cmdpozadi = nullptr;
    CommandButton* cmdtext = nullptr;
    CommandButton* cmdstin = nullptr;
    CommandButton* cmdobr = nullptr;
    CommandButton* cmdodebrat = nullptr;

    Label* lblverze = nullptr;

    QTreeView* lstlekce = nullptr;
    LessonChoiceModel* m_lessons = nullptr;
};
