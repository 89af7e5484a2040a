// Translation from language files: windows take their texts from their section, a missing section
// is filled with the window's texts, the 22 texts and element captions, and the Language menu.
#include "EditorFixture.h"

#include "editor/TranslatableStrings.h"
#include "editor/colour/PictureBox.h"
#include "editor/colour/ScreenHSV.h"
#include "editor/dialogs/NewSkinDialog.h"
#include "editor/dialogs/StartupDialog.h"
#include "editor/settings/ConfigDir.h"
#include "editor/settings/EditorSettings.h"
#include "editor/translate/CommaText.h"
#include "editor/tools/MoveDialog.h"
#include "editor/translate/UTranslate.h"
#include "support/FileSizeLimit.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <optional>

namespace {

template <class T>
T* Named(T* component, const char* name)
{
    component->setObjectName(QLatin1String(name));
    return component;
}

// A window with one component of each kind the language files know.
struct TSample {
    QDialog Form;
    QPushButton* btOK = Named(new QPushButton(QStringLiteral("&OK"), &Form), "btOK");
    QLabel* lblName = Named(new QLabel(QStringLiteral("&Name"), &Form), "lblName");
    QLineEdit* edName = Named(new QLineEdit(&Form), "edName");
    QGroupBox* gbSize = Named(new QGroupBox(QStringLiteral("Size"), &Form), "gbSize");
    QPushButton* btnSearch = Named(new QPushButton(QStringLiteral("..."), &Form), "btnSearch");
    QCheckBox* cbBig = Named(new QCheckBox(QStringLiteral("Big"), &Form), "cbBig");
    QLabel* lblMulti = Named(new QLabel(QStringLiteral("two\nlines"), &Form), "lblMulti");
    QPushButton* nameless = new QPushButton(QStringLiteral("nameless"), &Form);
    QMenu* mnFile = Named(new QMenu(QStringLiteral("&File"), &Form), "mnFile");
    QAction* mnOpen = Named(mnFile->addAction(QStringLiteral("Open")), "mnOpen");
    QAction* mnSep = Named(mnFile->addSeparator(), "mnSep");
    QListWidget* lbLines = Named(new QListWidget(&Form), "lbLines");
    QTabWidget* pcPages = Named(new QTabWidget(&Form), "pcPages");
    QWidget* tsRGB = Named(new QWidget, "tsRGB");

    TSample()
    {
        Form.setObjectName(QStringLiteral("frmSample"));
        Form.setWindowTitle(QStringLiteral("Sample"));
        btOK->setToolTip(QStringLiteral("Closes the window"));
        edName->setToolTip(QStringLiteral("Your name"));
        btnSearch->setToolTip(QStringLiteral("Search"));
        btnSearch->setProperty("Tag", 1);
        cbBig->setProperty("Tag", 100);
        mnOpen->setStatusTip(QStringLiteral("Opens a page"));
        lbLines->setProperty("CheckListBox", true);
        lbLines->addItems({QStringLiteral("a b"), QStringLiteral("c"), QStringLiteral("say \"hi\"")});
        pcPages->addTab(tsRGB, QStringLiteral("RGB"));
    }

    QStringList Lines() const
    {
        QStringList out;
        for (int i = 0; i < lbLines->count(); ++i)
            out << lbLines->item(i)->text();
        return out;
    }
};

const QByteArray SampleSection = "[frmSample]\r\n"
                                 "Caption=Sample\r\n"
                                 "btOK.Caption=&OK\r\n"
                                 "btOK.Hint=Closes the window\r\n"
                                 "lblName.Caption=&Name\r\n"
                                 "edName.Hint=Your name\r\n"
                                 "gbSize.Caption=Size\r\n"
                                 "cbBig.Caption=Big\r\n"
                                 "mnFile.Caption=&File\r\n"
                                 "mnOpen.Caption=Open\r\n"
                                 "mnOpen.Hint=Opens a page\r\n"
                                 "lbLines=\"a b\",c,\"say \"\"hi\"\"\"\r\n"
                                 "tsRGB.Caption=RGB\r\n"
                                 "\r\n";

// The program folder of a main-window test, with its language folder; restored afterwards.
struct TProgram {
    TEditorFixture F;
    QString Folder;

