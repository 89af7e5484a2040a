#include "skinmodel/controls/TextLayer.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

#include <cstring>

VARNHOLT_ROUND_TRIP_TEST(Label, "label")

namespace {

const char* const FontXml =
    "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<fonts>\r\n"
    "  <font>\r\n    <name>font13</name>\r\n    <filename>Verdana</filename>\r\n"
    "    <height>18</height>\r\n    <style>1</style>\r\n  </font>\r\n</fonts>\r\n";

class LabelTest : public KindTest {
protected:
    // A label in the fallback font at (0, y), w by h, with the text in the colour.
    static std::unique_ptr<TTextLayer> Plain(int y, int w, int h, const char* text, uint32_t colour)
    {
        auto l = std::make_unique<TTextLayer>(nullptr);
        l->SetFontName("any");
        l->SetY(y);
        l->SetWidth(w);
        l->SetHeight(h);
        l->LabelText = text;
        l->Textcolor = colour;
        return l;
    }

    // The example label of these tests.
    std::unique_ptr<TTextLayer> Example()
    {
        auto l = std::make_unique<TTextLayer>(nullptr);
        l->Description = "title";
        l->SetX(10);
        l->SetY(20);
        l->SetWidth(200);
        l->SetHeight(30);
        l->LabelText = "Hello";
        l->SetFontName("font13");
        l->Textcolor = l->TextSelectedColor = 0xFF00FF00u;
        l->TextAlign = StringAlignmentCenter;
        l->Outline = true;
        l->Shadow = true;
        l->ShadowX = 2;
        l->ShadowY = 3;
        l->ShadowColor = 0x80000000u;
        return l;
    }
};

TEST_F(LabelTest, ExampleWrittenWithoutReference)
{
    EXPECT_EQ(SavedControlText(*Example()), XmlLines({
        "<item>",
        "  <description>title</description>",
        "  <type>Label</type>",
        "  <x>10</x>",
        "  <y>20</y>",
        "  <width>200</width>",
        "  <height>30</height>",
        "  <label>Hello</label>",
        "  <font>font13</font>",
        "  <textcolor>FF00FF00</textcolor>",
        "  <textselectedcolor>FF00FF00</textselectedcolor>",
        "  <align>center</align>",
        "  <outline>true</outline>",
        "  <outlinecolor>FF000000</outlinecolor>",
        "  <shadowX>2</shadowX>",
        "  <shadowY>3</shadowY>",
        "  <shadow>true</shadow>",
        "  <Shadowcolor>80000000</Shadowcolor>",
        "</item>",
    }));
}

TEST_F(LabelTest, ExampleWrittenAgainstBuiltInReference)
{
    UseBuiltInReferences();
    // The reference: font13, text colour FFDDDDDD, vertical centre, 150 by 24, disabled colour
    // 60FFFFFF (so the default disabled colour is written to come back).
    EXPECT_EQ(SavedControlText(*Example()), XmlLines({
        "<item>",
        "  <description>title</description>",
        "  <type>Label</type>",
        "  <disabledcolor>FF606060</disabledcolor>",
        "  <x>10</x>",
        "  <y>20</y>",
        "  <width>200</width>",
        "  <height>30</height>",
        "  <label>Hello</label>",
        "  <textcolor>FF00FF00</textcolor>",
        "  <textselectedcolor>FF00FF00</textselectedcolor>",
        "  <align>center</align>",
        "  <outline>true</outline>",
        "  <shadowX>2</shadowX>",
        "  <shadowY>3</shadowY>",
        "  <shadow>true</shadow>",
        "  <Shadowcolor>80000000</Shadowcolor>",
        "</item>",
    }));
}

TEST_F(LabelTest, LoadedFromReferenceAndItem)
{
    UseBuiltInReferences();
    auto l = KindFromText<TTextLayer>("<control><type>LABEL</type><x>4</x><label>Hi</label></control>");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->FontName, "font13");
    EXPECT_EQ(l->Textcolor, 0xFFDDDDDDu);
    EXPECT_EQ(l->TextSelectedColor, 0xFFDDDDDDu);
    EXPECT_EQ(l->DisabledColor, 0x60FFFFFFu);
    EXPECT_EQ(l->VerticalAlign, StringAlignmentCenter);
    EXPECT_EQ(l->GetWidth(), 150);
    EXPECT_EQ(l->GetHeight(), 24);
    EXPECT_EQ(l->GetX(), 4);
    EXPECT_EQ(l->GetY(), 0);
    EXPECT_EQ(l->Control_ID, 0);
    EXPECT_EQ(l->LabelText, "Hi");
}

