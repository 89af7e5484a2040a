// The Aspect window: the rounding of one value, a page rescaled from 720 by 576 to 1280 by 720,
// the minimum size, the frame that follows the selected control, the canvas size in its edits and
// the page's modified flag.
#include "CommandsFixture.h"

#include "canvas/RubberBand.h"
#include "editor/tools/Aspect.h"
#include "editor/tools/Inspector.h"
#include "editor/tools/InspectorEditor.h"
#include "skinmodel/controls/ListControls.h"
#include "skinmodel/uskininfo.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QtTest>

#include <cmath>
#include <limits>

namespace {

QString Where(const TPositionedLayer* layer)
{
    const TFloatRect r = layer->Location();
    return QStringLiteral("%1,%2,%3,%4").arg(r.Left).arg(r.Top).arg(r.Right - r.Left).arg(r.Bottom - r.Top);
}

TItemLayer* AddControl(TMainForm& form, float x, float y, float w, float h)
{
    TItemLayer* layer = AddLabel(form, x, y, "c");
    layer->SetLocation(TFloatRect{x, y, x + w, y + h});
    return layer;
}

TfrmAspectRatio& Window(TCommandsFixture& f)
{
    TfrmAspectRatio* window = AspectWindow(*f.Form);
    if (!window)
        qFatal("no aspect window");
    return *window;
}

void Resize(TCommandsFixture& f, int width, int height, int minimum)
{
    TfrmAspectRatio& w = Window(f);
    w.edWidth->setValue(width);
    w.edHeight->setValue(height);
    w.edMinimum->setValue(minimum);
    w.Button1->click();
}

} // namespace

class TestAspect : public QObject {
    Q_OBJECT

private slots:
    void scaleValue_data();
    void scaleValue();
    void rescalePage_data();
    void rescalePage();
    void frameFollowsTheSelection();
    void leavesCanvasAndSkinSize();
    void editsTakeTheCanvasSize();
    void emptyPageStaysUnchanged();
    void hugeValuesStayFinite();
    void spinControlAndSavedPage();
    void inspectorShowsNewValues();
    void canvasWithoutWidth();
    void partsFollowTheirControl();
};

void TestAspect::scaleValue_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("result");
    const double fx = 1280.0 / 720.0;
    QTest::newRow("200 wide to 1280") << 200.0 << 100 << fx << 356.0;           // 355.6
    QTest::newRow("150 high, half to even up") << 150.0 << 100 << 1.25 << 188.0; // 187.5
    QTest::newRow("half to even down") << 5.0 << 0 << 0.5 << 2.0;               // 2.5
    QTest::newRow("half to even, negative") << -3.0 << 0 << 0.5 << -2.0;        // -1.5
    QTest::newRow("one half") << 1.0 << 0 << 0.5 << 0.0;
    QTest::newRow("below the minimum") << 80.0 << 100 << fx << 80.0;
    QTest::newRow("at the minimum") << 100.0 << 100 << fx << 100.0;
    QTest::newRow("just above the minimum") << 101.0 << 100 << 2.0 << 202.0;
    QTest::newRow("minimum 1 keeps 1") << 1.0 << 1 << 3.0 << 1.0;
    QTest::newRow("minimum 1 scales 2") << 2.0 << 1 << 3.0 << 6.0;
    QTest::newRow("negative size under the minimum") << -10.0 << 100 << 2.0 << -10.0;
    QTest::newRow("no minimum scales 0") << 0.0 << 0 << 2.0 << 0.0;
    QTest::newRow("beyond 32 bits") << 2e9 << 100 << 16385.0 << 2147483647.0;
    QTest::newRow("beyond 32 bits, negative") << -2e9 << 0 << 16385.0 << -2147483648.0;
}

void TestAspect::scaleValue()
{
    QFETCH(double, value);
    QFETCH(int, minimum);
    QFETCH(double, factor);
    QFETCH(double, result);
    TfrmAspectRatio::ScaleValue(value, minimum, factor);
    QCOMPARE(value, result);
}

