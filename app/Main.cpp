#include "Main.h"

#include "ErrorReport.h"
#include "MainWidgets.h"
#include "app/SettingsFiles.h"
#include "catalogue/StatusLine.h"
#include "harvest/DebugLog.h"
#include "harvest/SiteTable.h"
#include "maint/HelpText.h"
#include "maint/Links.h"
#include "platform/Dialogs.h"
#include "platform/EventPump.h"

#include "Deployment.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include <exception>

MainOptions MainOptions::defaults()
{
    MainOptions options;
    options.folder = ProgramFolder();
    options.updateHost = QString::fromUtf8(Deployment::UpdateHost);
    options.programVersion = QString::fromUtf8(Deployment::ProgramVersion);
    return options;
}

TForm1::TForm1(const MainOptions& options, QWidget* parent) : QWidget(parent), m_options(options)
{
    buildControls();
    connectCatalogue();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::connectHandlers()
{
    connect(m_panelSettingData, &FoldPanel::panelHeightChanged, this, &TForm1::arrangeWindow);
    connect(m_panelExportSettings, &FoldPanel::panelHeightChanged, this, &TForm1::arrangeWindow);

    connect(SpeedButton4, &QToolButton::clicked, this, &TForm1::SpeedButton4Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::SpeedButton6Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm1::SpeedButton1Click);
    connect(SpeedButton11, &QToolButton::clicked, this, &TForm1::SpeedButton11Click);
    connect(SpeedButton10, &QToolButton::clicked, this, &TForm1::SpeedButton10Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm1::SpeedButton2Click);
    connect(SpeedButton20, &QToolButton::clicked, this, &TForm1::SpeedButton20Click);
    connect(SpeedButton8, &QToolButton::clicked, this, &TForm1::SpeedButton8Click);
    connect(SpeedButton19, &QToolButton::clicked, this, &TForm1::SpeedButton19Click);
    connect(SpeedButton25, &QToolButton::clicked, this, &TForm1::SpeedButton25Click);
    // Only the user's choice counts as a change; programmatic selections run the handler themselves.
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ComboBox5, &QComboBox::activated, this, &TForm1::ComboBox5CloseUp);
    connect(SpeedButton5, &QToolButton::clicked, this, &TForm1::SpeedButton5Click);
    connect(SpeedButton9, &QToolButton::clicked, this, &TForm1::SpeedButton9Click);
    connect(Label14, &LinkLabel::clicked, this, &TForm1::Label14Click);
    connect(Label27, &LinkLabel::clicked, this, &TForm1::Label27Click);
    connect(SpeedButton17, &QToolButton::clicked, this, &TForm1::SpeedButton17Click);
    connect(SpeedButton12, &QToolButton::clicked, this, &TForm1::SpeedButton12Click);
    connect(Action1, &QAction::triggered, this, &TForm1::Action1Execute);
    connectCompareHandlers();
}

void TForm1::setStatusText(const QString& text)
{
    StaticText1->setText(text);
    StaticText1->repaint();
    emit statusTextChanged(text);
    ProcessPendingMessages();
}

QString TForm1::statusText() const
{
    return StaticText1->text();
}

QString TForm1::settingsPath() const
{
    return SettingsFilePath(m_options.folder);
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_showRun)
        return;
    m_showRun = true;
    // The start-up paints into a visible window, so it runs once the show has been handled.
    QTimer::singleShot(0, this, [this] {
        try {
            FormShow();
        } catch (const std::exception& error) {
            // The window stays usable and can still be closed.
            ShowStandardError(error);
        }
        if (m_closeAfterStartup) {
            close();
            return;
        }
        FormActivate();
    });
}

