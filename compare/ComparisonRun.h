#pragma once

#include "app/SettingsFiles.h"
#include "harvest/InternetSession.h"
#include "harvest/PageRequest.h"

#include <QString>

#include <chrono>

class CatalogueConnection;

// The comparison run: one worker per ticked supplier, all asked at once, one grid row each.

inline const QString NoPartMessage = QStringLiteral("You must specify the number and/or brand of part !!!");
inline const QString NoSupplierMessage =
    QStringLiteral("You must specify for which suppliers will compare prices !!!");
inline const QString CleanGridQuestion = QStringLiteral("Clean of table ?");

// Columns of the comparison grid.
enum CompareColumn { PriceColumn, SupplierColumn, BrandColumn, CodeColumn, NameColumn, CompareColumnCount };

// What a run needs of the windows: the grid (StringGrid1), the comparison supplier list
// (TForm3's CheckListBox1) and the wait window (TForm4). The main window implements it.
class ComparisonWindow
{
public:
    virtual ~ComparisonWindow() = default;

    // Grid rows counted with the header row as row 0 (table row r - 1 when the header is the
    // table's horizontal header); the grid keeps its 5 columns.
    virtual int gridRowCount() const = 0;
    virtual void setGridRowCount(int rows) = 0;
    virtual void setGridCell(int row, int column, const QString& text) = 0;

    virtual int compareSupplierCount() const = 0;
    virtual bool isCompareSupplierTicked(int index) const = 0;
    virtual void tickCompareSupplier(int index) = 0;
    virtual QString compareSupplierCaption(int index) const = 0;

    // Shows the wait window over the main window and disables the main window.
    virtual void showWaitWindow() = 0;
    // Closes the wait window and enables the main window again. Called once after every
    // showWaitWindow(), also when the run fails; must not throw.
    virtual void closeWaitWindow() = 0;
    // Called every few tens of milliseconds while the workers run. The default lets the windows
    // repaint but holds back user input, so nothing can be started meanwhile.
    virtual void whileWaiting();
};

struct ComparisonSettings
{
    QString factorText;    // Edit4, "VALUE FOR MULTIPLYING THE PRICE"
    int mainSupplier = -1; // the row chosen in the main supplier list (ComboBox2), -1 for none
    // Plain-http deadline of each job, and the limits of the run's internet session (the https
    // client takes them too; tests trust their CA through limits.caFile).
    std::chrono::milliseconds deadline = kPageDeadline;
    TransferLimits limits;
    QString folder = ProgramFolder(); // the settings file beside the program (eBay sort choices)
};

// RunComparison for brand and part number; the chosen item's text goes into the name column of
// rows without an error. With no supplier ticked it ticks the main supplier; with none at all it
// shows NoSupplierMessage and returns false without a worker or the wait window. Workers,
// session and wait window are released in every case; a failure part-way (a thread the system
// cannot create) is thrown after that.
bool RunComparison(const QString& brand, const QString& codepart, const QString& chosenItem,
                   ComparisonWindow& window, const ComparisonSettings& settings);

// The run button (SpeedButton23Click) up to the run: re-connects a closed catalogue connection
// (when one is given), takes brand and part number out of the brand list text, shows NoPartMessage
// when either is blank, cleans the grid when asked, runs. The window moves the focus afterwards
// unless the input was rejected.
enum class CompareOutcome { InputRejected, NoSupplier, Done };
CompareOutcome CompareButtonClick(const QString& brandListText, bool cleanForEachSearch,
                                  CatalogueConnection* connection, ComparisonWindow& window,
                                  const ComparisonSettings& settings);

// Every row below the header emptied, the grid cut back to the header and one empty row.
void CleanComparisonGrid(ComparisonWindow& window);

// SpeedButton24Click: asks CleanGridQuestion; on Yes cleans the grid. True when cleaned.
bool AskCleanComparisonGrid(ComparisonWindow& window);
