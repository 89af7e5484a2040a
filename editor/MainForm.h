// The main window: menus, toolbar, status bar, the canvas with the open page, and the page and
// project commands. One instance for the whole run (`MainForm`).
#pragma once

#include "canvas/Layers.h"
#include "document/PageDocument.h"
#include "document/ResizeRules.h"
#include "editor/NewSkinRequest.h"
#include "editor/source/SourceViewInterface.h"
#include "editor/translate/UTranslate.h"
#include "skinmodel/ControlFactory.h"

#include <QMainWindow>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;
class QScrollArea;
class QToolButton;

class TEditorSettings;
class TImgView32;
class TItemLayer;
class TJvSimpleXML;
class TJvSimpleXMLElem;
class TRubberbandLayer;
class TSkinInfo;
class TSkinProject;
struct TPlayerLists;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    // `settingsFile` empty: the settings file is chosen through the user-mode rules.
    explicit TMainForm(const QString& settingsFile = QString(), QWidget* parent = nullptr);
    ~TMainForm() override;

    // The dialogs New Project and the start-up sequence use (the caller keeps them alive).
    void SetNewSkinDialog(INewSkinDialog* dialog) { FNewSkinDialog = dialog ? dialog : FOwnNewSkinDialog.get(); }
    void SetStartupDialog(IStartupDialog* dialog) { FStartupDialog = dialog; }
    void SetSourceView(ISourceView* view) { FSourceView = view; }
    // The XML source view the toolbar's "Edit Source" switches to, or none.
    class TSourceView* SourceView() const { return FOwnSourceView; }
    // The Move dialog that answers "Move objects" (the caller keeps it alive).
    void SetMoveDialog(class TSelectionForm* dialog);

    // --- the open page and project (the document holds them; these read it) ---
    TPageDocument& Document() const { return *FDocument; }
    TItemLayer* Selected() const { return FDocument->Selected(); }
    const QString& ProjectFolder() const { return FDocument->ProjectFolder(); }
    const QString& FileName() const { return FDocument->FileName(); }
    bool Modified() const { return FDocument->Modified(); }
    void SetModified(bool on) { FDocument->SetModified(on); }
    TSkinInfo& SkinInfo() { return FDocument->SkinInfo(); }
    TWindowInfos& WindowInfos() { return FDocument->WindowInfos(); }
    const QStringList& LastProjects() const { return FLastProjects; }
    const QStringList& PageList() const { return FDocument->PageList(); }
    TEditorSettings& Settings() { return *FSettings; }
    TImgView32* ImgView() const { return FImgView; }
    TLayerCollection& Layers() const { return FDocument->Layers(); }
    TRubberbandLayer* RubberBand() const { return FDocument->RubberBand(); }
    int CanvasWidth() const;
    int CanvasHeight() const;
    QLabel* StatusPanel(int index) const;
    QDockWidget* ToolWindow(const char* name) const;
    QAction* Action(const char* name) const;
    QMenu* Menu(const char* name) const;
    bool MouseInView() const { return FMouseInView; }
    void SetMouseInView(bool on) { FMouseInView = on; }
    int UnreadItemCount() const { return FDocument->UnreadItemCount(); }

    // --- start-up, caption, shutdown ---
    void UpdateCaption();
    // Runs what the first activation runs, once: at the first activation or the first show,
    // whichever comes first (the tests may call it directly).
    void FirstActivate();

    // --- projects ---
    void mnNewProjectClick();
    void mnOpenProjectClick();
    // False when the folder is refused (the open project and page stay as they were).
    bool OpenProject(const QString& folder);
    void BuildRecentMenu();
    void RecentProjectClick(int index);
    void BuildPagesMenu();
    void PageMenuClick(int index);
    void SyncAspectRatio();

    // --- pages ---
    void ClearPage();
    void LoadPage();
    // Makes `fileName` the page and loads it; a page that cannot be read keeps the old name too.
    void OpenPageFile(const QString& fileName);
    // The page built from the page settings and the canvas layers.
    std::unique_ptr<TJvSimpleXML> BuildWindowXML();
    // True when both files were written; a failure is reported and the page stays modified.
    bool SavePage();
    // Writes the page to `target` and the open project's "index.xml"; false after a reported failure.
    bool WritePage(const QString& target);
    // WritePage, and `target` becomes the page's file (a copy: it may be the page's file before).
    bool SaveInto(QString target);
    // Asks before `target`, another existing file, is replaced: Yes saves into it, No chooses another
    // name ("Save Page as..."), Cancel saves nothing.
    bool ReplaceOrSaveAs(const QString& target);
    void mnNew1Click();
    void mnOpen1Click();
    bool mnSave2Click();
    bool mnSaveAsClick();
    // Before the page is emptied or the window closes: text typed into the inspector is stored, then a
    // modified page gets the save prompt with the given caption. False when the user cancels (or the
    // save failed).
    bool ConfirmDiscard(const QString& caption);

    // --- canvas ---
    void SetSelection(TItemLayer* layer) { FDocument->SetSelection(layer); }
    void LayerMouseDown(TCustomLayer* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, float x, float y);
    void ImgViewMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer);
    void ImgViewMouseMove(Qt::KeyboardModifiers shift, int x, int y, TCustomLayer* layer);
    // The key-up handler; true when the key was used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers shift);
    void mnBackgroundClick();
    void LoadBackground(const QString& fileName);
    void btEditWindowClick();
    // A control layer that enters the page: mouse events on, selected by a click.
    void AttachControl(TItemLayer* layer) { FDocument->AttachControl(layer); }
    // Deletes the selected control (Delete and the Del key).
    void DeleteSelected();

    // --- editing commands ---
    // The internal clipboard: one "Control" element in the page writer's form, or none.
    const TJvSimpleXMLElem* CopyElem() const { return FDocument->CopyElem(); }
    // Inserts the control of an Elements menu number.
    void Main1Click(int tag);
    void mnCopy1Click();
    void mnPaste1Click();
    void mnClone1Click();
    void mnLock1Click();
    void mnHide1Click();
    void mnBringFront1Click();
    void mnToBackClick();
    void mnLevelUpClick();
    void mnReorder();
    void mnMoveClick();
    // Opening the Selection menu.
    void mnSelectionClick();

    // Applies the language file to this window, the 22 texts and the element captions.
    void ApplyLanguageFile(const QString& languageFile);
    // The Language menu: one entry per language file; the chosen one switches the language.
    void BuildLanguageMenu();
    void LanguageMenuClick(QAction* item);

