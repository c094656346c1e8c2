#include "compare/CompareSupplierList.h"

#include "app/SettingsStore.h"

namespace {
const QString kSection = QString::fromUtf16(CompareTicksSection);
const QString kKey = QString::fromUtf16(CompareTicksKey);
} // namespace

QList<bool> ReadCompareTicks(int count, const QString& folder)
{
    const SettingsStore settings(SettingsFilePath(folder));
    return ReadIndexList(settings.ReadString(kSection, kKey, QString()), count);
}

void StoreCompareTicks(const QList<bool>& ticks, const QString& folder)
{
    SettingsStore settings(SettingsFilePath(folder));
    settings.WriteString(kSection, kKey, WriteIndexList(ticks));
    settings.UpdateFile();
}

QList<bool> ToggleAllTicks(const QList<bool>& ticks, int selected)
{
    if (ticks.isEmpty())
        return ticks;
    const int reference = selected >= 0 && selected < ticks.size() ? selected : 0;
    return QList<bool>(ticks.size(), !ticks[reference]);
}
