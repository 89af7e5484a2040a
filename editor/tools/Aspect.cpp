#include "editor/tools/Aspect.h"

#include "document/PageDocument.h"
#include "editor/translate/UTranslate.h"
#include "platform/ui/ErrorReport.h"

#include <QDockWidget>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

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
    TPageDocument::ScaleValue(Value, Minimum, Factor);
}

void TfrmAspectRatio::Button1Click()
{
    // The page rescales its controls, marks itself modified and moves the frame along.
    FDocument.Rescale(edWidth->value(), edHeight->value(), edMinimum->value());
}
