// The control factory: type keywords, the reference rules of "references.xml", and the built-in
// default references a new project receives.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestKinds.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <typeinfo>

namespace {

TOSDControlFactory& Factory()
{
    return OSDControlFactory();
}

struct Doc {
    TJvSimpleXML doc;
    explicit Doc(std::string_view text) { doc.LoadFromString(text); }
    TJvSimpleXMLElem* root() { return &doc.Root(); }
};

void WriteFile(const QString& path, std::string_view text)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
}

class FactoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterTestKinds();
        Factory().ClearReferences();
    }
    void TearDown() override { Factory().ClearReferences(); }
};

TEST_F(FactoryTest, KeywordsInTheirComparisonOrder)
{
    const std::vector<std::string> want = {
        "image", "label", "slider", "checkmark", "button3part", "button", "selectbutton",
        "togglebutton", "listcontrol", "tickprogress", "tvlistcontrol", "progress", "menu",
        "spincontrol", "textbox", "thumbnailpanel", "videowindow", "numinput", "edit"};
    const std::vector<std::string> got = Factory().Keywords();
    ASSERT_GE(got.size(), want.size());
    EXPECT_EQ(std::vector<std::string>(got.begin(), got.begin() + static_cast<long>(want.size())), want);
}

TEST_F(FactoryTest, TypeComparedLowerCased)
{
    for (const char* type : {"videowindow", "VideoWindow", "VIDEOWINDOW"}) {
        Doc d(std::string("<item><type>") + type + "</type></item>");
        std::unique_ptr<TItemLayer> c(Factory().CreateControl(nullptr, d.root(), true));
        ASSERT_TRUE(c) << type;
        EXPECT_NE(dynamic_cast<TOSDVideoControl*>(c.get()), nullptr);
        EXPECT_EQ(c->TypeName(), "Videowindow");
    }
}

TEST_F(FactoryTest, UnknownOrMissingTypeCreatesNothing)
{
    for (const char* text : {"<item><type>videowindows</type></item>", "<item><id>3</id></item>",
                             "<item><type></type></item>", "<item><type> videowindow</type><type>x</type></item>"}) {
        Doc d(text);
        EXPECT_EQ(Factory().CreateControl(nullptr, d.root(), true), nullptr) << text;
    }
    EXPECT_EQ(Factory().CreateControl(nullptr, nullptr, true), nullptr);
}

TEST_F(FactoryTest, ControlWithACollectionBelongsToIt)
{
    TLayerCollection layers;
    Doc d("<item><type>videowindow</type></item>");
    TItemLayer* c = Factory().CreateControl(&layers, d.root(), false);
    ASSERT_TRUE(c);
    EXPECT_EQ(layers.Count(), 1);
    EXPECT_EQ(layers.Items(0), c);
}

TEST_F(FactoryTest, ReferenceIsReadFirstThenTheElement)
{
    Factory().LoadReferencesFromText(
        "<controls><control><type>videowindow</type><id>1</id><description>ref</description>"
        "<diffusecolor>80FFFFFF</diffusecolor><up>4</up><x>9</x><width>50</width></control></controls>");
    ASSERT_TRUE(Factory().HasReferences());
    Doc d("<item><type>videowindow</type><down>2</down></item>");
    std::unique_ptr<TItemLayer> c(Factory().CreateControl(nullptr, d.root(), true));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->Control_ID, 0);          // reset by the item's own reading
    EXPECT_EQ(c->Description, "ref");
    EXPECT_EQ(c->Alpha, 255);             // likewise
    EXPECT_EQ(c->GetX(), 0);
    EXPECT_EQ(c->GetWidth(), 50);
    EXPECT_EQ(c->ControlUp, 4);
    EXPECT_EQ(c->ControlDown, 2);
    std::unique_ptr<TItemLayer> plain(Factory().CreateControl(nullptr, d.root(), false));
    EXPECT_EQ(plain->Description, "");
    EXPECT_EQ(plain->ControlUp, 0);
}

