// The main window's shell: menus and shortcuts, tool windows, docking layout, start-up choices.
#include "EditorFixture.h"

#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/ConfigDir.h"
#include "editor/settings/EditorSettings.h"
#include "editor/tools/MoveDialog.h"
#include "platform/ui/QtDialogs.h"
#include "skinmodel/controls/VideoControl.h"

#include <QAction>
#include <QDialog>
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

namespace {

// Opens a modal dialog and, once the window manager has framed and placed it, takes its frame and
// closes it.
QRect ShownFrame(const std::function<void()>& open)
{
    QRect frame;
    int settled = 0;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->windowHandle() && dialog->windowHandle()->isExposed() && ++settled == 10) {
            frame = dialog->windowHandle()->frameGeometry();
            dialog->reject();
        }
    });
    look.start(30);
    open();
    return frame;
}

class TScriptedStartup : public IStartupDialog {
public:
    bool Ok = true;
    TStartupChoice Answer;
    int Calls = 0;
    QStringList Shown;
    bool Execute(const QStringList& lastProjects, TStartupChoice& choice) override
    {
        ++Calls;
        Shown = lastProjects;
        choice = Answer;
        return Ok;
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void actionsAndShortcuts_data();
    void actionsAndShortcuts();
    void elementsMenu();
    void startState();
    void toolWindowsAndDockingLayout();
    void unreadableSettingsFileKeepsItsName_data();
    void unreadableSettingsFileKeepsItsName();
    void firstShowWithoutActivation();
    void activeAgainAfterDialog();
    void startupChoices_data();
    void startupChoices();
    void translatableTexts_data();
    void translatableTexts();
    void menuBarAndFileMenu();
    void languageFileFoundWithoutRegardToCase_data();
    void languageFileFoundWithoutRegardToCase();
    void closingClearsSelectionWithoutRefill();
    void destroyedWhileShown();
    void dialogsPlacedUnderWindowManager();
};

void TestMainWindow::actionsAndShortcuts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shortcut");
    const char* rows[][3] = {
        {"mnNewProject", "New Project", "Ctrl+N"}, {"mnOpenProject", "Open Project", "Ctrl+O"}, {"mnNew", "New Page", ""},
        {"mnOpen", "Open Page", ""}, {"mnSave", "Save Page", "Ctrl+S"}, {"mnSaveAs", "Save Page as...", ""},
        {"mnBackground", "Background...", "Ctrl+I"}, {"mnExit", "Exit", ""}, {"mnuCut", "Cut", "Ctrl+X"},
        {"mnCopy", "Copy", "Ctrl+C"}, {"mnPaste", "Paste", "Ctrl+V"}, {"mnClone", "Clone", "Ctrl+D"},
        {"mnDelete", "Delete", ""}, {"mnBringFront", "To front", "F5"}, {"mnSendBack", "To back", "F6"},
        {"mnLevelUp", "One to front", "F7"}, {"mnLevelDown", "One back", "F8"}, {"mnLock", "Lock object", "F9"},
        {"mnHide", "Hide object", "F11"}, {"mnMove", "Move objects", "F10"}, {"mnuAspectRatio", "Aspect Ratio", ""},
        {"Properties1", "Properties", ""}, {"Objects1", "Objects", ""}, {"Fonts1", "Fonts", ""},
        {"mnuDoubles", "Doubles", ""}, {"mnInfo", "Info", ""}, {"mnToFront", "To front", ""}, {"mnToBack", "To back", ""},
    };
    for (const auto& row : rows)
        QTest::newRow(row[0]) << QString::fromLatin1(row[0]) << QString::fromLatin1(row[1]) << QString::fromLatin1(row[2]);
}

void TestMainWindow::actionsAndShortcuts()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QString, shortcut);
    TEditorFixture f;
    f.Start();
    QAction* action = f.Form->Action(name.toLatin1().constData());
    QVERIFY(action);
    QCOMPARE(action->text(), caption);
    QCOMPARE(action->shortcut().toString(), shortcut);
}

