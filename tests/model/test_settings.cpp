#include "editor/settings/ConfigDir.h"
#include "editor/settings/EditorSettings.h"
#include "editor/settings/PlayerLists.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <optional>

#include <sys/stat.h>

namespace {

void WriteBytes(const QString& path, std::string_view bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes.data(), qint64(bytes.size()));
}

std::string ReadBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<missing>";
    return f.readAll().toStdString();
}

unsigned Mode(const QString& path)
{
    struct stat st {};
    ::stat(QFile::encodeName(path).constData(), &st);
    return st.st_mode & 07777;
}

// A program folder "<tmp>/app/bin", a user data folder and an all-users data folder.
class SettingsTest : public ::testing::Test {
protected:
    QString Program() const { return FTemp.filePath("app/bin") + '/'; }
    TDataFolders Data() const { return {FTemp.filePath("user"), FTemp.filePath("shared")}; }
    void SetUp() override
    {
        for (const QString& folder : {Program(), Data().PerUser, Data().AllUsers})
            QDir().mkpath(folder);
    }
    // Loads the settings as they are on disk, by default against the test's data folders.
    TConfigDir Reload(const std::optional<TDataFolders>& data = std::nullopt) const
    {
        TConfigDir dir;
        dir.LoadUserModeSettings(Program(), data.value_or(Data()));
        return dir;
    }
    TConfigDir Load(std::string_view userModeIni, const QString& where = "UserMode.ini",
                    const std::optional<TDataFolders>& data = std::nullopt)
    {
        WriteBytes(Program() + where, userModeIni);
        return Reload(data);
    }

    QTemporaryDir FTemp;
};

} // namespace

TEST_F(SettingsTest, UserModeChoosesTheFolder)
{
    const struct { std::string_view ini; int mode; const char* root; } cases[] = {
        {"[Mode]\r\nUserMode=1\r\nRoot=Varnholt\r\n", 1, "Varnholt/"},
        {"[mode]\nusermode=2\nroot=Kestralon\\Varnholt\\\n", 2, "Kestralon/Varnholt/"},
        {"[Mode]\nUserMode=1\n", 0, ""},             // no Root
        {"[Mode]\nUserMode=2\nRoot=\n", 0, ""},      // empty Root
        {"[Mode]\nUserMode=3\nRoot=Varnholt\n", 0, ""},
        {"[Mode]\nUserMode=two\nRoot=Varnholt\n", 0, ""},
        {"[Mode]\nUserMode=-1\nRoot=Varnholt\n", 0, ""},
        {"[Mode]\nUserMode=0\nRoot=Varnholt\n", 0, ""},
        {"[Other]\nUserMode=1\nRoot=Varnholt\n", 0, ""},
        {"", 0, ""},
    };
    for (const auto& c : cases) {
        const TConfigDir dir = Load(c.ini);
        EXPECT_EQ(dir.UserMode(), c.mode) << c.ini;
        EXPECT_EQ(dir.Root(), c.root) << c.ini;
        EXPECT_EQ(dir.ProgramFolder(), Program());
    }
    QFile::remove(Program() + "UserMode.ini");
    const TConfigDir none = Reload();
    EXPECT_EQ(none.UserMode(), 0);
    EXPECT_EQ(none.GetUserDataFolder(), Program());
}

TEST_F(SettingsTest, UserModeIniIsFoundOneFolderUpAndInAnyCase)
{
    EXPECT_EQ(Load("[Mode]\nUserMode=1\nRoot=Up\n", "../USERMODE.INI").Root(), "Up/");
    // Beside the program wins over one folder up.
    EXPECT_EQ(Load("[Mode]\nUserMode=1\nRoot=Beside\n", "usermode.ini").Root(), "Beside/");
}

TEST_F(SettingsTest, UnreadableUserModeIniGivesModeZero)
{
    QDir().mkpath(Program() + "UserMode.ini"); // a folder of that name
    EXPECT_EQ(Reload().UserMode(), 0);
}

