// Colours between the RGB and the HSV model: integer HSV to 24-bit pixels for drawing, floating HSV
// and RGB (0 to 1, a NaN hue for greys) both ways for exact values, and the hue/saturation disc.
// No state: every operation works on its arguments alone.
#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>
#include <stdexcept>

// One pixel of a 24-bit bitmap, in memory order blue, green, red.
struct TRGBTriple {
    std::uint8_t rgbtBlue = 0;
    std::uint8_t rgbtGreen = 0;
    std::uint8_t rgbtRed = 0;

    friend bool operator==(const TRGBTriple&, const TRGBTriple&) = default;
};
static_assert(sizeof(TRGBTriple) == 3);

// The 24-bit bitmap format whose rows hold TRGBTriple pixels.
inline constexpr QImage::Format Bitmap24Format = QImage::Format_BGR888;

class EColorError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Nearest integer, halves to even.
int RoundToEven(double value);
// a * b / c without overflow, rounded to the nearest integer with halves away from zero;
// -1 when c is 0 or the result does not fit.
int MulDiv(int a, int b, int c);

TRGBTriple RGBToTriple(std::uint8_t R, std::uint8_t G, std::uint8_t B);
// H 0 to 360 (360 is red again), S and V 0 to 255; a hue above 360 gives black.
TRGBTriple HSVToRGBTriple(int H, int S, int V);
// S = 0 needs a NaN hue (else EColorError, outputs untouched); a hue above 360 leaves the outputs
// as they were.
void HSVToRGB(double H, double S, double V, double& R, double& G, double& B);
// A grey gives a NaN hue; otherwise the hue lies in 0 to 360, 360 excluded.
void RGBToHSV(double R, double G, double B, double& H, double& S, double& V);

// Size by Size pixels in Bitmap24Format: the disc of every hue (counter-clockwise from red on the
// right) and saturation (0 in the centre, 255 on the rim) at Value, on BackColor, with a ring marker
// at Hue and Saturation unless Saturation is 0.
QImage CreateHSCircle(int Size, int Hue, int Saturation, int Value, const QColor& BackColor, const QColor& MarkerColor);