    explicit TProgram(const QString& languageFolder = QStringLiteral("Language/Quorvantel"))
    {
        const QString program = F.Path(QStringLiteral("program"));
        Folder = program + QLatin1Char('/') + languageFolder + QLatin1Char('/');
        QDir().mkpath(Folder);
        ConfigDir().LoadUserModeSettings(program);
    }
    ~TProgram()
    {
        F.Form.reset();
        ConfigDir() = TConfigDir();
        LanguageFile.clear();
        ResetTranslatableStrings();
    }
    void Start(const QByteArray& language)
    {
        WriteBytes(F.Path(QStringLiteral("varnholt.ini")),
                   "[General]\r\nLanguage=" + language + "\r\nnoshowstartup=1\r\n");
        F.Start();
    }
    QString Text(const char* name) const
    {
        if (QAction* a = F.Form->Action(name))
            return a->text();
        if (QMenu* m = F.Form->Menu(name))
            return m->title();
        return F.Form->findChild<QToolButton*>(QLatin1String(name))->text();
    }
};

const QByteArray German = "[MainForm]\r\n"
                          "btEditWindow.Caption=Fenster\r\n"
                          "mnFile.Caption=&Datei\r\n"
                          "mnNewProject.Caption=Neues Projekt\r\n"
                          "mnNewProject.Hint=Legt ein Projekt an\r\n"
                          "\r\n"
                          "[Strings]\r\n1=Ende\r\n3=Unbenannt1\r\n22=Anderes Projekt...\r\n\r\n"
                          "[Menuitems]\r\n0=Bild\r\n1=Beschriftung\r\n";

} // namespace

class TestTranslate : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetTranslatableStrings(); }

    void commaText_data();
    void commaText();
    void sectionReplacesTexts();
    void emptyCheckListValueKeepsLines();
    void missingSectionIsWritten_data();
    void missingSectionIsWritten();
    void taggedWindowIsNotRead();
    void failuresAreReportedAndNothingIsLost_data();
    void failuresAreReportedAndNothingIsLost();
    void newSkinDialogOnEveryShowKeepsTaggedTexts();
    void firstShowAppliesChosenLanguage();
    void missingWindowsFillTheFile();
    void languageMenuSwitches();
    void languageFileNamesAreTakenAsTheyAre();
    void everyWindowTranslatesAtItsMoment();
};

void TestTranslate::commaText_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("readBack");
    const QStringList abc{"a", "b", "c"};
    QTest::newRow("plain") << abc << "a,b,c" << abc;
    QTest::newRow("blank quoted") << QStringList{"a b", "c"} << "\"a b\",c" << QStringList{"a b", "c"};
    QTest::newRow("quotes doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"" << QStringList{"say \"hi\""};
    QTest::newRow("comma quoted") << QStringList{"x,y"} << "\"x,y\"" << QStringList{"x,y"};
    QTest::newRow("one empty line") << QStringList{""} << "\"\"" << QStringList{""};
    QTest::newRow("empty line inside") << QStringList{"a", "", "b"} << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("no lines") << QStringList{} << "" << QStringList{};
}

void TestTranslate::commaText()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, text);
    QFETCH(QStringList, readBack);
    QCOMPARE(GetCommaText(lines), text);
    QCOMPARE(SetCommaText(text), readBack);
    // Read only: an unquoted blank splits, blanks around commas go, a trailing comma adds a line.
    QCOMPARE(SetCommaText(QStringLiteral(" a b , c,")), (QStringList{"a", "b", "c", ""}));
    QCOMPARE(SetCommaText(QStringLiteral("\"open")), QStringList{"open"});
}

