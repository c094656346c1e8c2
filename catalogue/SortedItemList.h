#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One item of a catalogue list: its text, the catalogue number kept with it (LNGID, SUPID or
// GAID) and its tick.
struct CatalogueItem
{
    QString text;
    int number = 0;
    bool ticked = false;
};

// A list kept sorted by text the way the list controls sort: CompareListText (platform/ListOrder.h),
// without regard to letter case. Equal texts keep the order in which they arrived, so a list saved
// in list order and read back comes out the same, duplicates included.
class SortedItemList
{
public:
    int count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.isEmpty(); }
    const CatalogueItem& at(int position) const { return m_items.at(position); }
    const QList<CatalogueItem>& items() const { return m_items; }

    void clear() { m_items.clear(); }
    // Inserts after every item that sorts before or equal to it; returns the position.
    int add(const QString& text, int number, bool ticked = false);
    // Adds many at once, the same as add() for each in turn.
    void addAll(QList<CatalogueItem> items);

    void setTicked(int position, bool ticked);
    int tickedCount() const;
    QList<bool> ticks() const;
    // Ticks item n when ticks[n]; positions beyond either list are left unticked.
    void setTicks(const QList<bool>& ticks);

    QStringList texts() const;
    QList<int> numbers() const;
    // First position whose text equals 'text' without regard to case; -1 when none.
    int indexOfText(const QString& text) const;

private:
    QList<CatalogueItem> m_items;
};
