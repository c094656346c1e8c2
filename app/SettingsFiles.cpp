#include "SettingsFiles.h"

#include "platform/AnsiText.h"
#include "platform/Error.h"
#include "platform/ListOrder.h"
#include "platform/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <climits>

namespace {

QString withSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')) || folder.endsWith(QDir::separator()))
        return folder;
    return folder + QDir::separator();
}

// Plain decimal with an optional "-", within int; what the bracketed numbers are read as.
bool parseDecimal(QStringView text, int& value)
{
    qsizetype i = 0;
    const bool negative = !text.isEmpty() && text[0] == QLatin1Char('-');
    if (negative)
        ++i;
    if (i >= text.size())
        return false;
    long long acc = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        acc = acc * 10 + (c - u'0');
        if (acc > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        acc = -acc;
    if (acc > INT_MAX || acc < INT_MIN)
        return false;
    value = static_cast<int>(acc);
    return true;
}

const QLatin1String kCrLf("\r\n");
const QLatin1String kLineMark("###");
constexpr qsizetype kBase64LineLength = 76;

} // namespace

QString ProgramFolder()
{
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath()) + QDir::separator();
}

QString SettingsFilePath(const QString& folder)
{
    return withSeparator(folder) + QStringLiteral("Tesmarin.ini");
}

QString BrandCachePath(const QString& folder)
{
    return withSeparator(folder) + QStringLiteral("ListOfBrands.ini");
}

QString MaintenanceSettingsPath(const QString& folder)
{
    return withSeparator(folder) + QStringLiteral("Marrowgate.ini");
}

QString TradeGroupCacheName(const QString& language, const QString& dataVersion)
{
    QString version = dataVersion;
    version.remove(QLatin1Char('/'));
    return QStringLiteral("ListOfTradeGroup[") + language + QStringLiteral("][") + version +
           QStringLiteral("].ini");
}

QString TradeGroupCachePath(const QString& language, const QString& dataVersion, const QString& folder)
{
    return withSeparator(folder) + TradeGroupCacheName(language, dataVersion);
}

void SaveLineFile(const QString& path, const QStringList& lines)
{
    QString error;
    if (!SaveTextFile(path, lines, TextFileEncoding::Utf8Bom, &error))
        throw FileError(error);
}

QStringList ReadRawLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return SplitLines(DecodeTextFileBytes(file.readAll()));
}

QStringList LoadLineFile(const QString& path)
{
    QStringList lines = ReadRawLines(path);
    SortListText(lines);
    // The sort is stable, so of equal lines the one that came first in the file is kept.
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines) {
        if (out.isEmpty() || CompareListText(out.last(), line) != 0)
            out.append(line);
    }
    return out;
}

QString WriteIndexList(const QList<bool>& ticked)
{
    QString out;
    for (qsizetype i = 0; i < ticked.size(); ++i) {
        if (ticked[i])
            out += QLatin1Char('[') + QString::number(i) + QLatin1Char(']');
    }
    return out;
}

// One pass over the value: every "[" followed by digits and "]" names a position, as a search
// for "[n]" would find it (no leading zeros, so "[07]" is not "[7]").
QList<bool> ReadIndexList(const QString& value, int count)
{
    QList<bool> ticked(qMax(count, 0), false);
    const qsizetype n = value.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (value[i] != QLatin1Char('['))
            continue;
        qsizetype j = i + 1;
        while (j < n && value[j] >= QLatin1Char('0') && value[j] <= QLatin1Char('9'))
            ++j;
        const qsizetype digits = j - i - 1;
        if (j >= n || value[j] != QLatin1Char(']') || digits == 0 || digits > 10)
            continue;
        if (digits > 1 && value[i + 1] == QLatin1Char('0'))
            continue;
        int position;
        if (parseDecimal(QStringView(value).mid(i + 1, digits), position) && position < count)
            ticked[position] = true;
    }
    return ticked;
}

QList<int> ReadIdList(const QString& value, int count)
{
    QList<int> ids;
    ids.reserve(qMax(count, 0));
    const QStringView all(value);
    qsizetype rest = 0; // start of what remains of the value
    for (int line = 0; line < count; ++line) {
        if (rest >= all.size()) {
            ids.append(0);
            continue;
        }
        const QStringView remains = all.mid(rest);
        const qsizetype open = remains.indexOf(QLatin1Char('['));
        const qsizetype close = remains.indexOf(QLatin1Char(']'));
        int id = 0;
        if (open < 0 || close < 0 || close < open ||
            !parseDecimal(remains.mid(open + 1, close - open - 1), id))
            id = 0;
        ids.append(id);
        // Without a "]" nothing more can be read: every further line gets 0.
        rest = close < 0 ? all.size() : rest + close + 1;
    }
    return ids;
}

QString WriteIdList(const QList<int>& ids)
{
    QString out;
    for (int id : ids)
        out += QLatin1Char('[') + QString::number(id) + QLatin1Char(']');
    return out;
}

CacheLine ParseCacheLine(const QString& line)
{
    CacheLine out;
    const qsizetype close = line.indexOf(QLatin1Char(']'));
    if (close < 0) {
        out.name = line;
        return out;
    }
    const qsizetype open = line.indexOf(QLatin1Char('['));
    int number = 0;
    if (open >= 0 && open < close && parseDecimal(QStringView(line).mid(open + 1, close - open - 1), number))
        out.number = number;
    out.name = line.mid(close + 1);
    return out;
}

QString FormatCacheLine(int number, const QString& name)
{
    return QLatin1Char('[') + QString::number(number) + QLatin1Char(']') + name;
}

QString EncodeLanguageText(const QStringList& names)
{
    QString text;
    for (const QString& name : names)
        text += name + kCrLf;
    const QString base64 = QString::fromLatin1(text.toUtf8().toBase64());
    QString out;
    out.reserve(base64.size() + base64.size() / kBase64LineLength * 3 + 3);
    for (qsizetype i = 0; i < base64.size(); i += kBase64LineLength) {
        const QStringView chunk = QStringView(base64).mid(i, kBase64LineLength);
        out += chunk;
        // A full line is always followed by a break, the last one included.
        if (chunk.size() == kBase64LineLength)
            out += kLineMark;
    }
    return out;
}

QStringList DecodeLanguageTextLines(const QString& value)
{
    QString base64 = value;
    base64.replace(kLineMark, kCrLf);
    // Characters outside the Base64 alphabet (the line breaks, or damage) are skipped.
    const QByteArray bytes = QByteArray::fromBase64(base64.toLatin1());
    return SplitLines(QString::fromUtf8(bytes));
}

QStringList DecodeLanguageText(const QString& value)
{
    QStringList names = DecodeLanguageTextLines(value);
    SortListText(names);
    QStringList out;
    out.reserve(names.size());
    for (const QString& name : names) {
        if (out.isEmpty() || CompareListText(out.last(), name) != 0)
            out.append(name);
    }
    return out;
}