TEST_F(FactoryTest, FirstReferenceOfATypeWinsAndOnlyExactControlElementsCount)
{
    Factory().LoadReferencesFromText(
        "<controls><Control><type>testpart</type><id>7</id></Control>"
        "<item><type>testpart</type><id>8</id></item>"
        "<control><type>TestPart</type><id>1</id></control>"
        "<control><type>testpart</type><id>2</id></control></controls>");
    TJvSimpleXMLElem* ref = Factory().FindReference("TESTPART");
    ASSERT_TRUE(ref);
    int32_t id = 0;
    TOSDControlFactory::ReadInteger(ref, "id", id);
    EXPECT_EQ(id, 1);
    EXPECT_EQ(Factory().FindReference("videowindow"), nullptr);
}

TEST_F(FactoryTest, WrongRootOrBadTextLoadsNoReferences)
{
    for (const char* text : {"<Controls><control><type>testpart</type></control></Controls>", ""}) {
        Factory().ClearReferences();
        EXPECT_EQ(Factory().LoadReferencesFromText(text), std::nullopt) << text;
        EXPECT_FALSE(Factory().HasReferences()) << text;
        EXPECT_EQ(Factory().FindReference("testpart"), nullptr);
    }
}

// A damaged file is kept as the failed parse left it: the controls read before the error still
// serve as references, and the caller hears of the error.
TEST_F(FactoryTest, CutOffFileKeepsTheControlsReadBeforeTheError)
{
    QTemporaryDir dir;
    const std::string& text = BuiltInReferencesText();
    // Cut inside the fourth control, the toggle button.
    const std::size_t cut = text.find("<x>192</x>", text.find("<type>togglebutton</type>"));
    ASSERT_NE(cut, std::string::npos);
    WriteFile(dir.filePath("references.xml"), text.substr(0, cut));
    const auto error = Factory().LoadReferences(dir.filePath("page.xml"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Path, dir.filePath("references.xml"));
    EXPECT_EQ(error->Reason, "Invalid XML Element: Erroneous end of tag, expecting </control> but </> found");
    ASSERT_TRUE(Factory().HasReferences());
    for (const char* type : {"image", "label", "button"})
        EXPECT_NE(Factory().FindReference(type), nullptr) << type;
    EXPECT_EQ(Factory().FindReference("togglebutton"), nullptr);
    // The references apply as from a whole file.
    Doc d("<item><type>label</type><x>5</x></item>");
    std::unique_ptr<TItemLayer> label(Factory().CreateControl(nullptr, d.root(), true));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->GetWidth(), 150);
    EXPECT_EQ(label->GetHeight(), 24);
    // The same text loads the same way.
    Factory().ClearReferences();
    EXPECT_EQ(Factory().LoadReferencesFromText(text.substr(0, cut)), error->Reason);
    EXPECT_NE(Factory().FindReference("button"), nullptr);
}

TEST_F(FactoryTest, LoadReferencesTakesTheFolderOfTheFileOnce)
{
    QTemporaryDir a, b;
    WriteFile(a.filePath("References.XML"), "<controls><control><type>testpart</type><id>1</id></control></controls>");
    WriteFile(b.filePath("references.xml"), "<controls><control><type>testpart</type><id>2</id></control></controls>");
    Factory().LoadReferences(a.path() + "\\page.xml");
    ASSERT_TRUE(Factory().HasReferences());
    Factory().LoadReferences(b.path() + "/page.xml");
    int32_t id = 0;
    TOSDControlFactory::ReadInteger(Factory().FindReference("testpart"), "id", id);
    EXPECT_EQ(id, 1);
    Factory().ClearReferences();
    EXPECT_FALSE(Factory().HasReferences());
    Factory().LoadReferences(b.path() + "/page.xml");
    TOSDControlFactory::ReadInteger(Factory().FindReference("testpart"), "id", id);
    EXPECT_EQ(id, 2);
}

