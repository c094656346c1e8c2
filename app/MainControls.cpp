// Building the controls of the main window with their designed texts, states and looks.
#include "Main.h"

#include "MainWidgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace {
const QColor Purple(0x80, 0x00, 0x80);
const QColor Red(0xFF, 0x00, 0x00);
const QColor Grey(0x80, 0x80, 0x80);
constexpr int ToolColumnWidth = 56;
constexpr int StatusHeight = 22;

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::Text, color);
    widget->setPalette(p);
}

void setBold(QWidget* widget, int pixelSize = 0)
{
    QFont f = widget->font();
    f.setBold(true);
    if (pixelSize > 0)
        f.setPixelSize(pixelSize);
    widget->setFont(f);
}

QLabel* label(QWidget* parent, const QString& text, int x, int y, int w = 300)
{
    auto* l = new QLabel(text, parent);
    l->setGeometry(x, y, w, 16);
    return l;
}

QLabel* redLabel(QWidget* parent, const QString& text)
{
    auto* l = new QLabel(text, parent);
    setTextColor(l, Red);
    setBold(l);
    return l;
}

QToolButton* textButton(QWidget* parent, const QString& text)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    setBold(b, 14);
    b->setAutoRaise(false);
    return b;
}

QToolButton* pictureButton(QWidget* parent, const QIcon& icon, const QString& hint, int size = 32)
{
    auto* b = new QToolButton(parent);
    b->setIcon(icon);
    b->setIconSize(QSize(size - 8, size - 8));
    b->setToolTip(hint);
    b->setAutoRaise(true);
    b->setFixedSize(size, size);
    return b;
}

QToolButton* wideButton(QWidget* parent, const QString& text)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    setBold(b);
    b->setMinimumHeight(34);
    return b;
}

// Title row of a panel: the "+"/"-" button and the purple bold title.
QLabel* titleRow(QWidget* panel, QToolButton*& button, const QString& caption, const QString& title)
{
    button = textButton(panel, caption);
    button->setGeometry(8, 8, 25, 25);
    auto* l = new QLabel(title, panel);
    setTextColor(l, Purple);
    setBold(l, 13);
    l->setGeometry(42, 8, 680, 25);
    return l;
}

// A pick-only list that reports every close of its drop-down, as the brand list needs. Only a
// drop-down that was shown counts: QComboBox also hides its popup when it is disabled. The report
// is queued because QComboBox closes the drop-down before it takes the chosen item.
class CloseUpComboBox final : public QComboBox
{
public:
    CloseUpComboBox(QWidget* parent, std::function<void()> closedUp)
        : QComboBox(parent), m_closedUp(std::move(closedUp))
    {
    }
    void showPopup() override
    {
        QComboBox::showPopup();
        m_dropped = true;
    }
    void hidePopup() override
    {
        const bool dropped = m_dropped;
        m_dropped = false;
        QComboBox::hidePopup();
        if (dropped && m_closedUp)
            QMetaObject::invokeMethod(this, m_closedUp, Qt::QueuedConnection);
    }

private:
    std::function<void()> m_closedUp;
    bool m_dropped = false;
};

QListWidget* checkList(QWidget* parent)
{
    auto* list = new QListWidget(parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    return list;
}
} // namespace

void TForm1::buildControls()
{
    setWindowTitle(QStringLiteral("CORVINEL"));
    setFixedSize(777, 660);

    m_panelSettingData = new FoldPanel(this);
    m_panelExportSettings = new FoldPanel(this);
    StaticText1 = new QLabel(QStringLiteral("Running ..."), this);
    StaticText1->setAutoFillBackground(true);
    StaticText1->setAlignment(Qt::AlignCenter);
    QPalette sp = StaticText1->palette();
    sp.setColor(QPalette::Window, Red);
    sp.setColor(QPalette::WindowText, Qt::yellow);
    StaticText1->setPalette(sp);
    setBold(StaticText1, 12);
    m_body = new QWidget(this);
    m_toolColumn = new QWidget(m_body);
    m_workArea = new TopStack(m_body);

    buildSettingDataPanel();
    buildExportSettingsPanel();
    buildToolColumn();
    buildBrandsPanel();
    buildTradeGroupsPanel();
    buildPreparationPanel();
    buildExportPricesPanel();
    buildComparePanel();

    m_panelSettingData->setPanelHeight(PanelFolding::SettingDataOpenHeight);
    m_panelExportSettings->setPanelHeight(PanelFolding::ExportSettingsOpenHeight);
    for (FoldPanel* panel : m_listPanels) {
        panel->setPanelHeight(PanelFolding::ClosedHeight);
        m_workArea->addPanel(panel);
    }

    Action1 = new QAction(QStringLiteral("Action1"), this);
    Action1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    Action1->setShortcutContext(Qt::WindowShortcut);
    addAction(Action1);

    connectHandlers();
    arrangeWindow();
}