void TestAspect::rescalePage_data()
{
    QTest::addColumn<QRectF>("before");
    QTest::addColumn<int>("minimum");
    QTest::addColumn<QString>("after");
    // From the 720 by 576 canvas to 1280 by 720: fx = 16/9, fy = 1.25.
    QTest::newRow("small control keeps its size") << QRectF(360, 288, 80, 40) << 100 << "640,360,80,40";
    QTest::newRow("large control") << QRectF(0, 0, 200, 150) << 100 << "0,0,356,188";
    QTest::newRow("position below the minimum") << QRectF(9, 2, 300, 300) << 100 << "16,2,533,375";
    QTest::newRow("minimum 1") << QRectF(10, 10, 1, 2) << 1 << "18,12,1,2";
    QTest::newRow("negative position") << QRectF(-90, -10, 120, 120) << 100 << "-160,-12,213,150";
}

void TestAspect::rescalePage()
{
    QFETCH(QRectF, before);
    QFETCH(int, minimum);
    QFETCH(QString, after);
    TCommandsFixture f;
    f.StartWithoutProject();
    TItemLayer* control = AddControl(*f.Form, float(before.x()), float(before.y()), float(before.width()),
                                     float(before.height()));
    QVERIFY(!f.Form->Modified());
    Resize(f, 1280, 720, minimum);
    QCOMPARE(Where(control), after);
    QVERIFY(f.Form->Modified());
}

void TestAspect::frameFollowsTheSelection()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    TItemLayer* other = AddControl(*f.Form, 100, 100, 200, 200);
    TItemLayer* selected = AddControl(*f.Form, 360, 288, 200, 150);
    f.Form->SetSelection(selected);
    Resize(f, 1440, 1152, 100);
    // Rescaled once (factor 2), like every other control; the frame is no control of its own.
    QCOMPARE(Where(selected), QStringLiteral("720,576,400,300"));
    QCOMPARE(Where(other), QStringLiteral("200,200,400,400"));
    // Placing it afterwards keeps the new size.
    other->SetX(50);
    other->SetY(60);
    QCOMPARE(Where(other), QStringLiteral("50,60,400,400"));
    QVERIFY(f.Form->RubberBand());
    QCOMPARE(Where(f.Form->RubberBand()), Where(selected));
    QCOMPARE(f.Form->Selected(), selected);
}

void TestAspect::leavesCanvasAndSkinSize()
{
    TCommandsFixture f;
    f.StartWithProject();
    AddControl(*f.Form, 10, 10, 200, 200);
    Resize(f, 800, 600, 100);
    QCOMPARE(f.Form->CanvasWidth(), 400);
    QCOMPARE(f.Form->CanvasHeight(), 300);
    QCOMPARE(f.Form->SkinInfo().SizeX, 400);
    QCOMPARE(f.Form->SkinInfo().SizeY, 300);
    // The edits keep their values between uses.
    QCOMPARE(Window(f).edWidth->value(), 800);
    QCOMPARE(Window(f).edMinimum->value(), 100);
}

void TestAspect::editsTakeTheCanvasSize()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    TfrmAspectRatio& w = Window(f);
    QCOMPARE(w.edWidth->text(), QStringLiteral("1"));
    QCOMPARE(w.edMinimum->text(), QStringLiteral("100"));
    QCOMPARE(w.edWidth->maximum(), 16385);
    // The first show replaces the start values by the canvas size.
    f.Trigger("mnuAspectRatio");
    QVERIFY(f.Form->ToolWindow("frmAspectRatio")->isVisible());
    QCOMPARE(w.edWidth->value(), 720);
    QCOMPARE(w.edHeight->value(), 576);
    // A value the user set stays at the next show.
    w.edWidth->setValue(1280);
    f.Trigger("mnuAspectRatio");
    f.Trigger("mnuAspectRatio");
    QCOMPARE(w.edWidth->value(), 1280);
    // Opening a project writes its canvas size.
    f.OpenProject(f.MakeProject(QStringLiteral("Skin")));
    QCOMPARE(w.edWidth->value(), 400);
    QCOMPARE(w.edHeight->value(), 300);
}

void TestAspect::emptyPageStaysUnchanged()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    Resize(f, 1280, 720, 100);
    QVERIFY(!f.Form->Modified());
    // A rescale that moves nothing announces nothing and leaves the page unmodified; one that
    // does announces each control once.
    AddControl(*f.Form, 10, 20, 200, 150);
    AddControl(*f.Form, 30, 40, 50, 60);
    QSignalSpy changed(&f.Form->Document(), &TPageDocument::ControlChanged);
    Resize(f, 720, 576, 100);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(changed.count(), 0);
    Resize(f, 1440, 1152, 100);
    QVERIFY(f.Form->Modified());
    QCOMPARE(changed.count(), 2);
}

