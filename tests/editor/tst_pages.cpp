// Pages: exact bytes back, unread items kept, save prompts, failures that lose nothing.
#include "EditorFixture.h"

#include "canvas/Layers.h"
#include "canvas/view/ImgView32.h"
#include "document/PageXml.h"
#include "platform/core/AtomicFile.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestPictures.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <cerrno>

#include <sys/stat.h>

namespace {

// A page with a video window, an item the editor does not know, a backdrop and every root value.
QByteArray SamplePage()
{
    return XmlText({"<screen default=\"3\" allowoverlay=\"true\" hasbg=\"true\" version=\"Kestralon OSDSkin 1.1\">",
                    "  <items>",
                    "    <item>",
                    "      <description>title</description>",
                    "      <type>Label</type>",
                    "      <x>5</x>",
                    "      <y>6</y>",
                    "      <width>100</width>",
                    "      <height>20</height>",
                    "      <label>Hello</label>",
                    "    </item>",
                    "    <item>",
                    "      <type>hologram</type>",
                    "      <x>5</x>",
                    "      <note a=\"&amp;\">caf&#xE9;</note>",
                    "    </item>",
                    "  </items>",
                    "  <videowindow x=\"10\" y=\"20\" width=\"300\" height=\"200\"/>",
                    "  <Backdrop DefaultFile=\"back.png\" DynamicFile=\"dyn.png\"/>",
                    "</screen>"});
}

// Starts the editor on project "P" with the sample page open; returns the project folder.
QString OpenSample(TEditorFixture& f)
{
    return f.StartOnPage(QStringLiteral("P"), {{QStringLiteral("page.xml"), SamplePage()}});
}

// An unsaved change of the open page: its default item; the dialogs asked so far are forgotten.
void ChangePage(TEditorFixture& f, int defaultItem)
{
    f.Form->WindowInfos().DefaultItem = defaultItem;
    f.Form->SetModified(true);
    f.Dialogs.Reset();
}

} // namespace

class TestPages : public QObject {
    Q_OBJECT

private slots:
    void openSaveGivesSameBytes();
    void newPageSavesEmptyItems();
    void savePromptAnswers_data();
    void savePromptAnswers();
    void closePrompt_data();
    void closePrompt();
    void corruptBackdropKeepsControls();
    void unreadablePageIsReported_data();
    void unreadablePageIsReported();
    void failedSaveKeepsModifiedAndOldFile_data();
    void failedSaveKeepsModifiedAndOldFile();
    void projectFilesAreNeverPages_data();
    void projectFilesAreNeverPages();
    void failedFilesInOneReport_data();
    void failedFilesInOneReport();
    void saveAsNeverWritesAnotherSkinsIndex();
    void saveWithoutProjectAsksForFile();
    void videoWindowElementOnTop();
    void malformedPageKeepsOpenPage();
    void missingPageGivesEmptyPage();
    void pageFromOtherFolderSavedIntoProject();
    void saveNeverReplacesAnotherPage_data();
    void saveNeverReplacesAnotherPage();
    void secondVideoWindowKeptAsRead_data();
    void secondVideoWindowKeptAsRead();
};

void TestPages::openSaveGivesSameBytes()
{
    TEditorFixture f;
    const QString folder = OpenSample(f);
    QCOMPARE(f.Form->UnreadItemCount(), 1);
    QCOMPARE(f.Form->WindowInfos().DefaultItem, 3);
    QCOMPARE(f.Form->WindowInfos().WindowBackdrop().DynamicFile, std::string("dyn.png"));
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - ") + folder + QStringLiteral("page.xml"));

    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(folder + QStringLiteral("page.xml")), SamplePage());
    QCOMPARE(ReadBytes(folder + QStringLiteral("index.xml")), ValidIndex());
    QVERIFY(!f.Form->Modified());
    // Each later save writes the skin description as the inspector shows it.
    for (const QByteArray author : {"AuthorX", "AuthorY"}) {
        f.TypeIntoInspector(QStringLiteral("Author"), QString::fromLatin1(author));
        QVERIFY(f.Form->mnSave2Click());
        QVERIFY(ReadBytes(folder + QStringLiteral("index.xml")).contains("<author>" + author + "</author>"));
    }
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestPages::newPageSavesEmptyItems()
{
    TEditorFixture f;
    const QString folder = OpenSample(f);
    f.Form->mnNew1Click();
    QCOMPARE(f.Form->FileName(), QStringLiteral("Unnamed1.xml"));
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(folder + QStringLiteral("Unnamed1.xml")), EmptyPage());
}