void TForm1::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && m_startupDone)
        FormActivate();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Disabled means a secondary window or a comparison is working over it; the user closes again
    // once it is done, so the run keeps its connection and the shutdown sees its result.
    if (!isEnabled() || m_comparing) {
        event->ignore();
        return;
    }
    // The start-up lets events through while it paints its status texts; a close then waits for
    // its end, so the connection is not closed under its queries and the shutdown saves the result.
    if (m_startupRunning) {
        m_closeAfterStartup = true;
        event->ignore();
        return;
    }
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

void TForm1::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    arrangeWindow();
}

// --- Panels ---

void TForm1::SpeedButton4Click()
{
    if (!PanelFolding::isOpen(SpeedButton4->text())) {
        m_panelSettingData->setPanelHeight(PanelFolding::SettingDataOpenHeight);
        SpeedButton4->setText(PanelFolding::openCaption());
        Label6->setText(QStringLiteral("SETTING DATA"));
    } else {
        m_panelSettingData->setPanelHeight(PanelFolding::ClosedHeight);
        SpeedButton4->setText(PanelFolding::closedCaption());
        Label6->setText(
            PanelFolding::settingDataSummary(Edit1->text(), ComboBox1->currentText(), Edit2->text()));
    }
}

void TForm1::SpeedButton6Click()
{
    if (!PanelFolding::isOpen(SpeedButton6->text())) {
        m_panelExportSettings->setPanelHeight(PanelFolding::ExportSettingsOpenHeight);
        SpeedButton6->setText(PanelFolding::openCaption());
        Label12->setText(QStringLiteral("EXPORT PRICES"));
    } else {
        m_panelExportSettings->setPanelHeight(PanelFolding::ClosedHeight);
        SpeedButton6->setText(PanelFolding::closedCaption());
        Label12->setText(PanelFolding::exportPricesSummary(ComboBox2->currentText(), Edit4->text()));
    }
}

QToolButton* TForm1::listButton(PanelFolding::ListPanel panel) const
{
    switch (panel) {
    case PanelFolding::Brands:
        return SpeedButton1;
    case PanelFolding::TradeGroups:
        return SpeedButton11;
    case PanelFolding::PreparationTables:
        return SpeedButton10;
    case PanelFolding::ExportPrices:
        return SpeedButton2;
    case PanelFolding::ComparePrices:
    case PanelFolding::ListPanelCount:
        break;
    }
    return SpeedButton20;
}

PanelFolding::Captions TForm1::listCaptions() const
{
    PanelFolding::Captions captions;
    for (int i = 0; i < PanelFolding::ListPanelCount; ++i)
        captions[i] = listButton(PanelFolding::ListPanel(i))->text();
    return captions;
}

void TForm1::toggleListPanel(PanelFolding::ListPanel panel)
{
    const bool opening = !PanelFolding::isOpen(listButton(panel)->text());
    const PanelFolding::Captions captions = PanelFolding::toggleList(listCaptions(), panel);
    for (int i = 0; i < PanelFolding::ListPanelCount; ++i)
        listButton(PanelFolding::ListPanel(i))->setText(captions[i]);
    if (opening && panel == PanelFolding::Brands)
        Label1->setText(QStringLiteral("BRANDS"));
    if (opening && panel == PanelFolding::TradeGroups)
        Label13->setText(QStringLiteral("TRADE GROUPS"));
    panelLayout();
}

void TForm1::SpeedButton1Click()
{
    toggleListPanel(PanelFolding::Brands);
}

void TForm1::SpeedButton11Click()
{
    toggleListPanel(PanelFolding::TradeGroups);
}

void TForm1::SpeedButton10Click()
{
    toggleListPanel(PanelFolding::PreparationTables);
}

void TForm1::SpeedButton2Click()
{
    toggleListPanel(PanelFolding::ExportPrices);
}

void TForm1::SpeedButton20Click()
{
    toggleListPanel(PanelFolding::ComparePrices);
}

namespace {
int tickedCount(const QListWidget* list)
{
    int n = 0;
    for (int i = 0; i < list->count(); ++i)
        n += list->item(i)->checkState() == Qt::Checked ? 1 : 0;
    return n;
}
} // namespace

