// The editing commands through the real main window: insert, the internal clipboard, delete, lock,
// hide, the enabling of the actions, and what they do with no selection, project or clipboard.
#include "CanvasInput.h"
#include "CommandsFixture.h"

#include "canvas/RubberBand.h"
#include "document/InsertKinds.h"
#include "editor/tools/Aspect.h"
#include "editor/tools/ElementList.h"
#include "editor/tools/Inspector.h"
#include "editor/tools/InspectorEditor.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestPictures.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollArea>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

namespace {

QByteArray Lines(std::initializer_list<const char*> lines)
{
    QByteArray out;
    for (const char* line : lines)
        out += QByteArray(line) + "\r\n";
    return out;
}

// What a control inserted from the built-in default description saves as, by type keyword.
const QHash<QByteArray, QByteArray>& InsertedItems()
{
    static const QHash<QByteArray, QByteArray> items = {
        {"label", Lines({"    <item>", "      <description>default label</description>", "      <type>Label</type>",
                         "      <id>1</id>", "      <disabledcolor>60FFFFFF</disabledcolor>", "      <y>60</y>",
                         "      <width>150</width>", "      <height>24</height>", "      <label>-</label>",
                         "    </item>"})},
        {"button",
         Lines({"    <item>", "      <description>default button</description>", "      <type>Button</type>",
                "      <id>1</id>", "      <x>300</x>", "      <y>200</y>", "      <width>190</width>",
                "      <height>32</height>", "      <down>2</down>", "      <left>1</left>", "      <right>1</right>",
                "      <subcontrols>", "        <control>", "          <description>buttonlabel</description>",
                "          <type>Label</type>", "          <disabledcolor>FFFFFFFF</disabledcolor>",
                "          <width>190</width>", "        </control>", "      </subcontrols>", "    </item>"})},
        {"progress",
         Lines({"    <item>", "      <description>default progress</description>", "      <type>progress</type>",
                "      <id>2</id>", "      <x>25</x>", "      <y>528</y>", "      <width>355</width>",
                "      <height>28</height>", "      <label>-</label>", "      <subcontrols>", "        <control>",
                "          <description>mid</description>", "          <type>Image</type>",
                "          <width>349</width>",
                "          <graphicstyp>tile_image</graphicstyp>", "        </control>", "        <control>",
                "          <description>label</description>", "          <type>Label</type>",
                "          <label>-</label>", "        </control>", "      </subcontrols>", "    </item>"})},
        {"tickprogress",
         Lines({"    <item>", "      <type>tickprogress</type>", "      <x>292</x>", "      <y>335</y>",
                "      <width>260</width>", "      <height>31</height>", "      <subcontrols>", "        <control>",
                "          <description>mid</description>", "          <type>Image</type>",
                "          <width>254</width>",
                "          <graphicstyp>tile_image</graphicstyp>", "        </control>", "        <control>",
                "          <description>label</description>", "          <type>Label</type>", "        </control>",
                "      </subcontrols>", "    </item>"})},
    };
    return items;
}

int ReferenceValue(TJvSimpleXMLElem* reference, const char* name)
{
    int32_t value = 0;
    TOSDControlFactory::ReadInteger(reference, name, value);
    return value;
}

// The keyword a menu number inserts; empty for the picture and the video window.
QByteArray KeywordOfTag(int tag)
{
    static const char* const keywords[19] = {"",         "button",        "button3part", "selectbutton", "togglebutton",
                                             "label",    "checkmark",     "progress",    "slider",       "spincontrol",
                                             "textbox",  "listcontrol",   "thumbnailpanel", "tvlistcontrol", "menu",
                                             "tickprogress", "numinput",  "edit",        "videowindow"};
    return keywords[tag];
}

bool FactoryMakes(const QByteArray& keyword)
{
    std::unique_ptr<TItemLayer> probe(OSDControlFactory().CreateKind(keyword.toStdString(), nullptr));
    return probe != nullptr;
}

void AddLabelTo(TLayerCollection& layers)
{
    OSDControlFactory().CreateKind("label", &layers);
}

// The commands a menu offers as it opens.
QStringList Offered(QMenu* menu)
{
    QStringList offered;
    const QMetaObject::Connection seen = QObject::connect(menu, &QMenu::aboutToShow, [&] {
        for (QAction* item : menu->actions())
            if (!item->isSeparator() && item->isVisible() && item->isEnabled())
                offered << item->text();
    });
    menu->popup(QPoint(0, 0));
    menu->hide();
    QObject::disconnect(seen);
    return offered;
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT

private slots:
    void elementsMenu();
    void kindOfEveryEntry_data();
    void kindOfEveryEntry();
    void insertEveryKind_data();
    void insertEveryKind();
    void insertWithoutReferenceIsSquareAtViewCentre();
    void insertWhileSelected();
    void insertVideoWindowOnce();
    void insertPicture_data();
    void insertPicture();
    void insertPictureKeepsItsNameAsSkinText();
    void sizesReadBack_data();
    void sizesReadBack();
    void copyPasteIsATrueCopy();
    void clipboardCarriesUnknownChildren();
    void pasteTwiceMakesOneControl();
    void cloneLeavesCopySelectedAndClipboardEmpty();
    void clipboardIsForgottenWithThePage();
    void secondVideoWindowRefused();
    void deleteRemovesTheSelection();
    void lockHoldsTheFrameOnly();
    void hideIsCanvasOnly();
    void elementListFollowsTheCommands();
    void enablingFollowsSelectionAndClipboard();
    void menusShowAClearedSelection_data();
    void menusShowAClearedSelection();
    void selectionMenuRules();
    void toolWindowsShowAndClose();
    void shortcutsAndPopup();
    void nothingHappensWithoutSelectionOrPage();
    void deleteKeyIgnoredInTextField();
    void failedCreationLeavesNothing();
};

// The Elements menu: the twenty entries in table order, the separator, each item's menu number;
// the toolbar button drops the same menu down.
void TestCommands::elementsMenu()
{
    TCommandsFixture f(TStartWith::NoProject);
    QStringList captions;
    QList<int> tags;
    for (QAction* item : f.Form->Menu("mnElements")->actions()) {
        captions << (item->isSeparator() ? QStringLiteral("-") : item->text());
        tags << (item->isSeparator() ? -1 : item->data().toInt());
    }
    QCOMPARE(captions, (QStringList{"Image", "Label", "Button", "Image Button", "Selectonebutton", "Togglebutton",
                                    "CheckControl", "Progressbar", "Slidecontrol", "UpDowncontrol", "Textbox", "List",
                                    "Iconlist", "TVList", "Menulist", "TickProgressbar", "NumInput", "Editfield", "-",
                                    "VideoWindow"}));
    QCOMPARE(tags, (QList<int>{0, 5, 1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, -1, 18}));
    auto* button = f.Form->findChild<QToolButton*>(QStringLiteral("btnObjects"));
    QVERIFY(button);
    QCOMPARE(button->menu(), f.Form->Menu("mnElements"));
}

void TestCommands::kindOfEveryEntry_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QByteArray>("keyword");
    const auto row = [](const char* caption, int tag, int kind, const char* keyword) {
        QTest::newRow(caption) << tag << kind << QByteArray(keyword);
    };
    row("Image", 0, 0, nullptr), row("Label", 5, 1, "label"), row("Button", 1, 2, "button");
    row("Image Button", 2, 3, "button3part"), row("Selectonebutton", 3, 4, "selectbutton");
    row("Togglebutton", 4, 5, "togglebutton"), row("CheckControl", 6, 6, "checkmark");
    row("Slidecontrol", 8, 7, "slider"), row("UpDowncontrol", 9, 8, "spincontrol"), row("Textbox", 10, 9, "textbox");
    row("List", 11, 10, "listcontrol"), row("Iconlist", 12, 11, "thumbnailpanel");
    row("TVList", 13, 12, "tvlistcontrol"), row("Menulist", 14, 13, "menu");
    row("TickProgressbar", 15, 14, "tickprogress"), row("VideoWindow", 18, 15, "videowindow");
    row("Progressbar", 7, 17, "progress"), row("NumInput", 16, 19, "numinput"), row("Editfield", 17, 20, "edit");
}

