// The object inspector: the lines of a label, an image and a button in their published order with
// the editor of each type, edits that reach the control, the page and the element list, refused
// input, the action, window, function, font, file and colour editors, the page settings and skin
// description with nothing selected, and keys that stay in the inspector.
#include "CanvasInput.h"
#include "EditorFixture.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "document/PageXml.h"
#include "editor/source/SourceView.h"
#include "editor/settings/PlayerLists.h"
#include "editor/tools/Aspect.h"
#include "editor/tools/ColorSelector.h"
#include "editor/tools/ElementList.h"
#include "editor/tools/InspectorEditor.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/SelectButton.h"
#include "skinmodel/controls/SimpleButton.h"
#include "skinmodel/controls/TextLayer.h"
#include "skinmodel/controls/UpDownControl.h"
#include "skinmodel/uskininfo.h"
#include "support/TestPictures.h"

#include <QDockWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QLabel>
#include <QMenuBar>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QStyle>
#include <QToolButton>
#include <QToolBar>
#include <QTreeWidgetItemIterator>
#include <QtTest>
#include <QSpontaneKeyEvent>

namespace {

template <class T>
T* AddControl(TMainForm& form, const char* description)
{
    auto* layer = new T(&form.Layers());
    layer->Description = description;
    layer->SetLocation(TFloatRect{20, 30, 120, 60});
    form.AttachControl(layer);
    emit form.Document().PageReplaced();
    return layer;
}

class TFakeColorSelector : public IColorSelector {
public:
    void SetColor32(uint32_t color) override { Loaded = color; }
    uint32_t GetColor32() const override { return Answer; }
    bool Execute() override { ++Calls; return Ok; }
    uint32_t Loaded = 0;
    uint32_t Answer = 0;
    bool Ok = true;
    int Calls = 0;
};

// One line as "Name:ItemClass".
QStringList Lines(TfrmTools& tools, const QString& categoryOrPath, const QString& prefix = QString())
{
    QStringList out;
    for (const QString& name : tools.Names(categoryOrPath))
        out << name + QLatin1Char(':') + QLatin1String(tools.Item(prefix + name)->ClassName());
    return out;
}

const QStringList BaseLines = {
    "Control_ID:TInspectorIntegerItem", "Description:TInspectorStringItem", "Disabled:TInspectorBooleanItem",
    "DisabledColor:TJvInspectorColor32Item", "Height:TInspectorIntegerItem", "Visible:TInspectorBooleanItem",
    "Width:TInspectorIntegerItem", "X:TInspectorIntegerItem", "Y:TInspectorIntegerItem"};

const QStringList LabelLines = BaseLines + QStringList{
    "FontName:TJvInspectorFontItem", "LabelText:TInspectorStringItem", "Outline:TInspectorBooleanItem",
    "OutlineColor:TJvInspectorColor32Item", "Shadow:TInspectorBooleanItem", "ShadowColor:TJvInspectorColor32Item",
    "ShadowX:TInspectorIntegerItem", "ShadowY:TInspectorIntegerItem", "TextAlign:TInspectorEnumItem",
    "Textcolor:TJvInspectorColor32Item", "TextSelectedColor:TJvInspectorColor32Item", "VerticalAlign:TInspectorEnumItem"};

const QStringList ImageLines = BaseLines + QStringList{
    "Alpha:TInspectorIntegerItem", "Color:TJvInspectorColor32Item", "Color2:TJvInspectorColor32Item",
    "ColorKey:TJvInspectorColor32Item", "Corner:TInspectorIntegerItem", "Direction:TInspectorEnumItem",
    "FileName:TJvInspectorFilenameItem", "GraphicsType:TInspectorEnumItem", "Ratio:TInspectorBooleanItem",
    "Outline:TInspectorIntegerItem", "OutlineColor:TJvInspectorColor32Item"};

const QStringList ButtonLines = BaseLines + QStringList{
    "ActionID:TJvInspectorTActionIndexItem", "Application:TJvInspectorFilenameItem",
    "Arguments:TInspectorStringItem", "ControlDown:TInspectorIntegerItem", "ControlLeft:TInspectorIntegerItem",
    "ControlRight:TInspectorIntegerItem", "ControlUp:TInspectorIntegerItem", "JumpTo:TJvInspectorTWindowItem",
    "ScriptFunction:TJvInspectorTfunctionItem", "LabelControl:TInspectorClassItem", "LabelText:TInspectorStringItem",
    "TextOffsetX:TInspectorIntegerItem", "ImageFocus:TInspectorClassItem", "ImageNoFocus:TInspectorClassItem"};

struct TInspectorFixture : TEditorFixture {
    TInspectorFixture()
    {
        Start();
        Tools = Inspector(*Form);
    }
    ~TInspectorFixture() { PlayerLists() = TPlayerLists(); }

    template <class T>
    T* Select(const char* description)
    {
        T* control = AddControl<T>(*Form, description);
        Form->SetSelection(control);
        return control;
    }
    // Text in a line's field as typing leaves it, not yet confirmed.
    static void Fill(QLineEdit* field, const QString& text)
    {
        field->setFocus();
        field->setText(text);
        field->setModified(true);
    }
    // Types into a line's field and confirms with Return.
    void Type(const QString& path, const QString& text)
    {
        TInspectorEditor* editor = Tools->Editor(path);
        QVERIFY2(editor, qPrintable(path));
        QVERIFY(editor->LineEdit() && !editor->LineEdit()->isReadOnly());
        Fill(editor->LineEdit(), text);
        QTest::keyClick(editor->LineEdit(), Qt::Key_Return);
    }
    // A line's value list, opened and closed again.
    QComboBox* Listed(const QString& path)
    {
        QComboBox* combo = Tools->Editor(path)->ComboBox();
        combo->showPopup();
        combo->hidePopup();
        return combo;
    }
    // Chooses an entry of a line's value list.
    void Choose(const QString& path, const QString& entry)
    {
        QVERIFY(Tools->Editor(path)->ComboBox());
        QComboBox* combo = Listed(path);
        const int index = combo->findText(entry, Qt::MatchExactly);
        QVERIFY2(index >= 0, qPrintable(entry));
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void ClickEdit(const QString& path)
    {
        QToolButton* button = Tools->Editor(path)->EditButton();
        QVERIFY(button);
        button->click();
    }
    void ChooseFile(const QString& path, const QString& file)
    {
        Dialogs.AnswerOpenFile(file);
        ClickEdit(path);
    }
    const TDialogCall& LastCall() const { return Dialogs.Calls().back(); }
    void Activate()
    {
        Form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Form.get()));
    }
    // A click on a line's value (or name) through the window, active as the click leaves it (scrolled
    // into sight first); keys then go to the widget with the focus, as the platform sends them.
    void ClickValue(const QString& path, int column = 1)
    {
        Activate();
        QTreeWidget* tree = Tools->JvInspector1;
        if (QTreeWidgetItem* part = Tools->Node(path)->parent())
            part->setExpanded(true);
        tree->scrollToItem(Tools->Node(path));
        QCoreApplication::processEvents();
        const QPoint at = tree->visualRect(tree->indexFromItem(Tools->Node(path), column))
                              .intersected(tree->viewport()->rect()).center();
        QWidget* target = tree->viewport()->childAt(at) ? tree->viewport()->childAt(at) : tree->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(tree->viewport(), at));
    }
    static void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }
    static void Keys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // One notch of the wheel over the middle of `over`, through its window as the platform sends it.
    static void Wheel(QWidget* over, int notches)
    {
        QWidget* window = over->window();
        const QPoint at = over->mapTo(window, over->rect().center());
        QWheelEvent wheel(at, window->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        // Straight to the application: sending would take the platform's mark off the event.
        QCoreApplication::instance()->notify(window->windowHandle(), &wheel);
    }
    // The lines that show an editor; "*" marks the one with the focus.
    QStringList EditorLines() const
    {
        QStringList out;
        for (QTreeWidgetItemIterator it(Tools->JvInspector1); *it; ++it)
            if (QWidget* editor = Tools->JvInspector1->itemWidget(*it, 1))
                out << (*it)->text(0) + (editor->isAncestorOf(QApplication::focusWidget()) ? "*" : "");
        return out;
    }

    TfrmTools* Tools = nullptr;
};

} // namespace

