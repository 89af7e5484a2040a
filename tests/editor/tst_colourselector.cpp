// The colour selector: loading and reading colours with alpha, the two updates behind every edit,
// bar, disc and palette, the timer that redraws the disc, the modal use through PickColor32 and the
// font choice.
#include "editor/VistaReady.h"
#include "editor/colour/PickColor.h"
#include "editor/colour/PictureBox.h"
#include "editor/colour/ScreenHSV.h"
#include "editor/colour/model/HSVLibrary.h"
#include "editor/tools/ColorSelector.h"
#include "platform/ui/ScriptedDialogs.h"

#include <QFocusEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <cmath>

namespace {

struct TState {
    int Red, Green, Blue, Hue, Saturation, Value, Alpha;
};

TState StateOf(const TFormHSV& f)
{
    return {f.Red(), f.Green(), f.Blue(), f.Hue(), f.Saturation(), f.Value(), f.Alpha()};
}

QString Describe(const TState& s)
{
    return QStringLiteral("rgb(%1,%2,%3) hsv(%4,%5,%6) a%7")
        .arg(s.Red).arg(s.Green).arg(s.Blue).arg(s.Hue).arg(s.Saturation).arg(s.Value).arg(s.Alpha);
}

// Types into an edit and leaves it, as the user does by tabbing away.
void TypeAndLeave(QLineEdit* edit, const QString& text)
{
    edit->setText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(edit, &leave);
}

QColor PixelOf(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y);
}

QColor TripleColour(const TRGBTriple& t)
{
    return QColor(t.rgbtRed, t.rgbtGreen, t.rgbtBlue);
}

// A mouse move with the left button held, wherever the point is.
void DragTo(QWidget* widget, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, p, widget->mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

} // namespace

Q_DECLARE_METATYPE(TState)

class TestColourSelector : public QObject {
    Q_OBJECT

private slots:
    void init();
    void startsAtZero();
    void setColorFillsEveryControl_data();
    void setColorFillsEveryControl();
    void filterDigitKey();
    void rgbEditsTakeDigitsOnly();
    void typedValues_data();
    void typedValues();
    void returnCommitsTheEdit();
    void returnOnAnUntouchedFieldKeepsTheColour_data();
    void returnOnAnUntouchedFieldKeepsTheColour();
    void typedHueFollowsTheHueBar();
    void hueTrackBarStandsForDegrees();
    void discPicksHueAndSaturation_data();
    void discPicksHueAndSaturation();
    void dragBeyondTheDiscKeepsPicking();
    void palettePicks_data();
    void palettePicks();
    void dragOffThePaletteChangesNothing();
    void gradientBarsPick();
    void dragOffAGradientBarChangesNothing();
    void gradientPictures();
    void alphaFollowsTrackBarAndEdit();
    void previewShowsAlphaOverCheckerboard();
    void discRedrawnOnlyWhileShown();
    void buttonsEndTheDialog();
    void fixedBorderCentredOnScreen();
    void pickColor32();
    void pickColor32WithoutTheProgramsSelector();
    void inspectorSelectorOpensTheHSVDialog();
    void fontChoice_data();
    void fontChoice();
    void dialogTakesTheChosenFonts();
    void setVistaFontsGivesMemosTheContentFont();
    void noWindowsAdjustmentsHere();
};

void TestColourSelector::init()
{
    ChooseVistaFonts(QFontDatabase::families());
}

void TestColourSelector::startsAtZero()
{
    TFormHSV f;
    QCOMPARE(Describe(StateOf(f)), Describe({0, 0, 0, 0, 0, 0, 0}));
    QCOMPARE(f.editRed->text(), QStringLiteral("255"));
    QCOMPARE(f.editHue->text(), QStringLiteral("255"));
    QCOMPARE(f.edAlpha->text(), QStringLiteral("0"));
    QCOMPARE(f.windowTitle(), QStringLiteral("Colorselector"));
    QVERIFY(!f.TimerUpdate->isActive());
    QCOMPARE(f.GetColor32(), 0u);
    // After a show every edit shows the colour state.
    f.show();
    QCOMPARE(f.editRed->text(), QStringLiteral("0"));
    QCOMPARE(f.editHue->text(), QStringLiteral("NAN"));
    QCOMPARE(f.editValue->text(), QStringLiteral("0"));
}