TEST_F(LabelTest, ReaderResetsSelectedAndOutlineColours)
{
    // The reference gives other colours; the item's element lacks them.
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>label</type><textcolor>FF111111</textcolor>"
        "<textselectedcolor>FF222222</textselectedcolor><outlinecolor>FF333333</outlinecolor>"
        "<Shadowcolor>FF444444</Shadowcolor></control></controls>");
    auto l = KindFromText<TTextLayer>("<control><type>label</type><textcolor>FF555555</textcolor></control>");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->TextSelectedColor, 0xFF555555u);
    EXPECT_EQ(l->OutlineColor, 0xFF000000u);
    EXPECT_EQ(l->ShadowColor, 0xFF000000u);
}

TEST_F(LabelTest, HeightZeroLoadsAs24)
{
    for (const char* text : {"<control><type>label</type><height>0</height></control>",
                             "<control><type>label</type></control>"}) {
        auto l = KindFromText<TTextLayer>(text);
        ASSERT_TRUE(l);
        EXPECT_EQ(l->GetHeight(), 24) << text;
    }
}

TEST_F(LabelTest, SkinFontLookup)
{
    WriteProjectFile("Font.XML", FontXml);
    TTextLayer l(nullptr);
    EXPECT_STREQ(l.FLogFont.lfFaceName, "Tahoma");
    EXPECT_EQ(l.FLogFont.lfHeight, 14);
    EXPECT_EQ(l.FLogFont.lfQuality, 4);
    l.SetFontName("FONT13");
    EXPECT_EQ(l.FLogFont.lfHeight, -18);
    EXPECT_STREQ(l.FLogFont.lfFaceName, "Verdana");
    EXPECT_EQ(l.FLogFont.lfWeight, 700);
    l.SetFontName("nosuchfont");
    EXPECT_EQ(l.FLogFont.lfHeight, -12);
    EXPECT_EQ(l.FLogFont.lfWeight, 400);
    EXPECT_EQ(std::memcmp(l.FLogFont.lfFaceName, "Arial\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 32), 0);
}

TEST_F(LabelTest, NoProjectGivesArial12)
{
    WriteProjectFile("font.xml", FontXml);
    CloseProject();
    TTextLayer l(nullptr);
    l.SetFontName("font13");
    EXPECT_STREQ(l.FLogFont.lfFaceName, "Arial");
    EXPECT_EQ(l.FLogFont.lfHeight, -12);
}

TEST_F(LabelTest, LongFaceNameIsCut)
{
    const std::string face(40, 'x');
    WriteProjectFile("font.xml", QByteArray("<fonts><font><name>f</name><filename>") + face.c_str() +
                                     "</filename><height>9</height></font></fonts>");
    TTextLayer l(nullptr);
    l.SetFontName("f");
    EXPECT_EQ(l.FLogFont.FaceName(), std::string(31, 'x'));
}

TEST_F(LabelTest, ShownText)
{
    TTextLayer l(nullptr);
    EXPECT_EQ(l.ShownText(), "# Empty #");
    l.LabelText = "-";
    l.Description = "buttonlabel";
    EXPECT_EQ(l.ShownText(), "-buttonlabel");
    l.LabelText = "Play";
    EXPECT_EQ(l.ShownText(), "Play");
}

struct FlagCase {
    StringAlignment h, v;
    uint32_t flags;
};

TEST_F(LabelTest, TextFlags)
{
    for (const FlagCase& c : {FlagCase{StringAlignmentNear, StringAlignmentNear, 0x48020},
                              FlagCase{StringAlignmentCenter, StringAlignmentCenter, 0x48025},
                              FlagCase{StringAlignmentFar, StringAlignmentFar, 0x4802A},
                              FlagCase{static_cast<StringAlignment>(7), static_cast<StringAlignment>(-1), 0x48020}}) {
        TTextLayer l(nullptr);
        l.TextAlign = c.h;
        l.VerticalAlign = c.v;
        EXPECT_EQ(l.TextFlags(), c.flags);
    }
}

struct SaveCase {
    const char* name;
    bool outline;
    bool shadow;
    int shadowX;
    uint32_t outlineColour;
    std::vector<std::string> written;  // own values after the common ones
};

class LabelSaveRules : public LabelTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(LabelSaveRules, WithoutReference)
{
    const SaveCase& c = GetParam();
    TTextLayer l(nullptr);
    l.LabelText = "x";
    l.Outline = c.outline;
    l.OutlineColor = c.outlineColour;
    l.Shadow = c.shadow;
    l.ShadowX = c.shadowX;
    std::vector<std::string> expected = {"<item>", "  <type>Label</type>", "  <label>x</label>"};
    for (const std::string& w : c.written)
        expected.push_back("  " + w);
    expected.push_back("</item>");
    std::string text = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n";
    for (const std::string& line : expected)
        text += line + "\r\n";
    EXPECT_EQ(SavedControlText(l), text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LabelSaveRules,
    ::testing::Values(
        SaveCase{"plain", false, false, 0, 0xFF000000u, {}},
        SaveCase{"outline", true, false, 0, 0xFF000000u,
                 {"<outline>true</outline>", "<outlinecolor>FF000000</outlinecolor>"}},
        // the shadow values are written even when no shadow is painted
        SaveCase{"shadowWithoutOffset", false, true, 0, 0xFF000000u,
                 {"<shadowX>0</shadowX>", "<shadowY>0</shadowY>", "<shadow>true</shadow>",
                  "<Shadowcolor>FF000000</Shadowcolor>"}},
        // an outline colour other than black would come back black: written without the outline
        SaveCase{"outlineColourKept", false, false, 0, 0xFF0000FFu, {"<outlinecolor>FF0000FF</outlinecolor>"}},
        // a shadow offset without a shadow would come back 0
        SaveCase{"shadowOffsetKept", false, false, 5, 0xFF000000u, {"<shadowX>5</shadowX>"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LabelTest, DefaultValuesAgainstAnotherReferenceAreWritten)
{
    OSDControlFactory().LoadReferencesFromText(
        "<controls><control><type>label</type><align>center</align><textcolor>FF123456</textcolor>"
        "<outline>true</outline><shadow>yes</shadow></control></controls>");
    TTextLayer l(nullptr);
    l.LabelText = "x";
    l.SetHeight(24);
    // Left out, these would come back from the reference.
    EXPECT_EQ(SavedControlText(l), XmlLines({
        "<item>",
        "  <type>Label</type>",
        "  <height>24</height>",
        "  <label>x</label>",
        "  <textcolor>FFFFFFFF</textcolor>",
        "  <align>left</align>",
        "  <outline>false</outline>",
        "  <shadow>false</shadow>",
        "</item>",
    }));
    auto back = KindFromText<TTextLayer>(SavedControlText(l));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Textcolor, 0xFFFFFFFFu);
    EXPECT_EQ(back->TextAlign, StringAlignmentNear);
    EXPECT_FALSE(back->Outline);
    EXPECT_FALSE(back->Shadow);
}

TEST_F(LabelTest, SelectedColourThatDiffersFromTextColourIsKept)
{
    TTextLayer l(nullptr);
    l.Textcolor = 0xFF00FF00u;
    l.TextSelectedColor = 0xFFFFFFFFu;
    auto back = KindFromText<TTextLayer>(SavedControlText(l));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->TextSelectedColor, 0xFFFFFFFFu);
}

// ---- painting ------------------------------------------------------------------------------

int CountNear(const QImage& image, QRgb colour, int tolerance = 40)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) > 200 && std::abs(qRed(p) - qRed(colour)) <= tolerance &&
                std::abs(qGreen(p) - qGreen(colour)) <= tolerance && std::abs(qBlue(p) - qBlue(colour)) <= tolerance)
                ++n;
        }
    return n;
}

