#include "platform/core/FileErrors.h"
#include "platform/core/IniFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

std::string ReadBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().toStdString();
}

void WriteBytes(const QString& path, std::string_view bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

TMemIniFile FromBytes(std::string_view bytes)
{
    TMemIniFile ini;
    ini.SetBytes(bytes);
    return ini;
}

} // namespace

TEST(IniFile, SectionsAndKeysIgnoreCaseAndKeepTheirOrder)
{
    TMemIniFile ini = FromBytes("[Files]\r\n2=b\r\n1=a\r\n[general]\r\nLanguage=German\r\n");
    EXPECT_EQ(ini.ReadString("GENERAL", "language", "English"), "German");
    EXPECT_EQ(ini.ReadSections(), QStringList({"Files", "general"}));
    EXPECT_EQ(ini.ReadSection("files"), QStringList({"2", "1"}));

    ini.WriteString("General", "LANGUAGE", "French"); // replaces, keeps the stored spelling
    ini.WriteString("files", "3", "c");
    ini.WriteString("New", "k", "v");
    EXPECT_EQ(ini.GetBytes(), "[Files]\r\n2=b\r\n1=a\r\n3=c\r\n\r\n"
                              "[general]\r\nLanguage=French\r\n\r\n"
                              "[New]\r\nk=v\r\n\r\n");
}

TEST(IniFile, ValuesAreKeptAsWritten)
{
    TMemIniFile ini;
    ini.WriteString("General", "Path", "C:\\Skins\\My Skin\\");
    ini.WriteString("General", "List", "a,b, \"c\"");
    ini.WriteString("DockingLayout\\Forms", "Count", "2");
    ini.WriteString("General", "Empty", "");
    ini.WriteString("General", "Eq", "a=b");
    ini.WriteString("General", "Text", QString::fromUtf8("Grüße €"));
    const std::string bytes = ini.GetBytes();
    EXPECT_EQ(bytes, "[General]\r\nPath=C:\\Skins\\My Skin\\\r\nList=a,b, \"c\"\r\nEmpty=\r\nEq=a=b\r\n"
                     "Text=Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC\r\n\r\n"
                     "[DockingLayout\\Forms]\r\nCount=2\r\n\r\n");

    const TMemIniFile back = FromBytes(bytes);
    EXPECT_EQ(back.ReadString("general", "path", ""), "C:\\Skins\\My Skin\\");
    EXPECT_EQ(back.ReadString("general", "eq", ""), "a=b");
    EXPECT_EQ(back.ReadString("general", "empty", "x"), ""); // present but empty: not the default
    EXPECT_EQ(back.ReadString("general", "text", ""), QString::fromUtf8("Grüße €"));
    EXPECT_TRUE(back.SectionExists("dockinglayout\\forms"));
    EXPECT_EQ(back.GetBytes(), bytes);
}

TEST(IniFile, ReadsEveryLineEndCommentsAndBlanks)
{
    const TMemIniFile ini = FromBytes("\xEF\xBB\xBF" "orphan=1\n; comment\r\n  [ Mode ]  \rUserMode = 2 \r\n"
                                      "Root=Var\\Holt\n\n[Functions]\nPlay\r\nStop=\n[mode]\nExtra=x");
    EXPECT_EQ(ini.ReadSections(), QStringList({"Mode", "Functions"}));
    EXPECT_EQ(ini.ReadSectionValues("MODE"), QStringList({"UserMode=2", "Root=Var\\Holt", "Extra=x"}));
    EXPECT_EQ(ini.ReadSection("functions"), QStringList({"Play", "Stop"}));
    EXPECT_EQ(ini.ReadSectionValues("functions"), QStringList({"Play", "Stop="}));
    EXPECT_TRUE(ini.ValueExists("functions", "PLAY"));
    EXPECT_FALSE(ini.ValueExists("Mode", "orphan"));
}

TEST(IniFile, TextThatIsNotUtf8IsWindows1252)
{
    EXPECT_EQ(FromBytes("[S]\nk=caf\xE9 \x80\x96\n").ReadString("s", "k", ""), QString::fromUtf8("café €–"));
    EXPECT_EQ(FromBytes("[S]\nk=caf\xC3\xA9\n").ReadString("s", "k", ""), QString::fromUtf8("café"));
    EXPECT_EQ(FromBytes("[S]\nk=caf\xC3").ReadString("s", "k", ""), QString::fromUtf8("cafÃ"));
}

