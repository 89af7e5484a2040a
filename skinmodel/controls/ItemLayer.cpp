#include "skinmodel/controls/ItemLayer.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/BlendBands.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QColor>
#include <QLineF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

using F = TOSDControlFactory;

constexpr uint32_t PlaceholderFill = 0xA0888888u;
constexpr uint32_t PlaceholderLines = 0xA0000000u;
constexpr uint32_t PlaceholderTextFlags = 21;  // DT_CENTER | DT_VCENTER | DT_WORDBREAK

// Clips the segment to the rectangle (Liang-Barsky); false when nothing of it lies inside.
bool ClipSegment(double& x0, double& y0, double& x1, double& y1, double l, double t, double r, double b)
{
    double t0 = 0, t1 = 1;
    const double dx = x1 - x0, dy = y1 - y0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - l, r - x0, y0 - t, b - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const double u = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, u);
        else
            t1 = std::min(t1, u);
        if (t0 > t1)
            return false;
    }
    const double nx0 = x0 + t0 * dx, ny0 = y0 + t0 * dy;
    x1 = x0 + t1 * dx;
    y1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    return true;
}

}  // namespace

int32_t RoundToInt32(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (r <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(r);
}

QRect CentredTextRect(const QRect& R)
{
    static constexpr int64_t reach = int64_t{1} << 20;
    const auto clampEdge = [](int64_t v) { return static_cast<int>(std::clamp(v, -reach, reach)); };
    const int64_t right = int64_t{R.left()} + R.width(), bottom = int64_t{R.top()} + R.height();
    return QRect(QPoint(clampEdge(R.left()), clampEdge(R.top())), QPoint(clampEdge(right) - 1, clampEdge(bottom) - 1));
}

TItemLayer::TItemLayer(TLayerCollection* ALayerCollection) : TPositionedLayer(ALayerCollection) {}

TItemLayer::~TItemLayer() = default;

std::string TItemLayer::TypeKeyword() const
{
    return LowerAscii(FTypeName);
}

// ---- geometry ------------------------------------------------------------------------------

int32_t TItemLayer::GetX() const
{
    return RoundToInt32(Location().Left);
}

int32_t TItemLayer::GetY() const
{
    return RoundToInt32(Location().Top);
}

void TItemLayer::SetX(int32_t V)
{
    TFloatRect r = Location();
    r.Left = static_cast<float>(V);
    r.Right = static_cast<float>(static_cast<double>(r.Left) + FWidth);
    SetLocation(r);
}

void TItemLayer::SetY(int32_t V)
{
    TFloatRect r = Location();
    r.Top = static_cast<float>(V);
    r.Bottom = static_cast<float>(static_cast<double>(r.Top) + FHeight);
    SetLocation(r);
}

int32_t TItemLayer::GetWidth()
{
    const int32_t w = RoundToInt32(static_cast<double>(Location().Right) - Location().Left);
    if (w != FWidth)
        FWidth = w;
    return w;
}

int32_t TItemLayer::GetHeight()
{
    const int32_t h = RoundToInt32(static_cast<double>(Location().Bottom) - Location().Top);
    if (h != FHeight)
        FHeight = h;
    return h;
}

void TItemLayer::SetWidth(int32_t V)
{
    FWidth = V;
    TFloatRect r = Location();
    r.Right = static_cast<float>(static_cast<double>(r.Left) + V);
    SetLocation(r);
}

void TItemLayer::SetHeight(int32_t V)
{
    FHeight = V;
    TFloatRect r = Location();
    r.Bottom = static_cast<float>(static_cast<double>(r.Top) + V);
    SetLocation(r);
}

void TItemLayer::SetAlpha(int32_t V)
{
    if (V != Alpha && V >= 0 && V <= 255) {
        Alpha = V;
        Changed();
    }
}

void TItemLayer::SetLabelText(const std::string& V)
{
    LabelText = V;
    Changed();
}

void TItemLayer::Changed()
{
    if (FPartOwner)
        FPartOwner->Changed();
    else
        TPositionedLayer::Changed();
}

TFloatRect TItemLayer::GetAdjustedLocation() const
{
    if (!FPartOwner)
        return TPositionedLayer::GetAdjustedLocation();
    // Parts lie in no collection; they are shifted to the viewport as their owner is.
    const TFloatRect owner = FPartOwner->GetAdjustedLocation();
    const float dx = owner.Left - FPartOwner->Location().Left;
    const float dy = owner.Top - FPartOwner->Location().Top;
    TFloatRect r = Location();
    r.Left += dx;
    r.Right += dx;
    r.Top += dy;
    r.Bottom += dy;
    return r;
}

QRect TItemLayer::PaintRect() const
{
    return RoundRect(GetAdjustedLocation());
}

// ---- reading -------------------------------------------------------------------------------

void TItemLayer::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    Control_ID = 0;
    F::ReadInteger(Elem, "id", Control_ID);
    F::ReadString(Elem, "description", Description);
    // A place the inspector would refuse could not keep the size beside it.
    int32_t pos = 0;
    F::ReadInteger(Elem, "x", pos);
    SetX(std::clamp(pos, -MaxPlace, MaxPlace));
    pos = 0;
    F::ReadInteger(Elem, "y", pos);
    SetY(std::clamp(pos, -MaxPlace, MaxPlace));
    F::ReadInteger(Elem, "width", FWidth);
    if (std::llabs(int64_t{FWidth}) > MaxSavedSize)
        FWidth = 200;
    SetWidth(FWidth);
    F::ReadInteger(Elem, "height", FHeight);
    if (std::llabs(int64_t{FHeight}) > MaxSavedSize)
        FHeight = 24;
    SetHeight(FHeight);
    F::ReadColor(Elem, "disabledcolor", DisabledColor);
    uint32_t diffuse = 0xFFFFFFFFu;
    F::ReadColor(Elem, "diffusecolor", diffuse);
    Alpha = static_cast<int32_t>(diffuse >> 24);
    F::ReadInteger(Elem, "left", ControlLeft);
    F::ReadInteger(Elem, "right", ControlRight);
    F::ReadInteger(Elem, "up", ControlUp);
    F::ReadInteger(Elem, "down", ControlDown);
    F::ReadBool(Elem, "disabled", Disabled);
    F::ReadText(Elem, "label", LabelText);
    F::ReadBool(Elem, "visible", FVisible);
    Changed();
}

