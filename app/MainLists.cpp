// The catalogue connection and lists of the main window, mirrored into their controls.
#include "Main.h"

#include "catalogue/CatalogueConnection.h"
#include "catalogue/CatalogueLists.h"
#include "catalogue/StatusLine.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace {
class MainStatusLine final : public StatusLine
{
public:
    explicit MainStatusLine(TForm1* form) : m_form(form) {}
    QString text() const override { return m_form->statusText(); }
    void setText(const QString& text) override { m_form->setStatusText(text); }

private:
    TForm1* m_form;
};

void fillCheckList(QListWidget* list, const SortedItemList& items)
{
    const QSignalBlocker blocker(list);
    list->clear();
    for (const CatalogueItem& item : items.items()) {
        auto* row = new QListWidgetItem(item.text, list);
        row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        row->setCheckState(item.ticked ? Qt::Checked : Qt::Unchecked);
    }
}
} // namespace

void TForm1::connectCatalogue()
{
    m_statusLine = std::make_unique<MainStatusLine>(this);
    CON_MYSQL = new CatalogueConnection(this);
    catalogueLists = new CatalogueLists(this);
    connect(CON_MYSQL, &CatalogueConnection::statusText, this, &TForm1::setStatusText);
    connect(catalogueLists, &CatalogueLists::languagesChanged, this, &TForm1::showLanguages);
    connect(catalogueLists, &CatalogueLists::brandsChanged, this, &TForm1::showBrands);
    connect(catalogueLists, &CatalogueLists::tradeGroupsChanged, this, &TForm1::showTradeGroups);

    connect(CheckListBox1, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        catalogueLists->setBrandTicked(CheckListBox1->row(item), item->checkState() == Qt::Checked);
    });
    connect(CheckListBox2, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        catalogueLists->setTradeGroupTicked(CheckListBox2->row(item), item->checkState() == Qt::Checked);
    });
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!m_mirroring)
            catalogueLists->setLanguageFieldText(text);
    });
}

void TForm1::showLanguages()
{
    m_mirroring = true;
    {
        const QSignalBlocker blocker(ComboBox1);
        ComboBox1->clear();
        ComboBox1->addItems(catalogueLists->languages().texts());
        ComboBox1->setCurrentIndex(catalogueLists->selectedLanguage());
        ComboBox1->setEditText(catalogueLists->languageFieldText());
    }
    m_mirroring = false;
}

void TForm1::showBrands()
{
    fillCheckList(CheckListBox1, catalogueLists->brands());
}

void TForm1::showTradeGroups()
{
    fillCheckList(CheckListBox2, catalogueLists->tradeGroups());
}

void TForm1::ComboBox1Change(int position)
{
    catalogueLists->changeExportLanguage(position, *CON_MYSQL, *m_statusLine, m_options.folder);
}

void TForm1::SpeedButton12Click()
{
    CON_MYSQL->Reconnect();
}

void TForm1::closeConnections()
{
    // The TecDoc connection of the maintenance functions closes here too once it exists.
    CON_MYSQL->Disconnect();
}
