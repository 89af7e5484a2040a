#include "platform/core/IniFile.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/FileErrors.h"
#include "platform/core/TextDecode.h"

#include <QFileInfo>

namespace {

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QStringView TrimBlanks(QStringView s)
{
    while (!s.isEmpty() && IsBlank(s.front()))
        s = s.mid(1);
    while (!s.isEmpty() && IsBlank(s.back()))
        s.chop(1);
    return s;
}

bool HasLineBreak(const QString& s)
{
    return s.contains(u'\r') || s.contains(u'\n');
}

// Refuses names and values that would read back as something else, or break the file into more lines.
void CheckSection(const QString& section)
{
    if (HasLineBreak(section) || TrimBlanks(section).size() != section.size())
        throw EIniError("Invalid ini section name \"" + section.toStdString() + "\"");
}

void CheckKey(const QString& key)
{
    if (HasLineBreak(key) || key.contains(u'=') || key.startsWith(u';') || key.startsWith(u'[')
        || TrimBlanks(key).size() != key.size())
        throw EIniError("Invalid ini key name \"" + key.toStdString() + "\"");
}

void CheckValue(const QString& key, const QString& value)
{
    if (HasLineBreak(value))
        throw EIniError("The ini value of \"" + key.toStdString() + "\" holds a line break");
}

int DigitValue(QChar c, int base)
{
    int d = -1;
    if (c >= u'0' && c <= u'9')
        d = c.unicode() - u'0';
    else if (c >= u'a' && c <= u'z')
        d = c.unicode() - u'a' + 10;
    else if (c >= u'A' && c <= u'Z')
        d = c.unicode() - u'A' + 10;
    return d < base ? d : -1;
}

} // namespace

std::optional<int> ParseIniInteger(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.mid(1);
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    // Hexadecimal takes all 32 bits, as "$FFFFFFFF" is -1; decimal must fit the signed range.
    const long long limit = base == 16 ? 0xFFFFFFFFLL : (negative ? 0x80000000LL : 0x7FFFFFFFLL);
    long long value = 0;
    for (QChar c : text) {
        const int d = DigitValue(c, base);
        if (d < 0)
            return std::nullopt;
        value = value * base + d;
        if (value > limit)
            return std::nullopt;
    }
    const auto bits = static_cast<unsigned int>(value);
    const int result = static_cast<int>(negative ? 0u - bits : bits);
    return result;
}

TMemIniFile::TMemIniFile(const QString& fileName)
    : FFileName(fileName)
{
    Reload();
}

void TMemIniFile::Reload()
{
    FSections.clear();
    if (FFileName.isEmpty() || !QFileInfo::exists(FFileName))
        return;
    SetBytes(ReadWholeFile(FFileName));
}

void TMemIniFile::SetBytes(std::string_view bytes)
{
    SetText(DecodeUtf8Or1252(bytes));
}

void TMemIniFile::SetText(const QString& text)
{
    FSections.clear();
    TSection* current = nullptr;
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = TrimBlanks(QStringView(text).mid(pos, end - pos));
        pos = end + 1;
        if (end < text.size() && text[end] == u'\r' && pos < text.size() && text[pos] == u'\n')
            ++pos;

        if (line.isEmpty() || line.front() == u';')
            continue;
        if (line.front() == u'[' && line.back() == u']') {
            const QString name = TrimBlanks(line.mid(1, line.size() - 2)).toString();
            // A section given twice is one section: later keys join the first.
            current = FindSection(name);
            if (!current)
                current = &FSections.emplace_back(TSection{name, {}});
            continue;
        }
        if (!current)
            continue; // lines before the first section belong to none
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            current->Entries.push_back({line.toString(), std::nullopt});
        else
            current->Entries.push_back(
                {TrimBlanks(line.left(eq)).toString(), TrimBlanks(line.mid(eq + 1)).toString()});
    }
}

std::string TMemIniFile::GetBytes() const
{
    QString text;
    for (const TSection& section : FSections) {
        text += u'[';
        text += section.Name;
        text += QStringLiteral("]\r\n");
        for (const TEntry& entry : section.Entries) {
            text += entry.Key;
            if (entry.Value)
                text += u'=' + *entry.Value;
            text += QStringLiteral("\r\n");
        }
        text += QStringLiteral("\r\n");
    }
    return text.toStdString();
}

