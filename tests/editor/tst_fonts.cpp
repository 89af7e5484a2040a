// The fonts window: "font.xml" read on opening a project and written whole, byte for byte, after
// every change; the built-in "debug" line; faces kept as written; failed writes lose nothing.
#include "EditorFixture.h"

#include "editor/fonts/FontsWindow.h"
#include "platform/ui/QtDialogs.h"
#include "skinmodel/SkinFonts.h"

#include <QDockWidget>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <sys/stat.h>

namespace {

// "font.xml" text with one element per font: name, face, height, style.
QByteArray FontFile(std::initializer_list<std::array<const char*, 4>> fonts)
{
    QByteArray text("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n");
    if (fonts.size() == 0)
        return text + "<fonts/>\r\n";
    text += "<fonts>\r\n";
    for (const auto& font : fonts) {
        text += "  <font>\r\n";
        for (int i = 0; i < 4; ++i) {
            static const char* const tags[] = {"name", "filename", "height", "style"};
            text += QByteArray("    <") + tags[i] + ">" + font[i] + "</" + tags[i] + ">\r\n";
        }
        text += "  </font>\r\n";
    }
    return text + "</fonts>\r\n";
}

// `style` as in "font.xml": 1 bold, 2 italic, 4 underline.
QFont Chosen(const QString& face, int points, int style = 0)
{
    QFont font(face);
    font.setPointSize(points);
    font.setBold(style & 1);
    font.setItalic(style & 2);
    font.setUnderline(style & 4);
    return font;
}

// The font dialog opens on `initial` and shows it as `shownAs` ("substitute": the face put in its place;
// empty: as the standard dialog shows it); the user sets `points` and, when given, another face and style.
void AnswerShown(TScriptedDialogs& dialogs, const QFont& initial, const QString& shownAs, int points,
                 const QString& face = QString(), int style = -1)
{
    QFont shown = FontDialogShows(initial);
    if (!shownAs.isEmpty())
        shown.setFamily(shownAs == QLatin1String("substitute") ? QFontInfo(initial).family() : shownAs);
    QFont chosen = shown;
    chosen.setPointSize(points);
    if (!face.isEmpty())
        chosen.setFamily(face);
    if (style >= 0)
        chosen = Chosen(chosen.family(), points, style);
    dialogs.AnswerFont(chosen, shown);
}

// Records the font each font dialog starts with: family, points and the styles set.
class TRecordingDialogs : public TScriptedDialogs {
public:
    QStringList Initial;
    std::optional<QFont> ChooseFont(const QFont& initial, const QString& caption, QFont* shown) override
    {
        Initial << initial.family() + u' ' + QString::number(initial.pointSize()) + (initial.bold() ? " bold" : "")
                       + (initial.italic() ? " italic" : "") + (initial.underline() ? " underline" : "");
        return TScriptedDialogs::ChooseFont(initial, caption, shown);
    }
};

struct TFontsFixture : TEditorFixture {
    QString Folder;
    QString FontPath;

    // Starts the editor on a project whose "font.xml", stored as `name`, holds `fontXml`; `messages`
    // message boxes are answered while it opens.
    TfrmFonts& Open(const QByteArray& fontXml, int messages = 0, const QString& name = QStringLiteral("font.xml"))
    {
        Folder = MakeProject(QStringLiteral("P"));
        QFile::remove(Folder + QStringLiteral("font.xml"));
        FontPath = Folder + name;
        WriteBytes(FontPath, fontXml);
        Start();
        Dialogs.AnswerFolder(Folder);
        for (int i = 0; i < messages; ++i)
            Dialogs.AnswerMessage(QMessageBox::Ok);
        Form->mnOpenProjectClick();
        return *FontsWindow(*Form);
    }

    // Each line's text, or with `values` its face, height and style.
    QStringList Lines(bool values = false) const
    {
        QStringList lines;
        TfrmFonts& w = *FontsWindow(*Form);
        for (int i = 0; i < w.FontCount(); ++i)
            lines << (values ? QStringLiteral("%1 %2 %3").arg(QString::fromStdString(w.Font(i).FileName))
                                   .arg(w.Font(i).Height).arg(w.Font(i).Style)
                             : w.LineText(i));
        return lines;
    }