void TestCommands::kindOfEveryEntry()
{
    QFETCH(int, tag);
    QFETCH(int, kind);
    QFETCH(QByteArray, keyword);
    QCOMPARE(InsertKindOfTag(tag), kind);
    QCOMPARE(QByteArray(InsertKindKeyword(kind)), keyword);
    QCOMPARE(InsertKindOfTag(-1), -1);
    QCOMPARE(InsertKindOfTag(19), -1);
}

void TestCommands::insertEveryKind_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<bool>("project");
    for (const bool project : {true, false})
        for (const TMenuRecord& entry : ElementMenuItems)
            if (QByteArray(entry.Caption) != "-" && entry.MenuNumber != 0)
                QTest::addRow("%s%s", entry.Caption, project ? "" : ", no references")
                    << int(entry.MenuNumber) << project;
}

// Every kind: selected, the page changed. With the project's references it is placed by its default
// description and saved as that gives it. Without, it is its bare class, a 64 by 64 square centred on
// the view; the thumbnail panel keeps the place its constructor gives it.
void TestCommands::insertEveryKind()
{
    QFETCH(int, tag);
    QFETCH(bool, project);
    const QByteArray keyword = KeywordOfTag(tag);
    if (project && !FactoryMakes(keyword))
        QSKIP("the factory does not make this kind yet");
    TCommandsFixture f(project ? TStartWith::Project : TStartWith::NoProject);
    f.Insert(tag);
    QCOMPARE(f.Count(), 2);  // the control and its frame
    TItemLayer* control = f.Control(0);
    QVERIFY(control);
    QCOMPARE(f.Form->Selected(), control);
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), control);
    QVERIFY(control->MouseEvents());
    QVERIFY(f.Form->Modified());
    QCOMPARE(QByteArray::fromStdString(control->TypeKeyword()), keyword);
    if (!project) {
        std::unique_ptr<TItemLayer> fresh(OSDControlFactory().CreateKind("thumbnailpanel", nullptr));
        QCOMPARE(Rect(control), keyword == "thumbnailpanel" ? Rect(fresh.get()) : QRectF(328, 256, 64, 64));
        return;
    }
    const QByteArray page = f.SavedPage();
    if (keyword == "videowindow") {
        // The project's 400 by 300 canvas is shown whole: centred on (200, 150).
        QCOMPARE(Rect(control), QRectF(168, 118, 64, 64));
        QVERIFY(page.contains("<videowindow x=\"168\" y=\"118\" width=\"64\" height=\"64\"/>"));
        return;
    }
    TJvSimpleXMLElem* reference = OSDControlFactory().FindReference(keyword.toStdString());
    if (!reference) {
        // No default description: the bare class, a 64 by 64 square centred on the view.
        QCOMPARE(Rect(control), QRectF(168, 118, 64, 64));
    } else {
        QCOMPARE(control->GetX(), ReferenceValue(reference, "x"));
        QCOMPARE(control->GetY(), ReferenceValue(reference, "y"));
        if (ReferenceValue(reference, "width") > 0 && ReferenceValue(reference, "height") > 0) {
            QCOMPARE(control->GetWidth(), ReferenceValue(reference, "width"));
            QCOMPARE(control->GetHeight(), ReferenceValue(reference, "height"));
        }
    }
    if (InsertedItems().contains(keyword))
        QCOMPARE(ItemsOf(page), InsertedItems().value(keyword));
    // Whatever the kind writes, the page reads back to the same bytes.
    f.OpenPage(f.Folder + QStringLiteral("Unnamed1.xml"));
    QCOMPARE(f.Count(), 1);
    QCOMPARE(f.SavedPage(), page);
}

