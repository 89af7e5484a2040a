#include "editor/MainForm.h"

#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/FileVersion.h"
#include "editor/TranslatableStrings.h"
#include "editor/source/SourceView.h"
#include "editor/project/DefaultNewSkinDialog.h"
#include "document/ProjectFolder.h"
#include "platform/ui/ErrorReport.h"
#include "editor/settings/ConfigDir.h"
#include "editor/settings/EditorSettings.h"
#include "editor/settings/PlayerLists.h"
#include "editor/translate/UTranslate.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

TMainForm* MainForm = nullptr;

TPlayerLists& PlayerLists()
{
    static TPlayerLists lists;
    return lists;
}

TMainForm::TMainForm(const QString& settingsFile, QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    MainForm = this;
    FormCreate(settingsFile);
}

TMainForm::~TMainForm()
{
    FormDestroy();
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::FormCreate(const QString& settingsFile)
{
    FSettings = std::make_unique<TEditorSettings>();
    RunGuarded([&] {
        FSettings->Load(settingsFile.isEmpty()
                            ? TEditorSettings::FilePath(ConfigDir(), QCoreApplication::applicationFilePath())
                            : settingsFile);
    });

    FDocument = std::make_unique<TPageDocument>();
    CreateCanvas();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    ConnectCommands();

    FLastProjects = QStringList{TranslatableString(22)} + FSettings->LastProjects();
    BuildRecentMenu();

    // Without a project the controls read nothing from disk.
    FDocument->OpenProject(std::make_shared<TSkinProject>(), false);
    FollowDocument();
    FClosing = false;
    FOwnNewSkinDialog = std::make_unique<TDefaultNewSkinDialog>();
    FNewSkinDialog = FOwnNewSkinDialog.get();
    BuildLanguageMenu();
    RunGuarded([] { ReadDataIni(ConfigDir().ProgramFolder(), PlayerLists()); });

    resize(1024, 768);
    qApp->installEventFilter(this);
}

void TMainForm::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!FShown) {
        FShown = true;
        RunGuarded([this] { FormShow(); });
        // Without a window manager the window may never be activated: what the first activation
        // does comes with the first show as well, once the window is on screen. Not before: a
        // window manager places the window first, and the start-up dialog is centred on it.
        FAwaitingExposure = true;
    }
}

void TMainForm::FormShow()
{
    const QString language = FSettings->Language().toLower();
    // Found under any case of the name on disk ("German" finds german.lng or German.lng). Without a
    // program folder (never in the program itself) there is no language file to read or fill.
    LanguageFile.clear();
    if (!ConfigDir().ProgramFolder().isEmpty())
        LanguageFile = FindFileNoCase(ConfigDir().ProgramFolder(),
                                      QStringLiteral("Language/Quorvantel/") + language + QStringLiteral(".lng"));
    if (!LanguageFile.isEmpty() && QFileInfo(LanguageFile).isFile())
        ApplyLanguageFile(LanguageFile);
    BuildElementsMenu();
    FDocument->SetModified(false);
    FDocument->SetFileName(TranslatableString(3) + QStringLiteral(".xml"));
    FDocument->SkinInfo().Skinname = TranslatableString(3).toStdString();
    // The name a page without project starts with is nothing to be saved.
    FDocument->Project().SkinInfoSaved();
    UpdateCaption();
    UpdateActions();
}

void TMainForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !FActivated)
        QMetaObject::invokeMethod(this, [this] { FirstActivate(); }, Qt::QueuedConnection);
}

void TMainForm::FirstActivate()
{
    if (FActivated)
        return;
    FActivated = true;
    RunGuarded([this] {
        CreateToolWindows();
        TranslateForm(this, LanguageFile);
        // The caption names the skin and the page; a caption from the file would be stale.
        UpdateCaption();
        // The start-up dialog comes with its own module; without one the editor starts on the empty page.
        if (!FSettings->NoShowStartup() && FStartupDialog) {
            TStartupChoice choice;
            if (FStartupDialog->Execute(FLastProjects, choice)) {
                if (choice.Choice == TStartupChoice::NewProject)
                    mnNewProjectClick();
                else if (choice.Choice == TStartupChoice::OpenProject) {
                    if (choice.Line >= 1 && choice.Line < FLastProjects.size())
                        OpenProject(FLastProjects[choice.Line]);
                    else
                        mnOpenProjectClick();
                }
            }
        }
        if (!FSettings->HasDockingLayout()) {
            ToolWindow("frmTools")->show();
            ToolWindow("frmObjects")->show();
        }
        RestoreDockingLayout();
    });
}

void TMainForm::UpdateCaption()
{
    setWindowTitle(QStringLiteral("Editor - ") + FromWin1252(FDocument->SkinInfo().Skinname) + QStringLiteral(" - ") + FileName());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    bool close = true;
    RunGuarded([&] { close = FormCloseQuery(); });
    if (!close) {
        event->ignore();
        return;
    }
    RunGuarded([this] { FormClose(); });
    event->accept();
}

