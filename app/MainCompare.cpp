// The "COMPARE PRICES" panel: the part lookup, the comparison run and the grid, and the two
// secondary windows of the comparison.
#include "Main.h"

#include "ErrorReport.h"
#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueLists.h"
#include "compare/ListBrandsForComparePrices.h"
#include "compare/PartLookup.h"
#include "compare/WaitCompare.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QToolButton>

#include <algorithm>
#include <exception>

void TForm1::connectCompareHandlers()
{
    connect(SpeedButton22, &QToolButton::clicked, this, &TForm1::SpeedButton22Click);
    connect(SpeedButton23, &QToolButton::clicked, this, &TForm1::SpeedButton23Click);
    connect(SpeedButton24, &QToolButton::clicked, this, &TForm1::SpeedButton24Click);
    // The user's choice only; the lookup fills the list with its signals blocked.
    connect(ComboBox4, &QComboBox::activated, this, &TForm1::ComboBox4Change);
    Edit8->installEventFilter(this);
}

void TForm1::setCompareWindows(TForm3* supplierList, TForm4* waitWindow)
{
    m_form3 = supplierList;
    m_form4 = waitWindow;
    if (m_form3)
        m_form3->reportError = [](const std::exception& error) { ShowStandardError(error); };
}

QStringList TForm1::supplierCaptions() const
{
    QStringList captions;
    for (int i = 0; i < ComboBox2->count(); ++i)
        captions << ComboBox2->itemText(i);
    return captions;
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit8) {
        if (event->type() == QEvent::Enter) {
            Edit8MouseEnter();
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                Edit8KeyPress(QLatin1Char('\r'));
                return true;
            }
            // Keys that type something; the field then takes the key as usual.
            if (!key->text().isEmpty())
                Edit8KeyPress(key->text().front());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::Edit8MouseEnter()
{
    Edit8->setFocus();
    Edit8->selectAll();
}

void TForm1::Edit8KeyPress(QChar key)
{
    if (key == QLatin1Char('\r'))
        lookupTypedPart();
    else if (ComboBox4->count() > 1)
        resetBrandList();
}

void TForm1::lookupTypedPart()
{
    QStringList items;
    try {
        items = LookupPart(*CON_MYSQL, Edit8->text(), TradeGroupNamesOf(*catalogueLists));
    } catch (const std::exception& error) {
        // The list keeps what it had.
        ShowStandardError(error);
        return;
    }
    {
        const QSignalBlocker blocker(ComboBox4);
        ComboBox4->clear();
        ComboBox4->addItems(items);
        ComboBox4->setCurrentIndex(-1);
    }
    if (ComboBox4->count() > 1) {
        ComboBox4->setFocus();
        ComboBox4->showPopup();
    }
}

void TForm1::resetBrandList()
{
    const QSignalBlocker blocker(ComboBox4);
    ComboBox4->clear();
    ComboBox4->addItems(EmptyBrandList());
    ComboBox4->setCurrentIndex(0);
}

void TForm1::ComboBox4Change()
{
    if (ComboBox4->currentIndex() > 0)
        return;
    // The close-up of this choice is still queued: its run button shows a message, and a modal
    // message closes any dropped-down list. So the list drops once that close-up is over, or
    // here when no close-up follows (a choice made with the list closed).
    m_dropBrandListAgain = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_dropBrandListAgain && !m_comparing) {
                m_dropBrandListAgain = false;
                ComboBox4->showPopup();
            }
        },
        Qt::QueuedConnection);
}

void TForm1::ComboBox4CloseUp()
{
    SpeedButton23->click();
    if (m_dropBrandListAgain) {
        m_dropBrandListAgain = false;
        if (ComboBox4->currentIndex() <= 0)
            ComboBox4->showPopup();
    }
}

ComparisonSettings TForm1::comparisonSettings() const
{
    ComparisonSettings settings;
    settings.factorText = Edit4->text();
    settings.mainSupplier = ComboBox2->currentIndex();
    settings.deadline = m_options.pageDeadline;
    settings.limits = m_options.transferLimits;
    settings.folder = m_options.folder;
    return settings;
}

void TForm1::SpeedButton23Click()
{
    // A run never starts inside another one.
    if (m_comparing)
        return;
    m_comparing = true;
    CompareOutcome outcome = CompareOutcome::InputRejected;
    try {
        outcome = CompareButtonClick(ComboBox4->currentText(), CheckBox2->isChecked(), CON_MYSQL, *this,
                                     comparisonSettings());
    } catch (const std::exception& error) {
        m_comparing = false;
        ShowStandardError(error);
        return;
    }
    m_comparing = false;
    if (outcome == CompareOutcome::InputRejected)
        return;
    if (CheckBox2->isChecked()) {
        Edit8->setFocus();
    } else {
        StringGrid1->setCurrentCell(StringGrid1->rowCount() - 1, std::max(0, StringGrid1->currentColumn()));
        StringGrid1->setFocus();
    }
}

void TForm1::SpeedButton24Click()
{
    AskCleanComparisonGrid(*this);
}

void TForm1::SpeedButton22Click()
{
    if (!m_form3)
        return;
    m_form3->show();
    m_form3->raise();
    m_form3->activateWindow();
}

// --- ComparisonWindow: StringGrid1's header row is its horizontal header ---

int TForm1::gridRowCount() const
{
    return StringGrid1->rowCount() + 1;
}

void TForm1::setGridRowCount(int rows)
{
    StringGrid1->setRowCount(std::max(0, rows - 1));
}

void TForm1::setGridCell(int row, int column, const QString& text)
{
    if (row == 0) {
        if (QTableWidgetItem* header = StringGrid1->horizontalHeaderItem(column))
            header->setText(text);
        return;
    }
    QTableWidgetItem* item = StringGrid1->item(row - 1, column);
    if (!item) {
        if (text.isEmpty())
            return;
        item = new QTableWidgetItem;
        StringGrid1->setItem(row - 1, column, item);
    }
    item->setText(text);
}

int TForm1::compareSupplierCount() const
{
    return m_form3 ? m_form3->CheckListBox1->count() : 0;
}

bool TForm1::isCompareSupplierTicked(int index) const
{
    return m_form3 && m_form3->isTicked(index);
}

void TForm1::tickCompareSupplier(int index)
{
    if (m_form3)
        m_form3->setTicked(index, true);
}

QString TForm1::compareSupplierCaption(int index) const
{
    const QListWidgetItem* item = m_form3 ? m_form3->CheckListBox1->item(index) : nullptr;
    return item ? item->text() : QString();
}

void TForm1::showWaitWindow()
{
    if (m_form4) {
        m_form4->show();
        m_form4->raise();
    }
    // Also without a wait window the main window takes no input during the run.
    setEnabled(false);
}

void TForm1::closeWaitWindow()
{
    if (m_form4)
        m_form4->hide();
    setEnabled(true);
}

void TForm1::whileWaiting()
{
    // Input reaches only the disabled main window and the wait window, which take none, so it is
    // dropped now instead of being held back and replayed as clicks once the run is over.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
