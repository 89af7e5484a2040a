// The XML source view: the page's text in and out, the message for malformed text, the modified flag,
// the menus and windows of each mode, and characters that have no Windows-1252 byte.
#include "EditorFixture.h"

#include "canvas/Layers.h"
#include "editor/source/SourceView.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDockWidget>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

namespace {

// A label whose text holds the euro sign (byte 0x80, written as a reference) and a video window.
QByteArray SamplePage(const char* label = "Caf&#x80;")
{
    return XmlText({"<screen default=\"3\" allowoverlay=\"false\" hasbg=\"true\" version=\"Kestralon OSDSkin 1.1\">",
                    "  <items>",
                    "    <item>",
                    "      <description>title</description>",
                    "      <type>Label</type>",
                    "      <x>5</x>",
                    "      <y>6</y>",
                    "      <width>100</width>",
                    "      <height>20</height>",
                    (std::string("      <label>") + label + "</label>").c_str(),
                    "    </item>",
                    "  </items>",
                    "  <videowindow x=\"10\" y=\"20\" width=\"300\" height=\"200\"/>",
                    "</screen>"});
}

QString Latin(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes);
}

// The parser's own message for a text.
QString ParserMessage(const QByteArray& text)
{
    TJvSimpleXML doc;
    try {
        doc.LoadFromString(text.toStdString());
    } catch (const std::exception& e) {
        return QString::fromLatin1(e.what());
    }
    return QString();
}

// The window on project "P" with the sample page open.
struct TSourceFixture : TEditorFixture {
    QString Folder = StartOnPage(QStringLiteral("P"), {{QStringLiteral("page.xml"), SamplePage()}});
    TSourceView* View = SourceView(*Form);

    QToolButton* Button(const char* name) const { return Form->findChild<QToolButton*>(QLatin1String(name)); }
    // As the user clicks "Edit Source": through the window.
    void Toggle() { QTest::mouseClick(Button("btEditSource"), Qt::LeftButton); }
    // The text as the user would leave it: a change through the editor.
    void Type(const QString& text) { View->Memo1()->setText(text); }

    // How many of the canvas's menus and buttons are on: all 4 outside the source view, none in it.
    int CanvasCommandsOn() const
    {
        return Form->Menu("mnElements")->menuAction()->isEnabled() + Form->Menu("mnSelection")->menuAction()->isEnabled()
               + Button("btEditWindow")->isEnabled() + Button("btnObjects")->isEnabled();
    }
};

} // namespace

class TestSourceView : public QObject {
    Q_OBJECT

private slots:
    void enterShowsPageText();
    void leaveWithoutEditRebuildsPage();
    void editTakenBackChangesCanvas();
    void malformedCancelKeepsText_data();
    void malformedCancelKeepsText();
    void malformedOkGivesEmptyPage_data();
    void malformedOkGivesEmptyPage();
    void textAfterRootIgnored();
    void saveInSourceViewWritesText();
    void saveMalformedReportedNothingWritten_data();
    void saveMalformedReportedNothingWritten();
    void characterWithoutByteRefused();
    void keysStayInEditor();
    void pageCommandsFillEditor();
    void unsavedCanvasChangeKeptOnEnter();
    void typedTextKeptThroughSourceView_data();
    void typedTextKeptThroughSourceView();
    void projectCommandsShowNewEmptyPage();
    void copyKeysFollowMode();
    void inspectorReadOnlyInSourceView();
    void toolWindowsAsOutsideSourceView();
};

void TestSourceView::enterShowsPageText()
{
    TSourceFixture f;
    QCOMPARE(f.Form->Layers().Count(), 2);
    f.Toggle();
    QVERIFY(f.View->Active());
    QVERIFY(f.View->Memo1()->isVisible());
    QCOMPARE(f.View->Text(), Latin(SamplePage()));
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.CanvasCommandsOn(), 0);
    for (const char* window : {"frmTools", "frmObjects", "frmFonts"})
        QVERIFY2(!f.Form->ToolWindow(window)->isVisible(), window);
    // Ctrl+X, Ctrl+C and Ctrl+V belong to the text editor.
    for (const char* action : {"mnuCut", "mnCopy", "mnPaste"})
        QVERIFY2(f.Form->Action(action)->shortcut().isEmpty(), action);
}