void TestColourSelector::setColorFillsEveryControl_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<TState>("state");
    QTest::addColumn<QString>("hueText");
    QTest::newRow("half transparent red") << 0x80FF0000u << TState {255, 0, 0, 0, 255, 255, 128} << "0";
    QTest::newRow("grey") << 0xFF808080u << TState {128, 128, 128, 0, 0, 128, 255} << "NAN";
    QTest::newRow("black, transparent") << 0x00000000u << TState {0, 0, 0, 0, 0, 0, 0} << "NAN";
    QTest::newRow("blue") << 0x7F0000FFu << TState {0, 0, 255, 240, 255, 255, 127} << "240";
    // Hue 330 moves the hue bar to 234, which stands for 330 again.
    QTest::newRow("pink") << 0xFFFF0080u << TState {255, 0, 128, 330, 255, 255, 255} << "330";
    // Hue 210 is Round(148.75) = 149 on the bar, which stands for 210.35, so 210.
    QTest::newRow("dark blue") << 0x01123456u << TState {0x12, 0x34, 0x56, 210, 202, 86, 1} << "210";
}

void TestColourSelector::setColorFillsEveryControl()
{
    QFETCH(uint, color);
    QFETCH(TState, state);
    QFETCH(QString, hueText);
    TFormHSV f;
    f.SetColor32(color);
    QCOMPARE(Describe(StateOf(f)), Describe(state));
    QCOMPARE(f.GetColor32(), color);
    QCOMPARE(f.editRed->text(), QString::number(state.Red));
    QCOMPARE(f.editGreen->text(), QString::number(state.Green));
    QCOMPARE(f.editBlue->text(), QString::number(state.Blue));
    QCOMPARE(f.editHue->text(), hueText);
    QCOMPARE(f.editSaturation->text(), QString::number(state.Saturation));
    QCOMPARE(f.editValue->text(), QString::number(state.Value));
    QCOMPARE(f.edAlpha->value(), state.Alpha);
    QCOMPARE(f.TrackBar1->value(), state.Alpha);
    QCOMPARE(f.TrackBarRed->value(), state.Red);
    QCOMPARE(f.TrackBarGreen->value(), state.Green);
    QCOMPARE(f.TrackBarBlue->value(), state.Blue);
    QCOMPARE(f.TrackBarHue->value(), RoundToEven(state.Hue / 360.0 * 255));
    QCOMPARE(f.TrackBarSaturation->value(), state.Saturation);
    QCOMPARE(f.TrackBarValue->value(), state.Value);
    // A show recomputes from red, green and blue and changes nothing.
    f.show();
    QCOMPARE(f.GetColor32(), color);
    QCOMPARE(Describe(StateOf(f)), Describe(state));
}

void TestColourSelector::filterDigitKey()
{
    for (char16_t code : {u'0', u'5', u'9', char16_t(1), char16_t(8), char16_t(22), char16_t(31)})
        QCOMPARE(FilterDigitKey(QChar(code)), QChar(code));
    for (char16_t code : {u'a', u'-', u' ', u'$', char16_t(0), char16_t(127), u'\u00e9'})
        QVERIFY2(FilterDigitKey(QChar(code)).isNull(), qPrintable(QString::number(code)));
}

void TestColourSelector::rgbEditsTakeDigitsOnly()
{
    TFormHSV f;
    f.editRed->clear();
    QTest::keyClicks(f.editRed, QStringLiteral("1a-2 x3"));
    QCOMPARE(f.editRed->text(), QStringLiteral("123"));
    QTest::keyClick(f.editRed, Qt::Key_Backspace);
    QCOMPARE(f.editRed->text(), QStringLiteral("12"));
    // The HSV edits take every key.
    f.editHue->clear();
    QTest::keyClicks(f.editHue, QStringLiteral("abc"));
    QCOMPARE(f.editHue->text(), QStringLiteral("abc"));
}