void TestTranslate::sectionReplacesTexts()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("german.lng"));
    WriteBytes(file, "[FRMSAMPLE]\r\ncaption=Beispiel\r\nbtOK.Caption=&Gut\r\nbtok.hint=Schlie\xdft\r\n"
                     "lblName.Caption=\r\nedName.Text=Hans\r\nbtnSearch.Caption=Suchen\r\nbtnSearch.Hint=Sucht\r\n"
                     "cbBig.Caption=Gro\xdf\r\nmnOpen.Caption=\xd6" "ffnen\r\nmnOpen.Hint=\xd6" "ffnet\r\n"
                     "mnSep.Caption=Trenner\r\ntsRGB.Caption=RGB!\r\nlbLines=x,\"y z\"\r\n");
    const QByteArray before = ReadBytes(file);
    TSample s;
    TranslateForm(&s.Form, file);
    QCOMPARE(s.Form.windowTitle(), QStringLiteral("Beispiel"));
    QCOMPARE(s.btOK->text(), QStringLiteral("&Gut"));
    QCOMPARE(s.btOK->toolTip(), QStringLiteral("Schließt"));
    QCOMPARE(s.lblName->text(), QString());            // a key with an empty value empties the text
    QCOMPARE(s.edName->text(), QStringLiteral("Hans"));
    QCOMPARE(s.btnSearch->text(), QStringLiteral("...")); // tag 1
    QCOMPARE(s.btnSearch->toolTip(), QStringLiteral("Search"));
    QCOMPARE(s.cbBig->text(), QStringLiteral("Groß"));  // tag 100; the file is Windows-1252 here
    QCOMPARE(s.mnOpen->text(), QStringLiteral("Öffnen"));
    QCOMPARE(s.mnOpen->statusTip(), QStringLiteral("Öffnet"));
    QVERIFY(s.mnSep->isSeparator());
    QCOMPARE(s.pcPages->tabText(0), QStringLiteral("RGB!"));
    QCOMPARE(s.Lines(), (QStringList{"x", "y z"}));
    QCOMPARE(s.gbSize->title(), QStringLiteral("Size")); // no key: kept
    QCOMPARE(s.lblMulti->text(), QStringLiteral("two\nlines"));
    QCOMPARE(ReadBytes(file), before); // reading never writes
}

void TestTranslate::emptyCheckListValueKeepsLines()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.lng"));
    WriteBytes(file, "[frmSample]\r\nlbLines=\r\n");
    TSample s;
    TranslateForm(&s.Form, file);
    QCOMPARE(s.Lines(), (QStringList{"a b", "c", "say \"hi\""}));
}

void TestTranslate::missingSectionIsWritten_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("no file") << QByteArray() << SampleSection;
    QTest::newRow("other sections kept, written as UTF-8")
        << QByteArray("[Strings]\r\n1=M\xfc" "de\r\n") << "[Strings]\r\n1=M\xc3\xbc" "de\r\n\r\n" + SampleSection;
}

void TestTranslate::missingSectionIsWritten()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("english.lng"));
    if (!before.isEmpty())
        WriteBytes(file, before);
    TSample s;
    TranslateForm(&s.Form, file);
    QCOMPARE(ReadBytes(file), after);
    QCOMPARE(s.btOK->text(), QStringLiteral("&OK"));
    // Read back, the file gives every text as it was, the two-line label included.
    TSample t;
    TranslateForm(&t.Form, file);
    QCOMPARE(t.lblMulti->text(), QStringLiteral("two\nlines"));
    QCOMPARE(ReadBytes(file), after);
}

void TestTranslate::taggedWindowIsNotRead()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("x.lng"));
    WriteBytes(file, "[frmSample]\r\nCaption=Beispiel\r\nbtOK.Caption=&Gut\r\n");
    TSample s;
    s.Form.setProperty("Tag", 3);
    TranslateForm(&s.Form, file);
    QCOMPARE(s.Form.windowTitle(), QStringLiteral("Sample"));
    QCOMPARE(s.btOK->text(), QStringLiteral("&OK"));
    // It is filled instead: its components, but not its caption, over the keys that were there.
    const QByteArray text = ReadBytes(file);
    QVERIFY(text.startsWith("[frmSample]\r\nCaption=Beispiel\r\nbtOK.Caption=&OK\r\nbtOK.Hint=Closes the window\r\n"));
}

