// The one reader of "font.xml": the controls' lookup through the open project, and the fonts
// window's list, side by side.
#include "skinmodel/FontFile.h"
#include "skinmodel/SkinFonts.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestPictures.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

class SkinFonts : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::shared_ptr<TSkinProject> project;
    void SetUp() override { Open(dir.path() + "/"); }
    void Open(const QString& folder) { project = std::make_shared<TSkinProject>(folder); }
    std::vector<std::string> GetSkinFontNames() const { return project->FontNames(); }
    void Write(std::string_view text, const char* name = "font.xml")
    {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    struct Found {
        bool ok;
        std::string face;
        int32_t size, style;
    };
    Found Lookup(std::string_view name) const
    {
        Found f{};
        f.ok = project->LookupFont(name, f.face, f.size, f.style);
        return f;
    }
};

const char* const Fonts =
    "<fonts>"
    "<font><name>font12</name><filename>Tahoma</filename><height>10</height><style>1</style></font>"
    "<font><name>Font12</name><filename>Verdana</filename><height>18</height></font>"
    "<font><name>bold</name><filename>Georgia</filename><height>9</height><style>$3</style></font>"
    "<fontx><name>other</name><filename>X</filename><height>1</height></fontx>"
    "</fonts>";

TEST_F(SkinFonts, LastMatchingFontWins)
{
    Write(Fonts);
    const Found f = Lookup("FONT12");
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.face, "Verdana");
    EXPECT_EQ(f.size, 18);
    EXPECT_EQ(f.style, 1);  // the later font has no style of its own
    const Found b = Lookup("bold");
    EXPECT_EQ(b.face, "Georgia");
    EXPECT_EQ(b.style, 3);
}

TEST_F(SkinFonts, UnknownNameGivesArial12)
{
    Write(Fonts);
    const Found f = Lookup("other");
    EXPECT_TRUE(f.ok);
    EXPECT_EQ(f.face, "Arial");
    EXPECT_EQ(f.size, 12);
    EXPECT_EQ(f.style, 0);
}

TEST_F(SkinFonts, NamesBeginWithDebugFont)
{
    Write(Fonts);
    EXPECT_EQ(GetSkinFontNames(), (std::vector<std::string>{"debugfont", "font12", "Font12", "bold"}));
}

TEST_F(SkinFonts, WrongRootOrNoFileOrNoProject)
{
    Write("<Fonts><font><name>a</name><filename>X</filename><height>5</height></font></Fonts>");
    EXPECT_FALSE(Lookup("a").ok);
    EXPECT_EQ(Lookup("a").face, "Arial");
    EXPECT_EQ(GetSkinFontNames(), std::vector<std::string>{"debugfont"});
    Open(QString());
    EXPECT_FALSE(Lookup("a").ok);
    Open(dir.path() + "/missing/");
    EXPECT_FALSE(Lookup("a").ok);
}

TEST_F(SkinFonts, FileNameFoundWithoutRegardToCase)
{
    Write(Fonts, "Font.XML");
    EXPECT_EQ(Lookup("bold").face, "Georgia");
}

TEST_F(SkinFonts, AMalformedFontElementIsSkippedOnly)
{
    Write("<fonts>"
          "<font><filename>NoName</filename><height>5</height></font>"
          "<font><name>a</name><filename>Bad</filename><height>big</height></font>"
          "<font><name>a</name><filename>BadStyle</filename><height>7</height><style>x</style></font>"
          "<font><name>a</name><filename>Good</filename><height>11</height></font>"
          "<font><name>b</name><filename>Later</filename><height>13</height></font>"
          "<font><name>a</name><filename>Bad2</filename></font>"
          "</fonts>");
    const Found a = Lookup("a");
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.face, "Good");
    EXPECT_EQ(a.size, 11);
    EXPECT_EQ(a.style, 0);
    EXPECT_EQ(Lookup("b").face, "Later");
    EXPECT_EQ(GetSkinFontNames(), (std::vector<std::string>{"debugfont", "a", "a", "a", "b", "a"}));
}

TEST_F(SkinFonts, BrokenTextFallsBack)
{
    Write("<fonts><font><name>a</name><filename>X</filename><height>5</height></font>");
    EXPECT_FALSE(Lookup("a").ok);
    EXPECT_EQ(Lookup("a").face, "Arial");
    EXPECT_EQ(GetSkinFontNames(), std::vector<std::string>{"debugfont"});
}