void TForm1::buildSettingDataPanel()
{
    QWidget* p = m_panelSettingData;
    Label6 = titleRow(p, SpeedButton4, QStringLiteral("-"), QStringLiteral("SETTING DATA"));
    label(p, QStringLiteral("FOLDER FOR TEMP FILES"), 16, 48);
    Edit1 = new QLineEdit(p);
    Edit1->setGeometry(16, 66, 745, 24);
    label(p, QStringLiteral("LANGUAGE EXPORT"), 16, 100);
    ComboBox1 = new QComboBox(p);
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setMaxVisibleItems(30);
    ComboBox1->setGeometry(16, 118, 200, 24);
    label(p, QStringLiteral("VERSION DATA"), 16, 152);
    Edit2 = new QLineEdit(p);
    Edit2->setReadOnly(true);
    setTextColor(Edit2, Grey);
    setBold(Edit2);
    Edit2->setGeometry(16, 170, 200, 24);
}

void TForm1::buildExportSettingsPanel()
{
    QWidget* p = m_panelExportSettings;
    Label12 = titleRow(p, SpeedButton6, QStringLiteral("-"), QStringLiteral("EXPORT PRICES"));
    label(p, QStringLiteral("PRICES FROM SUPPLIER OR REGION"), 16, 48);
    ComboBox2 = new QComboBox(p);
    ComboBox2->setMaxVisibleItems(30);
    ComboBox2->setGeometry(16, 66, 400, 24);
    SpeedButton5 = pictureButton(
        p, PictureIcon(QStringLiteral("go-home"), QStringLiteral("W"), QColor(0x2E, 0x7D, 0x32)), QString(),
        28);
    SpeedButton5->move(422, 64);
    Label28 = label(p, QStringLiteral("SORTING FOR THE [EBAY] SITE"), 470, 48, 290);
    ComboBox5 = new QComboBox(p);
    ComboBox5->addItems(
        {QStringLiteral("Best Match"), QStringLiteral("Time: Ending Soonest"),
         QStringLiteral("Time: Newly Listed"), QStringLiteral("Price: Lowest First"),
         QStringLiteral("Price: Highest First"), QStringLiteral("Price + Shipping: Lowest First"),
         QStringLiteral("Price + Shipping: Highest First"), QStringLiteral("Distance: Nearest First")});
    ComboBox5->setCurrentIndex(0);
    ComboBox5->setGeometry(470, 66, 290, 24);
    Label28->setEnabled(false);
    ComboBox5->setEnabled(false);

    label(p, QStringLiteral("VALUE FOR MULTIPLYING THE PRICE"), 16, 100, 250);
    Edit4 = new QLineEdit(QStringLiteral("1"), p);
    Edit4->setGeometry(16, 118, 200, 24);
    SpeedButton25 = pictureButton(
        p, PictureIcon(QStringLiteral("dialog-information"), QStringLiteral("i"), QColor(0x15, 0x65, 0xC0)),
        QString(), 28);
    SpeedButton25->move(222, 116);
    label(p, QStringLiteral("NUMBER OF THREADS FOR EXPORT"), 270, 100, 250);
    Edit7 = new QLineEdit(QStringLiteral("5"), p);
    Edit7->setGeometry(270, 118, 200, 24);
    SpeedButton19 = pictureButton(
        p, PictureIcon(QStringLiteral("dialog-information"), QStringLiteral("i"), QColor(0x15, 0x65, 0xC0)),
        QString(), 28);
    SpeedButton19->move(476, 116);
    Label14 = new LinkLabel(QStringLiteral("ORDER EXPORT PRICES FROM ANOTHER SITE (free service)"), Red, p);
    Label14->setGeometry(16, 155, 450, 18);
}