void TestColourSelector::typedValues_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("text");
    QTest::addColumn<TState>("state");
    // Starting from 0x80FF0000: red 255, hue 0, saturation 255, value 255, alpha 128.
    QTest::newRow("red out of range") << "editRed" << "300" << TState {255, 0, 0, 0, 255, 255, 128};
    QTest::newRow("red no number") << "editRed" << "" << TState {255, 0, 0, 0, 255, 255, 128};
    // Hue 60 puts the hue bar at Round(42.5) = 42, which stands for 59.
    QTest::newRow("green 255") << "editGreen" << "255" << TState {255, 255, 0, 59, 255, 255, 128};
    QTest::newRow("blue hexadecimal") << "editBlue" << "$FF" << TState {255, 0, 255, 299, 255, 255, 128};
    QTest::newRow("red with blanks and sign") << "editRed" << "  +128" << TState {128, 0, 0, 0, 255, 128, 128};
    QTest::newRow("red negative") << "editRed" << "-1" << TState {255, 0, 0, 0, 255, 255, 128};
    QTest::newRow("hue abc") << "editHue" << "abc" << TState {255, 0, 0, 0, 255, 255, 128};
    QTest::newRow("hue 100") << "editHue" << "100" << TState {85, 255, 0, 100, 255, 255, 128};
    // Hue 12 puts the hue bar at Round(8.5) = 8 (halves to even), which stands for 11.
    QTest::newRow("hue 12") << "editHue" << "12" << TState {255, 51, 0, 11, 255, 255, 128};
    QTest::newRow("hue 360") << "editHue" << "360" << TState {255, 0, 0, 360, 255, 255, 128};
    QTest::newRow("hue 361") << "editHue" << "361" << TState {255, 0, 0, 0, 255, 255, 128};
    QTest::newRow("saturation 0") << "editSaturation" << "0" << TState {255, 255, 255, 0, 0, 255, 128};
    QTest::newRow("saturation 256") << "editSaturation" << "256" << TState {255, 0, 0, 0, 255, 255, 128};
    QTest::newRow("value 128") << "editValue" << "128" << TState {128, 0, 0, 0, 255, 128, 128};
}

void TestColourSelector::typedValues()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(TState, state);
    TFormHSV f;
    f.SetColor32(0x80FF0000u);
    auto* line = f.findChild<QLineEdit*>(edit);
    QVERIFY(line);
    TypeAndLeave(line, text);
    QCOMPARE(Describe(StateOf(f)), Describe(state));
    // Every edit is rewritten from the state.
    QCOMPARE(f.editRed->text(), QString::number(state.Red));
    QCOMPARE(f.editHue->text(), state.Saturation == 0 ? QStringLiteral("NAN") : QString::number(state.Hue));
    QCOMPARE(f.editSaturation->text(), QString::number(state.Saturation));
}

void TestColourSelector::returnCommitsTheEdit()
{
    TFormHSV f;
    f.SetColor32(0xFF000000u);
    f.editBlue->setText(QStringLiteral("200"));
    QTest::keyClick(f.editBlue, Qt::Key_Return);
    QCOMPARE(f.GetColor32(), 0xFF0000C8u);
}

void TestColourSelector::returnOnAnUntouchedFieldKeepsTheColour_data()
{
    QTest::addColumn<uint>("color");
    QTest::addColumn<QString>("field");
    const uint colours[] = {0xFFC89665u, 0x80CA264Eu, 0xFF1E840Bu, 0x40257A95u, 0x80FF0000u, 0x01123456u,
                            0xFF808080u, 0x7F3C3C3Cu, 0xFFFFFFFFu, 0x00000000u};
    const char* fields[] = {"editHue", "editSaturation", "editValue", "editRed", "editGreen", "editBlue", "edAlpha"};
    for (uint color : colours)
        for (const char* field : fields)
            QTest::addRow("%08X %s", color, field) << color << QString::fromLatin1(field);
}

// Enter confirms the dialog; the focused field, left as it was shown, changes nothing.
void TestColourSelector::returnOnAnUntouchedFieldKeepsTheColour()
{
    QFETCH(uint, color);
    QFETCH(QString, field);
    TFormHSV f;
    f.SetColor32(color);
    f.show();
    const TState shown = StateOf(f);
    auto* widget = f.findChild<QWidget*>(field);
    QVERIFY(widget);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QVERIFY(!f.isVisible());
    QCOMPARE(QString::number(f.GetColor32(), 16), QString::number(color, 16));
    QCOMPARE(Describe(StateOf(f)), Describe(shown));
}

