#include "support/KindTests.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/UpDownControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/RoundTrip.h"

#include <QDir>

#include <gtest/gtest.h>

TBitmap32 PaintPreview(TItemLayer& Control, int Width, int Height, const std::string& Name)
{
    TBitmap32 buffer(Width, Height);
    buffer.Clear(0xFF202020u);
    Control.Paint(buffer);
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    buffer.Image().save(QStringLiteral(VARNHOLT_TEST_OUTPUT) + "/" + QString::fromStdString(Name) + ".png");
    return buffer;
}

std::vector<TBadRect> BadRects()
{
    return {TBadRect{"Empty", {5, 5, 5, 5}}, TBadRect{"Inverted", {50, 40, 10, 5}},
            TBadRect{"Huge", {-2e9f, -2e9f, 2e9f, 2e9f}}, TBadRect{"FarAway", {3e9f, 3e9f, 3.1e9f, 3.1e9f}}};
}

void ExpectPaintsMeasuresAndSaves(std::string_view Keyword, const TFloatRect& Rect,
                                  const std::function<void(TItemLayer&)>& Prepare)
{
    TReferencesScope none("");
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(Keyword, nullptr));
    ASSERT_TRUE(control) << Keyword;
    TItemLayer& Control = *control;
    Control.SetLocation(Rect);
    Prepare(Control);
    TBitmap32 buffer(64, 48);
    buffer.Clear(0xFF202020u);
    Control.Paint(buffer);
    ASSERT_FALSE(buffer.ChangedAreas().empty());
    EXPECT_EQ(buffer.ChangedAreas().back(), Control.PaintRect()) << "the control's own area is reported last";

    TBitmap32 measured(64, 48);
    measured.Clear(0xFF202020u);
    const QImage before = measured.Image().copy();
    measured.SetMeasuringMode(true);
    Control.Paint(measured);
    EXPECT_EQ(measured.Image(), before) << "measuring draws nothing";
    ASSERT_FALSE(measured.ChangedAreas().empty());
    EXPECT_EQ(measured.ChangedAreas().back(), Control.PaintRect());

    // What it writes reads back as a control of the same kind.
    const std::string text = SavedItem(Control);
    std::unique_ptr<TItemLayer> again = ControlFromText(text);
    ASSERT_TRUE(again) << text;
    EXPECT_EQ(again->TypeName(), Control.TypeName());
}

namespace {

void CollectImageParts(TPublished& object, const std::string& path, std::vector<std::string>& skip)
{
    // A spin control's rectangle may have an odd extent that its one-button size cannot carry
    // into a file; its pictures are laid out from that rectangle.
    if (dynamic_cast<TOSDUpDownControl*>(&object))
        for (const char* part : {"ImageDown", "ImageDownFocus", "ImageUp", "ImageUpFocus"})
            for (const char* size : {".Width", ".Height"})
                skip.push_back((path.empty() ? std::string() : path + ".") + part + size);
    for (const TPropInfo& p : object.PublishedProperties()) {
        if (p.Type != TPropType::Object)
            continue;
        TPublished* sub = PropObject(p.Get());
        if (!sub)
            continue;
        const std::string name = path.empty() ? p.Name : path + "." + p.Name;
        if (dynamic_cast<TImageLayer*>(sub)) {
            skip.push_back(name + ".Color");
            skip.push_back(name + ".ColorKey");
        }
        CollectImageParts(*sub, name, skip);
    }
}

// Parts whose navigation the owner clears on saving against a reference: a reload gives the
// reference's values, not the cleared ones.
void CollectClearedNavigation(TItemLayer& control, std::vector<std::string>& skip)
{
    const TPartTable table = control.PartTable();
    for (const TPropInfo& p : control.PublishedProperties()) {
        if (p.Type != TPropType::Object)
            continue;
        TPublished* sub = PropObject(p.Get());
        for (const TPartSlot& slot : table.Slots)
            if (slot.NavigationClearedWithRef && static_cast<TPublished*>(slot.Part) == sub)
                for (const char* name : {".ControlDown", ".ControlLeft", ".ControlRight", ".ControlUp"})
                    skip.push_back(p.Name + name);
    }
}

}  // namespace

TRoundTripOptions KindTripOptions(std::string_view Keyword, bool WithReferences)
{
    TRoundTripOptions o;
    o.WithReferences = WithReferences;
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(Keyword, nullptr));
    if (control) {
        CollectImageParts(*control, {}, o.Skip);
        if (WithReferences)
            CollectClearedNavigation(*control, o.Skip);
    }
    return o;
}
