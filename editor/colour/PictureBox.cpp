#include "editor/colour/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace {

// Mouse positions in whole pixels of the picture, as the window system reports them.
QPoint PixelOf(const QMouseEvent* event)
{
    const QPointF p = event->position();
    return QPoint(static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y())));
}

} // namespace

TPictureBox::TPictureBox(int width, int height, QWidget* parent)
    : QWidget(parent)
{
    setFixedSize(width, height);
}

void TPictureBox::SetPicture(const QImage& picture)
{
    FPicture = picture;
    update();
}

void TPictureBox::SetBackgroundStage(std::function<void(QPainter&, const QRect&)> stage)
{
    FBackgroundStage = std::move(stage);
    update();
}

void TPictureBox::paintEvent(QPaintEvent* event)
{
    Q_UNUSED(event);
    QPainter painter(this);
    if (FBackgroundStage)
        FBackgroundStage(painter, rect());
    if (!FPicture.isNull())
        painter.drawImage(0, 0, FPicture);
}

void TPictureBox::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = PixelOf(event);
    emit MouseDown(event->button(), p.x(), p.y());
}

void TPictureBox::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = PixelOf(event);
    emit MouseMove(p.x(), p.y());
}

void TPictureBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = PixelOf(event);
    emit MouseUp(event->button(), p.x(), p.y());
}
