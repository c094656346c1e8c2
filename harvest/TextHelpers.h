#pragma once

#include <QString>

// Pure text functions shared by the window thread and the workers; no state, thread-safe.
// Positions and characters are UTF-16 code units.

// Every occurrence of 'oldPattern' (matched after Unicode upper-casing of both sides) replaced
// by 'newPattern' as given; matches never overlap and the inserted text is not scanned again.
QString ReplaceAllIgnoreCase(const QString& text, const QString& oldPattern, const QString& newPattern);

// The text between the first 'start' and the first 'end', both searched case-sensitively from
// the beginning of the text; empty when either is missing or empty, or the end comes first.
QString TextBetween(const QString& text, const QString& start, const QString& end);

// ASCII digits and letters only, letters upper-cased: the catalogue's free part number form.
QString CleanCode(const QString& code);

// The code without the characters of 'set' (both letter cases of a letter that occurs as
// given); CleanCode(code) when the set is empty.
QString StripCodeChars(const QString& code, const QString& set);
