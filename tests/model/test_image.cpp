#include "skinmodel/controls/ImageLayer.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

VARNHOLT_ROUND_TRIP_TEST(Image, "image")

class ImageTest : public KindTest {
protected:
    void WritePicture(const QString& name, int w, int h, QColor colour, const char* format = "PNG")
    {
        WriteProjectFile(name, EncodePicture(SolidPicture(w, h, colour), format));
    }
    std::unique_ptr<TImageLayer> Load(const std::string& inner)
    {
        return KindFromText<TImageLayer>("<control><type>image</type>" + inner + "</control>");
    }
};

TEST_F(ImageTest, RectangleWrittenWithoutReference)
{
    TImageLayer i(nullptr);
    i.SetX(5);
    i.SetWidth(40);
    i.SetHeight(20);
    i.GraphicsType = GT_RECTANGLE;
    i.Color = i.ColorKey = 0xFF102030u;
    i.OutlineColor = 0x80000000u;
    i.SetAlpha(128);
    EXPECT_EQ(SavedControlText(i), XmlLines({
        "<item>",
        "  <type>Image</type>",
        "  <diffusecolor>80FFFFFF</diffusecolor>",
        "  <x>5</x>",
        "  <width>40</width>",
        "  <height>20</height>",
        "  <graphicstyp>rectangle</graphicstyp>",
        "  <outlinecolor>80000000</outlinecolor>",
        "  <color>FF102030</color>",
        "  <colorkey>FF102030</colorkey>",
        "  <direction>0</direction>",
        "</item>",
    }));
}

TEST_F(ImageTest, PictureWrittenAgainstBuiltInReference)
{
    UseBuiltInReferences();
    WritePicture("images/pic.png", 64, 32, Qt::red);
    auto i = Load("<texture>pic.png</texture><keepaspectratio>true</keepaspectratio>");
    ASSERT_TRUE(i);
    // The reference: "background.png", 0 by 0. A picture writes no shape values.
    i->Outline = 0;
    EXPECT_EQ(SavedControlText(*i), XmlLines({
        "<item>",
        "  <description>default image</description>",
        "  <type>Image</type>",
        "  <width>64</width>",
        "  <height>32</height>",
        "  <texture>pic.png</texture>",
        "  <keepaspectratio>true</keepaspectratio>",
        "</item>",
    }));
}

TEST_F(ImageTest, SizeComesFromThePicture)
{
    WritePicture("images/pic.png", 64, 32, Qt::red);
    auto a = Load("<texture>pic.png</texture>");
    ASSERT_TRUE(a);
    EXPECT_EQ(a->GetWidth(), 64);
    EXPECT_EQ(a->GetHeight(), 32);
    auto b = Load("<texture>pic.png</texture><width>100</width>");
    ASSERT_TRUE(b);
    EXPECT_EQ(b->GetWidth(), 100);
    EXPECT_EQ(b->GetHeight(), 32);
}

TEST_F(ImageTest, ReferenceSizeDoesNotCarryOver)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>image</type><width>300</width><height>200</height></control></controls>");
    auto i = Load("");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->GetWidth(), 0);
    EXPECT_EQ(i->GetHeight(), 0);
}

struct ColourCase {
    const char* xml;
    uint32_t colour;
};

TEST_F(ImageTest, ColourKeyWinsOverColour)
{
    for (const ColourCase& c : {ColourCase{"<colorkey>FF00FF00</colorkey><color>FFFF0000</color>", 0xFF00FF00u},
                                ColourCase{"<color>FFFF0000</color>", 0xFFFF0000u},
                                ColourCase{"<colorkey>00000000</colorkey><color>FFFF0000</color>", 0xFFFF0000u},
                                ColourCase{"", 0u}}) {
        auto i = Load(c.xml);
        ASSERT_TRUE(i);
        EXPECT_EQ(i->Color, c.colour) << c.xml;
        EXPECT_EQ(i->ColorKey, c.colour) << c.xml;
    }
}

