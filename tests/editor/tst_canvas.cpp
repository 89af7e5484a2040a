// The canvas: selection by click, frame drags, arrow keys, the checkerboard and the status bar.
#include "CanvasInput.h"
#include "EditorFixture.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "document/PageDocument.h"
#include "document/ResizeRules.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "support/TestPictures.h"

#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QtTest>

#include <sys/stat.h>

namespace {

TItemLayer* AddControl(TMainForm& form, QRectF r, const char* description)
{
    auto* layer = new TOSDVideoControl(&form.Layers());
    layer->Description = description;
    layer->SetLocation(TFloatRect{float(r.left()), float(r.top()), float(r.right()), float(r.bottom())});
    form.AttachControl(layer);
    return layer;
}

} // namespace

class TestCanvas : public QObject {
    Q_OBJECT

private slots:
    void clickSelectsAndStatusShowsIt();
    void clickInsideFrameSelectsControlAbove();
    void middleButtonClearsSelection();
    void dragMovesAndHandleResizes();
    void arrowKeys_data();
    void arrowKeys();
    void keysIgnoredInTextFieldAndOutsideCanvas();
    void resizeRules_data();
    void resizeRules();
    void resizeWithoutKeysOrButtons();
    void selectionSignals();
    void scrollBoxClickClearsOnce();
    void deleteKeyOnlyOverCanvas();
    void checkerboardFirstStage();
    void pointerPositionInStatusBar();
    void loadPictureTakesOnlyRegularFiles();
    void screenshot();
};

void TestCanvas::clickSelectsAndStatusShowsIt()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(10, 10, 50, 40), "first");
    Click(f.Form->ImgView(), QPoint(20, 20));
    QCOMPARE(f.Form->Selected(), a);
    QVERIFY(f.Form->RubberBand());
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), a);
    QCOMPARE(f.Form->StatusPanel(3)->text(), QStringLiteral("Videowindow - first"));
    // Nothing under the pointer clears the selection.
    Click(f.Form->ImgView(), QPoint(300, 300));
    QVERIFY(!f.Form->Selected());
    QVERIFY(!f.Form->RubberBand());
    QCOMPARE(f.Form->StatusPanel(3)->text(), QString());
    QVERIFY(!f.Form->Modified());
}

void TestCanvas::clickInsideFrameSelectsControlAbove()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* below = AddControl(*f.Form, QRectF(0, 0, 200, 200), "below");
    TItemLayer* above = AddControl(*f.Form, QRectF(50, 50, 20, 20), "above");
    f.Form->SetSelection(below);
    // Inside the frame where no control lies above: the frame keeps the click.
    Click(f.Form->ImgView(), QPoint(150, 150));
    QCOMPARE(f.Form->Selected(), below);
    Click(f.Form->ImgView(), QPoint(60, 60));
    QCOMPARE(f.Form->Selected(), above);
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), above);
    QCOMPARE(Rect(below), QRectF(0, 0, 200, 200));
}

void TestCanvas::middleButtonClearsSelection()
{
    TEditorFixture f;
    f.Start();
    AddControl(*f.Form, QRectF(10, 10, 50, 40), "a");
    Click(f.Form->ImgView(), QPoint(20, 20), Qt::MiddleButton);
    QVERIFY(!f.Form->Selected());
}

void TestCanvas::dragMovesAndHandleResizes()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"));
    f.Start();
    f.OpenProject(folder);
    TItemLayer* video = AddControl(*f.Form, QRectF(100, 100, 64, 64), "v");
    Click(f.Form->ImgView(), QPoint(120, 120));
    QCOMPARE(f.Form->Selected(), video);
    Drag(f.Form->ImgView(), QPoint(120, 120), QPoint(150, 110));
    QCOMPARE(Rect(video), QRectF(130, 90, 64, 64));
    QVERIFY(f.Form->Modified());
    QCOMPARE(f.Form->WindowInfos().VideoWindow().X, 130);
    QCOMPARE(f.Form->WindowInfos().VideoWindow().Y, 90);

    // The bottom-right handle.
    Drag(f.Form->ImgView(), QPoint(194, 154), QPoint(210, 174));
    QCOMPARE(Rect(video), QRectF(130, 90, 80, 84));
    QCOMPARE(f.Form->WindowInfos().VideoWindow().Width, 80);

    QVERIFY(f.Form->mnSave2Click());
    QVERIFY(ReadBytes(folder + QStringLiteral("Unnamed1.xml"))
                .contains("<videowindow x=\"130\" y=\"90\" width=\"80\" height=\"84\"/>"));
}