// ---- children no reader looks up -----------------------------------------------------------

void TItemLayer::ReadElement(TJvSimpleXMLElem* Elem)
{
    ReadKeeping(Elem, true);
}

void TItemLayer::ReadKeeping(TJvSimpleXMLElem* Elem, bool Replace)
{
    if (!Elem || OSDControlFactory().IsReferenceElement(Elem)) {
        LoadFromXML(Elem);
        return;
    }
    if (Replace)
        ForgetUnknownChildren();
    TReadNames names(Elem);
    // The type chose the kind (for a part, its owner's role did); every kind writes it.
    names.Note("type");
    LoadFromXML(Elem);
    if (const TJvSimpleXMLElems* children = Elem->ItemsIfAny())
        for (int i = 0; i < children->Count(); ++i) {
            const TJvSimpleXMLElem* child = children->Item(i);
            if (child->Kind() == TJvSimpleXMLElemKind::Classic && !names.Looked(child->Name()))
                FUnknownChildren.push_back(child->Clone());
        }
}

void TItemLayer::ForgetUnknownChildren()
{
    FUnknownChildren.clear();
    FUnknownPartsBefore.clear();
    FUnknownParts.clear();
    for (const TPartSlot& slot : PartTable().Slots)
        slot.Part->ForgetUnknownChildren();
}

bool TItemLayer::HoldsUnknownChildren()
{
    if (!FUnknownChildren.empty() || !FUnknownPartsBefore.empty() || !FUnknownParts.empty())
        return true;
    for (const TPartSlot& slot : PartTable().Slots)
        if (slot.Part->HoldsUnknownChildren())
            return true;
    return false;
}

void TItemLayer::WriteUnknownChildren(TJvSimpleXMLElem* Elem)
{
    if (!FUnknownPartsBefore.empty() || !FUnknownParts.empty()) {
        // Every kind writes "subcontrols" last, or leaves it out when no part is written.
        const int count = Elem->ChildCount();
        TJvSimpleXMLElem* subcontrols = count > 0 ? Elem->Items().Item(count - 1) : nullptr;
        if (!subcontrols || subcontrols->Name() != "subcontrols")
            subcontrols = Elem->Items().Add("subcontrols");
        for (std::size_t i = 0; i < FUnknownPartsBefore.size(); ++i)
            subcontrols->Items().Insert(static_cast<int>(i), FUnknownPartsBefore[i]->Clone());
        for (const auto& kept : FUnknownParts)
            subcontrols->Items().Add(kept->Clone());
    }
    for (const auto& kept : FUnknownChildren)
        Elem->Items().Add(kept->Clone());
}

// ---- writing -------------------------------------------------------------------------------

