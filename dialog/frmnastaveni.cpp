#include "dialog/frmnastaveni.h"

#include "resources/logo.h"

#include "dialog/controls.h"
#include "dialog/lessonchoicemodel.h"
#include "dialog/picturechooser.h"
#include "dialog/platformdialogs.h"
#include "dialog/updown.h"
#include "lessons/lessonchoice.h"
#include "lessons/sitetexts.h"
#include "settings/idletime.h"
#include "settings/keys.h"
#include "settings/Module1.h"
#include "settings/numeric.h"
#include "settings/registry.h"
#include "settings/settingsbatch.h"
#include "widgets/image.h"
#include "widgets/label.h"
#include "widgets/pictureloader.h"
#include "widgets/platformcolours.h"
#include "widgets/shape.h"
#include "widgets/twips.h"

#include <optional>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTreeView>
#include <utility>

namespace {

constexpr quint32 White = 0x00FFFFFF;
constexpr quint32 Black = 0x00000000;
constexpr quint32 ButtonFace = 0x8000000F;

QFont arial(double pointSize, bool bold = false, bool italic = false)
{
    return DesignFont(QStringLiteral("Arial"), pointSize, bold, italic);
}

QFont sloganFont()
{
    return DesignFont(QStringLiteral("Times New Roman"), 8.25, true);
}

struct LabelDesign {
    const char* name;
    QString caption = {};
    int left, top, width, height;
    quint32 fore = SystemColour::ButtonText;
    std::optional<quint32> back = {}; // transparent without one
    Qt::Alignment alignment = Qt::AlignLeft;
    Label::Sizing sizing = Label::Sizing::Fixed;
    std::optional<QFont> font = {}; // the window's font without one
};

Label* makeLabel(QWidget* parent, const LabelDesign& design)
{
    auto* label = new Label(parent, design.caption);
    label->setObjectName(QLatin1String(design.name));
    if (design.font)
        label->SetLabelFont(*design.font);
    label->SetForeColor(ColourOrBlack(design.fore));
    if (design.back)
        label->SetBackColor(ColourOrBlack(*design.back));
    label->SetAlignment(design.alignment);
    label->SetTwipsGeometry(design.left, design.top, design.width, design.height);
    label->SetSizing(design.sizing);
    return label;
}

void setTwipsGeometry(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(TwipsRect(left, top, width, height));
}

void paintWhite(QWidget* widget, bool blackText)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, ColourOrBlack(White));
    // What buttons fill their background with.
    palette.setColor(QPalette::Button, ColourOrBlack(White));
    if (blackText)
        palette.setColor(QPalette::WindowText, ColourOrBlack(Black));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Qt gathers every automatically exclusive option button below a parent, those on the pages
// too, into one group, and a click on the selected page option then cleared it: group them
// explicitly.
void groupOptions(std::initializer_list<QRadioButton*> options)
{
    auto* group = new QButtonGroup((*options.begin())->parentWidget());
    for (QRadioButton* option : options)
        group->addButton(option);
}

QRadioButton* makeOption(QWidget* parent, const char* name, const QString& caption, int left,
                         int top, int width, int height)
{
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(QLatin1String(name));
    paintWhite(option, true);
    setTwipsGeometry(option, left, top, width, height);
    return option;
}

CommandButton* makeButton(QWidget* parent, const char* name, const QString& caption, int left,
                          int top, int width, int height)
{
    auto* button = new CommandButton(parent, caption);
    button->setObjectName(QLatin1String(name));
    button->SetTwipsGeometry(left, top, width, height);
    return button;
}

QWidget* makePanel(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(name));
    paintWhite(panel, false);
    // A page is a tab stop of its own, as the designed tab order has it.
    panel->setFocusPolicy(Qt::TabFocus);
    setTwipsGeometry(panel, left, top, width, height);
    return panel;
}

