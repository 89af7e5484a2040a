// Memory of decoded pictures: a page whose image controls name 20 different 8000 x 8000 PNGs, and
// pages whose many controls show the same one or two. Counters: the decoded bytes in use, the resident
// memory while the controls hold their pictures, and how many controls show a picture.
// (decoded_MB: the distinct decoded pictures the controls hold.)
#include "bench/BenchProject.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/ImageLayer.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <fstream>
#include <memory>
#include <set>
#include <vector>

namespace {

constexpr int Side = 8000;
constexpr int Files = 20;

double ResidentMB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / double(1 << 20);
}

struct TPictureProject {
    QTemporaryDir Dir;
    TPictureProject()
    {
        QDir(Dir.path()).mkpath("images");
        QImage picture(Side, Side, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(Dir.path() + "/images/p00.png", "PNG");
        for (int i = 1; i < Files; ++i)
            QFile::copy(Dir.path() + "/images/p00.png", Dir.path() + QString("/images/p%1.png").arg(i, 2, 10, QChar('0')));
        OSDControlFactory().SetProject(std::make_shared<TSkinProject>(Dir.path() + "/"));
    }
    ~TPictureProject() { OSDControlFactory().SetProject(nullptr); }
};

TPictureProject& Project()
{
    static TPictureProject project;
    return project;
}

// state.range(0) controls; state.range(1) different files among them.
void BM_PagePictures(benchmark::State& state)
{
    Project();
    TPictureCache& cache = OSDControlFactory().Project().Pictures();
    const int controls = int(state.range(0)), files = int(state.range(1));
    double inUse = 0, resident = 0, shown = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<TImageLayer>> page;
        for (int i = 0; i < controls; ++i) {
            page.push_back(std::make_unique<TImageLayer>(nullptr));
            page.back()->SetFileName(QString("p%1.png").arg(i % files, 2, 10, QChar('0')).toStdString());
        }
        resident = ResidentMB();
        std::set<const QImage*> decoded;
        shown = inUse = 0;
        for (const auto& control : page)
            if (control->Bitmap) {
                ++shown;
                if (decoded.insert(control->Bitmap.get()).second)
                    inUse += double(control->Bitmap->sizeInBytes()) / double(1 << 20);
            }
        page.clear();
        cache.Clear();
    }
    state.counters["decoded_MB"] = inUse;
    state.counters["resident_MB"] = resident;
    state.counters["shown"] = shown;
}
BENCHMARK(BM_PagePictures)->Args({Files, Files})->Args({Files, 2})->Args({200, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::RunBenchmarks<QGuiApplication>(argc, argv, [] {});
}