class TestInspector : public QObject {
    Q_OBJECT

private slots:
    void installedAndRegistered();
    void nothingSelected();
    void controlLines_data();
    void controlLines();
    void editorsByType();
    void buttonParts();
    void editReachesControlPageAndList();
    void editOfPlainFieldRepaints();
    void editOfPart();
    void refusedInput_data();
    void refusedInput();
    void namesAndNumbers_data();
    void namesAndNumbers();
    void actionAndWindowItems();
    void functionItem();
    void fontItem();
    void colourItem();
    void colourStandIn();
    void fileItem();
    void pageSettingsAndSkinInfo();
    void pageSettingsOnEveryRoad_data();
    void pageSettingsOnEveryRoad();
    void videoWindowValuesAreTheWindow_data();
    void videoWindowValuesAreTheWindow();
    void followsSelectionAndDeletion();
    void sameKindKeepsLines_data();
    void sameKindKeepsLines();
    void positionAfterFrameResize();
    void freedWhileShown();
    void keysStayInInspector();
    void focusedFieldFollowsChanges();
    void typedTextWhenSelectionMoves();
    void editKeepsScrollPosition();
    void escapePutsValueBack_data();
    void escapePutsValueBack();
    void oneEditorOnTheCurrentLine();
    void typedTextBeforePageIsEmptied_data();
    void typedTextBeforePageIsEmptied();
    void namesFitTheirColumn_data();
    void namesFitTheirColumn();
    void dividerDrags();
};

void TestInspector::installedAndRegistered()
{
    TInspectorFixture f;
    QVERIFY(f.Tools);
    QCOMPARE(f.Form->ToolWindow("frmTools")->windowTitle(), QStringLiteral("tools"));
    const std::vector<TPropType> expected = {TPropType::FileName,    TPropType::Cardinal, TPropType::FontName,
                                             TPropType::Int64Action, TPropType::Function, TPropType::WindowNumber};
    QVERIFY(f.Tools->Registry().Registered() == expected);
}

void TestInspector::nothingSelected()
{
    TInspectorFixture f;
    QCOMPARE(f.Tools->Categories(), (QStringList{"Window info", "Skin info"}));
    QCOMPARE(Lines(*f.Tools, "Window info"),
             (QStringList{"AllowOverlay:TInspectorBooleanItem", "DefaultItem:TInspectorIntegerItem",
                          "HasBackground:TInspectorBooleanItem", "VideoWindow:TInspectorClassItem",
                          "WindowBackdrop:TInspectorClassItem"}));
    QCOMPARE(Lines(*f.Tools, "VideoWindow", "VideoWindow."),
             (QStringList{"Height:TInspectorIntegerItem", "Width:TInspectorIntegerItem", "X:TInspectorIntegerItem",
                          "Y:TInspectorIntegerItem"}));
    QCOMPARE(Lines(*f.Tools, "WindowBackdrop", "WindowBackdrop."),
             (QStringList{"DynamicFile:TJvInspectorFilenameItem", "DefaultFile:TJvInspectorFilenameItem"}));
    QCOMPARE(Lines(*f.Tools, "Skin info"),
             (QStringList{"Author:TInspectorStringItem", "Copyright:TInspectorStringItem", "Norm:TInspectorStringItem",
                          "PreviewImage:TInspectorStringItem", "SizeX:TInspectorIntegerItem", "SizeY:TInspectorIntegerItem",
                          "Skinname:TInspectorStringItem", "Version:TInspectorStringItem"}));
    QCOMPARE(f.Tools->DisplayValue("Skinname"), QStringLiteral("Unnamed1"));
    // Categories are expanded; the parts' lines wait to be opened.
    QVERIFY(f.Tools->JvInspector1->topLevelItem(0)->isExpanded());
    QVERIFY(f.Tools->JvInspector1->topLevelItem(1)->isExpanded());
}

void TestInspector::controlLines_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("label") << 0 << "Label - title" << LabelLines;
    QTest::newRow("image") << 1 << "Image - title" << ImageLines;
    QTest::newRow("button") << 2 << "Button - title" << ButtonLines;
}

void TestInspector::controlLines()
{
    QFETCH(int, kind);
    QFETCH(QString, category);
    QFETCH(QStringList, lines);
    TInspectorFixture f;
    f.Form->SetSelection(kind == 0   ? static_cast<TItemLayer*>(AddControl<TTextLayer>(*f.Form, "title"))
                         : kind == 1 ? static_cast<TItemLayer*>(AddControl<TImageLayer>(*f.Form, "title"))
                                     : static_cast<TItemLayer*>(AddControl<TOSDSimpleButton>(*f.Form, "title")));
    QCOMPARE(f.Tools->Categories(), QStringList{category});
    QCOMPARE(Lines(*f.Tools, category), lines);
    QCOMPARE(f.Tools->DisplayValue("X"), QStringLiteral("20"));
    QCOMPARE(f.Tools->DisplayValue("Width"), QStringLiteral("100"));
    QCOMPARE(f.Tools->DisplayValue("DisabledColor"), QStringLiteral("FF606060"));
    QCOMPARE(f.Tools->DisplayValue("Visible"), QStringLiteral("True"));
}

void TestInspector::editorsByType()
{
    TInspectorFixture f;
    f.Select<TOSDSimpleButton>("b");
    struct TRow { const char* Path; bool List, Typed, Button; };
    const TRow rows[] = {
        {"Control_ID", false, true, false}, {"Description", false, true, false}, {"Disabled", true, false, false},
        {"DisabledColor", false, false, true}, {"ActionID", true, true, false}, {"Application", false, true, true},
        {"JumpTo", true, true, false}, {"ScriptFunction", true, true, false}, {"LabelControl", false, false, false},
        {"LabelControl.FontName", true, true, false}, {"LabelControl.TextAlign", true, false, false},
        {"ImageFocus.FileName", false, true, true}};
    for (const TRow& row : rows) {
        TInspectorEditor* editor = f.Tools->Editor(row.Path);
        QVERIFY2(editor, row.Path);
        QCOMPARE(editor->ComboBox() != nullptr, row.List);
        const bool typed = editor->LineEdit() && !editor->LineEdit()->isReadOnly();
        QVERIFY2(typed == row.Typed, row.Path);
        QCOMPARE(editor->EditButton() != nullptr, row.Button);
    }
    QCOMPARE(f.Tools->Item("ActionID")->Flags(), iifValueList | iifAllowNonListValues);
    QCOMPARE(f.Tools->Item("DisabledColor")->Flags(), iifEditButton);
    QCOMPARE(f.Tools->Item("LabelControl.FontName")->Flags(), iifValueList);
    QCOMPARE(f.Tools->Editor("LabelControl.TextAlign")->ComboBox()->count(), 3);
    QCOMPARE(f.Tools->Editor("ScriptFunction")->LineEdit()->maxLength(), 254);
}

void TestInspector::buttonParts()
{
    TInspectorFixture f;
    f.Select<TOSDSimpleButton>("b");
    QCOMPARE(Lines(*f.Tools, "LabelControl", "LabelControl."), LabelLines);
    QCOMPARE(Lines(*f.Tools, "ImageFocus", "ImageFocus."), ImageLines);
    QCOMPARE(Lines(*f.Tools, "ImageNoFocus", "ImageNoFocus."), ImageLines);
    QCOMPARE(f.Tools->DisplayValue("LabelControl"), QStringLiteral("(Label)"));
    QCOMPARE(f.Tools->DisplayValue("ImageFocus"), QStringLiteral("(Image)"));
}

void TestInspector::editReachesControlPageAndList()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("title");
    QSignalSpy changed(&f.Form->Document(), &TPageDocument::ControlChanged);
    f.Type("X", "45");
    QCOMPARE(label->GetX(), 45);
    QVERIFY(f.Form->Modified());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(f.Form->RubberBand()->Location(), (TFloatRect{45, 30, 145, 60}));
    f.Type("Control_ID", "7");
    f.Type("Description", QStringLiteral("caf\u00e9 \u20ac"));
    QCOMPARE(label->Control_ID, 7);
    QCOMPARE(label->Description, std::string("caf\xe9 \x80"));
    // Every place that shows the identifier or the description shows the new text.
    QCOMPARE(ElementList(*f.Form)->LineText(0), QStringLiteral("0007  Label - caf\u00e9 \u20ac"));
    QCOMPARE(f.Form->StatusPanel(3)->text(), QStringLiteral("Label - caf\u00e9 \u20ac"));
    QCOMPARE(f.Tools->Categories(), QStringList{QStringLiteral("Label - caf\u00e9 \u20ac")});
    f.Choose("Disabled", "True");
    QVERIFY(label->Disabled);
    f.Choose("TextAlign", "StringAlignmentCenter");
    QCOMPARE(int(label->TextAlign), int(StringAlignmentCenter));
    // The same text again stores nothing.
    changed.clear();
    f.Type("X", "45");
    QCOMPARE(changed.count(), 0);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestInspector::editOfPlainFieldRepaints()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("title");
    TImageCanvas& canvas = f.Form->ImgView()->Canvas();
    canvas.Render();
    QVERIFY(canvas.DirtyRect().isEmpty());
    // Outline is a plain field: only the inspector's notification repaints.
    f.Choose("Outline", "True");
    QVERIFY(label->Outline);
    QVERIFY(canvas.DirtyRect().intersects(QRect(20, 30, 100, 30)));
}