void TestCommands::insertWithoutReferenceIsSquareAtViewCentre()
{
    TCommandsFixture f(TStartWith::NoProject);
    f.Insert(5);  // Label
    QCOMPARE(f.Count(), 2);
    QCOMPARE(Rect(f.Control(0)), QRectF(328, 256, 64, 64));
    QVERIFY(f.Form->Modified());

    // A scrolled view: the centre of what is shown.
    f.Form->resize(500, 400);
    QCoreApplication::processEvents();
    auto* scroll = f.Form->findChild<QScrollArea*>(QStringLiteral("ScrollBox1"));
    scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
    scroll->verticalScrollBar()->setValue(0);
    const QRect shown(f.Form->ImgView()->mapFrom(scroll->viewport(), QPoint(0, 0)), scroll->viewport()->size());
    QCOMPARE(shown.right(), 719);
    f.Insert(5);
    const QPoint centre((shown.left() * 2 + shown.width()) / 2, (shown.top() * 2 + shown.height()) / 2);
    QCOMPARE(Rect(f.Form->Selected()), QRectF(centre - QPoint(32, 32), QSizeF(64, 64)));
}

// A control inserted while another is selected becomes the selection, under the frame.
void TestCommands::insertWhileSelected()
{
    TCommandsFixture f(TStartWith::NoProject);
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    f.Form->SetSelection(a);
    f.Insert(1);
    QCOMPARE(f.Count(), 3);
    TItemLayer* inserted = f.Form->Selected();
    QVERIFY(inserted && inserted != a);
    QCOMPARE(f.Control(0), a);
    QCOMPARE(f.Control(1), inserted);
    QCOMPARE(f.Form->Layers().Items(2), static_cast<TCustomLayer*>(f.Form->RubberBand()));
    QCOMPARE(f.Form->RubberBand()->ChildLayer(), inserted);
}

void TestCommands::insertVideoWindowOnce()
{
    TCommandsFixture f(TStartWith::Project);
    f.Insert(18);
    TItemLayer* video = f.Form->Selected();
    QVERIFY(dynamic_cast<TOSDVideoControl*>(video));
    // The page settings follow the layer.
    QCOMPARE(f.Form->WindowInfos().VideoWindow().Width, 64);
    QCOMPARE(f.Form->WindowInfos().VideoWindow().X, 168);
    f.Form->SetSelection(nullptr);
    f.Form->SetModified(false);
    // A second one is not made; the page's own is selected.
    f.Insert(18);
    QCOMPARE(f.Count(), 2);
    QCOMPARE(f.Form->Selected(), video);
    QVERIFY(!f.Form->Modified());
    // Deleted, the page has none, and a new one can be inserted.
    f.Form->DeleteSelected();
    QCOMPARE(f.Form->WindowInfos().VideoWindow().Width, 0);
    f.Insert(18);
    QCOMPARE(f.Count(), 2);
}

void TestCommands::insertPicture_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("layers");
    QTest::addColumn<QRectF>("location");
    QTest::addColumn<QByteArray>("texture");
    QTest::newRow("picture of the project") << QStringLiteral("images/pic.png") << 2 << QRectF(180, 140, 40, 20)
                                            << QByteArray("pic.png");
    QTest::newRow("name not in images") << QStringLiteral("/nowhere/other.png") << 2 << QRectF(200, 150, 0, 0)
                                        << QByteArray("other.png");
    QTest::newRow("cancel") << QString() << 0 << QRectF() << QByteArray();
}

void TestCommands::insertPicture()
{
    QFETCH(QString, answer);
    QFETCH(int, layers);
    QFETCH(QRectF, location);
    QFETCH(QByteArray, texture);
    TCommandsFixture f(TStartWith::Project);
    WriteBytes(f.Folder + QStringLiteral("images/pic.png"), SolidPng(40, 20, Qt::red));
    f.Dialogs.AnswerOpenFile(answer.startsWith(QLatin1Char('/')) || answer.isEmpty() ? answer : f.Folder + answer);
    f.Insert(0);
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Open picture"));
    QCOMPARE(f.Count(), layers);
    QCOMPARE(f.Form->Modified(), layers > 0);
    if (!layers)
        return;
    auto* image = dynamic_cast<TImageLayer*>(f.Control(0));
    QVERIFY(image);
    QCOMPARE(Rect(image), location);
    QVERIFY(!image->Scaled());
    QCOMPARE(f.Form->Selected(), image);
    QVERIFY(ItemsOf(f.SavedPage()).contains("<texture>" + texture + "</texture>"));
}

