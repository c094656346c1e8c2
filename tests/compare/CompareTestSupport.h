#pragma once

#include "compare/ComparisonRun.h"
#include "platform/Dialogs.h"
#include "tests/fixtures/ScriptedDialogs.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace comparetest {

// The grid, the comparison supplier list and the wait window as plain data.
class FakeComparisonWindow : public ComparisonWindow
{
public:
    explicit FakeComparisonWindow(const QStringList& captions)
        : captions(captions), ticks(captions.size(), false), grid{Header(), QStringList(5)}
    {
    }
    static QStringList Header() { return {"price", "SUPPLIER", "manufacturer", "reference", "name"}; }

    int gridRowCount() const override { return static_cast<int>(grid.size()); }
    void setGridRowCount(int rows) override
    {
        grid.resize(rows);
        for (QStringList& row : grid)
            row.resize(5);
    }
    void setGridCell(int row, int column, const QString& text) override
    {
        if (row == 0)
            headerWritten = true;
        grid[row][column] = text;
    }
    int compareSupplierCount() const override { return static_cast<int>(captions.size()); }
    bool isCompareSupplierTicked(int index) const override { return ticks.at(index); }
    void tickCompareSupplier(int index) override { ticks[index] = true; }
    QString compareSupplierCaption(int index) const override { return captions.at(index); }
    void showWaitWindow() override
    {
        ++waitShown;
        mainEnabled = false;
    }
    void closeWaitWindow() override
    {
        ++waitClosed;
        mainEnabled = true;
    }
    void whileWaiting() override
    {
        ++waitSlices;
        ComparisonWindow::whileWaiting();
    }

    QStringList captions;
    QList<bool> ticks;
    QList<QStringList> grid; // row 0 is the header
    bool headerWritten = false;
    int waitShown = 0;
    int waitClosed = 0;
    int waitSlices = 0;
    bool mainEnabled = true;
};

using ScriptedDialogs = fixtures::ScriptedDialogs;

} // namespace comparetest
