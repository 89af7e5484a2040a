// The page document without a window: the page reader and writer against golden files and on
// their own, the editing commands with their rules, and what the document announces.
#include "document/PageDocument.h"
#include "document/PageXml.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/TestPictures.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

const QString SampleFolder = QStringLiteral(VARNHOLT_TEST_DATA "/sample/");
const QString GoldenFolder = QStringLiteral(VARNHOLT_TEST_DATA "/page/");

QByteArray ReadAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// The sample project open in a document, its page read.
struct TSampleDocument {
    TSampleDocument()
    {
        Project->SkinInfo().LoadFromFile(SampleFolder);
        Doc.OpenProject(Project, true);
        TJvSimpleXML page;
        page.LoadFromFile(SampleFolder + QStringLiteral("sample.xml"));
        Doc.LoadWindowXML(&page);
    }
    ~TSampleDocument() { OSDControlFactory().ClearReferences(); }

    TItemLayer* Control(const std::string& description) const
    {
        for (int i = 0; i < Doc.Layers().Count(); ++i)
            if (auto* c = dynamic_cast<TItemLayer*>(Doc.Layers().Items(i)); c && c->Description == description)
                return c;
        return nullptr;
    }
    std::vector<std::string> Order() const
    {
        std::vector<std::string> out;
        for (int i = 0; i < Doc.Layers().Count(); ++i)
            if (auto* c = dynamic_cast<TItemLayer*>(Doc.Layers().Items(i)))
                out.push_back(c->Description);
        return out;
    }
    // The page as Save Page writes it, the bytes of the file; "index.xml" stays where it is.
    QByteArray Saved()
    {
        const QString path = Out.filePath(QStringLiteral("page.xml"));
        const QStringList errors = Doc.WritePage(path, false);
        EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
        return ReadAll(path);
    }

    std::shared_ptr<TSkinProject> Project = std::make_shared<TSkinProject>(SampleFolder);
    TPageDocument Doc;
    QTemporaryDir Out;
};

