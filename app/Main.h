#pragma once

#include "Panels.h"
#include "compare/ComparisonRun.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/WaitCompare.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <chrono>
#include <memory>

class CatalogueConnection;
class CatalogueLists;
class FoldPanel;
class LinkLabel;
class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QToolButton;
class SettingsStore;
class StatusLine;
class TopStack;

// Where the main window finds its files and servers; tests pass their own folder and addresses.
struct MainOptions
{
    QString folder;         // folder of the executable, with its trailing separator
    QString updateHost;     // host of the version history
    QString programVersion; // major.minor.release
    std::chrono::milliseconds releaseDeadline{10000};
    bool releaseCheck = true;
    // Plain-http page deadline of each comparison job, and the limits of the comparison's session.
    std::chrono::milliseconds pageDeadline = kPageDeadline;
    TransferLimits transferLimits;
    static MainOptions defaults();
};

// The main window: settings panels, status line, tool column and the five list panels.
// Controls carry their component names; handlers are named after control and event. It is the
// comparison run's view of the grid, the comparison supplier list and the wait window.
class TForm1 : public QWidget, public ComparisonWindow
{
    Q_OBJECT
public:
    explicit TForm1(const MainOptions& options = MainOptions::defaults(), QWidget* parent = nullptr);
    ~TForm1() override;

    const MainOptions& options() const { return m_options; }

    // The status line, repainted at once after every change.
    void setStatusText(const QString& text);
    QString statusText() const;

    // The sequences of the window's life.
    void FormCreate();
    void FormShow();
    void FormActivate();
    bool FormCloseQuery(); // false keeps the window open

    // Panels.
    void SpeedButton4Click();
    void SpeedButton6Click();
    void SpeedButton1Click();
    void SpeedButton11Click();
    void SpeedButton10Click();
    void SpeedButton2Click();
    void SpeedButton20Click();
    void panelLayout();
    void SpeedButton8Click();
    void SpeedButton19Click();
    void SpeedButton25Click();

    // Supplier list.
    void ComboBox2Change();
    void ComboBox5CloseUp();
    void SpeedButton5Click();

    // Help, links, update, debug log, re-connect.
    void SpeedButton9Click();
    void Label14Click();
    void Label27Click();
    void SpeedButton17Click();
    void Action1Execute();
    void SpeedButton12Click();
    void ComboBox1Change(int position);

    // The comparison's secondary windows, created after the main window; the supplier list must
    // have been filled (TForm3::FormCreate) from supplierCaptions().
    void setCompareWindows(TForm3* supplierList, TForm4* waitWindow);
    TForm3* compareSupplierList() const { return m_form3; }
    TForm4* waitWindow() const { return m_form4; }
    QStringList supplierCaptions() const; // the items of ComboBox2

    // Comparison panel (MainCompare.cpp).
    void Edit8MouseEnter();
    void Edit8KeyPress(QChar key); // '\r' looks the number up, any other key resets the brand list
    void ComboBox4Change();
    void ComboBox4CloseUp();
    void SpeedButton22Click();
    void SpeedButton23Click();
    void SpeedButton24Click();
    bool isComparing() const { return m_comparing; }

    // ComparisonWindow.
    int gridRowCount() const override;
    void setGridRowCount(int rows) override;
    void setGridCell(int row, int column, const QString& text) override;
    int compareSupplierCount() const override;
    bool isCompareSupplierTicked(int index) const override;
    void tickCompareSupplier(int index) override;
    QString compareSupplierCaption(int index) const override;
    void showWaitWindow() override;
    void closeWaitWindow() override;
    void whileWaiting() override;

    bool startupDone() const { return m_startupDone; }
    int workAreaHeight() const;
    FoldPanel* listPanel(PanelFolding::ListPanel panel) const { return m_listPanels[panel]; }
    FoldPanel* settingDataPanel() const { return m_panelSettingData; }
    FoldPanel* exportSettingsPanel() const { return m_panelExportSettings; }

    // The catalogue connection with its query (Q_MYSQL is CON_MYSQL->query()), and the lists
    // shown in ComboBox1, CheckListBox1 and CheckListBox2.
    CatalogueConnection* CON_MYSQL = nullptr;
    CatalogueLists* catalogueLists = nullptr;
    StatusLine& statusLine() const { return *m_statusLine; }
    // What the server reported at the start-up connect; empty when unknown.
    QString catalogueDataVersion;
    QString programVersionText;

