#pragma once

#include <QByteArray>
#include <QString>

// The 8-bit code page of the files that are written for Windows tools (help file, debug log,
// batch file): Windows-1252. Characters it lacks are written as "?".
QByteArray EncodeAnsi(const QString& text);
QString DecodeAnsi(const QByteArray& bytes);

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsValidUtf8(const QByteArray& bytes);
// Strict UTF-8: returns false, leaving 'out' empty, on any invalid sequence.
bool DecodeUtf8Strict(const QByteArray& bytes, QString& out);

// Text of a file written by this program or by hand: a UTF-8 byte-order mark or valid UTF-8
// reads as UTF-8 (BOM skipped); a UTF-16 mark as UTF-16; anything else as Windows-1252.
QString DecodeTextFileBytes(const QByteArray& bytes);
