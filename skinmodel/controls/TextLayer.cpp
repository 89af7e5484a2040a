#include "skinmodel/controls/TextLayer.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/KeepValues.h"
#include "skinmodel/controls/PaintAids.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/draw/RenderText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

using F = TOSDControlFactory;

constexpr uint32_t OpaqueBlack = 0xFF000000u;
constexpr uint32_t White = 0xFFFFFFFFu;
constexpr uint32_t LabelTextFlags = DT_SINGLELINE | DT_END_ELLIPSIS | DT_WORD_ELLIPSIS;  // $48020
constexpr int32_t LoadedMinimumHeight = 24;

// R moved by (dx, dy), in 64-bit arithmetic so that no offset from a file overflows.
QRect Moved(const QRect& r, int64_t dx, int64_t dy)
{
    const int64_t l = int64_t{r.left()} + dx, t = int64_t{r.top()} + dy;
    return EdgeRect(l, t, l + r.width(), t + r.height());
}

const TTextLayer& Defaults()
{
    static const TTextLayer defaults(nullptr);
    return defaults;
}

}  // namespace

std::string TLogFont::FaceName() const
{
    return std::string(lfFaceName, strnlen(lfFaceName, sizeof lfFaceName));
}

void TLogFont::SetFaceName(std::string_view face)
{
    std::memset(lfFaceName, 0, sizeof lfFaceName);
    std::memcpy(lfFaceName, face.data(), std::min(face.size(), sizeof lfFaceName - 1));
}

TTextLayer::TTextLayer(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    FTypeName = "Label";
}

// ---- setters -------------------------------------------------------------------------------

void TTextLayer::SetFontName(const std::string& V)
{
    FontName = V;
    std::string face;
    int32_t size = 12, style = 0;
    TFileLookupScope::LookupFont(V, face, size, style);
    // Minus the size is a character height in pixels; kept within what a font record holds.
    FLogFont.lfHeight = static_cast<int32_t>(std::clamp<int64_t>(-int64_t{size}, std::numeric_limits<int32_t>::min() + 1,
                                                                 std::numeric_limits<int32_t>::max()));
    FLogFont.SetFaceName(face);
    FLogFont.lfWeight = (style & 1) ? 700 : 400;
    Changed();
}

void TTextLayer::SetShadowColor(uint32_t V)
{
    if (V != ShadowColor) {
        ShadowColor = V;
        Changed();
    }
}

void TTextLayer::SetShadowX(int32_t V)
{
    if (V != ShadowX) {
        ShadowX = V;
        Changed();
    }
}

void TTextLayer::SetShadowY(int32_t V)
{
    if (V != ShadowY) {
        ShadowY = V;
        Changed();
    }
}

void TTextLayer::SetTextAlign(StringAlignment V)
{
    TextAlign = V;
    Changed();
}

void TTextLayer::SetTextcolor(uint32_t V)
{
    Textcolor = V;
    Changed();
}

void TTextLayer::SetVerticalAlign(StringAlignment V)
{
    VerticalAlign = V;
    Changed();
}

// ---- reading -------------------------------------------------------------------------------

void TTextLayer::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    std::string font = FontName;
    F::ReadString(Elem, "font", font);
    SetFontName(font);
    F::ReadColor(Elem, "textcolor", Textcolor);
    uint32_t selected = Textcolor;
    F::ReadColor(Elem, "textselectedcolor", selected);
    TextSelectedColor = selected;
    F::ReadAlignment(Elem, "align", TextAlign);
    F::ReadAlignment(Elem, "verticalalign", VerticalAlign);
    F::ReadInteger(Elem, "shadowX", ShadowX);
    F::ReadInteger(Elem, "shadowY", ShadowY);
    F::ReadBool(Elem, "shadow", Shadow);
    F::ReadBool(Elem, "outline", Outline);
    if (GetHeight() == 0)
        SetHeight(LoadedMinimumHeight);
    OutlineColor = OpaqueBlack;
    F::ReadColor(Elem, "outlinecolor", OutlineColor);
    ShadowColor = OpaqueBlack;
    F::ReadColor(Elem, "Shadowcolor", ShadowColor);
}

// ---- writing -------------------------------------------------------------------------------