    // Settings panel "SETTING DATA".
    QToolButton* SpeedButton4 = nullptr;
    QLabel* Label6 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    // Settings panel "EXPORT PRICES".
    QToolButton* SpeedButton6 = nullptr;
    QLabel* Label12 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QToolButton* SpeedButton5 = nullptr;
    QLabel* Label28 = nullptr;
    QComboBox* ComboBox5 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QToolButton* SpeedButton25 = nullptr;
    QLineEdit* Edit7 = nullptr;
    QToolButton* SpeedButton19 = nullptr;
    LinkLabel* Label14 = nullptr;
    // Status line.
    QLabel* StaticText1 = nullptr;
    // Tool column.
    QToolButton* SpeedButton9 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QToolButton* SpeedButton8 = nullptr;
    LinkLabel* Label27 = nullptr;
    QToolButton* SpeedButton17 = nullptr;
    // List panel "BRANDS".
    QToolButton* SpeedButton1 = nullptr;
    QLabel* Label1 = nullptr;
    QListWidget* CheckListBox1 = nullptr;
    // List panel "TRADE GROUPS".
    QToolButton* SpeedButton11 = nullptr;
    QLabel* Label13 = nullptr;
    QListWidget* CheckListBox2 = nullptr;
    // List panel "PREPARATION TABLES".
    QToolButton* SpeedButton10 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label20 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QLabel* Label15 = nullptr;
    QLabel* Label16 = nullptr;
    QLabel* Label17 = nullptr;
    QToolButton* SpeedButton7 = nullptr;
    // List panel "EXPORT PRICES".
    QToolButton* SpeedButton2 = nullptr;
    QLabel* Label2 = nullptr;
    QToolButton* SpeedButton14 = nullptr;
    QToolButton* SpeedButton18 = nullptr;
    QToolButton* SpeedButton15 = nullptr;
    QLabel* Label23 = nullptr;
    QLabel* Label22 = nullptr;
    QLabel* Label21 = nullptr;
    QListWidget* CheckListBox3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QToolButton* SpeedButton16 = nullptr;
    // List panel "COMPARE PRICES". StringGrid1's header row is its horizontal header, so grid row
    // r (counted with the header) is table row r - 1.
    QToolButton* SpeedButton20 = nullptr;
    QLabel* Label26 = nullptr;
    QToolButton* SpeedButton22 = nullptr;
    QToolButton* SpeedButton24 = nullptr;
    QToolButton* SpeedButton21 = nullptr;
    QTableWidget* StringGrid1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QLineEdit* Edit8 = nullptr;
    QComboBox* ComboBox4 = nullptr;
    QToolButton* SpeedButton23 = nullptr;
    // Ctrl+M: debug log on and off.
    QAction* Action1 = nullptr;

signals:
    void statusTextChanged(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainControls.cpp
    void buildControls();
    void buildSettingDataPanel();
    void buildExportSettingsPanel();
    void buildToolColumn();
    void buildBrandsPanel();
    void buildTradeGroupsPanel();
    void buildPreparationPanel();
    void buildExportPricesPanel();
    void buildComparePanel();
    void connectHandlers();
    void arrangeWindow();

    // Main.cpp
    void toggleListPanel(PanelFolding::ListPanel panel);
    PanelFolding::Captions listCaptions() const;
    QToolButton* listButton(PanelFolding::ListPanel panel) const;
    QString settingsPath() const;

    // MainStartup.cpp
    void restoreSettings(SettingsStore& store);
    void restoreSupplier(SettingsStore& store);
    void writeSettings(SettingsStore& store);
    void checkRelease();

    // MainLists.cpp: the catalogue lists mirrored into their controls.
    void connectCatalogue();
    void showLanguages();
    void showBrands();
    void showTradeGroups();
    void closeConnections();

    // MainCompare.cpp
    void connectCompareHandlers();
    void lookupTypedPart();
    void resetBrandList();
    ComparisonSettings comparisonSettings() const;

    // Call point of the program update; false while the update is not available.
    bool runProgramUpdate();

    MainOptions m_options;
    std::unique_ptr<StatusLine> m_statusLine;
    bool m_mirroring = false;
    bool m_showRun = false;
    bool m_startupStarted = false;
    bool m_startupDone = false;
    bool m_startupRunning = false;
    bool m_closeAfterStartup = false;
    bool m_comparing = false;
    bool m_dropBrandListAgain = false; // "select BRAND" chosen: drop the list once its close-up ran
    QPointer<TForm3> m_form3;
    QPointer<TForm4> m_form4;

    FoldPanel* m_panelSettingData = nullptr;
    FoldPanel* m_panelExportSettings = nullptr;
    QWidget* m_body = nullptr;
    QWidget* m_toolColumn = nullptr;
    TopStack* m_workArea = nullptr;
    FoldPanel* m_listPanels[PanelFolding::ListPanelCount] = {};
};
