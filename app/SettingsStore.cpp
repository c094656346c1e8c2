#include "SettingsStore.h"

#include "platform/AnsiText.h"
#include "platform/Blanks.h"
#include "platform/Error.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QHash>
#include <QList>

#include <climits>
#include <filesystem>
#include <system_error>

namespace {

struct Line
{
    bool hasKey = false;
    QString key;   // trimmed, as read or first written
    QString value; // for key lines
    QString text;  // for keyless lines, as they stand (trimmed)
};

struct Section
{
    QString name;
    QList<Line> lines;
};

QString foldName(const QString& name)
{
    return name.toCaseFolded();
}

// A line break inside a name or value would start a new line, and so a new key or section, when
// the file is read back; written as a blank instead.
QString oneLine(const QString& text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out = text;
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}

bool parseDigits(const QString& text, qsizetype from, int base, bool negative, int& value)
{
    if (from >= text.size())
        return false;
    // Accumulated as a negative number, so INT_MIN fits.
    long long acc = 0;
    for (qsizetype i = from; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        int digit;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        else
            return false;
        acc = acc * base - digit;
        if (acc < static_cast<long long>(INT_MIN))
            return false;
    }
    if (!negative) {
        if (-acc > INT_MAX)
            return false;
        value = static_cast<int>(-acc);
    } else {
        value = static_cast<int>(acc);
    }
    return true;
}

} // namespace

// Accepted: an optional "-", then decimal digits or "0x"/"0X" and hexadecimal digits, within the
// range of int. No "+", no blanks, no exponent: such texts are not integers of the stored form.
bool ParseSettingsInteger(const QString& text, int& value)
{
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == QLatin1Char('-')) {
        negative = true;
        ++i;
    }
    if (i + 1 < text.size() && text[i] == QLatin1Char('0') &&
        (text[i + 1] == QLatin1Char('x') || text[i + 1] == QLatin1Char('X')))
        return parseDigits(text, i + 2, 16, negative, value);
    return parseDigits(text, i, 10, negative, value);
}

struct SettingsStore::Data
{
    QString fileName;
    QString readError; // set when the file is there but could not be read
    QList<Section> sections;
    QHash<QString, qsizetype> index; // folded name -> position in sections

    Section* find(const QString& name)
    {
        const auto it = index.constFind(foldName(name));
        return it == index.constEnd() ? nullptr : &sections[*it];
    }
    const Section* find(const QString& name) const
    {
        const auto it = index.constFind(foldName(name));
        return it == index.constEnd() ? nullptr : &sections[*it];
    }
    Section& findOrAdd(const QString& name)
    {
        if (Section* s = find(name))
            return *s;
        index.insert(foldName(name), sections.size());
        sections.append(Section{name, {}});
        return sections.last();
    }
    const Line* findKey(const QString& section, const QString& key) const
    {
        const Section* s = find(section);
        if (!s)
            return nullptr;
        for (const Line& line : s->lines) {
            if (line.hasKey && line.key.compare(key, Qt::CaseInsensitive) == 0)
                return &line;
        }
        return nullptr;
    }

    void parse(const QString& text);
};

// Comment lines (";") inside a section are kept in place as keyless lines, so a hand-written
// note survives the program's next save; they never match a key. Empty lines and anything
// before the first section are dropped, as the writer has no place for them. A section that
// appears twice is read as one, continued at its first place.
void SettingsStore::Data::parse(const QString& text)
{
    Section* current = nullptr;
    for (const QString& raw : SplitLines(text)) {
        const QString line = TrimBlanks(raw);
        if (line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char(';'))) {
            if (current)
                current->lines.append(Line{false, {}, {}, line});
            continue;
        }
        if (line.size() >= 2 && line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            current = &findOrAdd(TrimBlanks(line.mid(1, line.size() - 2)));
            continue;
        }
        if (!current)
            continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq < 0)
            current->lines.append(Line{false, {}, {}, line});
        else
            current->lines.append(Line{true, TrimBlanks(line.left(eq)), TrimBlanks(line.mid(eq + 1)), {}});
    }
}

SettingsStore::SettingsStore(const QString& fileName) : d(std::make_unique<Data>())
{
    d->fileName = fileName;
    QFile file(fileName);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = file.readAll();
        if (file.error() == QFileDevice::NoError) {
            d->parse(DecodeTextFileBytes(bytes));
            return;
        }
    } else {
        std::error_code ec;
        const auto status = std::filesystem::status(QFile::encodeName(fileName).toStdString(), ec);
        if (status.type() == std::filesystem::file_type::not_found)
            return;
    }
    d->readError = QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString());
}

SettingsStore::~SettingsStore() = default;

const QString& SettingsStore::fileName() const
{
    return d->fileName;
}

QString SettingsStore::ReadString(const QString& section, const QString& key,
                                  const QString& defaultValue) const
{
    const Line* line = d->findKey(section, key);
    return line ? line->value : defaultValue;
}

int SettingsStore::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    const Line* line = d->findKey(section, key);
    int value;
    return (line && ParseSettingsInteger(line->value, value)) ? value : defaultValue;
}

bool SettingsStore::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    const Line* line = d->findKey(section, key);
    int value;
    return (line && ParseSettingsInteger(line->value, value)) ? value != 0 : defaultValue;
}

bool SettingsStore::SectionExists(const QString& section) const
{
    return d->find(section) != nullptr;
}

bool SettingsStore::ValueExists(const QString& section, const QString& key) const
{
    return d->findKey(section, key) != nullptr;
}

void SettingsStore::WriteString(const QString& section, const QString& key, const QString& value)
{
    Section& s = d->findOrAdd(oneLine(section));
    const QString safeKey = oneLine(key);
    for (Line& line : s.lines) {
        if (line.hasKey && line.key.compare(safeKey, Qt::CaseInsensitive) == 0) {
            line.value = oneLine(value);
            return;
        }
    }
    s.lines.append(Line{true, safeKey, oneLine(value), {}});
}

void SettingsStore::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

void SettingsStore::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void SettingsStore::EraseSection(const QString& section)
{
    const auto it = d->index.constFind(foldName(section));
    if (it == d->index.constEnd())
        return;
    d->sections.removeAt(*it);
    d->index.clear();
    for (qsizetype i = 0; i < d->sections.size(); ++i)
        d->index.insert(foldName(d->sections[i].name), i);
}

QString SettingsStore::toText() const
{
    const QLatin1String crlf("\r\n");
    QString out;
    for (const Section& s : d->sections) {
        out += QLatin1Char('[') + s.name + QLatin1Char(']') + crlf;
        for (const Line& line : s.lines) {
            if (line.hasKey)
                out += line.key + QLatin1Char('=') + line.value + crlf;
            else
                out += line.text + crlf;
        }
        out += crlf;
    }
    return out;
}

void SettingsStore::UpdateFile()
{
    // The document holds only what this event wrote: saving it would wipe the settings that
    // could not be read.
    if (!d->readError.isEmpty())
        throw FileError(d->readError);
    QString error;
    if (!SaveFileAtomically(d->fileName, QByteArray("\xEF\xBB\xBF") + toText().toUtf8(), &error))
        throw FileError(error);
}