void TestInspector::editOfPart()
{
    TInspectorFixture f;
    auto* button = f.Select<TOSDSimpleButton>("b");
    TImageCanvas& canvas = f.Form->ImgView()->Canvas();
    canvas.Render();
    f.Type("LabelControl.LabelText", "Play");
    QCOMPARE(button->GetLabelText(), std::string("Play"));
    QCOMPARE(f.Tools->DisplayValue("LabelText"), QStringLiteral("Play"));
    QVERIFY(f.Form->Modified());
    QVERIFY(!canvas.DirtyRect().isEmpty());
}

void TestInspector::refusedInput_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no number") << "X" << "abc" << "'abc' is not a valid integer value";
    QTest::newRow("trailing letters") << "Width" << "12x" << "'12x' is not a valid integer value";
    QTest::newRow("beyond 32 bits") << "Control_ID" << "4294967296" << "'4294967296' is not a valid integer value";
    QTest::newRow("size a file cannot hold") << "Width" << "2001" << "Value must be between -2000 and 2000";
    QTest::newRow("alpha range") << "Alpha" << "256" << "Value must be between 0 and 255";
    QTest::newRow("no Windows-1252 byte") << "Description" << QStringLiteral("a\u03a9b")
                                          << QStringLiteral("The character \"\u03a9\" cannot be used in a skin.");
    QTest::newRow("beyond the basic plane") << "FileName" << QStringLiteral("x\U0001F600.png")
                                            << QStringLiteral("The character \"\U0001F600\" cannot be used in a skin.");
}

void TestInspector::refusedInput()
{
    QFETCH(QString, path);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TInspectorFixture f;
    auto* image = f.Select<TImageLayer>("old");
    const QString before = f.Tools->DisplayValue(path);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Type(path, text);
    QCOMPARE(f.MessageCount(), 1);
    QCOMPARE(f.LastCall().Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(f.LastCall().Text, message);
    QCOMPARE(f.LastCall().Icon, QMessageBox::Critical);
    QCOMPARE(f.Tools->DisplayValue(path), before);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(image->Location(), (TFloatRect{20, 30, 120, 60}));
    QCOMPARE(image->Alpha, 255);
    QCOMPARE(image->Description, std::string("old"));
    QVERIFY(image->FileName.empty());
}

void TestInspector::namesAndNumbers_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("stored");
    const QStringList actions = {"Back=3", "Five=05", "Play=5", "Zoom=5", "Huge=4294967296", "99999999999=4"};
    QTest::newRow("last line wins") << actions << "5" << "Zoom" << "Play" << 5;
    QTest::newRow("written 05 does not match") << QStringList{"Five=05"} << "5" << "5" << "Five" << 5;
    QTest::newRow("no name") << actions << "7" << "7" << "7" << 7;
    QTest::newRow("names without regard to case") << actions << "3" << "Back" << "bACK" << 3;
    QTest::newRow("minus one") << actions << "-1" << "-1" << "-1" << -1;
    QTest::newRow("unknown word") << actions << "0" << "0" << "Nowhere" << -1;
    QTest::newRow("value that is no 32-bit number") << actions << "0" << "0" << "Huge" << -1;
    QTest::newRow("beyond 32 bits is a name") << actions << "0" << "0" << "99999999999" << 4;
    QTest::newRow("beyond 32 bits, unlisted") << QStringList{} << "0" << "0" << "4294967296" << -1;
    QTest::newRow("blanks and sign") << actions << "0" << "0" << "  +12" << 12;
    QTest::newRow("hexadecimal is a name") << actions << "0" << "0" << "$10" << -1;
}

void TestInspector::namesAndNumbers()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, value);
    QFETCH(QString, shown);
    QFETCH(QString, typed);
    QFETCH(int, stored);
    QCOMPARE(NameOfValue(lines, value), shown);
    QCOMPARE(ValueOfText(lines, typed), stored);
}

void TestInspector::actionAndWindowItems()
{
    TInspectorFixture f;
    PlayerLists().ActionsList = QStringList{"Back=3", "Play=5", "Zoom=5"};
    PlayerLists().WindowsList = QStringList{"Home=1", "Music=2"};
    auto* button = AddControl<TOSDSimpleButton>(*f.Form, "b");
    button->ActionID = 5;
    button->JumpTo = 2;
    f.Form->SetSelection(button);
    QCOMPARE(f.Tools->DisplayValue("ActionID"), QStringLiteral("Zoom"));
    QCOMPARE(f.Tools->DisplayValue("JumpTo"), QStringLiteral("Music"));
    QComboBox* actions = f.Listed("ActionID");
    QCOMPARE(actions->count(), 3);
    QCOMPARE(actions->itemText(0), QStringLiteral("Back"));
    f.Choose("ActionID", "Back");
    QCOMPARE(button->ActionID, 3);
    f.Type("ActionID", "Nowhere");
    QCOMPARE(button->ActionID, -1);
    QCOMPARE(f.Tools->DisplayValue("ActionID"), QStringLiteral("-1"));
    f.Type("ActionID", "12");
    QCOMPARE(button->ActionID, 12);
    // Beyond 32 bits is a name, and an unknown one: none.
    f.Type("ActionID", "4294967295");
    QCOMPARE(button->ActionID, -1);
    button->ActionID = 4294967295ll;
    f.Tools->RefreshValues(true);
    QCOMPARE(f.Tools->DisplayValue("ActionID"), QStringLiteral("4294967295"));
    f.Choose("JumpTo", "Home");
    QCOMPARE(button->JumpTo, 1);
    f.Type("JumpTo", "-1");
    QCOMPARE(button->JumpTo, -1);
    QVERIFY(f.Form->Modified());
    QVERIFY(f.Dialogs.Calls().empty());
}

void TestInspector::functionItem()
{
    TInspectorFixture f;
    PlayerLists().FunctionsList = QStringList{"Alpha", "Beta"};
    auto* button = AddControl<TOSDSimpleButton>(*f.Form, "b");
    button->ScriptFunction = "Beta";
    f.Form->SetSelection(button);
    QComboBox* list = f.Listed("ScriptFunction");
    QCOMPARE(list->count(), 3);
    QCOMPARE(list->itemText(0), QString());
    QCOMPARE(list->itemText(1), QStringLiteral("Alpha"));
    f.Choose("ScriptFunction", QString());
    QCOMPARE(button->ScriptFunction, std::string());
    f.Type("ScriptFunction", "OwnFunction");
    QCOMPARE(button->ScriptFunction, std::string("OwnFunction"));
}

void TestInspector::fontItem()
{
    TInspectorFixture f;
    const QString folder = f.MakeProject("Fonts");
    WriteBytes(folder + "font.xml", XmlText({"<fonts>", "  <font>", "    <name>font12</name>", "    <filename>Arial</filename>",
                                              "    <height>12</height>", "  </font>", "</fonts>"}));
    f.OpenProject(folder);
    auto* label = f.Select<TTextLayer>("t");
    QComboBox* fonts = f.Listed("FontName");
    QCOMPARE(fonts->count(), 2);
    QCOMPARE(fonts->itemText(0), QStringLiteral("debugfont"));
    QCOMPARE(fonts->itemText(1), QStringLiteral("font12"));
    f.Choose("FontName", "font12");
    QCOMPARE(label->FontName, std::string("font12"));
    // A name typed, the list opened and closed again, then the field left: the typed name is stored.
    f.Activate();
    f.Fill(fonts->lineEdit(), QStringLiteral("own"));
    f.Listed("FontName");
    QCOMPARE(fonts->currentText(), QStringLiteral("own"));
    f.Tools->Editor("LabelText")->LineEdit()->setFocus();
    QCOMPARE(label->FontName, std::string("own"));
}

void TestInspector::colourItem()
{
    TInspectorFixture f;
    TFakeColorSelector selector;
    SetColorSelector(&selector);
    auto* image = AddControl<TImageLayer>(*f.Form, "i");
    image->Color = 0x80112233u;
    f.Form->SetSelection(image);
    QCOMPARE(f.Tools->DisplayValue("Color"), QStringLiteral("80112233"));
    // Typed text changes nothing: the field cannot be typed into, and text given to the item is ignored.
    QVERIFY(f.Tools->Editor("Color")->LineEdit()->isReadOnly());
    f.Tools->Item("Color")->SetDisplayValue(QStringLiteral("FFFFFFFF"));
    QCOMPARE(image->Color, 0x80112233u);
    selector.Ok = false;
    selector.Answer = 0xFF00FF00u;
    f.ClickEdit("Color");
    QCOMPARE(selector.Loaded, 0x80112233u);
    QCOMPARE(image->Color, 0x80112233u);
    QVERIFY(!f.Form->Modified());
    selector.Ok = true;
    f.ClickEdit("Color");
    QCOMPARE(image->Color, 0xFF00FF00u);
    QCOMPARE(f.Tools->DisplayValue("Color"), QStringLiteral("FF00FF00"));
    QVERIFY(f.Form->Modified());
    // The colour it has already: nothing changes, nothing is announced.
    f.Form->SetModified(false);
    QSignalSpy changed(&f.Form->Document(), &TPageDocument::ControlChanged);
    f.ClickEdit("Color");
    QCOMPARE(selector.Calls, 3);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(changed.count(), 0);
    SetColorSelector(nullptr);
}