void TestMainWindow::elementsMenu()
{
    TEditorFixture f;
    f.Start();
    const QList<QAction*> items = f.Form->Menu("mnElements")->actions();
    QCOMPARE(items.size(), 20);
    QCOMPARE(items[0]->text(), QStringLiteral("Image"));
    QCOMPARE(items[1]->data().toInt(), 5);
    QVERIFY(items[18]->isSeparator());
    QCOMPARE(items[19]->text(), QStringLiteral("VideoWindow"));
    QSignalSpy spy(f.Form.get(), &TMainForm::InsertRequested);
    items[19]->trigger();
    QCOMPARE(spy.value(0).value(0).toInt(), 18);
}

void TestMainWindow::startState()
{
    TEditorFixture f;
    f.Start();
    QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Unnamed1 - Unnamed1.xml"));
    QCOMPARE(f.Form->FileName(), QStringLiteral("Unnamed1.xml"));
    QVERIFY(f.Form->ProjectFolder().isEmpty());
    QVERIFY(!f.Form->Modified());
    for (const char* name : {"mnNew", "mnOpen", "mnSave"})
        QVERIFY2(!f.Form->Action(name)->isEnabled(), name);
    QCOMPARE(f.Form->LastProjects(), QStringList{QStringLiteral("Another existing project...")});
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->Action("mnInfo")->trigger();
    QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("About"));
    QVERIFY(f.Dialogs.Calls().back().Text.startsWith(QStringLiteral("Varnholt for Kestralon Pro 4.1.x+\r\n\r\nVersion: ")));
}

void TestMainWindow::toolWindowsAndDockingLayout()
{
    TEditorFixture f;
    f.Start();
    const char* names[] = {"frmTools", "frmObjects", "frmFonts", "frmDoubles", "frmAspectRatio"};
    const char* captions[] = {"tools", "Objects", "Edit Fonts", "Doubles", "Aspect"};
    for (int i = 0; i < 5; ++i) {
        QDockWidget* dock = f.Form->ToolWindow(names[i]);
        QVERIFY(dock);
        QCOMPARE(dock->windowTitle(), QString::fromLatin1(captions[i]));
        // Without a saved layout the inspector and the element list are shown.
        QCOMPARE(dock->isVisible(), i < 2);
    }
    f.Form->ToolWindow("frmTools")->hide();
    f.Form->ToolWindow("frmFonts")->show();
    f.Form->close();
    f.Form.reset();
    TEditorSettings settings(f.Path(QStringLiteral("varnholt.ini")));
    QVERIFY(settings.HasDockingLayout());
    QVERIFY(!settings.Ini().ReadString(QStringLiteral("DockingLayout"), QStringLiteral("State"), QString()).isEmpty());

    f.Start();
    QVERIFY(!f.Form->ToolWindow("frmTools")->isVisible());
    QVERIFY(f.Form->ToolWindow("frmObjects")->isVisible());
    QVERIFY(f.Form->ToolWindow("frmFonts")->isVisible());
}

void TestMainWindow::unreadableSettingsFileKeepsItsName_data()
{
    QTest::addColumn<bool>("folder");  // else a file too large to read
    QTest::addColumn<bool>("goneAtExit");
    QTest::newRow("still a folder at exit") << true << false;
    QTest::newRow("folder gone at exit") << true << true;
    QTest::newRow("too large, left as it is") << false << false;
}

// Start and exit name the file; it gets the run's settings once it can be written, never over a
// file that still cannot be read.
void TestMainWindow::unreadableSettingsFileKeepsItsName()
{
    QFETCH(bool, folder);
    QFETCH(bool, goneAtExit);
    TEditorFixture f;
    const QString ini = f.Path(QStringLiteral("varnholt.ini"));
    const qint64 large = (qint64(256) << 20) + 1;
    QVERIFY(folder ? QDir().mkpath(ini) : QFile(ini).open(QIODevice::WriteOnly) && QFile::resize(ini, large));
    f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Start();
    const QString project = f.MakeProject(QStringLiteral("P"));
    f.OpenProject(project);
    if (goneAtExit)
        QDir(ini).removeRecursively();
    else
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
    f.Form->findChild<QAction*>(QStringLiteral("mnExit"))->trigger();
    f.Form.reset();
    QCOMPARE(f.MessageCount(), goneAtExit ? 1 : 2);
    for (const TDialogCall& call : f.Dialogs.Calls())
        QVERIFY2(call.Kind != TDialogKind::MessageBox || call.Text.contains(u'"' + ini + u'"'), qPrintable(call.Text));
    QVERIFY(f.Dialogs.Unexpected().empty());
    if (goneAtExit)
        QVERIFY(ReadBytes(ini).contains("[Files]\r\n1=" + project.toUtf8() + "\r\n"));
    else if (!folder)
        QCOMPARE(QFileInfo(ini).size(), large);
}