TEST_F(ImageTest, ColourEditOfEitherSetsBothAndComesBack)
{
    for (const char* property : {"Color", "ColorKey"}) {
        auto i = Load("<graphicstyp>rectangle</graphicstyp><color>FF111111</color><width>10</width><height>10</height>");
        ASSERT_TRUE(i);
        auto props = i->PublishedProperties();
        FindProperty(props, property)->Set(TPropValue(0xFF123456u));
        const std::string text = SavedControlText(*i);
        EXPECT_NE(text.find("<color>FF123456</color>\r\n  <colorkey>FF123456</colorkey>"), std::string::npos)
            << property << "\n" << text;
        auto back = KindFromText<TImageLayer>(text);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Color, 0xFF123456u) << property;
        EXPECT_EQ(back->ColorKey, 0xFF123456u) << property;
    }
}

TEST_F(ImageTest, EqualColourPairComesBackAgainstAnyReference)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>image</type><colorkey>FFABCDEF</colorkey></control></controls>");
    for (uint32_t colour : {0u, 0xFF123456u, 0xFFABCDEFu}) {
        TImageLayer i(nullptr);
        i.Color = i.ColorKey = colour;
        auto back = KindFromText<TImageLayer>(SavedControlText(i));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Color, colour);
        EXPECT_EQ(back->ColorKey, colour);
    }
}

TEST_F(ImageTest, TypeFromReferenceIsResetAndWrittenToComeBack)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>image</type><graphicstyp>ellipse</graphicstyp></control></controls>");
    auto i = Load("");
    ASSERT_TRUE(i);
    EXPECT_EQ(i->GraphicsType, GT_IMAGE);
    i->GraphicsType = GT_ELLIPSE;
    const std::string text = SavedControlText(*i);
    EXPECT_NE(text.find("<graphicstyp>ellipse</graphicstyp>"), std::string::npos);
    auto back = KindFromText<TImageLayer>(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->GraphicsType, GT_ELLIPSE);
}

TEST_F(ImageTest, FolderPartOfTextureIsDropped)
{
    for (const char* name : {"sub\\dir\\pic.png", "c:pic.png", "a/b/pic.png"}) {
        auto i = Load(std::string("<texture>") + name + "</texture>");
        ASSERT_TRUE(i);
        EXPECT_EQ(i->FileName, "pic.png");
    }
}

TEST_F(ImageTest, PictureFoundWhateverItsCase)
{
    WritePicture("Images/PIC.Png", 8, 4, Qt::red);
    auto i = Load("<texture>pic.png</texture>");
    ASSERT_TRUE(i);
    ASSERT_TRUE(i->Bitmap);
    EXPECT_EQ(i->Bitmap->size(), QSize(8, 4));
}

TEST_F(ImageTest, PictureRewrittenOnDiskIsReadAgain)
{
    // Exact case (one status call) and another case (found by the folder's listing).
    const std::pair<const char*, const char*> cases[] = {{"images/pic.png", "pic.png"}, {"images/Other.PNG", "other.png"}};
    for (const auto& [stored, name] : cases) {
        SCOPED_TRACE(stored);
        // Bitmaps: the file's size alone tells the versions apart, whatever the file clock says.
        WritePicture(stored, 8, 4, Qt::red, "BMP");
        TImageLayer i(nullptr);
        i.SetFileName(name);
        ASSERT_TRUE(i.Bitmap);
        EXPECT_EQ(i.Bitmap->size(), QSize(8, 4));
        WritePicture(stored, 16, 3, Qt::blue, "BMP");
        i.SetFileName(name);
        ASSERT_TRUE(i.Bitmap);
        EXPECT_EQ(i.Bitmap->size(), QSize(16, 3));
        ASSERT_TRUE(QFile::remove(Project.filePath(stored)));
        i.SetFileName(name);
        EXPECT_FALSE(i.Bitmap);
    }
}

TEST_F(ImageTest, NamesThatAreNoPictureFile)
{
    WritePicture("images/pic.png", 8, 4, Qt::red);
    ASSERT_TRUE(QDir(Project.path()).mkpath("images/folder.png"));
    for (const std::string& name : {std::string("pic.png\0x", 9), std::string("folder.png"), std::string("..")}) {
        TImageLayer i(nullptr);
        i.SetFileName(name);
        EXPECT_FALSE(i.Bitmap) << name;
    }
}

TEST_F(ImageTest, NoProjectReadsNoPicture)
{
    WritePicture("images/pic.png", 8, 4, Qt::red);
    CloseProject();
    auto i = Load("<texture>pic.png</texture>");
    ASSERT_TRUE(i);
    EXPECT_FALSE(i->Bitmap);
    EXPECT_EQ(i->GetWidth(), 0);
}