void TestCanvas::arrowKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("mods");
    QTest::addColumn<QPointF>("moved");
    QTest::newRow("left") << int(Qt::Key_Left) << int(Qt::NoModifier) << QPointF(-1, 0);
    QTest::newRow("right") << int(Qt::Key_Right) << int(Qt::NoModifier) << QPointF(1, 0);
    QTest::newRow("up") << int(Qt::Key_Up) << int(Qt::NoModifier) << QPointF(0, -1);
    QTest::newRow("down") << int(Qt::Key_Down) << int(Qt::NoModifier) << QPointF(0, 1);
    QTest::newRow("shift left") << int(Qt::Key_Left) << int(Qt::ShiftModifier) << QPointF(-10, 0);
    QTest::newRow("shift down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << QPointF(0, 10);
    QTest::newRow("ctrl shift right") << int(Qt::Key_Right) << int(Qt::ShiftModifier | Qt::ControlModifier)
                                      << QPointF(1, 0);
    QTest::newRow("alt shift up") << int(Qt::Key_Up) << int(Qt::ShiftModifier | Qt::AltModifier) << QPointF(0, -1);
}

void TestCanvas::arrowKeys()
{
    QFETCH(int, key);
    QFETCH(int, mods);
    QFETCH(QPointF, moved);
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(100, 100, 30, 20), "a");
    f.Form->SetSelection(a);
    a->FLocked = true;  // the keys move a locked control too
    Enter(f.Form->ImgView());
    QVERIFY(f.Form->MouseInView());
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : f.Form.get();
    // Only the release moves.
    QTest::keyPress(target, Qt::Key(key), Qt::KeyboardModifiers(mods));
    QCOMPARE(Rect(a), QRectF(100, 100, 30, 20));
    QTest::keyRelease(target, Qt::Key(key), Qt::KeyboardModifiers(mods));
    QCOMPARE(Rect(a), QRectF(QPointF(100, 100) + moved, QSizeF(30, 20)));
    const TFloatRect& frame = f.Form->RubberBand()->Location();
    QCOMPARE(QPointF(frame.Left, frame.Top), QPointF(100, 100) + moved);
    QVERIFY(f.Form->Modified());
}

void TestCanvas::keysIgnoredInTextFieldAndOutsideCanvas()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(100, 100, 30, 20), "a");
    f.Form->SetSelection(a);
    // Outside the canvas.
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : f.Form.get();
    QTest::keyRelease(target, Qt::Key_Left);
    QCOMPARE(Rect(a), QRectF(100, 100, 30, 20));
    // In a text field of the main window (an inspector editor, the list filter...).
    Enter(f.Form->ImgView());
    auto* edit = new QLineEdit(f.Form->ToolWindow("frmTools"));
    f.Form->ToolWindow("frmTools")->show();
    edit->show();
    edit->setFocus();
    QTest::keyRelease(edit, Qt::Key_Left);
    QCOMPARE(Rect(a), QRectF(100, 100, 30, 20));
    QVERIFY(!f.Form->Modified());
    // F4 clears the selection wherever the pointer is.
    f.Form->FormKeyDown(Qt::Key_F4, Qt::NoModifier);
    QVERIFY(!f.Form->Selected());
}

