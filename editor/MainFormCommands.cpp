// The editing commands: insert from the Elements menu, the internal clipboard (copy, paste, clone),
// delete, lock, hide, the stacking order and Move objects, with the rules that enable them.
#include "editor/MainForm.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/tools/MoveDialog.h"
#include "platform/ui/ErrorReport.h"
#include "document/InsertKinds.h"
#include "document/PageXml.h"
#include "platform/core/Codec1252.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/ValueText.h"
#include "skinmodel/controls/ImageLayer.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileInfo>
#include <QMenu>
#include <QMetaMethod>
#include <QScrollArea>

#include <optional>
#include <stdexcept>

void TMainForm::ConnectCommands()
{
    const auto bind = [this](const char* name, void (TMainForm::*handler)()) {
        connect(Action(name), &QAction::triggered, this, [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    bind("mnCopy", &TMainForm::mnCopy1Click);
    bind("mnPaste", &TMainForm::mnPaste1Click);
    bind("mnClone", &TMainForm::mnClone1Click);
    bind("mnLock", &TMainForm::mnLock1Click);
    bind("mnHide", &TMainForm::mnHide1Click);
    bind("mnBringFront", &TMainForm::mnBringFront1Click);
    bind("mnToFront", &TMainForm::mnBringFront1Click);
    bind("mnSendBack", &TMainForm::mnToBackClick);
    bind("mnToBack", &TMainForm::mnToBackClick);
    bind("mnLevelUp", &TMainForm::mnLevelUpClick);
    bind("mnLevelDown", &TMainForm::mnReorder);
    bind("mnMove", &TMainForm::mnMoveClick);
    connect(Menu("mnSelection"), &QMenu::aboutToShow, this, [this] { RunGuarded([this] { mnSelectionClick(); }); });
    connect(this, &TMainForm::InsertRequested, this, [this](int tag) { RunGuarded([this, tag] { Main1Click(tag); }); });

    // The canvas popup; a right click has selected the control under the pointer first.
    FImgView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FImgView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) { Menu("PopupMenu3")->popup(FImgView->mapToGlobal(pos)); });
    // These menus show the state of the moment they open (the popup opens from the element list too);
    // the View menu's checks follow the tool windows as they show and hide.
    for (const char* name : {"mnEdit", "PopupMenu3"})
        connect(Menu(name), &QMenu::aboutToShow, this, [this] { RunGuarded([this] { UpdateActions(); }); });
    // Delete follows the input focus.
    FFocusConnection = connect(qApp, &QApplication::focusChanged, this, [this] { UpdateActions(); });
}

void TMainForm::UpdateCommandActions()
{
    TItemLayer* const FSelected = Selected();
    const bool selected = FSelected != nullptr;
    for (const char* name : {"mnLock", "mnHide"})
        Action(name)->setEnabled(selected);
    for (const char* name : {"mnCopy", "mnClone"})
        Action(name)->setEnabled(FDocument->CanCopy());
    Action("mnLock")->setChecked(selected && FSelected->FLocked);
    Action("mnHide")->setChecked(selected && !FSelected->Visible());
    Action("mnPaste")->setEnabled(CopyElem() != nullptr);

    QWidget* focus = QApplication::focusWidget();
    QDockWidget* list = ToolWindow("frmObjects");
    const bool canvasFocus = !focus || focus == this || focus == FImgView || focus == FScrollBox
        || (list && (focus == list || list->isAncestorOf(focus)));
    Action("mnDelete")->setEnabled(selected && canvasFocus);

    const int index = selected ? FSelected->Index() : -1;
    const bool canRise = selected && index < FDocument->TopControlIndex();
    const bool canSink = selected && index > 0;
    Action("mnToFront")->setEnabled(canRise);
    Action("mnToBack")->setEnabled(canSink);
    // Kept current here too, so that their keys never act on a stale state.
    Action("mnLevelUp")->setEnabled(canRise);
    Action("mnLevelDown")->setEnabled(canSink);
    Action("mnMove")->setEnabled(Layers().Count() > 2);
}

void TMainForm::mnSelectionClick()
{
    UpdateActions();
    Action("mnDelete")->setEnabled(Selected() != nullptr);
}

QPoint TMainForm::ViewCentre() const
{
    // The part of the canvas the scroll box shows; the canvas is drawn at scale 1 from its corner.
    const QWidget* viewport = FScrollBox->viewport();
    const QRect shown(FImgView->mapFrom(viewport, QPoint(0, 0)), viewport->size());
    QRect r = shown.intersected(FImgView->rect());
    if (r.isEmpty())
        r = shown;
    return QPoint((r.left() + r.left() + r.width()) / 2, (r.top() + r.top() + r.height()) / 2);
}

void TMainForm::Main1Click(int tag)
{
    FDocument->Insert(tag, ViewCentre(), [](const QString& folder) { return AskOpenPicture(TranslatableString(5), folder); });
}

void TMainForm::mnCopy1Click()
{
    // The copy is made of what the inspector shows, text typed and not yet confirmed included.
    StoreInspectorText(*this);
    FDocument->Copy();
}

void TMainForm::mnPaste1Click()
{
    FDocument->Paste();
}

void TMainForm::mnClone1Click()
{
    StoreInspectorText(*this);
    FDocument->Clone();
}

void TMainForm::DeleteSelected()
{
    FDocument->DeleteSelected();
}

void TMainForm::mnLock1Click()
{
    FDocument->ToggleLock();
}

void TMainForm::mnHide1Click()
{
    FDocument->ToggleHide();
}

void TMainForm::mnBringFront1Click()
{
    FDocument->BringToFront();
}

void TMainForm::mnToBackClick()
{
    FDocument->SendToBack();
}

void TMainForm::mnLevelUpClick()
{
    FDocument->OneToFront();
}

void TMainForm::mnReorder()
{
    FDocument->OneBack();
}

void TMainForm::mnMoveClick()
{
    SetSelection(nullptr);
    // Until the Move dialog is there, the command changes nothing.
    if (!isSignalConnected(QMetaMethod::fromSignal(&TMainForm::MoveObjectsRequested)))
        return;
    emit MoveObjectsRequested();
    SetModified(true);
}

void TMainForm::SetMoveDialog(TSelectionForm* dialog)
{
    connect(this, &TMainForm::MoveObjectsRequested, dialog, [dialog] { GuardedCall([dialog] { dialog->Execute(); }); });
}
