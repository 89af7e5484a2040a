#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ImageLayer.h"
#include "support/ControlXml.h"
#include "support/KindFixture.h"
#include "support/TestPictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>

#include <sys/stat.h>

namespace {

class PictureCacheTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    TPictureCache cache;
    QString Write(const QString& name, const QByteArray& bytes) { return WriteTestFile(dir.path(), name, bytes); }
};

struct FormatCase {
    const char* name;
    const char* encodeAs;  // nullptr: raw bytes below
    const char* raw;
    bool decodes;
};

QByteArray BytesFor(const FormatCase& c)
{
    if (c.encodeAs)
        return EncodePicture(SolidPicture(6, 4, QColor(255, 0, 0, 128)), c.encodeAs);
    return QByteArray(c.raw);
}

class PictureFormats : public PictureCacheTest, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(PictureFormats, DecodesByHeaderThenExtension)
{
    const FormatCase& c = GetParam();
    const TPicture picture = cache.Load(Write(c.name, BytesFor(c)));
    EXPECT_EQ(bool(picture), c.decodes);
    if (picture) {
        EXPECT_EQ(picture->size(), QSize(6, 4));
        EXPECT_EQ(picture->format(), QImage::Format_ARGB32_Premultiplied);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PictureFormats,
    ::testing::Values(FormatCase{"a.png", "PNG", nullptr, true}, FormatCase{"a.bmp", "BMP", nullptr, true},
                      FormatCase{"a.jpg", "JPEG", nullptr, true}, FormatCase{"a.jpeg", "JPEG", nullptr, true},
                      FormatCase{"a.jpe", "JPEG", nullptr, true}, FormatCase{"a.jfif", "JPEG", nullptr, true},
                      FormatCase{"a.JPG", "JPEG", nullptr, true}, FormatCase{"a.ico", "ICO", nullptr, true},
                      FormatCase{"a.dib", "BMP", nullptr, true}, FormatCase{"a.rle", "BMP", nullptr, true},
                      // a bitmap is a bitmap whatever its name
                      FormatCase{"bitmap.png", "BMP", nullptr, true}, FormatCase{"bitmap.wmf", "BMP", nullptr, true},
                      // the extension decides for everything else
                      FormatCase{"png.jpg", "PNG", nullptr, false}, FormatCase{"jpeg.png", "JPEG", nullptr, false},
                      FormatCase{"a.gif", "PNG", nullptr, false}, FormatCase{"noext", "PNG", nullptr, false},
                      FormatCase{"a.wmf", nullptr, "\xD7\xCD\xC6\x9A\0\0", false},
                      FormatCase{"a.emf", nullptr, "\x01\0\0\0", false}, FormatCase{"empty.png", nullptr, "", false},
                      FormatCase{"text.png", nullptr, "hello", false}),
    [](const auto& info) {
        std::string n;
        for (char ch : std::string(info.param.name))
            n += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
        return n;
    });

TEST_F(PictureCacheTest, AlphaOfPngIsKept)
{
    const TPicture picture = cache.Load(Write("half.png", EncodePicture(SolidPicture(2, 2, QColor(0, 0, 255, 128)), "PNG")));
    ASSERT_TRUE(picture);
    EXPECT_EQ(qAlpha(picture->pixel(0, 0)), 128);
}

TEST_F(PictureCacheTest, TruncatedPngCountsAsMissing)
{
    QByteArray png = EncodePicture(SolidPicture(40, 40, Qt::green), "PNG");
    png.truncate(png.size() / 2);
    EXPECT_FALSE(cache.Load(Write("cut.png", png)));
}

TEST_F(PictureCacheTest, HugeDimensionsAreRefusedWithoutDecoding)
{
    EXPECT_FALSE(cache.Load(Write("huge.bmp", BitmapHeaderOnly(100000, 100000))));
    EXPECT_EQ(cache.BytesHeld(), 0);
}

TEST_F(PictureCacheTest, PicturesUpToTheProjectsPixelLimitDecode)
{
    // Above Qt's own default limit of 128 MB, below 2^26 pixels.
    QImage wide(8192, 4100, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    const QString path = Write("wide.png", EncodePicture(wide, "PNG"));
    wide = QImage();
    const TPicture picture = cache.Load(path);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size(), QSize(8192, 4100));
    EXPECT_EQ(picture->pixel(8191, 4099), QColor(Qt::darkCyan).rgba());
    // One row above 2^26 pixels.
    EXPECT_FALSE(cache.Load(Write("over.bmp", BitmapHeaderOnly(8192, 8193))));
}

TEST_F(PictureCacheTest, MissingFileAndFolderGiveNothing)
{
    EXPECT_FALSE(cache.Load(dir.path() + "/none.png"));
    EXPECT_FALSE(cache.Load(dir.path()));
    EXPECT_FALSE(cache.Load(QString()));
    EXPECT_EQ(cache.DecodeCount(), 0);
}

// A FIFO would block the reader for ever; it and a link to it count as missing at once.
TEST_F(PictureCacheTest, PictureThatIsNoRegularFileCountsAsMissing)
{
    const QString fifo = dir.filePath("fifo.png"), link = dir.filePath("link.bmp");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, link));
    for (const QString& path : {fifo, link}) {
        EXPECT_FALSE(TPictureCache::Decode(path));
        EXPECT_FALSE(cache.Load(path));
    }
}

