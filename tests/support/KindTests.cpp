#include "support/KindTests.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "skinmodel/xml/JvSimpleXml2.h"

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
