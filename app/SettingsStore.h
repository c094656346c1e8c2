#pragma once

#include <QString>
#include <QStringList>

#include <memory>

// An INI document read whole from one file and written back whole. Open it anew in each event,
// change its own keys, UpdateFile() when something changed, and drop it.
class SettingsStore
{
public:
    // Reads the file; a missing or unreadable file gives an empty document. A file that is there
    // but cannot be read is never replaced: UpdateFile() then throws FileError.
    explicit SettingsStore(const QString& fileName);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    const QString& fileName() const;

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

    void WriteString(const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& section, const QString& key, int value);
    void WriteBool(const QString& section, const QString& key, bool value);
    void EraseSection(const QString& section);

    // Writes the whole document (UTF-8 with BOM, CR LF), replacing the file atomically.
    // Throws FileError when the file cannot be written, or was there but could not be read; the
    // earlier file stays as it was.
    void UpdateFile();

    // The document as UpdateFile() would write it, without the BOM.
    QString toText() const;

private:
    struct Data;
    std::unique_ptr<Data> d;
};

// Integer text as the settings read it: decimal with an optional "-", or "0x"/"0X" hexadecimal;
// false when it is not such a number or does not fit 32 bits.
bool ParseSettingsInteger(const QString& text, int& value);