void TestSourceView::leaveWithoutEditRebuildsPage()
{
    TSourceFixture f;
    f.Form->SetSelection(static_cast<TItemLayer*>(f.Form->Layers().Items(0)));
    f.Toggle();
    f.Toggle();
    QVERIFY(!f.View->Active());
    QVERIFY(!f.View->Memo1()->isVisible());
    QCOMPARE(f.Form->Layers().Count(), 2);
    QCOMPARE(f.Form->Selected(), nullptr);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.CanvasCommandsOn(), 4);
    QVERIFY(f.Form->ToolWindow("frmTools")->isVisible());
    QVERIFY(f.Form->ToolWindow("frmObjects")->isVisible());
    QVERIFY(!f.Form->ToolWindow("frmFonts")->isVisible());
    for (const auto& [action, key] : {std::pair{"mnuCut", "Ctrl+X"}, {"mnCopy", "Ctrl+C"}, {"mnPaste", "Ctrl+V"}})
        QCOMPARE(f.Form->Action(action)->shortcut(), QKeySequence(QString::fromLatin1(key)));
    // The page passed once through the writer and the reader: it saves as it was.
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("page.xml")), SamplePage());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::editTakenBackChangesCanvas()
{
    TSourceFixture f;
    f.Toggle();
    f.Type(f.View->Text()
               .replace(QStringLiteral("<x>5</x>"), QStringLiteral("<x>40</x>"))
               .replace(QStringLiteral("Caf&#x80;"), QStringLiteral("\u20AC \u00E9")));
    // A change of the text is an unsaved change of the page.
    QVERIFY(f.Form->Modified());
    f.Toggle();
    QCOMPARE(f.Form->Layers().Count(), 2);
    auto* label = static_cast<TItemLayer*>(f.Form->Layers().Items(0));
    QCOMPARE(label->GetX(), 40);
    // Characters become the skin's Windows-1252 bytes.
    QCOMPARE(label->LabelText, std::string("\x80 \xE9"));
    QVERIFY(f.Form->Modified());
    QCOMPARE(f.MessageCount(), 0);
}

void TestSourceView::malformedCancelKeepsText_data()
{
    QTest::addColumn<QString>("from");  // in the page's text; empty: the whole text
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("reason");  // empty: the parser's message
    const QString root = QStringLiteral("Invalid Document: the root element is \"%1\", not \"screen\"");
    QTest::newRow("not well-formed") << "</items>" << "" << QString();
    QTest::newRow("root in other case") << "screen" << "Screen" << root.arg("Screen");
    QTest::newRow("other root") << "screen" << "foo" << root.arg("foo");
    QTest::newRow("empty") << "" << "" << "Invalid Document: the text has no root element";
}

void TestSourceView::malformedCancelKeepsText()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, reason);
    TSourceFixture f;
    f.Toggle();
    const QString broken = from.isEmpty() ? to : f.View->Text().replace(from, to);
    f.Type(broken);
    f.Dialogs.AnswerMessage(QMessageBox::Cancel);
    f.Toggle();
    QCOMPARE(f.Dialogs.Calls().back().Kind, TDialogKind::MessageBox);
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Misformed XML!"));
    const QString message = reason.isEmpty() ? ParserMessage(broken.toLatin1()) : reason;
    QVERIFY(!message.isEmpty());
    QCOMPARE(f.Dialogs.Calls().back().Text,
             QStringLiteral("Your XML Code is not correct, if you choose OK your work will be lost!\n\r\n\r") + message);
    QCOMPARE(f.Dialogs.Calls().back().Buttons, QMessageBox::Ok | QMessageBox::Cancel);
    QCOMPARE(f.Dialogs.Calls().back().DefaultButton, QMessageBox::Cancel);
    // Nothing changed: still the source view with the broken text.
    QVERIFY(f.View->Active());
    QVERIFY(f.View->Memo1()->isVisible());
    QCOMPARE(f.View->Text(), broken);
    QCOMPARE(f.CanvasCommandsOn(), 0);
    QVERIFY(f.Form->Action("mnCopy")->shortcut().isEmpty());
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(f.Form->Modified());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::malformedOkGivesEmptyPage_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("not well-formed") << "<screen><items>";
    QTest::newRow("other root") << "<Screen><items><item><type>Label</type></item></items></Screen>";
    QTest::newRow("no root") << "<?xml version=\"1.0\"?>\r\n<!-- items -->";
}

