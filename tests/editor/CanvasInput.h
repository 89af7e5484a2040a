// Mouse input for the canvas in the editor tests, and a control's rectangle as a QRectF.
#pragma once

#include "skinmodel/controls/ItemLayer.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

inline void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
                      Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

inline void Click(QWidget* w, QPoint pos, Qt::MouseButton button = Qt::LeftButton)
{
    SendMouse(w, QEvent::MouseButtonPress, pos, button, button);
    SendMouse(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

inline void Drag(QWidget* w, QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    SendMouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, mods);
    SendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton, mods);
    SendMouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, mods);
    SendMouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, mods);
}

// The pointer enters the widget.
inline void Enter(QWidget* w)
{
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), w->mapToGlobal(QPointF(1, 1)));
    QApplication::sendEvent(w, &e);
}

inline QRectF Rect(const TItemLayer* l)
{
    const TFloatRect& r = l->Location();
    return QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom));
}
