// The element list: its lines, the selection in step with the canvas both ways, the check boxes that
// hide controls on the canvas only, sorting, Invert Selection, restacking by drag and drop.
#include "CanvasInput.h"
#include "EditorFixture.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "document/PageDocument.h"
#include "editor/tools/ElementList.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QContextMenuEvent>
#include <QDockWidget>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <utility>
#include <vector>

namespace {

// A control of any type name.
class TNamedControl : public TItemLayer {
public:
    TNamedControl(TLayerCollection* layers, const char* type)
        : TItemLayer(layers)
    {
        FTypeName = type;
    }
};

TItemLayer* AddControl(TMainForm& form, int id, const char* description, const char* type = "Label")
{
    auto* layer = new TNamedControl(&form.Layers(), type);
    layer->Control_ID = id;
    layer->Description = description;
    const float x = float(10 + 40 * form.Layers().Count());
    layer->SetLocation(TFloatRect{x, 10, x + 30, 40});
    form.AttachControl(layer);
    return layer;
}

QStringList Lines(const TfrmObjects& list)
{
    QStringList out;
    for (int row = 0; row < list.LineCount(); ++row)
        out << list.LineText(row);
    return out;
}

int RowOf(const TfrmObjects& list, const TItemLayer* layer)
{
    for (int row = 0; row < list.LineCount(); ++row)
        if (list.LineControl(row) == layer)
            return row;
    return -1;
}

void ClickLine(TfrmObjects& list, int row)
{
    QListWidget* box = list.List();
    // Right of the check box, on the text.
    const QRect r = box->visualItemRect(box->item(row));
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(r.right() - 4, r.center().y()));
}