void TestColourSelector::typedHueFollowsTheHueBar()
{
    TFormHSV f;
    f.SetColor32(0xFFFF0000u);
    QCOMPARE(f.TrackBarHue->value(), 0);
    TypeAndLeave(f.editHue, QStringLiteral("2"));
    // The bar moves to 1, which stands for hue 1; red, green and blue are those of hue 2.
    QCOMPARE(f.TrackBarHue->value(), 1);
    QCOMPARE(f.Hue(), 1);
    QCOMPARE(f.editHue->text(), QStringLiteral("1"));
    double r = 0, g = 0, b = 0;
    HSVToRGB(2, 1, 1, r, g, b);
    QCOMPARE(f.Red(), RoundToEven(255 * r));
    QCOMPARE(f.Green(), RoundToEven(255 * g));
    QCOMPARE(f.Blue(), RoundToEven(255 * b));
    // 8.5 rounds to even.
    QCOMPARE(f.Green(), 8);

    TypeAndLeave(f.editHue, QStringLiteral("100"));
    QCOMPARE(f.TrackBarHue->value(), 71);
    QCOMPARE(f.editHue->text(), QStringLiteral("100"));
}

void TestColourSelector::hueTrackBarStandsForDegrees()
{
    TFormHSV f;
    f.SetColor32(0xFFFF0000u);
    f.TrackBarHue->setValue(71);
    QCOMPARE(f.Hue(), 100);
    QCOMPARE(f.editHue->text(), QStringLiteral("100"));
    QCOMPARE(f.GetColor32(), 0xFF55FF00u);
    f.TrackBarHue->setValue(255);
    QCOMPARE(f.Hue(), 360);
    QCOMPARE(f.GetColor32(), 0xFFFF0000u);
    // The RGB bars: green moves hue and saturation.
    f.TrackBarGreen->setValue(128);
    QCOMPARE(Describe(StateOf(f)), Describe({255, 128, 0, 30, 255, 255, 255}));
}

void TestColourSelector::discPicksHueAndSaturation_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("picked");
    QTest::addColumn<int>("saturation");
    QTest::addColumn<QString>("hueText");
    // The colour is that of the picked hue; the hue itself then follows the hue bar, whose
    // position Round(180 / 360 * 255) = 128 stands for 181.
    QTest::newRow("left edge") << QPoint(0, 90) << 180 << 255 << "181";
    QTest::newRow("rightmost") << QPoint(179, 90) << 360 << 252 << "360";
    QTest::newRow("top") << QPoint(90, 0) << 90 << 255 << "90";
    QTest::newRow("below") << QPoint(90, 135) << 270 << 128 << "270";
    QTest::newRow("upper left") << QPoint(45, 45) << 135 << 181 << "136";
    QTest::newRow("centre") << QPoint(90, 90) << 0 << 0 << "NAN";
    // MulDiv(15, 255, 90) = 42.5 rounds away from zero (the disc picture shows 42 there).
    QTest::newRow("half a step") << QPoint(90, 105) << 270 << 43 << "270";
}

void TestColourSelector::discPicksHueAndSaturation()
{
    QFETCH(QPoint, point);
    QFETCH(int, picked);
    QFETCH(int, saturation);
    QFETCH(QString, hueText);
    TFormHSV f;
    f.SetColor32(0xFF0000FFu);
    f.show();
    QTest::mouseClick(f.ImageHS, Qt::LeftButton, {}, point);
    QCOMPARE(f.Saturation(), saturation);
    QCOMPARE(f.Value(), 255);
    QCOMPARE(f.editHue->text(), hueText);
    if (saturation != 0)
        QCOMPARE(QString::number(f.Hue()), hueText);
    double r = 0, g = 0, b = 0;
    HSVToRGB(saturation ? double(picked) : std::nan(""), saturation / 255.0, 1, r, g, b);
    QCOMPARE(f.Red(), RoundToEven(255 * r));
    QCOMPARE(f.Green(), RoundToEven(255 * g));
    QCOMPARE(f.Blue(), RoundToEven(255 * b));
}

void TestColourSelector::dragBeyondTheDiscKeepsPicking()
{
    TFormHSV f;
    f.SetColor32(0xFFFFFFFFu);
    f.show();
    QTest::mousePress(f.ImageHS, Qt::LeftButton, {}, QPoint(90, 90));
    DragTo(f.ImageHS, QPoint(90, -200));
    QCOMPARE(f.Hue(), 90);
    QCOMPARE(f.Saturation(), 255);
    DragTo(f.ImageHS, QPoint(-50, 90));
    QCOMPARE(f.GetColor32(), 0xFF00FFFFu);
    QTest::mouseRelease(f.ImageHS, Qt::LeftButton, {}, QPoint(-50, 90));
    // Released: moves no longer pick.
    DragTo(f.ImageHS, QPoint(90, 90));
    QCOMPARE(f.Saturation(), 255);
}

