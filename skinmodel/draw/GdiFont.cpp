#include "skinmodel/draw/GdiFont.h"

#include "platform/core/Codec1252.h"

#include <QFontMetrics>

#include <algorithm>
#include <cstdint>

namespace {

struct TFaceSubstitute {
    const char* Face;     // lower case
    const char* Family;
};

// Windows faces whose metric-compatible or look-alike families are installed with the editor.
// Other faces go to fontconfig as they are.
constexpr TFaceSubstitute FaceSubstitutes[] = {
    {"arial", "Liberation Sans"},
    {"helvetica", "Liberation Sans"},
    {"system", "Liberation Sans"},
    {"ms sans serif", "Liberation Sans"},
    {"microsoft sans serif", "Liberation Sans"},
    {"ms shell dlg", "Liberation Sans"},
    {"ms shell dlg 2", "Liberation Sans"},
    {"times new roman", "Liberation Serif"},
    {"times", "Liberation Serif"},
    {"ms serif", "Liberation Serif"},
    {"courier new", "Liberation Mono"},
    {"courier", "Liberation Mono"},
    {"fixedsys", "Liberation Mono"},
    {"terminal", "Liberation Mono"},
    {"lucida console", "Liberation Mono"},
};

std::string LowerAscii(std::string_view s)
{
    std::string r(s);
    for (char& c : r)
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    return r;
}

int ClampPixels(int64_t v)
{
    return int(std::clamp<int64_t>(v, 1, MaxFontPixels));
}

// The largest pixel size whose ascent + descent fits a Windows cell height.
int PixelSizeForCell(QFont font, int cell)
{
    font.setPixelSize(cell);
    const int got = QFontMetrics(font).height();
    if (got <= cell || got <= 0)
        return cell;
    int size = ClampPixels(int64_t(cell) * cell / got);
    for (int i = 0; i < 8 && size > 1; ++i) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= cell)
            break;
        --size;
    }
    return size;
}

} // namespace

QString FontFamilyForFace(std::string_view face)
{
    const std::string lower = LowerAscii(face);
    for (const TFaceSubstitute& s : FaceSubstitutes)
        if (lower == s.Face)
            return QString::fromLatin1(s.Family);
    return FromWin1252(face);
}

QFont QFontFromFont32(const TFont32& font)
{
    QFont f;
    f.setFamily(FontFamilyForFace(font.Name));
    f.setStyleHint(QFont::SansSerif);
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    f.setUnderline(font.Underline);
    f.setStrikeOut(font.StrikeOut);
    // GDI lays text out glyph by glyph without pair kerning.
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setStyleStrategy(font.Quality == NONANTIALIASED_QUALITY ? QFont::NoAntialias : QFont::PreferDefault);
    const int64_t h = font.Height;
    if (h < 0)
        f.setPixelSize(ClampPixels(-h));
    else
        f.setPixelSize(PixelSizeForCell(f, ClampPixels(h == 0 ? 16 : h)));
    return f;
}

void SetStockSystemFont(TFont32& font)
{
    font.Name = "System";
    font.Height = 16;
    font.Bold = true;
    font.Italic = false;
    font.Underline = false;
    font.StrikeOut = false;
    font.Quality = NONANTIALIASED_QUALITY;
}
