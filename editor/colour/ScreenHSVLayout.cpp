// The dialog's components, their texts, tags and hints, and which handler each one runs.
#include "editor/colour/ScreenHSV.h"

#include "editor/colour/PictureBox.h"
#include "editor/colour/model/ColourPictures.h"
#include "platform/ui/ErrorReport.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString AlphaHint = QStringLiteral("Value of transparency. 0 (transparent) to 255 (Opaque)");

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

} // namespace

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
        // "lblRed" for "editRed": a named label can be translated.
        label->setObjectName(QStringLiteral("lbl") + QLatin1String(line.EditName).mid(4));
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