TEST_F(FactoryTest, MissingOrBrokenFileLoadsNoReferences)
{
    QTemporaryDir dir;
    EXPECT_EQ(Factory().LoadReferences(dir.filePath("page.xml")), std::nullopt);
    EXPECT_FALSE(Factory().HasReferences());
    // A file that cannot be opened.
    ASSERT_TRUE(QDir(dir.path()).mkdir("References.xml"));
    auto error = Factory().LoadReferences(dir.filePath("page.xml"));
    ASSERT_TRUE(error);
    EXPECT_EQ(error->Path, dir.filePath("References.xml"));
    EXPECT_EQ(error->Reason, "Is a directory");
    EXPECT_FALSE(Factory().HasReferences());
    ASSERT_TRUE(QDir(dir.path()).rmdir("References.xml"));
    // Broken in the only control: nothing of it serves as a reference.
    WriteFile(dir.filePath("references.xml"), "<controls><control><type>testpart</type></contr></controls>");
    error = Factory().LoadReferences(dir.filePath("page.xml"));
    ASSERT_TRUE(error);
    EXPECT_EQ(Factory().FindReference("testpart"), nullptr);
}

TEST_F(FactoryTest, VideoWindowHasNoBuiltInReference)
{
    Factory().LoadReferencesFromText(BuiltInReferencesText());
    ASSERT_TRUE(Factory().HasReferences());
    EXPECT_EQ(Factory().FindReference("videowindow"), nullptr);
    Doc d("<item><type>videowindow</type><width>30</width></item>");
    std::unique_ptr<TItemLayer> c(Factory().CreateControl(nullptr, d.root(), true));
    ASSERT_TRUE(c);
    EXPECT_EQ(c->GetWidth(), 30);
}

TEST_F(FactoryTest, BooleanWordsAreInstalled)
{
    Factory();
    EXPECT_TRUE(TOSDControlFactory::TextToBool("Enabled"));
    EXPECT_FALSE(TOSDControlFactory::TextToBool("nee"));
    TJvSimpleXML doc;
    TOSDControlFactory::WriteBool(&doc.Root(), "b", true);
    EXPECT_EQ(doc.Root().Items().Item(0)->Value(), "true");
}

// ---- the built-in references ---------------------------------------------------------------

TEST(BuiltInReferences, TextForm)
{
    const std::string& text = BuiltInReferencesText();
    EXPECT_EQ(text.size(), 29295u);
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\"?>\r\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 11), "</controls>");
    for (std::size_t i = 0; i < text.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(text[i]), 0x80u) << i;
        if (text[i] == '\n') {
            ASSERT_EQ(text[i - 1], '\r') << i;
        }
        if (text[i] == '\r') {
            ASSERT_EQ(text[i + 1], '\n') << i;
        }
    }
    EXPECT_EQ(NewProjectReferencesText(), text + "\r\n");
}

TEST(BuiltInReferences, OutlineOfTheControls)
{
    TJvSimpleXML doc;
    doc.LoadFromString(BuiltInReferencesText());
    TJvSimpleXMLElem& root = doc.Root();
    ASSERT_EQ(root.Name(), "controls");
    TJvSimpleXMLElem* skin = root.Items().Item(0);
    EXPECT_EQ(skin->Name(), "skin");
    EXPECT_EQ(skin->Items().ItemNamed("width")->Value(), "720");
    EXPECT_EQ(skin->Items().ItemNamed("height")->Value(), "576");
    const std::vector<std::string> types = {
        "image", "label", "button", "togglebutton", "listcontrol", "thumbnailpanel", "textbox", "progress",
        "spincontrol", "tickprogress", "checkmark", "selectbutton", "button3part", "slider", "Menu"};
    const std::vector<int> parts = {0, 0, 3, 5, 2, 3, 1, 5, 4, 6, 3, 8, 9, 4, 2};
    ASSERT_EQ(root.ChildCount(), 1 + static_cast<int>(types.size()));
    for (std::size_t i = 0; i < types.size(); ++i) {
        TJvSimpleXMLElem* c = root.Items().Item(static_cast<int>(i) + 1);
        EXPECT_EQ(c->Name(), "control");
        EXPECT_EQ(c->Items().ItemNamed("type")->Value(), types[i]);
        TJvSimpleXMLElem* sub = c->Items().ItemNamed("subcontrols");
        EXPECT_EQ(sub ? sub->ChildCount() : 0, parts[i]) << types[i];
    }
    // The three-part button's focused left end has no type; the list's spin part has its own parts.
    TJvSimpleXMLElem* threePart = root.Items().Item(13)->Items().ItemNamed("subcontrols");
    TJvSimpleXMLElem* focusLeft = threePart->Items().Item(6);
    EXPECT_EQ(focusLeft->Items().ItemNamed("description")->Value(), "imgFocusLeft");
    EXPECT_EQ(focusLeft->Items().ItemNamed("type"), nullptr);
    TJvSimpleXMLElem* upDown = root.Items().Item(5)->Items().ItemNamed("subcontrols")->Items().Item(0);
    EXPECT_EQ(upDown->Items().ItemNamed("type")->Value(), "Spincontrol");
    EXPECT_EQ(upDown->Items().ItemNamed("subcontrols")->ChildCount(), 4);
    EXPECT_EQ(upDown->Items().ItemNamed("right")->Value(), "10");
}