// The user toggles a line's check box.
void ToggleLine(TfrmObjects& list, int row)
{
    QListWidgetItem* line = list.List()->item(row);
    line->setCheckState(line->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

// The pointer as the window system delivers it: to the window, which hands it to the widget under it,
// or, while the button is down, to the widget it was pressed on.
void Pointer(QWidget* over, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QWindow* window = over->window()->windowHandle();
    const QPointF global = over->mapToGlobal(QPointF(at));
    QMouseEvent event(type, window->mapFromGlobal(global), global, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

// A drag under a window system runs a loop of its own until the button comes up: the pointer's last
// steps to `at` are queued for that loop, so that the drop reaches the list as a user's does. Where the
// drag ends at once without a drop (offscreen), or none began, they are never sent.
class TQueuedDrop {
public:
    TQueuedDrop(QWidget* over, QPoint at)
        : FOver(over)
        , FAt(at)
    {
        FSteps.setSingleShot(true);
        QObject::connect(&FSteps, &QTimer::timeout, [this] {
            FTaken = true;
            Pointer(FOver, QEvent::MouseMove, FAt, Qt::NoButton, Qt::LeftButton);
            Pointer(FOver, QEvent::MouseButtonRelease, FAt, Qt::LeftButton, Qt::NoButton);
        });
        // A loop that does not take them is ended with Escape rather than left to hang.
        FEscape.setSingleShot(true);
        QObject::connect(&FEscape, &QTimer::timeout, [this] {
            FEscaped = true;
            QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
            QApplication::sendEvent(FOver, &escape);
        });
        FSteps.start(0);
        FEscape.start(10000);
    }
    // Whether a drag's loop took the steps.
    bool Taken()
    {
        FSteps.stop();
        FEscape.stop();
        return FTaken;
    }
    bool Escaped() const { return FEscaped; }
    // The button comes up at `at`: the release that the drag's loop held back arrives now, or, where no
    // loop took it, the user's own.
    void Release()
    {
        if (Taken())
            QCoreApplication::sendPostedEvents(FOver->window()->windowHandle(), QEvent::MouseButtonRelease);
        else
            Pointer(FOver, QEvent::MouseButtonRelease, FAt, Qt::LeftButton, Qt::NoButton);
    }

private:
    QWidget* const FOver;
    const QPoint FAt;
    QTimer FSteps;
    QTimer FEscape;
    bool FTaken = false;
    bool FEscaped = false;
};

struct TListFixture : TEditorFixture {
    enum TContent { Three, Empty };
    // Three: controls a, b, c from back to front, listed.
    explicit TListFixture(TContent content = Three)
    {
        Start();
        List = ElementList(*Form);
        if (content == Three)
            AddThree();
    }
    void AddThree()
    {
        A = AddControl(*Form, 3, "a");
        B = AddControl(*Form, 1, "b");
        C = AddControl(*Form, 2, "c");
        emit Form->Document().PageReplaced();
    }
    TfrmObjects* List = nullptr;
    TItemLayer* A = nullptr;
    TItemLayer* B = nullptr;
    TItemLayer* C = nullptr;
};

} // namespace

class TestElementList : public QObject {
    Q_OBJECT

private slots:
    void lineText_data();
    void lineText();
    void installedInToolWindow();
    void linesFollowStackingWithoutFrame();
    void listFollowsCanvasSelection();
    void clickSelectsOnCanvas();
    void clickOnHiddenOrEmptyArea();
    void rightClickActsOnHighlightedLine();
    void keysMoveSelection_data();
    void keysMoveSelection();
    void pressMovedToAnotherLine_data();
    void pressMovedToAnotherLine();
    void checkBoxHidesOnCanvasOnly();
    void invertSelection();
    void sortByIdAndDragMode();
    void lockedLinesItalic();
    void onlyChangedLinesUpdate();
    void dropRestacks_data();
    void dropRestacks();
    void emptyPageAndGoneControls();
    void newPageEmptiesList();
};

void TestElementList::lineText_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<bool>("locked");
    QTest::addColumn<QString>("text");
    QTest::newRow("locked") << 7 << QByteArray("Title") << true << QStringLiteral("0007  Label - Title *");
    QTest::newRow("unlocked") << 7 << QByteArray("Title") << false << QStringLiteral("0007  Label - Title");
    QTest::newRow("zero, empty") << 0 << QByteArray() << false << QStringLiteral("0000  Label - ");
    QTest::newRow("five digits") << 10000 << QByteArray("x") << false << QStringLiteral("10000  Label - x");
    QTest::newRow("negative as unsigned") << -1 << QByteArray("x") << false << QStringLiteral("4294967295  Label - x");
    QTest::newRow("Windows-1252") << 12 << QByteArray("caf\xE9 \x80") << false << QStringLiteral("0012  Label - café €");
}

void TestElementList::lineText()
{
    QFETCH(int, id);
    QFETCH(QByteArray, description);
    QFETCH(bool, locked);
    QFETCH(QString, text);
    TLayerCollection layers;
    TNamedControl layer(&layers, "Label");
    layer.Control_ID = id;
    layer.Description = description.toStdString();
    layer.FLocked = locked;
    QCOMPARE(ElementLineText(layer), text);
}

void TestElementList::installedInToolWindow()
{
    TListFixture f(TListFixture::Empty);
    QVERIFY(f.List);
    QCOMPARE(f.List->LineCount(), 0);
    QVERIFY(f.Form->ToolWindow("frmObjects")->isVisible());
    QCOMPARE(f.List->mnuSortbyID->text(), QStringLiteral("&Sort by ID"));
    QCOMPARE(f.List->mnuInvertSelection->text(), QStringLiteral("&Invert Selection"));
}

void TestElementList::linesFollowStackingWithoutFrame()
{
    TListFixture f;
    QCOMPARE(Lines(*f.List), (QStringList{"0003  Label - a", "0001  Label - b", "0002  Label - c"}));
    f.Form->SetSelection(f.B);
    QVERIFY(f.Form->RubberBand());
    emit f.Form->Document().PageReplaced();
    // The frame is a layer of the canvas but has no line.
    QCOMPARE(f.Form->Layers().Count(), 4);
    QCOMPARE(f.List->LineCount(), 3);
    // Restacked, the lines follow; the selected control's line stays selected.
    f.B->SendToBack();
    emit f.Form->Document().PageReplaced();
    QCOMPARE(f.List->LineControl(0), f.B);
    QCOMPARE(f.List->LineControl(1), f.A);
    QCOMPARE(f.List->SelectedLine(), 0);
    QVERIFY(f.List->LineChecked(0));
}

void TestElementList::listFollowsCanvasSelection()
{
    TListFixture f;
    f.Form->SetSelection(f.C);
    QCOMPARE(f.List->SelectedLine(), 2);
    f.Form->SetSelection(f.A);
    QCOMPARE(f.List->SelectedLine(), 0);
    f.Form->SetSelection(nullptr);
    QCOMPARE(f.List->SelectedLine(), -1);
    QCOMPARE(f.Form->Modified(), false);
}

void TestElementList::clickSelectsOnCanvas()
{
    TListFixture f;
    ClickLine(*f.List, 1);
    QCOMPARE(f.Form->Selected(), f.B);
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), f.B);
    QCOMPARE(f.Form->StatusPanel(3)->text(), QStringLiteral("Label - b"));
    QCOMPARE(f.List->SelectedLine(), 1);
    ClickLine(*f.List, 2);
    QCOMPARE(f.Form->Selected(), f.C);
    QCOMPARE(f.Form->Modified(), false);
}