// The chosen picture's name is the skin's Windows-1252 text: a name with "ü" finds its picture;
// a name that has no such form is refused with a message and nothing is inserted.
void TestCommands::insertPictureKeepsItsNameAsSkinText()
{
    TCommandsFixture f(TStartWith::Project);
    const QString name = QStringLiteral("gr\u00fcn.png");
    WriteBytes(f.Folder + QStringLiteral("images/") + name, SolidPng(40, 20, Qt::blue));
    f.Dialogs.AnswerOpenFile(f.Folder + QStringLiteral("images/") + name);
    f.Insert(0);
    const TFileDialogOptions& asked = f.Dialogs.Calls().back().File;
    QVERIFY(asked.Filter.contains(QStringLiteral("*.png")));
    QVERIFY(asked.Filter.contains(QStringLiteral("*.bmp")));
    auto* image = dynamic_cast<TImageLayer*>(f.Form->Selected());
    QVERIFY(image);
    QCOMPARE(image->FileName, std::string("gr\xfcn.png"));
    QCOMPARE(Rect(image), QRectF(180, 140, 40, 20));

    f.Form->SetModified(false);
    f.Dialogs.AnswerOpenFile(f.Folder + QStringLiteral("images/\u540d.png"));
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Insert(0);
    QCOMPARE(f.Count(), 2);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
    QVERIFY(f.Dialogs.Calls().back().Text.contains(QStringLiteral("\u540d")));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

// Every road that sets a size keeps it to what the page reader gives back (at most 2000, and a
// video window at least 1): saved and opened again, the control has the size it was shown with.
void TestCommands::sizesReadBack_data()
{
    QTest::addColumn<QString>("road");
    QTest::addColumn<QRectF>("shown");  // where the control lies before the save
    QTest::newRow("frame handle") << "drag" << QRectF(10, 10, 2000, 20);
    QTest::newRow("frame handle with Ctrl") << "ctrl drag" << QRectF(-880, 10, 2000, 20);
    // A height cut alone leaves the width; the bottom-left handle leaves the right edge.
    QTest::newRow("bottom frame handle") << "bottom drag" << QRectF(100, 10, 40, 2000);
    QTest::newRow("bottom-left frame handle") << "bottom-left drag" << QRectF(-1860, 10, 2000, 30);
    QTest::newRow("Aspect window") << "aspect" << QRectF(0, 0, 2000, 2000);
    QTest::newRow("picture of 2600 x 30") << "picture" << QRectF(-800, 135, 2000, 30);
    QTest::newRow("inspector, video window height -16") << "video inspector" << QRectF(168, 118, 64, 64);
    QTest::newRow("Aspect window, video window") << "video aspect" << QRectF(0, 0, 1, 1);
}

void TestCommands::sizesReadBack()
{
    QFETCH(QString, road);
    QFETCH(QRectF, shown);
    TCommandsFixture f(TStartWith::Project);  // 400 by 300
    QWidget* view = f.Form->ImgView();
    const auto rescale = [&](int width, int height, int minimum) {
        TfrmAspectRatio* aspect = AspectWindow(*f.Form);
        aspect->edWidth->setValue(width);
        aspect->edHeight->setValue(height);
        aspect->edMinimum->setValue(minimum);
        aspect->Button1->click();
    };
    if (road == QLatin1String("drag")) {
        f.Form->SetSelection(AddLabel(*f.Form, 10, 10, "a"));
        Drag(view, QPoint(50, 20), QPoint(2700, 20));
    } else if (road == QLatin1String("ctrl drag")) {
        f.Form->SetSelection(AddLabel(*f.Form, 100, 10, "a"));
        Drag(view, QPoint(140, 20), QPoint(1400, 20), Qt::ControlModifier);
    } else if (road == QLatin1String("bottom drag") || road == QLatin1String("bottom-left drag")) {
        const bool left = road.startsWith(QLatin1String("bottom-left"));
        f.Form->SetSelection(AddLabel(*f.Form, 100, 10, "a"));
        Drag(view, QPoint(left ? 100 : 120, 30), left ? QPoint(-2000, 40) : QPoint(120, 2700));
    } else if (road == QLatin1String("aspect")) {
        AddLabel(*f.Form, 0, 0, "a")->SetLocation(TFloatRect{0, 0, 850, 1224});
        rescale(1000, 750, 100);  // 2125 by 3060
    } else if (road == QLatin1String("picture")) {
        WriteBytes(f.Folder + QStringLiteral("images/wide.png"), SolidPng(2600, 30, Qt::red));
        f.Dialogs.AnswerOpenFile(f.Folder + QStringLiteral("images/wide.png"));
        f.Insert(0);
    } else {
        f.Insert(18);
        if (road == QLatin1String("video inspector")) {
            f.Form->ToolWindow("frmTools")->show();
            f.Dialogs.AnswerMessage(QMessageBox::Ok);
            f.TypeIntoInspector(QStringLiteral("Height"), QStringLiteral("-16"));
            QCOMPARE(f.Dialogs.Pending(), std::size_t(0));
        } else {
            rescale(1, 1, 1);
        }
    }
    TItemLayer* control = f.Control(0);
    QCOMPARE(Rect(control), shown);
    const QString type = QString::fromStdString(control->TypeName());
    f.SavedPage();
    f.OpenPage(f.Folder + QStringLiteral("Unnamed1.xml"));
    QCOMPARE(f.Count(), 1);
    QCOMPARE(QString::fromStdString(f.Control(0)->TypeName()), type);
    QCOMPARE(Rect(f.Control(0)).size(), shown.size());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

// The pasted control lies over the copied one and saves to the same item, also where the copy
// leaves out what equals the type's reference and where it lies at a negative place.
void TestCommands::copyPasteIsATrueCopy()
{
    TCommandsFixture f(TStartWith::Project);
    QGuiApplication::clipboard()->setText(QStringLiteral("outside"));
    f.Insert(5);  // Label from the reference: font, colours and alignment are the reference's
    TItemLayer* original = f.Form->Selected();
    original->SetLocation(TFloatRect{-12, 40, 100, 70});
    original->Description = "mine";
    f.Trigger("mnCopy");
    QVERIFY(f.Form->CopyElem());
    QCOMPARE(QByteArray::fromStdString(f.Form->CopyElem()->Name()), QByteArray("Control"));
    f.Form->SetModified(false);
    f.Trigger("mnPaste");
    QCOMPARE(f.Count(), 3);
    TItemLayer* pasted = f.Form->Selected();
    QVERIFY(pasted && pasted != original);
    QCOMPARE(Rect(pasted), Rect(original));
    QVERIFY(!f.Form->CopyElem());
    QVERIFY(f.Form->Modified());
    QVERIFY(pasted->MouseEvents());
    const QByteArray items = ItemsOf(f.SavedPage());
    const int second = items.indexOf("    <item>", 1);
    QVERIFY(second > 0);
    QCOMPARE(items.mid(second), items.left(second));
    QVERIFY(items.contains("<x>-12</x>"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("outside"));
}

// Copy, Paste and Clone carry what the control does not read, its parts' unknown children too.
void TestCommands::clipboardCarriesUnknownChildren()
{
    TCommandsFixture f(TStartWith::Project);
    WriteBytes(f.Folder + QStringLiteral("Unnamed1.xml"),
               XmlText({"<screen>", "<items><item><type>button</type><futurevalue>1</futurevalue><subcontrols>",
                        "<control><description>buttonlabel</description><futurevalue>2</futurevalue></control>",
                        "<futurepart><description>future</description></futurepart></subcontrols></item></items>", "</screen>"}));
    f.OpenPage(f.Folder + QStringLiteral("Unnamed1.xml"));
    QCOMPARE(f.Count(), 1);
    f.Form->SetSelection(f.Control(0));
    f.Trigger("mnCopy");
    f.Trigger("mnPaste");
    f.Trigger("mnClone");
    QCOMPARE(f.Count(), 4);  // three buttons and the frame
    const QByteArray items = ItemsOf(f.SavedPage());
    const QByteArray first = items.left(items.indexOf("    <item>", 1));
    QCOMPARE(items, first + first + first);
    QVERIFY(first.contains("          <futurevalue>2</futurevalue>\r\n        </control>\r\n"
                           "        <futurepart>\r\n          <description>future</description>\r\n        </futurepart>\r\n"
                           "      </subcontrols>\r\n      <futurevalue>1</futurevalue>\r\n"
                           "    </item>\r\n"));
}

void TestCommands::pasteTwiceMakesOneControl()
{
    TCommandsFixture f(TStartWith::Project);
    f.Insert(5);
    f.Trigger("mnCopy");
    f.Trigger("mnPaste");
    f.Form->SetModified(false);
    f.Form->mnPaste1Click();
    QCOMPARE(f.Count(), 2);  // two labels; the second paste cleared the selection only
    QVERIFY(!f.Form->Selected());
    QVERIFY(!f.Form->Modified());
}

void TestCommands::cloneLeavesCopySelectedAndClipboardEmpty()
{
    TCommandsFixture f(TStartWith::Project);
    f.Insert(15);  // TickProgressbar
    TItemLayer* first = f.Form->Selected();
    f.Trigger("mnCopy");
    f.Insert(5);
    f.Form->SetModified(false);
    f.Trigger("mnClone");
    QCOMPARE(f.Count(), 4);
    TItemLayer* clone = f.Form->Selected();
    QVERIFY(clone != first && clone->TypeKeyword() == "label");
    QCOMPARE(Rect(clone), QRectF(0, 60, 150, 24));
    QVERIFY(!f.Form->CopyElem());  // what it held before is gone too
    QVERIFY(f.Form->Modified());
}

void TestCommands::clipboardIsForgottenWithThePage()
{
    TCommandsFixture f(TStartWith::Project);
    f.Insert(5);
    f.Trigger("mnCopy");
    f.Dialogs.AnswerMessage(QMessageBox::No);
    f.Trigger("mnNew");
    QVERIFY(!f.Form->CopyElem());
    QVERIFY(!f.Form->Action("mnPaste")->isEnabled());
}

void TestCommands::secondVideoWindowRefused()
{
    TCommandsFixture f(TStartWith::Project);
    f.Insert(5);
    f.Trigger("mnCopy");
    const TJvSimpleXMLElem* label = f.Form->CopyElem();
    f.Insert(18);
    TItemLayer* video = f.Form->Selected();
    f.Form->SetModified(false);
    f.Form->ImgView()->setFocus();
    // Neither copied nor cloned, as if nothing were selected; the clipboard keeps the label.
    QCOMPARE(Offered(f.Form->Menu("mnEdit")), (QStringList{"Paste", "Delete"}));
    QCOMPARE(Offered(f.Form->Menu("PopupMenu3")),
             (QStringList{"Paste", "Delete", "Lock object", "Hide object", "To back"}));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
    f.Form->mnCopy1Click();
    f.Form->mnClone1Click();
    QCOMPARE(f.Count(), 3);
    QCOMPARE(f.Form->Selected(), video);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.Form->CopyElem(), label);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Count(), 4);
    QCOMPARE(f.Form->Selected()->TypeName(), std::string("Label"));
    QVERIFY(!f.Form->CopyElem());
}

void TestCommands::deleteRemovesTheSelection()
{
    TCommandsFixture f(TStartWith::Project);
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    AddLabel(*f.Form, 100, 10, "b");
    f.Form->SetSelection(a);
    f.Form->ImgView()->setFocus();
    QSignalSpy rebuilt(&f.Form->Document(), &TPageDocument::ControlRemoved);
    f.Trigger("mnDelete");
    QCOMPARE(f.Count(), 1);
    QCOMPARE(f.Control(0)->Description, std::string("b"));
    QVERIFY(!f.Form->Selected());
    QVERIFY(!f.Form->RubberBand());
    QVERIFY(f.Form->Modified());
    QCOMPARE(rebuilt.count(), 1);
}

// The lock holds the control under the frame only: frame drags leave it where it is (and still
// count as a change of the page), the arrow keys move it, and the lock is never saved.
void TestCommands::lockHoldsTheFrameOnly()
{
    TCommandsFixture f(TStartWith::Project);
    TItemLayer* a = AddLabel(*f.Form, 100, 100, "a");
    f.Form->SetSelection(a);
    const QByteArray before = f.SavedPage();
    f.Form->SetSelection(a);
    f.Trigger("mnLock");
    QVERIFY(a->FLocked);
    QVERIFY(f.Form->Action("mnLock")->isChecked());
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.SavedPage(), before);  // the lock is not saved
    f.Form->SetSelection(a);
    QVERIFY(a->FLocked);
    QWidget* view = f.Form->ImgView();
    Drag(view, QPoint(120, 110), QPoint(160, 150));                       // move
    Drag(view, QPoint(140, 110), QPoint(190, 130));                       // right handle
    Drag(view, QPoint(100, 110), QPoint(130, 110), Qt::ControlModifier);  // left handle about the centre
    QCOMPARE(Rect(a), QRectF(100, 100, 40, 20));
    QCOMPARE(f.Form->Selected(), a);
    QVERIFY(f.Form->Modified());
    Enter(f.Form->ImgView());
    f.Form->ImgView()->setFocus();
    QTest::keyRelease(f.Form->ImgView(), Qt::Key_Right);
    QCOMPARE(Rect(a), QRectF(101, 100, 40, 20));
    QTest::keyRelease(f.Form->ImgView(), Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(Rect(a), QRectF(101, 110, 40, 20));

    // A locked control narrower than 4 pixels is widened to 4 by a Ctrl drag on a handle.
    TFloatRect next{10, 10, 40, 30};
    const TResizeOutcome out =
        ApplyResizeRules(TFloatRect{10, 10, 12, 30}, next, dsSizeR, Qt::ControlModifier, Qt::LeftButton, true, false);
    QCOMPARE(QRectF(QPointF(next.Left, next.Top), QPointF(next.Right, next.Bottom)), QRectF(9, 10, 4, 20));
    QVERIFY(out.Modified);

    // Unlocked, the same drag moves it.
    f.Form->SetSelection(a);
    f.Trigger("mnLock");
    QVERIFY(!a->FLocked);
    QVERIFY(!f.Form->Action("mnLock")->isChecked());
    Drag(view, QPoint(121, 120), QPoint(161, 160));
    QCOMPARE(Rect(a), QRectF(141, 150, 40, 20));
}

void TestCommands::hideIsCanvasOnly()
{
    TCommandsFixture f(TStartWith::Project);
    TItemLayer* a = AddLabel(*f.Form, 100, 100, "a");
    const QByteArray before = f.SavedPage();
    f.Form->SetSelection(a);
    f.Trigger("mnHide");
    QVERIFY(!a->Visible());
    QVERIFY(!a->MouseEvents());
    QVERIFY(a->FVisible);
    QVERIFY(!f.Form->Selected());
    QVERIFY(!f.Form->Modified());
    Click(f.Form->ImgView(), QPoint(110, 110));
    QVERIFY(!f.Form->Selected());
    // Selected through the element list, a hidden control shows the check mark; Hide shows it again.
    f.Form->SetSelection(a);
    QVERIFY(f.Form->Action("mnHide")->isChecked());
    f.Trigger("mnHide");
    QVERIFY(a->Visible() && a->MouseEvents());
    QCOMPARE(f.Form->Selected(), a);
    QVERIFY(!f.Form->Action("mnHide")->isChecked());
    QVERIFY(!f.Form->Modified());
    f.Trigger("mnHide");
    QCOMPARE(f.SavedPage(), before);
}

// The element list is rebuilt by every command that changes the set, order, lock or canvas
// visibility of the controls: lines in stacking order, " *" and italics for a locked control, the
// check box for the canvas visibility.
void TestCommands::elementListFollowsTheCommands()
{
    TCommandsFixture f(TStartWith::NoProject);
    TfrmObjects* list = ElementList(*f.Form);
    QVERIFY(list);
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    TItemLayer* b = AddLabel(*f.Form, 60, 10, "b");
    a->Control_ID = 7;
    list->RefreshList();
    const auto lines = [&] {
        QStringList out;
        for (int row = 0; row < list->LineCount(); ++row)
            out << list->LineText(row) + (list->LineItalic(row) ? QStringLiteral(" /i") : QString())
                    + (list->LineChecked(row) ? QString() : QStringLiteral(" /hidden"));
        return out;
    };
    const QString lineA = QStringLiteral("0007  Label - a"), lineB = QStringLiteral("0000  Label - b");
    const QString locked = lineA + " * /i";
    QCOMPARE(lines(), (QStringList{lineA, lineB}));

    f.Form->SetSelection(a);
    // After each command: the lines, and the selected one (none once a is hidden).
    const std::tuple<const char*, QStringList, int> steps[] = {
        {"mnLock", {locked, lineB}, 0},     {"mnBringFront", {lineB, locked}, 1}, {"mnLevelDown", {locked, lineB}, 0},
        {"mnLevelUp", {lineB, locked}, 1},  {"mnSendBack", {locked, lineB}, 0},   {"mnLock", {lineA, lineB}, 0},
        {"mnHide", {lineA + " /hidden", lineB}, -1}};
    for (const auto& [action, expected, selected] : steps) {
        f.Trigger(action);
        QCOMPARE(lines(), expected);
        QCOMPARE(list->SelectedLine(), selected);
    }

    f.Form->SetSelection(b);
    f.Trigger("mnClone");
    QCOMPARE(lines(), (QStringList{"0007  Label - a /hidden", "0000  Label - b", "0000  Label - b"}));
    QCOMPARE(list->SelectedLine(), 2);
    f.Form->ImgView()->setFocus();
    f.Trigger("mnDelete");
    QCOMPARE(lines(), (QStringList{"0007  Label - a /hidden", "0000  Label - b"}));
    f.Insert(5);
    QCOMPARE(list->LineCount(), 3);
    QCOMPARE(list->SelectedLine(), 2);
}

void TestCommands::enablingFollowsSelectionAndClipboard()
{
    TCommandsFixture f(TStartWith::NoProject);
    const char* const selectionActions[] = {"mnCopy", "mnClone", "mnLock", "mnHide", "mnDelete"};
    for (const char* name : {"mnNew", "mnOpen", "mnSave", "mnPaste"})
        QVERIFY2(!f.Form->Action(name)->isEnabled(), name);
    for (const char* name : selectionActions)
        QVERIFY2(!f.Form->Action(name)->isEnabled(), name);

    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    f.Form->ImgView()->setFocus();
    f.Form->SetSelection(a);
    for (const char* name : selectionActions)
        QVERIFY2(f.Form->Action(name)->isEnabled(), name);
    QVERIFY(!f.Form->Action("mnPaste")->isEnabled());
    f.Trigger("mnCopy");
    QVERIFY(f.Form->Action("mnPaste")->isEnabled());
    QVERIFY(!f.Form->Action("mnSave")->isEnabled());
    f.Trigger("mnSendBack");
    QVERIFY(f.Form->Action("mnSave")->isEnabled());

    // Delete wants the canvas or the element list to have the input focus.
    auto* edit = new QLineEdit(f.Form->ToolWindow("frmTools"));
    f.Form->ToolWindow("frmTools")->setWidget(edit);
    f.Form->ToolWindow("frmTools")->show();
    edit->setFocus();
    QCOMPARE(QApplication::focusWidget(), edit);
    QVERIFY(!f.Form->Action("mnDelete")->isEnabled());
    // The Selection menu offers Delete whatever has the focus; the Edit menu opened next does not.
    emit f.Form->Menu("mnSelection")->aboutToShow();
    QVERIFY(!Offered(f.Form->Menu("mnEdit")).contains(QStringLiteral("Delete")));
    f.Form->ImgView()->setFocus();
    QVERIFY(f.Form->Action("mnDelete")->isEnabled());
}

void TestCommands::menusShowAClearedSelection_data()
{
    QTest::addColumn<QString>("road");
    for (const char* road : {"empty spot", "F4", "F11", "Del", "Window Settings", "list check box"})
        QTest::newRow(road) << QString::fromLatin1(road);
}

// However the selection goes, the Edit menu and the popup opened next, and the keys, know it.
void TestCommands::menusShowAClearedSelection()
{
    QFETCH(QString, road);
    TCommandsFixture f(TStartWith::NoProject);
    f.Form->ToolWindow("frmObjects")->show();
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    AddLabel(*f.Form, 10, 100, "b");
    AddLabel(*f.Form, 10, 150, "c");
    QWidget* canvas = f.Form->ImgView();
    canvas->setFocus();
    Enter(canvas);
    Click(canvas, QPoint(20, 20));
    QCOMPARE(f.Form->Selected(), a);
    QCOMPARE(Offered(f.Form->Menu("mnEdit")), (QStringList{"Copy", "Clone", "Delete"}));
    QWidget* const keys = QApplication::focusWidget();
    QCOMPARE(keys, canvas);
    // Already modified: no announcement of a first change refreshes the menus on the way.
    f.Form->SetModified(true);
    if (road == QLatin1String("empty spot"))
        Click(canvas, QPoint(300, 300));
    else if (road == QLatin1String("Window Settings"))
        f.Form->findChild<QToolButton*>(QStringLiteral("btEditWindow"))->click();
    else if (road == QLatin1String("list check box"))
        ElementList(*f.Form)->List()->item(0)->setCheckState(Qt::Unchecked);
    else
        QTest::keyClick(keys, QKeySequence(road)[0].key());
    QVERIFY(!f.Form->Selected());
    // Move objects wants three controls; after Del its key, before any menu opens, finds two.
    int moves = 0;
    connect(f.Form.get(), &TMainForm::MoveObjectsRequested, [&] { ++moves; });
    QTest::keyClick(keys, Qt::Key_F10);
    QCOMPARE(moves, f.Count() > 2 ? 1 : 0);
    for (const char* name : {"mnCopy", "mnClone", "mnDelete", "mnLock", "mnHide"})
        QVERIFY2(!f.Form->Action(name)->isEnabled(), name);
    QCOMPARE(Offered(f.Form->Menu("mnEdit")), QStringList());
    QCOMPARE(Offered(f.Form->Menu("PopupMenu3")), QStringList());
    const int count = f.Count();
    QTest::keyClick(keys, Qt::Key_D, Qt::ControlModifier);
    QTest::keyClick(keys, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(f.Count(), count);
    QVERIFY(!f.Form->CopyElem());
}

void TestCommands::selectionMenuRules()
{
    TCommandsFixture f(TStartWith::NoProject);
    QMenu* menu = f.Form->Menu("mnSelection");
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    TItemLayer* b = AddLabel(*f.Form, 60, 10, "b");
    const auto offered = [&] {
        emit menu->aboutToShow();
        QStringList on;
        for (const char* name : {"mnMove", "mnLevelUp", "mnLevelDown", "mnDelete"})
            if (f.Form->Action(name)->isEnabled())
                on << QString::fromLatin1(name);
        return on;
    };
    QCOMPARE(offered(), QStringList());  // two controls, no frame
    f.Form->SetSelection(a);
    f.Form->ToolWindow("frmTools")->show();
    f.Form->ToolWindow("frmTools")->setFocus();
    // The frame is the third layer; Delete whatever has the focus.
    QCOMPARE(offered(), (QStringList{"mnMove", "mnLevelUp", "mnDelete"}));
    f.Form->SetSelection(b);
    QCOMPARE(offered(), (QStringList{"mnMove", "mnLevelDown", "mnDelete"}));

    // Move objects: the selection goes, the dialog runs, the page counts as changed.
    int shown = 0;
    connect(f.Form.get(), &TMainForm::MoveObjectsRequested, [&] {
        ++shown;
        QVERIFY(!f.Form->Selected());
        QVERIFY(!f.Form->RubberBand());
    });
    f.Trigger("mnMove");
    QCOMPARE(shown, 1);
    QVERIFY(f.Form->Modified());
    // A page read with three controls: its key moves them before the menu has opened.
    TJvSimpleXML page;
    page.LoadFromString("<screen><items><item><type>label</type></item><item><type>label</type></item>"
                        "<item><type>label</type></item></items></screen>");
    f.Form->Document().OpenPage(&page);
    QVERIFY(f.Form->Action("mnMove")->isEnabled());
}

void TestCommands::toolWindowsShowAndClose()
{
    TCommandsFixture f(TStartWith::NoProject);
    const std::pair<const char*, const char*> windows[] = {{"Properties1", "frmTools"}, {"Objects1", "frmObjects"},
        {"Fonts1", "frmFonts"}, {"mnuDoubles", "frmDoubles"}, {"mnuAspectRatio", "frmAspectRatio"}};
    for (const auto& [action, window] : windows) {
        QDockWidget* dock = f.Form->ToolWindow(window);
        QVERIFY(!dock->isVisible());
        f.Trigger(action);
        QVERIFY2(dock->isVisible(), window);
        if (f.Form->Action(action)->isCheckable())
            QVERIFY2(f.Form->Action(action)->isChecked(), action);
        f.Trigger(action);
        QVERIFY2(!dock->isVisible(), window);
        QVERIFY2(!f.Form->Action(action)->isChecked(), action);
    }
}

void TestCommands::shortcutsAndPopup()
{
    TCommandsFixture f(TStartWith::NoProject);
    const std::pair<const char*, const char*> keys[] = {
        {"mnuCut", "Ctrl+X"}, {"mnCopy", "Ctrl+C"},  {"mnPaste", "Ctrl+V"},   {"mnClone", "Ctrl+D"},
        {"mnDelete", ""},     {"mnBringFront", "F5"}, {"mnSendBack", "F6"},   {"mnLevelUp", "F7"},
        {"mnLevelDown", "F8"}, {"mnLock", "F9"},      {"mnHide", "F11"},      {"mnMove", "F10"},
        {"mnuAspectRatio", ""}};
    for (const auto& [action, key] : keys)
        QCOMPARE(f.Form->Action(action)->shortcut(), QKeySequence(QString::fromLatin1(key)));
    QVERIFY(!f.Form->Action("mnuCut")->isVisible());

    QStringList popup;
    for (QAction* item : f.Form->Menu("PopupMenu3")->actions())
        popup << (item->isSeparator() ? QStringLiteral("-") : item->text());
    QCOMPARE(popup, (QStringList{"Copy", "Paste", "-", "Clone", "-", "Delete", "-", "Lock object", "Hide object", "-",
                                 "To back", "To front"}));

    // A right click selects the control under the pointer and opens the popup on the canvas.
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    Click(f.Form->ImgView(), QPoint(20, 20), Qt::RightButton);
    QCOMPARE(f.Form->Selected(), a);
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(20, 20));
    QApplication::sendEvent(f.Form->ImgView(), &menuEvent);
    QMenu* menu = f.Form->Menu("PopupMenu3");
    QVERIFY(menu->isVisible());
    QVERIFY(f.Form->Action("mnCopy")->isEnabled());
    QVERIFY(!f.Form->Action("mnToFront")->isEnabled());
    menu->hide();

    // Cut has no command: nothing changes.
    f.Trigger("mnuCut");
    f.Form->ImgView()->setFocus();
    QTest::keyClick(f.Form->ImgView(), Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(f.Count(), 2);
    QVERIFY(!f.Form->CopyElem());
    QVERIFY(!f.Form->Modified());

    // The keys reach the commands.
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F9);
    QVERIFY(a->FLocked);
    QTest::keyClick(f.Form->ImgView(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(f.Form->CopyElem());
    QTest::keyClick(f.Form->ImgView(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.Count(), 3);
    QTest::keyClick(f.Form->ImgView(), Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(f.Count(), 4);
    QTest::keyClick(f.Form->ImgView(), Qt::Key_F11);
    QVERIFY(!f.Form->Selected());
}

// Every command on a window without project, page, selection or clipboard: nothing changes, no
// dialog is asked, nothing fails.
void TestCommands::nothingHappensWithoutSelectionOrPage()
{
    TCommandsFixture f(TStartWith::NoProject);
    for (int round = 0; round < 2; ++round) {
        if (round == 1)
            AddLabel(*f.Form, 10, 10, "a");
        const int before = f.Count();
        f.Form->mnCopy1Click();
        f.Form->mnPaste1Click();
        f.Form->mnClone1Click();
        f.Form->DeleteSelected();
        f.Form->mnLock1Click();
        f.Form->mnHide1Click();
        f.Form->mnBringFront1Click();
        f.Form->mnToBackClick();
        f.Form->mnLevelUpClick();
        f.Form->mnReorder();
        f.Form->mnMoveClick();  // no Move dialog is connected
        f.Form->mnSelectionClick();
        f.Form->Main1Click(-1);
        f.Form->Main1Click(19);
        QCOMPARE(f.Count(), before);
        QVERIFY(!f.Form->CopyElem());
        QVERIFY(!f.Form->Modified());
    }
    QVERIFY(f.Dialogs.Calls().empty());
}

void TestCommands::deleteKeyIgnoredInTextField()
{
    TCommandsFixture f(TStartWith::NoProject);
    TItemLayer* a = AddLabel(*f.Form, 10, 10, "a");
    f.Form->SetSelection(a);
    Enter(f.Form->ImgView());
    auto* edit = new QLineEdit(f.Form->ToolWindow("frmTools"));
    f.Form->ToolWindow("frmTools")->setWidget(edit);
    f.Form->ToolWindow("frmTools")->show();
    edit->setFocus();
    QCOMPARE(QApplication::focusWidget(), edit);
    QTest::keyRelease(edit, Qt::Key_Delete);
    QCOMPARE(f.Count(), 2);
    QCOMPARE(f.Form->Selected(), a);
    // On the canvas the key deletes.
    f.Form->ImgView()->setFocus();
    QTest::keyRelease(f.Form->ImgView(), Qt::Key_Delete);
    QCOMPARE(f.Count(), 0);
}

// A control whose reading fails is taken off the canvas again, and the failure is passed on to
// the error report.
void TestCommands::failedCreationLeavesNothing()
{
    TLayerCollection layers;
    AddLabelTo(layers);
    bool raised = false;
    try {
        CreateInLayers(layers, [&]() -> TItemLayer* {
            AddLabelTo(layers);
            AddLabelTo(layers);
            throw std::runtime_error("broken");
        });
    } catch (const std::runtime_error&) {
        raised = true;
    }
    QVERIFY(raised);
    QCOMPARE(layers.Count(), 1);
    QCOMPARE(CreateInLayers(layers, [] { return static_cast<TItemLayer*>(nullptr); }), nullptr);
    QCOMPARE(layers.Count(), 1);
}

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