void TestInspector::colourStandIn()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    f.Dialogs.AnswerModal(QDialog::Accepted, [](QDialog& dialog) {
        auto* standIn = dynamic_cast<TColorHexDialog*>(&dialog);
        QVERIFY(standIn);
        QCOMPARE(standIn->edColor->text(), QStringLiteral("FFFFFFFF"));
        standIn->edColor->setText(QStringLiteral("80ff0000"));
    });
    f.ClickEdit("Textcolor");
    QCOMPARE(label->Textcolor, 0x80FF0000u);
    f.Dialogs.AnswerModal(QDialog::Rejected);
    f.ClickEdit("Textcolor");
    QCOMPARE(label->Textcolor, 0x80FF0000u);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestInspector::fileItem()
{
    TInspectorFixture f;
    // A folder name the skin's 8-bit text cannot hold.
    const QString folder = f.MakeProject(QStringLiteral("\u0141\u00f3d\u017a"));
    QVERIFY(QDir().rename(folder + "images", folder + "Images"));
    f.OpenProject(folder);
    auto* button = f.Select<TOSDSimpleButton>("b");
    const std::size_t before = f.Dialogs.Calls().size();
    f.ChooseFile("ImageFocus.FileName", QString());
    QCOMPARE(f.Dialogs.Calls().size(), before + 1);
    QCOMPARE(f.LastCall().Kind, TDialogKind::OpenFile);
    QCOMPARE(f.LastCall().Caption, QStringLiteral("Open picture"));
    QCOMPARE(f.LastCall().File.InitialFolder, folder + "Images");
    QVERIFY(!f.Form->Modified());
    // The image part keeps the file name only; a program file keeps its path.
    f.ChooseFile("ImageFocus.FileName", folder + "Images/focus.png");
    QCOMPARE(button->ImageFocus->FileName, std::string("focus.png"));
    QVERIFY(f.Form->Modified());
    // The same picture chosen again is read again; a file unchanged on disk changes nothing.
    const QString focus = WriteTestFile(folder + "Images", "focus.png", SolidPng(10, 10, Qt::red));
    const auto chooseFocus = [&] {
        f.Form->Document().SetModified(false);
        f.ChooseFile("ImageFocus.FileName", focus);
        return button->ImageFocus->Bitmap ? button->ImageFocus->Bitmap->width() : 0;
    };
    QCOMPARE(chooseFocus(), 10);
    QCOMPARE(chooseFocus(), 10);
    QVERIFY(!f.Form->Modified());
    WriteTestFile(folder + "Images", "focus.png", SolidPng(30, 10, Qt::red));
    QCOMPARE(chooseFocus(), 30);
    QVERIFY(f.Form->Modified());
    // The same name typed again and confirmed reads the picture again too.
    WriteTestFile(folder + "Images", "focus.png", SolidPng(20, 10, Qt::red));
    f.TypeIntoInspector("ImageFocus.FileName", "focus.png");
    QCOMPARE(button->ImageFocus->Bitmap ? button->ImageFocus->Bitmap->width() : 0, 20);
    f.ChooseFile("Application", QStringLiteral("/opt/player/run.sh"));
    QCOMPARE(button->Application, std::string("/opt/player/run.sh"));
    f.ClickEdit("Application");  // proposes the current value; cancelled (no answer queued)
    QCOMPARE(f.LastCall().File.FileName, QStringLiteral("/opt/player/run.sh"));
    QCOMPARE(button->Application, std::string("/opt/player/run.sh"));
    // A path the skin cannot hold is refused; a picture's folder is dropped first, its name is not.
    const QString refused = QStringLiteral("The character \"\u0141\" cannot be used in a skin.");
    f.Dialogs.AnswerOpenFile(folder + "Images/focus.png");
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.ClickEdit("Application");
    QCOMPARE(f.LastCall().Text, refused);
    QCOMPARE(button->Application, std::string("/opt/player/run.sh"));
    f.Dialogs.AnswerOpenFile(folder + QStringLiteral("Images/\u0141.png"));
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.ClickEdit("ImageFocus.FileName");
    QCOMPARE(f.LastCall().Text, refused);
    QCOMPARE(button->ImageFocus->FileName, std::string("focus.png"));
    // The backdrop keeps its own rule: the same name again is not read again.
    f.Form->SetSelection(nullptr);
    for (const int size : {10, 30})
        f.ChooseFile("WindowBackdrop.DefaultFile", WriteTestFile(folder + "Images", "back.png", SolidPng(size, 10, Qt::blue)));
    QCOMPARE(f.Form->Document().Backdrop().width(), 10);
}

void TestInspector::pageSettingsAndSkinInfo()
{
    TInspectorFixture f;
    f.Type("DefaultItem", "4");
    QCOMPARE(f.Form->WindowInfos().DefaultItem, 4);
    QVERIFY(f.Form->Modified());
    f.Choose("AllowOverlay", "True");
    QVERIFY(f.Form->WindowInfos().AllowOverlay);
    // No video window on the page: its values are not edited.
    QVERIFY(!f.Tools->Item("VideoWindow.Width")->TextEditable());
    f.Type("WindowBackdrop.DefaultFile", "C:\\pics\\back.png");
    QCOMPARE(f.Form->WindowInfos().WindowBackdrop().DefaultFile(), std::string("back.png"));
    QCOMPARE(f.Tools->DisplayValue("WindowBackdrop.DefaultFile"), QStringLiteral("back.png"));
    // The backdrop's files get the picture dialog too; DefaultFile keeps the name only.
    f.ChooseFile("WindowBackdrop.DefaultFile", QStringLiteral("/\u0141\u00f3d\u017a/night.png"));
    QCOMPARE(f.LastCall().Caption, QStringLiteral("Open picture"));
    QCOMPARE(f.Form->WindowInfos().WindowBackdrop().DefaultFile(), std::string("night.png"));
    f.ChooseFile("WindowBackdrop.DynamicFile", QStringLiteral("/pics/live.png"));
    QCOMPARE(f.Form->WindowInfos().WindowBackdrop().DynamicFile, std::string("/pics/live.png"));
    f.Type("Skinname", "Blue");
    QCOMPARE(f.Form->SkinInfo().Skinname, std::string("Blue"));
    f.Type("SizeX", "1280");
    QCOMPARE(f.Form->SkinInfo().SizeX, 1280);
    QCOMPARE(f.Dialogs.Calls().size(), std::size_t(2));
    // The canvas takes 1 to 4096 pixels a side.
    const int32_t height = f.Form->SkinInfo().SizeY;
    for (const char* typed : {"4097", "0"}) {
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
        f.Type("SizeY", typed);
        QCOMPARE(f.LastCall().Text, QStringLiteral("Value must be between 1 and 4096"));
    }
    QCOMPARE(f.Form->SkinInfo().SizeY, height);
    f.Type("SizeY", "4096");
    QCOMPARE(f.Form->SkinInfo().SizeY, 4096);
}

// A page whose settings differ from the defaults, with a video window.
QByteArray SettingsPage(const char* hasbg, int width)
{
    const QByteArray video = QStringLiteral("<videowindow x=\"10\" y=\"20\" width=\"%1\" height=\"80\"/>").arg(width).toLatin1();
    return XmlText({QByteArray("<screen hasbg=\"") + hasbg + "\">", "<items/>", video.constData(), "</screen>"});
}

void TestInspector::pageSettingsOnEveryRoad_data()
{
    QTest::addColumn<QString>("road");
    QTest::addColumn<QString>("hasbg");
    QTest::addColumn<QString>("video");  // X, Y, Width, Height as shown
    for (const char* road : {"new page", "open page", "pages menu", "recent project", "new project", "open project"})
        QTest::newRow(road) << road << "False" << "0,0,0,0";
    QTest::newRow("source view") << "source view" << "False" << "10,20,120,80";
    QTest::newRow("frame move, window settings") << "frame move" << "True" << "40,30,300,80";
    QTest::newRow("arrow key, F4") << "arrow key" << "True" << "11,20,300,80";
    QTest::newRow("own width, window settings") << "own width" << "True" << "10,20,250,80";
    QTest::newRow("del key") << "delete" << "True" << "0,0,0,0";
    QTest::newRow("aspect") << "aspect" << "True" << "20,40,600,160";
}