    // The user picks `chosen` in the font dialog of Add or Edit.
    void Add(const QFont& chosen) { Dialogs.AnswerFont(chosen); FontsWindow(*Form)->btnAddClick(); }
    void Edit(const QFont& chosen) { Dialogs.AnswerFont(chosen); FontsWindow(*Form)->btnEditClick(); }
};

} // namespace

class TestFonts : public QObject {
    Q_OBJECT

private slots:
    void windowInstalled();
    void openReadsFileAfterDebug();
    void projectOpenedBeforeTheWindowExisted();
    void fileThatGivesOnlyDebug_data();
    void fileThatGivesOnlyDebug();
    void addWritesExactBytes();
    void addNames_data();
    void addNames();
    void addRefusedWritesNothing_data();
    void addRefusedWritesNothing();
    void editKeepsNameAndWrites();
    void editDebugNeverWritten();
    void removeDebugRefused();
    void removeFileFontNamedDebugOtherCase();
    void faceNotInstalledKeptAsWritten();
    void selectionStylesReachAddDialog();
    void unwritableFileReportedListUnchanged_data();
    void unwritableFileReportedListUnchanged();
    void noProjectNothingWritten();
    void fileUnderOtherCaseWrittenInPlace();
    void newProjectStartsWithItsOwnFonts();
    void valuesWrittenBackAsRead();
    void addKeepsWhatWasNotPicked_data();
    void addKeepsWhatWasNotPicked();
    void editKeepsWhatWasNotPicked_data();
    void editKeepsWhatWasNotPicked();
};

void TestFonts::windowInstalled()
{
    TFontsFixture f;
    f.Start();
    TfrmFonts* w = FontsWindow(*f.Form);
    QVERIFY(w);
    QCOMPARE(f.Form->ToolWindow("frmFonts")->windowTitle(), QStringLiteral("Edit Fonts"));
    // No project yet: no lines, not even "debug".
    QCOMPARE(w->FontCount(), 0);
    QVERIFY(!w->btnEdit->isEnabled() && !w->btnRemove->isEnabled());
}

void TestFonts::openReadsFileAfterDebug()
{
    TFontsFixture f;
    const QByteArray text = "<fonts>"
                            "<font><name>font12</name><filename>Verdana</filename><height>12</height><style>1</style></font>"
                            "<typeface><NAME>odd</NAME><FileName>Tahoma</FileName><Height>9</Height></typeface>"
                            "<font><name>noheight</name><filename>Arial</filename></font>"
                            "<font><name>bad</name><filename>Arial</filename><height>12pt</height><style>x</style></font>"
                            "<font><name>a</name><name>last</name><filename>F</filename><height>4294967307</height></font>"
                            "<font><name>font12</name><filename>Verdana</filename><height>14</height></font>"
                            "</fonts>";
    TfrmFonts& w = f.Open(text);
    QCOMPARE(f.Lines(), (QStringList{"debug", "font12", "odd", "bad", "last", "font12"}));
    QCOMPARE(f.Lines(true),
             (QStringList{"Arial 12 0", "Verdana 12 1", "Tahoma 9 0", "Arial -1 -1", "F 11 0", "Verdana 14 0"}));
    QVERIFY(w.IsBuiltIn(0));
    QCOMPARE(w.SelectedLine(), -1);
    // Shown with bold, italic and underline; written back as read.
    w.SelectLine(3);
    QVERIFY(w.lblFontname->font().bold() && w.lblFontname->font().italic() && w.lblFontname->font().underline());
    QCOMPARE(w.lblFontsize->text(), QStringLiteral("-1"));
    QVERIFY(f.Dialogs.Calls().size() == 1);  // the folder browser only
}

void TestFonts::projectOpenedBeforeTheWindowExisted()
{
    TFontsFixture f;
    f.Folder = f.MakeProject(QStringLiteral("P"));
    f.FontPath = f.Folder + QStringLiteral("font.xml");
    WriteBytes(f.FontPath, FontFile({{"font12", "Verdana", "12", "1"}}));
    f.Form = std::make_unique<TMainForm>(f.Path(QStringLiteral("varnholt.ini")));
    f.OpenProject(f.Folder);
    f.Form->FirstActivate();
    QCOMPARE(f.Lines(), (QStringList{"debug", "font12"}));
    f.Add(Chosen(QStringLiteral("Arial"), 10));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font12", "Verdana", "12", "1"}, {"font10", "Arial", "10", "0"}}));
}

