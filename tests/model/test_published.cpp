// Published properties: order, types, reading and setting through the controls' own setters.
#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/VideoControl.h"
#include "support/TestKinds.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Names(TPublished& o)
{
    std::vector<std::string> names;
    for (const TPropInfo& p : o.PublishedProperties())
        names.push_back(p.Name);
    return names;
}

TEST(Published, BaseOrderAndTypes)
{
    TOSDVideoControl v(nullptr);
    EXPECT_EQ(Names(v), (std::vector<std::string>{"Control_ID", "Description", "Disabled", "DisabledColor",
                                                  "Height", "Visible", "Width", "X", "Y"}));
    const auto props = v.PublishedProperties();
    EXPECT_EQ(FindProperty(props, "Control_ID")->Type, TPropType::Integer);
    EXPECT_EQ(FindProperty(props, "Description")->Type, TPropType::String);
    EXPECT_EQ(FindProperty(props, "Disabled")->Type, TPropType::Boolean);
    EXPECT_EQ(FindProperty(props, "DisabledColor")->Type, TPropType::Cardinal);
    // Sizes a page file gives back; the reader makes no video window without an area.
    EXPECT_EQ(FindProperty(props, "Width")->Min, 1);
    EXPECT_EQ(FindProperty(props, "Height")->Min, 1);
    EXPECT_EQ(FindProperty(props, "Width")->Max, 2000);
    TItemLayer plain(nullptr);
    EXPECT_EQ(FindProperty(plain.PublishedProperties(), "Width")->Min, -2000);
    for (const TPropInfo& p : props)
        EXPECT_FALSE(p.ReadOnly()) << p.Name;
}

TEST(Published, ReadsTheControlsValues)
{
    TOSDVideoControl v(nullptr);
    v.Control_ID = 12;
    v.DisabledColor = 0x11223344u;
    v.FVisible = false;
    v.SetLocation({1.5f, 2.5f, 11.5f, 22.5f});
    const auto props = v.PublishedProperties();
    EXPECT_EQ(PropInt(FindProperty(props, "Control_ID")->Get()), 12);
    EXPECT_EQ(PropColor(FindProperty(props, "DisabledColor")->Get()), 0x11223344u);
    EXPECT_FALSE(PropBool(FindProperty(props, "Visible")->Get()));
    EXPECT_EQ(PropInt(FindProperty(props, "X")->Get()), 2);
    EXPECT_EQ(PropInt(FindProperty(props, "Y")->Get()), 2);
    EXPECT_EQ(PropInt(FindProperty(props, "Width")->Get()), 10);
    EXPECT_EQ(PropToText(FindProperty(props, "DisabledColor")->Get()), "11223344");
}

TEST(Published, SettingGoesThroughTheSetters)
{
    TCountingLayer v(nullptr);
    const auto props = v.PublishedProperties();
    v.changes = 0;
    FindProperty(props, "Width")->Set(int64_t{40});
    FindProperty(props, "X")->Set(int64_t{7});
    EXPECT_EQ(v.Location(), (TFloatRect{7, 0, 47, 0}));
    EXPECT_EQ(v.changes, 2);
    FindProperty(props, "Description")->Set(std::string("d"));
    FindProperty(props, "Disabled")->Set(true);
    EXPECT_EQ(v.Description, "d");
    EXPECT_TRUE(v.Disabled);
}

TEST(Published, KindsExtendAndPartsAreReadOnlyObjects)
{
    TTestComposite c(nullptr);
    const auto names = Names(c);
    ASSERT_GE(names.size(), 9u);
    EXPECT_EQ(names[9], "ControlDown");
    const auto props = c.PublishedProperties();
    const TPropInfo* part = FindProperty(props, "PartA");
    ASSERT_TRUE(part);
    EXPECT_EQ(part->Type, TPropType::Object);
    EXPECT_TRUE(part->ReadOnly());
    EXPECT_EQ(PropObject(part->Get()), static_cast<TPublished*>(c.PartA.get()));
}

TEST(Published, EnumAndTextBuilders)
{
    int64_t value = 0;
    const TPropInfo e = EnumProp("GraphicsType", EnumNameList(TGraphicsTypeValueNames), [&] { return value; },
                                 [&](int64_t v) { value = v; });
    EXPECT_EQ(e.Type, TPropType::Enum);
    EXPECT_EQ(e.Max, 15);
    EXPECT_EQ(e.EnumNames[GT_IMAGE_TILE], "GT_IMAGE_TILE");
    e.Set(int64_t{GT_ELLIPSE});
    EXPECT_EQ(value, GT_ELLIPSE);

    std::string function;
    const TPropInfo f = TextField("ScriptFunction", TPropType::Function, function, TFunctionMaxLength);
    f.Set(std::string(300, 'a'));
    EXPECT_EQ(function.size(), 254u);
}

}  // namespace