// Every road that replaces or changes the page settings shows the values the page now holds, the
// video window's as it lies on the canvas; without one its values are not offered for editing.
void TestInspector::pageSettingsOnEveryRoad()
{
    QFETCH(QString, road);
    QFETCH(QString, hasbg);
    QFETCH(QString, video);
    TInspectorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Blue"), {{"page.xml", SettingsPage("true", 300)}});
    f.OpenProject(folder);
    f.OpenPage(folder + "page.xml");
    const auto shown = [&f] {
        QStringList values;
        for (const char* name : {"X", "Y", "Width", "Height"})
            values << f.Tools->DisplayValue(QStringLiteral("VideoWindow.") + name);
        return values.join(QLatin1Char(','));
    };
    QCOMPARE(shown(), QStringLiteral("10,20,300,80"));
    QWidget* canvas = f.Form->ImgView();
    const auto select = [&] { Click(canvas, QPoint(50, 50)); QVERIFY(f.Form->Selected()); };
    const auto windowSettings = [&f] { f.Form->findChild<QToolButton*>("btEditWindow")->click(); };
    const auto keys = [&](std::initializer_list<Qt::Key> list) {
        select();
        Enter(canvas);
        for (const Qt::Key key : list)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : f.Form.get(), key);
    };
    f.NewSkin.Answer = TNewSkinRequest{QStringLiteral("Green"), f.Dir.path()};
    if (road == "new page")
        f.Form->mnNew1Click();
    else if (road == "open page")
        f.OpenPage(folder + "myhome.xml");
    else if (road == "pages menu" || road == "recent project")
        f.Form->Menu(road == "pages menu" ? "mnPages" : "mnLastprojects")->actions().front()->trigger();
    else if (road == "new project")
        f.Form->mnNewProjectClick();
    else if (road == "open project")
        f.OpenProject(folder);
    else if (road == "source view") {
        f.Form->findChild<QToolButton*>("btEditSource")->click();
        SourceView(*f.Form)->Memo1()->setText(QString::fromLatin1(SettingsPage("false", 120)));
        f.Form->findChild<QToolButton*>("btEditSource")->click();
    } else if (road == "frame move") {
        select();
        Drag(canvas, QPoint(50, 50), QPoint(80, 60));
        windowSettings();
    } else if (road == "arrow key" || road == "delete") {
        keys(road == "delete" ? std::initializer_list<Qt::Key>{Qt::Key_Delete} : std::initializer_list<Qt::Key>{Qt::Key_Right, Qt::Key_F4});
    } else if (road == "own width") {
        select();
        f.Type("Width", "250");
        windowSettings();
    } else if (road == "aspect") {
        // Typed and not confirmed, a value beside the video window's stays as typed.
        f.TypeIntoInspector("DefaultItem", "7", false);
        TfrmAspectRatio& aspect = *AspectWindow(*f.Form);
        aspect.edWidth->setValue(800);
        aspect.edHeight->setValue(600);
        aspect.edMinimum->setValue(1);
        aspect.Button1->click();
    }
    QCoreApplication::processEvents();
    QVERIFY(!f.Form->Selected());
    QCOMPARE(f.Tools->Categories(), (QStringList{"Window info", "Skin info"}));
    QCOMPARE(f.Tools->DisplayValue("HasBackground"), hasbg);
    QCOMPARE(shown(), video);
    TItemLayer* window = FindVideoLayer(f.Form->Layers());
    if (window)
        QCOMPARE(shown(), QStringLiteral("%1,%2,%3,%4").arg(window->GetX()).arg(window->GetY()).arg(window->GetWidth()).arg(window->GetHeight()));
    QCOMPARE(f.Tools->Item("VideoWindow.Width")->TextEditable(), window != nullptr);
    if (road == "aspect")
        QCOMPARE(f.Tools->Editor("DefaultItem")->LineEdit()->text(), QStringLiteral("7"));
}

void TestInspector::videoWindowValuesAreTheWindow_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("width");  // the window's after it
    QTest::newRow("300") << "300" << 300;
    QTest::newRow("0 refused") << "0" << 64;
    QTest::newRow("-5 refused") << "-5" << 64;
}

// The page settings' video-window width typed as the user types it: the window on the canvas takes
// it, Save Page writes it and the page reads back with it; what the window cannot take is refused
// with its own lines' message.
void TestInspector::videoWindowValuesAreTheWindow()
{
    QFETCH(QString, typed);
    QFETCH(int, width);
    TInspectorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Blue"), {{"page.xml", SettingsPage("false", 64)}});
    f.OpenProject(folder);
    f.OpenPage(folder + "page.xml");
    const bool refused = width == 64;
    if (refused)
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.ClickValue("VideoWindow.Width");
    f.Key(Qt::Key_A, Qt::ControlModifier);
    f.Keys(typed);
    f.Key(Qt::Key_Return);
    QCOMPARE(f.MessageCount(), int(refused));
    if (refused)
        QCOMPARE(f.LastCall().Text, QStringLiteral("Value must be between 1 and 2000"));
    QCOMPARE(f.Form->Modified(), !refused);
    QCOMPARE(f.Tools->DisplayValue("VideoWindow.Width"), QString::number(width));
    f.Form->Document().SetModified(true);
    QVERIFY(f.Form->mnSave2Click());
    QVERIFY(ReadBytes(folder + "page.xml").contains(QStringLiteral("<videowindow x=\"10\" y=\"20\" width=\"%1\" height=\"80\"/>").arg(width).toLatin1()));
    f.OpenPage(folder + "page.xml");
    QCOMPARE(FindVideoLayer(f.Form->Layers())->GetWidth(), width);
}

void TestInspector::followsSelectionAndDeletion()
{
    TInspectorFixture f;
    auto* a = AddControl<TTextLayer>(*f.Form, "a");
    auto* b = AddControl<TImageLayer>(*f.Form, "b");
    f.Form->SetSelection(a);
    QCOMPARE(f.Tools->Categories(), QStringList{"Label - a"});
    f.Form->SetSelection(b);
    QCOMPARE(f.Tools->Categories(), QStringList{"Image - b"});
    // Values changed on the canvas show without a new selection.
    f.Form->RubberBand()->SetLocation(TFloatRect{50, 30, 150, 60});
    f.Tools->RefreshValues();
    QCOMPARE(f.Tools->DisplayValue("X"), QStringLiteral("50"));
    // Moved by the keys: shown once the event loop is free, without a timer.
    f.Form->Document().MoveSelectedBy(5, 0);
    QCoreApplication::processEvents();
    QCOMPARE(f.Tools->DisplayValue("X"), QStringLiteral("55"));
    f.Form->DeleteSelected();
    QCOMPARE(f.Tools->Categories(), (QStringList{"Window info", "Skin info"}));
    // A control that leaves the page without a selection change is no longer read.
    f.Tools->InspectObject(QString(), true, a);
    QCOMPARE(f.Tools->DisplayValue("Description"), QStringLiteral("a"));
    f.Form->Layers().Remove(a);
    // Empty as soon as the page announces it, not at the next refresh.
    QVERIFY(f.Tools->Names(QString()).isEmpty());
    f.Tools->RefreshValues();
    QVERIFY(f.Tools->Names(QString()).isEmpty());
    QVERIFY(!f.Tools->Item("Description"));
    // Another skin: its description is shown, never the one that went.
    const QString other = f.MakeProject(QStringLiteral("Other"));
    f.Dialogs.AnswerFolder(other);
    f.Dialogs.AnswerMessage(QMessageBox::No);  // the moved control is not saved
    f.Form->mnOpenProjectClick();
    QCOMPARE(f.Tools->Categories(), (QStringList{"Window info", "Skin info"}));
    QCOMPARE(f.Tools->DisplayValue("Skinname"), QStringLiteral("Blue"));
    f.Type("Skinname", QStringLiteral("Green"));
    QCOMPARE(f.Form->SkinInfo().Skinname, std::string("Green"));
}

void TestInspector::sameKindKeepsLines_data()
{
    QTest::addColumn<QString>("road");
    QTest::newRow("selection") << "selection";
    QTest::newRow("clone") << "clone";
    QTest::newRow("paste") << "paste";
}