void TestFonts::fileThatGivesOnlyDebug_data()
{
    QTest::addColumn<QByteArray>("text");  // null: no "font.xml"
    QTest::addColumn<QString>("reason");   // empty: nothing to say, and changes are written
    QTest::newRow("root Fonts") << QByteArray("<Fonts><font><name>a</name><filename>F</filename><height>1</height></font></Fonts>")
                                << QStringLiteral("its root element is \"Fonts\", not \"fonts\"");
    QTest::newRow("malformed") << QByteArray("<fonts><font><name>a</name><filename>F</filename><height>1</height></font>")
                               << QStringLiteral("Invalid XML Element: Erroneous end of tag, expecting </fonts> but </> found");
    QTest::newRow("wrong closing tag")
        << FontFile({{"title24", "Georgia", "24", "1"}, {"body12", "Verdana", "12", "0"}}).replace("</font>", "</fnt>")
        << QStringLiteral("Invalid XML Element: Erroneous end of tag, expecting </font> but </fnt> found");
    // Damaged after the project was opened: found at the first change.
    QTest::newRow("wrong closing tag, later")
        << FontFile({{"title24", "Georgia", "24", "1"}}).replace("</font>", "</fnt>")
        << QStringLiteral("Invalid XML Element: Erroneous end of tag, expecting </font> but </fnt> found");
    QTest::newRow("empty root") << QByteArray("<fonts/>") << QString();
    QTest::newRow("no file") << QByteArray() << QString();
    QTest::newRow("deleted while the dialog answers") << QByteArray() << QString();
}

// A "font.xml" that exists but cannot be read is reported, and Add and Edit refuse with that message
// until the project is opened again; a missing one, also one deleted while the dialog answers, is no fault.
void TestFonts::fileThatGivesOnlyDebug()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    TFontsFixture f;
    const bool damaged = !reason.isEmpty();
    const bool later = QByteArray(QTest::currentDataTag()).endsWith("later");
    const bool meanwhile = QByteArray(QTest::currentDataTag()).endsWith("answers");
    const int messages = damaged ? (later ? 2 : 3) : 0;
    TfrmFonts& w = f.Open(text.isNull() || later ? FontFile({}) : text, messages);
    if (text.isNull() && !meanwhile) {
        QFile::remove(f.FontPath);
        w.LoadFonts(f.FontPath);
    }
    if (later)
        WriteBytes(f.FontPath, text);
    QCOMPARE(f.Lines(), QStringList{"debug"});
    if (!damaged) {
        f.Dialogs.AnswerFont(Chosen(QStringLiteral("Tahoma"), 12), std::nullopt, [&] {
            if (meanwhile)
                QVERIFY(QFile::remove(f.FontPath));
        });
        f.Dialogs.AnswerFont(Chosen(QStringLiteral("Tahoma"), 9));
    }
    w.btnAdd->click();
    w.SelectLine(0);
    w.btnEdit->click();
    QCOMPARE(ReadBytes(f.FontPath), damaged ? text : FontFile({{"font12", "Tahoma", "12", "0"}}));
    QCOMPARE(f.MessageCount(), messages);
    for (const TDialogCall& call : f.Dialogs.Calls())
        QVERIFY(call.Kind != TDialogKind::MessageBox
                || call.Text.contains(QStringLiteral("\"%1\" cannot be read: %2.").arg(f.FontPath, reason)));
    QVERIFY(f.Dialogs.Unexpected().empty());

    WriteBytes(f.FontPath, FontFile({}));
    f.OpenProject(f.Folder);
    f.Add(Chosen(QStringLiteral("Tahoma"), 12));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font12", "Tahoma", "12", "0"}}));
}

void TestFonts::addWritesExactBytes()
{
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"Font12BI", "Arial", "12", "0"}}));
    f.Add(Chosen(QStringLiteral("Tahoma"), 12, 3));
    f.Dialogs.AnswerFont(Chosen(QStringLiteral("Tahoma"), 12, 3));
    w.btnAdd->click();
    f.Add(Chosen(QStringLiteral("Courier & Co"), 8, 4));
    QCOMPARE(f.Lines(), (QStringList{"debug", "Font12BI", "font12bi_1", "font12bi_2", "font8u"}));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"Font12BI", "Arial", "12", "0"}, {"font12bi_1", "Tahoma", "12", "3"},
                                              {"font12bi_2", "Tahoma", "12", "3"}, {"font8u", "Courier &amp; Co", "8", "4"}}));
    QCOMPARE(w.SelectedLine(), -1);
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestFonts::addNames_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("points");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("gap filled, then counted on")
        << FontFile({{"font10", "A", "10", "0"}, {"font10_2", "A", "10", "0"}}) << 10 << false
        << QStringList{"font10_1", "font10_3"};
    QTest::newRow("arial 12 is not debug") << FontFile({}) << 12 << false << QStringList{"font12", "font12_1"};
    QTest::newRow("other case is taken") << FontFile({{"FONT9B", "A", "9", "1"}}) << 9 << true
                                         << QStringList{"font9b_1", "font9b_2"};
}

