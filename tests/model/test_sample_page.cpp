// The sample project: a page with one control of every kind over the built-in references and a
// few small pictures of our own. Every item is read through the factory, painted and written
// again; the page written again equals the file byte for byte.
// VARNHOLT_WRITE_SAMPLE=1 writes the project folder afresh from the item texts below.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace {

const QString SampleFolder = QStringLiteral(VARNHOLT_TEST_DATA "/sample/");

// One item per kind, as a user would have placed it.
const char* const SourceItems[] = {
    "<item><type>image</type><x>0</x><y>0</y><width>720</width><height>576</height><texture>backdrop.png</texture></item>",
    "<item><type>label</type><x>20</x><y>10</y><width>200</width><label>Sample page</label></item>",
    "<item><type>slider</type><x>20</x><y>40</y><width>200</width><height>20</height></item>",
    "<item><type>checkmark</type><x>240</x><y>40</y><width>20</width><height>20</height></item>",
    "<item><type>button3part</type><x>280</x><y>40</y><width>120</width><height>40</height></item>",
    "<item><type>button</type><x>20</x><y>70</y><hyperlink>2</hyperlink><subcontrols>"
    "<control><description>imgfocus</description><texture>red.png</texture></control>"
    "<control><description>buttonlabel</description><label>Play</label></control></subcontrols></item>",
    "<item><type>selectbutton</type><x>20</x><y>110</y></item>",
    "<item><type>togglebutton</type><x>240</x><y>110</y><width>24</width><height>24</height></item>",
    "<item><type>listcontrol</type><x>420</x><y>10</y><width>280</width><height>200</height><ItemHeight>28</ItemHeight>"
    "<subcontrols><control><description>upDown</description><x>660</x><y>180</y><width>16</width><height>16</height>"
    "</control></subcontrols></item>",
    "<item><type>tickprogress</type><x>20</x><y>150</y><width>260</width><height>31</height></item>",
    "<item><type>tvlistcontrol</type><x>420</x><y>220</y><width>280</width><height>150</height><ItemHeight>24</ItemHeight>"
    "<subcontrols><control><description>image</description><texture>blue.png</texture></control>"
    "<control><description>titlebutton</description><height>24</height></control></subcontrols></item>",
    "<item><type>progress</type><x>20</x><y>190</y><width>260</width><height>28</height></item>",
    "<item><type>menu</type><x>20</x><y>230</y><width>200</width><height>120</height></item>",
    "<item><type>spincontrol</type><x>240</x><y>230</y><width>16</width><height>16</height><subtype>int</subtype></item>",
    "<item><type>textbox</type><x>240</x><y>260</y><width>160</width><height>90</height><label>Some text</label></item>",
    "<item><type>thumbnailpanel</type><x>20</x><y>360</y><width>380</width><height>200</height>"
    "<subcontrols><control><description>imgFolderFocus</description><texture>green.png</texture></control></subcontrols></item>",
    "<item><type>numinput</type><x>420</x><y>390</y><width>120</width><height>30</height><digits>4</digits>"
    "<subcontrols><control><description>imgfocus</description><texture>green.png</texture></control>"
    "<control><description>buttonlabel</description><label>1234</label></control></subcontrols></item>",
    "<item><type>edit</type><x>420</x><y>430</y><width>200</width><height>30</height><backgroundcolor>FF303060</backgroundcolor></item>",
    "<item><type>videowindow</type><x>560</x><y>390</y><width>140</width><height>80</height></item>",
};

void WritePicture(const QString& name, QColor color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(color);
    QPainter(&image).fillRect(4, 4, 8, 8, color.darker());
    image.save(SampleFolder + "images/" + name);
}

void WriteText(const QString& name, const std::string& text)
{
    QFile f(SampleFolder + name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

// The page document of the controls, as the page writer builds it.
std::string PageText(const std::vector<std::unique_ptr<TItemLayer>>& controls)
{
    TJvSimpleXML page;
    page.Root().SetName("screen");
    page.Root().Properties().Add("default", int64_t{0});
    page.Root().Properties().Add("allowoverlay", "false");
    page.Root().Properties().Add("hasbg", "true");
    page.Root().Properties().Add("version", "Kestralon OSDSkin 1.1");
    TJvSimpleXMLElem* items = page.Root().Items().Add("items");
    for (const auto& c : controls)
        c->SaveToXML(items->Items().Add("item"), nullptr, false);
    return page.SaveToString();
}

std::string ReadFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = f.readAll();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void WriteSampleProject()
{
    QDir().mkpath(SampleFolder + "images");
    WritePicture("backdrop.png", QColor(40, 50, 70));
    WritePicture("red.png", QColor(200, 40, 40));
    WritePicture("green.png", QColor(40, 160, 60));
    WritePicture("blue.png", QColor(40, 80, 200));
    WriteText("font.xml", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<fonts>\r\n  <font>\r\n"
                          "    <name>font13</name>\r\n    <filename>Liberation Sans</filename>\r\n"
                          "    <height>13</height>\r\n    <style>0</style>\r\n  </font>\r\n</fonts>\r\n");
    WriteText("myhome.xml", PageText({}));
    TSkinInfo info;
    info.Skinname = "sample";
    info.Author = "Varnholt tests";
    info.SizeX = 720;
    info.SizeY = 576;
    ASSERT_TRUE(info.SaveToFile(SampleFolder));
    std::vector<std::unique_ptr<TItemLayer>> controls;
    for (const char* item : SourceItems) {
        controls.push_back(ControlFromText(item, true));
        ASSERT_TRUE(controls.back()) << item;
    }
    WriteText("sample.xml", PageText(controls));
}

}  // namespace

TEST(SamplePage, EveryKindLoadsPaintsAndSavesTheSameBytes)
{
    TReferencesScope none("");
    OSDControlFactory().SetProject(std::make_shared<TSkinProject>(SampleFolder));
    if (qEnvironmentVariableIsSet("VARNHOLT_WRITE_SAMPLE")) {
        QDir().mkpath(SampleFolder + "images");
        WriteText("references.xml", NewProjectReferencesText());
    }
    OSDControlFactory().LoadReferences(SampleFolder + "references.xml");
    ASSERT_TRUE(OSDControlFactory().HasReferences());
    if (qEnvironmentVariableIsSet("VARNHOLT_WRITE_SAMPLE"))
        WriteSampleProject();

    TJvSimpleXML page;
    page.LoadFromFile(SampleFolder + "sample.xml");
    ASSERT_EQ(page.Root().Name(), "screen");
    TJvSimpleXMLElem* items = page.Root().Items().ItemNamed("items");
    ASSERT_TRUE(items);
    std::vector<std::unique_ptr<TItemLayer>> controls;
    std::set<std::string> kinds;
    TBitmap32 buffer(720, 576);
    buffer.Clear(0xFF000000u);
    for (int i = 0; i < items->Items().Count(); ++i) {
        TJvSimpleXMLElem* item = items->Items().Item(i);
        controls.emplace_back(OSDControlFactory().CreateControl(nullptr, item, true));
        ASSERT_TRUE(controls.back()) << i;
        kinds.insert(controls.back()->TypeKeyword());
        controls.back()->Paint(buffer);
    }
    EXPECT_EQ(kinds.size(), 19u);
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    buffer.Image().save(QStringLiteral(VARNHOLT_TEST_OUTPUT "/sample_page.png"));
    const std::string written = PageText(controls);
    EXPECT_EQ(written, ReadFile(SampleFolder + "sample.xml"));
    // Saving again after painting changes nothing either.
    EXPECT_EQ(PageText(controls), written);
    OSDControlFactory().SetProject(nullptr);
}