void TForm1::buildToolColumn()
{
    auto* column = new QVBoxLayout(m_toolColumn);
    column->setContentsMargins(6, 6, 6, 6);
    column->setSpacing(6);
    SpeedButton9 = pictureButton(
        m_toolColumn,
        PictureIcon(QStringLiteral("help-browser"), QStringLiteral("?"), QColor(0x15, 0x65, 0xC0)),
        QStringLiteral("HELP ABOUT SERVICE"), 36);
    SpeedButton12 = pictureButton(
        m_toolColumn,
        PictureIcon(QStringLiteral("view-refresh"), QStringLiteral("\u21BB"), QColor(0x2E, 0x7D, 0x32)),
        QStringLiteral("RE-CONNECT TO SERVER"), 36);
    SpeedButton8 = pictureButton(
        m_toolColumn,
        PictureIcon(QStringLiteral("edit-select-all"), QStringLiteral("\u2713"), QColor(0x6A, 0x1B, 0x9A)),
        QStringLiteral("SELECT / UNCHECK POSITIONS IN LIST OPEN PANEL : \"BRANDS\" OR \"TRADE GROUPS\""), 36);
    Label27 = new LinkLabel(QStringLiteral("HISTORY"), QColor(0x00, 0x00, 0xFF), m_toolColumn);
    Label27->setToolTip(QStringLiteral("HISTORY OF VERSIONS"));
    Label27->setAlignment(Qt::AlignCenter);
    QFont small = Label27->font();
    small.setPixelSize(10);
    Label27->setFont(small);
    SpeedButton17 = pictureButton(m_toolColumn,
                                  PictureIcon(QStringLiteral("system-software-update"),
                                              QStringLiteral("\u2B07"), QColor(0xE6, 0x51, 0x00)),
                                  QStringLiteral("UPDATE PROGRAM"), 36);
    column->addWidget(SpeedButton9, 0, Qt::AlignHCenter);
    column->addWidget(SpeedButton12, 0, Qt::AlignHCenter);
    column->addWidget(SpeedButton8, 0, Qt::AlignHCenter);
    column->addStretch(1);
    column->addWidget(Label27, 0, Qt::AlignHCenter);
    column->addWidget(SpeedButton17, 0, Qt::AlignHCenter);
}

void TForm1::buildBrandsPanel()
{
    auto* p = new FoldPanel(m_workArea);
    m_listPanels[PanelFolding::Brands] = p;
    Label1 = titleRow(p, SpeedButton1, QStringLiteral("-"), QStringLiteral("BRANDS"));
    CheckListBox1 = checkList(p);
    CheckListBox1->move(6, 45);
    p->setInnerPart(CheckListBox1, 45);
}

void TForm1::buildTradeGroupsPanel()
{
    auto* p = new FoldPanel(m_workArea);
    m_listPanels[PanelFolding::TradeGroups] = p;
    Label13 = titleRow(p, SpeedButton11, QStringLiteral("+"), QStringLiteral("TRADE GROUPS"));
    CheckListBox2 = checkList(p);
    CheckListBox2->move(6, 45);
    p->setInnerPart(CheckListBox2, 45);
}

