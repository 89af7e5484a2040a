// Loading and saving documents as files.
#include "platform/core/FileErrors.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/FileSizeLimit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>


namespace {

std::string Slurp(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "(unreadable)";
    return f.readAll().toStdString();
}

void Put(const QString& path, const std::string& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes.data(), qint64(bytes.size()));
}

class XmlFiles : public testing::Test {
protected:
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(XmlFiles, MissingFileChangesNothing)
{
    TJvSimpleXML fresh;
    fresh.LoadFromFile(Path("missing.xml"));
    EXPECT_EQ(fresh.Root().Name(), "");
    EXPECT_EQ(fresh.Prolog().Count(), 0);

    TJvSimpleXML loaded;
    loaded.LoadFromString("<!--c--><a><b/></a>");
    loaded.LoadFromFile(Path("missing.xml"));
    EXPECT_EQ(loaded.Root().Name(), "a");
    EXPECT_EQ(loaded.Root().ChildCount(), 1);
    EXPECT_EQ(loaded.Prolog().Count(), 1);
}

TEST_F(XmlFiles, LoadsAFile)
{
    Put(Path("a.xml"), "<?xml version=\"1.0\"?>\r\n<a>\r\n  <b>caf&#xE9;</b>\r\n</a>\r\n");
    TJvSimpleXML doc;
    doc.LoadFromFile(Path("a.xml"));
    EXPECT_EQ(doc.Root().Items().ItemNamed("B")->Value(), "caf\xE9");
}

TEST_F(XmlFiles, AnEntryThatCannotBeReadRaisesTheOpenError)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.xml"));
    TJvSimpleXML doc;
    EXPECT_THROW(doc.LoadFromFile(Path("folder.xml")), EFOpenError);
}

TEST_F(XmlFiles, SavingOverALongerFileLeavesNothingOfIt)
{
    Put(Path("s.xml"), std::string(5000, 'x'));
    TJvSimpleXML doc;
    doc.Root().SetName("a");
    doc.SaveToFile(Path("s.xml"));
    EXPECT_EQ(Slurp(Path("s.xml")), "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<a/>\r\n");
}

// Tests run as root, which ignores permission bits; a folder that is a regular file fails for
// everyone.
TEST_F(XmlFiles, SavingWhereNoFileCanBeCreatedRaisesWithPathAndReason)
{
    Put(Path("plain"), "not a folder");
    TJvSimpleXML doc;
    doc.Root().SetName("a");
    const QString target = Path("plain") + "/page.xml";
    try {
        doc.SaveToFile(target);
        FAIL() << "no error";
    } catch (const EFCreateError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(target.toStdString()), std::string::npos) << message;
        EXPECT_GT(message.size(), target.size() + 20) << message;  // a reason follows
    }
    EXPECT_EQ(Slurp(Path("plain")), "not a folder");
}

TEST_F(XmlFiles, SavingOntoAFolderRaisesAndLeavesIt)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath("taken/inner"));
    TJvSimpleXML doc;
    doc.Root().SetName("a");
    EXPECT_THROW(doc.SaveToFile(Path("taken")), EFileError);
    EXPECT_TRUE(QDir(Path("taken/inner")).exists());
}

// A write that fails part way (here: past the process's file-size limit, which binds root too)
// leaves the old file as it was and no temporary file behind.
TEST_F(XmlFiles, AFailedWriteLeavesTheOldFile)
{
    const std::string old = "<?xml version=\"1.0\"?>\r\n<old/>\r\n";
    Put(Path("keep.xml"), old);
    TJvSimpleXML doc;
    doc.Root().SetName("big");
    doc.Root().SetValue(std::string(1 << 20, 'v'));

    bool raised = false;
    {
        TFileSizeLimit limit(4096);
        ASSERT_TRUE(limit.Active());
        try {
            doc.SaveToFile(Path("keep.xml"));
        } catch (const EWriteError&) {
            raised = true;
        }
    }
    EXPECT_TRUE(raised);
    EXPECT_EQ(Slurp(Path("keep.xml")), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"keep.xml"});
}

}  // namespace
