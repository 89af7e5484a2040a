// Case-insensitive file lookup, file-name parts and atomic writes.
#include "platform/core/AtomicFile.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

#include <sys/stat.h>

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
    std::string message = "<none>";
    {
        TFileSizeLimit limit(8);
        ASSERT_TRUE(limit.Active());
        try {
            WriteFileAtomically(path, std::string(100, 'n'));
        } catch (const EWriteError& e) {
            message = e.what();
        }
    }
    // The write stops short; the system's reason is kept.
    EXPECT_EQ(message, "Cannot write file \"" + path.toStdString() + "\". File too large");
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
    // A real final rename that fails: beside a name as long as the system allows, the temporary
    // name that replaces it is too long.
    QTemporaryDir dir;
    const QString path = dir.filePath(QString(255, u'n'));
    WriteFileAtomically(path, "old");
    std::string message = "<none>";
    try {
        WriteFileAtomically(path, "new");
    } catch (const EWriteError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, "Cannot write file \"" + path.toStdString() + "\". File name too long");
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

// A full disk part way through: the message says so, the old file stays.
TEST(AtomicFile, AShortWriteKeepsTheSystemsReason)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("page.xml");
    WriteFileAtomically(path, "old");
    FailNextWrite("page.xml", ENOSPC);
    std::string message = "<none>";
    try {
        WriteFileAtomically(path, std::string(100, 'n'));
    } catch (const EWriteError& e) {
        message = e.what();
        EXPECT_EQ(e.Reason(), "No space left on device");
    }
    EXPECT_EQ(message, "Cannot write file \"" + path.toStdString() + "\". No space left on device");
    EXPECT_EQ(ReadWholeFile(path), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.xml"});
}

// Special files are never read whole nor replaced: a FIFO would hang the reader, a link to a device
// fill the memory, a sparse file take gigabytes.
TEST(AtomicFile, OnlyRegularFilesOfAtMost256MBAreReadOrReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath("fifo.xml");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, dir.filePath("link.xml")));
    QFile sparse(dir.filePath("sparse.xml"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(MaxWholeFileBytes + 1));
    sparse.close();
    struct TCase {
        const char* Name;
        const char* Reason;
    };
    for (const TCase& c : {TCase{"fifo.xml", "not a regular file"}, TCase{"link.xml", "not a regular file"},
                           TCase{"sparse.xml", "larger than 256 MB"}}) {
        const QString path = dir.filePath(c.Name);
        try {
            ReadWholeFile(path);
            ADD_FAILURE() << c.Name << " read";
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.what(), "\"" + path.toStdString() + "\": " + c.Reason);
            EXPECT_EQ(e.Reason(), c.Reason);
        }
    }
    for (const char* name : {"fifo.xml", "link.xml"}) {
        const QString path = dir.filePath(name);
        try {
            WriteFileAtomically(path, "page");
            ADD_FAILURE() << name << " written";
        } catch (const EFileError& e) {
            EXPECT_EQ(e.what(), "Cannot write \"" + path.toStdString() + "\": not a regular file");
            EXPECT_EQ(e.Reason(), "not a regular file");
        }
    }
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(fifo).constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    ASSERT_EQ(::lstat(QFile::encodeName(dir.filePath("link.xml")).constData(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
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
