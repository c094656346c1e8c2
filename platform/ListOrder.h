#pragma once

#include <QString>
#include <QStringList>

// The one order of every sorted list: by the code units of the case-folded text, independent of
// the machine's locale. Texts that differ only in letter case compare equal, which is what "the
// same line" means for the caches' repeated-line rule; a stable sort keeps them in input order.
int CompareListText(const QString& a, const QString& b);
inline bool ListTextLess(const QString& a, const QString& b)
{
    return CompareListText(a, b) < 0;
}
// Stable sort of lines in list order.
void SortListText(QStringList& lines);