void TestFonts::addNames()
{
    QFETCH(QByteArray, file);
    QFETCH(int, points);
    QFETCH(bool, bold);
    QFETCH(QStringList, names);
    TFontsFixture f;
    const int before = f.Open(file).FontCount();
    for (int i = 0; i < names.size(); ++i)
        f.Add(Chosen(QStringLiteral("Arial"), points, bold ? 1 : 0));
    QCOMPARE(f.Lines().mid(before), names);
}

void TestFonts::addRefusedWritesNothing_data()
{
    QTest::addColumn<QString>("face");  // empty: the dialog is cancelled
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("message");
    QTest::newRow("cancelled") << QString() << false << QString();
    QTest::newRow("read-only file") << QStringLiteral("Tahoma") << true << QStringLiteral("font.xml");
    QTest::newRow("face without windows-1252") << QStringLiteral("Шрифт") << false << QStringLiteral("Шрифт");
}

void TestFonts::addRefusedWritesNothing()
{
    QFETCH(QString, face);
    QFETCH(bool, readOnly);
    QFETCH(QString, message);
    TFontsFixture f;
    const QByteArray text = "<fonts ><font><name>font8</name><filename>Arial</filename><height>8</height></font></fonts>";
    TfrmFonts& w = f.Open(text);
    if (readOnly)
        QFile::setPermissions(f.FontPath, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    if (readOnly && QFileInfo(f.FontPath).isWritable())
        QSKIP("this user may write read-only files");
    f.Dialogs.AnswerFont(face.isEmpty() ? std::nullopt : std::optional(Chosen(face, 12)));
    if (!message.isEmpty())
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
    w.btnAdd->click();
    QCOMPARE(f.Lines(), (QStringList{"debug", "font8"}));
    QCOMPARE(ReadBytes(f.FontPath), text);
    QCOMPARE(f.MessageCount(), message.isEmpty() ? 0 : 1);
    QVERIFY(message.isEmpty() || f.Dialogs.Calls().back().Text.contains(message));
}

void TestFonts::editKeepsNameAndWrites()
{
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"font12", "Arial", "12", "0"}, {"title", "Verdana", "20", "8"}}));
    w.SelectLine(1);
    QVERIFY(w.btnEdit->isEnabled() && w.btnRemove->isEnabled());
    QCOMPARE(w.lblFontname->text(), QStringLiteral("Arial"));
    QCOMPARE(w.lblFontsize->text(), QStringLiteral("12"));

    // The dialog starts with the line's font; the style's other bits are dropped by OK.
    TRecordingDialogs rec;
    TDialogsOverride use(rec);
    w.SelectLine(2);
    rec.AnswerFont(Chosen(QStringLiteral("Tahoma"), 16, 2));
    w.lbFontsDblClick();
    QCOMPARE(rec.Initial, QStringList{"Verdana 20"});
    QCOMPARE(f.Lines(), (QStringList{"debug", "font12", "title"}));
    QCOMPARE(w.lblFontname->text(), QStringLiteral("Tahoma"));
    QCOMPARE(w.lblFontsize->text(), QStringLiteral("16"));
    QVERIFY(w.lblFontname->font().italic());
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font12", "Arial", "12", "0"}, {"title", "Tahoma", "16", "2"}}));

    const QByteArray before = ReadBytes(f.FontPath);
    rec.AnswerFont(std::nullopt);
    w.btnEditClick();
    QCOMPARE(ReadBytes(f.FontPath), before);
    QVERIFY(rec.Unexpected().empty());
}

