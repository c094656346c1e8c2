#pragma once

#include <QString>
#include <QStringList>

// The help file beside the executable: a fixed text in 8 bits with CR LF after every line.
QStringList HelpFileLines();
QString HelpFilePath(const QString& folder);

// Writes help.txt anew into 'folder' (with its trailing separator); throws FileError.
void WriteHelpFile(const QString& folder);
// Writes help.txt and hands it to the shell; nothing is opened when the write fails.
void ShowHelpFile(const QString& folder);
