#include "skinmodel/controls/EditControl.h"

#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/draw/GdiFont.h"
#include "skinmodel/draw/GdiText.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QColor>
#include <QPainter>

namespace {

using F = TOSDControlFactory;

constexpr uint32_t EditTextFlags = DT_CENTER | DT_VCENTER | DT_WORDBREAK;  // 21

}  // namespace

TOSDEdit::TOSDEdit(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    FTypeName = "Edit";
}

void TOSDEdit::LoadFromXML(TJvSimpleXMLElem* Elem)
{
    if (!Elem)
        return;
    TItemLayer::LoadFromXML(Elem);
    F::ReadColor(Elem, "textcolor", TextColor);
    F::ReadString(Elem, "font", FontName);
    F::ReadColor(Elem, "backgroundcolor", BackgroundColor);
}

void TOSDEdit::SaveToXMLWith(TJvSimpleXMLElem* Elem, const TSaveContext& Ctx)
{
    // Never compared with a reference.
    TItemLayer::SaveToXMLWith(Elem, Ctx);
    F::WriteColor(Elem, "textcolor", TextColor);
    F::WriteString(Elem, "font", FontName);
    F::WriteColor(Elem, "backgroundcolor", BackgroundColor);
}

void TOSDEdit::Paint(TBitmap32& Buffer)
{
    const QRect r = PaintRect();
    if (!Buffer.MeasuringMode() && !Buffer.Empty() && r.width() > 0 && r.height() > 0 &&
        r.intersects(Buffer.BoundsRect())) {
        const std::string text = Description.empty() ? "Object: " + FTypeName : Description;
        if (BackgroundColor >> 24) {
            QPainter p(&Buffer.Image());
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            p.fillRect(r.intersected(Buffer.BoundsRect()), QColor::fromRgba(BackgroundColor));
        }
        SetStockSystemFont(Buffer.Font);
        // The text colour without its alpha: the text is drawn opaque.
        Buffer.Font.Color = TextColor | 0xFF000000u;
        QRect textRect = CentredTextRect(r);
        DrawText(Buffer, text, textRect, EditTextFlags);
    }
    ReportArea(Buffer);
}

std::vector<TPropInfo> TOSDEdit::PublishedProperties()
{
    auto props = TItemLayer::PublishedProperties();
    AppendNavigationProperties(props, *this);
    props.push_back(TextField("FontName", TPropType::FontName, FontName));
    props.push_back(ColorField("TextColor", TextColor));
    props.push_back(ColorField("BackgroundColor", BackgroundColor));
    return props;
}