void TestColourSelector::palettePicks_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<uint>("color");
    // QTest reads the point (0, 0) as "the middle", so the corner is (1, 1).
    QTest::newRow("top left") << QPoint(1, 1) << 0xFF080808u;
    QTest::newRow("second grey") << QPoint(15, 9) << 0xFF101010u;
    QTest::newRow("last grey") << QPoint(305, 5) << 0xFFF8F8F8u;
    QTest::newRow("last of the top row") << QPoint(319, 9) << 0xFFFFFFFFu;
    QTest::newRow("first of the second row") << QPoint(5, 15) << 0xFFFFE1DBu;
    QTest::newRow("last of the second row") << QPoint(315, 15) << 0xFFFFDBDBu;
    QTest::newRow("last swatch") << QPoint(319, 79) << 0xFFFF0000u;
    QTest::newRow("bottom row, hue 90") << QPoint(75, 75) << 0xFF80FF00u;
}

void TestColourSelector::palettePicks()
{
    QFETCH(QPoint, point);
    QFETCH(uint, color);
    TFormHSV f;
    f.SetColor32(0xFF000000u);
    f.show();
    QTest::mouseClick(f.Image2, Qt::LeftButton, {}, point);
    QCOMPARE(QString::number(f.GetColor32(), 16), QString::number(color, 16));
    // The palette picture shows the same colour there.
    QCOMPARE(PixelOf(f.Image2->Picture(), point.x(), point.y()), QColor::fromRgb(color));
}