void TestAspect::hugeValuesStayFinite()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    TItemLayer* far = AddControl(*f.Form, 2e9f, -2e9f, 2e9f, 2e9f);
    // Each rescale multiplies by about 23: without a limit the location runs into infinity.
    for (int i = 0; i < 30; ++i)
        Resize(f, 16385, 16385, 100);
    const TFloatRect r = far->Location();
    for (float edge : {r.Left, r.Top, r.Right, r.Bottom})
        QVERIFY(std::isfinite(edge));
    // Within what a page file gives back.
    QCOMPARE(far->GetX(), MaxPlace);
    QCOMPARE(far->GetY(), -MaxPlace);
    QCOMPARE(far->GetWidth(), MaxSavedSize);
    QCOMPARE(far->GetHeight(), MaxSavedSize);
}

void TestAspect::spinControlAndSavedPage()
{
    TCommandsFixture f;
    f.StartWithProject();   // 400 by 300
    TItemLayer* spin = OSDControlFactory().CreateKind("spincontrol", &f.Form->Layers());
    f.Form->AttachControl(spin);
    // Horizontal: two buttons of 16 by 16 side by side.
    spin->SetLocation(TFloatRect{10, 20, 42, 36});
    QCOMPARE(spin->GetWidth(), 16);
    Resize(f, 800, 600, 1);
    // The whole rectangle is rescaled; the published size stays one button's.
    QCOMPARE(Where(spin), QStringLiteral("20,40,64,32"));
    QCOMPARE(spin->GetWidth(), 32);
    QCOMPARE(spin->GetHeight(), 32);
    const QByteArray page = f.SavedPage();
    for (const char* line : {"<x>20</x>", "<y>40</y>", "<width>32</width>", "<height>32</height>"})
        QVERIFY2(page.contains(line), line);
}

void TestAspect::inspectorShowsNewValues()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    f.Form->ToolWindow("frmTools")->show();
    TItemLayer* control = AddControl(*f.Form, 360, 288, 200, 150);
    f.Form->SetSelection(control);
    TfrmTools* tools = Inspector(*f.Form);
    QVERIFY(tools);
    QCOMPARE(tools->Editor("Width")->Text(), QStringLiteral("200"));
    Resize(f, 1440, 1152, 100);
    // The inspector reads the values again by itself, without a new selection.
    QTRY_COMPARE(tools->Editor("Width")->Text(), QStringLiteral("400"));
    QCOMPARE(tools->Editor("Height")->Text(), QStringLiteral("300"));
    QCOMPARE(tools->Editor("X")->Text(), QStringLiteral("720"));
    QCOMPARE(tools->Editor("Y")->Text(), QStringLiteral("576"));
}

void TestAspect::canvasWithoutWidth()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    const QString folder = f.MakeProject(QStringLiteral("Flat"));
    f.OpenProject(folder);
    // A project opens at least 1 pixel wide; the document can still be given no width.
    f.Form->Document().SetCanvasSize(0, 300);
    QCOMPARE(f.Form->CanvasWidth(), 0);
    TItemLayer* control = AddControl(*f.Form, 10, 20, 200, 150);
    // No factor can be taken from a canvas 0 pixels wide: nothing changes.
    Resize(f, 800, 600, 100);
    QCOMPARE(Where(control), QStringLiteral("10,20,200,150"));
    QVERIFY(!f.Form->Modified());
}

void TestAspect::partsFollowTheirControl()
{
    TCommandsFixture f;
    f.StartWithoutProject();
    auto* list = new TOSDList(&f.Form->Layers());
    f.Form->AttachControl(list);
    list->SetLocation(TFloatRect{10, 20, 210, 320});
    list->LayoutParts();
    QCOMPARE(list->Button->GetWidth(), 200);
    Resize(f, 1440, 1152, 100);
    // Only the control is rescaled; its parts are laid out from it again.
    list->LayoutParts();
    QCOMPARE(list->Button->GetX(), 20);
    QCOMPARE(list->Button->GetWidth(), 400);
}

QTEST_MAIN(TestAspect)
#include "tst_aspect.moc"