void TestSourceView::malformedOkGivesEmptyPage()
{
    QFETCH(QString, text);
    TSourceFixture f;
    f.Toggle();
    f.Type(text);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Toggle();
    QCOMPARE(f.MessageCount(), 1);
    QVERIFY(!f.View->Active());
    QVERIFY(!f.View->Memo1()->isVisible());
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(!f.Form->Modified());
    QCOMPARE(f.CanvasCommandsOn(), 4);
    // The page settings stay; controls and video window are gone.
    QCOMPARE(f.Form->WindowInfos().DefaultItem, 3);
    QVERIFY(f.Form->WindowInfos().HasBackground);
    QCOMPARE(f.Form->WindowInfos().VideoWindow().Width, 0);
    // The text is given up, a skin description not yet written is not: it stays to be saved.
    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("AuthorX"));
    f.Toggle();
    f.Type(text);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Toggle();
    QVERIFY(f.Form->Modified());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::textAfterRootIgnored()
{
    TSourceFixture f;
    f.Toggle();
    f.Type(f.View->Text() + QStringLiteral("<foo/>"));
    f.Toggle();
    QVERIFY(!f.View->Active());
    QCOMPARE(f.Form->Layers().Count(), 2);
    QCOMPARE(f.MessageCount(), 0);
}

void TestSourceView::saveInSourceViewWritesText()
{
    TSourceFixture f;
    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("AuthorX"));
    f.Toggle();
    f.Type(f.View->Text().replace(QStringLiteral("Caf&#x80;"), QStringLiteral("5 \u20AC &amp; more")));
    QVERIFY(f.Form->Modified());
    QVERIFY(f.Form->mnSave2Click());
    QVERIFY(!f.Form->Modified());
    // The skin description goes with the text.
    QVERIFY(ReadBytes(f.Folder + QStringLiteral("index.xml")).contains("<author>AuthorX</author>"));
    // Written as the page document writes it: the euro sign is byte 0x80, written as a reference.
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("page.xml")), SamplePage("5 &#x80; &amp; more"));
    QVERIFY(f.View->Active());
}

void TestSourceView::saveMalformedReportedNothingWritten_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("road");
    QTest::addColumn<QString>("message");  // %1: the file not written
    const QString root = QStringLiteral("Cannot write \"%1\": Invalid Document: the root element is \"%2\", not \"screen\"");
    const QString none = QStringLiteral("Cannot write \"%1\": Invalid Document: the text has no root element");
    QTest::newRow("malformed, Save Page") << "<screen>" << "save" << ParserMessage("<screen>");
    QTest::newRow("other case, Ctrl+S") << "<Screen><items/></Screen>" << "ctrl+s" << root.arg(QStringLiteral("%1"), "Screen");
    QTest::newRow("other root, toolbar") << "<foo/>" << "toolbar" << root.arg(QStringLiteral("%1"), "foo");
    QTest::newRow("empty, Save Page as...") << "" << "save as" << none;
    QTest::newRow("no root, Yes on closing") << "<!-- gone -->" << "close" << none;
    QTest::newRow("other root, Yes on New Page") << "<foo/>" << "new page" << root.arg(QStringLiteral("%1"), "foo");
}

// Every save that takes the text refuses one that is no page: nothing written, the page still modified.
void TestSourceView::saveMalformedReportedNothingWritten()
{
    QFETCH(QString, text);
    QFETCH(QString, road);
    QFETCH(QString, message);
    TSourceFixture f;
    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("AuthorX"));
    const QByteArray index = ReadBytes(f.Folder + QStringLiteral("index.xml"));
    f.Toggle();
    f.Type(text);
    QString target = f.Folder + QStringLiteral("page.xml");
    if (road == QLatin1String("save as")) {
        target = f.Folder + QStringLiteral("copy.xml");
        f.Dialogs.AnswerSaveFile(target);
    }
    if (road == QLatin1String("close") || road == QLatin1String("new page"))
        f.Dialogs.AnswerMessage(QMessageBox::Yes);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    if (road == QLatin1String("save")) {
        QVERIFY(!f.Form->mnSave2Click());
    } else if (road == QLatin1String("ctrl+s")) {
        QVERIFY(f.View->Memo1()->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    } else if (road == QLatin1String("toolbar")) {
        QTest::mouseClick(f.Form->findChild<QToolBar*>("ToolBar1")->widgetForAction(f.Form->Action("mnSave")),
                          Qt::LeftButton);
    } else if (road == QLatin1String("save as")) {
        f.Form->Action("mnSaveAs")->trigger();
    } else if (road == QLatin1String("close")) {
        QVERIFY(!f.Form->close());
    } else {
        f.Form->Action("mnNew")->trigger();
    }
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Dialogs.Pending(), std::size_t(0));
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(f.Dialogs.Calls().back().Text, message.contains(QLatin1String("%1")) ? message.arg(target) : message);
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("page.xml")), SamplePage());
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("copy.xml")), QByteArray("<missing>"));
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("index.xml")), index);
    QVERIFY(f.Form->Modified());
    // The text stays in the source view as typed.
    QVERIFY(f.View->Active());
    QCOMPARE(f.View->Text(), text);
}