TEST(IniFile, IntegersAndBooleans)
{
    // Read with the defaults 7 and true.
    const struct { const char* text; int integer; bool boolean; } cases[] = {
        {"12", 12, true},   {" -3", -3, true},     {"+4", 4, true},   {"0", 0, false},
        {"$1F", 31, true},  {"0x10", 16, true},    {"two", 7, true},  {"", 7, true},
        {"1.0", 7, true},   {"3 ", 7, true},       {"2147483647", 2147483647, true},
        {"2147483648", 7, true}, {"-2147483648", -2147483647 - 1, true}, {"$FFFFFFFF", -1, true},
    };
    for (const auto& c : cases) {
        TMemIniFile ini;
        ini.WriteString("S", "k", c.text);
        EXPECT_EQ(ini.ReadInteger("S", "k", 7), c.integer) << c.text;
        EXPECT_EQ(ini.ReadBool("S", "k", true), c.boolean) << c.text;
    }
    TMemIniFile ini;
    EXPECT_FALSE(ini.ReadBool("S", "missing", false));
    ini.WriteBool("S", "b", true);
    ini.WriteBool("S", "c", false);
    ini.WriteInteger("S", "i", -15);
    EXPECT_EQ(ini.GetBytes(), "[S]\r\nb=1\r\nc=0\r\ni=-15\r\n\r\n");
}

TEST(IniFile, EraseSectionAndDeleteKey)
{
    TMemIniFile ini = FromBytes("[Files]\n1=a\n2=b\n[General]\nx=1\ny=2\n");
    ini.EraseSection("FILES");
    ini.DeleteKey("general", "X");
    ini.DeleteKey("nowhere", "x");
    EXPECT_FALSE(ini.SectionExists("Files"));
    EXPECT_EQ(ini.GetBytes(), "[General]\r\ny=2\r\n\r\n");
    ini.EraseSection("General");
    EXPECT_EQ(ini.GetBytes(), "");
}

TEST(IniFile, RefusesWhatTheFileCannotHold)
{
    TMemIniFile ini;
    EXPECT_THROW(ini.WriteString("S", "k", "line\r\nbreak"), EIniError);
    EXPECT_THROW(ini.WriteString("S", "a=b", "v"), EIniError);
    EXPECT_THROW(ini.WriteString("S", ";k", "v"), EIniError);
    EXPECT_THROW(ini.WriteString("S", " k", "v"), EIniError);
    EXPECT_THROW(ini.WriteString("S\n[T]", "k", "v"), EIniError);
    EXPECT_EQ(ini.GetBytes(), "");
    // The message names the file.
    ini.Rename("/s/varnholt.ini");
    try {
        ini.WriteString("General", "Language", "two\nlines");
        ADD_FAILURE();
    } catch (const EIniError& error) {
        EXPECT_EQ(std::string(error.what()), "\"/s/varnholt.ini\": The ini value of \"Language\" holds a line break");
    }
}

TEST(IniFile, FileRoundTripAndFailedWrite)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("varnholt.ini");
    {
        TMemIniFile missing(path);
        EXPECT_TRUE(missing.ReadSections().isEmpty());
        missing.WriteString("General", "Language", "German");
        missing.UpdateFile();
    }
    EXPECT_EQ(ReadBytes(path), "[General]\r\nLanguage=German\r\n\r\n");
    EXPECT_EQ(TMemIniFile(path).ReadString("general", "language", ""), "German");

    // The folder cannot take the temporary file: the write raises and the old file stays.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    TMemIniFile ini(path);
    ini.WriteString("General", "Language", "French");
    const bool writable = QFile(dir.filePath("probe")).open(QIODevice::WriteOnly); // root ignores modes
    if (!writable) {
        EXPECT_THROW(ini.UpdateFile(), EFileError);
        EXPECT_EQ(ReadBytes(path), "[General]\r\nLanguage=German\r\n\r\n");
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

    // Replacing a folder fails whoever runs the test; the folder keeps what it holds.
    QDir(dir.path()).mkpath("taken.ini");
    WriteBytes(dir.filePath("taken.ini/inner"), "keep");
    TMemIniFile taken;
    taken.Rename(dir.filePath("taken.ini"));
    taken.WriteString("S", "k", "v");
    EXPECT_THROW(taken.UpdateFile(), EFileError);
    EXPECT_EQ(ReadBytes(dir.filePath("taken.ini/inner")), "keep");

    TMemIniFile nowhere(dir.filePath("no/such/folder/x.ini"));
    nowhere.WriteString("S", "k", "v");
    EXPECT_THROW(nowhere.UpdateFile(), EFileError);
    EXPECT_THROW(TMemIniFile().UpdateFile(), EFileError);
}

TEST(IniFile, ReadPrivateProfileStringFallsBackToTheDefault)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("UserMode.ini");
    WriteBytes(path, "[Mode]\nUserMode=1\n");
    EXPECT_EQ(ReadPrivateProfileString(path, "mode", "usermode", "0"), "1");
    EXPECT_EQ(ReadPrivateProfileString(path, "mode", "root", ""), "");
    EXPECT_EQ(ReadPrivateProfileString(dir.filePath("none.ini"), "Mode", "UserMode", "0"), "0");
    EXPECT_EQ(ReadPrivateProfileString(dir.path(), "Mode", "UserMode", "0"), "0"); // a folder
}