void TestColourSelector::dragOffThePaletteChangesNothing()
{
    TFormHSV f;
    f.show();
    QTest::mousePress(f.Image2, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(f.GetColor32(), 0x00080808u);
    DragTo(f.Image2, QPoint(5, 85));
    DragTo(f.Image2, QPoint(-3, 5));
    QCOMPARE(f.GetColor32(), 0x00080808u);
    DragTo(f.Image2, QPoint(315, 5));
    QCOMPARE(f.GetColor32(), 0x00FFFFFFu);
    QTest::mouseRelease(f.Image2, Qt::LeftButton, {}, QPoint(315, 5));
    DragTo(f.Image2, QPoint(5, 5));
    QCOMPARE(f.GetColor32(), 0x00FFFFFFu);
}

void TestColourSelector::gradientBarsPick()
{
    TFormHSV f;
    f.SetColor32(0xFF00FF00u);
    f.show();
    QTest::mouseClick(f.ImageH, Qt::LeftButton, {}, QPoint(255, 9));
    QCOMPARE(f.Hue(), 360);
    QCOMPARE(f.GetColor32(), 0xFFFF0000u);
    QTest::mouseClick(f.ImageH, Qt::LeftButton, {}, QPoint(0, 9));
    QCOMPARE(f.Hue(), 0);
    QTest::mouseClick(f.ImageV, Qt::LeftButton, {}, QPoint(100, 9));
    QCOMPARE(f.GetColor32(), 0xFF640000u);
    QTest::mouseClick(f.ImageB, Qt::LeftButton, {}, QPoint(50, 0));
    QCOMPARE(f.GetColor32(), 0xFF640032u);
    QTest::mouseClick(f.ImageS, Qt::LeftButton, {}, QPoint(0, 18));
    QCOMPARE(f.GetColor32(), 0xFF646464u);
    QCOMPARE(f.editHue->text(), QStringLiteral("NAN"));
}

void TestColourSelector::dragOffAGradientBarChangesNothing()
{
    TFormHSV f;
    f.show();
    QTest::mousePress(f.ImageR, Qt::LeftButton, {}, QPoint(100, 5));
    QCOMPARE(f.Red(), 100);
    DragTo(f.ImageR, QPoint(300, 5));
    DragTo(f.ImageR, QPoint(120, 19));
    QCOMPARE(f.Red(), 100);
    DragTo(f.ImageR, QPoint(120, 18));
    QCOMPARE(f.Red(), 120);
    QTest::mouseRelease(f.ImageR, Qt::LeftButton, {}, QPoint(120, 18));
    DragTo(f.ImageR, QPoint(7, 5));
    QCOMPARE(f.Red(), 120);
    // Another bar's flag is its own.
    DragTo(f.ImageG, QPoint(7, 5));
    QCOMPARE(f.Green(), 0);
}

void TestColourSelector::gradientPictures()
{
    TFormHSV f;
    f.SetColor32(0xFF804020u);
    QCOMPARE(f.ImageR->Picture().size(), QSize(256, 19));
    QCOMPARE(PixelOf(f.ImageR->Picture(), 200, 10), QColor(200, 0, 0));
    QCOMPARE(PixelOf(f.ImageG->Picture(), 255, 0), QColor(0, 255, 0));
    QCOMPARE(PixelOf(f.ImageB->Picture(), 0, 18), QColor(0, 0, 0));
    const int h = f.Hue(), s = f.Saturation(), v = f.Value();
    QCOMPARE(PixelOf(f.ImageH->Picture(), 128, 0), TripleColour(HSVToRGBTriple(MulDiv(360, 128, 255), s, v)));
    QCOMPARE(PixelOf(f.ImageH->Picture(), 255, 18), TripleColour(HSVToRGBTriple(360, s, v)));
    QCOMPARE(PixelOf(f.ImageS->Picture(), 0, 5), TripleColour(HSVToRGBTriple(h, 0, v)));
    QCOMPARE(PixelOf(f.ImageV->Picture(), 77, 5), TripleColour(HSVToRGBTriple(h, s, 77)));
    // The RGB bars never change.
    f.SetColor32(0xFF00FF00u);
    QCOMPARE(PixelOf(f.ImageR->Picture(), 200, 10), QColor(200, 0, 0));
}

void TestColourSelector::alphaFollowsTrackBarAndEdit()
{
    TFormHSV f;
    f.SetColor32(0xFF112233u);
    f.TrackBar1->setValue(128);
    QCOMPARE(f.edAlpha->text(), QStringLiteral("128"));
    QCOMPARE(f.Alpha(), 128);
    QCOMPARE(f.GetColor32(), 0x80112233u);
    f.edAlpha->selectAll();
    QTest::keyClicks(f.edAlpha, QStringLiteral("7"));
    QCOMPARE(f.Alpha(), 7);
    QCOMPARE(f.TrackBar1->value(), 7);
    // The alpha changes neither the colour nor the disc state.
    QCOMPARE(f.GetColor32(), 0x07112233u);
    QCOMPARE(f.Saturation(), RoundToEven(255 * (0x33 - 0x11) / double(0x33)));
}

void TestColourSelector::previewShowsAlphaOverCheckerboard()
{
    TFormHSV f;
    f.SetColor32(0x80FF0000u);
    f.show();
    const QImage shown = f.Image321->grab().toImage();
    auto near = [](const QColor& c, int r, int g, int b) {
        return std::abs(c.red() - r) <= 2 && std::abs(c.green() - g) <= 2 && std::abs(c.blue() - b) <= 2;
    };
    // Square (1, 1) is grey, square (0, 1) white.
    const QColor overGrey = shown.pixelColor(12, 12);
    const QColor overWhite = shown.pixelColor(4, 12);
    QVERIFY2(near(overGrey, 216, 88, 88), qPrintable(overGrey.name()));
    QVERIFY2(near(overWhite, 255, 127, 127), qPrintable(overWhite.name()));
    // Transparent: the bare checkerboard.
    f.TrackBar1->setValue(0);
    const QImage bare = f.Image321->grab().toImage();
    QCOMPARE(bare.pixelColor(12, 12), QColor(0xB0, 0xB0, 0xB0));
    QCOMPARE(bare.pixelColor(4, 12), QColor(Qt::white));
    QCOMPARE(bare.pixelColor(20, 20), QColor(0xB0, 0xB0, 0xB0));
}

void TestColourSelector::discRedrawnOnlyWhileShown()
{
    TFormHSV f;
    f.SetColor32(0xFF00FF00u);
    QTest::qWait(3 * TFormHSV::DiscInterval);
    QVERIFY(f.ImageHS->Picture().isNull());
    f.show();
    QVERIFY(f.TimerUpdate->isActive());
    const QColor back = f.palette().color(QPalette::Button);
    const QImage expected = CreateHSCircle(180, 120, 255, 255, back, Qt::black);
    QTRY_COMPARE_WITH_TIMEOUT(f.ImageHS->Picture(), expected, 40 * TFormHSV::DiscInterval);
    f.hide();
    QVERIFY(!f.TimerUpdate->isActive());
    f.SetColor32(0xFF808080u);
    QTest::qWait(3 * TFormHSV::DiscInterval);
    QCOMPARE(f.ImageHS->Picture(), expected);
    f.show();
    // A grey: no marker.
    QTRY_COMPARE_WITH_TIMEOUT(f.ImageHS->Picture(), CreateHSCircle(180, 0, 0, 128, back, Qt::black), 40 * TFormHSV::DiscInterval);
}

void TestColourSelector::buttonsEndTheDialog()
{
    TFormHSV f;
    f.show();
    f.Button1->click();
    QCOMPARE(f.result(), int(QDialog::Accepted));
    QVERIFY(!f.isVisible());
    f.show();
    f.Button2->click();
    QCOMPARE(f.result(), int(QDialog::Rejected));
    f.show();
    QTest::keyClick(&f, Qt::Key_Escape);
    QCOMPARE(f.result(), int(QDialog::Rejected));
    QVERIFY(f.Button1->isDefault());
}

// A fixed dialog border with the system menu only, opened centred on the screen, not on its owner.
void TestColourSelector::fixedBorderCentredOnScreen()
{
    QWidget owner;
    owner.setGeometry(10, 20, 300, 200);
    owner.show();
    TFormHSV f(&owner);
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    const Qt::WindowFlags flags = f.windowHandle()->flags();
    QVERIFY(!(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(flags & Qt::WindowSystemMenuHint);
    QCOMPARE(f.minimumSize(), f.maximumSize());
    const QPoint offCentre = f.frameGeometry().center() - f.screen()->availableGeometry().center();
    QVERIFY(offCentre.manhattanLength() <= 2);
}

void TestColourSelector::pickColor32()
{
    TFormHSV selector;
    QCOMPARE(FormHSV, &selector);
    TScriptedDialogs dialogs;
    TDialogsOverride scope(dialogs);

    std::uint32_t color = 0x80FF0000u;
    dialogs.AnswerModal(QDialog::Accepted, [](QDialog& d) {
        auto& f = static_cast<TFormHSV&>(d);
        QCOMPARE(f.GetColor32(), 0x80FF0000u);
        TypeAndLeave(f.editGreen, QStringLiteral("17"));
    });
    QVERIFY(PickColor32(color));
    QCOMPARE(color, 0x80FF1100u);

    dialogs.AnswerModal(QDialog::Rejected, [](QDialog& d) { TypeAndLeave(static_cast<TFormHSV&>(d).editBlue, QStringLiteral("99")); });
    QVERIFY(!PickColor32(color));
    QCOMPARE(color, 0x80FF1100u);
    QCOMPARE(dialogs.Calls().size(), std::size_t(2));
    QCOMPARE(dialogs.Calls()[0].Caption, QStringLiteral("Colorselector"));
    QVERIFY(dialogs.Unexpected().empty());
    // The colour state stays after Cancel.
    QCOMPARE(selector.Blue(), 99);
}

void TestColourSelector::pickColor32WithoutTheProgramsSelector()
{
    QVERIFY(!FormHSV);
    TScriptedDialogs dialogs;
    TDialogsOverride scope(dialogs);
    std::uint32_t color = 0x12345678u;
    dialogs.AnswerModal(QDialog::Accepted);
    QVERIFY(PickColor32(color));
    QCOMPARE(color, 0x12345678u);
    QVERIFY(!FormHSV);
    // The caller's window is the selector's parent, and the selector goes with it.
    {
        QWidget owner;
        dialogs.AnswerModal(QDialog::Accepted, [&owner](QDialog& d) {
            QCOMPARE(d.parentWidget(), &owner);
            TypeAndLeave(static_cast<TFormHSV&>(d).editRed, QStringLiteral("1"));
        });
        QVERIFY(PickColor32(color, &owner));
        QCOMPARE(color, 0x12015678u);
    }
    QVERIFY(!FormHSV);
    QVERIFY(dialogs.Unexpected().empty());
}

void TestColourSelector::inspectorSelectorOpensTheHSVDialog()
{
    TScriptedDialogs dialogs;
    TDialogsOverride scope(dialogs);
    IColorSelector& selector = HSVColorSelector();
    selector.SetColor32(0x40102030u);
    dialogs.AnswerModal(QDialog::Accepted, [](QDialog& d) {
        auto& hsv = static_cast<TFormHSV&>(d);
        QCOMPARE(hsv.GetColor32(), 0x40102030u);
        TypeAndLeave(hsv.editRed, QStringLiteral("255"));
    });
    QVERIFY(selector.Execute());
    QCOMPARE(selector.GetColor32(), 0x40FF2030u);
    dialogs.AnswerModal(QDialog::Rejected);
    QVERIFY(!selector.Execute());
    QCOMPARE(selector.GetColor32(), 0x40FF2030u);
}

void TestColourSelector::fontChoice_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("ui");
    QTest::addColumn<int>("uiSize");
    QTest::addColumn<QString>("content");
    QTest::addColumn<int>("contentSize");
    QTest::newRow("both") << QStringList {"DejaVu Sans", "Segoe UI", "Calibri"} << "Segoe UI" << 9 << "Calibri" << 11;
    QTest::newRow("Segoe UI only") << QStringList {"segoe ui", "Liberation Sans"} << "Segoe UI" << 9 << "Verdana" << 8;
    QTest::newRow("Calibri only") << QStringList {"CALIBRI"} << "Tahoma" << 8 << "Calibri" << 11;
    QTest::newRow("neither") << QStringList {"Segoe", "Calibri Light"} << "Tahoma" << 8 << "Verdana" << 8;
    QTest::newRow("none installed") << QStringList {} << "Tahoma" << 8 << "Verdana" << 8;
}

void TestColourSelector::fontChoice()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, ui);
    QFETCH(int, uiSize);
    QFETCH(QString, content);
    QFETCH(int, contentSize);
    ChooseVistaFonts(installed);
    QCOMPARE(VistaUIFont(), (TVistaFont {ui, uiSize}));
    QCOMPARE(VistaContentFont(), (TVistaFont {content, contentSize}));
}