void TestFonts::editDebugNeverWritten()
{
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"font12", "Arial", "12", "0"}}));
    WriteBytes(f.FontPath, FontFile({}));
    w.SelectLine(0);
    f.Edit(Chosen(QStringLiteral("Verdana"), 10));
    QCOMPARE(w.lblFontname->text(), QStringLiteral("Verdana"));
    QCOMPARE(f.Lines(true).value(0) + u' ' + w.LineText(0), QStringLiteral("Verdana 10 0 debug"));
    // The file is written all the same, without the built-in line.
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font12", "Arial", "12", "0"}}));
}

void TestFonts::removeDebugRefused()
{
    TFontsFixture f;
    const QByteArray text = "<fonts><font><name>debug</name><filename>F</filename><height>1</height></font></fonts>";
    TfrmFonts& w = f.Open(text);
    for (int row : {0, 1}) {
        w.SelectLine(row);
        w.btnRemoveClick();
    }
    QCOMPARE(f.Lines(), (QStringList{"debug", "debug"}));
    QCOMPARE(ReadBytes(f.FontPath), text);
    QCOMPARE(f.MessageCount(), 0);
}

void TestFonts::removeFileFontNamedDebugOtherCase()
{
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"Debug", "Tahoma", "9", "0"}, {"font8", "Arial", "8", "0"}}));
    w.SelectLine(1);
    w.btnRemove->click();
    QCOMPARE(f.Lines(), (QStringList{"debug", "font8"}));
    QCOMPARE(w.SelectedLine(), -1);
    // The labels and buttons still show the removed font; Edit and Remove then do nothing.
    QCOMPARE(w.lblFontname->text(), QStringLiteral("Tahoma"));
    QVERIFY(w.btnRemove->isEnabled());
    w.btnRemoveClick();
    w.btnEditClick();
    QCOMPARE(f.Lines(), (QStringList{"debug", "font8"}));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font8", "Arial", "8", "0"}}));

    w.SelectLine(1);
    w.btnRemoveClick();
    QCOMPARE(ReadBytes(f.FontPath), FontFile({}));
    QVERIFY(f.Dialogs.Unexpected().empty());
}

void TestFonts::faceNotInstalledKeptAsWritten()
{
    const char* absent = "Nowhere Grotesk Pro";
    QVERIFY(!QFontDatabase::hasFamily(QLatin1String(absent)));
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"title", absent, "20", "0"}}));
    QCOMPARE(w.Font(1).FileName, std::string(absent));

    // Other changes of the list write the face back unchanged.
    f.Add(Chosen(QStringLiteral("Tahoma"), 9));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"title", absent, "20", "0"}, {"font9", "Tahoma", "9", "0"}}));

    // The dialog hands back its stand-in for the missing face: only the size was chosen.
    const QString standIn = QFontInfo(QFont(QLatin1String(absent))).family();
    w.SelectLine(1);
    f.Dialogs.AnswerFont(Chosen(standIn, 22, 1), Chosen(standIn, 20));
    w.btnEditClick();
    QCOMPARE(f.Lines(true).value(1), QLatin1String(absent) + QStringLiteral(" 22 1"));
    QCOMPARE(w.lblFontname->text(), QLatin1String(absent));

    // A face the user picks is taken.
    f.Edit(Chosen(QStringLiteral("Verdana"), 22));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"title", "Verdana", "22", "0"}, {"font9", "Tahoma", "9", "0"}}));
}

void TestFonts::selectionStylesReachAddDialog()
{
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"font8b", "Arial", "8", "1"}, {"font8i", "Arial", "8", "2"}}));
    TRecordingDialogs rec;
    TDialogsOverride use(rec);
    // Before any choice the dialog holds its own first font.
    rec.AnswerFont(std::nullopt);
    w.btnAddClick();
    QCOMPARE(rec.Initial.back(), QStringLiteral("MS Sans Serif 8"));

    // Styles of selected lines are added, never taken away.
    w.SelectLine(1);
    w.SelectLine(2);
    rec.AnswerFont(std::nullopt);
    w.btnAddClick();
    QCOMPARE(rec.Initial.back(), QStringLiteral("MS Sans Serif 8 bold italic"));
}

