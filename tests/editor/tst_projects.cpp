// Projects: New Project's files, Open Project's test, the recent list, the Pages menu.
#include "EditorFixture.h"

#include "document/ProjectFolder.h"
#include "document/PageDocument.h"
#include "platform/core/AtomicFile.h"
#include "editor/settings/EditorSettings.h"
#include "editor/tools/InspectorEditor.h"
#include "editor/tools/Inspector.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/uskininfo.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include <exception>
#include <new>

class TestProjects : public QObject {
    Q_OBJECT

private slots:
    void newProjectWritesEveryFile();
    void newProjectRefusesNames_data();
    void newProjectRefusesNames();
    void newProjectCancelChangesNothing();
    void openProjectRefusesFolders_data();
    void openProjectRefusesFolders();
    void openProjectSetsCanvasAndPages();
    void openProjectWithDamagedReferences();
    void openProjectTellsWhatItDoesNotTake_data();
    void openProjectTellsWhatItDoesNotTake();
    void openProjectFailingPartWayChangesNothing();
    void inspectorShowsTheNewSkinInfo_data();
    void inspectorShowsTheNewSkinInfo();
    void recentListMovesAndDrops();
    void recentListReadStopsAtGapAndIsRewritten();
    void pageListSkipsProjectFilesAndHidden();
    void pagesMenuInColumnsOf26();
    void pagesMenuOffWithoutPages();
    void lastProjectsDisabledWithPlaceholderOnly();
    void recentProjectRefusedKeepsEverything();
    void recentProjectAsksBeforeDropping_data();
    void recentProjectAsksBeforeDropping();
};

void TestProjects::newProjectWritesEveryFile()
{
    TEditorFixture f;
    f.Start();
    f.NewSkin.Answer = {QStringLiteral("Blue & Green"), f.Dir.path(), 640, 480, QStringLiteral("Ann"), QString()};
    f.Form->mnNewProjectClick();

    const QString folder = f.Path(QStringLiteral("Blue & Green/"));
    QCOMPARE(f.Form->ProjectFolder(), folder);
    QVERIFY(QFileInfo(folder + QStringLiteral("images")).isDir());
    QCOMPARE(ReadBytes(folder + QStringLiteral("index.xml")),
             XmlText({"<skininfo>", "  <skinname>Blue &amp; Green</skinname>", "  <version>1.0</version>",
                      "  <sizex>640</sizex>", "  <sizey>480</sizey>", "  <author>Ann</author>", "</skininfo>"}));
    QCOMPARE(ReadBytes(folder + QStringLiteral("references.xml")),
             QByteArray::fromStdString(BuiltInReferencesText() + "\r\n"));
    QCOMPARE(ReadBytes(folder + QStringLiteral("font.xml")), XmlText({"<fonts/>"}));
    QCOMPARE(ReadBytes(folder + QStringLiteral("myhome.xml")), EmptyPage());
    // The new folder is a project the editor itself accepts.
    TSkinInfo probe;
    QVERIFY(IsValidProject(folder, probe));
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue & Green - Unnamed1.xml"));
    QCOMPARE(f.Form->LastProjects().value(1), folder);
    QCOMPARE(f.Form->CanvasWidth(), 640);
    QCOMPARE(f.Form->CanvasHeight(), 480);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestProjects::newProjectRefusesNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("slash") << QStringLiteral("a/b");
    QTest::newRow("backslash") << QStringLiteral("a\\b");
    QTest::newRow("dot") << QStringLiteral(".");
    QTest::newRow("dotdot") << QStringLiteral("..");
    QTest::newRow("exists") << QStringLiteral("Taken");
    QTest::newRow("exists in another case") << QStringLiteral("TAKEN");
}

void TestProjects::newProjectRefusesNames()
{
    QFETCH(QString, name);
    TEditorFixture f;
    QDir().mkpath(f.Path(QStringLiteral("Taken")));
    const QString before = QStringList(QDir(f.Dir.path()).entryList()).join(QLatin1Char(','));
    f.Start();
    f.NewSkin.Answer = {name, f.Dir.path(), 720, 576, QString(), QString()};
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->mnNewProjectClick();

    QVERIFY(f.Form->ProjectFolder().isEmpty());
    const TDialogCall& call = f.Dialogs.Calls().back();
    QCOMPARE(call.Caption, QStringLiteral("An error occured"));
    QCOMPARE(call.Text, QStringLiteral("There exists allready a skin project with the given name!\r\n"
                                       "Please choose another name or another folder for the new project"));
    QVERIFY(f.Dialogs.Unexpected().empty());
    QDir dir(f.Dir.path());
    QStringList after = dir.entryList();
    after.removeAll(QStringLiteral("varnholt.ini"));
    QCOMPARE(after.join(QLatin1Char(',')), before);
}

