#include "ListBrandsForComparePrices.h"

#include "compare/CompareSupplierList.h"
#include "platform/Dialogs.h"
#include "platform/Error.h"

#include <QCloseEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QListWidget>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* mainWindow)
    : OwnedWindow(mainWindow, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setFixedSize(375, 474);
    setAutoFillBackground(true);
    QPalette blue = palette();
    blue.setColor(QPalette::Window, QColor(0x00, 0x00, 0xFF));
    setPalette(blue);

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);

    CheckListBox1 = new QListWidget(this);
    QFont listFont = CheckListBox1->font();
    listFont.setFamily(QStringLiteral("Tahoma"));
    listFont.setBold(true);
    listFont.setPixelSize(16);
    CheckListBox1->setFont(listFont);
    CheckListBox1->setUniformItemSizes(true);
    CheckListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    CheckListBox1->setStyleSheet(QStringLiteral("QListWidget::item { height: 19px; }"));
    v->addWidget(CheckListBox1, 1);

    Panel1 = new QFrame(this);
    Panel1->setFixedHeight(60);
    auto* h = new QHBoxLayout(Panel1);
    h->setContentsMargins(6, 5, 6, 5);
    SpeedButton18 = new QToolButton(Panel1);
    SpeedButton18->setFixedSize(50, 50);
    SpeedButton18->setIconSize(QSize(36, 36));
    SpeedButton18->setIcon(QIcon::fromTheme(QStringLiteral("edit-select-all"),
                                            style()->standardIcon(QStyle::SP_DialogApplyButton)));
    SpeedButton18->setToolTip(QStringLiteral("SELECT / UNCHECK LIST FILES FOR EXPORT PRICES"));
    SpeedButton1 = new QToolButton(Panel1);
    SpeedButton1->setText(QStringLiteral("CLOSE ..."));
    QFont bold = SpeedButton1->font();
    bold.setBold(true);
    SpeedButton1->setFont(bold);
    SpeedButton1->setMaximumWidth(300);
    SpeedButton1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    h->addWidget(SpeedButton18);
    h->addWidget(SpeedButton1, 1);
    v->addWidget(Panel1);

    reportError = [](const std::exception& error) {
        const auto* appError = dynamic_cast<const AppError*>(&error);
        dialogs().show(appError ? appError->message() : QString::fromLocal8Bit(error.what()),
                       Dialogs::Icon::Error);
    };
    connect(SpeedButton18, &QToolButton::clicked, this, &TForm3::SpeedButton18Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm3::SpeedButton1Click);
}

void TForm3::FormCreate(const QStringList& suppliers, const QString& folder)
{
    m_folder = folder;
    const QSignalBlocker blocker(CheckListBox1);
    CheckListBox1->clear();
    const QList<bool> stored = ReadCompareTicks(static_cast<int>(suppliers.size()), folder);
    for (qsizetype i = 0; i < suppliers.size(); ++i) {
        auto* item = new QListWidgetItem(suppliers[i], CheckListBox1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(stored.value(i) ? Qt::Checked : Qt::Unchecked);
    }
    m_created = true;
}

QList<bool> TForm3::ticks() const
{
    QList<bool> out;
    for (int i = 0; i < CheckListBox1->count(); ++i)
        out << (CheckListBox1->item(i)->checkState() == Qt::Checked);
    return out;
}

bool TForm3::isTicked(int index) const
{
    const QListWidgetItem* item = CheckListBox1->item(index);
    return item && item->checkState() == Qt::Checked;
}

void TForm3::setTicked(int index, bool ticked)
{
    if (QListWidgetItem* item = CheckListBox1->item(index))
        item->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TForm3::SpeedButton18Click()
{
    // The reference is the selected item: a row can be current without being selected.
    const QList<QListWidgetItem*> selected = CheckListBox1->selectedItems();
    const int reference = selected.isEmpty() ? -1 : CheckListBox1->row(selected.first());
    const QList<bool> toggled = ToggleAllTicks(ticks(), reference);
    for (int i = 0; i < toggled.size(); ++i)
        setTicked(i, toggled[i]);
}

void TForm3::SpeedButton1Click()
{
    close();
}

void TForm3::FormCloseQuery()
{
    // A list never filled holds no ticks of the user's; saving it would wipe the stored ones.
    if (!m_created)
        return;
    try {
        StoreCompareTicks(ticks(), m_folder);
    } catch (const std::exception& error) {
        if (reportError)
            reportError(error);
    }
}

void TForm3::closeEvent(QCloseEvent* event)
{
    FormCloseQuery();
    event->accept();
}
