#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

enum class TextFileEncoding {
    Utf8Bom, // UTF-8 with a byte-order mark: settings, caches, CSV tables, SQL scripts
    Ansi,    // Windows-1252: help file, debug log, batch file
};

// The one writer of text files: every line followed by CR LF, written beside the target and
// renamed over it, so a crash or a full disk never leaves half a file. On failure returns false,
// leaves any earlier file untouched and puts a readable reason into *error.
bool SaveTextFile(const QString& path, const QStringList& lines, TextFileEncoding encoding,
                  QString* error = nullptr);
// Same, for bytes already encoded.
bool SaveFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

QByteArray EncodeTextLines(const QStringList& lines, TextFileEncoding encoding);

// Splits text at CR, LF or CR LF; a line break at the very end does not start another line.
QStringList SplitLines(const QString& text);