TEST_F(PictureCacheTest, UnchangedFileIsDecodedOnce)
{
    const QString path = Write("a.png", EncodePicture(SolidPicture(3, 3, Qt::red), "PNG"));
    const TPicture first = cache.Load(path);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(cache.Load(path), first);
    EXPECT_EQ(cache.DecodeCount(), 1);
}

TEST_F(PictureCacheTest, FailedDecodeIsRememberedToo)
{
    const QString path = Write("bad.png", "not a picture");
    EXPECT_FALSE(cache.Load(path));
    EXPECT_FALSE(cache.Load(path));
    EXPECT_EQ(cache.DecodeCount(), 1);
}

TEST_F(PictureCacheTest, ChangedFileIsDecodedAgain)
{
    const QString path = Write("a.png", EncodePicture(SolidPicture(3, 3, Qt::red), "PNG"));
    ASSERT_EQ(cache.Load(path)->size(), QSize(3, 3));
    Write("a.png", EncodePicture(SolidPicture(5, 7, Qt::red), "PNG"));
    TouchLater(path, 2);
    ASSERT_TRUE(cache.Load(path));
    EXPECT_EQ(cache.Load(path)->size(), QSize(5, 7));
    EXPECT_EQ(cache.DecodeCount(), 2);
}

// Both pictures encode to the same number of bytes, and a file system with coarse time stamps
// gives a rewrite within the same tick the same time: nothing but the bytes tells them apart.
TEST_F(PictureCacheTest, RewriteKeepingSizeAndTimeIsSeen)
{
    const QByteArray small = EncodePicture(SolidPicture(3, 3, Qt::red), "PNG");
    const QByteArray large = EncodePicture(SolidPicture(5, 7, Qt::red), "PNG");
    ASSERT_EQ(small.size(), large.size());
    const QString path = Write("a.png", small);
    const std::filesystem::path file(QFile::encodeName(path).toStdString());
    const auto stamp = std::filesystem::last_write_time(file);
    ASSERT_EQ(cache.Load(path)->size(), QSize(3, 3));
    Write("a.png", large);
    std::filesystem::last_write_time(file, stamp);
    ASSERT_TRUE(cache.Load(path));
    EXPECT_EQ(cache.Load(path)->size(), QSize(5, 7));
    EXPECT_EQ(cache.DecodeCount(), 2);
}

