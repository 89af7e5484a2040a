#include "support/KindFixture.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "support/ControlXml.h"
#include "support/TestPictures.h"

#include <QDir>

namespace {

void LoadReferences(std::string_view text)
{
    OSDControlFactory().ClearReferences();
    if (!text.empty())
        OSDControlFactory().LoadReferencesFromText(text);
}

}  // namespace

TReferencesScope::TReferencesScope(std::string_view text)
{
    LoadReferences(text);
}

TReferencesScope::~TReferencesScope()
{
    OSDControlFactory().ClearReferences();
}

void KindTest::SetUp()
{
    ASSERT_TRUE(Project.isValid());
    OSDControlFactory().SetProject(std::make_shared<TSkinProject>(Project.path() + "/"));
    OSDControlFactory().ClearReferences();
}

void KindTest::TearDown()
{
    OSDControlFactory().ClearReferences();
    OSDControlFactory().SetProject(nullptr);
}

void KindTest::UseBuiltInReferences()
{
    LoadReferences(BuiltInReferencesText());
}

QString KindTest::WriteProjectFile(const QString& name, const QByteArray& bytes)
{
    return WriteTestFile(Project.path(), name, bytes);
}

void KindTest::CloseProject()
{
    OSDControlFactory().SetProject(nullptr);
}

void SavePreview(const QImage& image, const std::string& name)
{
    QDir().mkpath(QStringLiteral(VARNHOLT_TEST_OUTPUT));
    image.save(QStringLiteral(VARNHOLT_TEST_OUTPUT) + "/" + QString::fromStdString(name) + ".png", "PNG");
}

TBitmap32 PaintPreview(TItemLayer& control, int width, int height, const std::string& name)
{
    TBitmap32 buffer(width, height);
    buffer.Clear(0xFF202020u);
    control.Paint(buffer);
    SavePreview(buffer.Image(), name);
    return buffer;
}

std::vector<TBadRect> BadRects()
{
    return {TBadRect{"Empty", {5, 5, 5, 5}}, TBadRect{"Inverted", {50, 40, 10, 5}},
            TBadRect{"Huge", {-2e9f, -2e9f, 2e9f, 2e9f}}, TBadRect{"FarAway", {3e9f, 3e9f, 3.1e9f, 3.1e9f}}};
}

void ExpectPaintsMeasuresAndSaves(std::string_view keyword, const TFloatRect& rect,
                                  const std::function<void(TItemLayer&)>& prepare)
{
    TReferencesScope none("");
    std::unique_ptr<TItemLayer> control(OSDControlFactory().CreateKind(keyword, nullptr));
    ASSERT_TRUE(control) << keyword;
    TItemLayer& Control = *control;
    Control.SetLocation(rect);
    prepare(Control);
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
