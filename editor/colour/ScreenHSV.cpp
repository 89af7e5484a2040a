#include "editor/colour/ScreenHSV.h"

#include "editor/VistaReady.h"
#include "editor/colour/PictureBox.h"
#include "editor/colour/model/ColourPictures.h"
#include "editor/colour/model/HSVLibrary.h"
#include "editor/dialogs/DialogFrame.h"
#include "editor/translate/UTranslate.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/ValueText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScopeGuard>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include <cmath>
#include <limits>
#include <numbers>

TFormHSV* FormHSV = nullptr;

namespace {

// Filled when the dialog is created.
TPaletteTable PaletteTable;

int TagOf(const QObject* sender)
{
    return sender->property("Tag").toInt();
}

} // namespace

QChar FilterDigitKey(QChar key)
{
    const char16_t code = key.unicode();
    if ((code >= 1 && code <= 31) || (code >= u'0' && code <= u'9'))
        return key;
    return QChar();
}

TFormHSV::TFormHSV(QWidget* parent)
    : QDialog(parent, SingleBorderDialog)
{
    setObjectName(QStringLiteral("FormHSV"));
    setWindowTitle(QStringLiteral("Colorselector"));
    setModal(true);
    FormHSV = this;
    CreateComponents();
    FormCreate();
}

TFormHSV::~TFormHSV()
{
    if (FormHSV == this)
        FormHSV = nullptr;
}

void TFormHSV::FormCreate()
{
    ApplyVistaFonts(this);
    FUpdatingRGB = false;
    FUpdatingHSV = false;
    FBarPicking.fill(false);
    DrawRGBGradients(1, 0, 0, ImageR);
    DrawRGBGradients(0, 1, 0, ImageG);
    DrawRGBGradients(0, 0, 1, ImageB);
    BuildPalette(Image2);
    FCircleDirty = true;
    FPicking = false;
    Image321->SetBackgroundStage([this](QPainter& painter, const QRect& area) { Image321PaintStage(painter, area); });
    TimerUpdate->stop();
}

void TFormHSV::FormShow()
{
    if (!FCentred) {
        FCentred = true;
        PlaceDialog(*this, true);
    }
    TrackBarRGBChange();
    TimerUpdate->start();
    TranslateForm(this, LanguageFile);
    // A language file changes captions and hints, never the numbers.
    UpdateRGBEdits();
    UpdateHSVEdits();
}

void TFormHSV::FormHide()
{
    TimerUpdate->stop();
}

void TFormHSV::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        GuardedCall([this] { FormShow(); });
}

void TFormHSV::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        GuardedCall([this] { FormHide(); });
}

bool TFormHSV::eventFilter(QObject* watched, QEvent* event)
{
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (edit && event->type() == QEvent::KeyPress && (edit == editRed || edit == editGreen || edit == editBlue)) {
        // Keys that type a character go through the digit filter; editing keys stay free.
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && text.at(0).isPrint() && FilterDigitKey(text.at(0)).isNull())
            return true;
    }
    if (edit && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Leaving the edit, not the window.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            GuardedCall([this, edit] { editRedExit(edit); });
    }
    return QDialog::eventFilter(watched, event);
}

void TFormHSV::SetColor32(std::uint32_t color)
{
    FAlpha = static_cast<int>(color >> 24);
    TrackBar1->setValue(FAlpha);
    FRed = static_cast<int>((color >> 16) & 255);
    FGreen = static_cast<int>((color >> 8) & 255);
    FBlue = static_cast<int>(color & 255);
    TrackBarRGBChange();
}

std::uint32_t TFormHSV::GetColor32() const
{
    return (std::uint32_t(FAlpha & 255) << 24) | (std::uint32_t(FRed & 255) << 16) | (std::uint32_t(FGreen & 255) << 8)
        | std::uint32_t(FBlue & 255);
}

int& TFormHSV::Component(int tag)
{
    switch (tag) {
    case 0: return FRed;
    case 1: return FGreen;
    case 2: return FBlue;
    case 3: return FHue;
    case 4: return FSaturation;
    default: return FValue;
    }
}

