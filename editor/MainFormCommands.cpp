// The editing commands: insert from the Elements menu, the internal clipboard (copy, paste, clone),
// delete, lock, hide, the stacking order and Move objects, with the rules that enable them.
#include "editor/MainForm.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/commands/InsertKinds.h"
#include "editor/page/PageXml.h"
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

namespace {

bool IsVideo(const TCustomLayer* layer)
{
    return dynamic_cast<const TOSDVideoControl*>(layer) != nullptr;
}

// The type keyword an element would be created as, lower-cased.
std::string ElementType(TJvSimpleXMLElem* elem)
{
    std::string type;
    TOSDControlFactory::ReadString(elem, "type", type);
    return LowerAscii(type);
}

void CopyVideoWindow(TWindowInfos& infos, TItemLayer* video)
{
    TVideoWindow& vw = infos.VideoWindow();
    vw.X = video ? video->GetX() : 0;
    vw.Y = video ? video->GetY() : 0;
    vw.Width = video ? video->GetWidth() : 0;
    vw.Height = video ? video->GetHeight() : 0;
}

} // namespace

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
    connect(FImgView, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        UpdateActions();
        Menu("PopupMenu3")->popup(FImgView->mapToGlobal(pos));
    });
    // Delete follows the input focus.
    FFocusConnection = connect(qApp, &QApplication::focusChanged, this, [this] { UpdateActions(); });
}

void TMainForm::UpdateCommandActions()
{
    const bool selected = FSelected != nullptr;
    for (const char* name : {"mnCopy", "mnClone", "mnLock", "mnHide"})
        Action(name)->setEnabled(selected);
    Action("mnLock")->setChecked(selected && FSelected->FLocked);
    Action("mnHide")->setChecked(selected && !FSelected->Visible());
    Action("mnPaste")->setEnabled(FCopyElem != nullptr);

    QWidget* focus = QApplication::focusWidget();
    QDockWidget* list = ToolWindow("frmObjects");
    const bool canvasFocus = !focus || focus == this || focus == FImgView || focus == FScrollBox
        || (list && (focus == list || list->isAncestorOf(focus)));
    Action("mnDelete")->setEnabled(selected && canvasFocus);

    const int index = selected ? FSelected->Index() : -1;
    const bool canRise = selected && index < TopControlIndex();
    const bool canSink = selected && index > 0;
    Action("mnToFront")->setEnabled(canRise);
    Action("mnToBack")->setEnabled(canSink);
    // Kept current here too, so that their keys never act on a stale state.
    Action("mnLevelUp")->setEnabled(canRise);
    Action("mnLevelDown")->setEnabled(canSink);
    Action("mnMove")->setEnabled(FImgView->Layers().Count() > 2);
}