// No window manager: the first show does what the first activation does, once.
void TestMainWindow::firstShowWithoutActivation()
{
    TEditorFixture f;
    TScriptedStartup startup;
    startup.Ok = false;
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    f.Form->SetStartupDialog(&startup);
    {
        TNoActivation noActivation;
        f.Form->show();
        QTRY_COMPARE(startup.Calls, 1);
        for (const char* name : {"frmTools", "frmObjects", "frmFonts", "frmDoubles", "frmAspectRatio"}) {
            QDockWidget* dock = f.Form->ToolWindow(name);
            QVERIFY2(dock && dock->widget()->objectName() == QLatin1String(name), name);
            QCOMPARE(dock->isVisible(), std::string_view(name) == "frmTools" || std::string_view(name) == "frmObjects");
        }
    }
    f.Form->hide();
    f.Form->show();
    f.Form->activateWindow();
    QTest::qWait(50);
    QCOMPARE(startup.Calls, 1);
}

// No window manager hands the focus back when a dialog closes: the main window takes it itself, so
// its shortcuts keep working.
void TestMainWindow::activeAgainAfterDialog()
{
    TEditorFixture f;
    f.Start();
    QTRY_COMPARE(QApplication::activeWindow(), f.Form.get());
    QDialog dialog(f.Form.get());
    QTimer::singleShot(20, &dialog, &QDialog::accept);
    dialog.exec();
    QTRY_COMPARE(QApplication::activeWindow(), f.Form.get());
}

void TestMainWindow::startupChoices_data()
{
    QTest::addColumn<int>("choice");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("expected");  // the project folder then open
    QTest::addColumn<bool>("noShow");        // the settings say not to ask
    QTest::newRow("new project") << int(TStartupChoice::NewProject) << -1 << QStringLiteral("Made/") << false;
    QTest::newRow("recent line 1") << int(TStartupChoice::OpenProject) << 1 << QStringLiteral("Recent/") << false;
    QTest::newRow("line 0 browses") << int(TStartupChoice::OpenProject) << 0 << QStringLiteral("Browsed/") << false;
    QTest::newRow("no line browses") << int(TStartupChoice::OpenProject) << -1 << QStringLiteral("Browsed/") << false;
    QTest::newRow("neither") << int(TStartupChoice::None) << 1 << QString() << false;
    QTest::newRow("not asked") << int(TStartupChoice::NewProject) << -1 << QString() << true;
}

void TestMainWindow::startupChoices()
{
    QFETCH(int, choice);
    QFETCH(int, line);
    QFETCH(QString, expected);
    QFETCH(bool, noShow);
    TEditorFixture f;
    const QString recent = f.MakeProject(QStringLiteral("Recent"));
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")), QByteArray(noShow ? "[General]\r\nnoshowstartup=1\r\n" : "")
                                                           + "[Files]\r\n1=" + recent.toUtf8() + "\r\n");
    TScriptedStartup startup;
    startup.Answer = {TStartupChoice::Kind(choice), line};
    f.NewSkin.Answer = {QStringLiteral("Made"), f.Dir.path(), 720, 576, QString(), QString()};
    if (expected == QLatin1String("Browsed/"))
        f.Dialogs.AnswerFolder(f.MakeProject(QStringLiteral("Browsed")));
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    f.Form->SetNewSkinDialog(&f.NewSkin);
    f.Form->SetStartupDialog(&startup);
    f.Form->show();
    f.Form->FirstActivate();
    QCOMPARE(startup.Calls, noShow ? 0 : 1);
    QCOMPARE(startup.Shown.value(1), noShow ? QString() : recent);
    QCOMPARE(f.Form->ProjectFolder(), expected.isEmpty() ? QString() : f.Path(expected));
    if (expected.isEmpty())
        QCOMPARE(f.Form->windowTitle(), QStringLiteral("Editor - Unnamed1 - Unnamed1.xml"));
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Dialogs.Pending(), std::size_t(0));
}