// Golden files: VARNHOLT_WRITE_GOLDEN=1 writes them anew from what the document writes.
void ExpectGolden(const QByteArray& written, const QString& name)
{
    if (qEnvironmentVariableIsSet("VARNHOLT_WRITE_GOLDEN")) {
        QDir().mkpath(GoldenFolder);
        QFile f(GoldenFolder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(written);
    }
    EXPECT_EQ(written.toStdString(), ReadAll(GoldenFolder + name).toStdString()) << name.toStdString();
}

// How often a signal came.
struct TCount {
    template <class Signal>
    TCount(TPageDocument& doc, Signal signal)
    {
        QObject::connect(&doc, signal, [this] { ++N; });
    }
    int N = 0;
};

// The sample page as a page file (its video window item becomes the page's "videowindow"); what
// is written reads back into the same bytes.
TEST(PageDocument, ReadsAndWritesTheSamplePageByteForByte)
{
    TSampleDocument s;
    EXPECT_FALSE(s.Doc.Modified());
    const QByteArray written = s.Saved();
    ExpectGolden(written, QStringLiteral("read.xml"));
    TJvSimpleXML again;
    again.LoadFromFile(GoldenFolder + QStringLiteral("read.xml"));
    s.Doc.NewPage();
    s.Doc.LoadWindowXML(&again);
    EXPECT_EQ(s.Saved(), written);
}

// Each command on the sample page as the menus run it: the page written afterwards is the golden
// file of that command, the modified flag and the announcements are the command's rules.
TEST(PageDocument, CommandsWithoutAWindow)
{
    struct Row {
        const char* golden;
        std::function<void(TSampleDocument&)> command;
        bool modified;
        int added, removed, restacked;
    };
    const Row rows[] = {
        {"paste.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("default label")); s.Doc.Copy(); s.Doc.Paste(); },
         true, 1, 0, 0},
        {"clone.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("Slider")); s.Doc.Clone(); }, true, 1, 0, 0},
        {"delete.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("Slider")); s.Doc.DeleteSelected(); },
         true, 0, 1, 0},
        {"tofront.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("default image")); s.Doc.BringToFront(); },
         true, 0, 0, 1},
        {"onefront.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("default image")); s.Doc.OneToFront(); },
         true, 0, 0, 1},
        {"toback.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("default checkmark")); s.Doc.SendToBack(); },
         true, 0, 0, 1},
        {"insert.xml", [](TSampleDocument& s) { s.Doc.Insert(5, QPoint(100, 80), {}); }, true, 1, 0, 0},
        // Lock and hide act on the canvas only: the page file stays as it was read.
        {"lockhide.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("Slider")); s.Doc.ToggleLock(); s.Doc.ToggleHide(); },
         false, 0, 0, 0},
        {"move.xml", [](TSampleDocument& s) { s.Doc.SetSelection(s.Control("default label")); s.Doc.MoveSelectedBy(10, -5); },
         true, 0, 0, 0},
    };
    for (const Row& row : rows) {
        TSampleDocument s;
        TCount added(s.Doc, &TPageDocument::ControlAdded);
        TCount removed(s.Doc, &TPageDocument::ControlRemoved);
        TCount restacked(s.Doc, &TPageDocument::Restacked);
        row.command(s);
        EXPECT_EQ(s.Doc.Modified(), row.modified) << row.golden;
        EXPECT_EQ(added.N, row.added) << row.golden;
        EXPECT_EQ(removed.N, row.removed) << row.golden;
        EXPECT_EQ(restacked.N, row.restacked) << row.golden;
        ExpectGolden(s.Saved(), QString::fromLatin1(row.golden));
        // The frame is never written, and saving leaves nothing selected.
        EXPECT_EQ(s.Doc.Selected(), nullptr) << row.golden;
        EXPECT_FALSE(s.Doc.Modified()) << row.golden;
    }
}

// However a control goes, whoever follows the page is told before anything can use it again; the
// selection goes with it.
TEST(PageDocument, EveryWayAControlGoesIsAnnounced)
{
    TSampleDocument s;
    std::vector<const void*> gone;
    QObject::connect(&s.Doc, &TPageDocument::ControlRemoved, [&](TItemLayer* layer) { gone.push_back(layer); });
    std::vector<const void*> selections;
    QObject::connect(&s.Doc, &TPageDocument::SelectionChanged, [&](TItemLayer* layer) { selections.push_back(layer); });
    TCount replaced(s.Doc, &TPageDocument::PageReplaced);

    TItemLayer* label = s.Control("default label");
    s.Doc.SetSelection(label);
    delete label;  // not through a command
    EXPECT_EQ(gone, std::vector<const void*>{label});
    EXPECT_EQ(s.Doc.Selected(), nullptr);
    // Selected, then cleared as it went.
    EXPECT_EQ(selections, (std::vector<const void*>{label, nullptr}));

    TItemLayer* slider = s.Control("Slider");
    s.Doc.SetSelection(slider);
    s.Doc.DeleteSelected();
    EXPECT_EQ(gone.back(), slider);

    // A whole page that goes is one announcement, not one per control.
    const size_t before = gone.size();
    s.Doc.ClearPage();
    EXPECT_EQ(gone.size(), before);
    EXPECT_EQ(replaced.N, 1);
    EXPECT_EQ(s.Doc.Layers().Count(), 0);
}

// Opening a page over another is told once, as one new page; an empty selection is not told first,
// a control that was selected goes before the page does.
TEST(PageDocument, OpeningAPageIsOneAnnouncement)
{
    TSampleDocument s;
    const QByteArray written = s.Saved();
    TJvSimpleXML page;
    page.LoadFromFile(GoldenFolder + QStringLiteral("read.xml"));
    std::vector<const void*> selections;
    QObject::connect(&s.Doc, &TPageDocument::SelectionChanged, [&](TItemLayer* layer) { selections.push_back(layer); });
    TCount replaced(s.Doc, &TPageDocument::PageReplaced), added(s.Doc, &TPageDocument::ControlAdded);
    for (const bool selected : {false, true}) {
        if (selected)
            s.Doc.SetSelection(s.Control("default label"));
        selections.clear();
        replaced.N = added.N = 0;
        s.Doc.OpenPage(&page);
        EXPECT_EQ(replaced.N, 1) << selected;
        EXPECT_EQ(added.N, 0) << selected;
        EXPECT_EQ(selections, selected ? std::vector<const void*>{nullptr} : std::vector<const void*>{}) << selected;
        EXPECT_FALSE(s.Doc.Modified());
        EXPECT_EQ(s.Saved(), written) << selected;
    }
}

// Another project: the skin description shown after the announcement is the new one, and the
// controls read the new project's pictures, fonts and references; the old project keeps its own.
TEST(PageDocument, AnotherProjectIsAnnouncedWithItsDescription)
{
    TSampleDocument s;
    std::string shown;
    QObject::connect(&s.Doc, &TPageDocument::ProjectReplaced, [&] { shown = s.Doc.SkinInfo().Skinname; });
    QTemporaryDir other;
    auto project = std::make_shared<TSkinProject>(other.path());
    project->SkinInfo().Skinname = "Other";
    project->SkinInfo().SizeX = 400;
    project->SkinInfo().SizeY = 300;
    s.Doc.OpenProject(project, false);
    EXPECT_EQ(shown, "Other");
    EXPECT_EQ(&OSDControlFactory().Project(), project.get());
    EXPECT_FALSE(OSDControlFactory().HasReferences());
    EXPECT_TRUE(s.Project->References());
    EXPECT_EQ(s.Doc.CanvasSize(), QSize(400, 300));
    EXPECT_EQ(s.Doc.Layers().Count(), 0);
    EXPECT_TRUE(s.Doc.PageList().isEmpty());
    s.Doc.OpenProject(nullptr, false);
}


// The modified flag is announced when it changes, not every time it is set (every drag step sets it).
TEST(PageDocument, ModifiedIsAnnouncedOnlyWhenItChanges)
{
    TPageDocument doc;
    TCount modified(doc, &TPageDocument::ModifiedChanged);
    for (bool on : {true, true, false, false})
        doc.SetModified(on);
    EXPECT_EQ(modified.N, 2);
}

// A control's values and place change through the page: what changes nothing announces nothing
// and leaves the page unmodified; a change marks it, keeps the frame on the control and names the
// property, once.
TEST(PageDocument, EditsAnnounceOnlyARealChange)
{
    using TEdit = std::function<bool(TPageDocument&, TItemLayer&)>;
    const auto set = [](const char* path, TPropValue value) -> TEdit {
        return [=](TPageDocument& doc, TItemLayer& c) { return doc.SetProperty(c, path, value); };
    };
    const auto moved = [](float dx) -> TEdit {
        return [=](TPageDocument& doc, TItemLayer& c) {
            const TFloatRect r = c.Location();
            return doc.SetBounds(&c, TFloatRect{r.Left + dx, r.Top, r.Right + dx, r.Bottom});
        };
    };
    const struct {
        const char* name;
        TEdit edit;
        const char* announced;  // none: nothing changed
    } rows[] = {
        {"same X", [](TPageDocument& doc, TItemLayer& c) { return doc.SetProperty(c, "X", int64_t{c.GetX()}); }, nullptr},
        {"new X", set("X", int64_t{45}), "X"},
        {"width a file cannot hold", set("Width", int64_t{2001}), nullptr},
        {"a part's value", set("LabelControl.LabelText", std::string("Stop")), "LabelText"},
        {"no such property", set("Nothing", int64_t{1}), nullptr},
        {"same place", moved(0), nullptr},
        {"new place", moved(7), ""},
        {"rescale to the canvas size",
         [](TPageDocument& doc, TItemLayer&) { return doc.Rescale(doc.CanvasSize().width(), doc.CanvasSize().height(), 100); },
         nullptr},
    };
    for (const auto& row : rows) {
        TSampleDocument s;
        TItemLayer* button = s.Control("default button");
        ASSERT_TRUE(button);
        s.Doc.SetSelection(button);
        std::vector<QString> announced;
        QObject::connect(&s.Doc, &TPageDocument::ControlChanged, [&](TItemLayer* layer, const QString& property) {
            EXPECT_EQ(layer, button) << row.name;
            announced.push_back(property);
        });
        TCount modified(s.Doc, &TPageDocument::ModifiedChanged);
        const bool changed = row.edit(s.Doc, *button);
        EXPECT_EQ(changed, row.announced != nullptr) << row.name;
        EXPECT_EQ(s.Doc.Modified(), changed) << row.name;
        EXPECT_EQ(modified.N, changed ? 1 : 0) << row.name;
        EXPECT_EQ(announced, changed ? std::vector<QString>{QString::fromLatin1(row.announced)} : std::vector<QString>{})
            << row.name;
        EXPECT_TRUE(s.Doc.RubberBand()->Location() == button->Location()) << row.name;
    }
    // The page settings are no control: the page is modified, no control is announced.
    TSampleDocument s;
    TCount controls(s.Doc, &TPageDocument::ControlChanged);
    EXPECT_TRUE(s.Doc.SetProperty(s.Doc.WindowInfos(), "DefaultItem", int64_t{4}));
    EXPECT_EQ(s.Doc.WindowInfos().DefaultItem, 4);
    EXPECT_TRUE(s.Doc.Modified());
    EXPECT_EQ(controls.N, 0);
}

// The page settings' video-window values are the video window's rectangle, whichever side is
// edited and whatever moves, adds or removes the window; a new page is announced with its settings
// already reset.
TEST(PageDocument, VideoWindowValuesAreTheWindowsRectangle)
{
    const struct {
        const char* name;
        std::function<void(TPageDocument&, TItemLayer*)> road;
        const char* values;  // X Y Width Height after it, and the "videowindow" element saved
        bool told = true;    // the values' change announced
    } rows[] = {
        {"settings' width", [](TPageDocument& d, TItemLayer*) { d.SetProperty(d.WindowInfos(), "VideoWindow.Width", int64_t{300}); },
         "560 390 300 80"},
        {"settings' height 0", [](TPageDocument& d, TItemLayer*) { d.SetProperty(d.WindowInfos(), "VideoWindow.Height", int64_t{0}); },
         "560 390 140 80", false},
        {"description", [](TPageDocument& d, TItemLayer* v) { d.SetProperty(*v, "Description", std::string("v")); },
         "560 390 140 80", false},
        {"move dialog", [](TPageDocument& d, TItemLayer* v) { d.SetBounds(v, TFloatRect{5, 6, 105, 56}); }, "5 6 100 50"},
        {"delete, insert", [](TPageDocument& d, TItemLayer* v) { d.SetSelection(v); d.DeleteSelected(); d.Insert(18, QPoint(100, 80), {}); },
         "68 48 64 64"},
        {"delete", [](TPageDocument& d, TItemLayer* v) { d.SetSelection(v); d.DeleteSelected(); }, "0 0 0 0"},
        {"new page", [](TPageDocument& d, TItemLayer*) { d.NewPage(); }, "0 0 0 0"},
    };
    for (const auto& row : rows) {
        TSampleDocument s;
        TWindowInfos& infos = s.Doc.WindowInfos();
        bool resetWhenAnnounced = false;
        QObject::connect(&s.Doc, &TPageDocument::PageReplaced, [&] { resetWhenAnnounced = !infos.HasBackground; });
        int told = 0;
        QObject::connect(&s.Doc, &TPageDocument::WindowInfosChanged, [&] { ++told; });
        row.road(s.Doc, FindVideoLayer(s.Doc.Layers()));
        const TVideoWindow& vw = infos.VideoWindow();
        EXPECT_EQ(QStringLiteral("%1 %2 %3 %4").arg(vw.X).arg(vw.Y).arg(vw.Width).arg(vw.Height).toStdString(), row.values) << row.name;
        const QByteArray element = QStringLiteral("<videowindow x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"/>")
                                       .arg(vw.X).arg(vw.Y).arg(vw.Width).arg(vw.Height).toLatin1();
        const bool window = FindVideoLayer(s.Doc.Layers()) != nullptr;
        EXPECT_EQ(s.Saved().contains(window ? element : QByteArray("<videowindow")), window) << row.name;
        // Without a window on the page the values are not edited.
        EXPECT_EQ(FindProperty(infos.VideoWindow().PublishedProperties(), "Width")->ReadOnly(), !window) << row.name;
        EXPECT_EQ(resetWhenAnnounced, std::string(row.name) == "new page") << row.name;
        EXPECT_EQ(told > 0, row.told) << row.name;
    }
}


// ---- the page file's reader and writer on their own --------------------------------------------

TEST(PageXml, RootOtherThanScreenReadsNothing)
{
    TWindowInfos infos;
    infos.DefaultItem = 7;
    TLayerCollection layers;
    TUnreadItems unread;
    TJvSimpleXML doc;
    doc.LoadFromString("<Screen default=\"1\"><items><item><type>videowindow</type></item></items></Screen>");
    EXPECT_FALSE(ReadPageDocument(&doc, infos, layers, unread, {}));
    EXPECT_EQ(infos.DefaultItem, 7);
    EXPECT_EQ(layers.Count(), 0);

    // Children other than "item" are skipped; a zero-size video window makes no layer.
    doc.LoadFromString("<screen><items><Item><type>videowindow</type></Item><control/></items>"
                       "<videowindow x=\"1\" y=\"1\" width=\"0\" height=\"9\"/></screen>");
    EXPECT_TRUE(ReadPageDocument(&doc, infos, layers, unread, {}));
    EXPECT_EQ(layers.Count(), 0);
    EXPECT_EQ(unread.size(), size_t(0));
    EXPECT_EQ(infos.DefaultItem, 0);

    // Both sides negative: the product is positive, so the layer is made.
    doc.LoadFromString("<screen><videowindow x=\"50\" y=\"50\" width=\"-10\" height=\"-20\"/></screen>");
    EXPECT_TRUE(ReadPageDocument(&doc, infos, layers, unread, {}));
    ASSERT_EQ(layers.Count(), 1);
    EXPECT_TRUE(dynamic_cast<TOSDVideoControl*>(layers.Items(0)));
}

TEST(PageXml, RootValuesRead)
{
    TWindowInfos infos;
    TLayerCollection layers;
    TUnreadItems unread;
    TJvSimpleXML doc;
    doc.LoadFromString("<screen default=\"abc\" allowoverlay=\"YES\" hasbg=\"0\"/>");
    EXPECT_TRUE(ReadPageDocument(&doc, infos, layers, unread, {}));
    EXPECT_EQ(infos.DefaultItem, -1);
    EXPECT_TRUE(infos.AllowOverlay);
    EXPECT_FALSE(infos.HasBackground);
    doc.LoadFromString("<screen allowoverlay=\"true\" hasbg=\"on\"><videowindow x=\"4\"/></screen>");
    EXPECT_TRUE(ReadPageDocument(&doc, infos, layers, unread, {}));
    EXPECT_EQ(infos.DefaultItem, 0);
    EXPECT_TRUE(infos.HasBackground);
    EXPECT_EQ(infos.VideoWindow().X, 4);
    EXPECT_EQ(infos.VideoWindow().Width, 0);
    EXPECT_EQ(layers.Count(), 0);
}

TEST(PageXml, VideoWindowFromLayer)
{
    // The saved rectangle is the video layer's, however the page settings were left.
    TWindowInfos infos;
    TLayerCollection layers;
    auto* video = new TOSDVideoControl(&layers);
    video->SetLocation(TFloatRect{10.5f, 20, 74.5f, 84});
    const std::string text = BuildPageDocument(infos, layers, PageFormatVersion, {})->SaveToString();
    EXPECT_NE(text.find("<videowindow x=\"10\" y=\"20\" width=\"64\" height=\"64\"/>"), std::string::npos) << text;
}

TEST(PageXml, FarVideoWindowKeepsItsSize)
{
    // Beyond the range a control keeps, a float rectangle could not hold the size apart from the
    // place, and the element would vanish from the next save.
    TWindowInfos infos;
    TLayerCollection layers;
    TUnreadItems unread;
    TJvSimpleXML doc;
    doc.LoadFromString("<screen><videowindow x=\"2147483647\" y=\"-2147483648\" width=\"100\" height=\"50\"/></screen>");
    ASSERT_TRUE(ReadPageDocument(&doc, infos, layers, unread, {}));
    const std::string text = BuildPageDocument(infos, layers, PageFormatVersion, {})->SaveToString();
    EXPECT_NE(text.find("<videowindow x=\"4194304\" y=\"-4194304\" width=\"100\" height=\"50\"/>"), std::string::npos)
        << text;
}

TEST(PageXml, BackdropWritten)
{
    struct Row {
        const char* name;
        const char* defaultFile;
        const char* dynamicFile;
        const char* expected;
    };
    const Row rows[] = {
        {"both", "a.png", "b.png", "<Backdrop DefaultFile=\"a.png\" DynamicFile=\"b.png\"/>"},
        {"dynamic only", "", "b.png", "<Backdrop DefaultFile=\"\" DynamicFile=\"b.png\"/>"},
        {"default only", "a.png", "", "<Backdrop DefaultFile=\"a.png\" DynamicFile=\"\"/>"},
        {"neither", "", "", ""},
    };
    for (const Row& row : rows) {
        TWindowInfos infos;
        infos.WindowBackdrop().SetDefaultFile(row.defaultFile);
        infos.WindowBackdrop().DynamicFile = row.dynamicFile;
        TLayerCollection layers;
        const std::string text = BuildPageDocument(infos, layers, PageFormatVersion, {})->SaveToString();
        const std::string end = *row.expected ? "  <items/>\r\n  " + std::string(row.expected) + "\r\n</screen>\r\n"
                                              : std::string("  <items/>\r\n</screen>\r\n");
        EXPECT_TRUE(text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0)
            << row.name << "\n" << text;
        if (!*row.expected)
            EXPECT_EQ(text.find("Backdrop"), std::string::npos) << row.name;
    }
}

// The backdrop keeps its picture counted in the project's total while it shows, blanked too,
// even when the cache alone would have let go of it.
TEST(PageDocument, BackdropCountsInTheProjectsPictures)
{
    QTemporaryDir dir;
    const QImage back = SolidPicture(30, 20, QColor(10, 200, 30));
    WriteTestFile(dir.path(), QStringLiteral("images/back.png"), EncodePicture(back, "PNG"));
    for (const char* name : {"images/a.png", "images/b.png"})
        WriteTestFile(dir.path(), QString::fromLatin1(name), SolidPng(10, 10, Qt::red));
    auto project = std::make_shared<TSkinProject>(dir.path());
    TPictureCache& pictures = project->Pictures();
    pictures.SetByteLimit(0);
    pictures.SetTotalLimit(30 * 20 * 4 + 10 * 10 * 4);
    TPageDocument doc;
    doc.OpenProject(project, false);

    doc.WindowInfos().WindowBackdrop().SetDefaultFile("back.png");
    EXPECT_EQ(doc.Backdrop(), back.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    const TPicture a = pictures.Load(dir.filePath(QStringLiteral("images/a.png")));
    EXPECT_TRUE(a);
    EXPECT_FALSE(pictures.Load(dir.filePath(QStringLiteral("images/b.png"))));
    EXPECT_FALSE(doc.SetBackdrop(SolidPicture(30, 20, Qt::blue)));
    EXPECT_EQ(doc.Backdrop().pixel(0, 0), back.pixel(0, 0));
    EXPECT_EQ(pictures.BytesInUse(), 30 * 20 * 4 + 10 * 10 * 4);

    doc.WindowInfos().WindowBackdrop().SetDefaultFile("");
    QImage black(30, 20, QImage::Format_ARGB32_Premultiplied);
    black.fill(0xFF000000u);
    EXPECT_EQ(doc.Backdrop(), black);
    EXPECT_EQ(pictures.BytesInUse(), 30 * 20 * 4 + 10 * 10 * 4);
    doc.ClearPage();
    EXPECT_EQ(pictures.BytesInUse(), 10 * 10 * 4);
}

TEST(PageXml, BackdropNameStoredOnce)
{
    TWindowBackdrop backdrop;
    std::vector<std::string> shown;
    backdrop.OnShowBackdrop = [&](const std::string& name) { shown.push_back(name); };
    backdrop.SetDefaultFile("C:\\pics\\back.png");
    EXPECT_EQ(backdrop.DefaultFile(), std::string("back.png"));
    backdrop.SetDefaultFile("/other/back.png");
    backdrop.SetDefaultFile("back.png");
    EXPECT_EQ(shown, std::vector<std::string>{"back.png"});
    // Another case is another name.
    backdrop.SetDefaultFile("Back.png");
    backdrop.SetDefaultFile("");
    EXPECT_EQ(shown, (std::vector<std::string>{"back.png", "Back.png", ""}));
}

}  // namespace
