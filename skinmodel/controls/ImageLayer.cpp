#include "skinmodel/controls/ImageLayer.h"

#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/KeepValues.h"
#include "skinmodel/controls/PaintAids.h"
#include "skinmodel/draw/Shapes.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <algorithm>

namespace {

using F = TOSDControlFactory;

constexpr int32_t DefaultCorner = 10;
// Outline widths and corner radii beyond this are drawn as this; the shapes are no larger.
constexpr int32_t MaxShapePixels = 1 << 14;

const TImageLayer& Defaults()
{
    static const TImageLayer defaults(nullptr);
    return defaults;
}

bool IsRoundRect(TGraphicsType t)
{
    switch (t) {
    case GT_ROUNDRECT:
    case GT_ROUNDRECT_UP:
    case GT_ROUNDRECT_DOWN:
    case GT_ROUNDRECT_LEFT:
    case GT_ROUNDRECT_RIGHT:
    case GT_GRADIENT_ROUNDRECT:
    case GT_GRADIENT_ROUNDRECT_UP:
    case GT_GRADIENT_ROUNDRECT_DOWN:
    case GT_GRADIENT_ROUNDRECT_LEFT:
    case GT_GRADIENT_ROUNDRECT_RIGHT:
        return true;
    default:
        return false;
    }
}

}  // namespace

TImageLayer::TImageLayer(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    GraphicsType = GT_IMAGE;
    Corner = DefaultCorner;
    FTypeName = "Image";
}

TImageLayer::~TImageLayer() = default;

QString TImageLayer::PicturePath(const std::string& FileName)
{
    return OSDControlFactory().Project().PicturePath(FileName);
}

void TImageLayer::SetFileName(const std::string& V)
{
    FileName = ExtractFileName(V);
    Bitmap.reset();
    // The cache decodes a file only once while it is unchanged; pictures that cannot be decoded
    // count as missing.
    // A name in the case it has on disk is the usual case: one status call finds the file and
    // tells the cache whether it changed.
    Bitmap = TFileLookupScope::Picture(FileName, [this]() -> TPicture {
        const TSkinProject& project = OSDControlFactory().Project();
        const QString folder = project.Folder();
        const QString exact = folder.isEmpty() || FileName.empty()
            ? QString()
            : WithTrailingSlash(folder) + QStringLiteral("images/") + FromWin1252(FileName);
        if (const TFileStamp stamp = ReadFileStamp(exact); stamp.IsFile)
            return project.Pictures().Load(exact, stamp);
        if (const QString path = PicturePath(FileName); !path.isEmpty())
            return project.Pictures().Load(path);
        return nullptr;
    });
    Changed();
}

void TImageLayer::SetColor(uint32_t V)
{
    Color = V;
    ColorKey = V;
    Changed();
}

// ---- reading -------------------------------------------------------------------------------

void TImageLayer::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    // No size carries over from an earlier load, such as the reference's.
    SetWidth(0);
    SetHeight(0);
    TItemLayer::LoadFromXML(Elem);
    F::ReadGraphicsType(Elem, "graphicstyp", GraphicsType);
    F::ReadInteger(Elem, "outline", Outline);
    F::ReadColor(Elem, "outlinecolor", OutlineColor);
    F::ReadInteger(Elem, "corner", Corner);
    std::string file = FileName;
    F::ReadString(Elem, "texture", file);
    SetFileName(file);
    if (GetWidth() == 0 && Bitmap)
        SetWidth(Bitmap->width());
    if (GetHeight() == 0 && Bitmap)
        SetHeight(Bitmap->height());
    F::ReadBool(Elem, "keepaspectratio", Ratio);
    // "colorkey" wins over "color"; afterwards both are the same.
    uint32_t colour = ColorKey;
    F::ReadColor(Elem, "colorkey", colour);
    // Looked up whatever "colorkey" holds: a child that is read is never kept as unknown.
    uint32_t plain = colour;
    F::ReadColor(Elem, "color", plain);
    if (colour == 0)
        colour = plain;
    Color = colour;
    ColorKey = colour;
    F::ReadColor(Elem, "color2", Color2);
    int32_t direction = Direction;
    F::ReadInteger(Elem, "direction", direction);
    Direction = static_cast<TeOrientation>(static_cast<uint8_t>(direction & 0xFF));
    Changed();
}

// ---- writing -------------------------------------------------------------------------------

int32_t TImageLayer::WidthWhenLeftOut(const TSaveContext& Ctx)
{
    // The reader starts the size at 0 and then takes the picture's.
    return LeftOutValue(GetWidth(), TItemLayer::WidthWhenLeftOut(Ctx), Bitmap ? Bitmap->width() : 0, FSavingReadBack);
}

int32_t TImageLayer::HeightWhenLeftOut(const TSaveContext& Ctx)
{
    return LeftOutValue(GetHeight(), TItemLayer::HeightWhenLeftOut(Ctx), Bitmap ? Bitmap->height() : 0,
                        FSavingReadBack);
}

void TImageLayer::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    WriteKeepingResetValues(Elem, *this, Ctx, FSavingReadBack, [&](TReadBack read) {
        TItemLayer::SaveToXMLWith(Elem, Ctx);
        WriteOwnValues(Elem, Ctx, read);
    });
}

