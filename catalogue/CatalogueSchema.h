#pragma once

#include <QString>
#include <QStringList>

// The creation script of the catalogue database, line by line as the builder writes it. These
// lines are the schema: tests and the demo catalogue create their databases from them.

// The database the creation script creates and makes current (line 5).
inline constexpr const char* CatalogueScriptDatabase = "SERVICE_ARGENTLEAF";

// Lines 1 to 12: headers, the database, and the PARAMETERS table up to its LOCK line.
QStringList CreationScriptHead();
// Lines 14 to 27: the UNLOCK line and every data table.
QStringList CreationScriptTail();
// The whole script; versionInsert is line 13 when it is not empty.
QStringList CreationScriptLines(const QString& versionInsert = QString());
