#pragma once

#include "app/SettingsFiles.h"

#include <QString>

// The debug log: trace entries of requests and extractions, collected while debug mode is on and
// written to Debugg.log when it is switched off. Thread-safe: appends and the save share one lock.

inline constexpr const char* kDebugLogFileName = "Debugg.log";
// The 57-character separator entry of the traces.
inline constexpr const char* kDebugHashLine = "#########################################################";

bool DebugModeOn();
// Appends one entry (it may hold line breaks of its own); does nothing while debug mode is off.
void DebugLogAppend(const QString& entry);
// Off: turns it on with an empty log and says so. On: saves the log as Debugg.log in 'folder'
// (8-bit, CR LF after every entry, atomically), discards it, turns debug mode off and says so.
// A failed save throws FileError with the system's reason and leaves debug mode on with its entries.
void ToggleDebugMode(const QString& folder = ProgramFolder());
// Debug mode off and the log discarded, without saving (start-up).
void ResetDebugMode();
