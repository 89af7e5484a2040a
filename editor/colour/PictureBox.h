// A picture of fixed size that reports the mouse in its own pixels. An optional background stage
// paints under the picture, so a picture with alpha shows against it.
#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

class QPainter;

class TPictureBox : public QWidget {
    Q_OBJECT

public:
    TPictureBox(int width, int height, QWidget* parent = nullptr);

    const QImage& Picture() const { return FPicture; }
    // Keeps its own copy of the image (shared until written); drawn at the top left, unscaled.
    void SetPicture(const QImage& picture);
    // Paints the whole area before the picture; none leaves the parent's background.
    void SetBackgroundStage(std::function<void(QPainter&, const QRect&)> stage);

signals:
    void MouseDown(Qt::MouseButton button, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(Qt::MouseButton button, int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage FPicture;
    std::function<void(QPainter&, const QRect&)> FBackgroundStage;
};
