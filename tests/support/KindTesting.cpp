#include "support/KindTesting.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/xml/JvSimpleXml2.h"
#include "support/ControlXml.h"
#include "support/TestPictures.h"

#include <QDir>

TReferencesScope::TReferencesScope(std::string_view text)
{
    OSDControlFactory().ClearReferences();
    if (!text.empty())
        OSDControlFactory().LoadReferencesFromText(text);
}

TReferencesScope::~TReferencesScope()
{
    OSDControlFactory().ClearReferences();
}

QByteArray SolidPng(int w, int h, QColor color)
{
    return EncodePicture(SolidPicture(w, h, color), "PNG");
}

TRoundTripOptions KindTripOptions(bool withReferences, std::initializer_list<const char*> pictureParts,
                                  std::vector<std::string> more)
{
    TRoundTripOptions o;
    o.WithReferences = withReferences;
    o.Skip = std::move(more);
    for (const char* part : pictureParts) {
        o.Skip.push_back(std::string(part) + ".Color");
        o.Skip.push_back(std::string(part) + ".ColorKey");
    }
    return o;
}

std::string ChildText(TJvSimpleXMLElem* elem, std::string_view name)
{
    TJvSimpleXMLElem* child = elem ? TOSDControlFactory::FindChild(elem, name) : nullptr;
    return child ? child->Value() : "(none)";
}

std::string TSavedElement::Child(std::string_view name) const
{
    TJvSimpleXML doc;
    doc.LoadFromString(Text);
    return ChildText(&doc.Root(), name);
}

std::string SavedControlText(TItemLayer& control, TItemLayer* ref, bool subControl)
{
    TJvSimpleXML doc;
    doc.Root().SetName("item");
    control.SaveToXML(&doc.Root(), ref, subControl);
    return doc.SaveToString();
}

TSavedElement SaveElement(TItemLayer& control, TItemLayer* ref, bool subControl)
{
    return {SavedControlText(control, ref, subControl)};
}

QImage WritePreview(TItemLayer& control, int width, int height, const char* fileName)
{
    TBitmap32 buffer(width, height);
    buffer.Clear(0xFF203040u);
    control.Paint(buffer);
    QDir().mkpath(VARNHOLT_TEST_OUTPUT);
    buffer.Image().save(QString(VARNHOLT_TEST_OUTPUT) + "/" + fileName, "PNG");
    return buffer.Image();
}
