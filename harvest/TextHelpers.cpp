#include "TextHelpers.h"

namespace {
// Upper-cases code unit by code unit with the simple case mapping, so that positions in the
// copy stay the positions in the original (full mappings such as "ß" -> "SS" would shift them).
QString upperSameLength(const QString& text)
{
    QString out = text;
    const qsizetype n = out.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = out[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n && out[i + 1].isLowSurrogate()) {
            const char32_t cp = QChar::surrogateToUcs4(u, out[i + 1].unicode());
            const char32_t up = QChar::toUpper(cp);
            if (QChar::requiresSurrogates(up)) {
                out[i] = QChar(QChar::highSurrogate(up));
                out[i + 1] = QChar(QChar::lowSurrogate(up));
            }
            ++i;
            continue;
        }
        if (QChar::isSurrogate(u))
            continue;
        const char32_t up = QChar::toUpper(char32_t(u));
        if (!QChar::requiresSurrogates(up))
            out[i] = QChar(char16_t(up));
    }
    return out;
}
} // namespace

QString ReplaceAllIgnoreCase(const QString& text, const QString& oldPattern, const QString& newPattern)
{
    if (oldPattern.isEmpty() || text.isEmpty())
        return text;
    const QString upperText = upperSameLength(text);
    const QString upperOld = upperSameLength(oldPattern);
    QString result;
    result.reserve(text.size());
    qsizetype from = 0;
    while (true) {
        const qsizetype at = upperText.indexOf(upperOld, from, Qt::CaseSensitive);
        if (at < 0)
            break;
        result += QStringView(text).mid(from, at - from);
        result += newPattern;
        from = at + upperOld.size();
    }
    result += QStringView(text).mid(from);
    return result;
}

QString TextBetween(const QString& text, const QString& start, const QString& end)
{
    if (start.isEmpty() || end.isEmpty())
        return QString();
    const qsizetype p1 = text.indexOf(start, 0, Qt::CaseSensitive);
    const qsizetype p2 = text.indexOf(end, 0, Qt::CaseSensitive);
    if (p1 < 0 || p2 < 0)
        return QString();
    const qsizetype length = p2 - p1 - start.size();
    if (length <= 0)
        return QString();
    return text.mid(p1 + start.size(), length);
}

QString CleanCode(const QString& code)
{
    QString out;
    out.reserve(code.size());
    for (QChar c : code) {
        const char16_t u = c.unicode();
        if (u >= '0' && u <= '9')
            out.append(c);
        else if (u >= 'A' && u <= 'Z')
            out.append(c);
        else if (u >= 'a' && u <= 'z')
            out.append(QChar(char16_t(u - 'a' + 'A')));
    }
    return out;
}

QString StripCodeChars(const QString& code, const QString& set)
{
    if (set.isEmpty())
        return CleanCode(code);
    QString out = code;
    for (QChar c : set) {
        if (out.contains(c, Qt::CaseSensitive))
            out = ReplaceAllIgnoreCase(out, QString(c), QString());
    }
    return out;
}