void TestProjects::newProjectCancelChangesNothing()
{
    TEditorFixture f;
    f.Start();
    f.NewSkin.Ok = false;
    f.Form->mnNewProjectClick();
    QCOMPARE(f.NewSkin.Calls, 1);
    QVERIFY(f.Form->ProjectFolder().isEmpty());
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Unnamed1 - Unnamed1.xml"));
}

void TestProjects::openProjectRefusesFolders_data()
{
    QTest::addColumn<QString>("missing");
    QTest::addColumn<QByteArray>("index");
    for (const char* file : {"font.xml", "references.xml", "myhome.xml", "index.xml"})
        QTest::newRow(file) << QString::fromLatin1(file) << ValidIndex();
    QTest::newRow("root SkinInfo") << QString() << XmlText({"<SkinInfo/>"});
    QTest::newRow("not xml") << QString() << QByteArray("<skininfo");
}

void TestProjects::openProjectRefusesFolders()
{
    QFETCH(QString, missing);
    QFETCH(QByteArray, index);
    TEditorFixture f;
    const QString good = f.StartOnPage(QStringLiteral("Good"), {{QStringLiteral("p.xml"), XmlText({"<screen/>"})}});
    const QString bad = f.MakeProject(QStringLiteral("Bad"));
    WriteBytes(bad + QStringLiteral("index.xml"), index);
    if (!missing.isEmpty())
        QFile::remove(bad + missing);
    f.Form->SetModified(true);

    f.Dialogs.AnswerFolder(bad);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpenProject")->trigger();

    const TDialogCall& call = f.Dialogs.Calls().back();
    QCOMPARE(call.Text, QStringLiteral("This ist not a valid Skinproject."));
    QCOMPARE(call.Caption, QStringLiteral("An error occured"));
    // Nothing of the open project and page is lost.
    QCOMPARE(f.Form->ProjectFolder(), good);
    QCOMPARE(f.Form->FileName(), good + QStringLiteral("p.xml"));
    QVERIFY(f.Form->Modified());
    QCOMPARE(QString::fromStdString(f.Form->SkinInfo().Skinname), QStringLiteral("Blue"));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestProjects::openProjectSetsCanvasAndPages()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Blue"), {{QStringLiteral("b.xml"), XmlText({"<screen/>"})},
                                                                  {QStringLiteral("A.xml"), XmlText({"<screen/>"})}});
    f.Start();
    f.OpenProject(folder);
    QCOMPARE(f.Form->ProjectFolder(), folder);
    QCOMPARE(f.Form->CanvasWidth(), 400);
    QCOMPARE(f.Form->CanvasHeight(), 300);
    QCOMPARE(f.Form->PageList(), QStringList({folder + QStringLiteral("A.xml"), folder + QStringLiteral("b.xml"),
                                              folder + QStringLiteral("myhome.xml")}));
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - Unnamed1.xml"));
    QVERIFY(f.Form->Action("mnNew")->isEnabled());
    QVERIFY(f.Form->Action("mnOpen")->isEnabled());
}

