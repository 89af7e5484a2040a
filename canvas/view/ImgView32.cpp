#include "canvas/view/ImgView32.h"

#include <QLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

TImgView32::TImgView32(QWidget* parent)
    : QWidget(parent)
{
    setMouseTracking(true);
    // A click on the canvas takes the focus from text fields, so the window's keys act again.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FCanvas.SetBufferSize(width(), height());
    FCanvas.OnInvalidate = [this](const QRect& r) { update(r); };
    FCanvas.OnCanvasResized = [this] { CanvasResized(); };
}

TImgView32::~TImgView32()
{
    FCanvas.OnInvalidate = nullptr;
    FCanvas.OnCanvasResized = nullptr;
}

QSize TImgView32::sizeHint() const
{
    return FCanvas.CanvasSize();
}

void TImgView32::CanvasResized()
{
    updateGeometry();
    // Not managed by a layout (inside a scroll area): take the canvas size ourselves.
    if (!parentWidget() || !parentWidget()->layout())
        resize(sizeHint());
}

void TImgView32::paintEvent(QPaintEvent* event)
{
    FCanvas.Render();
    const QImage& image = FCanvas.BackBuffer().Image();
    QPainter p(this);
    for (const QRect& r : event->region()) {
        p.fillRect(r, palette().window());
        if (!image.isNull())
            p.drawImage(r.topLeft(), image, r);
    }
}

void TImgView32::resizeEvent(QResizeEvent*)
{
    FCanvas.SetBufferSize(width(), height());
}

void TImgView32::mousePressEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    TCustomLayer* layer = FCanvas.MouseDown(event->button(), event->modifiers(), float(pos.x()), float(pos.y()));
    emit mouseDown(layer, event->button(), event->modifiers(), pos);
    UpdateCursor();
}

void TImgView32::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    TCustomLayer* layer = FCanvas.MouseMove(event->buttons(), event->modifiers(), float(pos.x()), float(pos.y()));
    emit mouseMove(layer, event->buttons(), event->modifiers(), pos);
    UpdateCursor();
}

void TImgView32::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF pos = event->position();
    TCustomLayer* layer = FCanvas.MouseUp(event->button(), event->modifiers(), float(pos.x()), float(pos.y()));
    if (event->buttons() == Qt::NoButton)
        FCanvas.ReleaseMouseCapture();
    emit mouseUp(layer, event->button(), event->modifiers(), pos);
    UpdateCursor();
}

void TImgView32::enterEvent(QEnterEvent*)
{
    emit mouseEnter();
}

void TImgView32::leaveEvent(QEvent*)
{
    emit mouseLeave();
}

void TImgView32::UpdateCursor()
{
    const auto shape = static_cast<Qt::CursorShape>(FCanvas.Cursor());
    if (cursor().shape() != shape)
        setCursor(shape);
}
