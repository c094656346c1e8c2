#include "SortedItemList.h"

#include "platform/ListOrder.h"

#include <algorithm>

namespace {
bool itemLess(const CatalogueItem& a, const CatalogueItem& b)
{
    return CompareListText(a.text, b.text) < 0;
}
} // namespace

int SortedItemList::add(const QString& text, int number, bool ticked)
{
    CatalogueItem item{text, number, ticked};
    const auto at = std::upper_bound(m_items.begin(), m_items.end(), item, itemLess);
    const auto position = at - m_items.begin();
    m_items.insert(position, std::move(item));
    return int(position);
}

void SortedItemList::addAll(QList<CatalogueItem> items)
{
    std::stable_sort(items.begin(), items.end(), itemLess);
    if (m_items.isEmpty()) {
        m_items = std::move(items);
        return;
    }
    QList<CatalogueItem> merged;
    merged.reserve(m_items.size() + items.size());
    std::merge(m_items.begin(), m_items.end(), items.begin(), items.end(), std::back_inserter(merged),
               itemLess);
    m_items = std::move(merged);
}

void SortedItemList::setTicked(int position, bool ticked)
{
    if (position >= 0 && position < m_items.size())
        m_items[position].ticked = ticked;
}

int SortedItemList::tickedCount() const
{
    return int(
        std::count_if(m_items.begin(), m_items.end(), [](const CatalogueItem& i) { return i.ticked; }));
}

QList<bool> SortedItemList::ticks() const
{
    QList<bool> result;
    result.reserve(m_items.size());
    for (const CatalogueItem& item : m_items)
        result << item.ticked;
    return result;
}

void SortedItemList::setTicks(const QList<bool>& ticks)
{
    for (qsizetype i = 0; i < m_items.size(); ++i)
        m_items[i].ticked = i < ticks.size() && ticks[i];
}

QStringList SortedItemList::texts() const
{
    QStringList result;
    result.reserve(m_items.size());
    for (const CatalogueItem& item : m_items)
        result << item.text;
    return result;
}

QList<int> SortedItemList::numbers() const
{
    QList<int> result;
    result.reserve(m_items.size());
    for (const CatalogueItem& item : m_items)
        result << item.number;
    return result;
}

int SortedItemList::indexOfText(const QString& text) const
{
    for (qsizetype i = 0; i < m_items.size(); ++i)
        if (QString::compare(m_items[i].text, text, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}