void TestProjects::openProjectWithDamagedReferences()
{
    TEditorFixture f;
    const std::string& text = BuiltInReferencesText();
    // Cut off inside the fourth control.
    const std::size_t cut = text.find("<x>192</x>", text.find("<type>togglebutton</type>"));
    const QString folder = f.MakeProject(QStringLiteral("Blue"), {{QStringLiteral("p.xml"),
        XmlText({"<screen>", "<items><item><type>label</type></item></items>", "</screen>"})}});
    WriteBytes(folder + QStringLiteral("references.xml"), QByteArray::fromStdString(text.substr(0, cut)));
    f.Start();
    f.Dialogs.AnswerFolder(folder);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpenProject")->trigger();

    QCOMPARE(f.MessageCount(), 1);
    const TDialogCall& call = f.Dialogs.Calls().back();
    QCOMPARE(call.Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(call.Text, QStringLiteral("\"%1references.xml\": Invalid XML Element: Erroneous end of tag, "
                                       "expecting </control> but </> found").arg(folder));
    QCOMPARE(f.Form->ProjectFolder(), folder);
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Blue - Unnamed1.xml"));
    // The label reference, read before the damage, still applies.
    f.OpenPage(folder + QStringLiteral("p.xml"));
    QCOMPARE(f.Form->Layers().Count(), 1);
    auto* label = dynamic_cast<TItemLayer*>(f.Form->Layers().Items(0));
    QVERIFY(label);
    QCOMPARE(label->GetWidth(), 150);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestProjects::openProjectTellsWhatItDoesNotTake_data()
{
    QTest::addColumn<QByteArray>("sizeX");
    QTest::addColumn<QByteArray>("sizeY");
    QTest::addColumn<bool>("hugeReferences");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QStringList>("lines");  // %1: the project folder
    const QString size = QStringLiteral("\"%1index.xml\": the skin size %2 is outside 1 to 4096; the canvas shows %3");
    const QString references = QStringLiteral("\"%1references.xml\": larger than 256 MB");
    QTest::newRow("within") << QByteArray("4096") << QByteArray("1") << false << QSize(4096, 1) << QStringList();
    QTest::newRow("typos") << QByteArray("39079") << QByteArray("27636") << false << QSize(4096, 4096)
                           << QStringList{size.arg(QLatin1String("%1"), "39079 x 27636", "4096 x 4096")};
    QTest::newRow("largest integer") << QByteArray("2147483647") << QByteArray("576") << false << QSize(4096, 576)
                                     << QStringList{size.arg(QLatin1String("%1"), "2147483647 x 576", "4096 x 576")};
    QTest::newRow("height beyond") << QByteArray("720") << QByteArray("4097") << false << QSize(720, 4096)
                                   << QStringList{size.arg(QLatin1String("%1"), "720 x 4097", "720 x 4096")};
    QTest::newRow("not positive") << QByteArray("0") << QByteArray("-5") << false << QSize(1, 1)
                                  << QStringList{size.arg(QLatin1String("%1"), "0 x -5", "1 x 1")};
    QTest::newRow("references beyond 256 MB") << QByteArray("400") << QByteArray("300") << true << QSize(400, 300)
                                              << QStringList{references};
    QTest::newRow("both") << QByteArray("5000") << QByteArray("300") << true << QSize(4096, 300)
                          << QStringList{references, size.arg(QLatin1String("%1"), "5000 x 300", "4096 x 300")};
}

// The project opens; one message names each file and what was not taken; the description keeps the
// file's values, so that saving writes them back unchanged.
void TestProjects::openProjectTellsWhatItDoesNotTake()
{
    QFETCH(QByteArray, sizeX);
    QFETCH(QByteArray, sizeY);
    QFETCH(bool, hugeReferences);
    QFETCH(QSize, canvas);
    QFETCH(QStringList, lines);
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("Blue"));
    const QByteArray sizes = "<sizex>" + sizeX + "</sizex>\r\n  <sizey>" + sizeY + "</sizey>";
    WriteBytes(folder + QStringLiteral("index.xml"),
               XmlText({"<skininfo>", "  <skinname>Blue</skinname>", ("  " + sizes).constData(), "</skininfo>"}));
    if (hugeReferences) {
        QFile references(folder + QStringLiteral("references.xml"));
        QVERIFY(references.open(QIODevice::WriteOnly) && references.resize((qint64(256) << 20) + 1));
    }
    f.Start();
    f.Dialogs.AnswerFolder(folder);
    if (!lines.isEmpty())
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpenProject")->trigger();

    QCOMPARE(f.Form->ProjectFolder(), folder);
    QCOMPARE(f.MessageCount(), lines.isEmpty() ? 0 : 1);
    if (!lines.isEmpty())
        QCOMPARE(f.Dialogs.Calls().back().Text, lines.join(QLatin1Char('\n')).arg(folder));
    QCOMPARE(QSize(f.Form->CanvasWidth(), f.Form->CanvasHeight()), canvas);
    QCOMPARE(QByteArray::number(f.Form->SkinInfo().SizeX), sizeX);
    f.Form->SetModified(true);
    QVERIFY(f.Form->mnSave2Click());
    QVERIFY(ReadBytes(folder + QStringLiteral("index.xml")).contains(sizes));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

// Whatever fails while a project opens (here the memory, reading "references.xml"), the open
// project and page stay as they were.
void TestProjects::openProjectFailingPartWayChangesNothing()
{
    TEditorFixture f;
    const QString good = f.StartOnPage(QStringLiteral("Good"), {{QStringLiteral("p.xml"),
        XmlText({"<screen>", "<items><item><type>label</type></item></items>", "</screen>"})}});
    const QString other = f.MakeProject(QStringLiteral("Other"), {{QStringLiteral("q.xml"), XmlText({"<screen/>"})}});
    WriteBytes(other + QStringLiteral("index.xml"), XmlText({"<skininfo>", "<skinname>Other</skinname>",
                                                             "<sizex>640</sizex>", "<sizey>480</sizey>", "</skininfo>"}));
    const QStringList pages = f.Form->PageList();
    f.Dialogs.Reset();

    FailNextRead(QStringLiteral("references.xml"), std::make_exception_ptr(std::bad_alloc()));
    f.Dialogs.AnswerFolder(other);
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnOpenProject")->trigger();
    ClearWriteFailures();

    QCOMPARE(f.MessageCount(), 1);
    QCOMPARE(f.Form->ProjectFolder(), good);
    QCOMPARE(&OSDControlFactory().Project(), &f.Form->Document().Project());
    QCOMPARE(f.Form->SkinInfo().Skinname, std::string("Blue"));
    QCOMPARE(f.Form->PageList(), pages);
    QCOMPARE(f.Form->FileName(), good + QStringLiteral("p.xml"));
    QCOMPARE(f.Form->Layers().Count(), 1);
    QCOMPARE(QSize(f.Form->CanvasWidth(), f.Form->CanvasHeight()), QSize(400, 300));
    QVERIFY(OSDControlFactory().HasReferences());
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestProjects::inspectorShowsTheNewSkinInfo_data()
{
    QTest::addColumn<bool>("create");
    QTest::newRow("new project") << true;
    QTest::newRow("open project") << false;
}

void TestProjects::inspectorShowsTheNewSkinInfo()
{
    QFETCH(bool, create);
    TEditorFixture f;
    const QByteArray green = XmlText({"<skininfo>", "  <skinname>Green</skinname>", "  <version>1.0</version>",
                                      "  <sizex>800</sizex>", "  <sizey>600</sizey>"});
    const QString opened = f.MakeProject(QStringLiteral("Green"));
    WriteBytes(opened + QStringLiteral("index.xml"), green + "</skininfo>\r\n");
    f.Start();
    TfrmTools* tools = Inspector(*f.Form);
    QVERIFY(tools && tools->isVisible());
    QCOMPARE(tools->DisplayValue(QStringLiteral("Skinname")), QStringLiteral("Unnamed1"));

    QString folder = opened;
    if (create) {
        f.NewSkin.Answer = {QStringLiteral("Green"), f.Path(QStringLiteral("new")), 800, 600, QString(), QString()};
        f.Form->mnNewProjectClick();
        folder = f.Path(QStringLiteral("new/Green/"));
    } else {
        f.OpenProject(opened);
    }
    QCOMPARE(f.Form->ProjectFolder(), folder);
    // The inspector's own refresh reads the shown description again.
    QTest::qWait(700);
    QCOMPARE(tools->DisplayValue(QStringLiteral("Skinname")), QStringLiteral("Green"));
    QCOMPARE(tools->DisplayValue(QStringLiteral("SizeX")), QStringLiteral("800"));
    QCOMPARE(tools->DisplayValue(QStringLiteral("SizeY")), QStringLiteral("600"));

    f.TypeIntoInspector(QStringLiteral("Author"), QStringLiteral("Eve"));
    QVERIFY(f.Form->Modified());
    QVERIFY(f.Form->mnSave2Click());
    QCOMPARE(ReadBytes(folder + QStringLiteral("index.xml")),
             green + "  <author>Eve</author>\r\n</skininfo>\r\n");
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestProjects::recentListMovesAndDrops()
{
    QStringList list{QStringLiteral("Another existing project...")};
    for (int i = 1; i <= 10; ++i)
        AddRecentProject(list, QStringLiteral("/skins/p%1/").arg(i));
    QCOMPARE(list.size(), 11);
    QCOMPARE(list[1], QStringLiteral("/skins/p10/"));
    // The same folder in another case moves to the top, spelled as just opened.
    AddRecentProject(list, QStringLiteral("/SKINS/P5/"));
    QCOMPARE(list.size(), 11);
    QCOMPARE(list[1], QStringLiteral("/SKINS/P5/"));
    QCOMPARE(list.count(QStringLiteral("/skins/p5/")), 0);
    // An eleventh distinct project drops the oldest.
    AddRecentProject(list, QStringLiteral("/skins/new/"));
    QCOMPARE(list.size(), 11);
    QCOMPARE(list[1], QStringLiteral("/skins/new/"));
    QVERIFY(!list.contains(QStringLiteral("/skins/p1/")));
    QCOMPARE(list[0], QStringLiteral("Another existing project..."));
}

void TestProjects::recentListReadStopsAtGapAndIsRewritten()
{
    TEditorFixture f;
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")),
               "[Files]\r\n1=/a/\r\n2=/b/\r\n4=/d/\r\n");
    f.Start();
    QCOMPARE(f.Form->LastProjects(), QStringList({QStringLiteral("Another existing project..."), QStringLiteral("/a/"),
                                                  QStringLiteral("/b/")}));
    QAction* entry = f.Form->Menu("mnLastprojects")->actions().value(1);
    QVERIFY(entry);
    QCOMPARE(entry->text(), QStringLiteral("/b/"));
    f.Form->close();
    f.Form.reset();
    TEditorSettings settings(f.Path(QStringLiteral("varnholt.ini")));
    QCOMPARE(settings.Ini().ReadSection(QStringLiteral("Files")), QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    QCOMPARE(settings.LastProjects(), QStringList({QStringLiteral("/a/"), QStringLiteral("/b/")}));
}

void TestProjects::pageListSkipsProjectFilesAndHidden()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"), {{QStringLiteral("Index.xml"), "x"},
                                                               {QStringLiteral("Font.xml"), "x"},
                                                               {QStringLiteral(".hidden.xml"), "x"},
                                                               {QStringLiteral("PAGE.XML"), "x"},
                                                               {QStringLiteral("notes.txt"), "x"}});
    QDir().mkpath(folder + QStringLiteral("folder.xml"));
    // The menu offers what Open Page opens: a project file under any case or through a link is none.
    QVERIFY(QFile::link(folder + QStringLiteral("index.xml"), folder + QStringLiteral("start.xml")));
    QVERIFY(QFile::link(folder + QStringLiteral("PAGE.XML"), folder + QStringLiteral("alias.xml")));
    QCOMPARE(ListPageFiles(folder), QStringList({folder + QStringLiteral("alias.xml"), folder + QStringLiteral("myhome.xml"),
                                                 folder + QStringLiteral("PAGE.XML")}));
}

// An empty Pages menu is never shown; with pages a click on its title drops it down.
void TestProjects::pagesMenuOffWithoutPages()
{
    TEditorFixture f;
    const QString folder = f.MakeProject(QStringLiteral("P"));
    f.Start();
    QMenu* menu = f.Form->Menu("mnPages");
    QMenuBar* bar = f.Form->menuBar();
    const auto clickTitle = [&] {
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        QTest::qWait(50);
        const bool shown = menu->isVisible();
        if (QWidget* popup = QApplication::activePopupWidget())
            QTest::keyClick(popup, Qt::Key_Escape);
        return shown;
    };
    QVERIFY(!clickTitle());
    f.OpenProject(folder);
    QVERIFY(clickTitle());
    QCOMPARE(menu->actions().size(), 1);
    f.NewSkin.Answer = {QStringLiteral("Fresh"), f.Dir.path(), 720, 576, QString(), QString()};
    f.Form->mnNewProjectClick();
    QVERIFY(!clickTitle());
}

void TestProjects::pagesMenuInColumnsOf26()
{
    TEditorFixture f;
    QList<QPair<QString, QByteArray>> pages;
    for (int i = 0; i < 59; ++i)
        pages.append({QStringLiteral("page%1.xml").arg(i, 2, 10, QLatin1Char('0')), XmlText({"<screen/>"})});
    const QString folder = f.MakeProject(QStringLiteral("Many"), pages);
    f.Start();
    f.OpenProject(folder);
    QCOMPARE(f.Form->PageList().size(), 60);
    QMenu* menu = f.Form->Menu("mnPages");
    QList<QAction*> top = menu->actions();
    // 26 pages, then the two further columns.
    QCOMPARE(top.size(), 28);
    QCOMPARE(top[0]->text(), QStringLiteral("myhome"));
    QCOMPARE(top[26]->menu()->actions().size(), 26);
    QCOMPARE(top[27]->menu()->actions().size(), 8);
}

void TestProjects::lastProjectsDisabledWithPlaceholderOnly()
{
    TEditorFixture f;
    f.Start();
    emit f.Form->Menu("mnFile")->aboutToShow();
    QVERIFY(!f.Form->Menu("mnLastprojects")->isEnabled());
    QVERIFY(!f.Form->Action("mnSaveAs")->isEnabled());
    f.Form->SetModified(true);
    emit f.Form->Menu("mnFile")->aboutToShow();
    QVERIFY(f.Form->Action("mnSaveAs")->isEnabled());
}

void TestProjects::recentProjectRefusedKeepsEverything()
{
    TEditorFixture f;
    const QString gone = f.Path(QStringLiteral("Gone/"));
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")), QByteArray("[Files]\r\n1=") + gone.toUtf8() + "\r\n");
    const QString good = f.StartOnPage(QStringLiteral("Good"), {{QStringLiteral("p.xml"), XmlText({"<screen/>"})}});
    f.Form->SetModified(true);
    f.Dialogs.Reset();
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    // The recent menu is rebuilt by the open: entry 2 is the missing folder.
    f.Form->Menu("mnLastprojects")->actions().value(1)->trigger();
    // No save question for a folder that is refused anyway.
    QCOMPARE(f.Dialogs.Calls().size(), std::size_t(1));
    QCOMPARE(f.Dialogs.Calls().back().Text, QStringLiteral("This ist not a valid Skinproject."));
    QCOMPARE(f.Form->LastProjects(), QStringList({QStringLiteral("Another existing project..."), good, gone}));
    QCOMPARE(f.Form->ProjectFolder(), good);
    QCOMPARE(f.Form->FileName(), good + QStringLiteral("p.xml"));
    QVERIFY(f.Form->Modified());
}

void TestProjects::recentProjectAsksBeforeDropping_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("yes") << int(QMessageBox::Yes) << true;
    QTest::newRow("no") << int(QMessageBox::No) << true;
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false;
}