// One line per control: type (or "(no type)"), description (or "no description"), then every
// value child as name and text; parts indented below their owner, in the order of "subcontrols".
void Outline(TJvSimpleXMLElem* control, int depth, std::string& out)
{
    TJvSimpleXMLElem* type = control->Items().ItemNamed("type");
    TJvSimpleXMLElem* description = control->Items().ItemNamed("description");
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + "- " + (type ? type->Value() : "(no type)") + ", " +
           (description ? "description " + description->Value() : std::string("no description")) + ":";
    std::string separator = " ";
    for (int i = 0; i < control->ChildCount(); ++i) {
        TJvSimpleXMLElem* child = control->Items().Item(i);
        if (child == type || child == description || child->Name() == "subcontrols")
            continue;
        out += separator + child->Name() + " " + child->Value();
        separator = "; ";
    }
    out += "\n";
    if (TJvSimpleXMLElem* parts = control->Items().ItemNamed("subcontrols"))
        for (int i = 0; i < parts->ChildCount(); ++i)
            Outline(parts->Items().Item(i), depth + 1, out);
}

TEST(BuiltInReferences, EveryControlPartAndValueInFileOrder)
{
    TJvSimpleXML doc;
    doc.LoadFromString(BuiltInReferencesText());
    std::string got;
    for (int i = 1; i < doc.Root().ChildCount(); ++i)
        Outline(doc.Root().Items().Item(i), 0, got);
    QFile want(QStringLiteral(VARNHOLT_TEST_DATA "/builtin_references_outline.txt"));
    ASSERT_TRUE(want.open(QIODevice::ReadOnly));
    EXPECT_EQ(got, want.readAll().toStdString());
}

TEST(Factory, EveryKindIsFoundByItsOwnTypeText)
{
    // A control's saved "type" and its reference lookup must lead back to its own class.
    for (const std::string& keyword : OSDControlFactory().Keywords()) {
        std::unique_ptr<TItemLayer> c(OSDControlFactory().CreateKind(keyword, nullptr));
        if (!c)
            continue;  // not built yet
        EXPECT_EQ(c->TypeKeyword(), keyword);
        EXPECT_EQ(LowerAscii(c->TypeName()), keyword) << "type text \"" << c->TypeName() << "\"";
        TJvSimpleXML doc;
        doc.Root().SetName("item");
        doc.Root().Items().Add("type", std::string_view(c->TypeName()));
        std::unique_ptr<TItemLayer> again(OSDControlFactory().CreateControl(nullptr, &doc.Root(), false));
        ASSERT_TRUE(again) << keyword;
        EXPECT_EQ(typeid(*again), typeid(*c)) << keyword;
    }
}

TEST(BuiltInReferences, FoundByTypeWithoutRegardToCase)
{
    OSDControlFactory().ClearReferences();
    OSDControlFactory().LoadReferencesFromText(BuiltInReferencesText());
    for (const char* t : {"menu", "button3part", "tickprogress", "Image"}) {
        EXPECT_NE(OSDControlFactory().FindReference(t), nullptr) << t;
    }
    for (const char* t : {"tvlistcontrol", "videowindow", "numinput", "edit", "skin"}) {
        EXPECT_EQ(OSDControlFactory().FindReference(t), nullptr) << t;
    }
    OSDControlFactory().ClearReferences();
}

}  // namespace
