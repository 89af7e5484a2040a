// The open page and the open project around it: the page's controls (the layer collection), the
// selection with its frame, the internal clipboard, the modified flag, the file name, the page
// settings with the backdrop, the items that could not be read, and the project with its pages.
// Every command on the page is here with its rules; the main window asks the questions, shows the
// page and calls these. Whoever shows any of it listens to the signals: they announce every change,
// so nobody polls, and nobody keeps a control after its removal was announced.
#pragma once

#include "canvas/Layers.h"
#include "canvas/RubberBand.h"
#include "document/WindowInfos.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/Published.h"

#include <QImage>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TItemLayer;
class TJvSimpleXML;
class TJvSimpleXMLElem;
class TSkinInfo;
class TSkinProject;

class TPageDocument : public QObject {
    Q_OBJECT

public:
    explicit TPageDocument(QObject* parent = nullptr);
    ~TPageDocument() override;

    // --- the page ---
    TLayerCollection& Layers() { return FLayers; }
    const TLayerCollection& Layers() const { return FLayers; }
    TItemLayer* Selected() const { return FSelected; }
    // The frame around the selected control, or none.
    TRubberbandLayer* RubberBand() const { return FRubberBand; }
    // The internal clipboard: one "Control" element in the page writer's form, or none.
    const TJvSimpleXMLElem* CopyElem() const { return FCopyElem.get(); }
    bool Modified() const { return FModified; }
    void SetModified(bool on);
    // The page file ("Unnamed1.xml" style for a page never saved). A new name forgets PageFile.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& fileName);
    // The file the page was read from or last saved to (a full path); empty for a page that is neither.
    const QString& PageFile() const { return FPageFile; }
    // True when the page was last saved to PageFile (not only read from it).
    bool PageFileSaved() const { return FPageFileSaved; }
    void SetPageFile(const QString& path, bool saved);
    const std::string& Version() const { return FVersion; }
    TWindowInfos& WindowInfos() { return FWindowInfos; }
    // Page items that could not become controls; written back unchanged after the controls.
    int UnreadItemCount() const { return static_cast<int>(FUnreadItems.size()); }
    // The canvas picture: the page's backdrop, or the picture loaded to test the page on. While it
    // shows it counts among the project's decoded pictures in use.
    const QImage& Backdrop() const { return FBackdrop; }
    // A picture of the project's cache, or none.
    void SetBackdrop(TPicture picture);
    // A picture made elsewhere; false (and nothing changes) when it would take the project's
    // pictures beyond their total.
    bool SetBackdrop(const QImage& picture);
    // The skin's canvas size.
    QSize CanvasSize() const { return FCanvasSize; }
    void SetCanvasSize(int width, int height);

    // --- the project ---
    TSkinProject& Project() const { return *FProject; }
    const QString& ProjectFolder() const;
    TSkinInfo& SkinInfo();
    // The page files of the open project.
    const QStringList& PageList() const { return FPageList; }
    // Makes `project` the open project (for the controls too): the page is emptied, the references
    // are those of the project, the canvas takes the skin's size (within 1..4096). `listPages` fills
    // the page list. Everything or nothing: what raises leaves the open project and page as they
    // were. Returns what the user should hear, `"<path>": <reason>` a line: a "references.xml" not
    // read whole (what was read is used), a skin size the canvas does not take.
    QStringList OpenProject(std::shared_ptr<TSkinProject> project, bool listPages);

    // --- selection ---
    // Selects a control (none: clears the selection, announced every time).
    void SetSelection(TItemLayer* layer);
    void FreeRubberBand();
    // The index a control gets when it is brought to the front: directly under the frame.
    int TopControlIndex() const;
    // A control layer that enters the page: it takes mouse events; announced as added.
    void AttachControl(TItemLayer* layer);

    // --- reading and writing ---
    // Empties the page: controls, backdrop, unread items and clipboard; the page is unmodified.
    void ClearPage();
    // ClearPage, and the page settings back to their defaults.
    void NewPage();
    // Reads a page document into the page settings and new control layers (announced as a new page).
    void LoadWindowXML(TJvSimpleXML* doc);
    // NewPage, then LoadWindowXML, announced as one new page: whoever shows the page builds it once.
    void OpenPage(TJvSimpleXML* doc);
    // The page built from the page settings and the controls (the selection is cleared first).
    std::unique_ptr<TJvSimpleXML> BuildWindowXML();
    // Writes `doc` (else the page) to `target`, and with `withSkinInfo` has the project write
    // "index.xml". One line per file not written, `Cannot write "<path>": <reason>`; none:
    // everything was written and the page is saved (still modified while the skin description
    // has changes that were not written). A target that is (or links to) "index.xml",
    // "references.xml" or "font.xml" is refused before anything is written, as is a `doc` that is no
    // page (PageRootFault).
    QStringList WritePage(const QString& target, bool withSkinInfo, TJvSimpleXML* doc = nullptr);

