#include "editor/colour/ScreenHSV.h"

#include "editor/MainForm.h"
#include "editor/VistaReady.h"
#include "editor/colour/PictureBox.h"
#include "editor/colour/model/HSVLibrary.h"
#include "editor/dialogs/DialogFrame.h"
#include "platform/ui/ErrorReport.h"
#include "skinmodel/ValueText.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>
#include <limits>
#include <numbers>

TFormHSV* FormHSV = nullptr;

namespace {

struct TPaletteEntry {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
};

// 31 greys without black, white, then seven rows of 32 hues with rising saturation.
std::array<TPaletteEntry, 256> PaletteTable;

constexpr int SwatchSize = 10;
constexpr int SwatchColumns = 32;
constexpr int SwatchRows = 8;
constexpr int CheckerSize = 8;
constexpr int PreviewFrameContrast = -64;

const QString AlphaHint = QStringLiteral("Value of transparency. 0 (transparent) to 255 (Opaque)");

void FillPaletteTable()
{
    for (int k = 0; k < 31; ++k) {
        const auto grey = static_cast<std::uint8_t>((k + 1) * 8);
        PaletteTable[k] = {grey, grey, grey};
    }
    PaletteTable[31] = {255, 255, 255};
    for (int k = 32; k < 256; ++k) {
        const int row = k / 32;
        const int column = k % 32 + 1;
        double r = 0, g = 0, b = 0;
        HSVToRGB(column / 32.0 * 360, row / 7.0, 1, r, g, b);
        PaletteTable[k] = {static_cast<std::uint8_t>(RoundToEven(255 * r)), static_cast<std::uint8_t>(RoundToEven(255 * g)),
                           static_cast<std::uint8_t>(RoundToEven(255 * b))};
    }
}

// Raised edges for a positive contrast, sunken for a negative one.
void RaiseRect(QImage& bitmap, int contrast)
{
    const int alpha = std::min(255, std::abs(contrast) * 2);
    const QColor light(255, 255, 255, alpha);
    const QColor dark(0, 0, 0, alpha);
    const QColor& topLeft = contrast > 0 ? light : dark;
    const QColor& bottomRight = contrast > 0 ? dark : light;
    const int right = bitmap.width() - 1;
    const int bottom = bitmap.height() - 1;
    QPainter painter(&bitmap);
    painter.setPen(topLeft);
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 1, 0, bottom - 1);
    painter.setPen(bottomRight);
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 1, right, bottom - 1);
}

QSlider* MakeTrackBar(const char* name, int tag, QWidget* parent)
{
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setProperty("Tag", tag);
    bar->setRange(0, 255);
    bar->setTickPosition(QSlider::NoTicks);
    bar->setFixedWidth(256);
    return bar;
}

QLineEdit* MakeEdit(const char* name, int tag, QWidget* parent)
{
    auto* edit = new QLineEdit(QStringLiteral("255"), parent);
    edit->setObjectName(QLatin1String(name));
    edit->setProperty("Tag", tag);
    edit->setFixedWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    return edit;
}

TPictureBox* MakePicture(const char* name, int tag, int width, int height, QWidget* parent)
{
    auto* picture = new TPictureBox(width, height, parent);
    picture->setObjectName(QLatin1String(name));
    picture->setProperty("Tag", tag);
    return picture;
}

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