void TestTranslate::failuresAreReportedAndNothingIsLost_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("folder missing") << "missing" << "Cannot create file";
    QTest::newRow("write cut short") << "limit" << "Cannot write file";
    QTest::newRow("unreadable") << "folder" << "Cannot open file";
}

void TestTranslate::failuresAreReportedAndNothingIsLost()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    QTemporaryDir dir;
    TScriptedDialogs dialogs;
    TDialogsOverride use(dialogs);
    dialogs.AnswerMessage(QMessageBox::Ok);
    QString file = dir.filePath(QStringLiteral("keep.lng"));
    const QByteArray old = "[Strings]\r\n1=Ende\r\n" + QByteArray(40, ';') + "\r\n";
    if (kind == QLatin1String("missing"))
        file = dir.filePath(QStringLiteral("no/such/folder/english.lng"));
    else if (kind == QLatin1String("folder"))
        QDir().mkpath(file + QStringLiteral("/inner"));
    else
        WriteBytes(file, old);

    TSample s;
    {
        // The old file is shorter than this, the new one longer.
        std::optional<TFileSizeLimit> limit;
        if (kind == QLatin1String("limit"))
            QVERIFY(limit.emplace(64).Active());
        TranslateForm(&s.Form, file);
    }

    QCOMPARE(dialogs.Calls().size(), std::size_t(1));
    QCOMPARE(dialogs.Calls()[0].Caption, QStringLiteral("Varnholt 2.0"));
    QVERIFY2(dialogs.Calls()[0].Text.startsWith(message), qPrintable(dialogs.Calls()[0].Text));
    QVERIFY(dialogs.Calls()[0].Text.contains(file));
    QCOMPARE(s.Form.windowTitle(), QStringLiteral("Sample"));
    if (kind == QLatin1String("limit"))
        QCOMPARE(ReadBytes(file), old);
    if (kind == QLatin1String("folder"))
        QVERIFY(QFileInfo(file + QStringLiteral("/inner")).isDir());
    QCOMPARE(QDir(QFileInfo(file).absolutePath()).entryList(QDir::Files).size(), kind == "limit" ? 1 : 0);
}

void TestTranslate::newSkinDialogOnEveryShowKeepsTaggedTexts()
{
    QTemporaryDir dir;
    LanguageFile = dir.filePath(QStringLiteral("german.lng"));
    TfrmNewSkin dialog;
    dialog.show();
    dialog.hide();
    // The first show filled the file; the texts of tagged components are not in it.
    QByteArray text = ReadBytes(LanguageFile);
    QVERIFY(text.startsWith("[frmNewSkin]\r\nCaption=Create a new Skin\r\n"));
    QVERIFY(text.contains("\r\nlblName.Caption=&Name\r\n"));
    QVERIFY(text.contains("\r\nbtnOK.Caption=&OK\r\n"));
    QVERIFY(!text.contains("btnSearch") && !text.contains("udWidth") && !text.contains("udHeight"));

    text.replace("btnOK.Caption=&OK", "btnOK.Caption=&Gut\r\nbtnSearch.Caption=Suchen\r\nudWidth.Hint=Breite");
    WriteBytes(LanguageFile, text);
    dialog.show();
    QCOMPARE(dialog.btnOK->text(), QStringLiteral("&Gut"));
    QCOMPARE(dialog.btnSearch->text(), QStringLiteral("..."));
    QCOMPARE(dialog.udWidth->toolTip(), QString());
    dialog.hide();
    LanguageFile.clear();
}