void TForm1::buildPreparationPanel()
{
    auto* p = new FoldPanel(m_workArea);
    m_listPanels[PanelFolding::PreparationTables] = p;
    Label11 = titleRow(p, SpeedButton10, QStringLiteral("+"), QStringLiteral("PREPARATION TABLES"));
    Label20 = label(p, QStringLiteral("SETTING FOR CSV-FILES"), 16, 50);
    setBold(Label20);
    label(p, QStringLiteral("maximum number of rows"), 16, 74, 160);
    Edit5 = new QLineEdit(QStringLiteral("1000000"), p);
    Edit5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit5->setGeometry(16, 92, 150, 24);
    label(p, QStringLiteral("separator column"), 190, 74, 160);
    ComboBox3 = new QComboBox(p);
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    ComboBox3->addItems({QStringLiteral(";"), QStringLiteral(","), QStringLiteral("TAB")});
    ComboBox3->setCurrentIndex(0);
    ComboBox3->setGeometry(190, 92, 100, 24);
    Label15 = redLabel(p, QStringLiteral("1. SELECT OF NECESSARY BRANDS AND/OR TRADE GROUPS"));
    Label15->setGeometry(16, 134, 700, 18);
    Label16 = redLabel(p, QStringLiteral("2. SPECIFY SETTINGS FOR CSV-FILES"));
    Label16->setGeometry(16, 156, 700, 18);
    Label17 = redLabel(p, QStringLiteral("3. PRESS BUTTON \"EXPORT TABLES\""));
    Label17->setGeometry(16, 178, 700, 18);
    SpeedButton7 = wideButton(p, QStringLiteral("   EXPORT TABLES ..."));
    SpeedButton7->setIcon(
        PictureIcon(QStringLiteral("x-office-spreadsheet"), QStringLiteral("T"), QColor(0x2E, 0x7D, 0x32)));
    SpeedButton7->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton7->setGeometry(16, 210, 320, 40);
}

void TForm1::buildExportPricesPanel()
{
    auto* p = new FoldPanel(m_workArea);
    m_listPanels[PanelFolding::ExportPrices] = p;
    Label2 = titleRow(p, SpeedButton2, QStringLiteral("+"), QStringLiteral("EXPORT PRICES"));
    auto* inner = new QWidget(p);
    inner->move(6, 45);
    auto* v = new QVBoxLayout(inner);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto* top = new QHBoxLayout;
    SpeedButton14 = pictureButton(
        inner, PictureIcon(QStringLiteral("folder-open"), QStringLiteral("F"), QColor(0xF9, 0xA8, 0x25)),
        QString());
    SpeedButton18 = pictureButton(
        inner,
        PictureIcon(QStringLiteral("edit-select-all"), QStringLiteral("\u2713"), QColor(0x6A, 0x1B, 0x9A)),
        QStringLiteral("SELECT / UNCHECK LIST FILES FOR EXPORT PRICES"));
    SpeedButton15 = pictureButton(
        inner, PictureIcon(QStringLiteral("document-open"), QStringLiteral("O"), QColor(0x15, 0x65, 0xC0)),
        QStringLiteral("OPEN SELECTED FILE"));
    top->addWidget(SpeedButton14);
    top->addWidget(SpeedButton18);
    top->addWidget(SpeedButton15);
    auto* hints = new QVBoxLayout;
    hints->setSpacing(0);
    Label23 = redLabel(
        inner,
        QStringLiteral("1. FILES SHOULD BE IN FORLDER \"FOLDER FOR TEMP FILES\" ACCORDING SETTING DATA"));
    Label22 = redLabel(inner, QStringLiteral("2. SELECT NECESSARY FILES"));
    Label21 = redLabel(
        inner,
        QStringLiteral(
            "3. PRESS BUTTON \"EXPORT OF PRICES ACCORDING TO THE SPECIFIED DATA IN THE SELECTED FILES\""));
    for (QLabel* l : {Label23, Label22, Label21}) {
        QFont f = l->font();
        f.setPixelSize(10);
        l->setFont(f);
        hints->addWidget(l);
    }
    top->addSpacing(8);
    top->addLayout(hints, 1);
    v->addLayout(top);
    CheckListBox3 = checkList(inner);
    v->addWidget(CheckListBox3, 1);
    CheckBox1 = new QCheckBox(QStringLiteral("Edit only zero prices"), inner);
    CheckBox1->setChecked(true);
    v->addWidget(CheckBox1);
    SpeedButton16 = wideButton(
        inner,
        QStringLiteral("  EXPORT OF PRICES ACCORDING TO THE SPECIFIED DATA IN THE SELECTED FILES ..."));
    SpeedButton16->setIcon(
        PictureIcon(QStringLiteral("x-office-spreadsheet"), QStringLiteral("$"), QColor(0x2E, 0x7D, 0x32)));
    SpeedButton16->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    SpeedButton16->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    v->addWidget(SpeedButton16);
    p->setInnerPart(inner, 45);
}