TEST_F(SettingsTest, PerUserFolderIsCreatedLevelByLevel)
{
    const TConfigDir dir = Load("[Mode]\nUserMode=1\nRoot=Kestralon\\Varnholt\n");
    const QString expected = Data().PerUser + "/Kestralon/Varnholt/";
    EXPECT_EQ(dir.GetUserDataFolder(), expected);
    EXPECT_TRUE(QFileInfo(expected).isDir());
    EXPECT_EQ(Mode(Data().PerUser + "/Kestralon") & 0002, 0u); // default access in mode 1
    EXPECT_EQ(dir.GetUserDataFolder(), expected);              // existing: used as it is
}

TEST_F(SettingsTest, AllUsersFolderOpensItsFirstCreatedLevelToEveryone)
{
    const TConfigDir dir = Load("[Mode]\nUserMode=2\nRoot=Kestralon\\Varnholt\n");
    EXPECT_EQ(dir.GetUserDataFolder(), Data().AllUsers + "/Kestralon/Varnholt/");
    EXPECT_EQ(Mode(Data().AllUsers + "/Kestralon"), 0777u);
    EXPECT_EQ(Mode(Data().AllUsers + "/Kestralon/Varnholt"), 0777u); // follows its open parent
}

TEST_F(SettingsTest, AllUsersFolderThatExistsKeepsItsAccess)
{
    QDir().mkpath(Data().AllUsers + "/Kestralon");
    ::chmod(QFile::encodeName(Data().AllUsers + "/Kestralon").constData(), 0755);
    const TConfigDir dir = Load("[Mode]\nUserMode=2\nRoot=Kestralon\\Varnholt\n");
    EXPECT_EQ(dir.GetUserDataFolder(), Data().AllUsers + "/Kestralon/Varnholt/");
    EXPECT_EQ(Mode(Data().AllUsers + "/Kestralon"), 0755u);
    EXPECT_EQ(Mode(Data().AllUsers + "/Kestralon/Varnholt") & 0002, 0u);
}

TEST_F(SettingsTest, FolderThatCannotBeCreatedFallsBackToTheProgramFolder)
{
    WriteBytes(Data().PerUser + "/Blocked", "a file, not a folder");
    EXPECT_EQ(Load("[Mode]\nUserMode=1\nRoot=Blocked\\Varnholt\n").GetUserDataFolder(), Program());

    const TConfigDir noPlatform =
        Load("[Mode]\nUserMode=2\nRoot=Varnholt\n", "UserMode.ini", TDataFolders{Data().PerUser, QString()});
    EXPECT_EQ(noPlatform.GetUserDataFolder(), Program());
    EXPECT_EQ(noPlatform.GetUserFilePath("varnholt.ini", true), Program() + "varnholt.ini");
}

TEST_F(SettingsTest, MissingDataFolderIsCreated)
{
    const TConfigDir dir = Load("[Mode]\nUserMode=1\nRoot=Varnholt\n", "UserMode.ini",
                                TDataFolders{FTemp.filePath("fresh/.local/share"), QString()});
    EXPECT_EQ(dir.GetUserDataFolder(), FTemp.filePath("fresh/.local/share") + "/Varnholt/");
}

TEST_F(SettingsTest, SettingsFileIsCopiedOnFirstUseOnly)
{
    WriteBytes(Program() + "varnholt.ini", "[General]\r\nLanguage=German\r\n");
    const TConfigDir dir = Load("[Mode]\nUserMode=1\nRoot=Varnholt\n");
    const QString userFile = Data().PerUser + "/Varnholt/varnholt.ini";
    EXPECT_EQ(dir.GetUserFilePath("varnholt.ini", true), userFile);
    EXPECT_EQ(ReadBytes(userFile), "[General]\r\nLanguage=German\r\n");

    // The user's own file is kept even when the program folder has a newer one.
    WriteBytes(userFile, "[General]\r\nLanguage=French\r\n");
    WriteBytes(Program() + "varnholt.ini", "[General]\r\nLanguage=Dutch\r\n");
    EXPECT_EQ(dir.GetUserFilePath("VARNHOLT.INI", true), userFile);
    EXPECT_EQ(ReadBytes(userFile), "[General]\r\nLanguage=French\r\n");
}

