// The spin control, the inputs, the lists, the thumbnail panel, the text box and the menu under
// bad geometry: empty, inverted, huge and far-off rectangles and extreme item sizes paint within
// the buffer, measure without drawing, report the control's own area last and still save.
#include "skinmodel/controls/ImageList.h"
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/controls/MenuControl.h"
#include "skinmodel/controls/NumInput.h"
#include "support/KindFixture.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

namespace {

constexpr int32_t Largest = std::numeric_limits<int32_t>::max();
constexpr int32_t Smallest = std::numeric_limits<int32_t>::min();

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
    const auto& [keyword, bad] = GetParam();
    ExpectPaintsMeasuresAndSaves(keyword, bad.rect, SetExtremeValues);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadGeometry,
    ::testing::Combine(::testing::Values("spincontrol", "numinput", "edit", "listcontrol", "tvlistcontrol",
                                         "thumbnailpanel", "textbox", "menu"),
                       ::testing::ValuesIn(BadRects())),
    [](const auto& info) {
        return std::string(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name;
    });