void TestElementList::clickOnHiddenOrEmptyArea()
{
    TListFixture f;
    f.Form->SetSelection(f.A);
    // Below the lines: only the list's selection goes.
    QListWidget* box = f.List->List();
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, QPoint(5, box->viewport()->height() - 3));
    QCOMPARE(f.List->SelectedLine(), -1);
    QCOMPARE(f.Form->Selected(), f.A);
    // A hidden control's line clears the selection.
    f.B->SetVisible(false);
    emit f.Form->Document().PageReplaced();
    ClickLine(*f.List, 1);
    QCOMPARE(f.Form->Selected(), nullptr);
    QCOMPARE(f.List->SelectedLine(), -1);
}

// The popup opens as the window system opens it: the press, then the context menu event (the open
// menu takes the release).
void RightClick(TfrmObjects& list, QPoint at)
{
    QWidget* viewport = list.List()->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &menu);
}

void TestElementList::rightClickActsOnHighlightedLine()
{
    TListFixture f;
    f.Form->SetSelection(f.A);
    QListWidget* box = f.List->List();
    QMenu* popup = f.Form->findChild<QMenu*>(QStringLiteral("PopupMenu3"));
    QVERIFY(popup);
    const auto rightClick = [&](QPoint at) {
        RightClick(*f.List, at);
        QVERIFY(popup->isVisible());
        popup->close();
    };
    // On a line: its control is selected first, and the menu's Delete deletes it.
    rightClick(box->visualItemRect(box->item(2)).center());
    QCOMPARE(f.Form->Selected(), f.C);
    QCOMPARE(f.List->SelectedLine(), 2);
    f.Form->Action("mnDelete")->trigger();
    QCOMPARE(Lines(*f.List), (QStringList{"0003  Label - a", "0001  Label - b"}));
    // Below the lines: the highlight stays on the selected control's line.
    f.Form->SetSelection(f.B);
    rightClick(QPoint(5, box->viewport()->height() - 3));
    QCOMPARE(f.Form->Selected(), f.B);
    QCOMPARE(f.List->SelectedLine(), 1);
    // A hidden control's line: nothing is selected, nothing highlighted.
    ToggleLine(*f.List, 0);
    rightClick(box->visualItemRect(box->item(0)).center());
    QCOMPARE(f.Form->Selected(), nullptr);
    QCOMPARE(f.List->SelectedLine(), -1);
}

