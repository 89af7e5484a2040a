// Case-insensitive file lookup, file-name parts and atomic writes.
#include "platform/core/AtomicFile.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class Lookup : public testing::Test {
protected:
    void SetUp() override
    {
        QDir d(dir.path());
        ASSERT_TRUE(d.mkpath("Images/Sub"));
        WriteFileAtomically(dir.filePath("Images/Back.PNG"), "png");
        WriteFileAtomically(dir.filePath("font.xml"), "x");
    }
    QString Root() const { return dir.path(); }
    QTemporaryDir dir;
};

TEST_F(Lookup, FindsEntriesWhateverTheirCase)
{
    const QString base = WithTrailingSlash(Root());
    EXPECT_EQ(FindFileNoCase(Root(), "FONT.XML"), base + "font.xml");
    EXPECT_EQ(FindFileNoCase(Root(), "images\\back.png"), base + "Images/Back.PNG");
    EXPECT_EQ(FindFileNoCase(Root() + "/", "images/sub"), base + "Images/Sub");
    QString found;
    EXPECT_TRUE(FileExistsNoCase(Root(), "IMAGES/BACK.png", &found));
    EXPECT_EQ(found, base + "Images/Back.PNG");
    EXPECT_TRUE(FileExistsNoCase(Root(), "images"));
}

TEST_F(Lookup, ExactNamesDotsAndTrailingSlashes)
{
    const QString base = WithTrailingSlash(Root());
    struct TCase {
        const char* name;
        bool exists;
        const char* path;  // relative to the root
    };
    const TCase cases[] = {
        {"Images/Back.PNG", true, "Images/Back.PNG"},
        {"Images//Back.PNG", true, "Images/Back.PNG"},
        {"Images\\Sub\\", true, "Images/Sub/"},
        {"font.xml/", false, "font.xml/"},
        {"Images/../font.xml", true, "Images/../font.xml"},
        {"images/./back.png", true, "Images/./Back.PNG"},
        {"Images/Missing.png", false, "Images/Missing.png"},
    };
    for (const TCase& c : cases) {
        QString found;
        EXPECT_EQ(FileExistsNoCase(Root(), c.name, &found), c.exists) << c.name;
        EXPECT_EQ(FindFileNoCase(Root(), c.name), base + c.path) << c.name;
        if (c.exists)
            EXPECT_EQ(found, base + c.path) << c.name;
    }
}

TEST_F(Lookup, MissingEntriesKeepTheGivenName)
{
    const QString base = WithTrailingSlash(Root());
    EXPECT_EQ(FindFileNoCase(Root(), "images\\New.png"), base + "Images/New.png");
    EXPECT_EQ(FindFileNoCase(Root(), "none/Deeper.xml"), base + "none/Deeper.xml");
    EXPECT_FALSE(FileExistsNoCase(Root(), "images/new.png"));
}

struct NamePart {
    const char* path;
    const char* name;
};

TEST(FileNames, ExtractFileNameSplitsAtSlashBackslashAndColon)
{
    const NamePart cases[] = {{"a/b/c.png", "c.png"}, {"a\\b\\c.png", "c.png"}, {"C:c.png", "c.png"},
                              {"c.png", "c.png"},      {"dir/", ""},           {"", ""},
                              {"x:\\y/z", "z"}};
    for (const NamePart& c : cases) {
        EXPECT_EQ(ExtractFileName(std::string_view(c.path)), c.name) << c.path;
        EXPECT_EQ(ExtractFileName(QString::fromLatin1(c.path)), QString::fromLatin1(c.name)) << c.path;
    }
}

TEST(FileNames, WithTrailingSlash)
{
    const NamePart cases[] = {{"/a/b", "/a/b/"}, {"/a/b/", "/a/b/"}, {"/a/b//", "/a/b/"},
                              {"/a/b\\", "/a/b/"}, {"/", "/"},         {"", ""}};
    for (const NamePart& c : cases)
        EXPECT_EQ(WithTrailingSlash(QString::fromLatin1(c.path)), QString::fromLatin1(c.name)) << c.path;
}

TEST(AtomicFile, WritesAndReadsWholeFiles)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("f.bin");
    std::string bytes;
    for (int i = 0; i < 70000; ++i)
        bytes.push_back(char(i * 7));
    WriteFileAtomically(path, bytes);
    EXPECT_EQ(ReadWholeFile(path), bytes);
    WriteFileAtomically(path, "");
    EXPECT_EQ(ReadWholeFile(path), "");
}

// A write that small stays in the buffer until the file is committed; its failure there must still
// keep the old file.
TEST(AtomicFile, ASmallWriteThatFailsKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("keep.ini");
    WriteFileAtomically(path, "old");
    bool raised = false;
    {
        TFileSizeLimit limit(8);
        ASSERT_TRUE(limit.Active());
        try {
            WriteFileAtomically(path, std::string(100, 'n'));
        } catch (const EWriteError& e) {
            raised = std::string(e.what()).find("keep.ini") != std::string::npos;
        }
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.ini"});
}

// Tests make a write fail on purpose; the failure takes the path of a real one: reported with its
// reason, the old file kept, no temporary file left behind, and only once.
TEST(AtomicFile, AFailedWriteOrCommitIsReportedAndKeepsTheOldFile)
{
    for (const TWriteStage stage : {TWriteStage::Write, TWriteStage::Commit}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("index.xml");
        WriteFileAtomically(path, "old");
        FailNextWrite("page.xml", stage, "Permission denied");
        FailNextWrite("ind*.xml", stage, "No space left on device");
        std::string reason = "<none>";
        try {
            WriteFileAtomically(path, "new");
        } catch (const EWriteError& e) {
            reason = e.Reason();
            EXPECT_NE(std::string(e.what()).find(path.toStdString()), std::string::npos);
        }
        EXPECT_EQ(reason, "No space left on device");
        EXPECT_EQ(ReadWholeFile(path), "old");
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"index.xml"});
        WriteFileAtomically(path, "new");
        EXPECT_EQ(ReadWholeFile(path), "new");
        ClearWriteFailures();
    }
}

TEST(AtomicFile, ReadingAMissingFileRaisesWithThePath)
{
    QTemporaryDir dir;
    try {
        ReadWholeFile(dir.filePath("none.xml"));
        FAIL() << "no error";
    } catch (const EFOpenError& e) {
        EXPECT_NE(std::string(e.what()).find("none.xml"), std::string::npos);
    }
}

}  // namespace