void TestFonts::unwritableFileReportedListUnchanged_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("meanwhile");  // done while each dialog answers, or just before Remove
    QTest::addColumn<QString>("message");  // %1: the file
    const QString unreadable = QStringLiteral("The fonts of \"%1\" cannot be read: %2. The file is left as it is: "
                                              "Add, Edit and Remove change nothing until the project is opened again.");
    const QString notRegular = QStringLiteral("Cannot write \"%1\": not a regular file");
    QTest::newRow("font.xml is a folder") << QStringLiteral("folder") << false << notRegular;
    QTest::newRow("project folder gone") << QStringLiteral("gone") << false
                                         << QStringLiteral("Cannot create file \"%1\". No such file or directory");
    QTest::newRow("wrong closing tag while the dialog answers")
        << QStringLiteral("closing tag") << true
        << unreadable.arg(QStringLiteral("%1"),
                          QStringLiteral("Invalid XML Element: Erroneous end of tag, expecting </font> but </fnt> found"));
    QTest::newRow("binary junk while the dialog answers")
        << QStringLiteral("junk") << true
        << unreadable.arg(QStringLiteral("%1"), QStringLiteral("Invalid Document: Unexpected text in file prolog"));
    QTest::newRow("a folder while the dialog answers") << QStringLiteral("folder") << true << notRegular;
    QTest::newRow("a FIFO while the dialog answers") << QStringLiteral("fifo") << true << notRegular;
}

// Add, Edit of a line and of "debug", and Remove, each refused: the message, and the list, the
// selection, the labels and the file as they were.
void TestFonts::unwritableFileReportedListUnchanged()
{
    QFETCH(QString, how);
    QFETCH(bool, meanwhile);
    QFETCH(QString, message);
    TFontsFixture f;
    const QByteArray text = FontFile({{"font8", "Arial", "8", "0"}, {"font9", "Arial", "9", "0"}});
    TfrmFonts& w = f.Open(text);
    const QByteArray damaged =
        how == QLatin1String("junk")
            ? QByteArray("\x89PNG\r\n\x1a\n\x01\xff", 10)
            : FontFile({{"font8", "Arial", "8", "0"}, {"font9", "Arial", "9", "0"}, {"handmade", "Georgia", "30", "1"}})
                  .replace("</font>", "</fnt>");
    // What another program does.
    const auto damage = [&] {
        if (how == QLatin1String("gone")) {
            QVERIFY(QDir(f.Folder).removeRecursively());
            return;
        }
        QVERIFY(QFile::remove(f.FontPath));
        if (how == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(f.FontPath));
        else if (how == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(f.FontPath).constData(), 0600), 0);
        else
            WriteBytes(f.FontPath, damaged);
    };
    // The file as that program left it.
    const auto left = [&] {
        const QFileInfo info(f.FontPath);
        if (how == QLatin1String("gone"))
            return !QFileInfo::exists(f.Folder);
        if (how == QLatin1String("folder"))
            return info.isDir();
        if (how == QLatin1String("fifo"))
            return info.exists() && !info.isFile() && !info.isDir();
        return ReadBytes(f.FontPath) == damaged;
    };
    if (!meanwhile)
        damage();
    const QStringList lines = f.Lines();
    const QStringList values = f.Lines(true);

    const struct {
        QPushButton* button;
        int row;
    } steps[] = {{w.btnAdd, 2}, {w.btnEdit, 1}, {w.btnEdit, 0}, {w.btnRemove, 2}};
    for (const auto& step : steps) {
        if (meanwhile) {
            QFile::remove(f.FontPath);
            QDir(f.FontPath).removeRecursively();
            WriteBytes(f.FontPath, text);
            f.OpenProject(f.Folder);
        }
        w.SelectLine(step.row);
        const QStringList labels{w.lblFontname->text(), w.lblFontsize->text()};
        if (step.button != w.btnRemove)
            f.Dialogs.AnswerFont(Chosen(QStringLiteral("Tahoma"), 12), std::nullopt,
                                 meanwhile ? std::function<void()>(damage) : nullptr);
        else if (meanwhile)
            damage();
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
        step.button->click();
        QCOMPARE(f.Lines(), lines);
        QCOMPARE(f.Lines(true), values);
        QCOMPARE(w.SelectedLine(), step.row);
        QCOMPARE((QStringList{w.lblFontname->text(), w.lblFontsize->text()}), labels);
        QVERIFY(left());
        QCOMPARE(f.Dialogs.Calls().back().Text, message.arg(f.FontPath));
        QCOMPARE(f.Dialogs.Calls().back().Caption, QStringLiteral("Varnholt 2.0"));
    }
    // Until the project is opened again even a mended file is not written over: the list lacks its fonts.
    const bool unreadable = message.startsWith(QLatin1String("The fonts"));
    if (unreadable) {
        const QByteArray mended = FontFile({{"font8", "Arial", "8", "0"}, {"handmade", "Georgia", "30", "1"}});
        WriteBytes(f.FontPath, mended);
        w.SelectLine(2);
        f.Dialogs.AnswerMessage(QMessageBox::Ok);
        w.btnRemove->click();
        QCOMPARE(f.Lines(), lines);
        QCOMPARE(ReadBytes(f.FontPath), mended);
        QCOMPARE(f.Dialogs.Calls().back().Text, message.arg(f.FontPath));
    }
    QCOMPARE(f.MessageCount(), unreadable ? 5 : 4);
    QVERIFY(f.Dialogs.Unexpected().empty());
    QCOMPARE(f.Dialogs.Pending(), size_t(0));
}