void TestElementList::keysMoveSelection_data()
{
    QTest::addColumn<bool>("sorted");
    // Controls a to e, back to front, with the identifiers 5 to 1: sorted, the lines are e d c b a.
    QTest::addColumn<QString>("hidden");
    // The line clicked to focus the list, then the keys typed.
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("keys");
    // After each key: the current line, the selected control ('-': none) and the current line's check.
    QTest::addColumn<QString>("steps");
    QTest::newRow("Down selects the next line") << false << "" << "a" << "Down" << "bb+";
    QTest::newRow("Down onto a hidden line and on") << false << "b" << "a" << "Down Down Down Down"
                                                    << "b-- cc+ dd+ ee+";
    QTest::newRow("Up over a hidden line") << false << "b" << "e" << "Up Up Up Up" << "dd+ cc+ b-- aa+";
    QTest::newRow("hidden first line") << false << "a" << "c" << "Home Up Down" << "a-- a-- bb+";
    QTest::newRow("hidden last line") << false << "e" << "c" << "End Down Up" << "e-- e-- dd+";
    QTest::newRow("pages onto hidden ends") << false << "ae" << "c" << "PageDown Up PageUp Down"
                                            << "e-- dd+ a-- bb+";
    QTest::newRow("Space hides the selected line, Space shows it") << false << "" << "c" << "Space Space Down"
                                                                   << "c-- c-+ dd+";
    QTest::newRow("Select as Space") << false << "" << "c" << "Select Select Up" << "c-- c-+ bb+";
    QTest::newRow("Space shows a hidden line reached by a key") << false << "b" << "a" << "Down Space Up Down"
                                                                << "b-- b-+ aa+ bb+";
    QTest::newRow("Hide object, then Space") << false << "" << "c" << "F11 Space Down" << "c-- c-+ dd+";
    QTest::newRow("F4 keeps the place") << false << "" << "c" << "F4 Down F4 Up" << "c-+ dd+ d-+ cc+";
    QTest::newRow("sorted, Down onto a hidden line and on") << true << "c" << "e" << "Down Down Down Down"
                                                            << "dd+ c-- bb+ aa+";
    QTest::newRow("sorted, hidden first line") << true << "e" << "c" << "Home Down Up" << "e-- dd+ e--";
    QTest::newRow("sorted, hidden last line") << true << "a" << "c" << "End PageUp PageDown Up"
                                              << "a-- ee+ a-- bb+";
    QTest::newRow("sorted, Space") << true << "" << "b" << "Space Down Up Space" << "b-- aa+ b-- b-+";
}

// Keys go where the user's go: to the focused widget, after a click on a line. A hidden control's
// line takes the keyboard's place without being selected, and Up, Down and Space go on from it.
void TestElementList::keysMoveSelection()
{
    QFETCH(bool, sorted);
    QFETCH(QString, hidden);
    QFETCH(QString, start);
    QFETCH(QString, keys);
    QFETCH(QString, steps);
    TListFixture f(TListFixture::Empty);
    QMap<QChar, TItemLayer*> controls;
    for (const char letter : QByteArrayLiteral("abcde"))
        controls.insert(QLatin1Char(letter), AddControl(*f.Form, 'e' + 1 - letter, QByteArray(1, letter).constData()));
    emit f.Form->Document().PageReplaced();
    if (sorted)
        f.List->mnuSortbyID->trigger();
    const auto name = [&](const TItemLayer* layer) {
        return layer ? QChar(layer->Description.front()) : QLatin1Char('-');
    };
    std::vector<std::pair<const TItemLayer*, TFloatRect>> places;
    for (const TItemLayer* layer : controls)
        places.emplace_back(layer, layer->Location());
    for (const QChar line : hidden)
        ToggleLine(*f.List, RowOf(*f.List, controls[line]));
    QListWidget* box = f.List->List();
    QVERIFY(box->visualItemRect(box->item(4)).bottom() < box->viewport()->height());
    f.Form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.Form.get()));
    // The pointer is on the line clicked, off the canvas, where the arrow keys would move the control.
    const int first = RowOf(*f.List, controls[start[0]]);
    QCursor::setPos(box->viewport()->mapToGlobal(box->visualItemRect(box->item(first)).center()));
    QTRY_VERIFY(!f.Form->MouseInView());
    ClickLine(*f.List, first);
    QCOMPARE(f.Form->Selected(), controls[start[0]]);
    QCOMPARE(QApplication::focusWidget(), box);

    const QHash<QString, Qt::Key> named{{"Up", Qt::Key_Up},         {"Down", Qt::Key_Down},
                                         {"Home", Qt::Key_Home},     {"End", Qt::Key_End},
                                         {"PageUp", Qt::Key_PageUp}, {"PageDown", Qt::Key_PageDown},
                                         {"Space", Qt::Key_Space},   {"Select", Qt::Key_Select},
                                         {"F4", Qt::Key_F4},         {"F11", Qt::Key_F11}};
    const QStringList typed = keys.split(QLatin1Char(' '));
    const QStringList expected = steps.split(QLatin1Char(' '));
    QCOMPARE(typed.size(), expected.size());
    for (qsizetype i = 0; i < typed.size(); ++i) {
        QVERIFY2(named.contains(typed[i]), qPrintable(typed[i]));
        QTest::keyClick(QApplication::focusWidget(), named[typed[i]]);
        const int current = box->currentRow();
        const QString seen = QString(name(f.List->LineControl(current))) + name(f.Form->Selected())
            + QLatin1Char(f.List->LineChecked(current) ? '+' : '-');
        QCOMPARE(seen + QLatin1Char(' ') + typed[i], expected[i] + QLatin1Char(' ') + typed[i]);
        // The highlight is the selection's line, or none.
        QCOMPARE(f.List->SelectedLine(), f.Form->Selected() ? RowOf(*f.List, f.Form->Selected()) : -1);
        QCOMPARE(QApplication::focusWidget(), box);
        // As the check box does: a shown control takes clicks, a hidden one none.
        for (const TItemLayer* layer : controls)
            QCOMPARE(layer->MouseEvents(), layer->Visible());
    }
    // The keys moved the lines, not the controls, and changed nothing to save.
    for (const auto& [layer, place] : places) {
        QCOMPARE(layer->Location().Left, place.Left);
        QCOMPARE(layer->Location().Top, place.Top);
    }
    QCOMPARE(f.Form->Modified(), false);
}