void TestProjects::recentProjectAsksBeforeDropping()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    TEditorFixture f;
    const QString first = f.MakeProject(QStringLiteral("First"), {{QStringLiteral("p.xml"), XmlText({"<screen/>"})}});
    const QString second = f.MakeProject(QStringLiteral("Second"));
    f.Start();
    f.OpenProject(second);
    f.OpenProject(first);
    f.OpenPage(first + QStringLiteral("p.xml"));
    f.Form->SetModified(true);
    f.Dialogs.Reset();
    f.Dialogs.AnswerMessage(QMessageBox::StandardButton(answer));
    f.Form->RecentProjectClick(2);
    const TDialogCall& prompt = f.Dialogs.Calls().front();
    QCOMPARE(prompt.Text, QStringLiteral("Save changes in skin?"));
    QCOMPARE(prompt.Caption, QStringLiteral("Open Skin"));
    QCOMPARE(prompt.Icon, QMessageBox::Warning);
    QCOMPARE(f.Form->ProjectFolder(), opened ? second : first);
    QCOMPARE(f.Form->Modified(), !opened);
    QCOMPARE(ReadBytes(first + QStringLiteral("p.xml")) != XmlText({"<screen/>"}), answer == QMessageBox::Yes);
    if (opened)
        QCOMPARE(f.Form->LastProjects().value(1), second);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

QTEST_MAIN(TestProjects)
#include "tst_projects.moc"
