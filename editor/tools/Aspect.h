// The "Aspect" tool window: rescales every control of the page from the canvas size to a new width
// and height. Sizes at or below the minimum keep their value; positions are always rescaled.
#pragma once

#include <QWidget>

class QPushButton;
class QSpinBox;
class TPageDocument;

class TfrmAspectRatio : public QWidget {
    Q_OBJECT

public:
    // Follows the canvas size of the page document (a project created or opened).
    explicit TfrmAspectRatio(TPageDocument& document, QWidget* parent = nullptr);

    // A value of 1 (the start value) becomes the canvas's width or height.
    void FormShow();
    // Rescales every control to the new size; the frame follows the selected control.
    void Button1Click();
    // Value := Factor * Value rounded half to even and kept within the 32-bit range, unless
    // Minimum is not 0 and Value <= Minimum.
    static void ScaleValue(double& Value, int Minimum, double Factor);
    // The canvas size reaches both edits.
    void SetCanvasSize(int width, int height);

    // Each spin box is both the edit and its up-down control (edWidth/udWidth and so on).
    QSpinBox* edWidth = nullptr;
    QSpinBox* edHeight = nullptr;
    QSpinBox* edMinimum = nullptr;
    QPushButton* Button1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    TPageDocument& FDocument;
};