void TestSourceView::characterWithoutByteRefused()
{
    TSourceFixture f;
    f.Toggle();
    const QString text = f.View->Text().replace(QStringLiteral("Caf&#x80;"), QStringLiteral("\u0100"));
    f.Type(text);
    // Leaving: refused with a message that names the character; the text stays to be corrected.
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Toggle();
    QVERIFY(f.View->Active());
    QCOMPARE(f.View->Text(), text);
    QCOMPARE(f.CanvasCommandsOn(), 0);
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
    QVERIFY(f.Dialogs.Calls().back().Text.contains(QStringLiteral("\"\u0100\" in line 11")));
    // Saving: refused the same way, nothing written.
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    QVERIFY(!f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(f.Folder + QStringLiteral("page.xml")), SamplePage());
    QCOMPARE(f.MessageCount(), 2);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::keysStayInEditor()
{
    TSourceFixture f;
    f.Toggle();
    QApplication::setActiveWindow(f.Form.get());
    f.View->Memo1()->setFocus();
    QVERIFY(QApplication::focusWidget());
    QVERIFY(QApplication::focusWidget() == f.View->Memo1() || f.View->Memo1()->isAncestorOf(QApplication::focusWidget()));
    // The canvas's key handler leaves the keys to the editor.
    for (int key : {int(Qt::Key_Delete), int(Qt::Key_F4), int(Qt::Key_Left)})
        QVERIFY(!f.Form->FormKeyDown(key, Qt::NoModifier));
    // Typing reaches the text and marks the page.
    QVERIFY(!f.Form->Modified());
    f.View->Memo1()->setCursorPosition(0, 0);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
    QVERIFY(f.View->Text().startsWith(QLatin1Char('x')));
    QVERIFY(f.Form->Modified());
}

void TestSourceView::pageCommandsFillEditor()
{
    TSourceFixture f;
    f.Toggle();
    // New Page while the source view is active: the empty page's text, not modified.
    f.Type(QStringLiteral("<screen/>"));
    f.Dialogs.AnswerMessage(QMessageBox::No);
    f.Form->mnNew1Click();
    QCOMPARE(f.View->Text(), Latin(EmptyPage()));
    QVERIFY(!f.Form->Modified());
    // Open Page: the file's text.
    f.OpenPage(f.Folder + QStringLiteral("page.xml"));
    QCOMPARE(f.View->Text(), Latin(SamplePage()));
    QVERIFY(!f.Form->Modified());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::unsavedCanvasChangeKeptOnEnter()
{
    TSourceFixture f;
    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("AuthorX"));
    f.Form->SetSelection(static_cast<TItemLayer*>(f.Form->Layers().Items(0)));
    f.Form->DeleteSelected();
    QVERIFY(f.Form->Modified());
    f.Toggle();
    // The deleted label is gone from the text, and the change is still unsaved.
    QVERIFY(!f.View->Text().contains(QStringLiteral("<item>")));
    QVERIFY(f.Form->Modified());
    // Opening a page asks first; Yes saves the text.
    f.Dialogs.AnswerMessage(QMessageBox::Yes);
    f.OpenPage(f.Folder + QStringLiteral("page.xml"));
    QCOMPARE(f.MessageCount(), 1);
    for (const TDialogCall& call : f.Dialogs.Calls())
        if (call.Kind == TDialogKind::MessageBox)
            QCOMPARE(call.Text, QStringLiteral("Save changes in skin?"));
    const QByteArray saved = ReadBytes(f.Folder + QStringLiteral("page.xml"));
    QVERIFY(!saved.contains("<item>"));
    QVERIFY(saved.contains("<videowindow"));
    QVERIFY(ReadBytes(f.Folder + QStringLiteral("index.xml")).contains("<author>AuthorX</author>"));
    QCOMPARE(f.View->Text(), Latin(saved));
    QVERIFY(!f.Form->Modified());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::typedTextKeptThroughSourceView_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("typed");
    QTest::newRow("skin description") << "Author" << "Someone";
    QTest::newRow("page settings") << "DefaultItem" << "7";
}

// Typed into the inspector and not confirmed, a value goes through the source view and back, and the
// page stays marked.
void TestSourceView::typedTextKeptThroughSourceView()
{
    QFETCH(QString, line);
    QFETCH(QString, typed);
    TSourceFixture f;
    f.TypeIntoInspector(line, typed, false);
    f.Toggle();
    QVERIFY(f.Form->Modified());
    f.Toggle();
    QCOMPARE(Inspector(*f.Form)->DisplayValue(line), typed);
    f.Dialogs.AnswerMessage(QMessageBox::Cancel);
    QVERIFY(!f.Form->close());
    QCOMPARE(f.Dialogs.Calls().back().Text, QStringLiteral("Save changes in skin?"));
}

void TestSourceView::projectCommandsShowNewEmptyPage()
{
    TSourceFixture f;
    const QString other = f.MakeProject(QStringLiteral("Other"));
    f.Toggle();
    const QByteArray empty = EmptyPage();
    // Open Project: the old project's page does not follow into the new one.
    f.OpenProject(other);
    QCOMPARE(f.Form->ProjectFolder(), other);
    QCOMPARE(f.View->Text(), Latin(empty));
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(other + QStringLiteral("Unnamed1.xml")), empty);
    f.Toggle();
    QCOMPARE(f.Form->Layers().Count(), 0);

    // New Project likewise.
    f.Toggle();
    f.Type(Latin(SamplePage()));
    f.Dialogs.AnswerMessage(QMessageBox::No);
    QTemporaryDir parent;
    f.NewSkin.Answer.Name = QStringLiteral("Fresh");
    f.NewSkin.Answer.Path = parent.path();
    f.Form->mnNewProjectClick();
    QCOMPARE(f.Form->ProjectFolder(), parent.path() + QStringLiteral("/Fresh/"));
    QCOMPARE(f.View->Text(), Latin(empty));
    QVERIFY(!f.Form->Modified());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestSourceView::copyKeysFollowMode()
{
    TSourceFixture f;
    QApplication::setActiveWindow(f.Form.get());
    f.Toggle();
    // In the editor Ctrl+C copies the selected text, not a control.
    f.View->Memo1()->setFocus();
    f.View->Memo1()->setSelection(1, 0, 1, 7);
    QApplication::clipboard()->clear();
    QTest::keyClick(f.View->Memo1(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("<screen"));
    QCOMPARE(f.Form->CopyElem(), nullptr);
    // On the canvas the action copies the selected control into the internal clipboard.
    f.Toggle();
    f.Form->SetSelection(static_cast<TItemLayer*>(f.Form->Layers().Items(0)));
    f.Form->setFocus();
    QTest::keyClick(f.Form.get(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(f.Form->CopyElem());
    QCOMPARE(f.Form->CopyElem()->Name(), std::string("Control"));
}

void TestSourceView::inspectorReadOnlyInSourceView()
{
    TSourceFixture f;
    QWidget* inspector = f.Form->ToolWindow("frmTools")->widget();
    QVERIFY(inspector->isEnabled());
    f.Toggle();
    // Shown again through the View menu it edits nothing: page settings live in the text now.
    f.Form->Action("Properties1")->trigger();
    QVERIFY(f.Form->ToolWindow("frmTools")->isVisible());
    QVERIFY(!inspector->isEnabled());
    f.Toggle();
    QVERIFY(inspector->isEnabled());
}

// Round trips through the source view leave every tool window its size; closing the editor in it
// saves the windows as they are outside it.
void TestSourceView::toolWindowsAsOutsideSourceView()
{
    TSourceFixture f;
    f.Form->ToolWindow("frmDoubles")->show();
    f.Form->resizeDocks({f.Form->ToolWindow("frmTools")}, {300}, Qt::Vertical);
    const auto heights = [&] {
        QTest::qWait(1);
        return QList<int>{f.Form->ToolWindow("frmTools")->height(), f.Form->ToolWindow("frmObjects")->height(),
                          f.Form->ToolWindow("frmDoubles")->height()};
    };
    const QList<int> before = heights();
    for (int trip = 0; trip < 2; ++trip) {
        f.Toggle();
        f.Toggle();
        QCOMPARE(heights(), before);
    }
    f.Form->ToolWindow("frmFonts")->show();
    const QList<int> outside = heights();
    f.Toggle();
    f.Restart();
    for (const char* window : {"frmTools", "frmObjects", "frmFonts", "frmDoubles"})
        QVERIFY2(f.Form->ToolWindow(window)->isVisible(), window);
    QVERIFY(!f.Form->ToolWindow("frmAspectRatio")->isVisible());
    QCOMPARE(heights(), outside);
    // Closed by the user after a trip through the source view, a window stays closed.
    f.Toggle();
    f.Toggle();
    f.Form->Action("Objects1")->trigger();
    f.Restart();
    QVERIFY(!f.Form->ToolWindow("frmObjects")->isVisible());
}

QTEST_MAIN(TestSourceView)
#include "tst_sourceview.moc"
