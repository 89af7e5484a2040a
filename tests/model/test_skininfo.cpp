// The skin description "index.xml": exact bytes written, load rules, case of the file name.
#include "skinmodel/uskininfo.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

void WriteFile(const QString& path, std::string_view text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

std::string ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

TSkinInfo Full()
{
    TSkinInfo s;
    s.Skinname = "Blue & Gold\xE9";
    s.Version = "1.0";
    s.PreviewImage = "preview.png";
    s.Norm = "PAL";
    s.SizeX = 720;
    s.SizeY = 576;
    s.Author = "Me";
    s.Copyright = "(c) <2024>";
    return s;
}

TEST(SkinInfo, ExactBytes)
{
    QTemporaryDir dir;
    ASSERT_TRUE(Full().SaveToFile(dir.path()));
    EXPECT_EQ(ReadFile(dir.filePath("index.xml")),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<skininfo>\r\n"
              "  <skinname>Blue &amp; Gold&#xE9;</skinname>\r\n  <version>1.0</version>\r\n"
              "  <previewimage>preview.png</previewimage>\r\n  <norm>PAL</norm>\r\n"
              "  <sizex>720</sizex>\r\n  <sizey>576</sizey>\r\n  <author>Me</author>\r\n"
              "  <copyright>(c) &lt;2024&gt;</copyright>\r\n</skininfo>\r\n");
}

TEST(SkinInfo, EmptyStringsAreLeftOutSizesNever)
{
    TSkinInfo s;
    s.Skinname = "x";
    EXPECT_EQ(s.SaveToString(),
              "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<skininfo>\r\n  <skinname>x</skinname>\r\n"
              "  <sizex>0</sizex>\r\n  <sizey>0</sizey>\r\n</skininfo>\r\n");
}

TEST(SkinInfo, ReadsBackWhatItWrote)
{
    QTemporaryDir dir;
    const TSkinInfo a = Full();
    ASSERT_TRUE(a.SaveToFile(dir.path() + "/"));
    TSkinInfo b;
    ASSERT_TRUE(b.LoadFromFile(dir.path()));
    EXPECT_EQ(b.Skinname, a.Skinname);
    EXPECT_EQ(b.Version, a.Version);
    EXPECT_EQ(b.PreviewImage, a.PreviewImage);
    EXPECT_EQ(b.Norm, a.Norm);
    EXPECT_EQ(b.SizeX, 720);
    EXPECT_EQ(b.SizeY, 576);
    EXPECT_EQ(b.Author, a.Author);
    EXPECT_EQ(b.Copyright, a.Copyright);
}

TEST(SkinInfo, ChildNamesWithoutRegardToCaseAndMissingSizes)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("index.xml"), "<skininfo><SkinName>n</SkinName><SIZEY>$10</SIZEY></skininfo>");
    TSkinInfo s = Full();
    ASSERT_TRUE(s.LoadFromFile(dir.path()));
    EXPECT_EQ(s.Skinname, "n");
    EXPECT_EQ(s.SizeX, 0);
    EXPECT_EQ(s.SizeY, 16);
    EXPECT_EQ(s.Author, "");
}

TEST(SkinInfo, WrongRootClearsAndFails)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("index.xml"), "<SkinInfo><skinname>n</skinname><sizex>5</sizex></SkinInfo>");
    TSkinInfo s = Full();
    EXPECT_FALSE(s.LoadFromFile(dir.path()));
    EXPECT_EQ(s.Skinname, "");
    EXPECT_EQ(s.Version, "");
    EXPECT_EQ(s.SizeX, 0);
    EXPECT_EQ(s.SizeY, 0);
}

TEST(SkinInfo, BrokenTextFails)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("index.xml"), "<skininfo><skinname>n</skinnam></skininfo>");
    TSkinInfo s = Full();
    EXPECT_FALSE(s.LoadFromFile(dir.path()));
}

TEST(SkinInfo, MissingFileOrNoFolderLeavesTheDescription)
{
    QTemporaryDir dir;
    TSkinInfo s = Full();
    EXPECT_FALSE(s.LoadFromFile(dir.path()));
    EXPECT_FALSE(s.LoadFromFile(QString()));
    EXPECT_EQ(s.Skinname, Full().Skinname);
    EXPECT_EQ(s.SizeX, 720);
    EXPECT_FALSE(s.SaveToFile(QString()));
}

TEST(SkinInfo, FileInAnotherCaseIsReadAndReplacedNotTwinned)
{
    QTemporaryDir dir;
    WriteFile(dir.filePath("INDEX.XML"), "<skininfo><skinname>old</skinname></skininfo>");
    TSkinInfo s;
    ASSERT_TRUE(s.LoadFromFile(dir.path()));
    EXPECT_EQ(s.Skinname, "old");
    s.Skinname = "new";
    ASSERT_TRUE(s.SaveToFile(dir.path()));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"INDEX.XML"});
    EXPECT_NE(ReadFile(dir.filePath("INDEX.XML")).find("<skinname>new</skinname>"), std::string::npos);
}

TEST(SkinInfo, UnwritableFolderFails)
{
    QString reason;
    EXPECT_FALSE(Full().SaveToFile("/proc/no-such-folder", &reason));
    EXPECT_EQ(reason, "No such file or directory");
}

TEST(SkinInfo, PublishedInOrder)
{
    TSkinInfo s;
    std::vector<std::string> names;
    for (const TPropInfo& p : s.PublishedProperties())
        names.push_back(p.Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Author", "Copyright", "Norm", "PreviewImage", "SizeX", "SizeY",
                                               "Skinname", "Version"}));
}

}  // namespace
