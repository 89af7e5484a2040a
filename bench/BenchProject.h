// A generated skin project for the benchmarks: "index.xml", the built-in "references.xml",
// "font.xml", pictures of realistic sizes in "images/" (every picture the references name, a few
// of the page's own, a backdrop), and one page of many controls of every kind the factory builds,
// spread over a 1280 by 720 canvas.
#pragma once

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QDir>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace bench {

constexpr int CanvasWidth = 1280;
constexpr int CanvasHeight = 720;

inline void WriteFileBytes(const QString& path, const std::string& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A picture with soft colours and some transparency, so decoding and blending do real work.
inline void WritePicture(const QString& path, int w, int h, int seed)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = qRgba((x * 255 / std::max(w - 1, 1) + seed * 40) & 0xFF, (y * 255 / std::max(h - 1, 1)) & 0xFF,
                            ((seed * 70 + x) ^ y) & 0xFF, (x + y) % 7 == 0 ? 160 : 255);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    image.save(path, "PNG");
}

// The kinds the factory can build now, "videowindow" left out (a page holds one, added apart).
inline std::vector<std::string> BuildableKinds()
{
    std::vector<std::string> kinds;
    for (const std::string& keyword : OSDControlFactory().Keywords()) {
        if (keyword == "videowindow")
            continue;
        std::unique_ptr<TItemLayer> probe(OSDControlFactory().CreateKind(keyword, nullptr));
        if (probe)
            kinds.push_back(keyword);
    }
    return kinds;
}

// A small deterministic generator, so every run builds the same page.
class TRandom {
public:
    explicit TRandom(uint32_t seed) : FState(seed) {}
    int Next(int below)
    {
        FState = FState * 1664525u + 1013904223u;
        return static_cast<int>((FState >> 8) % static_cast<uint32_t>(below));
    }

private:
    uint32_t FState;
};

struct TPagePicture {
    const char* Name;
    int Width, Height;
};

// The page's own pictures; the backdrop-sized one is shown by few controls.
inline const std::vector<TPagePicture>& PagePictures()
{
    static const std::vector<TPagePicture> pictures{
        {"icon64.png", 64, 64}, {"thumb128.png", 128, 96}, {"panel256.png", 256, 192}, {"frame320.png", 320, 240},
        {"screen720.png", 720, 576}};
    return pictures;
}

inline std::string PageText(int controls, const std::vector<std::string>& kinds)
{
    std::string s = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n"
                    "<screen default=\"0\" allowoverlay=\"false\" hasbg=\"true\" version=\"Kestralon OSDSkin 1.1\">\r\n"
                    "  <items>\r\n";
    TRandom random(12345);
    const auto value = [&s](const char* name, const std::string& v) {
        s += "      <";
        s += name;
        s += ">" + v + "</";
        s += name;
        s += ">\r\n";
    };
    for (int i = 0; i < controls; ++i) {
        const std::string& kind = kinds[static_cast<size_t>(i) % kinds.size()];
        int w = 60 + random.Next(240), h = 20 + random.Next(80);
        std::string texture;
        if (kind == "image") {
            // One image in 40 shows the large picture; the rest the small ones.
            const auto& pictures = PagePictures();
            const TPagePicture& p = (i / static_cast<int>(kinds.size())) % 40 == 7
                                            ? pictures.back()
                                            : pictures[static_cast<size_t>(random.Next(int(pictures.size()) - 1))];
            texture = p.Name;
            w = p.Width;
            h = p.Height;
        }
        const int x = random.Next(std::max(CanvasWidth - w, 1)), y = random.Next(std::max(CanvasHeight - h, 1));
        s += "    <item>\r\n";
        value("type", kind);
        value("description", kind + " " + std::to_string(i));
        value("id", std::to_string(i + 1));
        value("x", std::to_string(x));
        value("y", std::to_string(y));
        value("width", std::to_string(w));
        value("height", std::to_string(h));
        if (!texture.empty())
            value("texture", texture);
        if (kind == "label") {
            value("label", "Label text " + std::to_string(i));
            value("font", "font" + std::to_string(10 + i % 7));
        }
        s += "    </item>\r\n";
    }
    s += "    <item>\r\n";
    value("type", "videowindow");
    value("description", "video");
    value("x", "800");
    value("y", "40");
    value("width", "400");
    value("height", "225");
    s += "    </item>\r\n"
         "  </items>\r\n"
         "  <Backdrop DefaultFile=\"backdrop.png\" DynamicFile=\"\"/>\r\n"
         "</screen>\r\n";
    return s;
}

inline std::string FontText()
{
    std::string s = "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<fonts>\r\n";
    const auto font = [&s](const std::string& name, int height, int style) {
        s += "  <font>\r\n    <name>" + name + "</name>\r\n    <filename>Liberation Sans</filename>\r\n    <height>"
             + std::to_string(height) + "</height>\r\n    <style>" + std::to_string(style) + "</style>\r\n  </font>\r\n";
    };
    font("debug", 10, 0);
    for (int i = 10; i <= 16; ++i)
        font("font" + std::to_string(i), i + 2, i % 2);
    return s + "</fonts>\r\n";
}

// Every picture the built-in references name.
inline std::set<std::string> ReferencePictures()
{
    std::set<std::string> names;
    const std::string& text = BuiltInReferencesText();
    const std::regex picture(R"(>([A-Za-z0-9_.\-]+\.(png|jpg|bmp))<)", std::regex::icase);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), picture); it != std::sregex_iterator(); ++it)
        names.insert((*it)[1].str());
    return names;
}