void TestTranslate::firstShowAppliesChosenLanguage()
{
    TProgram p(QStringLiteral("language/QUORVANTEL"));
    WriteBytes(p.Folder + QStringLiteral("German.lng"), German);
    p.Start("German");
    QCOMPARE(LanguageFile, p.Folder + QStringLiteral("German.lng"));
    QCOMPARE(p.Text("btEditWindow"), QStringLiteral("Fenster"));
    QCOMPARE(p.Text("btEditSource"), QStringLiteral("Edit Source")); // no key: kept
    QCOMPARE(p.Text("mnFile"), QStringLiteral("&Datei"));
    QCOMPARE(p.Text("mnNewProject"), QStringLiteral("Neues Projekt"));
    QCOMPARE(p.F.Form->Action("mnNewProject")->statusTip(), QStringLiteral("Legt ein Projekt an"));
    QCOMPARE(TranslatableString(1), QStringLiteral("Ende"));
    QCOMPARE(TranslatableString(2), QStringLiteral("Save changes in skin?")); // no key "2"
    QCOMPARE(p.F.Form->FileName(), QStringLiteral("Unbenannt1.xml"));
    QCOMPARE(p.F.Form->windowTitle(), QStringLiteral("Editor - Unbenannt1 - Unbenannt1.xml"));
    QCOMPARE(p.F.Form->LastProjects().value(0), QStringLiteral("Another existing project...")); // read before
    const QList<QAction*> elements = p.F.Form->Menu("mnElements")->actions();
    QCOMPARE(elements.value(0)->text(), QStringLiteral("Bild"));
    QCOMPARE(elements.value(1)->text(), QStringLiteral("Beschriftung"));
    QCOMPARE(elements.value(2)->text(), QStringLiteral("Button"));
    QVERIFY(elements.value(18)->isSeparator());
}

void TestTranslate::missingWindowsFillTheFile()
{
    TProgram p;
    p.Start("English");
    // At start-up a missing chosen file is not applied; the windows translated later create it.
    const QString file = p.Folder + QStringLiteral("english.lng");
    QCOMPARE(LanguageFile, file);
    TMemIniFile ini(file);
    // Every window but the unused-pictures list ("frmDoubles") writes its section.
    QStringList sections = ini.ReadSections();
    sections.sort(Qt::CaseInsensitive);
    QCOMPARE(sections, (QStringList{"frmAspectRatio", "frmObjects", "frmTools", "MainForm"}));
    QCOMPARE(ini.ReadString("MainForm", "btEditSource.Caption", "?"), QStringLiteral("Edit Source"));
    QCOMPARE(ini.ReadString("MainForm", "mnFile.Caption", "?"), QStringLiteral("File"));
    QCOMPARE(ini.ReadString("MainForm", "mnLanguage.Caption", "?"), QStringLiteral("Language"));
    QCOMPARE(ini.ReadString("frmObjects", "mnuSortbyID.Caption", "?"), QStringLiteral("&Sort by ID"));
    for (const QString& key : ini.ReadSection("MainForm")) {
        QVERIFY2(!key.startsWith(QLatin1String("StatusPanel")), qPrintable(key)); // panels are no components
        QVERIFY2(ini.ReadString("MainForm", key, "") != QLatin1String("-"), qPrintable(key));
    }
    QCOMPARE(p.F.MessageCount(), 0);
    // The fonts window adds its section at its first activation, with its caption and texts.
    p.F.Form->ToolWindow("frmFonts")->show();
    ini.Reload();
    QCOMPARE(ini.ReadString("frmFonts", "Caption", "?"), QStringLiteral("Edit Fonts"));
    QCOMPARE(ini.ReadString("frmFonts", "lbl_Fontname.Caption", "?"), QStringLiteral("Fontname:"));
    QVERIFY(!ini.SectionExists("frmDoubles"));
}

