// The sequences of the main window: creation, start-up, first activation and shutdown.
#include "Main.h"

#include "ErrorReport.h"
#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueLists.h"
#include "harvest/DebugLog.h"
#include "harvest/PriceJob.h"
#include "harvest/SiteTable.h"
#include "maint/HelpText.h"
#include "maint/Links.h"
#include "maint/ReleaseCheck.h"
#include "platform/Error.h"
#include "platform/ShellOpen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>

#include <exception>

namespace {
const QString Setting = QStringLiteral("SETTINGDATA");

// Runs one step of a sequence; an error is reported and the sequence goes on, so the controls
// still get their stored values and the shutdown does not write defaults over them.
template <typename Step> void guarded(Step step)
{
    try {
        step();
    } catch (const std::exception& error) {
        ShowStandardError(error);
    }
}
} // namespace

void TForm1::FormCreate()
{
    ResetDebugMode();
    catalogueDataVersion.clear();
    catalogueLists->clearTradeGroupNames();

    StringGrid1->setColumnCount(5);
    StringGrid1->setRowCount(1);
    StringGrid1->setHorizontalHeaderLabels({QStringLiteral("price"), QStringLiteral("SUPPLIER"),
                                            QStringLiteral("manufacturer"), QStringLiteral("reference"),
                                            QStringLiteral("name")});
    const int widths[] = {75, 160, 100, 150, 300};
    for (int c = 0; c < 5; ++c)
        StringGrid1->setColumnWidth(c, widths[c]);

    ComboBox2->clear();
    ComboBox2->addItems(SupplierCaptions());

    try {
        CON_MYSQL->SetBuiltInValues();
    } catch (...) {
        // Ignored by design: the start-up connect reports an unusable server.
    }
}

void TForm1::FormShow()
{
    // The start-up runs once; a second run would put the stored values back over the user's.
    if (m_startupStarted)
        return;
    m_startupStarted = true;
    m_startupRunning = true;
    struct RunningFlag
    {
        bool& flag;
        ~RunningFlag() { flag = false; }
    } running{m_startupRunning};
    const QString designStatus = statusText();
    ComboBox1->clear();

    catalogueDataVersion = CON_MYSQL->StartupConnect();

    SettingsStore store(settingsPath());
    Edit2->setText(store.ReadString(Setting, QStringLiteral("VerData"), QString()));
    Edit1->setText(store.ReadString(Setting, QStringLiteral("FolderForFiles"), QString()));

    catalogueLists->setDisplayedDataVersion(Edit2->text());
    guarded([&] {
        catalogueLists->restoreAtStartup(store, catalogueDataVersion, *CON_MYSQL, statusLine(),
                                         m_options.folder);
    });
    Edit2->setText(catalogueLists->displayedDataVersion());
    restoreSettings(store);
    guarded([&] { store.UpdateFile(); });

    setStatusText(designStatus);
    SpeedButton4Click();
    SpeedButton6Click();
    guarded([this] { SpeedButton12Click(); });
    panelLayout();
    m_startupDone = true;

    if (!QFileInfo::exists(HelpFilePath(m_options.folder)))
        guarded([this] { SpeedButton9Click(); });
}

void TForm1::restoreSupplier(SettingsStore& store)
{
    const int supplier = store.ReadInteger(Setting, QStringLiteral("ActiveSupplier"), 0);
    ComboBox2->setCurrentIndex(supplier >= 0 && supplier < ComboBox2->count() ? supplier : -1);
    ComboBox2Change();
}

void TForm1::restoreSettings(SettingsStore& store)
{
    guarded([&] { restoreSupplier(store); });

    Edit4->setText(store.ReadString(Setting, QStringLiteral("ValueFactor"), QStringLiteral("1")));
    if (!ParsePriceText(Edit4->text()))
        Edit4->setText(QStringLiteral("1"));
    Edit7->setText(store.ReadString(Setting, QStringLiteral("ColThreads"), QStringLiteral("5")));

    Edit5->setText(store.ReadString(Setting, QStringLiteral("CSV_MaxRows"), QStringLiteral("1000000")));
    int maxRows = 0;
    if (!ParseSettingsInteger(Edit5->text(), maxRows))
        Edit5->setText(QStringLiteral("1000000"));

    const int separator = store.ReadInteger(Setting, QStringLiteral("CSV_Separator"), 0);
    ComboBox3->setCurrentIndex(separator >= 0 && separator < ComboBox3->count() ? separator : -1);
    if (ComboBox3->currentIndex() < 0)
        ComboBox3->setEditText(QString());
    CheckBox1->setChecked(store.ReadBool(Setting, QStringLiteral("CSV_EditZeroPrice"), true));
    CheckBox2->setChecked(store.ReadBool(Setting, QStringLiteral("CleanListForComparePrice"), true));
}

void TForm1::FormActivate()
{
    if (windowTitle().contains(QStringLiteral("created by Halvemark")))
        return;
    programVersionText = m_options.programVersion;
    setWindowTitle(windowTitle() + QStringLiteral(" ver [") + programVersionText +
                   QStringLiteral("] - created by Halvemark"));
    if (m_options.releaseCheck)
        checkRelease();
}

void TForm1::checkRelease()
{
    const QString history = VersionHistoryAddress(m_options.updateHost);
    if (!CheckForNewRelease(history, programVersionText, m_options.releaseDeadline))
        return;
    ShellOpen(history);
    runProgramUpdate();
}

bool TForm1::FormCloseQuery()
{
    closeConnections();
    // Without a start-up the controls hold design values, not the user's settings.
    if (!m_startupDone)
        return true;
    setStatusText(QStringLiteral("Wait, saving settings ..."));
    try {
        SettingsStore store(settingsPath());
        writeSettings(store);
        store.UpdateFile();
    } catch (const std::exception& error) {
        ShowStandardError(error);
        return false;
    }
    return true;
}

void TForm1::writeSettings(SettingsStore& store)
{
    store.WriteString(Setting, QStringLiteral("FolderForFiles"), Edit1->text());
    catalogueLists->saveLanguages(store);
    store.WriteString(Setting, QStringLiteral("VerData"), Edit2->text());
    store.WriteInteger(Setting, QStringLiteral("ActiveSupplier"), ComboBox2->currentIndex());
    store.WriteString(Setting, QStringLiteral("ValueFactor"), Edit4->text());
    store.WriteString(Setting, QStringLiteral("ColThreads"), Edit7->text());
    catalogueLists->saveBrands(store, m_options.folder);
    catalogueLists->saveTradeGroups(store, m_options.folder);
    store.WriteString(Setting, QStringLiteral("CSV_MaxRows"), Edit5->text());
    // Typed text that is none of the items counts as no item.
    store.WriteInteger(Setting, QStringLiteral("CSV_Separator"),
                       ComboBox3->findText(ComboBox3->currentText()));
    store.WriteBool(Setting, QStringLiteral("CSV_EditZeroPrice"), CheckBox1->isChecked());
    store.WriteBool(Setting, QStringLiteral("CleanListForComparePrice"), CheckBox2->isChecked());
}

bool TForm1::runProgramUpdate()
{
    return false;
}
