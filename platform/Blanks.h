#pragma once

#include <QString>

// Trims U+0000..U+0020 at both ends; QString::trimmed also removes other white space,
// which the stored formats keep.
QString TrimBlanks(const QString& text);
QString TrimLeftBlanks(const QString& text);
QString TrimRightBlanks(const QString& text);