void TestMainWindow::translatableTexts_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    const char* texts[] = {
        "Exit", "Save changes in skin?", "Unnamed1", "Open Skin", "Open picture", "Choose a skin.", "Save skin",
        "Your XML Code is not correct, if you choose OK your work will be lost!", "Misformed XML!", "Window info",
        "Skin info", "bold", "italic", "underlined", "normal",
        "Select the folder where the Skinproject shall be created", "An error occured",
        "There exists allready a skin project with the given name!",
        "Please choose another name or another folder for the new project",
        "Select the project folder where the Skinproject is located.", "This ist not a valid Skinproject.",
        "Another existing project...",
    };
    for (int key = 1; key <= 22; ++key)
        QTest::newRow(QByteArray::number(key).constData()) << key << QString::fromLatin1(texts[key - 1]);
    QTest::newRow("0") << 0 << QString();
    QTest::newRow("23") << 23 << QString();
}

void TestMainWindow::translatableTexts()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QCOMPARE(TranslatableString(key), text);
}

void TestMainWindow::menuBarAndFileMenu()
{
    TEditorFixture f;
    f.Start();
    auto entries = [&](const char* menu) {
        QStringList names;
        for (QAction* a : menu ? f.Form->Menu(menu)->actions() : f.Form->menuBar()->actions())
            if (!a->isSeparator())
                names << a->text();
        return names;
    };
    QCOMPARE(entries(nullptr), QStringList({"File", "&Edit", "Pages", "E&lements", "Sele&ction", "View", "&Help"}));
    QCOMPARE(entries("mnFile"), QStringList({"New Project", "Open Project", "Last projects", "New Page", "Open Page",
                                             "Save Page", "Save Page as...", "Background...", "Exit"}));
    QCOMPARE(entries("mnEdit"), QStringList({"Cut", "Copy", "Paste", "Clone", "Delete"}));
    QVERIFY(!f.Form->Action("mnuCut")->isVisible());
    QCOMPARE(entries("mnSelection"), QStringList({"To front", "To back", "One to front", "One back", "Lock object",
                                                  "Hide object", "Move objects", "Aspect Ratio"}));
    QCOMPARE(entries("mnView"), QStringList({"Properties", "Objects", "Fonts", "Doubles", "Aspect Ratio"}));
    QCOMPARE(entries("mnHelp"), QStringList({"Language", "Info"}));
    QCOMPARE(f.Form->findChild<QToolButton*>(QStringLiteral("btnObjects"))->text(), QStringLiteral("E&lements"));
    QVERIFY(f.Form->findChild<QToolButton*>(QStringLiteral("btEditSource"))->isCheckable());
    QCOMPARE(f.Form->findChild<QToolButton*>(QStringLiteral("btEditWindow"))->text(), QStringLiteral("Window Settings"));
}

void TestMainWindow::languageFileFoundWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("onDisk");
    QTest::addColumn<QString>("expected");
    QTest::newRow("lower-cased name") << QString() << QStringLiteral("Language/Quorvantel/german.lng");
    QTest::newRow("other case on disk") << QStringLiteral("language/QUORVANTEL/German.lng")
                                        << QStringLiteral("language/QUORVANTEL/German.lng");
}

void TestMainWindow::languageFileFoundWithoutRegardToCase()
{
    QFETCH(QString, onDisk);
    QFETCH(QString, expected);
    TEditorFixture f;
    const QString program = f.Path(QStringLiteral("program"));
    QDir().mkpath(program);
    if (!onDisk.isEmpty())
        WriteBytes(program + QLatin1Char('/') + onDisk, "[Strings]\r\n");
    ConfigDir().LoadUserModeSettings(program);
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")), "[General]\r\nLanguage=German\r\nnoshowstartup=1\r\n");
    f.Start();
    QCOMPARE(LanguageFile, program + QLatin1Char('/') + expected);
    ConfigDir() = TConfigDir(); // as before: no program folder, so no language file either
}

