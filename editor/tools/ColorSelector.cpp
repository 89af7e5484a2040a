#include "editor/tools/ColorSelector.h"

#include "platform/ui/DialogPlacement.h"
#include "platform/ui/Dialogs.h"
#include "skinmodel/ValueText.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

IColorSelector* Installed = nullptr;

} // namespace

IColorSelector* InstalledColorSelector()
{
    return Installed;
}

void SetColorSelector(IColorSelector* selector)
{
    Installed = selector;
}

TColorHexDialog::TColorHexDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("FormHSV"));
    setWindowTitle(QStringLiteral("Colorselector"));
    CentreWhenShown(*this);
    auto* label = new QLabel(QStringLiteral("Colour (AARRGGBB):"), this);
    edColor = new QLineEdit(this);
    edColor->setObjectName(QStringLiteral("edColor"));
    edColor->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{1,8}")), edColor));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edColor);
    layout->addWidget(buttons);
}

void TColorHexDialog::SetColor32(uint32_t color)
{
    FColor = color;
    edColor->setText(QString::fromLatin1(ColorToText(color)));
}

uint32_t TColorHexDialog::GetColor32() const
{
    return FColor;
}

bool TColorHexDialog::Execute()
{
    if (Dialogs().ExecModal(*this) != QDialog::Accepted)
        return false;
    // The validator lets through hexadecimal digits only; an empty field keeps the colour.
    if (!edColor->text().isEmpty())
        FColor = TextToColor(edColor->text().toStdString());
    return true;
}
