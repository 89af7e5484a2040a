// The Doubles window, the list of unused pictures: which names count as used (element text or attribute value, escaped
// or not, in any case), which are never listed, which files are searched, and the window without a
// project or with a file that cannot be read.
#include "EditorFixture.h"

#include "editor/tools/Doubles.h"
#include "editor/tools/UnusedPictures.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QDockWidget>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

namespace {

struct TPictureCase {
    const char* Picture;   // file in "images"
    const char* Xml;       // a line of "page.xml" under its root
    bool Listed;
};

// Each picture on its own; the expected line is the upper-cased file name.
const TPictureCase PictureCases[] = {
    {"logo.png", "<image>other.png</image>", true},
    {"logo.png", "<image>logo.png</image>", false},
    {"logo.png", "<image>LOGO.PNG</image>", false},
    {"Logo.PNG", "<image>logo.png</image>", false},
    {"back.png", "<Backdrop DefaultFile=\"back.png\"/>", false},
    {"back.png", "<Backdrop DynamicFile='BACK.png'/>", false},
    {"caf\u00e9.png", "<image>caf&#xE9;.png</image>", false},
    {"caf\u00e9.png", "<image>CAF&#xC9;.PNG</image>", false},
    {"caf\u00e9.png", "<image>caf\xE9.png</image>", false},
    {"a&b.png", "<image>a&amp;b.png</image>", false},
    {"a&b.png", "<i v=\"a&amp;b.png\"/>", false},
    {"path.png", "<image>images\\path.png</image>", true},
    {"blank.png", "<image>blank.png </image>", true},
    {"lead.png", "<image> lead.png</image>", false},   // the reader drops leading blanks of a text
    {"split.png", "<image>\r\nsplit.png\r\n</image>", true},
    {"part.png", "<image>part.png.bak</image>", true},
    {"note.png", "<!-- <image>note.png</image> -->", true},
    {"cdata.png", "<image><![CDATA[cdata.png]]></image>", false},
    {"iconAudio.png", "<x/>", false},
    {"ICONAUDIO.PNG", "<x/>", false},
    {"Button_Light_Right.png", "<x/>", false},
};

// The text of a page file: the declaration and one root holding `line`. Bytes are Windows-1252.
QByteArray PageWith(const char* line)
{
    return XmlText({"<screen>", line, "</screen>"});
}

} // namespace

class TestDoubles : public QObject {
    Q_OBJECT

private slots:
    void nameCounts_data();
    void nameCounts();
    void filesSearched();
    void malformedFileStillCounts();
    void orderAndUpperCase();
    void reservedNames();
    void windowLists();
    void windowWithoutProject();
    void unreadableFileIsReported();
};

void TestDoubles::nameCounts_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QByteArray>("xml");
    QTest::addColumn<bool>("listed");
    for (const TPictureCase& c : PictureCases)
        QTest::newRow(c.Xml) << QString::fromUtf8(c.Picture) << QByteArray(c.Xml) << c.Listed;
}

void TestDoubles::nameCounts()
{
    QFETCH(QString, picture);
    QFETCH(QByteArray, xml);
    QFETCH(bool, listed);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    WriteBytes(folder + QStringLiteral("images/") + picture, "png");
    WriteBytes(folder + QStringLiteral("page.xml"), PageWith(xml.constData()));
    const QStringList expected = listed ? QStringList{picture.toUpper()} : QStringList{};
    QCOMPARE(FindUnusedPictures(folder), expected);
}

void TestDoubles::filesSearched()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : {"ref.png", "index.png", "font.png", "upper.png", "sub.png", "txt.png", "dir.png"})
        WriteBytes(folder + QStringLiteral("Images/") + QLatin1String(name), "png");
    // A folder whose name ends in ".png" is taken for a picture.
    QDir().mkpath(folder + QStringLiteral("Images/folder.png"));
    WriteBytes(folder + QStringLiteral("references.xml"), PageWith("<control><image>ref.png</image></control>"));
    WriteBytes(folder + QStringLiteral("index.xml"), PageWith("<previewimage>index.png</previewimage>"));
    WriteBytes(folder + QStringLiteral("font.xml"), PageWith("<font><name>font.png</name></font>"));
    WriteBytes(folder + QStringLiteral("PAGE.XML"), PageWith("<a>upper.png</a>"));
    // Files in subfolders and files of other kinds are not searched.
    WriteBytes(folder + QStringLiteral("pages/sub.xml"), PageWith("<a>sub.png</a>"));
    WriteBytes(folder + QStringLiteral("notes.txt"), PageWith("<a>txt.png</a>"));
    QDir().mkpath(folder + QStringLiteral("dir.xml"));
    QCOMPARE(FindUnusedPictures(folder), (QStringList{"DIR.PNG", "FOLDER.PNG", "SUB.PNG", "TXT.PNG"}));
}

