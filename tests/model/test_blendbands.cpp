// Drawing through clip bands must give exactly the pixels of one call: fills, stretched pictures
// and cosmetic lines of every slope, with and without a partial-repaint clip.
#include "skinmodel/draw/BlendBands.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>

namespace {

constexpr int W = 420, H = 330;

QImage Backdrop()
{
    QImage image(W, H, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            image.setPixel(x, y, qPremultiply(qRgba(x & 0xFF, y & 0xFF, (x ^ y) & 0xFF, 0x80 + (x + y) % 0x80)));
    return image;
}

QImage Picture()
{
    QImage image(41, 29, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qPremultiply(qRgba(x * 6, y * 8, (x * y) & 0xFF, (x + y) % 3 ? 255 : 96)));
    return image;
}

struct TCase {
    const char* Name;
    QRect Area;               // what the drawing covers
    Qt::Orientation Bands;
    std::function<void(QPainter&)> Draw;
};

void Line(QPainter& p, QLineF line)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor::fromRgba(0xA0000000u), 0));
    p.drawLine(line);
}

const TCase Cases[] = {
    {"translucent fill", QRect(7, 3, 390, 320), Qt::Horizontal,
     [](QPainter& p) { p.fillRect(QRect(7, 3, 390, 320), QColor::fromRgba(0x80FF8000u)); }},
    {"stretched picture with opacity", QRect(-13, 5, 400, 317), Qt::Horizontal,
     [](QPainter& p) {
         p.setOpacity(200 / 255.0);
         p.drawImage(QRectF(0, 5, 387, 317), Picture(), QRectF(13 * 41.0 / 400, 0, 387 * 41.0 / 400, 29));
     }},
    {"unscaled tall picture", QRect(20, 10, 41, 290), Qt::Horizontal,
     [](QPainter& p) { p.drawImage(QRectF(20, 10, 41, 290), Picture().scaled(41, 290), QRectF(0, 0, 41, 290)); }},
    {"steep line", QRect(9, 0, 61, 331), Qt::Horizontal, [](QPainter& p) { Line(p, QLineF(10, 0, 68, 330)); }},
    {"shallow line", QRect(0, 11, 421, 43), Qt::Vertical, [](QPainter& p) { Line(p, QLineF(0, 52, 420, 12)); }},
    {"diagonal", QRect(4, 4, 302, 302), Qt::Horizontal, [](QPainter& p) { Line(p, QLineF(5, 305, 305, 5)); }},
    {"fractional ends", QRect(-2, -2, 424, 334), Qt::Vertical,
     [](QPainter& p) { Line(p, QLineF(-0.75, 329.6, 420.4, -0.3)); }},
};

class TBlendBands : public testing::TestWithParam<std::tuple<int, bool>> {};

TEST_P(TBlendBands, SameAsOneCall)
{
    const TCase& c = Cases[std::get<0>(GetParam())];
    const bool partial = std::get<1>(GetParam());
    const QRect clip = partial ? QRect(31, 17, 333, 250) : QRect(0, 0, W, H);
    QImage once = Backdrop(), banded = Backdrop();
    {
        QPainter p(&once);
        if (partial)
            p.setClipRect(clip);
        c.Draw(p);
    }
    {
        QPainter p(&banded);
        if (partial)
            p.setClipRect(clip);
        PaintInBands(p, clip, c.Area, c.Bands, [&] { c.Draw(p); });
    }
    EXPECT_TRUE(once == banded) << c.Name;
    EXPECT_FALSE(once == Backdrop()) << c.Name << " drew nothing";
}

INSTANTIATE_TEST_SUITE_P(Cases, TBlendBands,
                         testing::Combine(testing::Range(0, int(std::size(Cases))), testing::Bool()));

TEST(BlendBands, ClipRestoredAndOutsideUntouched)
{
    QImage image = Backdrop();
    QPainter p(&image);
    p.setClipRect(QRect(0, 0, 200, 330));
    int calls = 0;
    PaintInBands(p, QRect(0, 0, 200, 330), QRect(0, 0, 420, 330), Qt::Horizontal, [&] {
        ++calls;
        p.fillRect(QRect(0, 0, 420, 330), Qt::red);
    });
    EXPECT_EQ(calls, (330 + BandSpans - 1) / BandSpans);
    EXPECT_EQ(p.clipBoundingRect().toRect(), QRect(0, 0, 200, 330));
    p.end();
    EXPECT_EQ(image.pixel(199, 329), QColor(Qt::red).rgba());
    EXPECT_EQ(image.pixel(200, 0), Backdrop().pixel(200, 0));
}

}  // namespace
