#include "editor/tools/Aspect.h"

#include "canvas/RubberBand.h"
#include "document/PageDocument.h"
#include "editor/translate/UTranslate.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QDockWidget>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

constexpr int MaxSize = 16385;

QSpinBox* AddSize(QWidget* owner, QFormLayout* form, const char* name, const QString& caption, int start)
{
    auto* edit = new QSpinBox(owner);
    edit->setObjectName(QLatin1String(name));
    edit->setRange(1, MaxSize);
    edit->setValue(start);
    auto* label = new QLabel(caption, owner);
    // Named after its edit, so a language file can translate it.
    label->setObjectName(QStringLiteral("lbl") + QLatin1String(name).mid(2));
    label->setBuddy(edit);
    form->addRow(label, edit);
    return edit;
}

} // namespace

TfrmAspectRatio::TfrmAspectRatio(TPageDocument& document, QWidget* parent)
    : QWidget(parent)
    , FDocument(document)
{
    setObjectName(QStringLiteral("frmAspectRatio"));
    setWindowTitle(QStringLiteral("Aspect"));

    auto* form = new QFormLayout;
    edWidth = AddSize(this, form, "edWidth", QStringLiteral("&Width:"), 1);
    edHeight = AddSize(this, form, "edHeight", QStringLiteral("&Height:"), 1);
    edMinimum = AddSize(this, form, "edMinimum", QStringLiteral("Min&Width"), 100);
    Button1 = new QPushButton(QStringLiteral("&Resize"), this);
    Button1->setObjectName(QStringLiteral("Button1"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(Button1);
    layout->addStretch(1);

    connect(Button1, &QPushButton::clicked, this, Guarded([this] { Button1Click(); }));
    connect(&FDocument, &TPageDocument::CanvasSizeChanged, this, [this](int width, int height) { SetCanvasSize(width, height); });
    TranslateForm(this, LanguageFile);
}

void TfrmAspectRatio::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FormShow();
}

void TfrmAspectRatio::FormShow()
{
    if (edWidth->text() == QLatin1String("1"))
        edWidth->setValue(FDocument.CanvasSize().width());
    if (edHeight->text() == QLatin1String("1"))
        edHeight->setValue(FDocument.CanvasSize().height());
}

void TfrmAspectRatio::SetCanvasSize(int width, int height)
{
    edWidth->setValue(width);
    edHeight->setValue(height);
}

void TfrmAspectRatio::ScaleValue(double& Value, int Minimum, double Factor)
{
    if (Minimum != 0 && Minimum >= Value)
        return;
    // Positions and sizes are 32-bit values: repeated rescaling must not run a location into
    // infinity (and the next rescale into NaN).
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    Value = std::clamp(std::nearbyint(Factor * Value), lowest, highest);
}

void TfrmAspectRatio::Button1Click()
{
    const int canvasWidth = FDocument.CanvasSize().width();
    const int canvasHeight = FDocument.CanvasSize().height();
    // A canvas without width or height gives no factor; rescaling by it would wreck every control.
    if (canvasWidth <= 0 || canvasHeight <= 0)
        return;
    const double fx = double(edWidth->value()) / canvasWidth;
    const double fy = double(edHeight->value()) / canvasHeight;
    const int m = edMinimum->value();

    TLayerCollection& layers = FDocument.Layers();
    bool changed = false;
    for (int i = layers.Count() - 1; i >= 0; --i) {
        auto* control = dynamic_cast<TItemLayer*>(layers.Items(i));
        if (!control)
            continue;
        const TFloatRect r = control->Location();
        double x = r.Left;
        double y = r.Top;
        double w = double(r.Right) - double(r.Left);
        double h = double(r.Bottom) - double(r.Top);
        ScaleValue(x, 0, fx);
        ScaleValue(y, 0, fy);
        ScaleValue(w, m, fx);
        ScaleValue(h, m, fy);
        control->SetLocation(TFloatRect{float(x), float(y), float(x + w), float(y + h)});
        // Measured now, so that a later X or Y edit keeps the new size instead of the one before.
        control->GetWidth();
        control->GetHeight();
        changed = true;
        FDocument.ControlEdited(control);
    }
    // The frame is no control: it takes the rescaled rectangle of the one it surrounds.
    if (TRubberbandLayer* frame = FDocument.RubberBand(); frame && FDocument.Selected())
        frame->SetLocation(FDocument.Selected()->Location());
    if (changed)
        FDocument.SetModified(true);
}