// The file is read once while it stays the same; every change on disk is seen at the next lookup.
TEST_F(SkinFonts, ReadAgainAfterEveryChange)
{
    const auto font = [](const char* face, int height) {
        return "<fonts><font><name>a</name><filename>" + std::string(face) + "</filename><height>"
               + std::to_string(height) + "</height></font></fonts>";
    };
    struct Step {
        const char* what;
        std::function<void()> change;
        bool ok;
        const char* face;
        int32_t size;
    };
    const QString path = dir.filePath("font.xml");
    const Step steps[] = {
        {"first read", [&] { Write(font("Tahoma", 10)); }, true, "Tahoma", 10},
        {"unchanged", [] {}, true, "Tahoma", 10},
        {"other size", [&] { Write(font("Verdana", 10)); }, true, "Verdana", 10},
        {"same size, later time", [&] { Write(font("Georgi", 10)); TouchLater(path, 5); }, true, "Georgi", 10},
        {"same size, one digit changed", [&] { Write(font("Georgi", 11)); TouchLater(path, 10); }, true, "Georgi", 11},
        {"not well-formed", [&] { Write("<fonts><font>"); }, false, "Arial", 12},
        {"mended", [&] { Write(font("Courier", 9)); }, true, "Courier", 9},
        {"removed", [&] { QFile::remove(path); }, false, "Arial", 12},
        {"back again", [&] { Write(font("Tahoma", 14)); }, true, "Tahoma", 14},
        {"other project", [&] { Open(dir.path() + "/other/"); }, false, "Arial", 12},
        {"same project again", [&] { Open(dir.path() + "/"); }, true, "Tahoma", 14},
    };
    for (const Step& step : steps) {
        step.change();
        const Found f = Lookup("a");
        EXPECT_EQ(f.ok, step.ok) << step.what;
        EXPECT_EQ(f.face, step.face) << step.what;
        EXPECT_EQ(f.size, step.size) << step.what;
    }
}

TEST_F(SkinFonts, RewriteKeepingSizeAndTimeIsSeen)
{
    const QString path = dir.filePath("font.xml");
    Write("<fonts><font><name>a</name><filename>Tahoma</filename><height>10</height></font></fonts>");
    EXPECT_EQ(Lookup("a").face, "Tahoma");
    const QDateTime time = QFileInfo(path).fileTime(QFileDevice::FileModificationTime);
    Write("<fonts><font><name>a</name><filename>Georgi</filename><height>10</height></font></fonts>");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(time, QFileDevice::FileModificationTime));
    }
    EXPECT_EQ(Lookup("a").face, "Georgi");
}

TEST_F(SkinFonts, NamesFollowTheFile)
{
    Write(Fonts);
    EXPECT_EQ(GetSkinFontNames().size(), 4u);
    Write("<fonts><font><name>only</name><filename>X</filename><height>5</height></font></fonts>");
    EXPECT_EQ(GetSkinFontNames(), (std::vector<std::string>{"debugfont", "only"}));
}

// The same files through both readers: the lookup counts "font" elements whose numbers read, the
// fonts window's list every child with a name, a face and a height (text that is no number: -1).
// A file the list cannot read is never written over.
TEST_F(SkinFonts, LookupAndListReadTheSameFileByTheirOwnRules)
{
    struct Row {
        const char* text;
        std::vector<std::string> names;  // the inspector's offer
        std::vector<TOSDFont> list;      // the fonts window's lines
        const char* refused = nullptr;   // why the file is not written over
    };
    const Row rows[] = {
        {Fonts,
         {"debugfont", "font12", "Font12", "bold"},
         {{"font12", "Tahoma", 10, 1}, {"Font12", "Verdana", 18, 0}, {"bold", "Georgia", 9, 3}, {"other", "X", 1, 0}}},
        {"<fonts><font><name>a</name><filename>Bad</filename><height>big</height><style>x</style></font></fonts>",
         {"debugfont", "a"},
         {{"a", "Bad", -1, -1}}},
        {"<Fonts><font><name>a</name><filename>X</filename><height>5</height></font></Fonts>", {"debugfont"}, {},
         "its root element is \"Fonts\", not \"fonts\""},
        {"<fonts><font><name>a</name><filename>X</filename><height>5</height></fnt></fonts>", {"debugfont"}, {},
         "Invalid XML Element: Erroneous end of tag, expecting </font> but </fnt> found"},
        {"\x89PNG\r\n\x1a\n\x01\xff", {"debugfont"}, {}, "Invalid Document: Unexpected text in file prolog"},
        {"", {"debugfont"}, {}, "it has no root element"},
    };
    const TOSDFont font{"font9bi", "Courier New", 9, FontStyleBold | FontStyleItalic};
    for (const Row& row : rows) {
        Write(row.text);
        EXPECT_EQ(GetSkinFontNames(), row.names) << row.text;
        EXPECT_EQ(project->ReadFonts(), row.list) << row.text;
        if (!row.refused)
            continue;
        try {
            project->WriteFonts({&font});
            ADD_FAILURE() << "written over: " << row.text;
        } catch (const EFontFileUnreadable& error) {
            EXPECT_EQ(error.Reason(), row.refused);
        }
        QFile written(dir.filePath("font.xml"));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll().toStdString(), row.text);
    }
    // What the window writes, both read back as written; a missing file is no damaged one.
    ASSERT_TRUE(QFile::remove(dir.filePath("font.xml")));
    project->WriteFonts({&font});
    EXPECT_EQ(project->ReadFonts(), std::vector<TOSDFont>{font});
    EXPECT_EQ(Lookup("FONT9BI").face, "Courier New");
    EXPECT_EQ(Lookup("font9bi").style, 3);
    EXPECT_EQ(MakeFontName(9, 3, [](std::string_view n) { return n == "font9bi"; }), "font9bi_1");
}

}  // namespace