void TestElementList::pressMovedToAnotherLine_data()
{
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<int>("moved");
    QTest::newRow("sorted") << true << 0;
    QTest::newRow("unsorted, short of a drag") << false << 0;
    QTest::newRow("unsorted, dragged off the lines") << false << 200;
}

// A press on one line released on another chooses nothing: the highlight stays with the selection.
void TestElementList::pressMovedToAnotherLine()
{
    QFETCH(bool, sorted);
    QFETCH(int, moved);
    TListFixture f(TListFixture::Empty);
    TItemLayer* label = AddControl(*f.Form, 5, "title", "Label");
    TItemLayer* button = AddControl(*f.Form, 3, "ok", "Button");
    TItemLayer* video = AddControl(*f.Form, 1, "video", "VideoWindow");
    emit f.Form->Document().PageReplaced();
    if (sorted)
        f.List->mnuSortbyID->trigger();
    ClickLine(*f.List, RowOf(*f.List, label));
    QCOMPARE(f.Form->Selected(), label);
    QListWidget* box = f.List->List();
    QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
    const QRect from = box->visualItemRect(box->item(RowOf(*f.List, button)));
    const QRect to = box->visualItemRect(box->item(RowOf(*f.List, video)));
    const QPoint press(from.right() - 4, to.top() < from.top() ? from.top() + 1 : from.bottom() - 1);
    const QPoint release(press.x() + moved, to.top() < from.top() ? to.bottom() - 1 : to.top() + 1);
    TQueuedDrop drop(box->viewport(), release);
    Pointer(box->viewport(), QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    for (int step = 0; step < 2; ++step)  // a drag starts at the second move
        Pointer(box->viewport(), QEvent::MouseMove, release, Qt::NoButton, Qt::LeftButton);
    QVERIFY(!drop.Escaped());
    // A drag's own loop takes the release: the drag is over when the move returns.
    if (moved)
        QCOMPARE(f.List->LineControl(f.List->SelectedLine()), label);
    drop.Release();
    QCOMPARE(f.Form->Selected(), label);
    QCOMPARE(f.List->LineControl(f.List->SelectedLine()), label);
}

void TestElementList::checkBoxHidesOnCanvasOnly()
{
    TListFixture f;
    f.Form->SetSelection(f.B);
    QListWidgetItem* const line = f.List->List()->item(1);
    ToggleLine(*f.List, 1);
    QVERIFY(!f.B->Visible());
    QVERIFY(!f.B->MouseEvents());
    QCOMPARE(f.Form->Selected(), nullptr);
    QVERIFY(!f.Form->RubberBand());
    // The saved visibility and the modified flag stay; the list is not rebuilt.
    QVERIFY(f.B->FVisible);
    QCOMPARE(f.Form->Modified(), false);
    QCOMPARE(f.List->List()->item(1), line);
    ToggleLine(*f.List, 1);
    QVERIFY(f.B->Visible());
    QVERIFY(f.B->MouseEvents());
    QCOMPARE(f.Form->Selected(), nullptr);
    // Another control's check leaves the selection alone.
    f.Form->SetSelection(f.A);
    ToggleLine(*f.List, 2);
    QVERIFY(!f.C->Visible());
    QCOMPARE(f.Form->Selected(), f.A);
    QCOMPARE(f.List->SelectedLine(), 0);
    // The same with the mouse on the check box: it toggles, it does not select.
    QListWidget* box = f.List->List();
    QStyleOptionViewItem option;
    option.initFrom(box);
    option.rect = box->visualItemRect(box->item(2));
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QRect check = box->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, box);
    QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, check.center());
    QVERIFY(f.C->Visible());
    QVERIFY(f.C->MouseEvents());
    QCOMPARE(f.Form->Selected(), f.A);
    QCOMPARE(f.List->SelectedLine(), 0);
}

