// The frame of the editor's own modal dialogs: a single border with only the system menu.
#pragma once

#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <QWindow>

// Customised, so that no window manager adds the minimise and maximise buttons of a plain window.
inline constexpr Qt::WindowFlags SingleBorderDialog = Qt::Dialog | Qt::CustomizeWindowHint
    | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The frame a window manager puts around `window`: known once it has shown the window.
inline QMargins FrameMargins(const QWidget& window)
{
    const QRect inner = window.geometry();
    const QRect outer = window.frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

inline void PlaceDialog(QWidget& dialog, bool onScreen = false);

// Centres the dialog once more when the window manager has shown it with its own frame, which can
// differ from the owner's that was guessed.
class TFramePlacer : public QObject {
public:
    TFramePlacer(QWidget& dialog, bool onScreen) : QObject(&dialog), FDialog(dialog), FOnScreen(onScreen)
    {
        setObjectName(QStringLiteral("FramePlacer"));
        if (QWindow* window = dialog.windowHandle())
            window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && FDialog.windowHandle()->isExposed()) {
            watched->removeEventFilter(this);
            if (!FrameMargins(FDialog).isNull())
                PlaceDialog(FDialog, FOnScreen);
            deleteLater();
        }
        return false;
    }

private:
    QWidget& FDialog;
    bool FOnScreen;
};

// When shown, once the texts are final: a single border has a fixed size (what the texts need at
// least), and the dialog opens centred on its owner's window (on the screen without a shown owner,
// or with `onScreen`).
inline void PlaceDialog(QWidget& dialog, bool onScreen)
{
    if (QLayout* layout = dialog.layout())
        layout->activate();
    dialog.setFixedSize(dialog.size().expandedTo(dialog.minimumSizeHint()));
    const QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    QRect area;
    if (!onScreen && owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (const QScreen* screen = dialog.screen())
        area = screen->availableGeometry();
    else
        return;
    // Before its first show the dialog has no frame yet; the owner's is the best guess of it.
    QMargins frame = FrameMargins(dialog);
    if (frame.isNull() && owner && owner->isVisible() && !FrameMargins(*owner).isNull()) {
        frame = FrameMargins(*owner);
        if (!dialog.findChild<QObject*>(QStringLiteral("FramePlacer"), Qt::FindDirectChildrenOnly))
            new TFramePlacer(dialog, onScreen);
    }
    const QSize outer = dialog.size().grownBy(frame);
    const QPoint inner = area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2)
                         + QPoint(frame.left(), frame.top());
    // move() places the frame where the window manager has told its size, else the window itself.
    dialog.move(inner + dialog.pos() - dialog.geometry().topLeft());
}
