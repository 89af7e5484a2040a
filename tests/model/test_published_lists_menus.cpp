// The published properties of the edit field, the lists, the thumbnail panel, the text box and the
// menu: after the base's nine, their own in the order the inspector shows them, with their types.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using P = TPropType;

struct TOwnProperty {
    const char* Name;
    TPropType Type;
};

struct TKindProperties {
    const char* Keyword;
    std::vector<TOwnProperty> Own;
};

const std::vector<TOwnProperty> Navigation = {
    {"ControlDown", P::Integer}, {"ControlLeft", P::Integer}, {"ControlRight", P::Integer}, {"ControlUp", P::Integer}};

std::vector<TOwnProperty> Join(std::vector<TOwnProperty> a, const std::vector<TOwnProperty>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<TOwnProperty> ListOwn = Join(Join(Navigation, {{"UpDown", P::Object}}), {
    {"Button", P::Object},         {"FontName", P::FontName},       {"Fontname2", P::FontName},
    {"Fontname3", P::FontName},    {"IconOffsetX", P::Integer},     {"IconOffsetY", P::Integer},
    {"ImageHeight", P::Integer},   {"ImageWidth", P::Integer},      {"ItemHeight", P::Integer},
    {"Ratio", P::Boolean},         {"SelectedColor", P::Cardinal},  {"SelectedColor2", P::Cardinal},
    {"SelectedColor3", P::Cardinal}, {"DisableColor", P::Cardinal}, {"Spacing", P::Integer},
    {"Standalone", P::Boolean},    {"TextAlign", P::Enum},          {"Textcolor", P::Cardinal},
    {"Textcolor2", P::Cardinal},   {"Textcolor3", P::Cardinal},     {"TextOffset_1_X", P::Integer},
    {"TextOffset_1_Y", P::Integer}, {"TextOffset_2_X", P::Integer}, {"TextOffset_2_Y", P::Integer},
    {"TextOffset_3_X", P::Integer}, {"TextOffset_3_Y", P::Integer}, {"TextVisible", P::Boolean},
    {"TextVisible2", P::Boolean},  {"TextVisible3", P::Boolean},
});

const TKindProperties Kinds[] = {
    {"edit", Join(Navigation, {{"FontName", P::FontName}, {"TextColor", P::Cardinal}, {"BackgroundColor", P::Cardinal}})},
    {"listcontrol", ListOwn},
    {"tvlistcontrol", Join(ListOwn, {{"TitleButton", P::Object}, {"ImageBackgound", P::Object}})},
    {"thumbnailpanel", Join(Join(Navigation, {{"UpDown", P::Object}}), {
        {"HideText", P::Boolean},              {"ItemHeightBig", P::Integer},          {"ItemHeightSmall", P::Integer},
        {"ItemWidthBig", P::Integer},          {"ItemWidthSmall", P::Integer},         {"SelectedColor", P::Cardinal},
        {"Textcolor", P::Cardinal},            {"ImageCurrent", P::Object},            {"ImageCurrentFocus", P::Object},
        {"ImageCurrentHeightBig", P::Integer}, {"ImageCurrentHeightSmall", P::Integer}, {"ImageCurrentWidthBig", P::Integer},
        {"ImageCurrentWidthSmall", P::Integer}, {"ImageHeightSmall", P::Integer},      {"ImageHeightBig", P::Integer},
        {"ImageWidthBig", P::Integer},         {"ImageWidthSmall", P::Integer},        {"ImageXBig", P::Integer},
        {"ImageXSmall", P::Integer},           {"ImageYBig", P::Integer},              {"ImageYSmall", P::Integer},
        {"Zoomfactor", P::Integer},            {"FontName", P::FontName},
    })},
    {"textbox", Join(Navigation, {
        {"LabelText", P::String}, {"FontName", P::FontName}, {"Standalone", P::Boolean}, {"TextAlign", P::Enum},
        {"Textcolor", P::Cardinal}, {"upDown", P::Object}, {"enableUpDown", P::Boolean}, {"Spacing", P::Integer},
    })},
    {"menu", {
        {"Button", P::Object},       {"SmallFont", P::FontName}, {"Background", P::Object}, {"DoAlpha", P::Boolean},
        {"Spacing", P::Integer},     {"Standalone", P::Boolean}, {"UseHotZones", P::Boolean},
        {"WidthOffset", P::Integer}, {"XOffset", P::Integer},    {"SelectedColor", P::Cardinal},
    }},
};

}  // namespace

TEST(PublishedListsAndMenus, OwnPropertiesInOrderWithTheirTypes)
{
    for (const TKindProperties& k : Kinds) {
        std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(k.Keyword, nullptr));
        ASSERT_TRUE(control) << k.Keyword;
        const std::vector<TPropInfo> props = control->PublishedProperties();
        ASSERT_EQ(props.size(), 9 + k.Own.size()) << k.Keyword;
        EXPECT_EQ(props[0].Name, "Control_ID");
        EXPECT_EQ(props[8].Name, "Y");
        for (std::size_t i = 0; i < k.Own.size(); ++i) {
            const TPropInfo& p = props[9 + i];
            EXPECT_EQ(p.Name, k.Own[i].Name) << k.Keyword << " #" << i;
            EXPECT_EQ(p.Type, k.Own[i].Type) << k.Keyword << " " << p.Name;
            // Parts are read-only sub-objects; every other value can be set.
            EXPECT_EQ(p.ReadOnly(), k.Own[i].Type == P::Object) << k.Keyword << " " << p.Name;
        }
    }
}