void TestElementList::invertSelection()
{
    TListFixture f;
    ToggleLine(*f.List, 0);  // a hidden, its mouse events off
    f.List->mnuInvertSelection->trigger();
    QVERIFY(f.A->Visible() && !f.B->Visible() && !f.C->Visible());
    QVERIFY(f.List->LineChecked(0) && !f.List->LineChecked(1) && !f.List->LineChecked(2));
    // As the check boxes do: shown controls take clicks, hidden ones none, and the last line's
    // control, hidden now, is not left selected.
    QCOMPARE(f.Form->Selected(), nullptr);
    QVERIFY(!f.Form->RubberBand());
    QCOMPARE(f.List->SelectedLine(), -1);
    Click(f.Form->ImgView(), Rect(f.A).center().toPoint());
    QCOMPARE(f.Form->Selected(), f.A);
    Click(f.Form->ImgView(), Rect(f.C).center().toPoint());
    QCOMPARE(f.Form->Selected(), nullptr);
    QCOMPARE(f.Form->Modified(), false);
    QVERIFY(f.B->FVisible && f.C->FVisible);
    // Shown again, the last line's control ends up selected.
    f.List->mnuInvertSelection->trigger();
    QVERIFY(!f.A->Visible() && f.B->Visible() && f.C->Visible());
    QCOMPARE(f.Form->Selected(), f.C);
    QCOMPARE(f.List->SelectedLine(), 2);
    // Sorted, a line that moves while Invert runs (the inspector commits a pending identifier): every
    // control is still inverted once and its check mark follows it.
    f.List->mnuSortbyID->trigger();
    QMetaObject::Connection renumber = QObject::connect(&f.Form->Document(), &TPageDocument::ControlChanged,
                                                        [&f](TItemLayer* layer) {
        if (layer == f.B && layer->Control_ID == 1) {
            f.Form->Document().SetProperty(*layer, "Control_ID", TPropValue(int64_t(9)));
        }
    });
    f.List->mnuInvertSelection->trigger();
    QObject::disconnect(renumber);
    QCOMPARE(f.B->Control_ID, 9);
    QVERIFY(f.A->Visible() && !f.B->Visible() && !f.C->Visible());
    for (int row = 0; row < f.List->LineCount(); ++row) {
        QCOMPARE(f.List->LineChecked(row), f.List->LineControl(row)->Visible());
        QCOMPARE(f.List->LineControl(row)->MouseEvents(), f.List->LineControl(row)->Visible());
    }
}