// Another control of the same kind (selected, cloned or pasted): the opened parts, the current line
// and the scroll position stay where they were, and every line shows and edits the new control.
void TestInspector::sameKindKeepsLines()
{
    QFETCH(QString, road);
    TInspectorFixture f;
    auto* a = AddControl<TOSDSimpleButton>(*f.Form, "a");
    auto* b = AddControl<TOSDSimpleButton>(*f.Form, "b");
    b->SetLocation(TFloatRect{200, 200, 260, 230});
    b->LabelControl->LabelText = "Play";
    f.Form->SetSelection(a);
    QTreeWidget* tree = f.Tools->JvInspector1;
    QTreeWidgetItem* part = f.Tools->Node("LabelControl");
    part->setExpanded(true);
    QCOMPARE(part->childCount(), LabelLines.size());
    QCOMPARE(f.Tools->DisplayValue("LabelControl.LabelText"), QString());
    tree->setCurrentItem(part->child(0));
    const QString current = tree->currentItem()->text(0);
    tree->setFixedHeight(tree->height() - tree->viewport()->height() + tree->visualItemRect(part).height() * 8);
    QCoreApplication::processEvents();
    // A part opened and closed again stays closed; a narrow inspector keeps its sideways scroll.
    f.Tools->Node("ImageFocus")->setExpanded(true);
    f.Tools->Node("ImageFocus")->setExpanded(false);
    tree->setFixedWidth(tree->columnWidth(0) / 2);
    QCoreApplication::processEvents();
    const auto halfway = [](QScrollBar* bar) { bar->setValue(bar->maximum() / 2); return bar->value(); };
    const int sideways = halfway(tree->horizontalScrollBar());
    const int scrolled = halfway(tree->verticalScrollBar());
    QVERIFY(sideways > 0 && scrolled > 0);
    if (road == "selection") {
        f.Form->SetSelection(b);
    } else if (road == "clone") {
        f.Form->mnClone1Click();
    } else {
        f.Form->mnCopy1Click();
        f.Form->mnPaste1Click();
    }
    b = static_cast<TOSDSimpleButton*>(f.Form->Selected());
    QVERIFY(b != a);
    QCOMPARE(f.Tools->Categories(), QStringList{road == "selection" ? "Button - b" : "Button - a"});
    QVERIFY(f.Tools->Node("LabelControl")->isExpanded());
    QVERIFY(tree->currentItem() && tree->currentItem()->text(0) == current);
    QCOMPARE(tree->verticalScrollBar()->value(), scrolled);
    QCOMPARE(tree->horizontalScrollBar()->value(), sideways);
    QVERIFY(!f.Tools->Node("ImageFocus")->isExpanded());
    QCOMPARE(f.Tools->DisplayValue("X"), road == "selection" ? QStringLiteral("200") : QStringLiteral("20"));
    QCOMPARE(f.Tools->DisplayValue("LabelControl.LabelText"), road == "selection" ? QStringLiteral("Play") : QString());
    // The part's place is the one it is painted at, before and after its owner moves.
    const auto partAtPaint = [&] {
        f.Form->ImgView()->Canvas().Render();
        QCOMPARE(f.Tools->DisplayValue("LabelControl.X"), QString::number(b->LabelControl->GetX()));
    };
    partAtPaint();
    f.Type("LabelControl.LabelText", "Stop");
    f.Type("X", "5");
    partAtPaint();
    QCOMPARE(b->LabelControl->LabelText, std::string("Stop"));
    QCOMPARE(b->GetX(), 5);
    QCOMPARE(a->LabelControl->LabelText, std::string());
    QCOMPARE(a->GetX(), 20);
    QCOMPARE(f.Form->RubberBand()->Location().Left, 5.0f);
}

void TestInspector::positionAfterFrameResize()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    // Resized with the frame, then moved in the inspector before the values were shown again.
    f.Form->RubberBand()->SetLocation(TFloatRect{20, 30, 220, 90});
    f.Type("X", "50");
    QCOMPARE(label->Location(), (TFloatRect{50, 30, 250, 90}));
    f.Form->RubberBand()->SetLocation(TFloatRect{50, 30, 250, 130});
    f.Type("Y", "10");
    QCOMPARE(label->Location(), (TFloatRect{50, 10, 250, 110}));
    // A spin control's Width is one button; moving it keeps both.
    auto* spin = f.Select<TOSDUpDownControl>("s");
    QCOMPARE(f.Tools->DisplayValue("Width"), QStringLiteral("50"));
    f.Type("X", "0");
    f.Type("Y", "5");
    QCOMPARE(spin->Location(), (TFloatRect{0, 5, 100, 35}));
    QCOMPARE(f.Form->RubberBand()->Location(), spin->Location());
    f.Type("Width", "16");
    QCOMPARE(spin->Location(), (TFloatRect{0, 5, 32, 35}));
    QCOMPARE(f.Form->RubberBand()->Location(), spin->Location());
}

void TestInspector::freedWhileShown()
{
    TInspectorFixture f;
    // New Page while a control is shown: the page settings come back.
    f.Select<TOSDSimpleButton>("b");
    f.Form->mnNew1Click();
    QCOMPARE(f.Tools->Categories(), (QStringList{"Window info", "Skin info"}));
    // A control that is on no page, freed while shown, is never read again.
    auto* loose = new TOSDSimpleButton(nullptr);
    f.Tools->InspectObject(QStringLiteral("loose"), true, loose);
    QCOMPARE(f.Tools->DisplayValue("ImageFocus.Width"), QStringLiteral("0"));
    delete loose;
    f.Tools->RefreshValues(true);
    QVERIFY(f.Tools->Categories().isEmpty());
    QVERIFY(!f.Tools->Item("ImageFocus.Width"));
    // The same once a new control may sit where the freed one was.
    auto* a = AddControl<TTextLayer>(*f.Form, "a");
    f.Tools->InspectObject(QString(), true, a);
    f.Form->Layers().Remove(a);
    auto* b = AddControl<TTextLayer>(*f.Form, "b");
    f.Tools->RefreshValues(true);
    QVERIFY(!f.Tools->Item("Description"));
    f.Form->SetSelection(b);
    QCOMPARE(f.Tools->DisplayValue("Description"), QStringLiteral("b"));
}

void TestInspector::keysStayInInspector()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    f.Activate();
    f.Form->SetMouseInView(true);
    const TFloatRect start = label->Location();
    // Each editor while its line is the current one: the keys do what they do in the editor (Del
    // deletes a character of the description) and nothing on the canvas.
    const std::vector<std::function<QWidget*()>> targets = {
        [&f] { return f.Tools->Editor("Description")->LineEdit(); },
        [&f] { return f.Tools->Editor("TextAlign")->ComboBox(); },
        [&f] { return f.Tools->Editor("Textcolor")->EditButton(); }, [&f] { return f.Tools->JvInspector1; }};
    for (const auto& next : targets) {
        QWidget* target = next();
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);
        for (Qt::Key key : {Qt::Key_Left, Qt::Key_Down, Qt::Key_Delete}) {
            QTest::keyClick(target, key);
            QCOMPARE(f.Form->Selected(), label);
            QCOMPARE(label->Location(), start);
        }
    }
    // The same key with the focus outside the inspector moves the control.
    f.Form->setFocus();
    QWidget* outside = QApplication::focusWidget();
    QVERIFY(outside && !f.Tools->isAncestorOf(outside));
    QTest::keyClick(outside, Qt::Key_Left);
    QCOMPARE(label->Location().Left, start.Left - 1);
}

void TestInspector::focusedFieldFollowsChanges()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    // The X field has the focus but nothing typed; the control moves elsewhere (the Move dialog).
    f.ClickValue("X");
    QLineEdit* x = f.Tools->Editor("X")->LineEdit();
    QVERIFY(x->hasFocus());
    label->SetLocation(TFloatRect{70, 30, 170, 60});
    f.Tools->RefreshValues();
    QCOMPARE(x->text(), QStringLiteral("70"));
    // Leaving the field stores nothing.
    f.ClickValue("Y");
    QCOMPARE(label->GetX(), 70);
    QVERIFY(!f.Form->Modified());
    // Typed text not yet stored is kept while the values are shown again, and stored on leaving.
    f.Key(Qt::Key_A, Qt::ControlModifier);
    f.Keys("12");
    f.Tools->RefreshValues();
    QCOMPARE(f.Tools->DisplayValue("Y"), QStringLiteral("12"));
    f.ClickValue("X");
    QCOMPARE(label->GetY(), 12);
    QVERIFY(f.Form->Modified());
}