TEST_F(ImageTest, AlphaOutsideItsRangeChangesNothing)
{
    TImageLayer i(nullptr);
    i.SetAlpha(256);
    i.SetAlpha(-1);
    EXPECT_EQ(i.Alpha, 255);
    i.SetAlpha(0);
    EXPECT_EQ(i.Alpha, 0);
}

TEST_F(ImageTest, DirectionKeepsItsLowByte)
{
    auto i = Load("<direction>258</direction>");
    ASSERT_TRUE(i);
    EXPECT_EQ(static_cast<int>(i->Direction), 2);
}

// ---- painting ------------------------------------------------------------------------------

TEST_F(ImageTest, PictureIsStretchedAlsoWhenTiledOrKeepingRatio)
{
    QImage quad(2, 2, QImage::Format_ARGB32);
    quad.setPixel(0, 0, 0xFFFF0000u);
    quad.setPixel(1, 0, 0xFF00FF00u);
    quad.setPixel(0, 1, 0xFF0000FFu);
    quad.setPixel(1, 1, 0xFFFFFFFFu);
    WriteProjectFile("images/quad.png", EncodePicture(quad, "PNG"));
    for (const char* extra : {"", "<graphicstyp>tile_image</graphicstyp>", "<keepaspectratio>true</keepaspectratio>"}) {
        auto i = Load(std::string("<texture>quad.png</texture><x>10</x><y>10</y><width>20</width><height>20</height>") + extra);
        ASSERT_TRUE(i);
        TBitmap32 buffer(40, 40);
        i->Paint(buffer);
        const QImage& img = buffer.Image();
        EXPECT_EQ(img.pixel(12, 12), 0xFFFF0000u) << extra;
        EXPECT_EQ(img.pixel(27, 12), 0xFF00FF00u) << extra;
        EXPECT_EQ(img.pixel(12, 27), 0xFF0000FFu) << extra;
        EXPECT_EQ(img.pixel(29, 29), 0xFFFFFFFFu) << extra;
        EXPECT_EQ(img.pixel(9, 9), 0u) << extra;
        EXPECT_EQ(img.pixel(30, 30), 0u) << extra;
        if (!*extra)
            SavePreview(img, "image_picture");
    }
}

TEST_F(ImageTest, AlphaAppliesToPictures)
{
    WritePicture("images/white.png", 4, 4, Qt::white);
    auto i = Load("<texture>white.png</texture><diffusecolor>80FFFFFF</diffusecolor>");
    ASSERT_TRUE(i);
    TBitmap32 buffer(4, 4);
    buffer.Clear(0xFF000000u);
    i->Paint(buffer);
    EXPECT_NEAR(qRed(buffer.Image().pixel(1, 1)), 128, 3);
    // Back to opaque as the inspector sets it.
    FindProperty(i->PublishedProperties(), "Alpha")->Set(int64_t{255});
    buffer.Clear(0xFF000000u);
    i->Paint(buffer);
    EXPECT_EQ(buffer.Image().pixel(1, 1), 0xFFFFFFFFu);
}

struct BadPicture {
    const char* name;
    QByteArray bytes;
};

TEST_F(ImageTest, UnreadablePicturesPaintThePlaceholder)
{
    QByteArray png = EncodePicture(SolidPicture(30, 30, Qt::red), "PNG");
    const std::vector<BadPicture> cases = {
        {"empty.png", QByteArray()},
        {"cut.png", png.left(png.size() / 2)},
        {"png.jpg", png},
        {"meta.wmf", QByteArray("\xD7\xCD\xC6\x9A\0\0\0\0", 8)},
        {"huge.bmp", BitmapHeaderOnly(100000, 100000)},
    };
    for (const BadPicture& c : cases) {
        WriteProjectFile(QString("images/") + c.name, c.bytes);
        auto i = Load(std::string("<texture>") + c.name + "</texture><width>20</width><height>20</height>");
        ASSERT_TRUE(i);
        EXPECT_FALSE(i->Bitmap) << c.name;
        TBitmap32 buffer(20, 20);
        i->Paint(buffer);
        // The placeholder's grey fill.
        EXPECT_NEAR(qAlpha(buffer.Image().pixel(10, 2)), 0xA0, 2) << c.name;
    }
    auto missing = Load("<texture>nothere.png</texture><width>20</width><height>20</height>");
    ASSERT_TRUE(missing);
    EXPECT_FALSE(missing->Bitmap);
}