void TMainForm::mnSelectionClick()
{
    UpdateActions();
    Action("mnDelete")->setEnabled(FSelected != nullptr);
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

int TMainForm::TopControlIndex() const
{
    TLayerCollection& layers = FImgView->Layers();
    const bool frame = FRubberBand && FRubberBand->LayerCollection() == &layers;
    return layers.Count() - (frame ? 2 : 1);
}

void TMainForm::AddControlToPage(TItemLayer* layer)
{
    AttachControl(layer);
    if (IsVideo(layer))
        CopyVideoWindow(*FWindowInfos, layer);
    emit ControlsChanged();
    SetSelection(layer);
    SetModified(true);
}

void TMainForm::Main1Click(int tag)
{
    const int kind = InsertKindOfTag(tag);
    if (kind < 0)
        return;
    TLayerCollection& layers = FImgView->Layers();
    // A page has one video window: asking for another shows the one it has.
    if (kind == InsertKindVideoWindow) {
        if (TItemLayer* video = FindVideoLayer(layers)) {
            SetSelection(video);
            return;
        }
    }
    const QPoint centre = ViewCentre();
    TItemLayer* control = nullptr;
    if (kind == InsertKindImage) {
        const QString folder = FProject->Folder().isEmpty() ? QString() : FProject->Folder() + QStringLiteral("images/");
        const QString file = AskOpenPicture(TranslatableString(5), folder);
        if (file.isEmpty())
            return;
        // The layer keeps the name only, as the skin's Windows-1252 text; a name that has no such
        // form is refused before anything is made.
        const QString name = QFileInfo(file).fileName();
        QChar bad;
        const std::optional<std::string> texture = ToWin1252(name, &bad);
        if (!texture)
            throw std::runtime_error(
                QStringLiteral("The picture name \"%1\" cannot be used in a skin (character \"%2\").").arg(name, bad)
                    .toStdString());
        control = CreateInLayers(layers, [&]() -> TItemLayer* {
            auto* image = new TImageLayer(&layers);
            image->SetFileName(*texture);
            const double halfWidth = image->Bitmap ? image->Bitmap->width() / 2.0 : 0.0;
            const double halfHeight = image->Bitmap ? image->Bitmap->height() / 2.0 : 0.0;
            image->SetLocation(TFloatRect{float(centre.x() - halfWidth), float(centre.y() - halfHeight),
                                          float(centre.x() + halfWidth), float(centre.y() + halfHeight)});
            image->SetScaled(false);
            return image;
        });
    } else {
        control = CreateInsertedControl(layers, kind, centre);
    }
    if (control)
        AddControlToPage(control);
}

void TMainForm::mnCopy1Click()
{
    if (!FSelected)
        return;
    auto elem = std::make_unique<TJvSimpleXMLElemClassic>(nullptr);
    elem->SetName("Control");
    FSelected->SaveToXML(elem.get(), nullptr, false);
    FCopyElem = std::move(elem);
    UpdateActions();
}

void TMainForm::mnPaste1Click()
{
    SetSelection(nullptr);
    if (!FCopyElem)
        return;
    TLayerCollection& layers = FImgView->Layers();
    TItemLayer* existingVideo = ElementType(FCopyElem.get()) == "videowindow" ? FindVideoLayer(layers) : nullptr;
    TItemLayer* control = nullptr;
    if (!existingVideo) {
        // With the type's reference first, as a page loads it: the element leaves out what equals it.
        control = CreateInLayers(
            layers, [&] { return OSDControlFactory().CreateControl(&layers, FCopyElem.get(), true); });
    }
    FCopyElem.reset();
    if (control)
        AddControlToPage(control);
    else if (existingVideo)
        SetSelection(existingVideo);
    UpdateActions();
}

void TMainForm::mnClone1Click()
{
    if (!FSelected)
        return;
    mnCopy1Click();
    mnPaste1Click();
    FCopyElem.reset();
    UpdateActions();
}

void TMainForm::DeleteSelected()
{
    if (!FSelected)
        return;
    TItemLayer* layer = FSelected;
    SetSelection(nullptr);
    FreeRubberBand();
    const bool video = IsVideo(layer);
    delete layer;
    if (video)
        CopyVideoWindow(*FWindowInfos, FindVideoLayer(FImgView->Layers()));
    SetModified(true);
    emit ControlsChanged();
}

void TMainForm::mnLock1Click()
{
    if (!FSelected)
        return;
    FSelected->FLocked = !FSelected->FLocked;
    emit ControlsChanged();
    UpdateActions();
}

void TMainForm::mnHide1Click()
{
    if (!FSelected)
        return;
    TItemLayer* layer = FSelected;
    // The canvas only: the saved "visible" value is the inspector's.
    layer->SetVisible(!layer->Visible());
    layer->SetMouseEvents(layer->Visible());
    if (!layer->Visible())
        SetSelection(nullptr);
    emit ControlsChanged();
    UpdateActions();
}

void TMainForm::mnBringFront1Click()
{
    if (!FSelected)
        return;
    if (FRubberBand)
        FRubberBand->BringToFront();
    FSelected->SetIndex(TopControlIndex());
    SetModified(true);
    emit ControlsChanged();
}

void TMainForm::mnToBackClick()
{
    if (!FSelected)
        return;
    FSelected->SendToBack();
    SetModified(true);
    emit ControlsChanged();
}

void TMainForm::mnLevelUpClick()
{
    if (!FSelected)
        return;
    if (FRubberBand)
        FRubberBand->BringToFront();
    // Never above its own frame; at the top it changes nothing but still counts, as the other three do.
    if (FSelected->Index() < TopControlIndex())
        FSelected->SetIndex(FSelected->Index() + 1);
    SetModified(true);
    emit ControlsChanged();
}

void TMainForm::mnReorder()
{
    if (!FSelected)
        return;
    FSelected->SetIndex(std::max(FSelected->Index() - 1, 0));
    SetModified(true);
    emit ControlsChanged();
}

void TMainForm::mnMoveClick()
{
    SetSelection(nullptr);
    FreeRubberBand();
    // Until the Move dialog is there, the command changes nothing.
    if (!isSignalConnected(QMetaMethod::fromSignal(&TMainForm::MoveObjectsRequested)))
        return;
    emit MoveObjectsRequested();
    SetModified(true);
}
