// Pages: New Page, Open Page, Save Page, Save Page as, and the page reader and writer on the canvas.
#include "editor/MainForm.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "document/PageXml.h"
#include "document/ProjectFolder.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/SkinProject.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
#include <QScopeGuard>
#include <QToolButton>

namespace {

// The hourglass for the length of a scope.
class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

void TMainForm::ClearPage()
{
    FDocument->ClearPage();
}

std::unique_ptr<TJvSimpleXML> TMainForm::BuildWindowXML()
{
    return FDocument->BuildWindowXML();
}

void TMainForm::LoadPage()
{
    // Read before anything is dropped: a page that is no well-formed XML leaves the open one as it was.
    TJvSimpleXML doc;
    doc.LoadFromFile(FileName());
    if (SourceViewActive()) {
        FDocument->NewPage();
        UpdateCaption();
        FSourceView->ShowDocument(doc);
        return;
    }
    UpdateCaption();
    TBusyCursor busy;
    FImgView->BeginUpdate();
    const auto painted = qScopeGuard([this] { FImgView->EndUpdate(); });
    FDocument->OpenPage(&doc);
}

void TMainForm::mnNew1Click()
{
    if (!ConfirmDiscard(TranslatableString(4)))
        return;
    FDocument->NewPage();
    if (SourceViewActive()) {
        std::unique_ptr<TJvSimpleXML> doc = BuildWindowXML();
        FSourceView->ShowDocument(*doc);
    }
    FDocument->SetFileName(TranslatableString(3) + QStringLiteral(".xml"));
}

void TMainForm::mnOpen1Click()
{
    if (!ConfirmDiscard(TranslatableString(4)))
        return;
    const QString file =
        AskOpenFile(TranslatableString(6), QStringLiteral("Skinfiles (*.xml)"), ProjectFolder());
    if (file.isEmpty())
        return;
    OpenPageFile(file);
}

void TMainForm::OpenPageFile(const QString& fileName)
{
    // Opened as a page, a project file would be saved over as one.
    if (const QString refusal = ProjectFileRefusal(fileName); !refusal.isEmpty()) {
        ShowErrorBox(refusal, TranslatableString(17));
        return;
    }
    const QString previous = FileName();
    const QString previousFile = FDocument->PageFile();
    const bool previousSaved = FDocument->PageFileSaved();
    FDocument->SetFileName(fileName);
    try {
        LoadPage();
    } catch (...) {
        FDocument->SetFileName(previous);
        FDocument->SetPageFile(previousFile, previousSaved);
        throw;
    }
    FDocument->SetPageFile(fileName, false);
}

bool TMainForm::mnSave2Click()
{
    // What the inspector shows is what is written, also text typed and not yet confirmed.
    StoreInspectorText(*this);
    TBusyCursor busy;
    if (!FileName().isEmpty())
        return SavePage();
    return mnSaveAsClick();
}

bool TMainForm::mnSaveAsClick()
{
    StoreInspectorText(*this);
    // A page never saved has a bare name: the dialog starts in the project, not in the working folder.
    QString preset = FileName();
    if (QFileInfo(preset).isRelative() && !ProjectFolder().isEmpty())
        preset = ProjectFolder() + preset;
    const QString file = AskSaveFile(TranslatableString(7), QStringLiteral("Skinfiles (*.xml)"), preset);
    if (file.isEmpty())
        return false;
    if (const QString refusal = ProjectFileRefusal(file); !refusal.isEmpty()) {
        ShowErrorBox(refusal, TranslatableString(17));
        return false;
    }
    const QString name = ExtractFileName(file);
    const QString target = FindFileNoCase(WithTrailingSlash(QFileInfo(file).absolutePath()), name);
    // The dialog asks before replacing the name it was given, not one that differs in case only.
    if (ExtractFileName(target) != name)
        return ReplaceOrSaveAs(target);
    return SaveInto(target);
}

bool TMainForm::SavePage()
{
    UpdateCaption();
    // Saved once, the page goes on into the file the title names, also outside the project.
    if (FDocument->PageFileSaved())
        return SaveInto(FDocument->PageFile());
    // Without a project the page is saved where the user chooses.
    if (ProjectFolder().isEmpty())
        return mnSaveAsClick();
    const QString target = FindFileNoCase(ProjectFolder(), ExtractFileName(FileName()));
    // Another page of that name is never replaced unasked (a project file is refused when written).
    if (QFileInfo::exists(target) && !SamePath(target, FDocument->PageFile()) && ProjectFileRefusal(target).isEmpty())
        return ReplaceOrSaveAs(target);
    return SaveInto(target);
}

bool TMainForm::ReplaceOrSaveAs(const QString& target)
{
    switch (AskReplacePage(target)) {
    case TSaveAnswer::Yes:
        return SaveInto(target);
    case TSaveAnswer::No:
        return mnSaveAsClick();
    case TSaveAnswer::Cancel:
        break;
    }
    return false;
}

bool TMainForm::SaveInto(QString target)
{
    if (!WritePage(target))
        return false;
    // The title names the file written; later saves go on into it.
    FDocument->SetFileName(target);
    FDocument->SetPageFile(target, true);
    return true;
}

bool TMainForm::WritePage(const QString& target)
{
    // The skin description is the open project's: its "index.xml" is written there, and only there,
    // with a page of the project or, for a page saved elsewhere, when the description has changed.
    const bool withSkinInfo = !ProjectFolder().isEmpty()
                              && (SamePath(QFileInfo(target).absolutePath(), ProjectFolder())
                                  || FDocument->Project().SkinInfoChanged());
    QStringList errors;
    if (SourceViewActive()) {
        TJvSimpleXML doc;
        doc.Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
        if (!FSourceView->Parse(doc))
            return false;
        errors = FDocument->WritePage(target, withSkinInfo, &doc);
    } else {
        errors = FDocument->WritePage(target, withSkinInfo);
    }
    // One report for every file that was not written.
    if (!errors.isEmpty())
        ReportError(errors.join(QLatin1Char('\n')));
    return errors.isEmpty();
}

bool TMainForm::ConfirmDiscard(const QString& caption)
{
    // What the inspector shows counts: text typed and not yet confirmed makes the page modified.
    StoreInspectorText(*this);
    if (!Modified())
        return true;
    switch (AskSaveChanges(caption)) {
    case TSaveAnswer::Yes:
        return mnSave2Click();
    case TSaveAnswer::No:
        return true;
    case TSaveAnswer::Cancel:
        break;
    }
    return false;
}

void TMainForm::ShowCanvasBitmap(const QImage& picture)
{
    TBitmap32& bitmap = FImgView->Bitmap();
    // Emptied rather than sized: the picture takes the place of a blank of its size at once.
    bitmap.SetSize(0, 0);
    if (!picture.isNull())
        bitmap.Image() = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    FImgView->BitmapChanged();
}