void TestTranslate::languageMenuSwitches()
{
    TProgram p;
    WriteBytes(p.Folder + QStringLiteral("German.lng"), German);
    WriteBytes(p.Folder + QStringLiteral("English.LNG"),
               "[MainForm]\r\nmnFile.Caption=File\r\nbtEditWindow.Caption=Window Settings\r\n\r\n"
               "[Strings]\r\n1=Exit\r\n");
    WriteBytes(p.Folder + QStringLiteral(".hidden.lng"), "");
    WriteBytes(p.Folder + QStringLiteral("notes.txt"), "");
    p.Start("german");
    QMenu* menu = p.F.Form->Menu("mnLanguage");
    QStringList names;
    QStringList checked;
    for (QAction* a : menu->actions()) {
        names << a->text();
        if (a->isChecked())
            checked << a->text();
    }
    QCOMPARE(names, (QStringList{"English", "German"}));
    QCOMPARE(checked, QStringList{"German"});
    QCOMPARE(p.Text("mnFile"), QStringLiteral("&Datei"));

    menu->actions()[0]->trigger();
    QCOMPARE(LanguageFile, p.Folder + QStringLiteral("English.LNG"));
    QCOMPARE(p.Text("mnFile"), QStringLiteral("File"));
    QCOMPARE(p.Text("btEditWindow"), QStringLiteral("Window Settings"));
    QCOMPARE(TranslatableString(1), QStringLiteral("Exit"));
    QCOMPARE(TranslatableString(3), QStringLiteral("Unbenannt1")); // no key: the current text stays
    QVERIFY(menu->actions()[0]->isChecked() && !menu->actions()[1]->isChecked());
    QCOMPARE(p.F.Form->Settings().Language(), QStringLiteral("English"));
    QVERIFY(p.F.Form->updatesEnabled());
    // Nothing of the main window came from this file's own section but the keys it has.
    QCOMPARE(p.Text("mnNewProject"), QStringLiteral("Neues Projekt"));
}

void TestTranslate::languageFileNamesAreTakenAsTheyAre()
{
    TProgram p;
    WriteBytes(p.Folder + QStringLiteral("R&B.lng"), "[MainForm]\r\nmnFile.Caption=R&B-Datei\r\n");
    // A folder is no language file, whatever its name.
    QDir().mkpath(p.Folder + QStringLiteral("folder.lng"));
    p.Start("english");
    QMenu* menu = p.F.Form->Menu("mnLanguage");
    QCOMPARE(menu->actions().size(), 1);
    QAction* item = menu->actions()[0];
    // Shown with its "&", not as an accelerator.
    QCOMPARE(item->text(), QStringLiteral("R&&B"));
    QVERIFY(!item->isChecked());
    item->trigger();
    QCOMPARE(LanguageFile, p.Folder + QStringLiteral("R&B.lng"));
    QCOMPARE(p.Text("mnFile"), QStringLiteral("R&B-Datei"));
    QCOMPARE(p.F.Form->Settings().Language(), QStringLiteral("R&B"));
    QVERIFY(!QFileInfo::exists(p.Folder + QStringLiteral("RB.lng")));
}