void TFormHSV::TrackBarRGBChange()
{
    if (FUpdatingRGB)
        return;
    FUpdatingRGB = true;
    const auto done = qScopeGuard([this] { FUpdatingRGB = false; });
    if (!FUpdatingHSV) {
        double h = 0, s = 0, v = 0;
        RGBToHSV(FRed / 255.0, FGreen / 255.0, FBlue / 255.0, h, s, v);
        if (std::isnan(h))
            h = 0;
        FHue = RoundToEven(h);
        FSaturation = RoundToEven(255 * s);
        FValue = RoundToEven(255 * v);
    }
    UpdateHSVEdits();
    UpdateRGBEdits();
    MoveTrackBars();
    UpdateHSVGradients();
    UpdatePreview();
    FCircleDirty = true;
}

void TFormHSV::TrackBarHSVChange()
{
    if (FUpdatingHSV)
        return;
    FUpdatingHSV = true;
    const auto done = qScopeGuard([this] { FUpdatingHSV = false; });
    double h = FHue;
    const double s = FSaturation / 255.0;
    const double v = FValue / 255.0;
    if (s == 0)
        h = std::numeric_limits<double>::quiet_NaN();
    double r = 0, g = 0, b = 0;
    HSVToRGB(h, s, v, r, g, b);
    if (!FUpdatingRGB) {
        FRed = RoundToEven(255 * r);
        FGreen = RoundToEven(255 * g);
        FBlue = RoundToEven(255 * b);
    }
    MoveTrackBars();
    UpdateHSVEdits();
    UpdateRGBEdits();
    UpdateHSVGradients();
    UpdatePreview();
    FCircleDirty = true;
}

// Each move runs the bar's change handler at once when the position changes.
void TFormHSV::MoveTrackBars()
{
    TrackBarHue->setValue(RoundToEven(FHue / 360.0 * 255));
    TrackBarSaturation->setValue(FSaturation);
    TrackBarValue->setValue(FValue);
    TrackBarRed->setValue(FRed);
    TrackBarGreen->setValue(FGreen);
    TrackBarBlue->setValue(FBlue);
}

void TFormHSV::TrackBarGreenChange(QSlider* sender)
{
    const int tag = TagOf(sender);
    const int position = sender->value();
    switch (tag) {
    case 1: FRed = position; break;
    case 2: FBlue = position; break;
    case 3: FGreen = position; break;
    case 4: FHue = RoundToEven(position / 255.0 * 360); break;
    case 5: FSaturation = position; break;
    case 6: FValue = position; break;
    default: return;
    }
    if (tag <= 3)
        TrackBarRGBChange();
    else
        TrackBarHSVChange();
}

void TFormHSV::TrackBar1Change()
{
    edAlpha->setValue(TrackBar1->value());
}

void TFormHSV::edAlphaChange()
{
    FAlpha = edAlpha->value();
    TrackBar1->setValue(FAlpha);
    UpdatePreview();
}

void TFormHSV::editRedExit(QLineEdit* sender)
{
    const int tag = TagOf(sender);
    if (sender->text() == FShownText[std::size_t(tag)])
        return;
    int& component = Component(tag);
    const int old = component;
    const int limit = tag == 3 ? 360 : 255;
    const int typed = ParseInteger(sender->text().toStdString()).value_or(old);
    component = typed >= 0 && typed <= limit ? typed : old;
    if (tag <= 2)
        TrackBarRGBChange();
    else
        TrackBarHSVChange();
}

void TFormHSV::UpdateRGBEdits()
{
    SetEditValue(FRed, editRed);
    SetEditValue(FGreen, editGreen);
    SetEditValue(FBlue, editBlue);
}

void TFormHSV::UpdateHSVEdits()
{
    if (FSaturation == 0)
        SetEditText(QStringLiteral("NAN"), editHue);
    else
        SetEditValue(FHue, editHue);
    SetEditValue(FSaturation, editSaturation);
    SetEditValue(FValue, editValue);
}

void TFormHSV::SetEditValue(int value, QLineEdit* edit)
{
    SetEditText(QString::number(value), edit);
}

void TFormHSV::SetEditText(const QString& text, QLineEdit* edit)
{
    FShownText[std::size_t(TagOf(edit))] = text;
    edit->setText(text);
}