void TestPages::savePromptAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<bool>("saved");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true << true;
    QTest::newRow("no") << int(QMessageBox::No) << true << false;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
}

void TestPages::savePromptAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QFETCH(bool, saved);
    // Open Page, New Page, the Pages menu and New Project all ask before dropping changes.
    const QStringList commands{QStringLiteral("open"), QStringLiteral("new"), QStringLiteral("pages"),
                               QStringLiteral("newproject")};
    for (const QString& command : commands) {
        TEditorFixture f;
        const QString folder = f.StartOnPage(QStringLiteral("P"), {{QStringLiteral("a.xml"), SamplePage()},
                                                                    {QStringLiteral("b.xml"), SamplePage()}});
        ChangePage(f, 9);
        f.Dialogs.AnswerMessage(QMessageBox::StandardButton(answer));
        if (command == QLatin1String("open")) {
            if (opened)
                f.Dialogs.AnswerOpenFile(folder + QStringLiteral("b.xml"));
            f.Form->mnOpen1Click();
        } else if (command == QLatin1String("new")) {
            f.Form->mnNew1Click();
        } else if (command == QLatin1String("pages")) {
            f.Form->PageMenuClick(1);
        } else {
            f.NewSkin.Answer = {QStringLiteral("Fresh"), f.Dir.path(), 720, 576, QString(), QString()};
            f.Form->mnNewProjectClick();
        }
        QVERIFY2(f.Dialogs.Unexpected().empty(), qPrintable(command));
        const TDialogCall& prompt = f.Dialogs.Calls().front();
        QCOMPARE(prompt.Text, QStringLiteral("Save changes in skin?"));
        QCOMPARE(prompt.Caption, QStringLiteral("Open Skin"));
        QCOMPARE(prompt.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(ReadBytes(folder + QStringLiteral("a.xml")).contains("default=\"9\""), saved);
        QCOMPARE(f.Form->Modified(), !opened);
        QCOMPARE(f.Form->FileName() == folder + QStringLiteral("a.xml"), !opened);
    }
}

void TestPages::closePrompt_data()
{
    savePromptAnswers_data();
}

void TestPages::closePrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    QFETCH(bool, saved);
    TEditorFixture f;
    const QString folder = f.StartOnPage(QStringLiteral("P"), {{QStringLiteral("a.xml"), SamplePage()}});
    ChangePage(f, 9);
    f.Dialogs.AnswerMessage(QMessageBox::StandardButton(answer));
    const bool closed = f.Form->close();
    QCOMPARE(closed, opened);
    QCOMPARE(f.Dialogs.Calls().front().Caption, QStringLiteral("Exit"));
    QCOMPARE(ReadBytes(folder + QStringLiteral("a.xml")).contains("default=\"9\""), saved);
}

void TestPages::corruptBackdropKeepsControls()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"), {{QStringLiteral("page.xml"), SamplePage()}});
    WriteBytes(folder + QStringLiteral("images/back.png"), "not a picture at all");
    f.Start();
    f.OpenProject(folder);
    f.OpenPage(folder + QStringLiteral("page.xml"));
    QCOMPARE(f.Form->Layers().Count(), 2);
    QVERIFY(f.Dialogs.Unexpected().empty());
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(folder + QStringLiteral("page.xml")), SamplePage());

    // A good picture becomes the canvas bitmap.
    WriteBytes(folder + QStringLiteral("images/back.png"), EncodePicture(SolidPicture(40, 30, Qt::red), "PNG"));
    f.OpenPage(folder + QStringLiteral("page.xml"));
    QCOMPARE(f.Form->ImgView()->Bitmap().Width(), 40);
}

void TestPages::unreadablePageIsReported_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("reason");  // empty: the parser's message
    QTest::newRow("malformed") << "malformed" << QString();
    QTest::newRow("FIFO") << "fifo" << "not a regular file";
    QTest::newRow("link to a FIFO") << "link" << "not a regular file";
    QTest::newRow("sparse, beyond 256 MB") << "sparse" << "larger than 256 MB";
}