void TestCanvas::resizeRules_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("mods");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QRectF>("proposed");
    QTest::addColumn<QRectF>("result");
    QTest::addColumn<bool>("modified");
    const QRectF old(10, 10, 20, 20);  // centre (20, 20)
    QTest::newRow("plain right") << int(dsSizeR) << int(Qt::NoModifier) << false << QRectF(10, 10, 30, 20)
                                 << QRectF(10, 10, 30, 20) << true;
    QTest::newRow("ctrl right keeps centre") << int(dsSizeR) << int(Qt::ControlModifier) << false
                                             << QRectF(10, 10, 25, 20) << QRectF(5, 10, 30, 20) << true;
    QTest::newRow("ctrl top-left") << int(dsSizeTL) << int(Qt::ControlModifier) << false << QRectF(15, 12, 15, 18)
                                   << QRectF(15, 12, 10, 16) << true;
    QTest::newRow("ctrl never below 4") << int(dsSizeL) << int(Qt::ControlModifier) << false
                                        << QRectF(25, 10, 5, 20) << QRectF(18, 10, 4, 20) << true;
    QTest::newRow("locked stays") << int(dsSizeR) << int(Qt::NoModifier) << true << QRectF(10, 10, 50, 20) << old
                                  << true;
    QTest::newRow("locked move still modifies") << int(dsMove) << int(Qt::NoModifier) << true
                                                << QRectF(40, 40, 20, 20) << old << true;
    QTest::newRow("locked ctrl resize stays") << int(dsSizeL) << int(Qt::ControlModifier) << true
                                              << QRectF(25, 10, 5, 20) << old << true;
}

void TestCanvas::resizeRules()
{
    QFETCH(int, state);
    QFETCH(int, mods);
    QFETCH(bool, locked);
    QFETCH(QRectF, proposed);
    QFETCH(QRectF, result);
    QFETCH(bool, modified);
    auto toFloat = [](QRectF r) {
        return TFloatRect{float(r.left()), float(r.top()), float(r.right()), float(r.bottom())};
    };
    TFloatRect next = toFloat(proposed);
    const TResizeOutcome out = ApplyResizeRules(toFloat(QRectF(10, 10, 20, 20)), next, TRBDragState(state),
                                                Qt::KeyboardModifiers(mods), Qt::LeftButton, locked, false);
    QCOMPARE(QRectF(QPointF(next.Left, next.Top), QPointF(next.Right, next.Bottom)), result);
    QCOMPARE(out.Modified, modified);
}

void TestCanvas::resizeWithoutKeysOrButtons()
{
    // No key and no button: the proposed rectangle stands and the page is not changed.
    const TFloatRect old{10, 10, 30, 30};
    TFloatRect next{10, 10, 50, 30};
    TResizeOutcome out = ApplyResizeRules(old, next, dsSizeR, Qt::NoModifier, Qt::NoButton, false, true);
    QCOMPARE(next.Right, 50.0f);
    QVERIFY(!out.Modified);
    QVERIFY(!out.CopyVideoWindow);
    // A resize of the video window hands its rectangle to the page settings.
    out = ApplyResizeRules(old, next, dsSizeR, Qt::NoModifier, Qt::LeftButton, false, true);
    QVERIFY(out.Modified);
    QVERIFY(out.CopyVideoWindow);
    out = ApplyResizeRules(old, next, dsMove, Qt::NoModifier, Qt::LeftButton, false, true);
    QVERIFY(out.CopyVideoWindow);
}

void TestCanvas::selectionSignals()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(10, 10, 50, 40), "a");
    QSignalSpy spy(&f.Form->Document(), &TPageDocument::SelectionChanged);
    f.Form->SetSelection(a);
    QCOMPARE(spy.count(), 1);
    // The same layer again changes nothing.
    f.Form->StatusPanel(3)->setText(QStringLiteral("marker"));
    f.Form->SetSelection(a);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(f.Form->StatusPanel(3)->text(), QStringLiteral("marker"));
    // Clearing refills every time, also when nothing is selected.
    f.Form->SetSelection(nullptr);
    f.Form->StatusPanel(3)->setText(QStringLiteral("marker"));
    f.Form->SetSelection(nullptr);
    QCOMPARE(spy.count(), 3);
    QCOMPARE(f.Form->StatusPanel(3)->text(), QString());
}