void TestMainWindow::closingClearsSelectionWithoutRefill()
{
    TEditorFixture f;
    f.Start();
    auto* layer = new TOSDVideoControl(&f.Form->Layers());
    layer->SetLocation(TFloatRect{10, 10, 50, 50});
    f.Form->AttachControl(layer);
    f.Form->SetSelection(layer);
    QSignalSpy spy(&f.Form->Document(), &TPageDocument::SelectionChanged);
    QVERIFY(f.Form->close());
    QVERIFY(!f.Form->Selected());
    QVERIFY(!f.Form->RubberBand());
    // The inspector is left as it was while the window closes.
    QCOMPARE(spy.count(), 0);
    QVERIFY(f.Dialogs.Calls().empty());
}

// Only a sanitized build (scripts/test-sanitized.sh) sees the fault here: the window's base
// destructor hides the docks and destroys the scroll box, and their signals and events must not
// reach the window's or the source view's already destroyed parts.
void TestMainWindow::destroyedWhileShown()
{
    TEditorFixture f;
    f.Start();
    for (const char* name : {"frmTools", "frmObjects", "frmFonts", "frmDoubles", "frmAspectRatio"})
        f.Form->ToolWindow(name)->show();
    int hidden = 0;
    QObject outside;
    QObject::connect(f.Form->ToolWindow("frmFonts"), &QDockWidget::visibilityChanged, &outside,
                     [&hidden](bool visible) { hidden += visible ? 0 : 1; });
    f.Form.reset();
    QCOMPARE(hidden, 1);
}

// Needs a display with a window manager (Xvfb with openbox will do): each kind of dialog opens with its
// frame centred on the main window's frame, and wholly on the screen when the main window is not.
void TestMainWindow::dialogsPlacedUnderWindowManager()
{
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        QSKIP("needs a display with a window manager");
    TEditorFixture f;
    WriteBytes(f.Path(QStringLiteral("varnholt.ini")), "[General]\nnoshowstartup=1\n");
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    f.Form->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.Form.get()));
    QTRY_VERIFY(f.Form->frameGeometry() != f.Form->geometry());
    TQtDialogs real;
    TDialogsOverride scope(real);
    TSelectionForm move(f.Form->Document(), f.Form.get());
    TfrmNewSkin newSkin(f.Form.get());
    TfrmStartup startup(f.Form->Settings(), f.Form.get());
    const QList<QPair<const char*, std::function<void()>>> kinds{
        {"About", [&] { f.Form->Action("mnInfo")->trigger(); }},
        {"Save changes", [] { AskSaveChanges(QStringLiteral("Exit")); }},
        {"Move", [&] { move.Execute(); }},
        {"New skin", [&] { newSkin.exec(); }},
        {"Start-up", [&] { startup.exec(); }},
        {"Select Font", [] { Dialogs().ChooseFont(QFont(), QString()); }},
        {"Folder", [] { BrowseForFolder(QStringLiteral("Select"), QDir::tempPath()); }}};
    const QRect area = f.Form->screen()->availableGeometry();
    QStringList faults;
    for (const bool off : {false, true}) {
        if (off) {
            f.Form->move(area.right() - 512, area.bottom() - 308);
            QTRY_COMPARE(f.Form->windowHandle()->frameGeometry().topLeft(), f.Form->pos());
        }
        const QRect owner = f.Form->windowHandle()->frameGeometry();
        for (const auto& [name, open] : kinds) {
            const QRect frame = ShownFrame(open);
            if (!area.contains(frame) || (!off && (frame.center() - owner.center()).manhattanLength() > 2))
                faults << QStringLiteral("%1 framed at %2,%3 %4x%5 for an owner centred at %6,%7")
                              .arg(QLatin1String(name)).arg(frame.x()).arg(frame.y()).arg(frame.width())
                              .arg(frame.height()).arg(owner.center().x()).arg(owner.center().y());
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1String(", "))));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