void TestPages::unreadablePageIsReported()
{
    QFETCH(QString, kind);
    QFETCH(QString, reason);
    TEditorFixture f;
    const QByteArray broken = "<screen><items><item>";
    const QString folder = f.MakeProject(QStringLiteral("P"), {{QStringLiteral("bad.xml"), broken}});
    const QString page = folder + QStringLiteral("page.xml");
    if (kind == QLatin1String("fifo") || kind == QLatin1String("link"))
        QCOMPARE(mkfifo(QFile::encodeName(folder + QStringLiteral("fifo")).constData(), 0600), 0);
    if (kind == QLatin1String("fifo"))
        QVERIFY(QFile::rename(folder + QStringLiteral("fifo"), page));
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(folder + QStringLiteral("fifo"), page));
    if (kind == QLatin1String("sparse")) {
        QFile sparse(page);
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(MaxWholeFileBytes + 1));
    }
    const QString opened = kind == QLatin1String("malformed") ? folder + QStringLiteral("bad.xml") : page;
    f.Start();
    f.OpenProject(folder);
    f.Dialogs.AnswerOpenFile(opened);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpen")->trigger();
    const TDialogCall& call = f.Dialogs.Calls().back();
    QCOMPARE(call.Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(call.Icon, QMessageBox::Critical);
    if (reason.isEmpty())
        QVERIFY(!call.Text.isEmpty());
    else
        QCOMPARE(call.Text, QStringLiteral("\"%1\": %2").arg(opened, reason));
    QCOMPARE(f.Form->FileName(), QStringLiteral("Unnamed1.xml"));
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(ReadBytes(folder + QStringLiteral("bad.xml")), broken);
}

void TestPages::failedSaveKeepsModifiedAndOldFile_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("folder") << false;
    QTest::newRow("FIFO") << true;
}

void TestPages::failedSaveKeepsModifiedAndOldFile()
{
    QFETCH(bool, fifo);
    TEditorFixture f;
    const QString folder = OpenSample(f);
    const QString page = folder + QStringLiteral("page.xml");
    f.Form->SetModified(true);
    // The target is no file to be replaced: a folder or a FIFO stands there.
    QFile::remove(page);
    if (fifo)
        QCOMPARE(mkfifo(QFile::encodeName(page).constData(), 0600), 0);
    else
        QDir().mkpath(page);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    QVERIFY(!f.Form->mnSave2Click());
    QVERIFY(f.Form->Modified());
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(f.Dialogs.Calls().back().Text, QStringLiteral("Cannot write \"%1\": not a regular file").arg(page));
    struct stat info {};
    QCOMPARE(::lstat(QFile::encodeName(page).constData(), &info), 0);
    QVERIFY(fifo ? S_ISFIFO(info.st_mode) : S_ISDIR(info.st_mode));
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Form->Layers().Count(), 2);
}

void TestPages::projectFilesAreNeverPages_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("file");  // the project file it stands for
    QTest::newRow("references.xml") << "references.xml" << "references.xml";
    QTest::newRow("index.xml") << "index.xml" << "index.xml";
    QTest::newRow("font.xml") << "font.xml" << "font.xml";
    QTest::newRow("other case") << "Index.XML" << "Index.XML";
    QTest::newRow("link") << "link.xml" << "index.xml";
}