    // --- commands ---
    // Inserts the control of an Elements menu number at `centre`; the image asks `askPicture` for a
    // picture file first (empty: nothing is inserted). A refused picture name raises.
    TItemLayer* Insert(int tag, QPoint centre, const std::function<QString(const QString& folder)>& askPicture);
    // Copy and Clone act on the selected control, the video window excepted.
    bool CanCopy() const;
    void Copy();
    void Paste();
    void Clone();
    void DeleteSelected();
    void ToggleLock();
    void ToggleHide();
    void BringToFront();
    void SendToBack();
    void OneToFront();
    void OneBack();
    // Moves the selected control (the arrow keys); the lock holds the frame only.
    void MoveSelectedBy(float dx, float dy);
    // A control moved in the stacking order to `index` (the element list's drag and drop); at its
    // own index nothing changes.
    void Restack(TItemLayer* layer, int index);
    // Shows or hides a control on the canvas only (its saved "visible" value stays).
    void ShowControl(TItemLayer* layer, bool on);
    // The page's backdrop picture by name from the project's "images"; an empty name blanks it.
    void ShowBackdrop(const std::string& name);

    // --- a control's values and place (the inspector, the Aspect and Move windows) ---
    // Each one that changes something marks the page modified, keeps the frame on the selected
    // control and announces the control with the property that changed; one that changes nothing
    // does none of it. True when something changed. Sizes stay within what a file gives back
    // (MinSavedSize to MaxSavedSize), places within MaxPlace.
    //
    // Sets the published property `path` of `object`: a control of the page ("Width"), one of its
    // parts by the control's path to it ("ImageFocus.FileName"), the page settings or the skin
    // description. A value outside an integer property's range is refused.
    bool SetProperty(TPublished& object, std::string_view path, const TPropValue& value);
    // The same for a property already looked up: `prop` belongs to `control` or one of its parts;
    // with no control, to the page settings or the skin description.
    bool SetProperty(TItemLayer* control, const TPropInfo& prop, const TPropValue& value);
    // Gives a control a new rectangle (left and top stay where a size is cut).
    bool SetBounds(TItemLayer* control, const TFloatRect& location);
    // Rescales every control from the canvas size to `width` by `height`; a size at or below
    // `minimum` keeps its value (the Aspect window). Nothing happens on a canvas without an area.
    bool Rescale(int width, int height, int minimum);
    // One value of a rescale: Factor x Value rounded (halves to even) into the 32-bit range; a
    // Value at or below a Minimum other than 0 stays.
    static void ScaleValue(double& value, int minimum, double factor);

signals:
    void ControlAdded(TItemLayer* layer);
    // The control is leaving the page; the pointer is for comparison only.
    void ControlRemoved(TItemLayer* layer);
    // `property` names the published property that changed; empty: its place or anything.
    void ControlChanged(TItemLayer* layer, const QString& property);
    void Restacked();
    void SelectionChanged(TItemLayer* layer);
    void ModifiedChanged(bool modified);
    void ClipboardChanged();
    // Everything of the page may be new (opened, emptied, read from the source text).
    void PageReplaced();
    // Another project (and skin description) is open.
    void ProjectReplaced();
    void BackdropChanged();
    // The page settings' video-window values followed the video window on the canvas (it moved,
    // came or went); the page settings' other values change only through SetProperty or a new page.
    void WindowInfosChanged();
    void CanvasSizeChanged(int width, int height);
    void FileNameChanged(const QString& fileName);

private:
    class TObserver;
    void AddControlToPage(TItemLayer* layer);
    void RubberBandResizing(const TFloatRect& oldLocation, TFloatRect& newLocation, TRBDragState dragState,
                  Qt::KeyboardModifiers keys, Qt::MouseButtons buttons);
    // The page settings' video-window values become the rectangle of `video` (none: zeros).
    void CopyVideoWindow(TItemLayer* video);
    void SetVideoWindow(const TFloatRect& location);
    // The control takes `location` within what a file gives back; true when its place changed.
    bool Reshape(TItemLayer& control, const TFloatRect& location);
    void ReadPage(TJvSimpleXML* doc);

    TLayerCollection FLayers;
    std::unique_ptr<TObserver> FObserver;
    // While a whole page is read or emptied, single changes are not announced.
    int FBatch = 0;
    // While a page is opened, emptying it is not announced apart.
    int FOpening = 0;
    TItemLayer* FSelected = nullptr;
    TRubberbandLayer* FRubberBand = nullptr;
    // The video window whose rectangle the page settings hold; for comparison when it goes.
    const TCustomLayer* FVideoLayer = nullptr;
    std::unique_ptr<TJvSimpleXMLElem> FCopyElem;
    std::string FVersion;
    bool FModified = false;
    QString FFileName;
    QString FPageFile;
    bool FPageFileSaved = false;
    TWindowInfos FWindowInfos;
    std::vector<std::unique_ptr<TJvSimpleXMLElem>> FUnreadItems;
    QImage FBackdrop;
    TPicture FBackdropPicture;  // shares FBackdrop's pixels and keeps them counted
    QSize FCanvasSize{720, 576};
    std::shared_ptr<TSkinProject> FProject;
    QStringList FPageList;
};
