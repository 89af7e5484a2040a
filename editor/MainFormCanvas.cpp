// The canvas: selection with the frame, the mouse and the arrow keys, the test background.
#include "editor/MainForm.h"

#include "canvas/ImageCanvas.h"
#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "canvas/Checkerboard.h"
#include "document/ResizeRules.h"
#include "platform/core/Codec1252.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
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
#include <QTimer>
#include <QWindow>

namespace {

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

void TMainForm::LayerMouseDown(TCustomLayer* sender, Qt::MouseButton, Qt::KeyboardModifiers, float, float)
{
    auto* layer = dynamic_cast<TItemLayer*>(sender);
    if (layer && layer->Visible())
        SetSelection(layer);
}

void TMainForm::ImgViewMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer)
{
    TLayerCollection& layers = Layers();
    TRubberbandLayer* frame = RubberBand();
    // A click on a control selects it.
    if (layer && layer != frame)
        LayerMouseDown(layer, button, shift, float(x), float(y));
    if (layer && layer == frame) {
        const int frameIndex = frame->Index();
        const TCustomLayer* child = frame->ChildLayer();
        const int childIndex = child ? child->Index() : -1;
        for (int i = layers.Count() - 1; i >= 0; --i) {
            TCustomLayer* candidate = layers.Items(i);
            if (candidate->Visible() && candidate->HitTest(float(x), float(y)) && i != frameIndex && i > childIndex) {
                auto* control = dynamic_cast<TItemLayer*>(candidate);
                if (!control)
                    continue;
                FImgView->Canvas().ReleaseMouseCapture();
                FDocument->FreeRubberBand();
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

bool TMainForm::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (IsTextField(QApplication::focusWidget()))
        return false;
    if (key == Qt::Key_Delete) {
        if (Selected() && FMouseInView) {
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
    if (!Selected() || !FMouseInView)
        return false;
    FDocument->MoveSelectedBy(dx, dy);
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
            } else if (Selected() && FMouseInView
                       && (key->key() == Qt::Key_Left || key->key() == Qt::Key_Right || key->key() == Qt::Key_Up
                           || key->key() == Qt::Key_Down)) {
                return true;  // the scroll area must not scroll while the keys move the selection
            }
        }
    }
    // A closed dialog leaves no active window when no window manager hands the focus back; the
    // window's shortcuts and keys would then be dead until the user clicks into it.
    if (event->type() == QEvent::Hide && watched != this) {
        auto* dialog = qobject_cast<QWidget*>(watched);
        if (dialog && dialog->isWindow() && dialog->isModal()) {
            QTimer::singleShot(0, this, [this] {
                const QWidget* active = QApplication::activeWindow();
                if (FClosing || !isVisible() || (active && active->isVisible()))
                    return;
                QWidget* next = QApplication::activeModalWidget();
                (next ? next : this)->activateWindow();
            });
        }
    }
    if (event->type() == QEvent::Expose && FAwaitingExposure && watched == windowHandle() && windowHandle()->isExposed()) {
        FAwaitingExposure = false;
        QMetaObject::invokeMethod(this, [this] { FirstActivate(); }, Qt::QueuedConnection);
    }
    if (watched == FScrollBox->viewport() && event->type() == QEvent::MouseButtonPress)
        RunGuarded([this] { SetSelection(nullptr); });
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::mnBackgroundClick()
{
    const QString file = AskOpenPicture(TranslatableString(5), ProjectFolder());
    if (!file.isEmpty())
        LoadBackground(file);
}

void TMainForm::LoadBackground(const QString& fileName)
{
    SetSelection(nullptr);
    // Through the project's pictures, so that it counts in their total like the page's backdrop.
    const TPicture picture = FDocument->Project().Pictures().Load(fileName);
    if (!picture || picture->isNull()) {
        ReportError(QStringLiteral("Cannot read the picture \"%1\".").arg(fileName));
        return;
    }
    FDocument->SetBackdrop(picture);
}

void TMainForm::btEditWindowClick()
{
    SetSelection(nullptr);
}