// Opened or saved as a page, a file of the project would become one and the skin be lost.
void TestPages::projectFilesAreNeverPages()
{
    QFETCH(QString, page);
    QFETCH(QString, file);
    TEditorFixture f;
    const QString folder = OpenSample(f);
    if (page == QLatin1String("Index.XML"))
        WriteBytes(folder + page, ValidIndex());
    if (page == QLatin1String("link.xml"))
        QVERIFY(QFile::link(folder + QStringLiteral("index.xml"), folder + page));
    const QString message = QStringLiteral("\"%1\" is a file of the skin project, not a page.").arg(file);
    QStringList names{QStringLiteral("index.xml"), QStringLiteral("references.xml"), QStringLiteral("font.xml"), page};
    QList<QByteArray> before;
    for (const QString& name : names)
        before << ReadBytes(folder + name);

    f.Dialogs.Reset();
    f.Dialogs.AnswerOpenFile(folder + page);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpen")->trigger();
    QCOMPARE(f.Dialogs.Calls().back().Text, message);
    QCOMPARE(f.Form->FileName(), folder + QStringLiteral("page.xml"));
    QCOMPARE(f.Form->Layers().Count(), 2);

    // However the page came by the name, Save Page writes nothing.
    f.Form->Document().SetFileName(folder + page);
    f.Form->SetModified(true);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    QVERIFY(!f.Form->mnSave2Click());
    QCOMPARE(f.Dialogs.Calls().back().Text, message);
    QVERIFY(f.Form->Modified());
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(ReadBytes(folder + names[i]), before[i]);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestPages::failedFilesInOneReport_data()
{
    QTest::addColumn<bool>("pageFails");
    QTest::addColumn<bool>("indexFails");
    QTest::addColumn<QStringList>("lines");
    const QString index = QStringLiteral("Cannot write \"%1index.xml\": No space left on device");
    const QString page = QStringLiteral("Cannot write \"%1page.xml\": Permission denied");
    QTest::newRow("none") << false << false << QStringList();
    QTest::newRow("page") << true << false << QStringList{page};
    QTest::newRow("index.xml") << false << true << QStringList{index};
    QTest::newRow("both") << true << true << QStringList{index, page};
}

void TestPages::failedFilesInOneReport()
{
    QFETCH(bool, pageFails);
    QFETCH(bool, indexFails);
    QFETCH(QStringList, lines);
    TEditorFixture f;
    const QString folder = OpenSample(f);
    f.Form->SkinInfo().Author = "Eve";
    ChangePage(f, 7);
    if (pageFails)
        FailNextWrite(QStringLiteral("page.xml"), TWriteStage::Write, QStringLiteral("Permission denied"));
    if (indexFails)
        FailNextWrite(QStringLiteral("index.xml"), ENOSPC);
    if (!lines.isEmpty())
        f.Dialogs.AnswerMessage(QMessageBox::Ok);

    QCOMPARE(f.Form->mnSave2Click(), lines.isEmpty());
    ClearWriteFailures();
    QCOMPARE(f.MessageCount(), lines.isEmpty() ? 0 : 1);
    if (!lines.isEmpty()) {
        const TDialogCall& call = f.Dialogs.Calls().back();
        QCOMPARE(call.Caption, QStringLiteral("Varnholt 2.0"));
        QCOMPARE(call.Text, lines.join(QLatin1Char('\n')).arg(folder));
    }
    QCOMPARE(ReadBytes(folder + QStringLiteral("page.xml")).contains("default=\"7\""), !pageFails);
    QCOMPARE(ReadBytes(folder + QStringLiteral("index.xml")).contains("<author>Eve</author>"), !indexFails);
    QCOMPARE(f.Form->Modified(), !lines.isEmpty());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestPages::saveAsNeverWritesAnotherSkinsIndex()
{
    TEditorFixture f;
    const QString other = f.MakeProject(QStringLiteral("Other"));
    const QByteArray otherIndex = XmlText({"<skininfo>", "  <skinname>Other</skinname>", "</skininfo>"});
    WriteBytes(other + QStringLiteral("index.xml"), otherIndex);
    const QString mine = f.StartOnPage(QStringLiteral("Mine"), {{QStringLiteral("page.xml"), SamplePage()}});
    // The open project's "index.xml" takes the skin description, whichever folder the page goes to
    // (Save Page then goes on into the file chosen).
    f.Dialogs.AnswerSaveFile(other + QStringLiteral("copy.xml"));
    for (const QByteArray author : {"AuthorX", "AuthorY"}) {
        f.TypeIntoInspector(QStringLiteral("Author"), QString::fromLatin1(author));
        QVERIFY(author == "AuthorX" ? f.Form->mnSaveAsClick() : f.Form->mnSave2Click());
        QCOMPARE(ReadBytes(other + QStringLiteral("copy.xml")), SamplePage());
        QVERIFY(ReadBytes(mine + QStringLiteral("index.xml")).contains("<author>" + author + "</author>"));
        QVERIFY(!f.Form->Modified());
    }
    QCOMPARE(ReadBytes(other + QStringLiteral("index.xml")), otherIndex);
    QCOMPARE(f.Form->ProjectFolder(), mine);
    // With the description unchanged, a page saved elsewhere leaves the project's file alone.
    WriteBytes(mine + QStringLiteral("index.xml"), otherIndex);
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(mine + QStringLiteral("index.xml")), otherIndex);

    // A page is never written over a project file.
    f.Dialogs.AnswerSaveFile(other + QStringLiteral("INDEX.xml"));
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    QVERIFY(!f.Form->mnSaveAsClick());
    QCOMPARE(ReadBytes(other + QStringLiteral("index.xml")), otherIndex);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestPages::saveWithoutProjectAsksForFile()
{
    TEditorFixture f;
    f.Start();
    f.Form->SetModified(true);
    f.Dialogs.AnswerSaveFile(f.Path(QStringLiteral("loose.xml")));
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(f.Path(QStringLiteral("loose.xml"))), EmptyPage());
    QVERIFY(!QFileInfo::exists(f.Path(QStringLiteral("index.xml"))));
    QVERIFY(f.Form->ProjectFolder().isEmpty());
    QVERIFY(!f.Form->Modified());
    // Nothing holds a skin description without a project: changed, it stays to be saved.
    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("Eve"));
    QVERIFY(f.Form->mnSave2Click());
    QVERIFY(f.Form->Modified());
    QVERIFY(!QFileInfo::exists(f.Path(QStringLiteral("index.xml"))));
}

