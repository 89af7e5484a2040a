#include "editor/colour/model/HSVLibrary.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// 255 * 60: saturation scale times the width of one hue sector.
constexpr int SectorDivisor = 15300;

const char* const GreyWithHueMessage = "HSVtoRGB:  S = 0 and H has a value";

// A Windows ellipse box (right and bottom edges excluded) outlined with a one-pixel pen.
void EllipseOutline(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    painter.setPen(QPen(color, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(left, top, right - left - 1, bottom - top - 1));
}

} // namespace

int RoundToEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

int MulDiv(int a, int b, int c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const std::uint64_t magnitude = product < 0 ? static_cast<std::uint64_t>(-product) : static_cast<std::uint64_t>(product);
    const std::uint64_t absDivisor = divisor < 0 ? static_cast<std::uint64_t>(-divisor) : static_cast<std::uint64_t>(divisor);
    const std::uint64_t rounded = (magnitude + absDivisor / 2) / absDivisor;
    if (rounded > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return -1;
    const bool negative = (product < 0) != (divisor < 0);
    return negative ? -static_cast<int>(rounded) : static_cast<int>(rounded);
}

TRGBTriple RGBToTriple(std::uint8_t R, std::uint8_t G, std::uint8_t B)
{
    TRGBTriple triple;
    triple.rgbtRed = R;
    triple.rgbtGreen = G;
    triple.rgbtBlue = B;
    return triple;
}

TRGBTriple HSVToRGBTriple(int H, int S, int V)
{
    if (S == 0)
        return RGBToTriple(V, V, V);
    const int h = H == 360 ? 0 : H;
    const int f = h % 60;
    const int i = h / 60;
    const int p = V - (V * S) / 255;
    const int q = V - (V * S * f) / SectorDivisor;
    const int t = V - (V * S * (60 - f)) / SectorDivisor;
    switch (i) {
    case 0: return RGBToTriple(V, t, p);
    case 1: return RGBToTriple(q, V, p);
    case 2: return RGBToTriple(p, V, t);
    case 3: return RGBToTriple(p, q, V);
    case 4: return RGBToTriple(t, p, V);
    case 5: return RGBToTriple(V, p, q);
    default: return RGBToTriple(0, 0, 0);
    }
}

void HSVToRGB(double H, double S, double V, double& R, double& G, double& B)
{
    if (S == 0) {
        if (!std::isnan(H))
            throw EColorError(GreyWithHueMessage);
        R = V;
        G = V;
        B = V;
        return;
    }
    double h = H == 360 ? 0 : H;
    h = h / 60;
    // Beyond the six sectors (or no number at all) nothing is written.
    if (!(h > -1 && h < 6))
        return;
    const int i = static_cast<int>(h);
    const double f = h - i;
    const double p = V * (1 - S);
    const double q = V * (1 - S * f);
    const double t = V * (1 - S * (1 - f));
    switch (i) {
    case 0: R = V; G = t; B = p; break;
    case 1: R = q; G = V; B = p; break;
    case 2: R = p; G = V; B = t; break;
    case 3: R = p; G = q; B = V; break;
    case 4: R = t; G = p; B = V; break;
    case 5: R = V; G = p; B = q; break;
    default: break;
    }
}

void RGBToHSV(double R, double G, double B, double& H, double& S, double& V)
{
    V = std::max({R, G, B});
    const double min = std::min({R, G, B});
    const double delta = V - min;
    S = V != 0 ? delta / V : 0;
    if (S == 0) {
        H = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    if (R == V)
        H = (G - B) * 60 / delta;
    else if (G == V)
        H = (B - R) * 60 / delta + 120;
    else
        H = (R - G) * 60 / delta + 240;
    if (H < 0)
        H += 360;
}

QImage CreateHSCircle(int Size, int Hue, int Saturation, int Value, const QColor& BackColor, const QColor& MarkerColor)
{
    if (Size <= 0)
        return QImage();
    QImage bitmap(Size, Size, Bitmap24Format);
    bitmap.fill(BackColor);
    const int r = Size / 2;
    const int r2 = r * r;
    for (int y = 0; y < Size; ++y) {
        auto* row = reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y));
        const int dy = y - r;
        for (int x = 0; x < Size; ++x) {
            const int dx = x - r;
            const int d2 = dx * dx + dy * dy;
            if (d2 > r2)
                continue;
            // r is 0 only for a one-pixel disc, whose single pixel is its centre.
            const int saturation = r > 0 ? RoundToEven(std::sqrt(double(d2)) * 255 / r) : 0;
            int hue = RoundToEven((std::atan2(double(dx), double(dy)) / std::numbers::pi + 1) * 180) + 90;
            if (hue > 360)
                hue -= 360;
            row[x] = HSVToRGBTriple(hue, saturation, Value);
        }
    }
    if (Saturation != 0 && Hue >= 0 && Hue <= 360) {
        const double a = -Hue * std::numbers::pi / 180;
        const int d = MulDiv(r, Saturation, 255);
        const int mx = RoundToEven(std::cos(a) * d) + r;
        const int my = RoundToEven(std::sin(a) * d) + r;
        QPainter painter(&bitmap);
        painter.setRenderHint(QPainter::Antialiasing, false);
        EllipseOutline(painter, mx - 3, my - 3, mx + 3, my + 3, MarkerColor);
        EllipseOutline(painter, mx - 2, my - 2, mx + 2, my + 2, QColor(0xFF, 0xFF, 0xFF));
    }
    return bitmap;
}