TEST_F(LabelTest, PaintsTextThenFrame)
{
    TBitmap32 buffer(80, 40);
    buffer.Clear(0xFF808080u);
    TTextLayer l(nullptr);
    l.SetFontName("any");
    l.SetX(5);
    l.SetY(5);
    l.SetWidth(70);
    l.SetHeight(30);
    l.LabelText = "HHH";
    l.Textcolor = 0xFFFFFF00u;
    l.TextAlign = StringAlignmentCenter;
    l.Paint(buffer);
    const QImage& img = buffer.Image();
    for (QPoint p : {QPoint(5, 5), QPoint(74, 5), QPoint(5, 34), QPoint(74, 34), QPoint(40, 5), QPoint(5, 20)})
        EXPECT_EQ(img.pixel(p), 0xFF000000u) << p.x() << "," << p.y();
    EXPECT_EQ(img.pixel(4, 4), 0xFF808080u);
    EXPECT_EQ(img.pixel(75, 35), 0xFF808080u);
    EXPECT_GT(CountNear(img, 0xFFFFFF00u), 20);
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), QRect(6, 6, 70, 30));
    SavePreview(img, "label");
}

TEST_F(LabelTest, ShadowAndOutlineArePainted)
{
    TBitmap32 buffer(80, 40);
    buffer.Clear(0xFF808080u);
    auto l = Plain(0, 80, 40, "HHH", 0xFFFFFFFFu);
    l->Shadow = true;
    l->ShadowX = 3;
    l->ShadowY = 3;
    l->ShadowColor = 0xFF0000FFu;
    l->Outline = true;
    l->OutlineColor = 0xFFFF0000u;
    l->Paint(buffer);
    EXPECT_GT(CountNear(buffer.Image(), 0xFF0000FFu), 5);
    EXPECT_GT(CountNear(buffer.Image(), 0xFFFF0000u), 5);
    EXPECT_GT(CountNear(buffer.Image(), 0xFFFFFFFFu), 5);
    SavePreview(buffer.Image(), "label_shadow_outline");
}