void TestColourSelector::dialogTakesTheChosenFonts()
{
    ChooseVistaFonts({QStringLiteral("Segoe UI"), QStringLiteral("Calibri")});
    {
        TFormHSV f;
        QCOMPARE(f.font().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(f.font().pointSize(), 9);
        QCOMPARE(f.editRed->font().family(), QStringLiteral("Segoe UI"));
        QCOMPARE(f.Button1->font().pointSize(), 9);
    }
    ChooseVistaFonts({});
    TFormHSV f;
    QCOMPARE(f.font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(f.font().pointSize(), 8);
    QCOMPARE(f.edAlpha->font().pointSize(), 8);
    // The real font list decides at start-up.
    InitVistaReady();
    const bool segoe = QFontDatabase::families().contains(QStringLiteral("Segoe UI"), Qt::CaseInsensitive);
    QCOMPARE(VistaUIFont().Name, segoe ? QStringLiteral("Segoe UI") : QStringLiteral("Tahoma"));
}

void TestColourSelector::setVistaFontsGivesMemosTheContentFont()
{
    ChooseVistaFonts({QStringLiteral("Calibri")});
    QWidget window;
    auto* memo = new QPlainTextEdit(&window);
    auto* own = new QWidget(&window);
    QFont big = own->font();
    big.setPointSize(20);
    own->setFont(big);
    auto* inheriting = new QWidget(own);
    SetVistaFonts(&window);
    QCOMPARE(memo->font().family(), QStringLiteral("Calibri"));
    QCOMPARE(memo->font().pointSize(), 11);
    QCOMPARE(own->font().family(), QStringLiteral("Tahoma"));
    QCOMPARE(own->font().pointSize(), 8);
    QVERIFY(!inheriting->testAttribute(Qt::WA_SetFont));
    QCOMPARE(inheriting->font().pointSize(), 8);
    QCOMPARE(window.font().family(), QStringLiteral("Tahoma"));
}

void TestColourSelector::noWindowsAdjustmentsHere()
{
    QVERIFY(!IsVista());
    QWidget window;
    const QFlags<Qt::WindowType> flags = window.windowFlags();
    PatchFormClass(QWidget::staticMetaObject, true);
    QCOMPARE(window.windowFlags(), flags);
}

QTEST_MAIN(TestColourSelector)
#include "tst_colourselector.moc"