bool TMainForm::FormCloseQuery()
{
    // A page that could not be saved keeps the window open, so nothing is lost.
    return ConfirmDiscard(TranslatableString(1));
}

void TMainForm::FormClose()
{
    FClosing = true;
    {
        // The windows that follow the selection are left as they were while the window closes.
        const QSignalBlocker quiet(FDocument.get());
        SetSelection(nullptr);
    }
    StatusPanel(3)->clear();
    SaveDockingLayout();
    FClosed = true;
}

void TMainForm::FormDestroy()
{
    qApp->removeEventFilter(this);
    disconnect(FFocusConnection);
    // QWidget's destructor hides the docks after this object's own part is gone.
    for (QDockWidget* dock : FToolWindows)
        disconnect(dock, nullptr, this, nullptr);
    RunGuarded([this] {
        FSettings->SetLastProjects(FLastProjects.mid(1));
        FSettings->Save();
    });
    // The windows that follow the page go while it is still there: the document is a member of
    // this window and goes before QWidget's destructor would free them.
    for (QDockWidget* dock : FToolWindows) {
        dock->hide();
        delete dock;
    }
    FToolWindows.clear();
    delete FOwnSourceView;
    FOwnSourceView = nullptr;
    FSourceView = nullptr;
    // Nothing the document announces reaches this window any more; the canvas lets go of its controls.
    disconnect(FDocument.get(), nullptr, this, nullptr);
    FImgView->Canvas().SetLayers(nullptr);
    {
        const QSignalBlocker quiet(FDocument.get());
        FDocument->FreeRubberBand();
    }
}

void TMainForm::FollowDocument()
{
    TPageDocument* doc = FDocument.get();
    FImgView->Canvas().SetLayers(&doc->Layers());
    connect(doc, &TPageDocument::SelectionChanged, this, [this](TItemLayer* layer) {
        UpdateActions();
        ShowSelectionStatus(layer);
    });
    connect(doc, &TPageDocument::ModifiedChanged, this, [this] { UpdateActions(); });
    connect(doc, &TPageDocument::ClipboardChanged, this, [this] { UpdateActions(); });
    connect(doc, &TPageDocument::ControlChanged, this, [this](TItemLayer* layer, const QString& property) {
        if (layer == Selected() && (property == QLatin1String("Locked") || property == QLatin1String("Shown")))
            UpdateActions();
        if (layer == Selected() && (property.isEmpty() || property == QLatin1String("Description")))
            ShowSelectionStatus(layer);
    });
    connect(doc, &TPageDocument::Restacked, this, [this] { UpdateActions(); });
    // The stacking commands and Move objects follow the controls on the page too.
    connect(doc, &TPageDocument::PageReplaced, this, [this] { UpdateActions(); });
    connect(doc, &TPageDocument::ControlRemoved, this, [this] { UpdateActions(); });
    connect(doc, &TPageDocument::BackdropChanged, this, [this] { ShowCanvasBitmap(FDocument->Backdrop()); });
    connect(doc, &TPageDocument::CanvasSizeChanged, this, [this](int width, int height) { SetCanvasSize(width, height); });
    connect(doc, &TPageDocument::FileNameChanged, this, [this] { UpdateCaption(); });
}

void TMainForm::ShowSelectionStatus(TItemLayer* layer)
{
    if (layer)
        StatusPanel(3)->setText(FromWin1252(layer->TypeName()) + QStringLiteral(" - ") + FromWin1252(layer->Description));
    else
        StatusPanel(3)->clear();
}

QLabel* TMainForm::StatusPanel(int index) const
{
    return index >= 0 && index < static_cast<int>(FStatusPanels.size()) ? FStatusPanels[index] : nullptr;
}

QDockWidget* TMainForm::ToolWindow(const char* name) const
{
    return findChild<QDockWidget*>(QLatin1String(name), Qt::FindDirectChildrenOnly);
}

QAction* TMainForm::Action(const char* name) const
{
    return findChild<QAction*>(QLatin1String(name));
}

QMenu* TMainForm::Menu(const char* name) const
{
    return findChild<QMenu*>(QLatin1String(name));
}

void TMainForm::mnFileClick()
{
    // The open menu takes the focus from the inspector, which stores what was typed: counted first.
    StoreInspectorText(*this);
    Action("mnSaveAs")->setEnabled(Modified());
    Menu("mnLastprojects")->setEnabled(FLastProjects.size() > 1);
}

void TMainForm::mnInfoClick()
{
    ShowInfoBox(QStringLiteral("Varnholt for Kestralon Pro 4.1.x+\r\n\r\nVersion: ")
                    + GetFileVersion(QCoreApplication::applicationFilePath()),
                QStringLiteral("About"));
}

void TMainForm::RunGuarded(const std::function<void()>& command)
{
    GuardedCall(command);
}