void TestCanvas::scrollBoxClickClearsOnce()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(10, 10, 50, 40), "a");
    f.Form->SetSelection(a);
    auto* box = f.Form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    QVERIFY(box);
    QSignalSpy spy(&f.Form->Document(), &TPageDocument::SelectionChanged);
    Click(box->viewport(), QPoint(box->viewport()->width() - 2, box->viewport()->height() - 2));
    QVERIFY(!f.Form->Selected());
    QCOMPARE(spy.count(), 1);
}

void TestCanvas::deleteKeyOnlyOverCanvas()
{
    TEditorFixture f;
    f.Start();
    TItemLayer* a = AddControl(*f.Form, QRectF(10, 10, 50, 40), "a");
    f.Form->SetSelection(a);
    QVERIFY(!f.Form->FormKeyDown(Qt::Key_Delete, Qt::NoModifier));
    QCOMPARE(f.Form->Layers().Count(), 2);  // the control and its frame
    QCOMPARE(f.Form->Selected(), a);
    f.Form->SetMouseInView(true);
    QVERIFY(f.Form->FormKeyDown(Qt::Key_Delete, Qt::NoModifier));
    QVERIFY(!f.Form->Selected());
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(f.Form->Modified());
}

void TestCanvas::checkerboardFirstStage()
{
    TEditorFixture f;
    f.Start();
    TImageCanvas& canvas = f.Form->ImgView()->Canvas();
    canvas.Invalidate();
    canvas.Render();
    const QImage& shown = canvas.BackBuffer().Image();
    QCOMPARE(shown.pixel(0, 0), 0xFFB0B0B0u);
    QCOMPARE(shown.pixel(12, 0), 0xFFFFFFFFu);
    QCOMPARE(shown.pixel(12, 12), 0xFFB0B0B0u);
    QCOMPARE(shown.pixel(11, 12), 0xFFFFFFFFu);
}

void TestCanvas::pointerPositionInStatusBar()
{
    TEditorFixture f;
    f.Start();
    SendMouse(f.Form->ImgView(), QEvent::MouseMove, QPoint(37, 45), Qt::NoButton, Qt::NoButton);
    QCOMPARE(f.Form->StatusPanel(1)->text(), QStringLiteral("X: 37"));
    QCOMPARE(f.Form->StatusPanel(2)->text(), QStringLiteral("Y: 45"));
}

// "Load picture" never waits on a FIFO: it counts as a picture that cannot be read.
void TestCanvas::loadPictureTakesOnlyRegularFiles()
{
    TEditorFixture f;
    const QString good = f.Path(QStringLiteral("good.png")), fifo = f.Path(QStringLiteral("fifo.png"));
    WriteBytes(good, SolidPng(8, 6, Qt::red));
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    f.Start();
    f.Dialogs.AnswerOpenFile(good);
    f.Form->Action("mnBackground")->trigger();
    QCOMPARE(f.Form->Document().Backdrop().size(), QSize(8, 6));
    f.Dialogs.AnswerOpenFile(fifo);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnBackground")->trigger();
    QCOMPARE(f.Dialogs.Calls().back().Text, QStringLiteral("Cannot read the picture \"%1\".").arg(fifo));
    QCOMPARE(f.Form->Document().Backdrop().size(), QSize(8, 6));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

// A picture of the main window with a page and a selection, for a person to look at.
void TestCanvas::screenshot()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Shot"));
    f.Start();
    f.OpenProject(folder);
    TItemLayer* a = AddControl(*f.Form, QRectF(40, 30, 120, 80), "");
    AddControl(*f.Form, QRectF(200, 60, 90, 50), "second");
    f.Form->SetSelection(a);
    f.Form->resize(900, 600);
    QCoreApplication::processEvents();
    const QString path = QStringLiteral(VARNHOLT_TEST_OUTPUT) + QStringLiteral("/mainwindow.png");
    QVERIFY(f.Form->grab().save(path));
}

QTEST_MAIN(TestCanvas)
#include "tst_canvas.moc"