// Text typed into a floating inspector, then a click on another control that leaves the focus there
// (no window manager activates the main window): the text reaches the control it was typed for.
void TestInspector::typedTextWhenSelectionMoves()
{
    TInspectorFixture f;
    auto* button = AddControl<TOSDSelectOneButton>(*f.Form, "b");
    auto* label = AddControl<TTextLayer>(*f.Form, "t");
    label->SetLocation(TFloatRect{200, 200, 300, 230});
    f.Form->SetSelection(button);
    QDockWidget* dock = f.Form->ToolWindow("frmTools");
    dock->setFloating(true);
    dock->show();
    dock->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dock));
    QLineEdit* field = f.Tools->Editor("ImageRightFocus.Corner")->LineEdit();
    f.Fill(field, QStringLiteral("+5"));
    QVERIFY(field->hasFocus());
    Click(f.Form->ImgView(), QPoint(250, 215));
    QCoreApplication::processEvents();
    QCOMPARE(f.Form->Selected(), label);
    QCOMPARE(button->ImageRightFocus->Corner, 5);
    QVERIFY(f.Form->Modified());
    QCOMPARE(f.Tools->Categories(), QStringList{"Label - t"});
    QCOMPARE(f.Tools->DisplayValue("X"), QStringLiteral("200"));
    QVERIFY(f.Dialogs.Unexpected().empty());
    // An editor that goes while its field has the focus answers nothing as the focus leaves it.
    auto* editor = new TInspectorEditor(*f.Tools->Item("Y"), f.Tools);
    int commits = 0;
    editor->OnCommit = [&commits](const QString&) { ++commits; };
    editor->show();
    f.Fill(editor->LineEdit(), QStringLiteral("9"));
    QVERIFY(editor->LineEdit()->hasFocus());
    delete editor;
    QCOMPARE(commits, 0);
    QCOMPARE(label->GetY(), 200);
}

// A value chosen from the list of a line cut by the grid's lower edge: the grid stays where it was,
// and the line under the pointer is the same line.
void TestInspector::editKeepsScrollPosition()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    f.Activate();
    QTreeWidget* tree = f.Tools->JvInspector1;
    QTreeWidgetItem* shadow = f.Tools->Node("Shadow");
    tree->setFixedHeight(tree->height() - tree->viewport()->height() + tree->visualItemRect(shadow).height() * 15 / 2);
    QCoreApplication::processEvents();
    QScrollBar* bar = tree->verticalScrollBar();
    for (int v = 0; v <= bar->maximum() && tree->visualItemRect(shadow).top() >= tree->viewport()->height(); ++v)
        bar->setValue(v);
    const int scrolled = bar->value();
    QVERIFY(scrolled > 0);
    QVERIFY(tree->visualItemRect(shadow).bottom() >= tree->viewport()->height());
    // The pointer on the visible part of the line: its name, then its value.
    auto pointAt = [tree, shadow](int column) {
        const QRect cell = tree->visualRect(tree->indexFromItem(shadow, column));
        return QPoint(cell.center().x(), (cell.top() + tree->viewport()->height()) / 2);
    };
    auto clickAt = [tree](QPoint at) {
        QWidget* target = tree->viewport()->childAt(at) ? tree->viewport()->childAt(at) : tree->viewport();
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(tree->viewport(), at));
    };
    clickAt(pointAt(0));
    QCOMPARE(bar->value(), scrolled);
    QCOMPARE(tree->itemAt(pointAt(0)), shadow);
    const QPoint pointer = pointAt(1);
    clickAt(pointer);
    QComboBox* list = f.Tools->Editor("Shadow")->ComboBox();
    if (!list->view()->isVisible())
        clickAt(pointer);
    QTRY_VERIFY(list->view()->isVisible());
    QTest::keyClick(list->view(), Qt::Key_Down);
    QTest::keyClick(list->view(), Qt::Key_Return);
    QTRY_VERIFY(label->Shadow);
    QCoreApplication::processEvents();
    QCOMPARE(bar->value(), scrolled);
    QCOMPARE(tree->itemAt(pointer), shadow);
}

void TestInspector::escapePutsValueBack_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("during");
    QTest::addColumn<QString>("confirmed");
    QTest::addColumn<QString>("below");
    QTest::newRow("Description") << "Description" << "xyz" << "" << "xyz" << "Disabled";
    QTest::newRow("X") << "X" << "12" << "" << "12" << "Y";
    QTest::newRow("X, page keys") << "X" << "12" << "page keys" << "12" << "Y";
    QTest::newRow("ActionID") << "ActionID" << "Play" << "" << "Play" << "Application";
    QTest::newRow("ActionID, list opened") << "ActionID" << "Play" << "list opened" << "Play" << "Application";
    QTest::newRow("JumpTo") << "JumpTo" << "Menu" << "" << "Menu" << "ScriptFunction";
    QTest::newRow("ScriptFunction") << "ScriptFunction" << "xyz" << "" << "xyz" << "LabelControl";
    QTest::newRow("Application") << "Application" << "xyz" << "" << "xyz" << "Arguments";
    QTest::newRow("DisabledColor") << "DisabledColor" << "xyz" << "" << "" << "Height";
    QTest::newRow("DisabledColor, page keys") << "DisabledColor" << "xyz" << "page keys" << "" << "Height";
    QTest::newRow("Disabled, key on the closed list") << "Disabled" << "t" << "" << "True" << "DisabledColor";
    QTest::newRow("LabelControl.FontName") << "LabelControl.FontName" << "bar" << "" << "bar" << "LabelText";
    QTest::newRow("LabelControl.FontName, list opened") << "LabelControl.FontName" << "bar" << "list opened" << "bar" << "LabelText";
}

// Click, Ctrl+A, typing (and the list opened, or page keys the field leaves to the grid) in every
// kind of editor: nothing is stored and the line keeps the focus, Save Page
// is offered for a value that differs, and Escape shows the value from before; the wheel then scrolls
// the grid and changes nothing. Typed again, Down confirms and goes to the next line, Up comes back.
void TestInspector::escapePutsValueBack()
{
    QFETCH(QString, path);
    QFETCH(QString, typed);
    QFETCH(QString, during);
    QFETCH(QString, confirmed);
    QFETCH(QString, below);
    TInspectorFixture f;
    PlayerLists().ActionsList = QStringList{"Play=5", "Back=3"};
    PlayerLists().WindowsList = QStringList{"Home=1", "Menu=2"};
    auto* button = AddControl<TOSDSimpleButton>(*f.Form, "b");
    button->ActionID = 3;
    button->JumpTo = 1;
    button->LabelControl->FontName = "debugfont";
    f.Form->SetSelection(button);
    QTreeWidget* tree = f.Tools->JvInspector1;
    tree->setFixedHeight(tree->height() - tree->viewport()->height() + tree->visualItemRect(f.Tools->Node("X")).height() * 8);
    const QString before = f.Tools->DisplayValue(path);
    // A colour ignores typing.
    confirmed = confirmed.isEmpty() ? before : confirmed;
    QComboBox* list = nullptr;
    const auto typeIn = [&] {
        f.ClickValue(path);
        list = f.Tools->Editor(path)->ComboBox();
        // Text is selected in a field; a closed list finds what is typed, as one word within the interval.
        if (!list || list->isEditable())
            f.Key(Qt::Key_A, Qt::ControlModifier);
        else
            QTest::qWait(QApplication::keyboardInputInterval() + 100);
        f.Keys(typed);
    };
    typeIn();
    QCOMPARE(f.Form->Action("mnSave")->isEnabled(), confirmed != before);
    if (during == QLatin1String("page keys")) {
        for (const Qt::Key key : {Qt::Key_PageDown, Qt::Key_PageUp}) {
            f.Key(key);
            QCOMPARE(tree->currentItem(), f.Tools->Node(path));
            QCOMPARE(f.EditorLines(), QStringList{tree->currentItem()->text(0) + "*"});
        }
    }
    if (during == QLatin1String("list opened")) {
        f.Key(Qt::Key_Down, Qt::AltModifier);
        QTRY_VERIFY(list->view()->isVisible());
        QCOMPARE(list->view()->currentIndex().data().toString(), before);
        f.Key(Qt::Key_Escape);
        QTRY_VERIFY(!list->view()->isVisible());
    }
    QVERIFY(!f.Form->Modified());
    f.Key(Qt::Key_Escape);
    QCOMPARE(f.Tools->DisplayValue(path), before);
    QVERIFY(!f.Form->Action("mnSave")->isEnabled());
    const int scrolled = tree->verticalScrollBar()->value();
    f.Wheel(f.Tools->Editor(path), scrolled > 0 ? 1 : -1);
    QVERIFY(tree->verticalScrollBar()->value() != scrolled);
    QCOMPARE(f.Tools->DisplayValue(path), before);
    f.ClickValue("Width");
    QCOMPARE(f.Tools->Item(path)->GetDisplayValue(), before);
    QVERIFY(!f.Form->Modified());
    QVERIFY(f.Dialogs.Calls().empty());

    typeIn();
    f.Key(Qt::Key_Down);
    QCOMPARE(f.Tools->Item(path)->GetDisplayValue(), confirmed);
    QCOMPARE(f.EditorLines(), QStringList{below + "*"});
    f.Key(Qt::Key_Up);
    QCOMPARE(f.EditorLines(), QStringList{tree->currentItem()->text(0) + "*"});
    QCOMPARE(tree->currentItem(), f.Tools->Node(path));
    // Typing replaces the value of the line reached.
    if (const QLineEdit* field = f.Tools->Editor(path)->LineEdit())
        QCOMPARE(field->selectedText(), field->text());
}

