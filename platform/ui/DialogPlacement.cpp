#include "platform/ui/DialogPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// The frame a window manager puts around `window`: known once it has framed the window. The
// window's own is asked, as the widget learns of a new frame only when it is next moved.
QMargins FrameMargins(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->frameMargins() : QMargins();
}

QRect FrameGeometry(const QWidget& window)
{
    return window.windowHandle() ? window.windowHandle()->frameGeometry() : window.frameGeometry();
}

// The available area of the screen that holds the most of `frame`; `fallback`'s when none holds any.
QRect AvailableArea(const QRect& frame, const QScreen* fallback)
{
    const QScreen* best = nullptr;
    qint64 most = 0;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(frame);
        const qint64 size = qint64(common.width()) * common.height();
        if (size > most) {
            most = size;
            best = screen;
        }
    }
    if (!best)
        best = fallback ? fallback : QGuiApplication::primaryScreen();
    return best ? best->availableGeometry() : QRect();
}

// The place of a frame of `size` centred on `over`, then moved into `area`; a frame larger than
// `area` keeps its top left corner inside it.
QRect CentredFrame(QSize size, const QRect& over, const QRect& area)
{
    QPoint at(over.left() + (over.width() - size.width()) / 2, over.top() + (over.height() - size.height()) / 2);
    at.setX(std::max(std::min(at.x(), area.right() + 1 - size.width()), area.left()));
    at.setY(std::max(std::min(at.y(), area.bottom() + 1 - size.height()), area.top()));
    return {at, size};
}

// Places the dialog once more when the window manager has drawn a frame other than the guessed one.
class TFramePlacer : public QObject {
public:
    TFramePlacer(QWidget& dialog, QWindow& window, QMargins guess, bool onScreen)
        : QObject(&dialog), FDialog(dialog), FGuess(guess), FOnScreen(onScreen)
    {
        setObjectName(QStringLiteral("FramePlacer"));
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            const QMargins frame = FrameMargins(FDialog);
            if (!frame.isNull() && frame != FGuess)
                CentreOnOwner(FDialog, FOnScreen);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& FDialog;
    QMargins FGuess;
    bool FOnScreen;
};

// The window's own show event comes after the widget's show handling and before the window is mapped.
class TShowPlacer : public QObject {
public:
    explicit TShowPlacer(QWidget& dialog) : QObject(&dialog), FDialog(dialog)
    {
        setObjectName(QStringLiteral("ShowPlacer"));
        dialog.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Show)
            return false;
        if (watched == &FDialog) {
            QWindow* window = FDialog.windowHandle();
            if (window && window != FWindow) {
                FWindow = window;
                window->installEventFilter(this);
            }
        } else if (watched == FWindow) {
            CentreOnOwner(FDialog);
        }
        return false;
    }

private:
    QWidget& FDialog;
    QWindow* FWindow = nullptr;
};

} // namespace

void CentreOnOwner(QWidget& dialog, bool onScreen)
{
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    if (owner && !owner->isVisible())
        owner = nullptr;
    QMargins frame = FrameMargins(dialog);
    const bool unknown = frame.isNull();
    if (unknown && owner)
        frame = FrameMargins(*owner);
    const QRect area = AvailableArea(FrameGeometry(owner ? *owner : dialog), dialog.screen());
    if (area.isEmpty())
        return;
    const QRect over = onScreen || !owner ? area : FrameGeometry(*owner);
    const QPoint inner = CentredFrame(dialog.size().grownBy(frame), over, area).topLeft()
                         + QPoint(frame.left(), frame.top());
    // Where the widget knows no frame yet, move() places the window itself.
    dialog.move(inner + dialog.pos() - dialog.geometry().topLeft());
    QWindow* window = dialog.windowHandle();
    if (unknown && window && !dialog.findChild<QObject*>(QStringLiteral("FramePlacer"), Qt::FindDirectChildrenOnly))
        new TFramePlacer(dialog, *window, frame, onScreen);
}

void CentreWhenShown(QWidget& dialog)
{
    if (!dialog.findChild<QObject*>(QStringLiteral("ShowPlacer"), Qt::FindDirectChildrenOnly))
        new TShowPlacer(dialog);
}