TEST_F(SettingsTest, UserFilePathWithoutCopy)
{
    const TConfigDir dir = Load("[Mode]\nUserMode=1\nRoot=Varnholt\n");
    // Nothing to copy: the per-user path, which comes into being when first written.
    EXPECT_EQ(dir.GetUserFilePath("varnholt.ini", true), Data().PerUser + "/Varnholt/varnholt.ini");
    WriteBytes(Program() + "varnholt.ini", "x");
    EXPECT_EQ(dir.GetUserFilePath("varnholt.ini", false), Data().PerUser + "/Varnholt/varnholt.ini");
    EXPECT_EQ(ReadBytes(Data().PerUser + "/Varnholt/varnholt.ini"), "<missing>");
    // Mode 0 answers the program folder's file under its existing case.
    EXPECT_EQ(Load("").GetUserFilePath("VarnHolt.ini", true), Program() + "varnholt.ini");
}

TEST_F(SettingsTest, UserFilesInSubfoldersAndWithWildcards)
{
    WriteBytes(Program() + "Language/Quorvantel/english.lng", "[Strings]\n");
    WriteBytes(Program() + "Language/Quorvantel/german.lng", "[Strings]\n1=Ende\n");
    WriteBytes(Program() + "Language/Quorvantel/notes.txt", "");
    const TConfigDir dir = Load("[Mode]\nUserMode=2\nRoot=Varnholt\n");
    const QString folder = Data().AllUsers + "/Varnholt/";
    EXPECT_EQ(dir.GetUserFilePath("language\\quorvantel\\*.lng", true), folder + "language/quorvantel/*.lng");
    EXPECT_EQ(ReadBytes(folder + "language/quorvantel/german.lng"), "[Strings]\n1=Ende\n");
    EXPECT_EQ(ReadBytes(folder + "language/quorvantel/english.lng"), "[Strings]\n");
    EXPECT_EQ(ReadBytes(folder + "language/quorvantel/notes.txt"), "<missing>");
    EXPECT_EQ(Mode(folder + "language"), 0777u);
    EXPECT_EQ(Mode(folder + "language/quorvantel/german.lng"), 0666u);
}

TEST_F(SettingsTest, FailedCopyAnswersTheProgramFolderFile)
{
    WriteBytes(Program() + "varnholt.ini", "[General]\n");
    const TConfigDir dir = Load("[Mode]\nUserMode=1\nRoot=Varnholt\n");
    // The copy cannot replace a folder of the settings file's name.
    QDir().mkpath(Data().PerUser + "/Varnholt/varnholt.ini/inner");
    EXPECT_EQ(dir.GetUserFilePath("varnholt.ini", true), Program() + "varnholt.ini");
    EXPECT_TRUE(QFileInfo(Data().PerUser + "/Varnholt/varnholt.ini/inner").isDir());
}

TEST_F(SettingsTest, CopyFileData)
{
    const QString source = Program() + "a.ini";
    WriteBytes(source, std::string_view("\0\r\nbinary\x80", 11));
    EXPECT_TRUE(CopyFileData(source, Program() + "b.ini"));
    EXPECT_EQ(ReadBytes(Program() + "b.ini"), std::string("\0\r\nbinary\x80", 11));
    EXPECT_FALSE(CopyFileData(source, source));
    EXPECT_FALSE(CopyFileData(source, Program() + "../bin/a.ini")); // the same file spelled otherwise
    EXPECT_EQ(ReadBytes(source), std::string("\0\r\nbinary\x80", 11));
    EXPECT_FALSE(CopyFileData(Program() + "missing.ini", Program() + "c.ini"));
    EXPECT_FALSE(QFileInfo::exists(Program() + "c.ini"));
    EXPECT_FALSE(CopyFileData(source, Program() + "no/folder/c.ini"));

    EXPECT_TRUE(IsFileNotFolder(source));
    EXPECT_FALSE(IsFileNotFolder(Program()));
    EXPECT_FALSE(IsFileNotFolder(Program() + "missing.ini"));
}