void TestElementList::sortByIdAndDragMode()
{
    TListFixture f(TListFixture::Empty);
    TItemLayer* big = AddControl(*f.Form, 10000, "big");
    AddControl(*f.Form, 2000, "mid");
    TItemLayer* small = AddControl(*f.Form, 7, "small", "Button");
    emit f.Form->Document().PageReplaced();
    QVERIFY(f.List->DragEnabled());
    f.Form->SetSelection(small);
    f.List->mnuSortbyID->trigger();
    QVERIFY(f.List->Sorted());
    QVERIFY(f.List->mnuSortbyID->isChecked());
    QVERIFY(!f.List->DragEnabled());
    QCOMPARE(Lines(*f.List), (QStringList{"0007  Button - small", "10000  Label - big", "2000  Label - mid"}));
    QCOMPARE(f.List->SelectedLine(), 0);
    // Sorted lines cannot be dragged: a drop changes nothing.
    f.List->lbSelectionDragDrop(0, 2);
    QCOMPARE(f.Form->Layers().IndexOf(small), 2);
    QCOMPARE(f.Form->Modified(), false);
    // Lines added while sorted go to their place.
    AddControl(*f.Form, 50, "new");
    emit f.Form->Document().PageReplaced();
    QCOMPARE(f.List->LineText(1), QStringLiteral("0050  Label - new"));
    f.List->mnuSortbyID->trigger();
    QVERIFY(!f.List->Sorted());
    QVERIFY(f.List->DragEnabled());
    QCOMPARE(f.List->LineControl(0), big);
}

void TestElementList::lockedLinesItalic()
{
    TListFixture f;
    f.B->FLocked = true;
    emit f.Form->Document().PageReplaced();
    QVERIFY(f.List->LineItalic(1));
    QVERIFY(!f.List->LineItalic(0));
    QVERIFY(f.List->LineText(1).endsWith(QStringLiteral(" *")));
    f.List->mnuSortbyID->trigger();
    // Sorted: b (1) first.
    QVERIFY(f.List->LineItalic(0));
    QVERIFY(!f.List->LineItalic(1));
    f.List->mnuSortbyID->trigger();
}

void TestElementList::onlyChangedLinesUpdate()
{
    TListFixture f;
    TPageDocument& doc = f.Form->Document();
    QAbstractItemModel* model = f.List->List()->model();
    // Selecting and moving a control touch no line, sorted or not.
    for (const bool sorted : {false, true}) {
        if (f.List->Sorted() != sorted)
            f.List->mnuSortbyID->trigger();
        doc.SetSelection(nullptr);
        QSignalSpy reset(model, &QAbstractItemModel::modelReset);
        QSignalSpy changed(model, &QAbstractItemModel::dataChanged);
        QSignalSpy layout(model, &QAbstractItemModel::layoutChanged);
        doc.SetSelection(f.B);
        doc.MoveSelectedBy(4, 0);
        QCOMPARE(reset.count() + changed.count() + layout.count(), 0);
    }
    QSignalSpy reset(model, &QAbstractItemModel::modelReset);
    QSignalSpy removed(model, &QAbstractItemModel::rowsRemoved);
    // Sorted, a new identifier moves its line to its place.
    doc.SetProperty(*f.C, "Control_ID", TPropValue(int64_t(0)));
    QCOMPARE(f.List->LineControl(0), f.C);
    f.List->mnuSortbyID->trigger();
    reset.clear();
    // Unsorted, a restack moves the one line; a delete removes one line.
    QListWidgetItem* const lineA = f.List->List()->item(0);
    doc.SetSelection(f.A);
    doc.BringToFront();
    QCOMPARE(Lines(*f.List), (QStringList{"0001  Label - b", "0000  Label - c", "0003  Label - a"}));
    QCOMPARE(f.List->List()->item(2), lineA);
    QCOMPARE(f.List->SelectedLine(), 2);
    doc.SetSelection(f.B);
    doc.OneToFront();
    QCOMPARE(f.List->LineControl(1), f.B);
    QCOMPARE(f.List->SelectedLine(), 1);
    removed.clear();
    doc.DeleteSelected();
    QCOMPARE(Lines(*f.List), (QStringList{"0000  Label - c", "0003  Label - a"}));
    QCOMPARE(reset.count(), 0);
    QCOMPARE(removed.count(), 1);
}

void TestElementList::dropRestacks_data()
{
    QTest::addColumn<int>("source");
    QTest::addColumn<int>("target");
    QTest::addColumn<QString>("order");
    QTest::addColumn<bool>("modified");
    QTest::newRow("back onto last") << 0 << 2 << QStringLiteral("bca") << true;
    QTest::newRow("below the lines") << 0 << -1 << QStringLiteral("bca") << true;
    QTest::newRow("front onto first") << 2 << 0 << QStringLiteral("cab") << true;
    // Nothing moves, so the page has nothing new to save.
    QTest::newRow("onto itself") << 1 << 1 << QStringLiteral("abc") << false;
    QTest::newRow("last below the lines") << 2 << -1 << QStringLiteral("abc") << false;
}