// Only the current line shows an editor, and the focus goes with it; typing never moves to another line.
void TestInspector::oneEditorOnTheCurrentLine()
{
    TInspectorFixture f;
    auto* label = f.Select<TTextLayer>("t");
    for (const char* path : {"X", "LabelText"}) {
        f.ClickValue(path);
        f.Keys("4");
        f.Key(Qt::Key_Return);
    }
    QCOMPARE(label->LabelText, std::string("4"));
    f.ClickValue("Description");
    f.ClickValue("X");
    QCOMPARE(f.Tools->JvInspector1->currentItem(), f.Tools->Node("X"));
    QCOMPARE(f.EditorLines(), QStringList{"X*"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(f.Tools->JvInspector1->viewport()->findChildren<TInspectorEditor*>().size(), 1);
    // On a colour line "F0" and Return change nothing and stay there.
    f.ClickValue("Textcolor");
    f.Keys("F0");
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Tools->JvInspector1->currentItem(), f.Tools->Node("Textcolor"));
    QCOMPARE(f.EditorLines(), QStringList{"Textcolor*"});
    QCOMPARE(f.Tools->DisplayValue("Textcolor"), QStringLiteral("FFFFFFFF"));
    // A key on a closed list shows a value; Return stores it and stays on the line.
    f.ClickValue("TextAlign");
    f.Key(Qt::Key_End);
    QCOMPARE(label->TextAlign, StringAlignmentNear);
    f.Key(Qt::Key_Return);
    QCOMPARE(label->TextAlign, StringAlignmentFar);
    QCOMPARE(f.EditorLines(), QStringList{"TextAlign*"});
    f.Select<TTextLayer>("u");
    QCOMPARE(f.EditorLines().size(), 1);
    // Typed and not confirmed, then Ctrl+D: the clone is made of what the line shows; the same for Copy.
    f.ClickValue("Description");
    f.Key(Qt::Key_End);
    f.Keys("2");
    f.Key(Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.Form->Selected()->Description, std::string("u2"));
    f.ClickValue("Description");
    f.Key(Qt::Key_End);
    f.Keys("3");
    f.Form->Action("mnCopy")->trigger();
    f.Form->Action("mnPaste")->trigger();
    QCOMPARE(f.Form->Selected()->Description, std::string("u23"));
    // A click on a name leaves the keys to the grid: a letter finds no line.
    f.ClickValue("X", 0);
    f.Keys("W");
    QCOMPARE(f.Tools->JvInspector1->currentItem(), f.Tools->Node("X"));
    // A value refused as another line is clicked: after the message, typing goes on in that line.
    f.TypeIntoInspector("Width", "xyz", false);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.ClickValue("X", 0);
    QCOMPARE(f.LastCall().Text, QStringLiteral("'xyz' is not a valid integer value"));
    QTRY_COMPARE(f.EditorLines(), QStringList{"X*"});
    f.Keys("7");
    f.Key(Qt::Key_Return);
    QCOMPARE(f.Form->Selected()->GetX(), 7);
}

void TestInspector::typedTextBeforePageIsEmptied_data()
{
    QTest::addColumn<int>("road");
    QTest::addColumn<int>("answer");
    const char* roads[] = {"new page", "open page", "pages menu", "new project", "open project", "closing"};
    for (int road = 0; road < 6; ++road)
        QTest::newRow(roads[road]) << road << int(QMessageBox::Cancel);
    QTest::newRow("new page, saved") << 0 << int(QMessageBox::Yes);
    // The skin description outlives the page: not saved, it stays marked on the new page.
    QTest::newRow("new page, not saved") << 0 << int(QMessageBox::No);
    QTest::newRow("ctrl+s on a changed page") << 6 << int(QMessageBox::Yes);
    QTest::newRow("file menu opened") << 7 << int(QMessageBox::Cancel);
    QTest::newRow("ctrl+s on a saved page") << 8 << int(QMessageBox::Yes);
    QTest::newRow("toolbar's save on a saved page") << 9 << int(QMessageBox::Yes);
}

// Text typed into the inspector and not confirmed, then a command that empties the page or closes the
// window: the question comes, and what was typed is kept and marked, or saved.
void TestInspector::typedTextBeforePageIsEmptied()
{
    QFETCH(int, road);
    QFETCH(int, answer);
    TInspectorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Blue"), {{"second.xml", XmlText({"<screen/>"})}});
    f.OpenProject(folder);
    f.ClickValue("Author");
    f.Keys("Someone");
    if (road == 4)
        f.Dialogs.AnswerFolder(folder);
    if (road < 6)
        f.Dialogs.AnswerMessage(QMessageBox::StandardButton(answer));
    const std::function<void()> commands[] = {
        [&f] { f.Form->mnNew1Click(); }, [&f] { f.Form->mnOpen1Click(); },
        [&f] { f.Form->Menu("mnPages")->actions().front()->trigger(); }, [&f] { f.Form->mnNewProjectClick(); },
        [&f] { f.Form->mnOpenProjectClick(); }, [&f] { f.Form->close(); },
        [&f] { f.Form->Document().SetModified(true); f.Key(Qt::Key_S, Qt::ControlModifier); },
        [&f, bar = f.Form->menuBar()] {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(f.Form->Menu("mnFile")->menuAction()).center());
        },
        [&f] { f.Key(Qt::Key_S, Qt::ControlModifier); },
        [&f] {
            QWidget* button = f.Form->findChild<QToolBar*>("ToolBar1")->widgetForAction(f.Form->Action("mnSave"));
            QTest::mouseClick(button, Qt::LeftButton);
        }};
    // Save Page is offered as soon as the text differs from the stored value.
    QVERIFY(f.Form->Action("mnSave")->isEnabled());
    commands[road]();
    if (road < 6)
        QCOMPARE(f.LastCall().Text, QStringLiteral("Save changes in skin?"));
    // The File menu offers "Save Page as..." for the change it has just stored.
    if (road == 7) {
        QVERIFY(f.Form->Action("mnSaveAs")->isEnabled());
        f.Form->Menu("mnFile")->close();
    }
    QCOMPARE(f.Form->SkinInfo().Author, std::string("Someone"));
    QCOMPARE(f.Form->Modified(), answer != QMessageBox::Yes);
    if (answer == QMessageBox::Yes)
        QVERIFY(ReadBytes(folder + "index.xml").contains("<author>Someone</author>"));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestInspector::namesFitTheirColumn_data()
{
    QTest::addColumn<bool>("label");
    QTest::newRow("page settings") << false;
    QTest::newRow("label") << true;
}

// In the docked width the inspector starts with, no name is cut.
void TestInspector::namesFitTheirColumn()
{
    QFETCH(bool, label);
    TInspectorFixture f;
    if (label)
        f.Select<TTextLayer>("title");
    QCoreApplication::processEvents();
    QTreeWidget* tree = f.Tools->JvInspector1;
    const int margin = tree->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree) + 1;
    const int divider = tree->columnViewportPosition(1);
    int names = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        const QRect cell = tree->visualRect(tree->indexFromItem(*it, 0));
        // Categories span the whole line; the lines of closed parts are not shown.
        if ((*it)->isFirstColumnSpanned() || !cell.isValid())
            continue;
        const QString name = (*it)->text(0);
        QVERIFY2(cell.left() + margin + tree->fontMetrics().horizontalAdvance(name) + margin <= divider, qPrintable(name));
        ++names;
    }
    QCOMPARE(names, label ? LabelLines.size() : 13);
}

void TestInspector::dividerDrags()
{
    TInspectorFixture f;
    QCoreApplication::processEvents();
    QTreeWidget* tree = f.Tools->JvInspector1;
    QWidget* viewport = tree->viewport();
    const int divider = tree->columnViewportPosition(1);
    const int y = tree->visualItemRect(tree->topLevelItem(0)->child(0)).center().y();
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(divider - 2, y));
    QTest::mouseMove(viewport, QPoint(divider + 28, y));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(divider + 28, y));
    QCOMPARE(tree->columnViewportPosition(1), divider + 30);
    QVERIFY(!tree->currentItem());
    f.Select<TTextLayer>("title");
    QCOMPARE(tree->columnViewportPosition(1), divider + 30);
}

QTEST_MAIN(TestInspector)
#include "tst_inspector.moc"