TEST(EditorSettings, SettingsFileIsNamedAfterTheProgram)
{
    EXPECT_EQ(SettingsFileName("/opt/varnholt/bin/varnholt"), "varnholt.ini");
    EXPECT_EQ(SettingsFileName("C:/Programs/Quorvantel.exe"), "Quorvantel.ini");
    EXPECT_EQ(SettingsFileName("/opt/my.editor.bin"), "my.editor.ini");
}

TEST(EditorSettings, DefaultsAndGeneralValues)
{
    TEditorSettings settings;
    EXPECT_EQ(settings.Language(), "English");
    EXPECT_FALSE(settings.NoShowStartup());
    EXPECT_TRUE(settings.LastProjects().isEmpty());
    EXPECT_FALSE(settings.HasDockingLayout());

    settings.Ini().SetBytes("[general]\nlanguage=German\nNoShowStartup=5\n[DockingLayout\\forms]\nx=1\n");
    EXPECT_EQ(settings.Language(), "German");
    EXPECT_TRUE(settings.NoShowStartup());
    EXPECT_TRUE(settings.HasDockingLayout());
    settings.Ini().SetBytes("[General]\nnoshowstartup=yes\n");
    EXPECT_FALSE(settings.NoShowStartup());
}

TEST(EditorSettings, RecentProjectsAreReadUpToTheFirstEmptyEntryAndRewritten)
{
    QTemporaryDir temp;
    const QString path = temp.filePath("varnholt.ini");
    WriteBytes(path, "[General]\r\nLanguage=German\r\n[Files]\r\n4=/d/\r\n1=/a/\r\n2=/b/\r\n[DockingLayout]\r\nk=v\r\n");
    TConfigDir dir;
    dir.LoadUserModeSettings(temp.path(), {});
    TEditorSettings settings = TEditorSettings::Open(dir, temp.filePath("varnholt"));
    EXPECT_EQ(settings.FileName(), path);
    EXPECT_EQ(settings.LastProjects(), QStringList({"/a/", "/b/"}));

    settings.SetLastProjects(settings.LastProjects());
    settings.SetNoShowStartup(true);
    settings.Save();
    EXPECT_EQ(ReadBytes(path), "[General]\r\nLanguage=German\r\nnoshowstartup=1\r\n\r\n"
                               "[DockingLayout]\r\nk=v\r\n\r\n"
                               "[Files]\r\n1=/a/\r\n2=/b/\r\n\r\n");

    TEditorSettings eleven;
    QStringList many;
    for (int i = 1; i <= 11; ++i)
        many << QString("/p%1/").arg(i);
    eleven.SetLastProjects(many);
    EXPECT_EQ(eleven.LastProjects().size(), TEditorSettings::MaxLastProjects);
    eleven.SetLastProjects({});
    EXPECT_FALSE(eleven.Ini().SectionExists("Files"));

    TEditorSettings emptyEntry;
    emptyEntry.Ini().SetBytes("[Files]\n1=/a/\n2=\n3=/c/\n");
    EXPECT_EQ(emptyEntry.LastProjects(), QStringList({"/a/"}));
}

TEST(PlayerLists, DataIniListsAreSortedWithoutRegardToCase)
{
    QTemporaryDir temp;
    TPlayerLists lists;
    lists.ActionsList << "stale=1";
    ReadDataIni(temp.path(), lists); // no data.ini: lists stay
    EXPECT_EQ(lists.ActionsList, QStringList({"stale=1"}));

    WriteBytes(temp.filePath("DATA.INI"), "[Actions]\r\nZoom=12\r\nBack=3\r\nplay=7\r\n"
                                          "[windows]\r\nmusic=2\r\nHome=1\r\n"
                                          "[Functions]\r\nstopAll\r\nRefresh=\r\n");
    ReadDataIni(temp.path(), lists);
    EXPECT_EQ(lists.ActionsList, QStringList({"Back=3", "play=7", "Zoom=12"}));
    EXPECT_EQ(lists.WindowsList, QStringList({"Home=1", "music=2"}));
    EXPECT_EQ(lists.FunctionsList, QStringList({"Refresh", "stopAll"}));
}