void TestPages::videoWindowElementOnTop()
{
    TEditorFixture f;
    OpenSample(f);
    TLayerCollection& layers = f.Form->Layers();
    QCOMPARE(layers.Count(), 2);
    auto* video = dynamic_cast<TOSDVideoControl*>(layers.Items(1));
    QVERIFY(video);
    QCOMPARE(video->Description, std::string("Videowindow - Non rendering Windowitem"));
    QCOMPARE(video->GetX(), 10);
    QCOMPARE(video->GetWidth(), 300);
    QVERIFY(video->MouseEvents());
}

void TestPages::malformedPageKeepsOpenPage()
{
    TEditorFixture f;
    const QString folder = f.StartOnPage(QStringLiteral("P"), {{QStringLiteral("page.xml"), SamplePage()},
                                                                {QStringLiteral("bad.xml"), "<screen><items><item>"}});
    const QString caption = f.Form->windowTitle();
    const int bad = f.Form->PageList().indexOf(folder + QStringLiteral("bad.xml"));
    QVERIFY(bad >= 0);
    for (const bool throughPagesMenu : {false, true}) {
        ChangePage(f, 9);
        f.Dialogs.AnswerMessage(QMessageBox::No);
        if (throughPagesMenu) {
            f.Dialogs.AnswerMessage(QMessageBox::Ok);
            f.Form->Menu("mnPages")->actions().value(bad)->trigger();
        } else {
            f.Dialogs.AnswerOpenFile(folder + QStringLiteral("bad.xml"));
            f.Dialogs.AnswerMessage(QMessageBox::Ok);
            f.Form->Action("mnOpen")->trigger();
        }
        QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
        QVERIFY(f.Dialogs.Unexpected().empty());
        QCOMPARE(f.Dialogs.Pending(), std::size_t(0));
        // The open page, its name and its changes are all still there.
        QCOMPARE(f.Form->FileName(), folder + QStringLiteral("page.xml"));
        QCOMPARE(f.Form->windowTitle(), caption);
        QCOMPARE(f.Form->Layers().Count(), 2);
        QCOMPARE(f.Form->WindowInfos().DefaultItem, 9);
        QVERIFY(f.Form->Modified());
    }
}

void TestPages::missingPageGivesEmptyPage()
{
    TEditorFixture f;
    const QString folder = OpenSample(f);
    QFile::remove(folder + QStringLiteral("page.xml"));
    const int index = f.Form->PageList().indexOf(folder + QStringLiteral("page.xml"));
    QVERIFY(index >= 0);
    f.Dialogs.Reset();
    f.Form->PageMenuClick(index);
    QVERIFY(f.Dialogs.Calls().empty());
    QCOMPARE(f.Form->FileName(), folder + QStringLiteral("page.xml"));
    QCOMPARE(f.Form->Layers().Count(), 0);
    QVERIFY(!f.Form->Modified());
}

