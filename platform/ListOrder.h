#pragma once

#include <QString>
#include <QStringList>

// The one order of every sorted list: by text without regard to letter case, using Unicode case
// folding and then code units, independent of the machine's locale. Equal under this order means
// "the same line" for the caches' repeated-line rule.
int CompareListText(const QString& a, const QString& b);
inline bool ListTextLess(const QString& a, const QString& b)
{
    return CompareListText(a, b) < 0;
}
// Stable sort of lines in list order.
void SortListText(QStringList& lines);