struct TBenchProject {
    QTemporaryDir Dir;
    QString Folder;    // with a trailing "/"
    QString PagePath;  // the page of many controls
    std::vector<std::string> Kinds;
    std::string Page;
};

inline std::unique_ptr<TBenchProject> MakeBenchProject(int controls = 1000)
{
    auto project = std::make_unique<TBenchProject>();
    project->Folder = project->Dir.path() + QLatin1Char('/');
    const QString& f = project->Folder;
    WriteFileBytes(f + "index.xml", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<skininfo>\r\n"
                                    "  <skinname>Bench</skinname>\r\n  <version>1.0</version>\r\n"
                                    "  <sizex>1280</sizex>\r\n  <sizey>720</sizey>\r\n</skininfo>\r\n");
    WriteFileBytes(f + "references.xml", NewProjectReferencesText());
    WriteFileBytes(f + "font.xml", FontText());
    WriteFileBytes(f + "myhome.xml", "<?xml version=\"1.0\" encoding=\"iso-8859-1\"?>\r\n<screen/>\r\n");
    int seed = 0;
    for (const std::string& name : ReferencePictures()) {
        const bool large = name == "background.png" || name == "context_background.png";
        WritePicture(f + "images/" + QString::fromStdString(name), large ? 720 : 190, large ? 576 : 32, ++seed);
    }
    for (const TPagePicture& p : PagePictures())
        WritePicture(f + "images/" + p.Name, p.Width, p.Height, ++seed);
    WritePicture(f + "images/backdrop.png", CanvasWidth, CanvasHeight, ++seed);
    project->Kinds = BuildableKinds();
    project->Page = PageText(controls, project->Kinds);
    project->PagePath = f + "bench.xml";
    WriteFileBytes(project->PagePath, project->Page);
    // A skin's files were written well before the editor opens them; freshly written files would
    // take the picture cache's slower path for files younger than the file clock's granularity.
    const QDateTime past = QDateTime::currentDateTime().addSecs(-3600);
    QDirIterator it(f, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadWrite))
            file.setFileTime(past, QFileDevice::FileModificationTime);
    }
    return project;
}

// Runs the benchmarks under an application of type App on the offscreen platform; `atEnd` runs
// while the application still exists (windows and pictures must go before it).
template <class App>
int RunBenchmarks(int argc, char** argv, const std::function<void()>& atEnd)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    atEnd();
    return 0;
}

}  // namespace bench