void TestElementList::dropRestacks()
{
    QFETCH(int, source);
    QFETCH(int, target);
    QFETCH(QString, order);
    QFETCH(bool, modified);
    TListFixture f;
    f.Form->SetSelection(f.B);
    // The line is dragged with the mouse; what the drag carries is written without complaint.
    QTest::failOnWarning(QRegularExpression(QStringLiteral("unable to save")));
    QListWidget* box = f.List->List();
    // A window system finds the drop's window where it shows on the screen.
    QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
    const QPoint from = box->visualItemRect(box->item(source)).center();
    const QPoint at =
        target >= 0 ? box->visualItemRect(box->item(target)).center() : QPoint(5, box->viewport()->height() - 3);
    const QPoint away(0, 3 * QApplication::startDragDistance());
    TQueuedDrop drop(box->viewport(), at);
    Pointer(box->viewport(), QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Pointer(box->viewport(), QEvent::MouseMove, from + away / 2, Qt::NoButton, Qt::LeftButton);
    Pointer(box->viewport(), QEvent::MouseMove, from + away, Qt::NoButton, Qt::LeftButton);
    QVERIFY(!drop.Escaped());
    // Where the drag ends at once without a drop, the list is handed the drop it would have had.
    if (!drop.Taken())
        f.List->lbSelectionDragDrop(source, target);
    drop.Release();
    QString lines;
    for (int row = 0; row < f.List->LineCount(); ++row)
        lines += QString::fromStdString(f.List->LineControl(row)->Description);
    QCOMPARE(lines, order);
    // The frame stays on top; a reorder is a change of the page.
    QCOMPARE(f.Form->Layers().Items(3), static_cast<TCustomLayer*>(f.Form->RubberBand()));
    QCOMPARE(f.Form->Modified(), modified);
    QCOMPARE(f.List->SelectedLine(), RowOf(*f.List, f.B));
}

void TestElementList::emptyPageAndGoneControls()
{
    TListFixture f(TListFixture::Empty);
    // Nothing to act on: no crash, nothing selected.
    f.List->lbSelectionClick(0);
    f.List->lbSelectionClick(-1);
    f.List->lbSelectionClickCheck(3);
    f.List->lbSelectionDragDrop(0, -1);
    f.List->mnuInvertSelection->trigger();
    f.List->mnuSortbyID->trigger();
    f.List->mnuSortbyID->trigger();
    QCOMPARE(f.List->LineCount(), 0);
    QCOMPARE(f.Form->Selected(), nullptr);
    QCOMPARE(f.Form->Modified(), false);
    // Controls added later are listed as usual.
    f.AddThree();
    QCOMPARE(f.List->LineCount(), 3);
    // A control freed by anyone: its line goes with it, and the rows past the lines do nothing.
    delete f.C;
    QCOMPARE(f.List->LineCount(), 2);
    QCOMPARE(f.List->LineControl(2), nullptr);
    f.List->lbSelectionClick(2);
    QCOMPARE(f.Form->Selected(), nullptr);
    f.List->lbSelectionClickCheck(2);
    f.List->lbSelectionDragDrop(0, 2);
    f.List->mnuInvertSelection->trigger();
    QCOMPARE(f.Form->Layers().Count(), 2 + (f.Form->RubberBand() ? 1 : 0));
    emit f.Form->Document().PageReplaced();
    QCOMPARE(f.List->LineCount(), 2);
}

void TestElementList::newPageEmptiesList()
{
    TListFixture f(TListFixture::Empty);
    f.OpenProject(f.MakeProject(QStringLiteral("Blue")));
    f.AddThree();
    f.Form->SetSelection(f.A);
    f.Form->mnNew1Click();
    QCOMPARE(f.List->LineCount(), 0);
    QCOMPARE(f.List->SelectedLine(), -1);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

QTEST_MAIN(TestElementList)
#include "tst_elementlist.moc"