void TestFonts::noProjectNothingWritten()
{
    TFontsFixture f;
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(f.Dir.path());
    f.Start();
    f.Add(Chosen(QStringLiteral("Tahoma"), 12));
    QDir::setCurrent(cwd);
    QCOMPARE(f.Lines(), QStringList{"font12"});
    QVERIFY(QDir(f.Dir.path()).entryList({QStringLiteral("*.xml")}, QDir::Files).isEmpty());
    QCOMPARE(f.MessageCount(), 0);
}

void TestFonts::fileUnderOtherCaseWrittenInPlace()
{
    TFontsFixture f;
    f.Open(FontFile({{"font8", "Arial", "8", "0"}}), 0, QStringLiteral("Font.XML"));
    QCOMPARE(f.Lines(), (QStringList{"debug", "font8"}));
    f.Add(Chosen(QStringLiteral("Tahoma"), 12));
    QVERIFY(!QFileInfo::exists(f.Folder + QStringLiteral("font.xml")));
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"font8", "Arial", "8", "0"}, {"font12", "Tahoma", "12", "0"}}));
}

void TestFonts::newProjectStartsWithItsOwnFonts()
{
    TFontsFixture f;
    QCOMPARE(f.Open(FontFile({{"font12", "Verdana", "12", "1"}})).FontCount(), 2);
    QTemporaryDir parent;
    f.NewSkin.Answer.Name = QStringLiteral("Fresh");
    f.NewSkin.Answer.Path = parent.path();
    f.Form->mnNewProjectClick();
    const QString fresh = parent.path() + QStringLiteral("/Fresh/");
    QVERIFY(QFileInfo::exists(fresh + QStringLiteral("font.xml")));
    // The old skin's fonts are gone, and a change writes only the new skin's fonts.
    QCOMPARE(f.Lines(), QStringList{QStringLiteral("debug")});
    f.Add(Chosen(QStringLiteral("Arial"), 10));
    QVERIFY(!ReadBytes(fresh + QStringLiteral("font.xml")).contains("Verdana"));
}

void TestFonts::valuesWrittenBackAsRead()
{
    TFontsFixture f;
    const QByteArray text = "<fonts>"
                            "<font><name>caf</name><filename>Caf&#xE9; &amp; &quot;Co&quot;</filename><height>-5</height></font>"
                            "<font><name/><filename></filename><height>x</height><style>x</style></font>"
                            "<face><style>6</style><height>9</height><filename>F</filename><name>late</name></face>"
                            "</fonts>";
    TfrmFonts& w = f.Open(text);
    QCOMPARE(w.Font(1).FileName, std::string("Caf\xE9 & \"Co\""));
    f.Add(Chosen(QStringLiteral("Tahoma"), 12));
    // Every font in list order, its four values in fixed order, "style" also when 0; empty texts as
    // empty-element tags; bytes from 0x80 as references.
    QCOMPARE(ReadBytes(f.FontPath),
             XmlText({"<fonts>", "  <font>", "    <name>caf</name>",
                      "    <filename>Caf&#xE9; &amp; &quot;Co&quot;</filename>", "    <height>-5</height>",
                      "    <style>0</style>", "  </font>", "  <font>", "    <name/>", "    <filename/>",
                      "    <height>-1</height>", "    <style>-1</style>", "  </font>", "  <font>",
                      "    <name>late</name>", "    <filename>F</filename>", "    <height>9</height>",
                      "    <style>6</style>", "  </font>", "  <font>", "    <name>font12</name>",
                      "    <filename>Tahoma</filename>", "    <height>12</height>", "    <style>0</style>",
                      "  </font>", "</fonts>"}));
}

