#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ButtonBase.h"
#include "skinmodel/controls/CheckMark.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/controls/SelectButton.h"
#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/ToggleButton.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/RoundTrip.h"
#include "support/TestPictures.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

// ---- round trips -------------------------------------------------------------------------

VARNHOLT_ROUND_TRIP_TEST(Button, "button")
// The toggle button's label is never placed, and the label reader turns a height of 0 into 24.
VARNHOLT_ROUND_TRIP_TEST_SKIPPING(ToggleButton, "togglebutton", "LabelControl.Height")
VARNHOLT_ROUND_TRIP_TEST(SelectButton, "selectbutton")

// ---- button base values ------------------------------------------------------------------

struct TBaseCase {
    const char* name;
    int64_t action;
    int32_t jumpTo;
    bool withRef;        // compared with a reference button whose JumpTo is 5 and ActionID 3
    const char* hyperlink;
    const char* actionText;
};

class ButtonBaseValues : public ::testing::TestWithParam<TBaseCase> {};

TEST_P(ButtonBaseValues, WrittenWhenSetOrLostOtherwise)
{
    TReferencesScope none("");
    const TBaseCase& c = GetParam();
    TOSDSimpleButton button(nullptr);
    button.ActionID = c.action;
    button.JumpTo = c.jumpTo;
    TOSDSimpleButton ref(nullptr);
    ref.JumpTo = 5;
    ref.ActionID = 3;
    const TSavedElement saved = SaveElement(button, c.withRef ? &ref : nullptr, c.withRef);
    EXPECT_EQ(saved.Child("hyperlink"), c.hyperlink);
    EXPECT_EQ(saved.Child("action"), c.actionText);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ButtonBaseValues,
    ::testing::Values(TBaseCase{"NoneIsNotWritten", -1, -1, false, "(none)", "(none)"},
                      TBaseCase{"ZeroIsWritten", 0, 0, false, "0", "0"},
                      TBaseCase{"ActionBeyond32BitsKeepsLowBits", 4294967295, 7, false, "7", "-1"},
                      TBaseCase{"Action2Pow31", 2147483648, 7, false, "7", "-2147483648"},
                      TBaseCase{"EqualToRefNotWritten", 3, 5, true, "(none)", "(none)"},
                      TBaseCase{"DifferentFromRefWritten", 4, 6, true, "6", "4"},
                      // The reference's 5 and 3 would come back on reload: "none" is written.
                      TBaseCase{"NoneAgainstRefIsKept", -1, -1, true, "-1", "-1"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonBase, EmptyTextAgainstReferenceIsNotWritten)
{
    TOSDSimpleButton ref(nullptr);
    ref.Application = "player.exe";
    ref.ScriptFunction = "OnPress";
    TOSDSimpleButton button(nullptr);
    const TSavedElement saved = SaveElement(button, &ref, true);
    EXPECT_EQ(saved.Child("application"), "(none)");
    EXPECT_EQ(saved.Child("script"), "(none)");
}

TEST(ButtonBase, AloneComparesWithItsConstructorsValues)
{
    // The base class has no keyword of its own; saved by itself it writes only what differs from
    // the -1 its constructor gives.
    TReferencesScope none("");
    TOSDCustomButtonControl button(nullptr);
    EXPECT_EQ(SaveElement(button).Text, XmlLines({"<item/>"}));
    button.JumpTo = -5;
    const TSavedElement saved = SaveElement(button);
    EXPECT_EQ(saved.Child("hyperlink"), "-5");
    EXPECT_EQ(saved.Child("action"), "(none)");
}

TEST(ButtonBase, ActionReadsAsSigned32Bits)
{
    TReferencesScope none("");
    auto button = KindFromText<TOSDSimpleButton>(
        XmlLines({"<item>", "  <type>button</type>", "  <action>-1</action>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ActionID, -1);
    button->ActionID = 4294967296 + 12;
    TJvSimpleXML doc;
    doc.Root().SetName("control");
    button->LoadFromXML(&doc.Root());
    EXPECT_EQ(button->ActionID, 12) << "without the child only the low 32 bits stay";
}

TEST(ButtonBase, ScriptKeeps254Characters)
{
    TReferencesScope none("");
    const std::string script(300, 'f');
    auto button = KindFromText<TOSDSimpleButton>(
        XmlLines({"<item>", "  <type>button</type>", "  <script>" + script + "</script>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ScriptFunction, std::string(254, 'f'));
    button->SetScriptFunction(script);
    EXPECT_EQ(button->ScriptFunction.size(), 254u);
}

// ---- simple button -----------------------------------------------------------------------

TEST(SimpleButton, WithoutReferencesWritesOffsetAndSizedParts)
{
    TReferencesScope none("");
    TOSDSimpleButton button(nullptr);
    button.SetLocation({10, 20, 110, 50});
    button.SetLabelText("Play");
    button.ActionID = 5;
    button.JumpTo = 0;
    button.ScriptFunction = "Go";
    button.Application = "player.exe";
    button.Arguments = "-f";
    EXPECT_EQ(SavedControlText(button), XmlLines({
                                     "<item>",
                                     "  <type>Button</type>",
                                     "  <x>10</x>",
                                     "  <y>20</y>",
                                     "  <width>100</width>",
                                     "  <height>30</height>",
                                     "  <hyperlink>0</hyperlink>",
                                     "  <script>Go</script>",
                                     "  <application>player.exe</application>",
                                     "  <arguments>-f</arguments>",
                                     "  <action>5</action>",
                                     "  <TextOffsetX>10</TextOffsetX>",
                                     "  <subcontrols>",
                                     PartLines("imgfocus", "Image", {{"width", "100"}, {"height", "30"}}),
                                     PartLines("imgnofocus", "Image", {{"width", "100"}, {"height", "30"}}),
                                     PartLines("buttonlabel", "Label",
                                               {{"width", "90"}, {"height", "30"}, {"label", "Play"}}),
                                     "  </subcontrols>",
                                     "</item>",
                                 }));
}

TEST(SimpleButton, WithoutReferencesDropsPartsThatHoldNothing)
{
    TReferencesScope none("");
    TOSDSimpleButton button(nullptr);
    EXPECT_EQ(SavedControlText(button), XmlLines({
                                     "<item>",
                                     "  <type>Button</type>",
                                     "  <TextOffsetX>10</TextOffsetX>",
                                     "</item>",
                                 }));
}

TEST(SimpleButton, PageButtonWithBuiltInReferences)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto button = KindFromText<TOSDSimpleButton>(XmlLines({
        "<item>",
        "  <type>Button</type>",
        "  <x>40</x>",
        "  <y>50</y>",
        "  <width>200</width>",
        "  <height>40</height>",
        "  <subcontrols>",
        PartLines("buttonlabel", "Label", {{"label", "Play"}}),
        "  </subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->TextOffsetX, 0) << "the reference's value, not the constructor's 10";
    EXPECT_EQ(button->ImageFocus->FileName, "lstbtn_focus.png");
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                      "<item>",
                                      "  <description>default button</description>",
                                      "  <type>Button</type>",
                                      "  <x>40</x>",
                                      "  <y>50</y>",
                                      "  <width>200</width>",
                                      "  <height>40</height>",
                                      "  <down>2</down>",
                                      "  <left>1</left>",
                                      "  <right>1</right>",
                                      "  <subcontrols>",
                                      PartLines("imgfocus", "Image", {{"width", "200"}, {"height", "40"}}),
                                      PartLines("imgnofocus", "Image", {{"width", "200"}, {"height", "40"}}),
                                      PartLines("buttonlabel", "Label",
                                                {{"disabledcolor", "FFFFFFFF"}, {"width", "200"}, {"height", "40"},
                                                 {"label", "Play"}}),
                                      "  </subcontrols>",
                                      "</item>",
                                  }));
}

// A reference whose parts are what a 100 by 30 button with the offset 10 lays out.
const char* const SmallButtonReference =
    "<controls><control><type>button</type><width>100</width><height>30</height>"
    "<TextOffsetX>10</TextOffsetX><subcontrols>"
    "<control><description>imgfocus</description><type>Image</type><width>100</width><height>30</height></control>"
    "<control><description>imgnofocus</description><type>Image</type><width>100</width><height>30</height></control>"
    "<control><description>buttonlabel</description><type>Label</type><width>90</width><height>30</height></control>"
    "</subcontrols></control></controls>";

TEST(SimpleButton, EqualToReferenceWritesNoOffsetAndNoSubcontrols)
{
    TReferencesScope refs(SmallButtonReference);
    auto button = KindFromText<TOSDSimpleButton>(
        XmlLines({"<item>", "  <type>button</type>", "  <x>5</x>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                      "<item>",
                                      "  <type>Button</type>",
                                      "  <x>5</x>",
                                      "  <width>100</width>",
                                      "  <height>30</height>",
                                      "</item>",
                                  }));
}

TEST(SimpleButton, PartWithoutReferenceLooksUpNoneOfItsOwnKind)
{
    // Written as a list's item button whose list has no reference: the "button" reference is not
    // consulted, so the offset and every part are written under the rules without one.
    TReferencesScope refs(SmallButtonReference);
    auto button = KindFromText<TOSDSimpleButton>(
        XmlLines({"<item>", "  <type>button</type>", "</item>"}));
    ASSERT_TRUE(button);
    TJvSimpleXML doc;
    doc.Root().SetName("control");
    button->SaveAsPart(&doc.Root(), nullptr, true, nullptr);
    EXPECT_EQ(ChildText(&doc.Root(), "TextOffsetX"), "10");
    ASSERT_TRUE(TOSDControlFactory::FindChild(&doc.Root(), "subcontrols"));
    EXPECT_EQ(TOSDControlFactory::FindChild(&doc.Root(), "subcontrols")->ChildCount(), 3);
}

TEST(SimpleButton, ItemButtonOfAListWithoutReferenceIgnoresTheButtonReference)
{
    // Only a "button" reference exists: the list has none, so its item button is written under
    // the rules without one, offset included, although it equals the "button" reference's.
    TReferencesScope refs(SmallButtonReference);
    TOSDList list(nullptr);
    list.Button->TextOffsetX = 10;
    TJvSimpleXML doc;
    doc.LoadFromString(SavedControlText(list));
    TJvSimpleXMLElem* subcontrols = TOSDControlFactory::FindChild(&doc.Root(), "subcontrols");
    ASSERT_TRUE(subcontrols);
    TJvSimpleXMLElem* button = nullptr;
    for (int i = 0; i < subcontrols->ChildCount(); ++i)
        if (ChildText(subcontrols->Items().Item(i), "description") == "Button")
            button = subcontrols->Items().Item(i);
    ASSERT_TRUE(button);
    EXPECT_EQ(ChildText(button, "TextOffsetX"), "10");
}

struct TAlignCase {
    StringAlignment align;
    float labelLeft;
};

class SimpleButtonLabel : public ::testing::TestWithParam<TAlignCase> {};

TEST_P(SimpleButtonLabel, OffsetOnlyForLeftAlignedText)
{
    TOSDSimpleButton button(nullptr);
    button.SetLocation({10, 20, 110, 50});
    button.TextOffsetX = 7;
    button.LabelControl->SetTextAlign(GetParam().align);
    button.LayoutParts();
    const TFloatRect expected{GetParam().labelLeft, 20, 110, 50};
    EXPECT_EQ(button.LabelControl->Location(), expected);
    EXPECT_EQ(button.ImageFocus->Location(), (TFloatRect{10, 20, 110, 50}));
    EXPECT_EQ(button.ImageNoFocus->Location(), (TFloatRect{10, 20, 110, 50}));
}

INSTANTIATE_TEST_SUITE_P(Table, SimpleButtonLabel,
                         ::testing::Values(TAlignCase{StringAlignmentNear, 17}, TAlignCase{StringAlignmentCenter, 10},
                                           TAlignCase{StringAlignmentFar, 10}));

class PartRoleCase : public ::testing::TestWithParam<const char*> {};

TEST_P(PartRoleCase, RoleIsReadInAnyCase)
{
    TReferencesScope none("");
    auto button = KindFromText<TOSDSimpleButton>(XmlLines({
        "<item>",
        "  <type>button</type>",
        "  <subcontrols>",
        std::string("    <control><description>") + GetParam() + "</description><texture>f.png</texture></control>",
        "  </subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ImageFocus->FileName, "f.png");
    EXPECT_EQ(button->ImageNoFocus->FileName, "");
}

INSTANTIATE_TEST_SUITE_P(Table, PartRoleCase, ::testing::Values("ImgFocus", "IMGFOCUS", "imgfocus"));

TEST(SimpleButton, LabelTextIsThePartsText)
{
    TOSDSimpleButton button(nullptr);
    const auto props = button.PublishedProperties();
    const TPropInfo* p = FindProperty(props, "LabelText");
    ASSERT_TRUE(p);
    p->Set(std::string("OK"));
    EXPECT_EQ(button.LabelControl->LabelText, "OK");
    EXPECT_EQ(button.LabelText, "");
}

// ---- toggle button -----------------------------------------------------------------------

TEST(ToggleButton, WithoutReferencesKeepsEveryPart)
{
    TReferencesScope none("");
    TOSDToggleButton button(nullptr);
    button.SetLocation({10, 20, 42, 52});
    button.LabelControl->SetHeight(16);
    EXPECT_EQ(SavedControlText(button), XmlLines({
                                     "<item>",
                                     "  <type>Togglebutton</type>",
                                     "  <x>10</x>",
                                     "  <y>20</y>",
                                     "  <width>32</width>",
                                     "  <height>32</height>",
                                     "  <TextOffsetX>10</TextOffsetX>",
                                     "  <subcontrols>",
                                     PartLines("imgfocus", "Image", {{"width", "32"}, {"height", "32"}}),
                                     PartLines("imgnofocus", "Image"),
                                     PartLines("imgaltfocus", "Image"),
                                     PartLines("imgaltnofocus", "Image"),
                                     PartLines("buttonlabel", "Label", {{"height", "16"}}),
                                     "  </subcontrols>",
                                     "</item>",
                                 }));
}

TEST(ToggleButton, EqualToReferenceWritesNoOffsetAndNoSubcontrols)
{
    TReferencesScope refs(
        "<controls><control><type>togglebutton</type><width>16</width><height>16</height>"
        "<TextOffsetX>3</TextOffsetX><subcontrols>"
        "<control><description>imgfocus</description><type>Image</type><width>16</width><height>16</height></control>"
        "<control><description>imgaltfocus</description><type>Image</type><texture>alt.png</texture></control>"
        "</subcontrols></control></controls>");
    auto button = KindFromText<TOSDToggleButton>(XmlLines({"<item>", "  <type>togglebutton</type>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->TextOffsetX, 3);
    EXPECT_EQ(button->ToggledImageFocus->FileName, "alt.png");
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                      "<item>",
                                      "  <type>Togglebutton</type>",
                                      "  <width>16</width>",
                                      "  <height>16</height>",
                                      "</item>",
                                  }));
}

TEST(ToggleButton, OffsetFromBuiltInReference)
{
    TReferencesScope refs(BuiltInReferencesText());
    auto button = KindFromText<TOSDToggleButton>(XmlLines({"<item>", "  <type>togglebutton</type>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->TextOffsetX, 0);
    EXPECT_EQ(SaveElement(*button).Child("TextOffsetX"), "(none)");
}

TEST(ToggleButton, AlternateRoleInAnyCase)
{
    TReferencesScope none("");
    auto button = KindFromText<TOSDToggleButton>(XmlLines({
        "<item>",
        "  <type>togglebutton</type>",
        "  <subcontrols><control><description>ImgAltFocus</description><texture>a.png</texture></control></subcontrols>",
        "</item>",
    }));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->ToggledImageFocus->FileName, "a.png");
    EXPECT_NE(SavedControlText(*button).find("<description>imgaltfocus</description>"), std::string::npos);
}

TEST(ToggleButton, PaintsOnlyTheFocusedPicture)
{
    TOSDToggleButton button(nullptr);
    button.SetLocation({4, 4, 20, 20});
    button.LabelControl->SetLocation({0, 0, 5, 5});
    TBitmap32 buffer(32, 32);
    button.Paint(buffer);
    EXPECT_EQ(button.ImageFocus->Location(), (TFloatRect{4, 4, 20, 20}));
    EXPECT_EQ(button.LabelControl->Location(), (TFloatRect{0, 0, 5, 5}));
    EXPECT_EQ(button.ToggledImageFocus->Location(), TFloatRect{});
}

// ---- select-one button -------------------------------------------------------------------

TEST(SelectButton, BuiltInReferenceBackgroundPartIsIgnored)
{
    TReferencesScope refs(BuiltInReferencesText());
    std::unique_ptr<TItemLayer> button(
        OSDControlFactory().CreateControl(nullptr, OSDControlFactory().FindReference("selectbutton"), false));
    ASSERT_TRUE(dynamic_cast<TOSDSelectOneButton*>(button.get()));
    const std::string text = SavedControlText(*button);
    EXPECT_EQ(text.find("imgbackground"), std::string::npos) << text;
    auto* select = static_cast<TOSDSelectOneButton*>(button.get());
    EXPECT_EQ(select->ImageNoFocus->FileName, "lstbtn_nofocus.png");
    EXPECT_EQ(select->TextOffsetX, 0);
    EXPECT_EQ(select->TextOffsetX2, 0);
}

TEST(SelectButton, WithoutReferencesKeepsEveryPart)
{
    TReferencesScope none("");
    TOSDSelectOneButton button(nullptr);
    button.SetLocation({0, 0, 50, 20});
    button.LabelText = "own";
    EXPECT_EQ(SavedControlText(button), XmlLines({
                                     "<item>",
                                     "  <type>Selectbutton</type>",
                                     "  <width>50</width>",
                                     "  <height>20</height>",
                                     "  <label>own</label>",
                                     "  <TextOffsetX>15</TextOffsetX>",
                                     "  <TextOffsetX2>10</TextOffsetX2>",
                                     "  <subcontrols>",
                                     PartLines("imgfocus", "Image", {{"width", "50"}, {"height", "20"}}),
                                     PartLines("imgnofocus", "Image", {{"width", "50"}, {"height", "20"}}),
                                     PartLines("imgleft", "Image"),
                                     PartLines("imgleftfocus", "Image"),
                                     PartLines("imgright", "Image"),
                                     PartLines("imgrightfocus", "Image"),
                                     PartLines("buttonlabel", "Label", {{"width", "50"}, {"height", "20"}}),
                                     "  </subcontrols>",
                                     "</item>",
                                 }));
}

TEST(SelectButton, EqualToReferenceWritesNoOffsetsAndNoSubcontrols)
{
    TReferencesScope refs(
        "<controls><control><type>selectbutton</type><width>100</width><height>30</height>"
        "<TextOffsetX>4</TextOffsetX><TextOffsetX2>6</TextOffsetX2><subcontrols>"
        "<control><description>imgfocus</description><type>Image</type><width>100</width><height>30</height></control>"
        "<control><description>imgnofocus</description><type>Image</type><width>100</width><height>30</height></control>"
        "<control><description>imgleft</description><type>Image</type><texture>left.png</texture></control>"
        "<control><description>buttonlabel</description><type>Label</type><width>100</width><height>30</height></control>"
        "</subcontrols></control></controls>");
    auto button = KindFromText<TOSDSelectOneButton>(
        XmlLines({"<item>", "  <type>selectbutton</type>", "  <x>5</x>", "</item>"}));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->TextOffsetX, 4);
    EXPECT_EQ(button->TextOffsetX2, 6);
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                             "<item>",
                                             "  <type>Selectbutton</type>",
                                             "  <x>5</x>",
                                             "  <width>100</width>",
                                             "  <height>30</height>",
                                             "</item>",
                                         }));
    button->TextOffsetX2 = 7;
    button->ImageRight->SetFileName("right.png");
    EXPECT_EQ(SavedControlText(*button), XmlLines({
                                             "<item>",
                                             "  <type>Selectbutton</type>",
                                             "  <x>5</x>",
                                             "  <width>100</width>",
                                             "  <height>30</height>",
                                             "  <TextOffsetX2>7</TextOffsetX2>",
                                             "  <subcontrols>",
                                             PartLines("imgright", "Image", {{"texture", "right.png"}}),
                                             "  </subcontrols>",
                                             "</item>",
                                         }));
}

TEST(SelectButton, LabelTextIsTheControlsOwnLabel)
{
    TOSDSelectOneButton button(nullptr);
    button.LabelControl->SetLabelText("shown");
    const auto props = button.PublishedProperties();
    const TPropInfo* p = FindProperty(props, "LabelText");
    ASSERT_TRUE(p);
    p->Set(std::string("own"));
    EXPECT_EQ(button.LabelText, "own");
    EXPECT_EQ(button.LabelControl->LabelText, "shown");
}

TEST(SelectButton, LabelOverTheWholeButtonArrowsUntouched)
{
    TOSDSelectOneButton button(nullptr);
    button.SetLocation({10, 10, 90, 40});
    button.ImageLeft->SetLocation({1, 2, 3, 4});
    button.LayoutParts();
    EXPECT_EQ(button.LabelControl->Location(), (TFloatRect{10, 10, 90, 40}));
    EXPECT_EQ(button.ImageNoFocus->Location(), (TFloatRect{10, 10, 90, 40}));
    EXPECT_EQ(button.ImageLeft->Location(), (TFloatRect{1, 2, 3, 4}));
}

// ---- published properties ----------------------------------------------------------------

struct TPublishedCase {
    const char* keyword;
    std::vector<std::pair<const char*, TPropType>> own;   // after the control layer's nine
};

const std::vector<std::pair<const char*, TPropType>> ButtonValues = {
    {"ActionID", TPropType::Int64Action}, {"Application", TPropType::FileName}, {"Arguments", TPropType::String},
    {"ControlDown", TPropType::Integer},  {"ControlLeft", TPropType::Integer},  {"ControlRight", TPropType::Integer},
    {"ControlUp", TPropType::Integer},    {"JumpTo", TPropType::WindowNumber},  {"ScriptFunction", TPropType::Function},
};

std::vector<std::pair<const char*, TPropType>> Then(std::vector<std::pair<const char*, TPropType>> first,
                                                    std::vector<std::pair<const char*, TPropType>> more)
{
    first.insert(first.end(), more.begin(), more.end());
    return first;
}

class PublishedOrder : public ::testing::TestWithParam<TPublishedCase> {};

TEST_P(PublishedOrder, NamesAndTypesInOrder)
{
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(GetParam().keyword, nullptr));
    ASSERT_TRUE(control);
    const auto props = control->PublishedProperties();
    const auto& own = GetParam().own;
    ASSERT_EQ(props.size(), 9 + own.size());
    EXPECT_EQ(props[0].Name, "Control_ID");
    EXPECT_EQ(props[8].Name, "Y");
    for (std::size_t i = 0; i < own.size(); ++i) {
        EXPECT_EQ(props[9 + i].Name, own[i].first) << i;
        EXPECT_EQ(props[9 + i].Type, own[i].second) << own[i].first;
        EXPECT_EQ(props[9 + i].ReadOnly(), own[i].second == TPropType::Object) << own[i].first;
    }
}

constexpr TPropType Obj = TPropType::Object;
constexpr TPropType Int = TPropType::Integer;
const std::vector<std::pair<const char*, TPropType>> Navigation = {
    {"ControlDown", Int}, {"ControlLeft", Int}, {"ControlRight", Int}, {"ControlUp", Int}};

INSTANTIATE_TEST_SUITE_P(
    Table, PublishedOrder,
    ::testing::Values(
        TPublishedCase{"button", Then(ButtonValues, {{"LabelControl", Obj}, {"LabelText", TPropType::String},
                                                     {"TextOffsetX", Int}, {"ImageFocus", Obj}, {"ImageNoFocus", Obj}})},
        TPublishedCase{"togglebutton",
                       Then(ButtonValues, {{"ToggledImageFocus", Obj}, {"ToggledImageNoFocus", Obj}, {"LabelControl", Obj},
                                           {"TextOffsetX", Int}, {"ImageFocus", Obj}, {"ImageNoFocus", Obj}})},
        TPublishedCase{"selectbutton",
                       Then(ButtonValues, {{"LabelControl", Obj}, {"LabelText", TPropType::String}, {"TextOffsetX", Int},
                                           {"TextOffsetX2", Int}, {"ImageFocus", Obj}, {"ImageLeft", Obj},
                                           {"ImageLeftFocus", Obj}, {"ImageNoFocus", Obj}, {"ImageRight", Obj},
                                           {"ImageRightFocus", Obj}})},
        TPublishedCase{"button3part",
                       Then(ButtonValues, {{"IconImageHeight", Int}, {"IconImageOffsetX", Int}, {"IconImageOffsetY", Int},
                                           {"IconImageWidth", Int}, {"LabelControl1", Obj}, {"LabelControl2", Obj},
                                           {"TextOffsetX1", Int}, {"TextOffsetX2", Int}, {"TextOffsetY1", Int},
                                           {"TextOffsetY2", Int}, {"ImageFocusLeft", Obj}, {"ImageFocusMiddle", Obj},
                                           {"ImageFocusRight", Obj}, {"IconImage", Obj}, {"ImageNoFocusLeft", Obj},
                                           {"ImageNoFocusMiddle", Obj}, {"ImageNoFocusRight", Obj}})},
        TPublishedCase{"checkmark", Then(Navigation, {{"LabelControl", Obj}, {"ImageCheck", Obj}, {"ImageNoCheck", Obj},
                                                      {"Imagewidth", Int}, {"Textwidth", Int}})},
        TPublishedCase{"slider", Then(Navigation, {{"LabelControl", Obj}, {"UpDownType", TPropType::Enum},
                                                   {"ImageBackground", Obj}, {"ImageMiddle", Obj}, {"ImageMiddleFocus", Obj}})}),
    [](const auto& info) { return std::string(info.param.keyword); });

// ---- every kind of this family under bad geometry ----------------------------------------

class BadGeometry : public ::testing::TestWithParam<std::tuple<const char*, TBadRect>> {};

TEST_P(BadGeometry, PaintsMeasuresAndSavesWithoutHarm)
{
    const auto& [keyword, bad] = GetParam();
    ExpectPaintsMeasuresAndSaves(keyword, bad.rect, [](TItemLayer& control) {
        control.SetLabelText(std::string(5000, 'W'));  // far longer than any control
        if (auto* check = dynamic_cast<TOSDCheckerControl*>(&control)) {
            check->SetImagewidth(std::numeric_limits<int32_t>::max());
            check->SetTextwidth(std::numeric_limits<int32_t>::min());
        }
    });
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadGeometry,
    ::testing::Combine(::testing::Values("button", "togglebutton", "selectbutton", "button3part", "checkmark", "slider"),
                       ::testing::ValuesIn(BadRects())),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
    });

// ---- previews ----------------------------------------------------------------------------

class ButtonPreview : public KindTest {};

TEST_F(ButtonPreview, EachButtonKindPaintsItsFocusedLook)
{
    WriteProjectFile("images/focus.png", SolidPng(8, 8, QColor(40, 160, 220)));
    WriteProjectFile("images/nofocus.png", SolidPng(8, 8, QColor(90, 90, 90)));

    TOSDSimpleButton simple(nullptr);
    simple.SetLocation({10, 10, 150, 42});
    simple.ImageFocus->SetFileName("focus.png");
    simple.ImageNoFocus->SetFileName("nofocus.png");
    simple.SetLabelText("Play");
    const QImage a = PaintPreview(simple, 160, 52, "button").Image();
    EXPECT_EQ(a.pixelColor(12, 12), QColor(40, 160, 220)) << "the focused picture is drawn";

    TOSDToggleButton toggle(nullptr);
    toggle.SetLocation({10, 10, 42, 42});
    toggle.ImageFocus->SetFileName("focus.png");
    toggle.ToggledImageFocus->SetFileName("nofocus.png");
    const QImage b = PaintPreview(toggle, 52, 52, "togglebutton").Image();
    EXPECT_EQ(b.pixelColor(20, 20), QColor(40, 160, 220));

    TOSDSelectOneButton select(nullptr);
    select.SetLocation({10, 10, 150, 42});
    select.ImageFocus->SetFileName("focus.png");
    select.LabelControl->SetLabelText("Option");
    select.LabelControl->SetTextAlign(StringAlignmentCenter);
    const QImage c = PaintPreview(select, 160, 52, "selectbutton").Image();
    EXPECT_EQ(c.pixelColor(12, 12), QColor(40, 160, 220));
}

TEST_F(ButtonPreview, UnfocusedPictureIsNeverDrawn)
{
    // A clear focused look over an unfocused picture: the background shows through.
    WriteProjectFile("images/nofocus.png", SolidPng(8, 8, QColor(90, 90, 90)));
    const QColor background = QColor::fromRgba(0xFF202020u);
    const auto clearFocus = [](TImageLayer& focus) {
        focus.GraphicsType = GT_RECTANGLE;
        focus.Color = 0;
    };

    TOSDSimpleButton simple(nullptr);
    simple.SetLocation({10, 10, 150, 42});
    clearFocus(*simple.ImageFocus);
    simple.ImageNoFocus->SetFileName("nofocus.png");
    simple.TextOffsetX = 200;  // the label lies beyond the button
    EXPECT_EQ(PaintPreview(simple, 160, 52, "button_nofocus").Image().pixelColor(30, 26), background);

    TOSDSelectOneButton select(nullptr);
    select.SetLocation({10, 10, 150, 42});
    clearFocus(*select.ImageFocus);
    select.ImageNoFocus->SetFileName("nofocus.png");
    EXPECT_EQ(PaintPreview(select, 160, 52, "selectbutton_nofocus").Image().pixelColor(140, 36), background)
        << "right of the label's text, inside its frame";
}

}  // namespace
