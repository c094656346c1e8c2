#include "ListOrder.h"

#include <algorithm>

int CompareListText(const QString& a, const QString& b)
{
    return QString::compare(a, b, Qt::CaseInsensitive);
}

void SortListText(QStringList& lines)
{
    std::stable_sort(lines.begin(), lines.end(), ListTextLess);
}
