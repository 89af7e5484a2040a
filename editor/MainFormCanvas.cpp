// The canvas: selection with the frame, the mouse and the arrow keys, the test background.
#include "editor/MainForm.h"

#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "canvas/Checkerboard.h"
#include "editor/canvas/ResizeRules.h"
#include "platform/core/Codec1252.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>

namespace {

constexpr uint32_t FrameInUse = 0xB0000000u;
constexpr uint32_t FrameReleased = 0x10000000u;

// Keys typed into a text field belong to the field, and so do keys typed into a window that keeps
// its keys (the inspector's editors).
bool IsTextField(const QWidget* w)
{
    if (!w)
        return false;
    for (const QWidget* p = w; p; p = p->parentWidget())
        if (p->property("keepsKeys").toBool())
            return true;
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)
        || qobject_cast<const QAbstractSpinBox*>(w))
        return true;
    if (auto* combo = qobject_cast<const QComboBox*>(w))
        return combo->isEditable();
    return w->inherits("QsciScintillaBase");
}

} // namespace

void TMainForm::CreateCanvas()
{
    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName(QStringLiteral("ScrollBox1"));
    FScrollBox->setFocusPolicy(Qt::NoFocus);
    FScrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    FImgView = new TImgView32(FScrollBox);
    FImgView->setObjectName(QStringLiteral("ImgView"));
    TImageCanvas& canvas = FImgView->Canvas();
    // The checkerboard takes the place of the background clearing.
    for (TPaintStage& stage : canvas.PaintStages)
        if (stage.Stage == PST_CLEAR_BACKGND)
            stage.Stage = PST_CUSTOM;
    canvas.OnPaintStage = [](TBitmap32& buffer, int) { PaintCheckerboard(buffer); };
    connect(FImgView, &TImgView32::mouseDown, this,
            [this](TCustomLayer* layer, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos) {
                RunGuarded([&] { ImgViewMouseDown(button, shift, int(pos.x()), int(pos.y()), layer); });
            });
    connect(FImgView, &TImgView32::mouseMove, this,
            [this](TCustomLayer* layer, Qt::MouseButtons, Qt::KeyboardModifiers shift, QPointF pos) {
                RunGuarded([&] { ImgViewMouseMove(shift, int(pos.x()), int(pos.y()), layer); });
            });
    connect(FImgView, &TImgView32::mouseEnter, this, [this] { FMouseInView = true; });
    connect(FImgView, &TImgView32::mouseLeave, this, [this] { FMouseInView = false; });
    FScrollBox->setWidget(FImgView);
    // Clicks on the scroll box around the canvas reach eventFilter through the application's filter.
    setCentralWidget(FScrollBox);
    SetCanvasSize(720, 576);
}

TLayerCollection& TMainForm::Layers() const
{
    return FImgView->Layers();
}

void TMainForm::SetCanvasSize(int width, int height)
{
    FImgView->SetCanvasSize(std::max(width, 0), std::max(height, 0));
    FImgView->resize(FImgView->sizeHint());
}

int TMainForm::CanvasWidth() const
{
    return FImgView->Canvas().CanvasSize().width();
}

int TMainForm::CanvasHeight() const
{
    return FImgView->Canvas().CanvasSize().height();
}

void TMainForm::AttachControl(TItemLayer* layer)
{
    layer->SetMouseEvents(true);
    layer->OnMouseDown = [this](TCustomLayer* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x,
                                float y) { RunGuarded([&] { LayerMouseDown(sender, button, shift, x, y); }); };
}

void TMainForm::FreeRubberBand()
{
    if (!FRubberBand)
        return;
    TRubberbandLayer* band = FRubberBand;
    FRubberBand = nullptr;
    delete band;
    FImgView->Canvas().Invalidate();
}

void TMainForm::SetSelection(TItemLayer* layer)
{
    if (!layer) {
        FreeRubberBand();
        StatusPanel(3)->clear();
        if (!FClosing)
            emit SelectionChanged(nullptr);
    }
    if (layer == FSelected)
        return;
    if (FRubberBand) {
        FRubberBand->SetChildLayer(nullptr);
        FRubberBand->SetLayerOptions(FrameReleased);
        FImgView->Canvas().Invalidate();
    }
    FSelected = layer;
    if (layer) {
        if (!FRubberBand) {
            FRubberBand = new TRubberbandLayer(&FImgView->Layers());
            FRubberBand->MinWidth = 1.0f;
            FRubberBand->MinHeight = 1.0f;
            FRubberBand->StippleStep = 0.75f;
            FRubberBand->StippleCounter = 0.0f;
        } else {
            FRubberBand->BringToFront();
        }
        FRubberBand->SetChildLayer(layer);
        FRubberBand->SetLayerOptions(FrameInUse);
        FRubberBand->OnResizing = [this](TRubberbandLayer* sender, const TFloatRect& oldLocation,
                                         TFloatRect& newLocation, TRBDragState dragState,
                                         Qt::KeyboardModifiers shift) {
            RunGuarded([&] { RubberBandResizing(oldLocation, newLocation, dragState, shift, sender->DragButtons()); });
        };
        FImgView->Canvas().Invalidate();
    }
    UpdateActions();
    if (!FSelected)
        return;
    StatusPanel(3)->setText(FromWin1252(FSelected->TypeName()) + QStringLiteral(" - ")
                            + FromWin1252(FSelected->Description));
    emit SelectionChanged(FSelected);
}

