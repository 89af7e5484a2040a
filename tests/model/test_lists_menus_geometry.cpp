// The spin control, the inputs, the lists, the thumbnail panel, the text box and the menu under
// bad geometry: empty, inverted, huge and far-off rectangles and extreme item sizes paint within
// the buffer, measure without drawing, report the control's own area last and still save.
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageList.h"
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/controls/MenuControl.h"
#include "skinmodel/controls/NumInput.h"
#include "support/KindTests.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <tuple>

namespace {

constexpr int32_t Largest = std::numeric_limits<int32_t>::max();
constexpr int32_t Smallest = std::numeric_limits<int32_t>::min();

struct TBadRect {
    const char* name;
    TFloatRect rect;
};

// Item and offset values at the ends of their range, where the kind has them.
void SetExtremeValues(TItemLayer& control)
{
    control.SetLabelText(std::string(5000, 'W'));
    if (auto* list = dynamic_cast<TOSDList*>(&control)) {
        list->ItemHeight = Largest;
        list->Button->TextOffsetX = Smallest;
        list->UpDown->SetLocation({-3e9f, -3e9f, 3e9f, 3e9f});
    }
    if (auto* panel = dynamic_cast<TOSDImageList*>(&control)) {
        panel->ImageCurrentWidthSmall = Largest;
        panel->ImageCurrentHeightSmall = Smallest;
    }
    if (auto* menu = dynamic_cast<TOSDMenuControl*>(&control)) {
        menu->XOffset = Smallest;
        menu->WidthOffset = Largest;
    }
    if (auto* input = dynamic_cast<TOSDNumInputControl*>(&control))
        input->TextOffset = Largest;
}

class BadGeometry : public ::testing::TestWithParam<std::tuple<const char*, TBadRect>> {};

}  // namespace

TEST_P(BadGeometry, PaintsMeasuresAndSavesWithoutHarm)
{
    EnsureGuiApplication();
    TReferencesScope none("");
    const auto& [keyword, bad] = GetParam();
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(keyword, nullptr));
    ASSERT_TRUE(control);
    control->SetLocation(bad.rect);
    SetExtremeValues(*control);
    TBitmap32 buffer(64, 48);
    buffer.Clear(0xFF202020u);
    control->Paint(buffer);
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), control->PaintRect()) << "the control's own area is reported last";

    // Measuring draws nothing, and still reports the area.
    TBitmap32 measured(64, 48);
    measured.Clear(0xFF202020u);
    const QImage before = measured.Image().copy();
    measured.SetMeasuringMode(true);
    control->Paint(measured);
    EXPECT_EQ(measured.Image(), before);
    ASSERT_FALSE(measured.ChangedAreas().empty());
    EXPECT_EQ(measured.ChangedAreas().back(), control->PaintRect());

    EXPECT_FALSE(SavedItem(*control).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadGeometry,
    ::testing::Combine(::testing::Values("spincontrol", "numinput", "edit", "listcontrol", "tvlistcontrol",
                                         "thumbnailpanel", "textbox", "menu"),
                       ::testing::Values(TBadRect{"Empty", {5, 5, 5, 5}}, TBadRect{"Inverted", {50, 40, 10, 5}},
                                         TBadRect{"Huge", {-2e9f, -2e9f, 2e9f, 2e9f}},
                                         TBadRect{"FarAway", {3e9f, 3e9f, 3.1e9f, 3.1e9f}})),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
    });
