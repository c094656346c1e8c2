// libFuzzer target for the readers of the settings and cache files: the INI reader, the index list
// readers, the cache line reader and the language list decoder. Besides not crashing, each
// reader must agree with its writer.
#include "app/SettingsFiles.h"
#include "app/SettingsStore.h"
#include "platform/AnsiText.h"
#include "platform/Blanks.h"
#include "platform/ListOrder.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "settings fuzz: %s\n", what);
        std::abort();
    }
}

// One file per process, removed when the fuzzer exits.
struct ScratchFile
{
    QString path;
    ~ScratchFile() { QFile::remove(path); }
};

const QString& scratchFile()
{
    // In memory where there is such a folder: truncating a file on disk costs far more than a run.
    static const QString folder =
        QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static const ScratchFile file{
        folder + QStringLiteral("/corvinel-settings-fuzz-%1.ini").arg(QCoreApplication::applicationPid())};
    return file.path;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

void fuzzIni(const QByteArray& bytes)
{
    check(writeFile(scratchFile(), bytes), "cannot write the scratch file");
    SettingsStore ini(scratchFile());
    const QString text = ini.toText();
    ini.ReadString("SETTINGDATA", "FolderForFiles", QString());
    ini.ReadInteger("SETTINGDATA", "ActiveSupplier", 0);
    ini.ReadBool("SETTINGDATA", "CSV_EditZeroPrice", true);

    // What the store writes, it reads back to the same document. Lone surrogates (from a UTF-16
    // file) cannot be written as UTF-8, so such documents are not compared.
    if (!QStringView(text).isValidUtf16())
        return;
    check(writeFile(scratchFile(), QByteArray("\xEF\xBB\xBF") + text.toUtf8()),
          "cannot write the scratch file");
    SettingsStore again(scratchFile());
    check(again.toText() == text, "a written document reads back differently");

    // A written value reads back from the file as written, but on one line and trimmed; it never
    // adds a key or a section.
    QString value = DecodeTextFileBytes(bytes.left(256));
    if (!QStringView(value).isValidUtf16())
        return;
    // Each section ends with the one empty line, and no other line is empty.
    const auto sectionCount = [](const QString& doc) { return doc.count(QLatin1String("\r\n\r\n")); };
    again.WriteString("Fuzz", "Value", value);
    check(writeFile(scratchFile(), QByteArray("\xEF\xBB\xBF") + again.toText().toUtf8()),
          "cannot write the scratch file");
    SettingsStore third(scratchFile());
    value.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    check(third.ReadString("fuzz", "VALUE", QString()) == TrimBlanks(value),
          "a written value reads back differently");
    check(sectionCount(third.toText()) <= sectionCount(text) + 1, "a written value added a section");
}

void fuzzLists(const QByteArray& bytes)
{
    const QString value = DecodeTextFileBytes(bytes);
    const int count = bytes.isEmpty() ? 0 : static_cast<unsigned char>(bytes[0]) * 2 - 10;

    const QList<bool> ticked = ReadIndexList(value, count);
    check(ticked.size() == qMax(count, 0), "index list of the wrong length");
    check(ReadIndexList(WriteIndexList(ticked), count) == ticked, "index list does not round trip");

    const QList<int> ids = ReadIdList(value, count);
    check(ids.size() == qMax(count, 0), "id list of the wrong length");
    check(ReadIdList(WriteIdList(ids), count) == ids, "id list does not round trip");

    const CacheLine line = ParseCacheLine(value);
    const CacheLine back = ParseCacheLine(FormatCacheLine(line.number, line.name));
    check(back.number == line.number && back.name == line.name, "cache line does not round trip");
}

void fuzzLanguages(const QByteArray& bytes)
{
    const QStringList names = DecodeLanguageText(DecodeTextFileBytes(bytes));
    for (qsizetype i = 1; i < names.size(); ++i)
        check(CompareListText(names[i - 1], names[i]) < 0, "language names not sorted and unique");
    const QString encoded = EncodeLanguageText(names);
    check(!encoded.contains(QLatin1Char('\r')) && !encoded.contains(QLatin1Char('\n')),
          "language text is not one line");
    check(DecodeLanguageText(encoded) == names, "language list does not round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    fuzzIni(bytes);
    fuzzLists(bytes);
    fuzzLanguages(bytes);
    return 0;
}