void TMainForm::LayerMouseDown(TCustomLayer* sender, Qt::MouseButton, Qt::KeyboardModifiers, float, float)
{
    auto* layer = dynamic_cast<TItemLayer*>(sender);
    if (layer && layer->Visible())
        SetSelection(layer);
}

void TMainForm::ImgViewMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y, TCustomLayer* layer)
{
    TLayerCollection& layers = FImgView->Layers();
    if (layer && layer == FRubberBand) {
        const int frameIndex = FRubberBand->Index();
        const TCustomLayer* child = FRubberBand->ChildLayer();
        const int childIndex = child ? child->Index() : -1;
        for (int i = layers.Count() - 1; i >= 0; --i) {
            TCustomLayer* candidate = layers.Items(i);
            if (candidate->Visible() && candidate->HitTest(float(x), float(y)) && i != frameIndex && i > childIndex) {
                auto* control = dynamic_cast<TItemLayer*>(candidate);
                if (!control)
                    continue;
                FImgView->Canvas().ReleaseMouseCapture();
                FreeRubberBand();
                SetSelection(control);
                break;
            }
        }
        return;
    }
    if (!layer || button == Qt::MiddleButton) {
        SetSelection(nullptr);
        FImgView->Canvas().ReleaseMouseCapture();
    }
}

void TMainForm::ImgViewMouseMove(Qt::KeyboardModifiers, int x, int y, TCustomLayer*)
{
    StatusPanel(1)->setText(QStringLiteral("X: ") + QString::number(x));
    StatusPanel(2)->setText(QStringLiteral("Y: ") + QString::number(y));
}

void TMainForm::RubberBandResizing(const TFloatRect& oldLocation, TFloatRect& newLocation, TRBDragState dragState,
                                   Qt::KeyboardModifiers keys, Qt::MouseButtons buttons)
{
    if (!FSelected)
        return;
    const bool video = dynamic_cast<TOSDVideoControl*>(FSelected) != nullptr;
    const TResizeOutcome outcome =
        ApplyResizeRules(oldLocation, newLocation, dragState, keys, buttons, FSelected->FLocked, video);
    if (outcome.CopyVideoWindow) {
        // The page's video window follows the rectangle this step applies.
        TVideoWindow& vw = FWindowInfos->VideoWindow();
        const QRect r = RoundRect(newLocation);
        vw.X = r.left();
        vw.Y = r.top();
        vw.Width = r.width();
        vw.Height = r.height();
    }
    if (outcome.Modified)
        SetModified(true);
}

bool TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (IsTextField(QApplication::focusWidget()))
        return false;
    if (key == Qt::Key_Delete) {
        if (FSelected && FMouseInView) {
            DeleteSelected();
            return true;
        }
        return false;
    }
    if (key == Qt::Key_F4) {
        SetSelection(nullptr);
        return true;
    }
    float dx = 0, dy = 0;
    switch (key) {
    case Qt::Key_Left: dx = -1; break;
    case Qt::Key_Right: dx = 1; break;
    case Qt::Key_Up: dy = -1; break;
    case Qt::Key_Down: dy = 1; break;
    default: return false;
    }
    const Qt::KeyboardModifiers mods = shift & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (mods == Qt::ShiftModifier) {
        dx *= 10.0f;
        dy *= 10.0f;
    }
    if (!FSelected || !FMouseInView)
        return false;
    // The lock holds the frame only: the keys move a locked control too.
    auto offset = [dx, dy](const TFloatRect& r) {
        return TFloatRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
    };
    // The frame carries its child along.
    if (FRubberBand && FRubberBand->ChildLayer() == FSelected)
        FRubberBand->SetLocation(offset(FRubberBand->Location()));
    else
        FSelected->SetLocation(offset(FSelected->Location()));
    SetModified(true);
    return true;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    const bool release = event->type() == QEvent::KeyRelease;
    if (release || event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        // Keys released anywhere in the main window: seen once, at the widget they are typed into,
        // however long the key was held.
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        if (widget && widget == target && widget->window() == this && !key->isAutoRepeat() && !IsTextField(widget)) {
            if (release) {
                bool used = false;
                RunGuarded([&] { used = FormKeyDown(key->key(), key->modifiers()); });
                if (used)
                    return true;
            } else if (FSelected && FMouseInView
                       && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Up
                           || key->key() == Qt::Key_Down)) {
                return true;  // the scroll area must not scroll while the keys move the selection
            }
        }
    }
    if (watched == FScrollBox->viewport() && event->type() == QEvent::MouseButtonPress)
        RunGuarded([this] { SetSelection(nullptr); });
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::mnBackgroundClick()
{
    const QString file = AskOpenPicture(TranslatableString(5), FProject->Folder());
    if (!file.isEmpty())
        LoadBackground(file);
}

void TMainForm::LoadBackground(const QString& fileName)
{
    SetSelection(nullptr);
    FreeRubberBand();
    const TPicture picture = TPictureCache::Decode(fileName);
    if (!picture || picture->isNull()) {
        ReportError(QStringLiteral("Cannot read the picture \"%1\".").arg(fileName));
        return;
    }
    ShowCanvasBitmap(*picture);
}

void TMainForm::btEditWindowClick()
{
    SetSelection(nullptr);
    FreeRubberBand();
}