void TFormHSV::UpdateHSVGradients()
{
    DrawHSVGradient(0, ImageH);
    DrawHSVGradient(1, ImageS);
    DrawHSVGradient(2, ImageV);
}

void TFormHSV::DrawHSVGradient(int kind, TPictureBox* image)
{
    image->SetPicture(HSVGradient(image->size(), kind, FHue, FSaturation, FValue));
}

void TFormHSV::DrawRGBGradients(int fr, int fg, int fb, TPictureBox* image)
{
    image->SetPicture(RGBGradient(image->size(), fr, fg, fb));
}

void TFormHSV::UpdatePreview()
{
    Image321->SetPicture(PreviewPicture(Image321->size(), FAlpha, FRed, FGreen, FBlue));
}

void TFormHSV::Image321PaintStage(QPainter& painter, const QRect& area)
{
    PaintCheckerboard(painter, area);
}

void TFormHSV::TimerUpdateTimer()
{
    if (FCircleDirty) {
        DrawHSCircle();
        FCircleDirty = false;
    }
}

void TFormHSV::DrawHSCircle()
{
    ImageHS->SetPicture(CreateHSCircle(ImageHS->height(), FHue, FSaturation, FValue, palette().color(QPalette::Button), Qt::black));
}

void TFormHSV::BuildPalette(TPictureBox* image)
{
    PaletteTable = BuildPaletteTable();
    image->SetPicture(PalettePicture(image->size(), PaletteTable));
}

void TFormHSV::ImageRMouseDown(TPictureBox* sender, int x, int y)
{
    const int tag = TagOf(sender);
    FBarPicking[tag] = true;
    ImageRMouseMove(sender, x, y);
}

void TFormHSV::ImageRMouseMove(TPictureBox* sender, int x, int y)
{
    const int tag = TagOf(sender);
    if (!FBarPicking[tag] || !sender->rect().contains(x, y))
        return;
    if (tag == 3)
        FHue = RoundToEven(x / 255.0 * 360);
    else
        Component(tag) = x;
    if (tag <= 2)
        TrackBarRGBChange();
    else
        TrackBarHSVChange();
}

void TFormHSV::ImageRMouseUp(TPictureBox* sender)
{
    FBarPicking[TagOf(sender)] = false;
}

void TFormHSV::ImageHSMouseDown(int x, int y)
{
    FPicking = true;
    PickHueSaturation(x, y);
}

void TFormHSV::ImageHSMouseMove(int x, int y)
{
    if (FPicking)
        PickHueSaturation(x, y);
}

void TFormHSV::ImageHSMouseUp()
{
    FPicking = false;
}

void TFormHSV::PickHueSaturation(int x, int y)
{
    const int r = ImageHS->height() / 2;
    const int dx = x - r;
    const int dy = y - r;
    int hue = RoundToEven(std::atan2(double(-dy), double(dx)) * 180 / std::numbers::pi + 360);
    if (hue < 0)
        hue += 360;
    else if (hue > 360)
        hue -= 360;
    FHue = hue;
    const int dist = RoundToEven(std::sqrt(double(dx) * dx + double(dy) * dy));
    FSaturation = dist < r ? MulDiv(dist, 255, r) : 255;
    TrackBarHSVChange();
}

void TFormHSV::Image2MouseDown(int x, int y)
{
    FPicking = true;
    PickPaletteEntry(x, y);
}

void TFormHSV::Image2MouseMove(int x, int y)
{
    if (FPicking && Image2->rect().contains(x, y))
        PickPaletteEntry(x, y);
}

void TFormHSV::Image2MouseUp()
{
    FPicking = false;
}

void TFormHSV::PickPaletteEntry(int x, int y)
{
    const int entry = PaletteIndexAt(x, y);
    FRed = PaletteTable[entry].Red;
    FGreen = PaletteTable[entry].Green;
    FBlue = PaletteTable[entry].Blue;
    TrackBarRGBChange();
}

void TFormHSV::btnOkClick()
{
    accept();
}

void TFormHSV::btnCancelClick()
{
    reject();
}

void TFormHSV::PageControl1Change()
{
}