signals:
    // An entry of the Elements menu was chosen; the tag is the entry's menu number (insert command).
    void InsertRequested(int tag);
    // "Move objects": the Move dialog shows itself modally; afterwards the page counts as changed.
    void MoveObjectsRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const QString& settingsFile);
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FormDestroy();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateCanvas();
    void CreateToolWindows();
    void BuildElementsMenu();
    bool SourceViewActive() const { return FSourceView && FSourceView->Active(); }
    void UpdateActions();
    void ConnectCommands();
    void UpdateCommandActions();
    // The centre of the visible part of the canvas, in canvas pixels.
    QPoint ViewCentre() const;
    // The window follows the document.
    void FollowDocument();
    void ShowSelectionStatus(TItemLayer* layer);
    void mnFileClick();
    void mnInfoClick();
    void ShowCanvasBitmap(const QImage& picture);
    void SetCanvasSize(int width, int height);
    // Makes `folder` with `info` the open project, for the controls too, with an untitled page;
    // reports a "references.xml" that could not be read whole.
    void UseProject(const QString& folder, const TSkinInfo& info, bool listPages);
    void RestoreDockingLayout();
    void SaveDockingLayout();
    // The tool windows as they stand outside the source view: kept on entering it, saved in its
    // place while it is active, their sizes given back on leaving it.
    void KeepOutsideDocks();
    void RestoreOutsideDockSizes();
    // The inspector, the element list and the fonts window: the source view closes them.
    static bool SourceHidesDock(const QDockWidget* dock);
    // Runs a command; any failure reaches the user as an error box, never leaves the slot.
    void RunGuarded(const std::function<void()>& command);

    // The open page and project.
    std::unique_ptr<TPageDocument> FDocument;
    bool FClosing = false;
    bool FMouseInView = false;
    QStringList FLastProjects;
    QMetaObject::Connection FFocusConnection;

    std::unique_ptr<TEditorSettings> FSettings;
    ISourceView* FSourceView = nullptr;
    class TSourceView* FOwnSourceView = nullptr;
    std::unique_ptr<ISourceViewHost> FSourceHost;
    // Entering or leaving the source text: the canvas commands, the page's tool windows and the
    // editing shortcuts go off or come back.
    void SourceModeChanged(bool source);
    INewSkinDialog* FNewSkinDialog = nullptr;
    IStartupDialog* FStartupDialog = nullptr;
    std::unique_ptr<INewSkinDialog> FOwnNewSkinDialog;
    TNewSkinRequest FNewSkin;

    QScrollArea* FScrollBox = nullptr;
    TImgView32* FImgView = nullptr;
    std::vector<QLabel*> FStatusPanels;
    std::vector<QDockWidget*> FToolWindows;
    struct TOutsideDock {
        QDockWidget* Dock;
        bool Visible;
        bool Docked;
        QSize Size;
        bool HiddenBySource;
    };
    struct TOutsideDocks {
        QByteArray State;
        std::vector<TOutsideDock> Docks;
    };
    // Set while the source view is active.
    std::optional<TOutsideDocks> FOutsideDocks;
    bool FShown = false;
    bool FActivated = false;
    // Shown, and not yet on screen: the first activation's work waits for the window's place.
    bool FAwaitingExposure = false;
    bool FClosed = false;
};

// The one main window of the run (none before it is created and after it is destroyed).
extern TMainForm* MainForm;
class TfrmTools;
class TfrmObjects;
class TfrmFonts;
class TfrmDoubles;
class TfrmAspectRatio;
// The tool windows in the main window's docks, or none.
TfrmTools* Inspector(const TMainForm& mainForm);
// Text typed into the inspector and not yet confirmed is stored (the page is then modified), so
// that the question before the page is emptied or the window closes sees it.
void StoreInspectorText(const TMainForm& mainForm);
// Save Page is offered: the page is modified, or the inspector holds typed text that differs from
// the stored value.
bool SaveEnabled(const TMainForm& mainForm);
TfrmObjects* ElementList(const TMainForm& mainForm);
TfrmFonts* FontsWindow(const TMainForm& mainForm);
TfrmDoubles* DoublesWindow(const TMainForm& mainForm);
TfrmAspectRatio* AspectWindow(const TMainForm& mainForm);
class TSourceView;
TSourceView* SourceView(const TMainForm& mainForm);
// The player's actions, windows and script functions from "data.ini".
TPlayerLists& PlayerLists();