void TForm1::buildComparePanel()
{
    auto* p = new FoldPanel(m_workArea);
    m_listPanels[PanelFolding::ComparePrices] = p;
    Label26 = titleRow(p, SpeedButton20, QStringLiteral("+"), QStringLiteral("COMPARE PRICES"));
    auto* inner = new QWidget(p);
    inner->move(6, 45);
    auto* v = new QVBoxLayout(inner);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    auto* top = new QHBoxLayout;
    Edit8 = new QLineEdit(QStringLiteral("enter number"), inner);
    QPalette ep = Edit8->palette();
    ep.setColor(QPalette::Base, Qt::yellow);
    ep.setColor(QPalette::Text, Qt::black);
    Edit8->setPalette(ep);
    setBold(Edit8, 19);
    Edit8->setFixedSize(220, 32);
    ComboBox4 = new CloseUpComboBox(inner, [this] { ComboBox4CloseUp(); });
    ComboBox4->setMaxVisibleItems(30);
    ComboBox4->addItem(QStringLiteral("select BRAND"));
    ComboBox4->setCurrentIndex(0);
    ComboBox4->setMinimumHeight(28);
    SpeedButton23 = pictureButton(
        inner, PictureIcon(QStringLiteral("edit-find"), QStringLiteral("\u2315"), QColor(0x2E, 0x7D, 0x32)),
        QString());
    SpeedButton22 = pictureButton(
        inner,
        PictureIcon(QStringLiteral("preferences-system"), QStringLiteral("S"), QColor(0x6A, 0x1B, 0x9A)),
        QStringLiteral("CONFIGURE THE LIST OF SUPPLIERS NEEDED FOR COMPARE THE PRICES"));
    SpeedButton24 = pictureButton(
        inner, PictureIcon(QStringLiteral("edit-clear"), QStringLiteral("\u2717"), QColor(0xC6, 0x28, 0x28)),
        QStringLiteral("CLEAN OF TABLE"));
    SpeedButton21 = pictureButton(
        inner,
        PictureIcon(QStringLiteral("x-office-spreadsheet"), QStringLiteral("X"), QColor(0x2E, 0x7D, 0x32)),
        QStringLiteral("EXPORT DATA OF LIST IN EXCEL"));
    top->addWidget(Edit8);
    top->addWidget(ComboBox4, 1);
    top->addWidget(SpeedButton23);
    top->addSpacing(12);
    top->addWidget(SpeedButton22);
    top->addWidget(SpeedButton24);
    top->addWidget(SpeedButton21);
    v->addLayout(top);

    StringGrid1 = new QTableWidget(1, 5, inner);
    StringGrid1->verticalHeader()->setVisible(false);
    StringGrid1->verticalHeader()->setDefaultSectionSize(19);
    StringGrid1->verticalHeader()->setMinimumSectionSize(19);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    v->addWidget(StringGrid1, 1);
    CheckBox2 = new QCheckBox(QStringLiteral("Clean the table for each search"), inner);
    CheckBox2->setChecked(true);
    v->addWidget(CheckBox2);
    p->setInnerPart(inner, 45);
}

void TForm1::arrangeWindow()
{
    const int oldWorkHeight = m_workArea->height();
    int y = 0;
    m_panelSettingData->setGeometry(0, y, width(), std::max(0, m_panelSettingData->panelHeight()));
    y += std::max(0, m_panelSettingData->panelHeight());
    m_panelExportSettings->setGeometry(0, y, width(), std::max(0, m_panelExportSettings->panelHeight()));
    y += std::max(0, m_panelExportSettings->panelHeight());
    StaticText1->setGeometry(0, y, width(), StatusHeight);
    y += StatusHeight;
    m_body->setGeometry(0, y, width(), std::max(0, height() - y));
    m_toolColumn->setGeometry(0, 0, ToolColumnWidth, m_body->height());
    m_workArea->setGeometry(ToolColumnWidth, 0, width() - ToolColumnWidth, m_body->height());
    m_workArea->restack();
    // Resize events of a hidden window come late; the folding rules must not wait for them.
    if (m_workArea->height() != oldWorkHeight)
        panelLayout();
}

int TForm1::workAreaHeight() const
{
    return m_workArea->height();
}
