#include "support/KindTesting.h"

#include "canvas/Bitmap32.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"
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

QImage WritePreview(TItemLayer& control, int width, int height, const char* fileName)
{
    TBitmap32 buffer(width, height);
    buffer.Clear(0xFF203040u);
    control.Paint(buffer);
    QDir().mkpath(VARNHOLT_TEST_OUTPUT);
    buffer.Image().save(QString(VARNHOLT_TEST_OUTPUT) + "/" + fileName, "PNG");
    return buffer.Image();
}