void TestPages::pageFromOtherFolderSavedIntoProject()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"));
    const QString other = f.Path(QStringLiteral("elsewhere/"));
    WriteBytes(other + QStringLiteral("menu.xml"), SamplePage());
    f.Start();
    f.OpenProject(folder);
    f.OpenPage(other + QStringLiteral("menu.xml"));
    f.Form->WindowInfos().DefaultItem = 4;
    f.Form->SetModified(true);
    QFile::remove(folder + QStringLiteral("index.xml"));
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(other + QStringLiteral("menu.xml")), SamplePage());
    QVERIFY(ReadBytes(folder + QStringLiteral("menu.xml")).contains("default=\"4\""));
    // The skin description goes with every save of the project's pages.
    QVERIFY(ReadBytes(folder + QStringLiteral("index.xml")).startsWith(XmlText({"<skininfo>"})));
    QCOMPARE(QDir(other).entryList(QDir::Files), QStringList{QStringLiteral("menu.xml")});
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - ") + folder + QStringLiteral("menu.xml"));
}

void TestPages::saveNeverReplacesAnotherPage_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<int>("answer");  // to the question before replacing; NoButton: none is asked
    for (const char* way : {"new page", "other folder", "closing", "save as, other case"})
        for (const auto& [name, answer] : {std::pair{"yes", QMessageBox::Yes}, {"no", QMessageBox::No},
                                           {"cancel", QMessageBox::Cancel}})
            QTest::addRow("%s, %s", way, name) << QString::fromLatin1(way) << int(answer);
    QTest::newRow("saved as") << "saved as" << int(QMessageBox::NoButton);
    QTest::newRow("saved as, closing") << "saved as, closing" << int(QMessageBox::NoButton);
}

// Save Page writes over no file of the project that the page was not read from or saved to.
void TestPages::saveNeverReplacesAnotherPage()
{
    QFETCH(QString, way);
    QFETCH(int, answer);
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"), {{QStringLiteral("Unnamed1.xml"), SamplePage()},
                                                               {QStringLiteral("menu.xml"), SamplePage()}});
    const QString other = f.Path(QStringLiteral("elsewhere/"));
    WriteBytes(other + QStringLiteral("menu.xml"), XmlText({"<screen/>"}));
    f.Start();
    f.OpenProject(folder);
    const QString mine = folder + (way.startsWith(QLatin1String("new")) || way == QLatin1String("closing")
                                       ? QStringLiteral("Unnamed1.xml") : QStringLiteral("menu.xml"));
    if (way == QLatin1String("other folder"))
        f.OpenPage(other + QStringLiteral("menu.xml"));
    if (way == QLatin1String("new page")) {
        // Read and saved before: the new page is not that one.
        f.OpenPage(folder + QStringLiteral("menu.xml"));
        QVERIFY(f.Form->mnSave2Click());
        f.Form->Action("mnNew")->trigger();
    }
    if (way.startsWith(QLatin1String("saved as"))) {
        f.OpenPage(mine);
        f.Dialogs.AnswerSaveFile(other + QStringLiteral("menu.xml"));
        QVERIFY(f.Form->mnSaveAsClick());
    }
    // "Save Page as..." names the other page in another case: the dialog itself did not ask.
    const bool otherCase = way.endsWith(QLatin1String("other case"));
    if (otherCase)
        f.OpenPage(folder + QStringLiteral("Unnamed1.xml"));
    ChangePage(f, 5);
    const bool closing = way.endsWith(QLatin1String("closing"));
    const int asked = closing || otherCase ? 1 : 0;
    if (closing)
        f.Dialogs.AnswerMessage(QMessageBox::Yes);
    if (otherCase)
        f.Dialogs.AnswerSaveFile(folder + QStringLiteral("MENU.xml"));
    if (answer != QMessageBox::NoButton)
        f.Dialogs.AnswerMessage(QMessageBox::StandardButton(answer));
    if (answer == QMessageBox::No)
        f.Dialogs.AnswerSaveFile(folder + QStringLiteral("fresh.xml"));
    if (closing)
        QCOMPARE(f.Form->close(), answer != QMessageBox::Cancel);
    else if (otherCase)
        f.Form->mnSaveAsClick();
    else
        f.Form->Action("mnSave")->trigger();

    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Dialogs.Pending(), std::size_t(0));
    if (answer != QMessageBox::NoButton) {
        const TDialogCall& question = f.Dialogs.Calls()[asked];
        QCOMPARE(question.Caption, QStringLiteral("Save skin"));
        QCOMPARE(question.Text, QStringLiteral("\"%1\" exists already.\r\nDo you want to replace it?").arg(mine));
        QCOMPARE(question.Buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(question.DefaultButton, QMessageBox::No);
    }
    // "Save Page as..." starts at the page's name in its folder, not in the working folder.
    if (answer == QMessageBox::No)
        QCOMPARE(f.Dialogs.Calls()[asked + 1].File.FileName,
                 way == QLatin1String("other folder") ? other + QStringLiteral("menu.xml")
                 : otherCase                          ? folder + QStringLiteral("Unnamed1.xml")
                                                      : mine);
    QCOMPARE(ReadBytes(mine).contains("default=\"5\""), answer == QMessageBox::Yes);
    QCOMPARE(ReadBytes(folder + QStringLiteral("fresh.xml")).contains("default=\"5\""), answer == QMessageBox::No);
    // After "Save Page as..." the page goes on into the file the title names.
    QCOMPARE(ReadBytes(other + QStringLiteral("menu.xml")).contains("default=\"5\""), answer == QMessageBox::NoButton);
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("MENU.xml")));
    QCOMPARE(f.Form->Modified(), answer == QMessageBox::Cancel);
    // The title names the file written.
    if (answer == QMessageBox::Yes)
        QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - ") + mine);
    if (answer == QMessageBox::NoButton)
        QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - ") + other + QStringLiteral("menu.xml"));
}