TEST_F(ImageTest, RectangleFrameFollowsTheOutlineColourAlpha)
{
    // The frame is one pixel whatever the outline width says.
    for (int32_t width : {0, 3})
        for (uint32_t outline : {0x00FFFFFFu, 0x80000000u}) {
            TImageLayer i(nullptr);
            i.GraphicsType = GT_RECTANGLE;
            i.Color = 0xFFFFFFFFu;
            i.OutlineColor = outline;
            i.Outline = width;
            i.SetWidth(10);
            i.SetHeight(10);
            TBitmap32 buffer(12, 12);
            i.Paint(buffer);
            const QImage& img = buffer.Image();
            EXPECT_EQ(img.pixel(5, 5), 0xFFFFFFFFu);
            EXPECT_EQ(img.pixel(1, 5), 0xFFFFFFFFu);
            if (outline >> 24) {
                EXPECT_NEAR(qRed(img.pixel(0, 5)), 127, 2);
            } else {
                EXPECT_EQ(img.pixel(0, 5), 0xFFFFFFFFu);
            }
            EXPECT_EQ(img.pixel(10, 10), 0u);
        }
}

TEST_F(ImageTest, ShapesFillTheirRectangle)
{
    for (TGraphicsType t : {GT_ELLIPSE, GT_GRADIENT_ELLIPSE, GT_ROUNDRECT, GT_ROUNDRECT_LEFT, GT_GRADIENT_ROUNDRECT_DOWN}) {
        TImageLayer i(nullptr);
        i.GraphicsType = t;
        i.Color = 0xFF0000FFu;
        i.OutlineColor = 0xFFFF0000u;
        i.Outline = 2;
        i.Corner = 8;
        i.SetWidth(40);
        i.SetHeight(30);
        TBitmap32 buffer(40, 30);
        i.Paint(buffer);
        const QImage& img = buffer.Image();
        EXPECT_EQ(img.pixel(20, 15), 0xFF0000FFu) << int(t);
        EXPECT_LT(qAlpha(img.pixel(0, 0)), 16) << int(t);
        if (t == GT_ROUNDRECT)
            SavePreview(img, "image_roundrect");
    }
}

TEST_F(ImageTest, MeasuringOnlyReportsTheArea)
{
    TImageLayer i(nullptr);
    i.GraphicsType = GT_RECTANGLE;
    i.Color = 0xFFFFFFFFu;
    i.SetWidth(5);
    i.SetHeight(6);
    TBitmap32 buffer(10, 10);
    buffer.SetMeasuringMode(true);
    i.Paint(buffer);
    EXPECT_EQ(buffer.Image().pixel(1, 1), 0u);
    ASSERT_EQ(buffer.ChangedAreas().size(), 1u);
    EXPECT_EQ(buffer.ChangedAreas()[0], QRect(0, 0, 5, 6));
}

TEST_F(ImageTest, HugeAndInvertedControlsCostOnlyTheVisibleArea)
{
    WritePicture("images/dot.png", 1, 1, Qt::green);
    for (TGraphicsType t : {GT_IMAGE, GT_IMAGE_TILE, GT_RECTANGLE, GT_ELLIPSE, GT_ROUNDRECT}) {
        for (int32_t size : {100000, 0, -50}) {
            TImageLayer i(nullptr);
            i.SetFileName("dot.png");
            i.GraphicsType = t;
            i.Color = 0xFF00FF00u;
            i.Outline = std::numeric_limits<int32_t>::max();
            i.Corner = std::numeric_limits<int32_t>::min();
            i.SetX(size > 0 ? -size / 2 : 10);
            i.SetY(size > 0 ? -size / 2 : 10);
            i.SetWidth(size);
            i.SetHeight(size);
            TBitmap32 buffer(64, 64);
            i.Paint(buffer);
            if (size > 0 && t != GT_ELLIPSE && t != GT_ROUNDRECT) {
                EXPECT_EQ(buffer.Image().pixel(32, 32), 0xFF00FF00u) << int(t);
            }
        }
    }
}

}  // namespace
