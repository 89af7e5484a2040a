// Projects: New Project, Open Project, the recent-project list and the Pages menu.
#include "editor/MainForm.h"

#include "editor/EditorDialogs.h"
#include "editor/SkinText.h"
#include "editor/TranslatableStrings.h"
#include "document/NewProject.h"
#include "document/ProjectFolder.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

void TMainForm::mnNewProjectClick()
{
    if (!FNewSkinDialog)
        return;
    if (!ConfirmDiscard(TranslatableString(4)))
        return;
    if (!FNewSkinDialog->Execute(FNewSkin)) {
        SyncAspectRatio();
        return;
    }
    const QString folder = WithTrailingSlash(FNewSkin.Path) + FNewSkin.Name;
    // On the file system skins come from, that name in another case names the same folder.
    if (IsRefusedSkinName(FNewSkin.Name) || FNewSkin.Name.isEmpty() || FileExistsNoCase(FNewSkin.Path, FNewSkin.Name)) {
        ShowErrorBox(TranslatableString(18) + QStringLiteral("\r\n") + TranslatableString(19),
                     TranslatableString(17));
        SyncAspectRatio();
        return;
    }

    TSkinInfo info;
    info.Author = ToSkinText(FNewSkin.Author);
    info.Copyright = ToSkinText(FNewSkin.Copyright);
    info.SizeX = FNewSkin.Width;
    info.SizeY = FNewSkin.Height;
    info.Skinname = ToSkinText(FNewSkin.Name);
    info.Version = "1.0";
    // The files are written before anything of the open page is dropped: a failure leaves it as it was.
    WriteNewProjectFiles(WithTrailingSlash(folder), info);

    UseProject(folder, info, false);
}

void TMainForm::mnOpenProjectClick()
{
    const QString start = ProjectFolder().isEmpty() ? QDir::currentPath() : ProjectFolder();
    const QString folder = BrowseForFolder(TranslatableString(16), start);
    if (folder.isEmpty())
        return;
    // A refused folder leaves the open page as it was, so the prompt comes after the test.
    TSkinInfo probe;
    if (!IsValidProject(WithTrailingSlash(folder), probe)) {
        OpenProject(WithTrailingSlash(folder));
        return;
    }
    if (!ConfirmDiscard(TranslatableString(4)))
        return;
    OpenProject(WithTrailingSlash(folder));
}

bool TMainForm::OpenProject(const QString& folder)
{
    TSkinInfo probe;
    if (!IsValidProject(folder, probe)) {
        ShowErrorBox(TranslatableString(21), TranslatableString(17));
        SyncAspectRatio();
        return false;
    }
    UseProject(folder, probe, true);
    return true;
}

void TMainForm::BuildRecentMenu()
{
    QMenu* menu = Menu("mnLastprojects");
    menu->clear();
    for (int i = 1; i < FLastProjects.size(); ++i) {
        QAction* item = menu->addAction(QString(FLastProjects[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(i);
        connect(item, &QAction::triggered, this, [this, i] { RunGuarded([this, i] { RecentProjectClick(i); }); });
    }
    menu->setEnabled(FLastProjects.size() > 1);
}

void TMainForm::RecentProjectClick(int index)
{
    if (index < 1 || index >= FLastProjects.size())
        return;
    const QString folder = FLastProjects[index];
    TSkinInfo probe;
    if (IsValidProject(folder, probe) && !ConfirmDiscard(TranslatableString(4)))
        return;
    OpenProject(folder);
}

void TMainForm::BuildPagesMenu()
{
    QMenu* menu = Menu("mnPages");
    menu->clear();
    // Pages are offered in columns of 26: every 26th entry starts a new submenu.
    QMenu* column = menu;
    const QStringList& pages = PageList();
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0 && i % 26 == 0) {
            column = menu->addMenu(QStringLiteral("..."));
            column->setObjectName(QStringLiteral("mnPagesColumn%1").arg(i / 26));
        }
        QAction* item = column->addAction(QFileInfo(pages[i]).completeBaseName().replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(i);
        connect(item, &QAction::triggered, this, [this, i] { RunGuarded([this, i] { PageMenuClick(i); }); });
    }
    // Shown empty, the pop-up can stop dropping down for the rest of the run (seen under X11).
    menu->menuAction()->setEnabled(!pages.isEmpty());
}

void TMainForm::PageMenuClick(int index)
{
    if (index < 0 || index >= PageList().size())
        return;
    if (!ConfirmDiscard(TranslatableString(4)))
        return;
    OpenPageFile(PageList()[index]);
}

void TMainForm::SyncAspectRatio()
{
    // The canvas size reaches whoever shows it, also when it stayed the same.
    FDocument->SetCanvasSize(CanvasWidth(), CanvasHeight());
}

void TMainForm::UseProject(const QString& folder, const TSkinInfo& info, bool listPages)
{
    auto project = std::make_shared<TSkinProject>(folder);
    project->SkinInfo() = info;
    const QStringList notes = FDocument->OpenProject(std::move(project), listPages);
    // The source view shows the new project's empty page, not the text of the previous one.
    if (SourceViewActive())
        FSourceView->ShowDocument(*BuildWindowXML());
    FDocument->SetFileName(TranslatableString(3) + QStringLiteral(".xml"));
    AddRecentProject(FLastProjects, ProjectFolder());
    BuildRecentMenu();
    BuildPagesMenu();
    SyncAspectRatio();
    UpdateActions();
    // The project opens with what was read; one message says what was not taken as it stands.
    if (!notes.isEmpty())
        ReportError(notes.join(QLatin1Char('\n')));
}
