// "Colorselector": the modal dialog in which the user picks a 32-bit ARGB colour by red, green and
// blue, by hue, saturation and value, from a palette of 256 colours or on a hue/saturation disc, with
// the alpha ("transparency") apart and a preview over a checkerboard. One dialog lives for the whole
// run; its colour state stays between uses.
#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QGroupBox;
class QLineEdit;
class QPainter;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;
class QTimer;
class TPictureBox;

// Lets control keys (codes 1 to 31) and the digits through; any other key becomes the null key.
QChar FilterDigitKey(QChar key);

class TFormHSV : public QDialog {
    Q_OBJECT

public:
    static constexpr int DiscInterval = 50; // ms

    explicit TFormHSV(QWidget* parent = nullptr);
    ~TFormHSV() override;

    // AARRGGBB.
    void SetColor32(std::uint32_t color);
    std::uint32_t GetColor32() const;

    // The colour state.
    int Red() const { return FRed; }
    int Green() const { return FGreen; }
    int Blue() const { return FBlue; }
    int Hue() const { return FHue; }
    int Saturation() const { return FSaturation; }
    int Value() const { return FValue; }
    int Alpha() const { return FAlpha; }

    // Event handlers; the sender's "Tag" tells which component it stands for.
    void TimerUpdateTimer();
    void TrackBarGreenChange(QSlider* sender);
    void TrackBar1Change();
    void edAlphaChange();
    void editRedExit(QLineEdit* sender);
    void ImageRMouseDown(TPictureBox* sender, int x, int y);
    void ImageRMouseMove(TPictureBox* sender, int x, int y);
    void ImageRMouseUp(TPictureBox* sender);
    void ImageHSMouseDown(int x, int y);
    void ImageHSMouseMove(int x, int y);
    void ImageHSMouseUp();
    void Image2MouseDown(int x, int y);
    void Image2MouseMove(int x, int y);
    void Image2MouseUp();
    void Image321PaintStage(QPainter& painter, const QRect& area);
    void btnOkClick();
    void btnCancelClick();
    void PageControl1Change();

    // The two updates: every control follows the colour state. Each returns at once when it is
    // already running.
    void TrackBarRGBChange();
    void TrackBarHSVChange();
    void PickHueSaturation(int x, int y);

    TPictureBox* Image2 = nullptr;
    TPictureBox* ImageHS = nullptr;
    TPictureBox* Image321 = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    // The alpha edit with its up-down buttons.
    QSpinBox* edAlpha = nullptr;
    QSlider* TrackBar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QLineEdit* editRed = nullptr;
    QLineEdit* editGreen = nullptr;
    QLineEdit* editBlue = nullptr;
    TPictureBox* ImageR = nullptr;
    TPictureBox* ImageG = nullptr;
    TPictureBox* ImageB = nullptr;
    QSlider* TrackBarRed = nullptr;
    QSlider* TrackBarGreen = nullptr;
    QSlider* TrackBarBlue = nullptr;
    QLineEdit* editHue = nullptr;
    QLineEdit* editSaturation = nullptr;
    QLineEdit* editValue = nullptr;
    TPictureBox* ImageH = nullptr;
    TPictureBox* ImageS = nullptr;
    TPictureBox* ImageV = nullptr;
    QSlider* TrackBarHue = nullptr;
    QSlider* TrackBarSaturation = nullptr;
    QSlider* TrackBarValue = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QTimer* TimerUpdate = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateComponents();
    void FormCreate();
    void FormShow();
    void FormHide();
    void UpdateRGBEdits();
    void UpdateHSVEdits();
    void SetEditValue(int value, QLineEdit* edit);
    void SetEditText(const QString& text, QLineEdit* edit);
    void UpdateHSVGradients();
    void DrawHSVGradient(int kind, TPictureBox* image);
    void DrawRGBGradients(int fr, int fg, int fb, TPictureBox* image);
    void UpdatePreview();
    void DrawHSCircle();
    void BuildPalette(TPictureBox* image);
    // The track bars in their fixed order, from the colour state.
    void MoveTrackBars();
    // The component a tag of the edits and gradient bars stands for (0 red ... 5 value).
    int& Component(int tag);
    void PickPaletteEntry(int x, int y);

    int FRed = 0;
    int FGreen = 0;
    int FBlue = 0;
    int FHue = 0;
    int FSaturation = 0;
    int FValue = 0;
    int FAlpha = 0;
    bool FUpdatingRGB = false;
    bool FUpdatingHSV = false;
    bool FPicking = false;
    std::array<bool, 7> FBarPicking {};
    // What the last update wrote into each edit (by tag): an edit left with that text unchanged
    // converts nothing, so a rounded hue or saturation is not taken for a new value.
    std::array<QString, 6> FShownText;
    bool FCircleDirty = true;
    bool FCentred = false;
};

// The one colour selector of the run (none before it is created and after it is destroyed).
extern TFormHSV* FormHSV;
