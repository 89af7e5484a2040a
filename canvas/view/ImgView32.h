// The canvas widget: shows a TImageCanvas at scale 1 and hands it the mouse. Its owner puts it in a
// scroll area; the widget asks for the canvas size. Keys are left to the window around it.
#pragma once

#include "canvas/ImageCanvas.h"

#include <QPointF>
#include <QWidget>

class TImgView32 : public QWidget {
    Q_OBJECT
public:
    explicit TImgView32(QWidget* parent = nullptr);
    ~TImgView32() override;

    TImageCanvas& Canvas() { return FCanvas; }
    TBitmap32& Bitmap() { return FCanvas.Bitmap(); }
    TLayerCollection& Layers() { return FCanvas.Layers(); }
    // Call after changing the bitmap: repaints and, when the bitmap gives the size, resizes.
    void BitmapChanged() { FCanvas.BitmapChanged(); }
    void SetCanvasSize(int width, int height) { FCanvas.SetCanvasSize(width, height); }
    void BeginUpdate() { FCanvas.BeginUpdate(); }
    void EndUpdate() { FCanvas.EndUpdate(); }

    QSize sizeHint() const override;

signals:
    // After the layer's own handler (layer may be none). Position in canvas pixels.
    void mouseDown(TCustomLayer* layer, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void mouseMove(TCustomLayer* layer, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift, QPointF pos);
    void mouseUp(TCustomLayer* layer, Qt::MouseButton button, Qt::KeyboardModifiers shift, QPointF pos);
    void mouseEnter();
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void CanvasResized();
    void UpdateCursor();

    TImageCanvas FCanvas;
};
