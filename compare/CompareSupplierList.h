#pragma once

#include "app/SettingsFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

// The comparison supplier list without its window: the ticks of the suppliers a comparison asks,
// item i standing for supplier i of the main window's supplier list.

inline constexpr char16_t CompareTicksSection[] = u"SETTINGDATA";
inline constexpr char16_t CompareTicksKey[] = u"CheckListForCompare";

// Ticks of 'count' items as stored in the settings file in 'folder' (all unticked when nothing
// is stored; stored positions past the end are ignored).
QList<bool> ReadCompareTicks(int count, const QString& folder = ProgramFolder());

// Opens the settings file anew, writes only the ticks' key and saves it. Throws FileError when
// the file cannot be written; the earlier file stays as it was.
void StoreCompareTicks(const QList<bool>& ticks, const QString& folder = ProgramFolder());

// Toggle all: every item set to the opposite of the reference item, which is 'selected' or item 0
// when nothing (or nothing valid) is selected. An empty list stays empty.
QList<bool> ToggleAllTicks(const QList<bool>& ticks, int selected);