int32_t TTextLayer::HeightWhenLeftOut(const TSaveContext& Ctx)
{
    const int32_t h = TItemLayer::HeightWhenLeftOut(Ctx);
    // A height of 0 reads back as 24 whatever is written; writing it would only add noise.
    if (GetHeight() == 0)
        return 0;
    return LeftOutValue(GetHeight(), h, h == 0 ? LoadedMinimumHeight : h, FSavingReadBack);
}

void TTextLayer::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    WriteKeepingResetValues(Elem, *this, Ctx, FSavingReadBack, [&](TReadBack read) {
        TItemLayer::SaveToXMLWith(Elem, Ctx);
        WriteOwnValues(Elem, Ctx, read);
    });
}

void TTextLayer::WriteOwnValues(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx, TReadBack read)
{
    const TTextLayer* ref = dynamic_cast<const TTextLayer*>(Ctx.Reference);
    const TTextLayer* given = dynamic_cast<const TTextLayer*>(Ctx.Base);
    const TTextLayer& base = given ? *given : Defaults();
    // Each value: the documented rule, or else when a reload would not give it back.
    const auto differs = [&](auto mine, auto theirs) { return !ref || mine != theirs; };

    if (!FontName.empty() && (differs(FontName, ref ? ref->FontName : "") || FontName != base.FontName))
        F::WriteString(Elem, "font", FontName);
    if ((Textcolor != White && differs(Textcolor, ref ? ref->Textcolor : 0)) || Textcolor != base.Textcolor)
        F::WriteColor(Elem, "textcolor", Textcolor);
    // Left out, the reader takes the text colour; a dropped part keeps its reference's.
    const uint32_t selectedLeftOut = LeftOutValue(TextSelectedColor, base.TextSelectedColor, Textcolor, read);
    if ((TextSelectedColor != White && differs(TextSelectedColor, ref ? ref->TextSelectedColor : 0)) ||
        TextSelectedColor != selectedLeftOut)
        F::WriteColor(Elem, "textselectedcolor", TextSelectedColor);
    if ((TextAlign != StringAlignmentNear && differs(TextAlign, ref ? ref->TextAlign : TextAlign)) ||
        TextAlign != base.TextAlign)
        F::WriteAlignment(Elem, "align", TextAlign);
    if ((VerticalAlign != StringAlignmentCenter && differs(VerticalAlign, ref ? ref->VerticalAlign : VerticalAlign)) ||
        VerticalAlign != base.VerticalAlign)
        F::WriteAlignment(Elem, "verticalalign", VerticalAlign);

    // The reader starts both colours at opaque black.
    const uint32_t outlineLeftOut = LeftOutValue(OutlineColor, base.OutlineColor, OpaqueBlack, read);
    if ((Outline && differs(Outline, ref && ref->Outline)) || Outline != base.Outline)
        F::WriteBool(Elem, "outline", Outline);
    if ((Outline && differs(OutlineColor, ref ? ref->OutlineColor : 0)) || OutlineColor != outlineLeftOut)
        F::WriteColor(Elem, "outlinecolor", OutlineColor);

    const uint32_t shadowLeftOut = LeftOutValue(ShadowColor, base.ShadowColor, OpaqueBlack, read);
    if ((Shadow && differs(ShadowX, ref ? ref->ShadowX : 0)) || ShadowX != base.ShadowX)
        F::WriteInteger(Elem, "shadowX", ShadowX);
    if ((Shadow && differs(ShadowY, ref ? ref->ShadowY : 0)) || ShadowY != base.ShadowY)
        F::WriteInteger(Elem, "shadowY", ShadowY);
    if ((Shadow && differs(Shadow, ref && ref->Shadow)) || Shadow != base.Shadow)
        F::WriteBool(Elem, "shadow", Shadow);
    if ((Shadow && differs(ShadowColor, ref ? ref->ShadowColor : 0)) || ShadowColor != shadowLeftOut)
        F::WriteColor(Elem, "Shadowcolor", ShadowColor);
}

// ---- painting ------------------------------------------------------------------------------

std::string TTextLayer::ShownText() const
{
    if (LabelText.empty())
        return "# Empty #";
    if (LabelText == "-")
        return "-" + Description;
    return LabelText;
}