void TFormHSV::CreateComponents()
{
    Image2 = MakePicture("Image2", 0, SwatchColumns * SwatchSize, SwatchRows * SwatchSize, this);
    Image2->setToolTip(QStringLiteral("Choose a color"));
    ImageHS = MakePicture("ImageHS", 0, 180, 180, this);
    ImageHS->setToolTip(QStringLiteral("Choose a color"));
    Image321 = MakePicture("Image321", 0, 64, 64, this);

    GroupBox1 = new QGroupBox(QStringLiteral("&Transparency"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    edAlpha = new QSpinBox(GroupBox1);
    edAlpha->setObjectName(QStringLiteral("edAlpha"));
    edAlpha->setProperty("Tag", 1);
    edAlpha->setRange(0, 255);
    edAlpha->setValue(0);
    edAlpha->setToolTip(AlphaHint);
    TrackBar1 = MakeTrackBar("TrackBar1", 0, GroupBox1);
    TrackBar1->setFixedWidth(160);
    TrackBar1->setToolTip(AlphaHint);
    auto* alphaLayout = new QVBoxLayout(GroupBox1);
    alphaLayout->addWidget(edAlpha, 0, Qt::AlignLeft);
    alphaLayout->addWidget(TrackBar1);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setTabPosition(QTabWidget::South);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    PageControl1->addTab(TabSheet1, QStringLiteral("RGB"));
    PageControl1->addTab(TabSheet2, QStringLiteral("HSV"));

    // One line per component: label, edit, gradient bar over its track bar.
    struct TLine {
        QWidget* Page;
        const char* Caption;
        QLineEdit*& Edit;
        const char* EditName;
        TPictureBox*& Image;
        const char* ImageName;
        QSlider*& Track;
        const char* TrackName;
        int TrackTag;
        const char* Hint;
    };
    const TLine lines[] = {
        {TabSheet1, "&R", editRed, "editRed", ImageR, "ImageR", TrackBarRed, "TrackBarRed", 1, "Choose the red component of the color"},
        {TabSheet1, "&G", editGreen, "editGreen", ImageG, "ImageG", TrackBarGreen, "TrackBarGreen", 3, "Choose the green component of the color"},
        {TabSheet1, "&B", editBlue, "editBlue", ImageB, "ImageB", TrackBarBlue, "TrackBarBlue", 2, "Choose the blue component of the color"},
        {TabSheet2, "&H", editHue, "editHue", ImageH, "ImageH", TrackBarHue, "TrackBarHue", 4, nullptr},
        {TabSheet2, "&S", editSaturation, "editSaturation", ImageS, "ImageS", TrackBarSaturation, "TrackBarSaturation", 5, nullptr},
        {TabSheet2, "&V", editValue, "editValue", ImageV, "ImageV", TrackBarValue, "TrackBarValue", 6, nullptr},
    };
    auto* rgbGrid = new QGridLayout(TabSheet1);
    auto* hsvGrid = new QGridLayout(TabSheet2);
    for (int component = 0; component < 6; ++component) {
        const TLine& line = lines[component];
        line.Edit = MakeEdit(line.EditName, component, line.Page);
        line.Image = MakePicture(line.ImageName, component, 256, 19, line.Page);
        line.Track = MakeTrackBar(line.TrackName, line.TrackTag, line.Page);
        auto* label = new QLabel(QString::fromLatin1(line.Caption), line.Page);
        label->setBuddy(line.Edit);
        if (line.Hint) {
            const QString hint = QString::fromLatin1(line.Hint);
            for (QWidget* w : {static_cast<QWidget*>(label), static_cast<QWidget*>(line.Edit),
                               static_cast<QWidget*>(line.Image), static_cast<QWidget*>(line.Track)})
                w->setToolTip(hint);
        }
        auto* bars = new QVBoxLayout;
        bars->setSpacing(0);
        bars->addWidget(line.Image);
        bars->addWidget(line.Track);
        QGridLayout* grid = component < 3 ? rgbGrid : hsvGrid;
        const int row = component % 3;
        grid->addWidget(label, row, 0);
        grid->addWidget(line.Edit, row, 1);
        grid->addLayout(bars, row, 2);

        connect(line.Track, &QSlider::valueChanged, this, Guarded([this, track = line.Track] { TrackBarGreenChange(track); }));
        line.Edit->installEventFilter(this);
        connect(line.Edit, &QLineEdit::returnPressed, this, Guarded([this, edit = line.Edit] { editRedExit(edit); }));
        TPictureBox* image = line.Image;
        connect(image, &TPictureBox::MouseDown, this, Guarded([this, image](Qt::MouseButton, int x, int y) { ImageRMouseDown(image, x, y); }));
        connect(image, &TPictureBox::MouseMove, this, Guarded([this, image](int x, int y) { ImageRMouseMove(image, x, y); }));
        connect(image, &TPictureBox::MouseUp, this, Guarded([this, image] { ImageRMouseUp(image); }));
    }

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    TimerUpdate = new QTimer(this);
    TimerUpdate->setObjectName(QStringLiteral("TimerUpdate"));
    TimerUpdate->setInterval(DiscInterval);

    auto* top = new QHBoxLayout;
    top->addWidget(ImageHS, 0, Qt::AlignTop);
    top->addWidget(PageControl1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(Image2, 0, Qt::AlignTop);
    middle->addWidget(Image321, 0, Qt::AlignTop);
    middle->addWidget(GroupBox1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(middle);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(TrackBar1, &QSlider::valueChanged, this, Guarded([this] { TrackBar1Change(); }));
    connect(edAlpha, &QSpinBox::valueChanged, this, Guarded([this] { edAlphaChange(); }));
    connect(ImageHS, &TPictureBox::MouseDown, this, Guarded([this](Qt::MouseButton, int x, int y) { ImageHSMouseDown(x, y); }));
    connect(ImageHS, &TPictureBox::MouseMove, this, Guarded([this](int x, int y) { ImageHSMouseMove(x, y); }));
    connect(ImageHS, &TPictureBox::MouseUp, this, Guarded([this] { ImageHSMouseUp(); }));
    connect(Image2, &TPictureBox::MouseDown, this, Guarded([this](Qt::MouseButton, int x, int y) { Image2MouseDown(x, y); }));
    connect(Image2, &TPictureBox::MouseMove, this, Guarded([this](int x, int y) { Image2MouseMove(x, y); }));
    connect(Image2, &TPictureBox::MouseUp, this, Guarded([this] { Image2MouseUp(); }));
    connect(Button1, &QPushButton::clicked, this, Guarded([this] { btnOkClick(); }));
    connect(Button2, &QPushButton::clicked, this, Guarded([this] { btnCancelClick(); }));
    connect(PageControl1, &QTabWidget::currentChanged, this, Guarded([this] { PageControl1Change(); }));
    connect(TimerUpdate, &QTimer::timeout, this, Guarded([this] { TimerUpdateTimer(); }));
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
        if (const QScreen* s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
    TrackBarRGBChange();
    TimerUpdate->start();
    TMainForm::TranslateForm(this, LanguageFile);
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
        editHue->setText(QStringLiteral("NAN"));
    else
        SetEditValue(FHue, editHue);
    SetEditValue(FSaturation, editSaturation);
    SetEditValue(FValue, editValue);
}

void TFormHSV::SetEditValue(int value, QLineEdit* edit)
{
    edit->setText(QString::number(value));
}

void TFormHSV::UpdateHSVGradients()
{
    DrawHSVGradient(0, ImageH);
    DrawHSVGradient(1, ImageS);
    DrawHSVGradient(2, ImageV);
}

void TFormHSV::DrawHSVGradient(int kind, TPictureBox* image)
{
    QImage bitmap(image->size(), Bitmap24Format);
    auto* first = reinterpret_cast<TRGBTriple*>(bitmap.scanLine(0));
    for (int x = 0; x < bitmap.width(); ++x) {
        if (kind == 0)
            first[x] = HSVToRGBTriple(MulDiv(360, x, 255), FSaturation, FValue);
        else if (kind == 1)
            first[x] = HSVToRGBTriple(FHue, x, FValue);
        else
            first[x] = HSVToRGBTriple(FHue, FSaturation, x);
    }
    for (int y = 1; y < bitmap.height(); ++y)
        std::copy(first, first + bitmap.width(), reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y)));
    image->SetPicture(bitmap);
}

void TFormHSV::DrawRGBGradients(int fr, int fg, int fb, TPictureBox* image)
{
    QImage bitmap(image->size(), Bitmap24Format);
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            row[x] = RGBToTriple(static_cast<std::uint8_t>(x * fr), static_cast<std::uint8_t>(x * fg),
                                 static_cast<std::uint8_t>(x * fb));
    }
    image->SetPicture(bitmap);
}

void TFormHSV::UpdatePreview()
{
    QImage bitmap(Image321->size(), QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    {
        QPainter painter(&bitmap);
        painter.fillRect(bitmap.rect(), QColor(FRed, FGreen, FBlue, FAlpha));
    }
    RaiseRect(bitmap, PreviewFrameContrast);
    Image321->SetPicture(bitmap);
}

void TFormHSV::Image321PaintStage(QPainter& painter, const QRect& area)
{
    for (int y = area.top() / CheckerSize * CheckerSize; y <= area.bottom(); y += CheckerSize)
        for (int x = area.left() / CheckerSize * CheckerSize; x <= area.right(); x += CheckerSize) {
            const bool even = (x / CheckerSize + y / CheckerSize) % 2 == 0;
            painter.fillRect(QRect(x, y, CheckerSize, CheckerSize), even ? QColor(0xB0, 0xB0, 0xB0) : QColor(Qt::white));
        }
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
    FillPaletteTable();
    QImage bitmap(image->size(), Bitmap24Format);
    bitmap.fill(Qt::black);
    const int width = std::min(bitmap.width(), SwatchColumns * SwatchSize);
    const int height = std::min(bitmap.height(), SwatchRows * SwatchSize);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<TRGBTriple*>(bitmap.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const TPaletteEntry& e = PaletteTable[(y / SwatchSize) * SwatchColumns + x / SwatchSize];
            row[x] = RGBToTriple(e.Red, e.Green, e.Blue);
        }
    }
    image->SetPicture(bitmap);
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
    const int entry = (((y / SwatchSize) * SwatchColumns + x / SwatchSize) % 256 + 256) % 256;
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