TEST_F(PictureCacheTest, LeastRecentlyUsedIsDroppedOverTheByteLimit)
{
    const QString a = Write("a.png", EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    const QString b = Write("b.png", EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    const QString c = Write("c.png", EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    cache.SetByteLimit(2 * 10 * 10 * 4);
    cache.Load(a);
    cache.Load(b);
    cache.Load(a);  // a is now newer than b
    cache.Load(c);  // drops b
    EXPECT_EQ(cache.BytesHeld(), 2 * 400);
    EXPECT_EQ(cache.DecodeCount(), 3);
    cache.Load(a);
    EXPECT_EQ(cache.DecodeCount(), 3);
    cache.Load(b);
    EXPECT_EQ(cache.DecodeCount(), 4);
}

TEST_F(PictureCacheTest, HeldPictureIsSharedAfterTheCacheLetGoOfIt)
{
    const QString a = Write("a.png", EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    const QString b = Write("b.png", EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    cache.SetByteLimit(400);
    const TPicture held = cache.Load(a);
    cache.Load(b);  // the cache keeps b alone now
    EXPECT_EQ(cache.Load(a), held);
    EXPECT_EQ(cache.DecodeCount(), 2);
}

TEST_F(PictureCacheTest, PicturesInUseStayWithinTheTotal)
{
    QString files[4];
    for (int i = 0; i < 4; ++i)
        files[i] = Write(QString("%1.png").arg(i), EncodePicture(SolidPicture(10, 10, Qt::red), "PNG"));
    cache.SetTotalLimit(2 * 400);
    TPicture a = cache.Load(files[0]);
    ASSERT_TRUE(cache.Load(files[1]));  // held by the cache alone: let go when room is needed
    TPicture c = cache.Load(files[2]);
    ASSERT_TRUE(a && c);
    EXPECT_EQ(cache.BytesInUse(), 800);
    EXPECT_FALSE(cache.Load(files[3]));
    EXPECT_FALSE(cache.Load(files[1]));
    a.reset();
    EXPECT_TRUE(cache.Load(files[3]));
    EXPECT_EQ(cache.BytesInUse(), 800);
    c.reset();
    cache.Clear();
    EXPECT_EQ(cache.BytesInUse(), 0);
}

TEST_F(PictureCacheTest, PictureOutlivesItsEntry)
{
    const TPicture held = cache.Load(Write("a.png", EncodePicture(SolidPicture(4, 4, Qt::red), "PNG")));
    cache.Clear();
    ASSERT_TRUE(held);
    EXPECT_EQ(held->width(), 4);
    EXPECT_EQ(cache.BytesHeld(), 0);
}

}  // namespace

// ---- shared by the controls ----------------------------------------------------------------

namespace {

class PictureSharing : public KindTest {};

TEST_F(PictureSharing, OpenPaintAndSaveDecodeEachFileOnce)
{
    // The references name the same pictures as the page, so saving builds temporary reference
    // controls that load them again.
    for (const char* name : {"progress_background.png", "progress_left.png", "progress_right.png",
                             "progress_mid.png", "progress_tick.png", "background.png"})
        WriteProjectFile(QString("images/") + name, EncodePicture(SolidPicture(6, 6, Qt::red), "PNG"));
    TPictureCache& cache = OSDControlFactory().Project().Pictures();
    cache.Clear();
    UseBuiltInReferences();
    const int64_t before = cache.DecodeCount();

    std::vector<std::unique_ptr<TItemLayer>> page;
    for (const char* type : {"progress", "tickprogress", "image", "image", "progress"})
        page.push_back(ControlFromText(std::string("<control><type>") + type + "</type></control>"));
    TBitmap32 buffer(720, 576);
    for (int round = 0; round < 3; ++round)
        for (auto& control : page) {
            ASSERT_TRUE(control);
            control->Paint(buffer);
            SavedControlText(*control);
        }
    EXPECT_EQ(cache.DecodeCount() - before, 6);
}

TEST_F(PictureSharing, ControlsShareOnePictureWithinTheProjectsTotal)
{
    for (const char* name : {"a.png", "b.png"})
        WriteProjectFile(QString("images/") + name, EncodePicture(SolidPicture(30, 20, Qt::red), "PNG"));
    TPictureCache& cache = OSDControlFactory().Project().Pictures();
    cache.SetByteLimit(0);
    cache.SetTotalLimit(30 * 20 * 4);
    const auto image = [](const char* file) {
        return KindFromText<TImageLayer>(std::string("<control><type>image</type><width>40</width><height>30</height>"
                                                     "<texture>") + file + "</texture></control>");
    };
    auto first = image("a.png"), second = image("a.png"), other = image("b.png");
    ASSERT_TRUE(first && second && other);
    EXPECT_EQ(first->Bitmap, second->Bitmap);
    EXPECT_TRUE(first->Bitmap);
    // Beyond the total the picture paints as missing, as a picture too large does.
    EXPECT_FALSE(other->Bitmap);
    TBitmap32 shown(60, 40), missing(60, 40);
    other->Paint(shown);
    other->SetFileName("none.png");
    other->Paint(missing);
    EXPECT_EQ(shown.Image(), missing.Image());
    // Once the controls are gone, their picture makes room.
    first.reset();
    second.reset();
    other->SetFileName("b.png");
    EXPECT_TRUE(other->Bitmap);
    EXPECT_EQ(cache.BytesInUse(), 30 * 20 * 4);
}

TEST_F(PictureSharing, ChangedFileIsReadAgainByTheNextLoad)
{
    WriteProjectFile("images/a.png", EncodePicture(SolidPicture(6, 6, Qt::red), "PNG"));
    auto first = KindFromText<TImageLayer>("<control><type>image</type><texture>a.png</texture></control>");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->GetWidth(), 6);
    TouchLater(WriteProjectFile("images/a.png", EncodePicture(SolidPicture(9, 3, Qt::red), "PNG")), 2);
    auto second = KindFromText<TImageLayer>("<control><type>image</type><texture>a.png</texture></control>");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->GetWidth(), 9);
    // The first control keeps the picture it loaded.
    EXPECT_EQ(first->Bitmap->width(), 6);
}

}  // namespace