QLineEdit* makeDelayBox(QWidget* parent, const char* name, int top)
{
    auto* box = new QLineEdit(QStringLiteral("1"), parent);
    box->setObjectName(QLatin1String(name));
    setTwipsGeometry(box, 2160, top, 375, 285);
    return box;
}

UpDown* makeUpDown(QWidget* parent, const char* name, QLineEdit* buddy)
{
    auto* upDown = new UpDown(parent);
    upDown->setObjectName(QLatin1String(name));
    upDown->SetRange(1, 30);
    upDown->SetBuddy(buddy);
    const QRect box = buddy->geometry();
    upDown->setGeometry(box.right() + 1, box.top(), TwipsToPixels(240), box.height());
    return upDown;
}

QString versionCaption()
{
    return QStringLiteral("verze: %1.%2.%3")
        .arg(VOKABO_VERSION_MAJOR)
        .arg(VOKABO_VERSION_MINOR)
        .arg(VOKABO_VERSION_PATCH);
}

} // namespace

frmnastaveni::frmnastaveni(PlatformDialogs& dialogs, const QString& lessonsFolder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint),
      m_dialogs(dialogs), m_lessonsFolder(lessonsFolder), cd(dialogs, this)
{
    setObjectName(QStringLiteral("frmnastaveni"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Nastavení"));
    setFont(arial(8.25));
    paintWhite(this, false);
    // The option buttons are designed 13 pixels high: their circles must fit in that.
    setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 12px; height: 12px; }"));
    const QSize client(TwipsToPixels(6045), TwipsToPixels(6045));
    setFixedSize(client);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, client,
                                    QGuiApplication::primaryScreen()->availableGeometry()));

    buildHeader();
    OptNastaveni =
        makeOption(this, "OptNastaveni", QStringLiteral("Nastavení"), 240, 1200, 1035, 195);
    optVzhled = makeOption(this, "optVzhled", QStringLiteral("Vzhled"), 240, 1560, 1155, 195);
    opto = makeOption(this, "opto", QStringLiteral("O nás"), 240, 1920, 1155, 195);
    optLekce = makeOption(this, "optLekce", QStringLiteral("Lekce"), 240, 2280, 1155, 195);
    OptNastaveni->setChecked(true);
    groupOptions({OptNastaveni, optVzhled, opto, optLekce});
    connect(OptNastaveni, &QRadioButton::clicked, this, &frmnastaveni::OptNastaveni_Click);
    connect(optVzhled, &QRadioButton::clicked, this, &frmnastaveni::optVzhled_Click);
    connect(opto, &QRadioButton::clicked, this, &frmnastaveni::opto_Click);
    connect(optLekce, &QRadioButton::clicked, this, &frmnastaveni::optLekce_Click);

    Picture1 = makePanel(this, "Picture1", 1920, 1200, 3975, 3975);
    Picture2 = makePanel(this, "Picture2", 1920, 1080, 3975, 4095);
    Picture3 = makePanel(this, "Picture3", 1920, 1080, 3975, 4095);
    Picture4 = makePanel(this, "Picture4", 1920, 1080, 3975, 4095);
    Picture2->hide();
    Picture3->hide();
    Picture4->hide();
    buildSettingsPage();
    buildAppearancePage();
    buildAboutPage();
    buildLessonsPage();

    cmdpuv = makeButton(this, "cmdpuv", QStringLiteral("Výchozí nastavení"), 120, 5400, 1575, 495);
    cmdOk = makeButton(this, "cmdOk", QStringLiteral("OK"), 3720, 5400, 975, 495);
    CmdStorno = makeButton(this, "CmdStorno", QStringLiteral("Storno"), 4800, 5400, 975, 495);
    connect(cmdpuv, &QPushButton::clicked, this, &frmnastaveni::cmdpuv_Click);
    connect(cmdOk, &QPushButton::clicked, this, &frmnastaveni::cmdOk_Click);
    connect(CmdStorno, &QPushButton::clicked, this, &frmnastaveni::CmdStorno_Click);

    buildTabOrder();
    QWidget::setTabOrder(UpDown2, txtnecinnost);
    QWidget::setTabOrder(txtnecinnost, UpDown3);
    cmdOk->setFocus();
}