void TestTranslate::everyWindowTranslatesAtItsMoment()
{
    TProgram p;
    const QByteArray file = German
        + "\r\n[frmTools]\r\nCaption=Eigenschaften\r\n\r\n"
          "[frmObjects]\r\nCaption=Objekte\r\nmnuSortbyID.Caption=Nach &ID\r\n\r\n"
          "[frmAspectRatio]\r\nCaption=Seitenverh\xe4ltnis\r\nButton1.Caption=&Skalieren\r\nlblWidth.Caption=&Breite:\r\n\r\n"
          "[frmFonts]\r\nCaption=Schriften\r\n\r\n"
          "[frmDoubles]\r\nCaption=Doppelte\r\n\r\n"
          "[SelectionForm]\r\nCaption=Verschieben\r\ngbMove.Caption=Versatz\r\nlblX.Caption=&Waagrecht\r\n\r\n"
          "[frmStartup]\r\nCaption=Bitte w\xe4hlen\r\n\r\n"
          "[FormHSV]\r\nCaption=Farbwahl\r\nButton1.Caption=&Gut\r\nImage2.Hint=Eine Farbe\r\n"
          "editRed.Text=abc\r\neditHue.Text=abc\r\neditGreen.Text=abc\r\nGroupBox1.Caption=&Deckkraft\r\nlblRed.Caption=&Rot\r\n";
    const QString path = p.Folder + QStringLiteral("German.lng");
    WriteBytes(path, file);
    p.Start("German");
    TMainForm& main = *p.F.Form;

    // Created at the first activation: the inspector, the element list and the Aspect window.
    QCOMPARE(main.ToolWindow("frmTools")->windowTitle(), QStringLiteral("Eigenschaften"));
    QCOMPARE(main.ToolWindow("frmObjects")->windowTitle(), QStringLiteral("Objekte"));
    QCOMPARE(main.findChild<QAction*>(QStringLiteral("mnuSortbyID"))->text(), QStringLiteral("Nach &ID"));
    QCOMPARE(main.ToolWindow("frmAspectRatio")->windowTitle(), QStringLiteral("Seitenverh\u00e4ltnis"));
    QCOMPARE(main.findChild<QLabel*>(QStringLiteral("lblWidth"))->text(), QStringLiteral("&Breite:"));
    // Never the unused-pictures list; the fonts window at its first activation.
    QCOMPARE(main.ToolWindow("frmDoubles")->windowTitle(), QStringLiteral("Doubles"));
    QCOMPARE(main.ToolWindow("frmFonts")->windowTitle(), QStringLiteral("Edit Fonts"));
    main.ToolWindow("frmFonts")->show();
    QCOMPARE(main.ToolWindow("frmFonts")->windowTitle(), QStringLiteral("Schriften"));
    main.ToolWindow("frmDoubles")->show();
    QCOMPARE(main.ToolWindow("frmDoubles")->windowTitle(), QStringLiteral("Doubles"));

    // The Move and start-up dialogs when first shown, also where no window is ever activated.
    TSelectionForm move(main.Document(), &main);
    TfrmStartup startup(main.Settings(), &main);
    {
        TNoActivation noActivation;
        for (QDialog* dialog : {static_cast<QDialog*>(&move), static_cast<QDialog*>(&startup)}) {
            dialog->show();
            dialog->hide();
        }
    }
    QCOMPARE(move.windowTitle(), QStringLiteral("Verschieben"));
    QCOMPARE(move.gbMove->title(), QStringLiteral("Versatz"));
    QCOMPARE(move.findChild<QLabel*>(QStringLiteral("lblX"))->text(), QStringLiteral("&Waagrecht"));
    QCOMPARE(startup.windowTitle(), QStringLiteral("Bitte w\u00e4hlen"));

    // The colour selector on every show; its numbers never come from the file.
    TFormHSV hsv(&main);
    hsv.SetColor32(0x80102030u);
    hsv.show();
    QCOMPARE(hsv.windowTitle(), QStringLiteral("Farbwahl"));
    QCOMPARE(hsv.Button1->text(), QStringLiteral("&Gut"));
    QCOMPARE(hsv.GroupBox1->title(), QStringLiteral("&Deckkraft"));
    QCOMPARE(hsv.Image2->toolTip(), QStringLiteral("Eine Farbe"));
    QCOMPARE(hsv.findChild<QLabel*>(QStringLiteral("lblRed"))->text(), QStringLiteral("&Rot"));
    QCOMPARE(hsv.editRed->text(), QStringLiteral("16"));
    QCOMPARE(hsv.editGreen->text(), QStringLiteral("32"));
    QCOMPARE(hsv.editHue->text(), QString::number(hsv.Hue()));
    QCOMPARE(hsv.edAlpha->value(), 128);
    QCOMPARE(hsv.GetColor32(), 0x80102030u);
    hsv.hide();
    QByteArray changed = file;
    changed.replace("Caption=Farbwahl", "Caption=Farbe");
    WriteBytes(path, changed);
    hsv.show();
    QCOMPARE(hsv.windowTitle(), QStringLiteral("Farbe"));
    hsv.hide();
    // Every window found its section: nothing was written.
    QCOMPARE(ReadBytes(path), changed);
}

QTEST_MAIN(TestTranslate)
#include "tst_translate.moc"
