// An ini file held in memory: the settings file, language files, "data.ini" and "UserMode.ini".
// Sections and keys compare without regard to case and keep the order in which they were read or
// added. Values are kept as written: no escapes, no lists, no special sections.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A section, key or value that the file form cannot hold (a line break, a "=" in a key, ...).
class EIniError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

class TMemIniFile {
public:
    TMemIniFile() = default;
    // Reads the file; a missing file reads as empty. Raises EFOpenError when it exists but cannot be read.
    explicit TMemIniFile(const QString& fileName);

    const QString& FileName() const { return FFileName; }
    // Where UpdateFile writes; the content stays as it is.
    void Rename(const QString& fileName) { FFileName = fileName; }

    // Replaces the content with the file's (missing file: empty).
    void Reload();
    // Replaces the content with the text of an ini file: UTF-8 (a BOM is accepted), or Windows-1252
    // when it is not valid UTF-8. Lines end in CR LF, LF or CR.
    void SetBytes(std::string_view bytes);
    void SetText(const QString& text);
    // The file form: UTF-8 without BOM, every line ended by CR LF, an empty line after each section.
    std::string GetBytes() const;
    // Writes the file whole and atomically; raises EFCreateError/EWriteError and leaves the old file.
    void UpdateFile() const;
    void Clear() { FSections.clear(); }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    // Decimal, with leading blanks and a sign; "$" or "0x" reads hexadecimal. Anything else: the default.
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    void WriteInteger(const QString& section, const QString& key, int value);
    // An integer, non-zero is true; anything else: the default. Written "1" or "0".
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    void WriteBool(const QString& section, const QString& key, bool value);

    // The key names of a section, in file order.
    QStringList ReadSection(const QString& section) const;
    QStringList ReadSections() const;
    // The lines of a section as "name=value" ("name" for a line without "=").
    QStringList ReadSectionValues(const QString& section) const;
    void EraseSection(const QString& section);
    void DeleteKey(const QString& section, const QString& key);
    bool SectionExists(const QString& section) const;
    bool ValueExists(const QString& section, const QString& key) const;

private:
    struct TEntry {
        QString Key;
        std::optional<QString> Value; // none: a line without "="
    };
    struct TSection {
        QString Name;
        std::vector<TEntry> Entries;
    };

    const TSection* FindSection(const QString& name) const;
    TSection* FindSection(const QString& name);
    static const TEntry* FindEntry(const TSection& section, const QString& key);

    QString FFileName;
    std::vector<TSection> FSections;
};

// Parses an integer the way ReadInteger does; none when the text is no number that fits in 32 bits.
std::optional<int> ParseIniInteger(QStringView text);
// One value of an ini file; the default when the file, the section or the key is missing or the file
// cannot be read.
QString ReadPrivateProfileString(const QString& fileName, const QString& section, const QString& key,
                                 const QString& defaultValue);