uint32_t TTextLayer::TextFlags() const
{
    uint32_t flags = LabelTextFlags;
    switch (TextAlign) {
    case StringAlignmentCenter: flags |= DT_CENTER; break;
    case StringAlignmentFar: flags |= DT_RIGHT; break;
    default: break;
    }
    switch (VerticalAlign) {
    case StringAlignmentCenter: flags |= DT_VCENTER; break;
    case StringAlignmentFar: flags |= DT_BOTTOM; break;
    default: break;
    }
    return flags;
}

void TTextLayer::Paint(TBitmap32& Buffer)
{
    const QRect R = PaintRect();
    if (!Buffer.MeasuringMode()) {
        // The text itself is not copied: a long one costs no more than what shows of it.
        const std::string substitute = LabelText.empty() || LabelText == "-" ? ShownText() : std::string();
        const std::string_view S = substitute.empty() ? std::string_view(LabelText) : std::string_view(substitute);
        // The font lives only in the buffer's font record for this paint.
        TFont32& font = Buffer.Font;
        font.Name = FLogFont.FaceName();
        font.Height = FLogFont.lfHeight;
        font.Bold = FLogFont.lfWeight >= 700;
        font.Italic = FLogFont.lfItalic != 0;
        font.Underline = FLogFont.lfUnderline != 0;
        font.StrikeOut = FLogFont.lfStrikeOut != 0;
        font.Quality = FLogFont.lfQuality;
        const uint32_t flags = TextFlags();
        if (Shadow && (ShadowX != 0 || ShadowY != 0))
            RenderTextRect(Buffer, Moved(R, ShadowX, ShadowY), flags, S, 0, ShadowColor);
        if (Outline) {
            RenderTextRect(Buffer, Moved(R, -1, -1), flags, S, 0, OutlineColor);
            RenderTextRect(Buffer, Moved(R, 1, 1), flags, S, 0, OutlineColor);
        }
        RenderTextRect(Buffer, R, flags, S, 0, Textcolor);
        FrameRectBlend(Buffer, R, OpaqueBlack);
    }
    Buffer.Changed(Moved(R, 1, 1), AREAINFO_RECT);
}

// ---- published -----------------------------------------------------------------------------

std::vector<TPropInfo> TTextLayer::PublishedProperties()
{
    std::vector<TPropInfo> props = TItemLayer::PublishedProperties();
    const auto alignment = [](int64_t v) { return static_cast<StringAlignment>(std::clamp<int64_t>(v, 0, 2)); };
    props.push_back(TextProp("FontName", TPropType::FontName, [this] { return FontName; },
                             [this](const std::string& v) { SetFontName(v); }));
    props.push_back(TextProp("LabelText", TPropType::String, [this] { return LabelText; },
                             [this](const std::string& v) { SetLabelText(v); }));
    props.push_back(BoolField("Outline", Outline));
    props.push_back(ColorField("OutlineColor", OutlineColor));
    props.push_back(BoolField("Shadow", Shadow));
    props.push_back(ColorProp("ShadowColor", [this] { return ShadowColor; }, [this](uint32_t v) { SetShadowColor(v); }));
    props.push_back(IntegerProp("ShadowX", [this] { return ShadowX; }, [this](int32_t v) { SetShadowX(v); }));
    props.push_back(IntegerProp("ShadowY", [this] { return ShadowY; }, [this](int32_t v) { SetShadowY(v); }));
    props.push_back(EnumProp("TextAlign", EnumNameList(StringAlignmentValueNames), [this] { return int64_t{TextAlign}; },
                             [this, alignment](int64_t v) { SetTextAlign(alignment(v)); }));
    props.push_back(ColorProp("Textcolor", [this] { return Textcolor; }, [this](uint32_t v) { SetTextcolor(v); }));
    props.push_back(ColorField("TextSelectedColor", TextSelectedColor));
    props.push_back(EnumProp("VerticalAlign", EnumNameList(StringAlignmentValueNames),
                             [this] { return int64_t{VerticalAlign}; },
                             [this, alignment](int64_t v) { SetVerticalAlign(alignment(v)); }));
    return props;
}