std::unique_ptr<TItemLayer> TItemLayer::NewBlank() const
{
    std::unique_ptr<TItemLayer> blank(OSDControlFactory().CreateKind(TypeKeyword(), nullptr));
    if (!blank) {
        blank = std::make_unique<TItemLayer>(nullptr);
        blank->FTypeName = FTypeName;
    }
    return blank;
}

void TItemLayer::SaveWithContext(TJvSimpleXMLElem* Elem, TSaveContext& Ctx, std::unique_ptr<TItemLayer>& blank)
{
    if (!Ctx.Base) {
        blank = NewBlank();
        Ctx.Base = blank.get();
    }
    LayoutParts();
    SaveToXMLWith(Elem, Ctx);
    WriteUnknownChildren(Elem);
}

void TItemLayer::SaveToXML(TJvSimpleXMLElem* Elem, TItemLayer* Ref, bool SubControl)
{
    if (!Elem)
        return;
    TSaveContext ctx;
    ctx.Ref = Ref;
    ctx.SubControl = SubControl;
    std::unique_ptr<TItemLayer> temporary, blank;
    if (Ref) {
        ctx.Reference = Ref;
    } else if (TJvSimpleXMLElem* refElem = OSDControlFactory().FindReference(TypeKeyword())) {
        temporary.reset(OSDControlFactory().CreateControl(nullptr, refElem, false));
        ctx.Reference = temporary.get();
    }
    ctx.Base = ctx.Reference;
    SaveWithContext(Elem, ctx, blank);
}

void TItemLayer::SaveAsPart(TJvSimpleXMLElem* Elem, TItemLayer* Ref, bool SubControl, TItemLayer* Base,
                            bool OwnerSetsWidth, bool OwnerSetsHeight, bool OwnerClearedNavigation)
{
    if (!Elem)
        return;
    TSaveContext ctx;
    ctx.Ref = Ref;
    ctx.Reference = Ref;
    ctx.SubControl = SubControl;
    ctx.Base = Ref ? Ref : Base;
    ctx.OwnerSetsWidth = OwnerSetsWidth;
    ctx.OwnerSetsHeight = OwnerSetsHeight;
    ctx.OwnerClearedNavigation = OwnerClearedNavigation;
    std::unique_ptr<TItemLayer> blank;
    SaveWithContext(Elem, ctx, blank);
}

int32_t TItemLayer::WidthWhenLeftOut(const TSaveContext& Ctx)
{
    return Ctx.Base->GetWidth();
}

int32_t TItemLayer::HeightWhenLeftOut(const TSaveContext& Ctx)
{
    return Ctx.Base->GetHeight();
}

void TItemLayer::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    TItemLayer& base = *Ctx.Base;
    const bool sub = Ctx.SubControl;
    F::WriteString(Elem, "description", Description);
    F::WriteString(Elem, "type", FTypeName);
    // The reader starts "id", "x", "y" and the alpha afresh, so anything but that start is written.
    // A part whose element is left out keeps the reference part's id instead.
    if (Control_ID != 0 || (PartOwner() && Control_ID != base.Control_ID))
        F::WriteInteger(Elem, "id", Control_ID);
    if ((DisabledColor != 0xFF606060u && DisabledColor != 0) || DisabledColor != base.DisabledColor)
        F::WriteColor(Elem, "disabledcolor", DisabledColor);
    // A part whose element is left out keeps the reference part's alpha; the reader starts it
    // afresh only where the element is there.
    if (Alpha != 255 || (PartOwner() && Alpha != base.Alpha))
        F::WriteColor(Elem, "diffusecolor", static_cast<uint32_t>(Alpha) * 0x1000000u + 0xFFFFFFu);
    // A part's place is its owner's layout; it is never written.
    if (!sub) {
        if (GetX() != 0)
            F::WriteInteger(Elem, "x", GetX());
        if (GetY() != 0)
            F::WriteInteger(Elem, "y", GetY());
    }
    const int32_t width = GetWidth();
    if ((width > 0 && (!Ctx.Ref || width != Ctx.Ref->GetWidth())) ||
        (!Ctx.OwnerSetsWidth && width != WidthWhenLeftOut(Ctx)))
        F::WriteInteger(Elem, "width", width);
    const int32_t height = GetHeight();
    if ((height > 0 && (!Ctx.Ref || height != Ctx.Ref->GetHeight())) ||
        (!Ctx.OwnerSetsHeight && height != HeightWhenLeftOut(Ctx)))
        F::WriteInteger(Elem, "height", height);
    const auto navigation = [&](const char* name, int32_t value, int32_t left) {
        if ((value > 0 && !sub) || (!Ctx.OwnerClearedNavigation && value != left))
            F::WriteInteger(Elem, name, value);
    };
    navigation("up", ControlUp, base.ControlUp);
    navigation("down", ControlDown, base.ControlDown);
    navigation("left", ControlLeft, base.ControlLeft);
    navigation("right", ControlRight, base.ControlRight);
    if (Disabled || base.Disabled)
        F::WriteBool(Elem, "disabled", Disabled);
    F::WriteString(Elem, "label", LabelText);
    if (!FVisible || !base.FVisible)
        F::WriteBool(Elem, "visible", FVisible);
}