TEST_F(LabelTest, FrameIsDrawnOverTheText)
{
    // A rectangle three pixels high cuts through the middle of the glyphs, so the text reaches
    // its top and bottom rows; the frame still covers them.
    TBitmap32 buffer(80, 5);
    buffer.Clear(0xFF808080u);
    Plain(1, 80, 3, "WWWWWWWWWWWW", 0xFFFFFFFFu)->Paint(buffer);
    const QImage& img = buffer.Image();
    int white = 0;
    for (int x = 1; x < 79; ++x) {
        EXPECT_EQ(img.pixel(x, 1), 0xFF000000u) << x;
        EXPECT_EQ(img.pixel(x, 3), 0xFF000000u) << x;
        white += img.pixel(x, 2) == 0xFFFFFFFFu;
    }
    EXPECT_GT(white, 5);
}

TEST_F(LabelTest, ShadowWithoutOffsetIsNotPainted)
{
    // Half-transparent text would let a shadow under it show through.
    TBitmap32 buffer(80, 40);
    buffer.Clear(0xFF808080u);
    auto l = Plain(0, 80, 40, "HHH", 0x80FFFFFFu);
    l->Shadow = true;
    l->ShadowColor = 0xFF0000FFu;
    l->Paint(buffer);
    int blue = 0, light = 0;
    for (int y = 1; y < 39; ++y)
        for (int x = 1; x < 79; ++x) {
            const QRgb p = buffer.Image().pixel(x, y);
            blue += qBlue(p) > qRed(p) + 8;
            light += qRed(p) > 0xA0;
        }
    EXPECT_EQ(blue, 0);
    EXPECT_GT(light, 5);
}

TEST_F(LabelTest, MeasuringPaintsNothingButReportsTheArea)
{
    TBitmap32 buffer(40, 40);
    buffer.SetMeasuringMode(true);
    TTextLayer l(nullptr);
    l.SetWidth(20);
    l.SetHeight(10);
    l.Paint(buffer);
    EXPECT_EQ(buffer.Image().pixel(0, 0), 0u);
    ASSERT_EQ(buffer.ChangedAreas().size(), 1u);
    EXPECT_EQ(buffer.ChangedAreas()[0], QRect(1, 1, 20, 10));
}

TEST_F(LabelTest, AbsurdValuesPaintWithoutHarm)
{
    TBitmap32 buffer(50, 50);
    for (int32_t size : {0, -5, 100000}) {
        TTextLayer l(nullptr);
        l.SetX(size < 0 ? 10 : -size / 2);
        l.SetWidth(size);
        l.SetHeight(size);
        l.Shadow = true;
        l.ShadowX = std::numeric_limits<int32_t>::max();
        l.ShadowY = std::numeric_limits<int32_t>::min();
        l.Outline = true;
        l.LabelText = std::string(5000, 'W');
        l.Paint(buffer);
    }
    auto l = KindFromText<TTextLayer>("<control><type>label</type><width>100000</width><height>-100000</height>"
                                      "<font>missing</font><shadowX>99999999999</shadowX></control>");
    ASSERT_TRUE(l);
    EXPECT_EQ(l->GetWidth(), 200);
    EXPECT_EQ(l->GetHeight(), 24);
    EXPECT_EQ(l->ShadowX, 0);
    l->Paint(buffer);
}

}  // namespace