void TestDoubles::malformedFileStillCounts()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : {"before.png", "after.png", "gone.png", "attr.png", "late.png"})
        WriteBytes(folder + QStringLiteral("images/") + QLatin1String(name), "png");
    // The error lies between the names: what was read before it counts (the attribute too), and
    // after it a line holding ">NAME<" counts.
    const QByteArray text = XmlText({"<screen>", "<a>before.png</a>", "<c f=\"attr.png\"/>", "<b x=1>",
                                     "<a>After.png</a>", "<c f=\"late.png\"/>", "</screen>"});
    TJvSimpleXML doc;
    QVERIFY_THROWS_EXCEPTION(EJvSimpleXMLError, doc.LoadFromString(text.toStdString()));
    WriteBytes(folder + QStringLiteral("broken.xml"), text);
    QCOMPARE(FindUnusedPictures(folder), (QStringList{"GONE.PNG", "LATE.PNG"}));
}

void TestDoubles::orderAndUpperCase()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : {"b.png", "A.png", "c.PNG", "readme.txt", "d.png.txt", "arrow_up.png", "arrowUp.png"})
        WriteBytes(folder + QStringLiteral("images/") + QLatin1String(name), "x");
    // Ordered by the upper-cased names as listed: "_" comes after the letters.
    QCOMPARE(FindUnusedPictures(folder), (QStringList{"A.PNG", "ARROWUP.PNG", "ARROW_UP.PNG", "B.PNG", "C.PNG"}));
}

void TestDoubles::reservedNames()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (const char* name : ReservedPictureNames)
        WriteBytes(folder + QStringLiteral("images/") + QString::fromLatin1(name).toLower(), "png");
    WriteBytes(folder + QStringLiteral("images/iconAudio2.png"), "png");
    QCOMPARE(FindUnusedPictures(folder), QStringList{"ICONAUDIO2.PNG"});
}

void TestDoubles::windowLists()
{
    TEditorFixture f;
    f.Start();
    const QString folder = f.MakeProject(QStringLiteral("Skin"), {{QStringLiteral("main.xml"), PageWith("<a>used.png</a>")}});
    WriteBytes(folder + QStringLiteral("images/used.png"), "png");
    WriteBytes(folder + QStringLiteral("images/spare.png"), "png");
    f.OpenProject(folder);
    TfrmDoubles* window = DoublesWindow(*f.Form);
    QVERIFY(window);
    QCOMPARE(window->lbFiles->count(), 0);
    window->Image3->click();
    QCOMPARE(window->lbFiles->count(), 1);
    QCOMPARE(window->lbFiles->item(0)->text(), QStringLiteral("SPARE.PNG"));
    QCOMPARE(f.Form->ToolWindow("frmDoubles")->windowTitle(), QStringLiteral("Doubles"));
    QVERIFY(f.Dialogs.Calls().size() == 1);   // the folder browser only
    // Another project, opened or new, starts with an empty list until the button is pressed.
    f.OpenProject(f.MakeProject(QStringLiteral("Other")));
    QCOMPARE(window->lbFiles->count(), 0);
    window->Image3->click();
    window->lbFiles->addItem(QStringLiteral("OLD.PNG"));
    f.NewSkin.Answer = {QStringLiteral("Fresh"), f.Dir.path(), 720, 576, QString(), QString()};
    f.Form->mnNewProjectClick();
    QCOMPARE(f.Form->ProjectFolder(), f.Path(QStringLiteral("Fresh/")));
    QCOMPARE(window->lbFiles->count(), 0);
}

void TestDoubles::windowWithoutProject()
{
    TEditorFixture f;
    f.Start();
    TfrmDoubles* window = DoublesWindow(*f.Form);
    QVERIFY(window);
    window->lbFiles->addItem(QStringLiteral("OLD.PNG"));
    window->Image3->click();
    QCOMPARE(window->lbFiles->count(), 0);
    QVERIFY(f.Dialogs.Calls().empty());
    QCOMPARE(FindUnusedPictures(QString()), QStringList());
}

void TestDoubles::unreadableFileIsReported()
{
    TEditorFixture f;
    f.Start();
    const QString folder = f.MakeProject(QStringLiteral("Skin"));
    WriteBytes(folder + QStringLiteral("images/spare.png"), "png");
    // A link to nothing is a file entry that cannot be read.
    QVERIFY(QFile::link(folder + QStringLiteral("missing-target"), folder + QStringLiteral("lost.xml")));
    f.OpenProject(folder);
    TfrmDoubles* window = DoublesWindow(*f.Form);
    window->lbFiles->addItem(QStringLiteral("OLD.PNG"));
    window->Image3->click();
    QCOMPARE(window->lbFiles->count(), 0);
    QCOMPARE(f.MessageCount(), 1);
    const TDialogCall& call = f.Dialogs.Calls().back();
    QCOMPARE(call.Caption, QStringLiteral("Varnholt 2.0"));
    QCOMPARE(call.Icon, QMessageBox::Critical);
    QVERIFY2(call.Text.startsWith(QStringLiteral("Cannot open file \"")) && call.Text.contains(QStringLiteral("lost.xml")),
             qPrintable(call.Text));
}

QTEST_MAIN(TestDoubles)
#include "tst_doubles.moc"
