// Projects: New Project, Open Project, the recent-project list and the Pages menu.
#include "editor/MainForm.h"

#include "editor/EditorDialogs.h"
#include "editor/SkinText.h"
#include "editor/TranslatableStrings.h"
#include "editor/project/NewProject.h"
#include "editor/project/ProjectFolder.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/SkinContext.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace {

// The project opens with what was read; the user hears why the references are not whole.
void ReportReferencesError(const std::optional<TOSDControlFactory::TReferencesError>& error)
{
    if (error)
        ReportError(QStringLiteral("\"%1\": %2").arg(error->Path, DecodeUtf8Or1252(error->Reason)));
}

} // namespace

void TMainForm::mnNewProjectClick()
{
    if (!FNewSkinDialog)
        return;
    if (FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    if (!FNewSkinDialog->Execute(FNewSkin)) {
        SyncAspectRatio();
        return;
    }
    const QString folder = WithTrailingSlash(FNewSkin.Path) + FNewSkin.Name;
    if (IsRefusedSkinName(FNewSkin.Name) || FNewSkin.Name.isEmpty() || QFileInfo::exists(folder)) {
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

    // The inspector holds the description object itself: it is filled in place, never replaced,
    // and before ClearPage, so that the emptied selection shows the new values.
    *FSkinInfo = info;
    ClearPage();
    emit ControlsChanged();
    FWindowInfos->Reset();
    OSDControlFactory().ClearReferences();
    // The source view shows the new project's empty page, not the text of the previous one.
    if (SourceViewActive())
        FSourceView->ShowDocument(*BuildWindowXML());
    SetCanvasSize(FNewSkin.Width, FNewSkin.Height);
    FProjectFolder = WithTrailingSlash(folder);
    SetCurrentProjectFolder(FProjectFolder);
    const auto referencesError =
        OSDControlFactory().LoadReferences(FindFileNoCase(FProjectFolder, QStringLiteral("references.xml")));

    FFileName = TranslatableString(3) + QStringLiteral(".xml");
    UpdateCaption();
    AddRecentProject(FLastProjects, FProjectFolder);
    BuildRecentMenu();
    FPageList.clear();
    FHasPageList = false;
    BuildPagesMenu();
    SyncAspectRatio();
    UpdateActions();
    // The new skin is the open project now: the windows that follow it (fonts) must not keep
    // the previous skin's state and write it into the new files.
    emit ProjectOpened(FProjectFolder);
    ReportReferencesError(referencesError);
}

void TMainForm::mnOpenProjectClick()
{
    const QString start = FProjectFolder.isEmpty() ? QDir::currentPath() : FProjectFolder;
    const QString folder = BrowseForFolder(TranslatableString(16), start);
    if (folder.isEmpty())
        return;
    // A refused folder leaves the open page as it was, so the prompt comes after the test.
    TSkinInfo probe;
    if (!IsValidProject(WithTrailingSlash(folder), probe)) {
        OpenProject(WithTrailingSlash(folder));
        return;
    }
    if (FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    if (OpenProject(WithTrailingSlash(folder))) {
        FFileName = TranslatableString(3) + QStringLiteral(".xml");
        UpdateCaption();
    }
}

bool TMainForm::OpenProject(const QString& folder)
{
    TSkinInfo probe;
    if (!IsValidProject(folder, probe)) {
        ShowErrorBox(TranslatableString(21), TranslatableString(17));
        SyncAspectRatio();
        return false;
    }
    // Filled in place before ClearPage, as in New Project: the inspector holds this object.
    *FSkinInfo = probe;
    ClearPage();
    emit ControlsChanged();
    FWindowInfos->Reset();
    OSDControlFactory().ClearReferences();
    // The source view shows the new project's empty page, not the text of the previous one.
    if (SourceViewActive())
        FSourceView->ShowDocument(*BuildWindowXML());

    FProjectFolder = WithTrailingSlash(folder);
    SetCurrentProjectFolder(FProjectFolder);
    SetCanvasSize(FSkinInfo->SizeX, FSkinInfo->SizeY);
    const auto referencesError =
        OSDControlFactory().LoadReferences(FindFileNoCase(FProjectFolder, QStringLiteral("references.xml")));

    FFileName = TranslatableString(3) + QStringLiteral(".xml");
    UpdateCaption();
    AddRecentProject(FLastProjects, FProjectFolder);
    BuildRecentMenu();
    FPageList = ListPageFiles(FProjectFolder);
    FHasPageList = true;
    BuildPagesMenu();
    emit ProjectOpened(FProjectFolder);
    SyncAspectRatio();
    UpdateActions();
    ReportReferencesError(referencesError);
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
    if (IsValidProject(folder, probe) && FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    OpenProject(folder);
}

void TMainForm::BuildPagesMenu()
{
    QMenu* menu = Menu("mnPages");
    menu->clear();
    // Pages are offered in columns of 26: every 26th entry starts a new submenu.
    QMenu* column = menu;
    for (int i = 0; i < FPageList.size(); ++i) {
        if (i > 0 && i % 26 == 0) {
            column = menu->addMenu(QStringLiteral("..."));
            column->setObjectName(QStringLiteral("mnPagesColumn%1").arg(i / 26));
        }
        QAction* item = column->addAction(QFileInfo(FPageList[i]).completeBaseName().replace(QLatin1Char('&'), QStringLiteral("&&")));
        item->setData(i);
        connect(item, &QAction::triggered, this, [this, i] { RunGuarded([this, i] { PageMenuClick(i); }); });
    }
}

void TMainForm::PageMenuClick(int index)
{
    if (index < 0 || index >= FPageList.size())
        return;
    if (FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    OpenPageFile(FPageList[index]);
}

void TMainForm::SyncAspectRatio()
{
    emit CanvasSizeChanged(CanvasWidth(), CanvasHeight());
}