// ---- painting ------------------------------------------------------------------------------

void TItemLayer::ReportArea(TBitmap32& Buffer)
{
    Buffer.Changed(PaintRect(), AREAINFO_RECT);
}

void TItemLayer::PaintPlaceholder(TBitmap32& Buffer)
{
    const QRect r = PaintRect();
    if (Buffer.MeasuringMode() || Buffer.Empty() || r.width() <= 0 || r.height() <= 0)
        return;
    const QRect visible = r.intersected(Buffer.BoundsRect());
    if (visible.isEmpty())
        return;
    const std::string text = Description.empty() ? "Object: " + FTypeName : Description;
    {
        QPainter p(&Buffer.Image());
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setRenderHint(QPainter::Antialiasing, false);
        if (Buffer.ClipRect() != Buffer.BoundsRect())
            p.setClipRect(Buffer.ClipRect());
        PaintInBands(p, Buffer.ClipRect(), visible, Qt::Horizontal,
                     [&] { p.fillRect(visible, QColor::fromRgba(PlaceholderFill)); });
        p.setPen(QPen(QColor::fromRgba(PlaceholderLines), 0));
        // Edges in 64-bit arithmetic: a rectangle from a file may reach beyond the int range.
        const double l = r.left(), t = r.top();
        const double rr = l + r.width(), b = t + r.height();
        const double cl = -1, ct = -1, cr = Buffer.Width() + 1, cb = Buffer.Height() + 1;
        const auto drawDiagonal = [&](double x0, double y0, double x1, double y1) {
            if (!ClipSegment(x0, y0, x1, y1, cl, ct, cr, cb))
                return;
            const QLineF line(x0, y0, x1, y1);
            // Every pixel of a shallow line is a span of its own: those go in strips of columns.
            const bool shallow = std::abs(x1 - x0) > std::abs(y1 - y0);
            PaintInBands(p, Buffer.ClipRect(), QRectF(line.p1(), line.p2()).normalized().toAlignedRect().adjusted(-1, -1, 1, 1),
                         shallow ? Qt::Vertical : Qt::Horizontal, [&] { p.drawLine(line); });
        };
        drawDiagonal(l, t, rr, b);
        drawDiagonal(l, b, rr, t);
    }
    SetStockSystemFont(Buffer.Font);
    Buffer.Font.Color = 0xFF000000u;
    QRect textRect = CentredTextRect(r);
    DrawText(Buffer, text, textRect, PlaceholderTextFlags);
}

void TItemLayer::Paint(TBitmap32& Buffer)
{
    PaintPlaceholder(Buffer);
    ReportArea(Buffer);
}

// ---- published -----------------------------------------------------------------------------

std::vector<TPropInfo> TItemLayer::PublishedProperties()
{
    // Sizes beyond 2000 come back from a file as 200 and 24, and positions are single-precision
    // floats: the ranges name what a file gives back unchanged.
    constexpr int64_t sizeLimit = MaxSavedSize;
    constexpr int64_t placeLimit = MaxPlace;
    return {
        IntegerField("Control_ID", Control_ID),
        TextField("Description", TPropType::String, Description),
        BoolField("Disabled", Disabled),
        ColorField("DisabledColor", DisabledColor),
        IntegerProp("Height", [this] { return GetHeight(); }, [this](int32_t v) { SetHeight(v); }, MinSavedSize(), sizeLimit),
        BoolField("Visible", FVisible),
        IntegerProp("Width", [this] { return GetWidth(); }, [this](int32_t v) { SetWidth(v); }, MinSavedSize(), sizeLimit),
        IntegerProp("X", [this] { return GetX(); }, [this](int32_t v) { SetX(v); }, -placeLimit, placeLimit),
        IntegerProp("Y", [this] { return GetY(); }, [this](int32_t v) { SetY(v); }, -placeLimit, placeLimit),
    };
}
