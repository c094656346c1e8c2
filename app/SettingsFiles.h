#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Names and formats of the files kept beside the executable.

// The folder of the running executable with a trailing separator. Tests pass their own folder
// wherever a function takes 'folder'.
QString ProgramFolder();

QString SettingsFilePath(const QString& folder = ProgramFolder());        // Tesmarin.ini
QString BrandCachePath(const QString& folder = ProgramFolder());          // ListOfBrands.ini
QString MaintenanceSettingsPath(const QString& folder = ProgramFolder()); // Marrowgate.ini
// "ListOfTradeGroup[" + language + "][" + version without "/" + "].ini"
QString TradeGroupCacheName(const QString& language, const QString& dataVersion);
QString TradeGroupCachePath(const QString& language, const QString& dataVersion,
                            const QString& folder = ProgramFolder());

// Line files. Saving writes UTF-8 with BOM and CR LF after every line, atomically; throws FileError.
void SaveLineFile(const QString& path, const QStringList& lines);
// The lines in file order (encoding by byte-order mark; no BOM: UTF-8 when valid, else
// Windows-1252); a missing file gives no lines.
QStringList ReadRawLines(const QString& path);
// ReadRawLines, then sorted in list order with repeated lines (same under that order) dropped.
QStringList LoadLineFile(const QString& path);

// Index lists: "[n]" tokens of ticked positions, ascending.
QString WriteIndexList(const QList<bool>& ticked);
// Position n is ticked when "[n]" occurs anywhere in the value.
QList<bool> ReadIndexList(const QString& value, int count);
// Ids in list order ("[7][9]" with three lines gives 7, 9, 0).
QList<int> ReadIdList(const QString& value, int count);
QString WriteIdList(const QList<int>& ids);

// Cache lines "[n]name".
struct CacheLine
{
    int number = 0;
    QString name;
};
CacheLine ParseCacheLine(const QString& line);
QString FormatCacheLine(int number, const QString& name);

// LanguageExportText: names joined with CR LF, UTF-8, Base64 in lines of 76, CR LF as "###".
QString EncodeLanguageText(const QStringList& names);
// Back to names: sorted in list order, a repeated name kept once.
QStringList DecodeLanguageText(const QString& value);
// Back to names in stored order, repeats kept: the n-th name pairs with LanguageExport_LNGID[n].
QStringList DecodeLanguageTextLines(const QString& value);