void TestPages::secondVideoWindowKeptAsRead_data()
{
    QTest::addColumn<QByteArray>("page");
    QTest::addColumn<QByteArray>("saved");
    const auto page = [](std::initializer_list<const char*> items, const char* videoElement) {
        QByteArray text = XmlText({"<screen default=\"0\" allowoverlay=\"false\" hasbg=\"false\" version=\"Kestralon OSDSkin 1.1\">",
                                   "  <items>"});
        for (const char* item : items)
            text += item;
        text += "  </items>\r\n";
        if (*videoElement)
            text += QByteArray("  ") + videoElement + "\r\n";
        return text + "</screen>\r\n";
    };
    const char* label = "    <item>\r\n      <type>Label</type>\r\n      <x>5</x>\r\n      <y>6</y>\r\n"
                        "      <width>100</width>\r\n      <height>20</height>\r\n      <label>Hello</label>\r\n"
                        "    </item>\r\n";
    const char* first = "    <item>\r\n      <type>videowindow</type>\r\n      <x>7</x>\r\n      <y>8</y>\r\n"
                        "      <width>70</width>\r\n      <height>80</height>\r\n    </item>\r\n";
    const char* second = "    <item>\r\n      <type>videowindow</type>\r\n      <x>1</x>\r\n      <y>2</y>\r\n"
                         "      <width>30</width>\r\n      <height>40</height>\r\n    </item>\r\n";
    // The second one goes after the controls, the first one into "videowindow".
    QTest::newRow("element and item")
        << page({second, label}, "<videowindow x=\"10\" y=\"20\" width=\"300\" height=\"200\"/>")
        << page({label, second}, "<videowindow x=\"10\" y=\"20\" width=\"300\" height=\"200\"/>");
    QTest::newRow("two items") << page({first, label, second}, "")
                               << page({label, second}, "<videowindow x=\"7\" y=\"8\" width=\"70\" height=\"80\"/>");
}

void TestPages::secondVideoWindowKeptAsRead()
{
    QFETCH(QByteArray, page);
    QFETCH(QByteArray, saved);
    TEditorFixture f;
    const QString folder = f.StartOnPage(QStringLiteral("P"), {{QStringLiteral("page.xml"), page}});
    QCOMPARE(f.Form->Layers().Count(), 2);
    QCOMPARE(f.Form->UnreadItemCount(), 1);
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(folder + QStringLiteral("page.xml")), saved);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

QTEST_MAIN(TestPages)
#include "tst_pages.moc"