void TImageLayer::WriteOwnValues(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx, TReadBack read)
{
    const TImageLayer* ref = dynamic_cast<const TImageLayer*>(Ctx.Reference);
    const TImageLayer* given = dynamic_cast<const TImageLayer*>(Ctx.Base);
    const TImageLayer& base = given ? *given : Defaults();
    // Each value: the documented rule, or else when a reload would not give it back.
    const auto differs = [&](auto mine, auto theirs) { return !ref || mine != theirs; };

    if (!FileName.empty() && (differs(FileName, ref ? ref->FileName : "") || FileName != base.FileName))
        F::WriteString(Elem, "texture", FileName);
    if ((Ratio && differs(Ratio, ref && ref->Ratio)) || Ratio != base.Ratio)
        F::WriteBool(Elem, "keepaspectratio", Ratio);

    // A picture writes its shape values only where a reload would lose them.
    const bool shape = GraphicsType != GT_IMAGE;
    // The reader resets the type to a picture when "graphicstyp" is missing.
    const TGraphicsType typeLeftOut = LeftOutValue(GraphicsType, base.GraphicsType, GT_IMAGE, read);
    if ((shape && differs(GraphicsType, ref ? ref->GraphicsType : GT_IMAGE)) || GraphicsType != typeLeftOut)
        F::WriteGraphicsType(Elem, "graphicstyp", GraphicsType);
    if ((shape && Outline != 0 && differs(Outline, ref ? ref->Outline : 0)) || Outline != base.Outline)
        F::WriteInteger(Elem, "outline", Outline);
    if ((shape && OutlineColor != 0 && differs(OutlineColor, ref ? ref->OutlineColor : 0)) ||
        OutlineColor != base.OutlineColor)
        F::WriteColor(Elem, "outlinecolor", OutlineColor);
    if ((shape && Corner != DefaultCorner && differs(Corner, ref ? ref->Corner : 0)) || Corner != base.Corner)
        F::WriteInteger(Elem, "corner", Corner);
    if ((shape && Color != 0 && differs(Color, ref ? ref->Color : 0)) || Color != base.Color)
        F::WriteColor(Elem, "color", Color);
    if ((shape && ColorKey != 0 && differs(ColorKey, ref ? ref->ColorKey : 0)) || ColorKey != base.ColorKey)
        F::WriteColor(Elem, "colorkey", ColorKey);
    if ((shape && Color2 != 0 && differs(Color2, ref ? ref->Color2 : 0)) || Color2 != base.Color2)
        F::WriteColor(Elem, "color2", Color2);
    if ((shape && differs(Direction, ref ? ref->Direction : Horizontal)) || Direction != base.Direction)
        F::WriteInteger(Elem, "direction", Direction);
}

// ---- painting ------------------------------------------------------------------------------

void TImageLayer::Paint(TBitmap32& Buffer)
{
    const QRect R = PaintRect();
    if (!Buffer.MeasuringMode()) {
        const TShapeLineStyle line{OutlineColor, FixedFromPixels(std::clamp(Outline, 0, MaxShapePixels)), 1.0f};
        const TShapeFillStyle fill{Color, false};
        switch (GraphicsType) {
        case GT_IMAGE:
        case GT_IMAGE_TILE:
            // Tiled pictures are shown stretched too.
            if (Bitmap)
                DrawPictureStretched(Buffer, R, *Bitmap, static_cast<uint8_t>(std::clamp(Alpha, 0, 255)));
            else
                PaintPlaceholder(Buffer);
            break;
        case GT_RECTANGLE:
        case GT_GRADIENT_RECTANGLE:
            FillRectBlend(Buffer, R, Color);
            if ((OutlineColor >> 24) > 0)
                FrameRectBlend(Buffer, R, OutlineColor);
            break;
        case GT_ELLIPSE:
        case GT_GRADIENT_ELLIPSE:
            if (!R.isEmpty())
                DrawShapeEllipse(Buffer, FixedRectFromRect(R), line, fill, true);
            break;
        default:
            if (IsRoundRect(GraphicsType) && !R.isEmpty())
                DrawShapeRoundRect(Buffer, FixedRectFromRect(R), FixedFromPixels(std::clamp(Corner, 0, MaxShapePixels)),
                                   line, fill, true);
            break;
        }
    }
    ReportArea(Buffer);
}

// ---- published -----------------------------------------------------------------------------

std::vector<TPropInfo> TImageLayer::PublishedProperties()
{
    std::vector<TPropInfo> props = TItemLayer::PublishedProperties();
    props.push_back(IntegerProp("Alpha", [this] { return Alpha; }, [this](int32_t v) { SetAlpha(v); }, 0, 255));
    props.push_back(ColorProp("Color", [this] { return Color; }, [this](uint32_t v) { SetColor(v); }));
    props.push_back(ColorField("Color2", Color2));
    props.push_back(ColorProp("ColorKey", [this] { return ColorKey; }, [this](uint32_t v) { SetColorKey(v); }));
    props.push_back(IntegerField("Corner", Corner));
    props.push_back(EnumProp("Direction", EnumNameList(TeOrientationValueNames), [this] { return int64_t{Direction}; },
                             [this](int64_t v) { Direction = static_cast<TeOrientation>(static_cast<uint8_t>(v & 0xFF)); }));
    props.push_back(TextProp("FileName", TPropType::FileName, [this] { return FileName; },
                             [this](const std::string& v) { SetFileName(v); }));
    props.back().NameOnly = true;
    props.back().Reload = [this](const TPropValue& v) {
        // Held meanwhile, so that an unchanged file gives back this very picture.
        const TPicture before = Bitmap;
        SetFileName(PropString(v));
        return Bitmap != before;
    };
    props.push_back(EnumProp("GraphicsType", EnumNameList(TGraphicsTypeValueNames),
                             [this] { return int64_t{GraphicsType}; },
                             [this](int64_t v) { GraphicsType = static_cast<TGraphicsType>(std::clamp<int64_t>(v, 0, 15)); }));
    props.push_back(BoolField("Ratio", Ratio));
    props.push_back(IntegerField("Outline", Outline));
    props.push_back(ColorField("OutlineColor", OutlineColor));
    return props;
}