void frmnastaveni::buildHeader()
{
    // Created back to front, so that each control is drawn over the ones made before it.
    Shape2 =
        new Shape(this, true, ColourOrBlack(SystemColour::WindowBackground), ColourOrBlack(White));
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->SetTwipsGeometry(-120, 0, 5895, 975);
    Label3 = makeLabel(this, {.name = "Label3",
                              .caption = SiteAddress(),
                              .left = 765,
                              .top = 165,
                              .width = 4560,
                              .height = 480,
                              .fore = 0x00E0E0E0,
                              .sizing = Label::Sizing::AutoSize,
                              .font = arial(20.25, true, true)});
    Image2 = new Image(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->SetPicture(Logo());
    Image2->SetTwipsGeometry(240, 195, 435, 405);
    Label2 = makeLabel(this, {.name = "Label2",
                              .caption = Slogan(),
                              .left = 1800,
                              .top = 600,
                              .width = 3375,
                              .height = 255,
                              .font = sloganFont()});
    Label1 = makeLabel(this, {.name = "Label1",
                              .caption = SiteAddress(),
                              .left = 720,
                              .top = 120,
                              .width = 4560,
                              .height = 480,
                              .sizing = Label::Sizing::AutoSize,
                              .font = arial(20.25, true, true)});
    Shape1 = new Shape(this, false, ColourOrBlack(White), ColourOrBlack(0x00FE653F));
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->SetTwipsGeometry(120, 1080, 1575, 4215);
}

void frmnastaveni::buildSettingsPage()
{
    QWidget* page = Picture1;
    const auto sentence = [page](const char* name, const QString& caption, int left, int top,
                                 int width, int height) {
        return makeLabel(page, {.name = name,
                                .caption = caption,
                                .left = left,
                                .top = top,
                                .width = width,
                                .height = height,
                                .fore = Black,
                                .back = White});
    };
    sentence("Label4", QStringLiteral("Co se má zobrazit nejdřív?"), 0, 0, 2175, 255);
    Option1 = makeOption(page, "Option1", QStringLiteral("Nejdřív česky"), 600, 360, 2895, 375);
    Option2 = makeOption(page, "Option2", QStringLiteral("Nejdřív anglicky"), 600, 720, 2895, 375);
    Option1->setChecked(true);
    groupOptions({Option1, Option2});
    sentence("Label5", QStringLiteral("následuje prodleva:"), 0, 1680, 2175, 255);
    txtprvni = makeDelayBox(page, "txtprvni", 1680);
    UpDown1 = makeUpDown(page, "UpDown1", txtprvni);
    Label6[0] = sentence("Label6", QStringLiteral("s. "), 2880, 1680, 735, 255);
    sentence("Label7", QStringLiteral("poté se zobrazí slovíčko anglicky"), 0, 2160, 2775, 375);
    sentence("Label8", QStringLiteral("Následuje další prodleva:"), 0, 2880, 2655, 255);
    txtdruhy = makeDelayBox(page, "txtdruhy", 2880);
    UpDown2 = makeUpDown(page, "UpDown2", txtdruhy);
    Label6[1] = sentence("Label6", QStringLiteral("s. "), 2880, 2880, 735, 255);
    sentence("Label9", QStringLiteral("a vše se opakuje"), 0, 3480, 3855, 375);

    chkvyslovnost = new QCheckBox(QStringLiteral("Zobrazit výslovnost a příklad"), page);
    chkvyslovnost->setObjectName(QStringLiteral("chkvyslovnost"));
    paintWhite(chkvyslovnost, true);
    setTwipsGeometry(chkvyslovnost, 0, 1200, 3855, 255);

    // The idle watcher's time, in the page's last line, in the column of the delays.
    sentence("Label20", QStringLiteral("Spustit po nečinnosti:"), 0, 3690, 2175, 255);
    txtnecinnost = makeDelayBox(page, "txtnecinnost", 3690);
    UpDown3 = makeUpDown(page, "UpDown3", txtnecinnost);
    UpDown3->SetRange(int(IdleTime::ShortestMinutes), int(IdleTime::LongestMinutes));
    sentence("Label21", QStringLiteral("min."), 2880, 3690, 735, 255);
}

void frmnastaveni::buildAppearancePage()
{
    QWidget* page = Picture2;
    const auto caption = [page](const char* name, const QString& text, int left, int top,
                                int width) {
        makeLabel(page, {.name = name,
                         .caption = text,
                         .left = left,
                         .top = top,
                         .width = width,
                         .height = 255,
                         .fore = Black});
    };
    const auto swatch = [page](const char* name, int top) {
        auto* label =
            new ColourSwatch(page, SystemColour::WindowBackground, SystemColour::WindowText);
        label->setObjectName(QLatin1String(name));
        label->SetTwipsGeometry(1800, top, 1335, 255);
        return label;
    };
    const QFont previewFont = arial(14.25, true);

    // Created back to front, so that each control is drawn over the ones made before it.
    lblprevpoz = makeLabel(page, {.name = "lblprevpoz",
                                  .left = 720,
                                  .top = 2400,
                                  .width = 2415,
                                  .height = 1695,
                                  .back = ButtonFace});
    Image1 = new Image(page);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->SetTwipsGeometry(720, 2400, 2415, 1695);
    lblprevstin = makeLabel(page, {.name = "lblprevstin",
                                   .caption = QStringLiteral("TEXT"),
                                   .left = 1340,
                                   .top = 3140,
                                   .width = 1335,
                                   .height = 400,
                                   .font = previewFont});
    caption("Label10", QStringLiteral("Barva pozadí:"), 240, 240, 1215);
    lblpozadi = swatch("lblpozadi", 240);
    caption("Label11", QStringLiteral("Barva textu:"), 240, 600, 1095);
    lbltext = swatch("lbltext", 600);
    caption("Label12", QStringLiteral("Barva stínu:"), 240, 960, 975);
    lblstin = swatch("lblstin", 960);
    caption("Label13", QStringLiteral("Obrázek na pozadí:"), 240, 1440, 1695);
    lblcestaobr = new PathLabel(page);
    lblcestaobr->setObjectName(QStringLiteral("lblcestaobr"));
    lblcestaobr->SetForeColor(ColourOrBlack(SystemColour::ButtonText));
    lblcestaobr->SetTwipsGeometry(600, 1680, 2775, 855);
    lblprevtext = makeLabel(page, {.name = "lblprevtext",
                                   .caption = QStringLiteral("TEXT"),
                                   .left = 1320,
                                   .top = 3120,
                                   .width = 1335,
                                   .height = 375,
                                   .font = previewFont});

    const QString more = QStringLiteral("...");
    cmdpozadi = makeButton(page, "cmdpozadi", more, 3240, 240, 375, 255);
    cmdtext = makeButton(page, "cmdtext", more, 3240, 600, 375, 255);
    cmdstin = makeButton(page, "cmdstin", more, 3240, 960, 375, 255);
    cmdobr = makeButton(page, "cmdobr", more, 3240, 1680, 375, 255);
    connect(cmdpozadi, &QPushButton::clicked, this, &frmnastaveni::cmdpozadi_Click);
    connect(cmdtext, &QPushButton::clicked, this, &frmnastaveni::cmdtext_Click);
    connect(cmdstin, &QPushButton::clicked, this, &frmnastaveni::cmdstin_Click);
    connect(cmdobr, &QPushButton::clicked, this, &frmnastaveni::cmdobr_Click);
    // The designed path label reaches under its "..." button.
    lblcestaobr->SetTextWidth(cmdobr->x() - lblcestaobr->x() - TwipsToPixels(60));
    // Below "...", clear of the path's lines and of the preview.
    cmdodebrat = makeButton(page, "cmdodebrat", QStringLiteral("×"), 3240, 1995, 375, 255);
    cmdodebrat->setToolTip(QStringLiteral("Odebrat obrázek"));
    cmdodebrat->setAccessibleName(cmdodebrat->toolTip());
    connect(cmdodebrat, &QPushButton::clicked, this, &frmnastaveni::cmdodebrat_Click);
}

void frmnastaveni::buildAboutPage()
{
    QWidget* page = Picture3;
    const auto centred = Qt::AlignHCenter | Qt::AlignTop;
    const auto right = Qt::AlignRight | Qt::AlignTop;
    makeLabel(page,
              {.name = "Label14",
               .caption = QStringLiteral("Tento spořič obrazovky vzniknul na podporu  "
                                         "nekomerčního webu pro všechny studenty angličtiny: "),
               .left = 0,
               .top = 240,
               .width = 3855,
               .height = 615,
               .alignment = centred});
    makeLabel(page, {.name = "Label15",
                     .caption = SiteAddress(),
                     .left = 120,
                     .top = 1440,
                     .width = 3600,
                     .height = 360,
                     .sizing = Label::Sizing::AutoSize,
                     .font = arial(15.75, true, true)});
    makeLabel(page, {.name = "Label18",
                     .caption = Slogan(),
                     .left = 240,
                     .top = 1800,
                     .width = 3375,
                     .height = 255,
                     .alignment = centred,
                     .font = sloganFont()});
    makeLabel(page, {.name = "Label16",
                     .caption = QStringLiteral("Autor: Tým Vokabo"),
                     .left = 1920,
                     .top = 3360,
                     .width = 2055,
                     .height = 255,
                     .alignment = right});
    makeLabel(page, {.name = "Label17",
                     .caption = QStringLiteral("Náměty pište na info@vokabo.cz"),
                     .left = 600,
                     .top = 3600,
                     .width = 3375,
                     .height = 255,
                     .alignment = right});
    lblverze = makeLabel(page, {.name = "lblverze",
                                .caption = QStringLiteral("Label19"),
                                .left = 0,
                                .top = 3840,
                                .width = 1215,
                                .height = 255,
                                .fore = 0x00808080,
                                .font = arial(8.25, false, true)});
}

void frmnastaveni::buildLessonsPage()
{
    QWidget* page = Picture4;
    makeLabel(page, {.name = "lbllekce",
                     .caption = QStringLiteral("Slovíčka se vybírají z označených lekcí:"),
                     .left = 0,
                     .top = 120,
                     .width = 3975,
                     .height = 255,
                     .fore = Black});
    m_lessons = new LessonChoiceModel(this);
    lstlekce = new QTreeView(page);
    lstlekce->setObjectName(QStringLiteral("lstlekce"));
    lstlekce->setModel(m_lessons);
    // Rows of one height let the view ask only for the rows on screen, so only their files
    // are read.
    lstlekce->setUniformRowHeights(true);
    lstlekce->setRootIsDecorated(false);
    lstlekce->setItemsExpandable(false);
    lstlekce->setIndentation(TwipsToPixels(240));
    lstlekce->setSelectionMode(QAbstractItemView::SingleSelection);
    lstlekce->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    lstlekce->header()->setStretchLastSection(false);
    lstlekce->header()->setSectionResizeMode(LessonChoiceModel::Title, QHeaderView::Stretch);
    lstlekce->header()->setSectionResizeMode(LessonChoiceModel::Entries, QHeaderView::Fixed);
    lstlekce->header()->resizeSection(LessonChoiceModel::Entries, TwipsToPixels(600));
    lstlekce->header()->setSectionsMovable(false);
    connect(m_lessons, &QAbstractItemModel::modelReset, lstlekce, &QTreeView::expandAll);
    setTwipsGeometry(lstlekce, 0, 480, 3975, 3615);
}

void frmnastaveni::buildTabOrder()
{
    // Of each group of option buttons only the selected one is a tab stop; the arrow keys
    // move within the group.
    const auto tabStopWhenSelected = [](QRadioButton* option) {
        const auto update = [option](bool checked) {
            option->setFocusPolicy(checked ? Qt::StrongFocus : Qt::ClickFocus);
        };
        update(option->isChecked());
        connect(option, &QRadioButton::toggled, option, update);
    };
    for (QRadioButton* option : {Option1, Option2, OptNastaveni, optVzhled, opto, optLekce})
        tabStopWhenSelected(option);

    const QList<QWidget*> order{cmdOk,        CmdStorno, Picture1,   txtdruhy, txtprvni,  Option2,
                                Option1,      UpDown1,   UpDown2,    Picture2, cmdpozadi, cmdtext,
                                cmdstin,      cmdobr,    cmdodebrat, Picture4, lstlekce,  cmdpuv,
                                OptNastaveni, optVzhled, opto,       optLekce, Picture3};
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    QWidget::setTabOrder(Option1, chkvyslovnost);
}

void frmnastaveni::Form_Load()
{
    Vsporici = false;
    LoadControls();
}

// The load handler without its reset of Vsporici, which the defaults button must keep: a
// dialog opened from the running saver still brings the saver back afterwards.
void frmnastaveni::LoadControls()
{
    using namespace SettingsKeys;
    lblverze->SetCaption(versionCaption());

    // From here on a step that fails is skipped and the next one runs.
    registry reg;
    OpenSettingsSection(reg);
    const auto read = [&reg](QLatin1StringView key) -> std::optional<QString> {
        reg.setKey(key);
        if (!reg.RegGet())
            return std::nullopt;
        return reg.Setting();
    };
    const auto setColour = [&read](QLatin1StringView key, auto&& apply) {
        if (const auto text = read(key))
            apply(ColourSettingOrDefault(*text, key));
    };

    if (auto first = read(nprvni)) {
        const auto reset =
            IsNumeric(*first) ? FirstRunDefaults::NotNeeded : WriteDefaultSettingsAtFirstRun();
        if (reset == FirstRunDefaults::Written)
            first = DefaultText(nprvni); // the box shows what the store now holds
        else if (reset == FirstRunDefaults::NotNeeded && !IsNumeric(*first))
            first = read(nprvni); // an editor was saving the file as it was first read
        if (first && IsNumeric(*first))
            txtprvni->setText(*first);
    }
    if (const auto second = read(ndruhy); second && IsNumeric(*second))
        txtdruhy->setText(*second);
    if (const auto czechFirst = read(prvnicesky))
        (*czechFirst == QLatin1String("1") ? Option1 : Option2)->setChecked(true);
    setColour(bpozadi, [this](quint32 number) {
        lblpozadi->SetBackColorNumber(number);
        if (const auto c = ColourFromNumber(number))
            lblprevpoz->SetBackColor(*c);
    });
    setColour(btextu, [this](quint32 number) {
        lbltext->SetBackColorNumber(number);
        if (const auto c = ColourFromNumber(number))
            lblprevtext->SetForeColor(*c);
    });
    setColour(bstinu, [this](quint32 number) {
        lblstin->SetBackColorNumber(number);
        if (const auto c = ColourFromNumber(number))
            lblprevstin->SetForeColor(*c);
    });
    const auto idle = read(necinnost);
    txtnecinnost->setText(idle && IdleTime::MinutesFromText(*idle)
                              ? *idle
                              : QString::number(IdleTime::DefaultMinutes));
    const auto path = read(obr);
    if (path)
        lblcestaobr->SetPath(*path);
    Image1->SetPicture(QPixmap());
    if (path) {
        if (const auto picture = LoadPicture(*path))
            Image1->SetPicture(QPixmap::fromImage(*picture));
    }
    coverPreview();
    if (const auto details = read(vyslovnost))
        chkvyslovnost->setChecked(*details == QLatin1String("1"));
    LoadLessonChoice();
}

void frmnastaveni::LoadLessonChoice()
{
    registry reg;
    OpenSettingsSection(reg);
    reg.setKey(SettingsKeys::lekce);
    m_lessons->SetStoredChoice(ParseLessonChoice(reg.RegGet() ? reg.Setting() : QString()));
    if (optLekce->isChecked())
        ListLessons();
}

// Listing a folder of many thousand lessons takes a while: it waits until the page is
// wanted.
void frmnastaveni::ListLessons()
{
    if (!m_lessons->Listed())
        m_lessons->List(ListLessonFiles(LessonFolders(m_lessonsFolder)), m_lessonsFolder);
}

void frmnastaveni::coverPreview()
{
    Image1->SetStretch(true);
    Image1->setGeometry(lblprevpoz->geometry());
    Image1->show();
    cmdodebrat->setEnabled(!lblcestaobr->Caption().isEmpty());
}

bool frmnastaveni::SaveSettings()
{
    using namespace SettingsKeys;
    // In the order of the key table, as one change of the store: all of them or none.
    SettingsBatch batch(AppName, Section);
    batch.Set(nprvni, txtprvni->text());
    batch.Set(ndruhy, txtdruhy->text());
    batch.Set(prvnicesky, Option1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    batch.Set(pozice, QStringLiteral("0"));
    batch.Set(bpozadi, ColourNumberToText(lblpozadi->BackColorNumber()));
    batch.Set(btextu, ColourNumberToText(lbltext->BackColorNumber()));
    batch.Set(bstinu, ColourNumberToText(lblstin->BackColorNumber()));
    batch.Set(obr, lblcestaobr->Caption());
    batch.Set(vyslovnost, chkvyslovnost->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    batch.Set(lekce, FormatLessonChoice(m_lessons->LeftOut()));
    batch.Set(necinnost, txtnecinnost->text());
    return batch.Save() == SettingsBatch::Result::Saved;
}

// A first delay that is no number would make the next start reset every setting, and a
// second one would be ignored. Every number the saver runs as it is: 0, negative, a fraction,
// and beyond 16 bits the longest delay.
bool frmnastaveni::DelaysAreUsable()
{
    const std::pair<QLineEdit*, QString> boxes[] = {
        {txtprvni, QStringLiteral("následuje prodleva")},
        {txtdruhy, QStringLiteral("Následuje další prodleva")},
    };
    for (const auto& [box, caption] : boxes) {
        if (IsNumeric(box->text()))
            continue;
        m_dialogs.ReportFailure(
            this, QStringLiteral("V poli „%1“ musí být číslo: počet sekund.").arg(caption));
        OptNastaveni->setChecked(true);
        ShowSelectedPage();
        box->setFocus();
        box->selectAll();
        return false;
    }
    return true;
}

bool frmnastaveni::LessonsAreChosen()
{
    if (!m_lessons->NothingChosen())
        return true;
    m_dialogs.ReportFailure(this, QStringLiteral("Označte aspoň jednu lekci, ze které se mají "
                                                 "slovíčka vybírat."));
    optLekce->setChecked(true);
    ShowSelectedPage();
    lstlekce->setFocus();
    return false;
}

bool frmnastaveni::IdleTimeIsUsable()
{
    if (IdleTime::MinutesFromText(txtnecinnost->text()))
        return true;
    m_dialogs.ReportFailure(
        this, QStringLiteral("V poli „Spustit po nečinnosti“ musí být počet minut od %1 do %2.")
                  .arg(IdleTime::ShortestMinutes)
                  .arg(IdleTime::LongestMinutes));
    OptNastaveni->setChecked(true);
    ShowSelectedPage();
    txtnecinnost->setFocus();
    txtnecinnost->selectAll();
    return false;
}

void frmnastaveni::cmdOk_Click()
{
    if (!DelaysAreUsable())
        return;
    if (!LessonsAreChosen())
        return;
    if (!IdleTimeIsUsable())
        return;
    if (!SaveSettings()) {
        // Closing now would look like a save; stay open so the user can try again or leave
        // with Storno.
        m_dialogs.ReportFailure(this, QStringLiteral("Nastavení se nepodařilo uložit."));
        return;
    }
    close();
}

void frmnastaveni::CmdStorno_Click()
{
    close();
}

void frmnastaveni::cmdpuv_Click()
{
    // The three keys beyond the first-run defaults go back too: the defaults are what the
    // saver looked like before the user asked for more, with every lesson.
    SettingsBatch beyond(SettingsKeys::AppName, SettingsKeys::Section);
    beyond.Set(SettingsKeys::vyslovnost, QStringLiteral("0"));
    beyond.Set(SettingsKeys::lekce, QString());
    beyond.Set(SettingsKeys::necinnost, QString::number(IdleTime::DefaultMinutes));
    // The controls then show what the store still holds.
    if (!WriteDefaultSettings() || beyond.Save() != SettingsBatch::Result::Saved)
        m_dialogs.ReportFailure(this, QStringLiteral("Nastavení se nepodařilo uložit."));
    LoadControls();
}

void frmnastaveni::chooseColour(ColourSwatch* swatch, Label* preview, bool previewBack)
{
    cd.SetColor(swatch->BackColorNumber());
    cd.ShowColor();
    swatch->SetBackColorNumber(cd.Color());
    if (const auto chosen = ColourFromNumber(cd.Color()))
        previewBack ? preview->SetBackColor(*chosen) : preview->SetForeColor(*chosen);
}

void frmnastaveni::cmdpozadi_Click()
{
    chooseColour(lblpozadi, lblprevpoz, true);
}
void frmnastaveni::cmdtext_Click()
{
    chooseColour(lbltext, lblprevtext, false);
}
void frmnastaveni::cmdstin_Click()
{
    chooseColour(lblstin, lblprevstin, false);
}

void frmnastaveni::cmdobr_Click()
{
    cd.SetFilter(PictureFilters());
    cd.SetInitDir(PictureChooserStart(lblcestaobr->Caption()));
    const QString before = cd.FileName();
    cd.ShowOpen();
    // A pipe, device or folder is no picture and reading one can block: such a choice is
    // refused, and the path and the preview keep what they showed.
    if (!cd.FileName().isEmpty() && !QFileInfo(cd.FileName()).isFile()) {
        cd.SetFileName(before);
        return;
    }
    lblcestaobr->SetPath(cd.FileName());
    Image1->hide();
    // A file that is no picture leaves the preview with the picture it had.
    if (const auto picture = LoadPicture(cd.FileName()))
        Image1->SetPicture(QPixmap::fromImage(*picture));
    coverPreview();
}

void frmnastaveni::cmdodebrat_Click()
{
    // Forgotten by the file dialog too, so that cancelling it later does not bring the
    // picture back.
    cd.SetFileName(QString());
    lblcestaobr->SetPath(QString());
    Image1->SetPicture(QPixmap());
    cmdobr->setFocus();
    coverPreview();
}

void frmnastaveni::ShowSelectedPage()
{
    if (OptNastaveni->isChecked()) {
        Picture1->show();
        Picture2->hide();
        Picture3->hide();
        Picture4->hide();
    } else if (optVzhled->isChecked()) {
        Picture2->show();
        Picture1->hide();
        Picture3->hide();
        Picture4->hide();
    } else if (opto->isChecked()) {
        Picture3->show();
        Picture1->hide();
        Picture2->hide();
        Picture4->hide();
    } else if (optLekce->isChecked()) {
        ListLessons();
        Picture4->show();
        Picture1->hide();
        Picture2->hide();
        Picture3->hide();
    }
}

void frmnastaveni::closeEvent(QCloseEvent* event)
{
    // The saver's window loads its lesson while this one is still on screen; a second
    // close meanwhile must not bring a second saver.
    if (!m_closing) {
        m_closing = true;
        emit closing(Vsporici);
    }
    event->accept();
}