void TestFonts::addKeepsWhatWasNotPicked_data()
{
    QTest::addColumn<QString>("shown");
    QTest::newRow("shown as Sans Serif") << QStringLiteral("Sans Serif");
    QTest::newRow("shown as the substitute") << QStringLiteral("substitute");
    QTest::newRow("as the standard dialog shows") << QString();
}

// The first Add of a run starts from "MS Sans Serif" with the styles of the selected lines; after
// an Edit the next Add starts from the edited face.
void TestFonts::addKeepsWhatWasNotPicked()
{
    QFETCH(QString, shown);
    const char* absent = "Nowhere Grotesk Pro";
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"b", "Arial", "8", "1"}, {"i", "Arial", "8", "2"}, {"title", absent, "20", "0"}}));
    w.SelectLine(1);
    w.SelectLine(2);
    AnswerShown(f.Dialogs, w.FontDialog1(), shown, 8);
    w.btnAdd->click();
    w.SelectLine(3);
    AnswerShown(f.Dialogs, Chosen(QLatin1String(absent), 20), shown, 20);
    w.btnEdit->click();
    AnswerShown(f.Dialogs, w.FontDialog1(), shown, 11);
    w.btnAdd->click();
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"b", "Arial", "8", "1"}, {"i", "Arial", "8", "2"},
                                              {"title", absent, "20", "0"}, {"font8bi", "MS Sans Serif", "8", "3"},
                                              {"font11", absent, "11", "0"}}));
}

// One Edit: the line's face and style; what the dialog shows (empty: as the standard dialog shows it), the
// face and style picked (empty and -1: as shown) and the size set; the face and style kept.
struct TEditCase {
    const char* face; int style;
    const char *shown, *pickFace; int pickStyle, size;
    const char* keptFace; int keptStyle;
};
Q_DECLARE_METATYPE(TEditCase)

void TestFonts::editKeepsWhatWasNotPicked_data()
{
    QTest::addColumn<TEditCase>("edit");
    QTest::newRow("size only, shown as Sans Serif") << TEditCase{"Arial", 0, "Sans Serif", "", -1, 14, "Arial", 0};
    QTest::newRow("nothing, shown as the substitute") << TEditCase{"Arial", 0, "substitute", "", -1, 12, "Arial", 0};
    QTest::newRow("case variant") << TEditCase{"dejavu serif", 0, "", "", -1, 12, "dejavu serif", 0};
    QTest::newRow("bold the stand-in lacks")
        << TEditCase{"Nicht Installiert Grotesk", 1, "", "", -1, 14, "Nicht Installiert Grotesk", 1};
    QTest::newRow("style -1") << TEditCase{"Arial", -1, "", "", -1, 12, "Arial", -1};
    QTest::newRow("installed, spelled exactly") << TEditCase{"DejaVu Sans", 0, "", "", -1, 14, "DejaVu Sans", 0};
    QTest::newRow("another face picked") << TEditCase{"Arial", 1, "", "DejaVu Serif", 0, 14, "DejaVu Serif", 0};
    QTest::newRow("a face of one maker of several")
        << TEditCase{"Arial", 0, "", "Nimbus Sans [urw]", 0, 12, "Nimbus Sans", 0};
    QTest::newRow("another style picked")
        << TEditCase{"Nicht Installiert Grotesk", 8, "", "", 2, 14, "Nicht Installiert Grotesk", 10};
}

void TestFonts::editKeepsWhatWasNotPicked()
{
    QFETCH(TEditCase, edit);
    TFontsFixture f;
    TfrmFonts& w = f.Open(FontFile({{"title", edit.face, "12", qPrintable(QString::number(edit.style))}}));
    w.SelectLine(1);
    AnswerShown(f.Dialogs, Chosen(edit.face, 12, edit.style), edit.shown, edit.size, edit.pickFace, edit.pickStyle);
    w.btnEdit->click();
    QCOMPARE(ReadBytes(f.FontPath), FontFile({{"title", edit.keptFace, qPrintable(QString::number(edit.size)),
                                               qPrintable(QString::number(edit.keptStyle))}}));
    QCOMPARE(w.lblFontname->text(), QLatin1String(edit.keptFace));
}

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