void TMemIniFile::UpdateFile() const
{
    if (FFileName.isEmpty())
        throw EFCreateError("Cannot create file \"\": the ini file has no name");
    WriteFileAtomically(FFileName, GetBytes());
}

const TMemIniFile::TSection* TMemIniFile::FindSection(const QString& name) const
{
    for (const TSection& section : FSections)
        if (SameName(section.Name, name))
            return &section;
    return nullptr;
}

TMemIniFile::TSection* TMemIniFile::FindSection(const QString& name)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const TMemIniFile::TEntry* TMemIniFile::FindEntry(const TSection& section, const QString& key)
{
    for (const TEntry& entry : section.Entries)
        if (SameName(entry.Key, key))
            return &entry;
    return nullptr;
}

QString TMemIniFile::ReadString(const QString& section, const QString& key, const QString& defaultValue) const
{
    const TSection* s = FindSection(section);
    const TEntry* e = s ? FindEntry(*s, key) : nullptr;
    if (!e)
        return defaultValue;
    return e->Value.value_or(QString());
}

void TMemIniFile::WriteString(const QString& section, const QString& key, const QString& value)
{
    try {
        CheckSection(section);
        CheckKey(key);
        CheckValue(key, value);
    } catch (const EIniError& error) {
        if (FFileName.isEmpty())
            throw;
        throw EIniError(QStringLiteral("\"%1\": %2").arg(FFileName, QString::fromUtf8(error.what())).toStdString());
    }
    TSection* s = FindSection(section);
    if (!s)
        s = &FSections.emplace_back(TSection{section, {}});
    if (auto* e = const_cast<TEntry*>(FindEntry(*s, key)))
        e->Value = value;
    else
        s->Entries.push_back({key, value});
}

int TMemIniFile::ReadInteger(const QString& section, const QString& key, int defaultValue) const
{
    return ParseIniInteger(ReadString(section, key, QString())).value_or(defaultValue);
}

void TMemIniFile::WriteInteger(const QString& section, const QString& key, int value)
{
    WriteString(section, key, QString::number(value));
}

bool TMemIniFile::ReadBool(const QString& section, const QString& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void TMemIniFile::WriteBool(const QString& section, const QString& key, bool value)
{
    WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QStringList TMemIniFile::ReadSection(const QString& section) const
{
    QStringList keys;
    if (const TSection* s = FindSection(section))
        for (const TEntry& entry : s->Entries)
            keys << entry.Key;
    return keys;
}

QStringList TMemIniFile::ReadSections() const
{
    QStringList names;
    for (const TSection& section : FSections)
        names << section.Name;
    return names;
}

QStringList TMemIniFile::ReadSectionValues(const QString& section) const
{
    QStringList lines;
    if (const TSection* s = FindSection(section))
        for (const TEntry& entry : s->Entries)
            lines << (entry.Value ? entry.Key + u'=' + *entry.Value : entry.Key);
    return lines;
}

void TMemIniFile::EraseSection(const QString& section)
{
    std::erase_if(FSections, [&](const TSection& s) { return SameName(s.Name, section); });
}

void TMemIniFile::DeleteKey(const QString& section, const QString& key)
{
    if (TSection* s = FindSection(section))
        std::erase_if(s->Entries, [&](const TEntry& e) { return SameName(e.Key, key); });
}

bool TMemIniFile::SectionExists(const QString& section) const
{
    return FindSection(section) != nullptr;
}

bool TMemIniFile::ValueExists(const QString& section, const QString& key) const
{
    const TSection* s = FindSection(section);
    return s && FindEntry(*s, key);
}

QString ReadPrivateProfileString(const QString& fileName, const QString& section, const QString& key,
                                 const QString& defaultValue)
{
    try {
        return TMemIniFile(fileName).ReadString(section, key, defaultValue);
    } catch (const std::exception&) {
        return defaultValue;
    }
}
