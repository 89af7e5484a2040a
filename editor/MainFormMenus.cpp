// The main window's menus, actions, toolbar, status bar and tool windows.
#include "editor/MainForm.h"

#include "canvas/view/ImgView32.h"
#include "editor/TranslatableStrings.h"
#include "editor/fonts/FontsWindow.h"
#include "editor/source/SourceView.h"
#include "editor/tools/Aspect.h"
#include "editor/tools/Doubles.h"
#include "editor/tools/ElementList.h"
#include "editor/tools/Inspector.h"
#include "editor/settings/PlayerLists.h"
#include "skinmodel/UGlobal.h"

#include <QAction>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction* AddAction(QWidget* owner, QMenu* menu, const char* name, const QString& caption,
                   const QKeySequence& shortcut = QKeySequence())
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QLatin1String(name));
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    if (menu)
        menu->addAction(action);
    return action;
}

QMenu* AddMenu(QWidget* owner, QMenuBar* bar, const char* name, const QString& caption)
{
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(QLatin1String(name));
    bar->addMenu(menu);
    return menu;
}

} // namespace

void TMainForm::CreateMenus()
{
    QMenuBar* bar = menuBar();

    QMenu* file = AddMenu(this, bar, "mnFile", QStringLiteral("File"));
    connect(file, &QMenu::aboutToShow, this, [this] { RunGuarded([this] { mnFileClick(); }); });
    connect(AddAction(this, file, "mnNewProject", QStringLiteral("New Project"), QKeySequence(QStringLiteral("Ctrl+N"))),
            &QAction::triggered, this, [this] { RunGuarded([this] { mnNewProjectClick(); }); });
    connect(AddAction(this, file, "mnOpenProject", QStringLiteral("Open Project"), QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, [this] { RunGuarded([this] { mnOpenProjectClick(); }); });
    auto* last = new QMenu(QStringLiteral("Last projects"), this);
    last->setObjectName(QStringLiteral("mnLastprojects"));
    file->addMenu(last);
    file->addSeparator();
    connect(AddAction(this, file, "mnNew", QStringLiteral("New Page")), &QAction::triggered, this,
            [this] { RunGuarded([this] { mnNew1Click(); }); });
    connect(AddAction(this, file, "mnOpen", QStringLiteral("Open Page")), &QAction::triggered, this,
            [this] { RunGuarded([this] { mnOpen1Click(); }); });
    connect(AddAction(this, file, "mnSave", QStringLiteral("Save Page"), QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, [this] { RunGuarded([this] { mnSave2Click(); }); });
    connect(AddAction(this, file, "mnSaveAs", QStringLiteral("Save Page as...")), &QAction::triggered, this,
            [this] { RunGuarded([this] { mnSaveAsClick(); }); });
    file->addSeparator();
    connect(AddAction(this, file, "mnBackground", QStringLiteral("Background..."), QKeySequence(QStringLiteral("Ctrl+I"))),
            &QAction::triggered, this, [this] { RunGuarded([this] { mnBackgroundClick(); }); });
    file->addSeparator();
    connect(AddAction(this, file, "mnExit", QStringLiteral("Exit")), &QAction::triggered, this, [this] { close(); });

    QMenu* edit = AddMenu(this, bar, "mnEdit", QStringLiteral("&Edit"));
    QAction* cut = AddAction(this, edit, "mnuCut", QStringLiteral("Cut"), QKeySequence(QStringLiteral("Ctrl+X")));
    cut->setVisible(false);
    AddAction(this, edit, "mnCopy", QStringLiteral("Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
    AddAction(this, edit, "mnPaste", QStringLiteral("Paste"), QKeySequence(QStringLiteral("Ctrl+V")));
    AddAction(this, edit, "mnClone", QStringLiteral("Clone"), QKeySequence(QStringLiteral("Ctrl+D")));
    connect(AddAction(this, edit, "mnDelete", QStringLiteral("Delete")), &QAction::triggered, this,
            [this] { RunGuarded([this] { DeleteSelected(); }); });

    // No pages before a project is open: the title stays off until there are some.
    AddMenu(this, bar, "mnPages", QStringLiteral("Pages"))->menuAction()->setEnabled(false);
    AddMenu(this, bar, "mnElements", QStringLiteral("E&lements"));

    QMenu* selection = AddMenu(this, bar, "mnSelection", QStringLiteral("Sele&ction"));
    AddAction(this, selection, "mnBringFront", QStringLiteral("To front"), QKeySequence(Qt::Key_F5));
    AddAction(this, selection, "mnSendBack", QStringLiteral("To back"), QKeySequence(Qt::Key_F6));
    AddAction(this, selection, "mnLevelUp", QStringLiteral("One to front"), QKeySequence(Qt::Key_F7));
    AddAction(this, selection, "mnLevelDown", QStringLiteral("One back"), QKeySequence(Qt::Key_F8));
    AddAction(this, selection, "mnLock", QStringLiteral("Lock object"), QKeySequence(Qt::Key_F9))->setCheckable(true);
    AddAction(this, selection, "mnHide", QStringLiteral("Hide object"), QKeySequence(Qt::Key_F11))->setCheckable(true);
    AddAction(this, selection, "mnMove", QStringLiteral("Move objects"), QKeySequence(Qt::Key_F10));
    QAction* aspect = AddAction(this, selection, "mnuAspectRatio", QStringLiteral("Aspect Ratio"));

    QMenu* view = AddMenu(this, bar, "mnView", QStringLiteral("View"));
    const std::pair<const char*, const char*> toolActions[] = {
        {"Properties1", "frmTools"}, {"Objects1", "frmObjects"}, {"Fonts1", "frmFonts"}, {"mnuDoubles", "frmDoubles"}};
    const QString captions[] = {QStringLiteral("Properties"), QStringLiteral("Objects"), QStringLiteral("Fonts"),
                                QStringLiteral("Doubles")};
    for (int i = 0; i < 4; ++i) {
        QAction* action = AddAction(this, view, toolActions[i].first, captions[i]);
        action->setCheckable(true);
        const char* window = toolActions[i].second;
        connect(action, &QAction::triggered, this, [this, window] {
            if (QDockWidget* dock = ToolWindow(window))
                dock->setVisible(!dock->isVisible());
        });
    }
    view->addAction(aspect);
    connect(aspect, &QAction::triggered, this, [this] {
        if (QDockWidget* dock = ToolWindow("frmAspectRatio"))
            dock->setVisible(!dock->isVisible());
    });

    QMenu* help = AddMenu(this, bar, "mnHelp", QStringLiteral("&Help"));
    auto* language = new QMenu(QStringLiteral("Language"), this);
    language->setObjectName(QStringLiteral("mnLanguage"));
    help->addMenu(language);
    connect(AddAction(this, help, "mnInfo", QStringLiteral("Info")), &QAction::triggered, this,
            [this] { RunGuarded([this] { mnInfoClick(); }); });

    // The canvas popup: its commands come with the editing commands.
    auto* popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu3"));
    popup->addAction(Action("mnCopy"));
    popup->addAction(Action("mnPaste"));
    popup->addSeparator();
    popup->addAction(Action("mnClone"));
    popup->addSeparator();
    popup->addAction(Action("mnDelete"));
    popup->addSeparator();
    popup->addAction(Action("mnLock"));
    popup->addAction(Action("mnHide"));
    popup->addSeparator();
    AddAction(this, popup, "mnToBack", QStringLiteral("To back"));
    AddAction(this, popup, "mnToFront", QStringLiteral("To front"));
}

void TMainForm::BuildElementsMenu()
{
    QMenu* menu = Menu("mnElements");
    menu->clear();
    for (std::size_t i = 0; i < ElementMenuItems.size(); ++i) {
        const TMenuRecord& entry = ElementMenuItems[i];
        // The captions may have been translated from the language file.
        const QString caption = ElementMenuCaption(static_cast<int>(i));
        if (caption == QLatin1String("-")) {
            menu->addSeparator();
            continue;
        }
        QAction* item = menu->addAction(caption);
        item->setData(entry.MenuNumber);
        const int tag = entry.MenuNumber;
        connect(item, &QAction::triggered, this, [this, tag] { RunGuarded([this, tag] { emit InsertRequested(tag); }); });
    }
}

void TMainForm::CreateToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("ToolBar1"));
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setMovable(false);
    bar->addAction(Action("mnNew"));
    bar->addAction(Action("mnOpen"));
    bar->addAction(Action("mnSave"));
    bar->addSeparator();

    auto* objects = new QToolButton(bar);
    objects->setObjectName(QStringLiteral("btnObjects"));
    objects->setText(QStringLiteral("E&lements"));
    objects->setMenu(Menu("mnElements"));
    objects->setPopupMode(QToolButton::InstantPopup);
    bar->addWidget(objects);

    auto* source = new QToolButton(bar);
    source->setObjectName(QStringLiteral("btEditSource"));
    source->setText(QStringLiteral("Edit Source"));
    source->setCheckable(true);
    bar->addWidget(source);
    // The source view hands its mode changes to this window through a small host.
    class THost : public ISourceViewHost {
    public:
        explicit THost(TMainForm& form) : FForm(form) {}
        void SourceModeChanged(bool source) override { FForm.SourceModeChanged(source); }
        void StoreTypedText() override { StoreInspectorText(FForm); }

    private:
        TMainForm& FForm;
    };
    FSourceHost = std::make_unique<THost>(*this);
    auto* sourceView = new TSourceView(*FDocument, FScrollBox, source, *FSourceHost, this);
    FOwnSourceView = sourceView;
    SetSourceView(sourceView);
    connect(source, &QToolButton::clicked, this,
            [this, sourceView] { RunGuarded([sourceView] { sourceView->btEditSourceClick(); }); });

    auto* window = new QToolButton(bar);
    window->setObjectName(QStringLiteral("btEditWindow"));
    window->setText(QStringLiteral("Window Settings"));
    connect(window, &QToolButton::clicked, this, [this] { RunGuarded([this] { btEditWindowClick(); }); });
    bar->addWidget(window);
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    const int widths[4] = {600, 40, 40, 300};
    for (int i = 0; i < 4; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(widths[i]);
        bar->addWidget(panel, i == 0 ? 1 : 0);
        FStatusPanels.push_back(panel);
    }
}

void TMainForm::CreateToolWindows()
{
    if (!FToolWindows.empty())
        return;
    const std::pair<const char*, const char*> windows[] = {{"frmTools", "tools"},
                                                           {"frmObjects", "Objects"},
                                                           {"frmFonts", "Edit Fonts"},
                                                           {"frmDoubles", "Doubles"},
                                                           {"frmAspectRatio", "Aspect"}};
    for (const auto& [name, caption] : windows) {
        auto* dock = new QDockWidget(QLatin1String(caption), this);
        dock->setObjectName(QLatin1String(name));
        dock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
        // The window's own contents are installed by its module.
        auto* contents = new QWidget(dock);
        contents->setObjectName(QLatin1String(name) + QStringLiteral("Contents"));
        contents->setMinimumWidth(180);
        dock->setWidget(contents);
        addDockWidget(Qt::RightDockWidgetArea, dock);
        dock->hide();
        connect(dock, &QDockWidget::visibilityChanged, this, [this] { UpdateActions(); });
        FToolWindows.push_back(dock);
    }
    TPageDocument& doc = *FDocument;
    if (QDockWidget* objects = ToolWindow("frmObjects")) {
        delete objects->widget();
        auto* list = new TfrmObjects(doc);
        list->SetPopupMenu(Menu("PopupMenu3"));
        objects->setWidget(list);
    }
    if (QDockWidget* fonts = ToolWindow("frmFonts")) {
        delete fonts->widget();
        fonts->setWidget(new TfrmFonts(doc));
    }
    if (QDockWidget* tools = ToolWindow("frmTools")) {
        delete tools->widget();
        auto* inspector = new TfrmTools(doc, PlayerLists());
        // Save Page follows the typing, not only the stored values.
        connect(inspector, &TfrmTools::TypedTextChanged, this, [this] { UpdateActions(); });
        tools->setWidget(inspector);
    }
    if (QDockWidget* doubles = ToolWindow("frmDoubles")) {
        delete doubles->widget();
        doubles->setWidget(new TfrmDoubles(doc));
    }
    if (QDockWidget* aspect = ToolWindow("frmAspectRatio")) {
        delete aspect->widget();
        aspect->setWidget(new TfrmAspectRatio(doc));
    }
    // Each window translates its contents itself; the dock shows the caption they got.
    for (QDockWidget* dock : FToolWindows)
        if (!dock->widget()->windowTitle().isEmpty())
            dock->setWindowTitle(dock->widget()->windowTitle());
    UpdateActions();
}

void TMainForm::UpdateActions()
{
    const bool project = !ProjectFolder().isEmpty();
    Action("mnNew")->setEnabled(project);
    Action("mnOpen")->setEnabled(project);
    Action("mnSave")->setEnabled(SaveEnabled(*this));
    UpdateCommandActions();
    const std::pair<const char*, const char*> toolActions[] = {
        {"Properties1", "frmTools"}, {"Objects1", "frmObjects"}, {"Fonts1", "frmFonts"}, {"mnuDoubles", "frmDoubles"}};
    for (const auto& [action, window] : toolActions) {
        QDockWidget* dock = ToolWindow(window);
        Action(action)->setChecked(dock && dock->isVisible());
    }
}

namespace {

template <class T>
T* DockedWindow(const TMainForm& mainForm, const char* name)
{
    QDockWidget* dock = mainForm.ToolWindow(name);
    return dock ? qobject_cast<T*>(dock->widget()) : nullptr;
}

} // namespace

TfrmTools* Inspector(const TMainForm& mainForm)
{
    return DockedWindow<TfrmTools>(mainForm, "frmTools");
}

void StoreInspectorText(const TMainForm& mainForm)
{
    if (TfrmTools* tools = Inspector(mainForm); tools && tools->isEnabled())
        tools->StoreTypedText();
}

bool SaveEnabled(const TMainForm& mainForm)
{
    // Save Page stores the inspector's typed text first, so that text is a change to save.
    const TfrmTools* tools = Inspector(mainForm);
    return mainForm.Modified() || (tools && tools->isEnabled() && tools->HasTypedText());
}

TfrmObjects* ElementList(const TMainForm& mainForm)
{
    return DockedWindow<TfrmObjects>(mainForm, "frmObjects");
}

TfrmFonts* FontsWindow(const TMainForm& mainForm)
{
    return DockedWindow<TfrmFonts>(mainForm, "frmFonts");
}

TfrmDoubles* DoublesWindow(const TMainForm& mainForm)
{
    return DockedWindow<TfrmDoubles>(mainForm, "frmDoubles");
}

TfrmAspectRatio* AspectWindow(const TMainForm& mainForm)
{
    return DockedWindow<TfrmAspectRatio>(mainForm, "frmAspectRatio");
}

TSourceView* SourceView(const TMainForm& mainForm)
{
    return mainForm.SourceView();
}

void TMainForm::SourceModeChanged(bool source)
{
    if (source) {
        KeepOutsideDocks();
        for (QDockWidget* dock : FToolWindows)
            if (SourceHidesDock(dock))
                dock->hide();
    } else {
        for (const char* window : {"frmTools", "frmObjects"})
            if (QDockWidget* dock = ToolWindow(window))
                dock->show();
        RestoreOutsideDockSizes();
    }
    for (const char* name : {"mnElements", "mnSelection"})
        if (QMenu* menu = Menu(name)) {
            menu->setEnabled(!source);
            menu->menuAction()->setEnabled(!source);
        }
    for (const char* name : {"btEditWindow", "btnObjects"})
        if (auto* button = findChild<QToolButton*>(QLatin1String(name)))
            button->setEnabled(!source);
    // Reopened through the View menu, the inspector would edit page settings that leaving the text
    // then overrides.
    if (QDockWidget* tools = ToolWindow("frmTools"); tools && tools->widget())
        tools->widget()->setEnabled(!source);
    const std::pair<const char*, const char*> shortcuts[] = {
        {"mnuCut", "Ctrl+X"}, {"mnCopy", "Ctrl+C"}, {"mnPaste", "Ctrl+V"}};
    for (const auto& [name, keys] : shortcuts)
        if (QAction* action = Action(name))
            action->setShortcut(source ? QKeySequence() : QKeySequence(QLatin1String(keys)));
    if (!source)
        FImgView->update();
}