void TForm1::panelLayout()
{
    for (FoldPanel* panel : m_listPanels) {
        if (panel->innerPart())
            panel->innerPart()->hide();
        panel->setPanelHeight(PanelFolding::ClosedHeight);
    }
    const PanelFolding::Layout layout = PanelFolding::arrange(listCaptions(), workAreaHeight());
    for (int i = 0; i < PanelFolding::ListPanelCount; ++i) {
        if (!layout.partShown[i])
            continue;
        m_listPanels[i]->setPanelHeight(layout.heights[i]);
        if (m_listPanels[i]->innerPart())
            m_listPanels[i]->innerPart()->show();
    }
    if (!PanelFolding::isOpen(SpeedButton1->text()))
        Label1->setText(PanelFolding::countTitle(QStringLiteral("BRANDS"), tickedCount(CheckListBox1)));
    if (!PanelFolding::isOpen(SpeedButton11->text()))
        Label13->setText(
            PanelFolding::countTitle(QStringLiteral("TRADE GROUPS"), tickedCount(CheckListBox2)));
}

void TForm1::SpeedButton8Click()
{
    QListWidget* list = nullptr;
    if (m_listPanels[PanelFolding::Brands]->panelHeight() != PanelFolding::ClosedHeight)
        list = CheckListBox1;
    else if (m_listPanels[PanelFolding::TradeGroups]->panelHeight() != PanelFolding::ClosedHeight)
        list = CheckListBox2;
    if (!list || list->count() == 0)
        return;
    QList<bool> ticks;
    for (int i = 0; i < list->count(); ++i)
        ticks.append(list->item(i)->checkState() == Qt::Checked);
    ticks = PanelFolding::toggleAll(ticks, list->currentRow());
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setCheckState(ticks[i] ? Qt::Checked : Qt::Unchecked);
}

void TForm1::SpeedButton19Click()
{
    dialogs().show(
        QStringLiteral("Number of threads that will run for determining the price for the specified parts. "),
        Dialogs::Icon::Information, ApplicationTitle());
}

void TForm1::SpeedButton25Click()
{
    dialogs().show(QStringLiteral("Factor, on which will be multiplied all obtained prices. "),
                   Dialogs::Icon::Information, ApplicationTitle());
}

// --- Supplier list ---

void TForm1::ComboBox2Change()
{
    const int row = ComboBox2->currentIndex();
    const bool ebay = row >= 0 && ComboBox2->itemText(row).contains(QStringLiteral("EBAY."));
    if (ebay)
        ComboBox5->setCurrentIndex(ReadEbaySortChoice(row, m_options.folder));
    Label28->setEnabled(ebay);
    ComboBox5->setEnabled(ebay);
}

void TForm1::ComboBox5CloseUp()
{
    if (ComboBox5->currentIndex() < 0 || ComboBox2->currentIndex() < 0)
        return;
    StoreEbaySortChoice(ComboBox2->currentIndex(), ComboBox5->currentIndex(), m_options.folder);
}

void TForm1::SpeedButton5Click()
{
    if (ComboBox2->currentIndex() < 0)
        return;
    OpenSiteHomePage(ComboBox2->currentIndex(), m_options.folder);
}

// --- Help, links, update, debug log ---

void TForm1::SpeedButton9Click()
{
    ShowHelpFile(m_options.folder);
}

void TForm1::Label14Click()
{
    OpenAddSiteMail();
}

void TForm1::Label27Click()
{
    OpenVersionHistory(m_options.updateHost);
}

void TForm1::SpeedButton17Click()
{
    // Until the program update is wired in, the button shows what a new release brings.
    if (!runProgramUpdate())
        OpenVersionHistory(m_options.updateHost);
}

void TForm1::Action1Execute()
{
    ToggleDebugMode(m_options.folder);
}
