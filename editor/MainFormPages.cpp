// Pages: New Page, Open Page, Save Page, Save Page as, and the page reader and writer on the canvas.
#include "editor/MainForm.h"

#include "canvas/RubberBand.h"
#include "canvas/view/ImgView32.h"
#include "editor/EditorDialogs.h"
#include "editor/TranslatableStrings.h"
#include "editor/page/PageXml.h"
#include "editor/project/ProjectFolder.h"
#include "platform/core/Codec1252.h"
#include "platform/core/FileErrors.h"
#include "platform/core/FileLookup.h"
#include "platform/core/TextDecode.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/PictureCache.h"
#include "skinmodel/uskininfo.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <QApplication>
#include <QCursor>
#include <QFileInfo>
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
    SetSelection(nullptr);
    FreeRubberBand();
    FImgView->Layers().Clear();
    FImgView->Bitmap().SetSize(0, 0);
    FImgView->BitmapChanged();
    FUnreadItems.clear();
    FCopyElem.reset();
    SetModified(false);
}

void TMainForm::LoadWindowXML(TJvSimpleXML* doc)
{
    TBusyCursor busy;
    if (!doc || doc->Root().Name() != "screen")
        return;
    FImgView->BeginUpdate();
    try {
        ReadPageDocument(doc, *FWindowInfos, FImgView->Layers(), FUnreadItems,
                         [this](TItemLayer* layer) { AttachControl(layer); });
    } catch (...) {
        // What was read so far stays on the canvas.
    }
    FImgView->EndUpdate();
    FImgView->Canvas().Invalidate();
    emit ControlsChanged();
}

std::unique_ptr<TJvSimpleXML> TMainForm::BuildWindowXML()
{
    if (FRubberBand) {
        SetSelection(nullptr);
        FreeRubberBand();
    }
    return BuildPageDocument(*FWindowInfos, FImgView->Layers(), FVersion, FUnreadItems);
}

void TMainForm::LoadPage()
{
    // Read before anything is dropped: a page that is no well-formed XML leaves the open one as it was.
    TJvSimpleXML doc;
    doc.LoadFromFile(FFileName);
    ClearPage();
    emit ControlsChanged();
    FWindowInfos->Reset();
    UpdateCaption();
    if (SourceViewActive())
        FSourceView->ShowDocument(doc);
    else
        LoadWindowXML(&doc);
}

void TMainForm::mnNew1Click()
{
    if (FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    ClearPage();
    emit ControlsChanged();
    FWindowInfos->Reset();
    if (SourceViewActive()) {
        std::unique_ptr<TJvSimpleXML> doc = BuildWindowXML();
        FSourceView->ShowDocument(*doc);
    }
    FFileName = TranslatableString(3) + QStringLiteral(".xml");
    UpdateCaption();
}

void TMainForm::mnOpen1Click()
{
    if (FModified && !ConfirmDiscard(TranslatableString(4)))
        return;
    const QString file =
        AskOpenFile(TranslatableString(6), QStringLiteral("Skinfiles (*.xml)"), FProjectFolder);
    if (file.isEmpty())
        return;
    OpenPageFile(file);
}

void TMainForm::OpenPageFile(const QString& fileName)
{
    const QString previous = FFileName;
    FFileName = fileName;
    try {
        LoadPage();
    } catch (...) {
        FFileName = previous;
        throw;
    }
}

bool TMainForm::mnSave2Click()
{
    TBusyCursor busy;
    if (!FFileName.isEmpty())
        return SavePage();
    return mnSaveAsClick();
}

bool TMainForm::mnSaveAsClick()
{
    const QString file = AskSaveFile(TranslatableString(7), QStringLiteral("Skinfiles (*.xml)"), FFileName);
    if (file.isEmpty())
        return false;
    const QString name = ExtractFileName(file);
    if (IsProjectFileName(name)) {
        ShowErrorBox(QStringLiteral("\"%1\" is a file of the skin project, not a page.").arg(name),
                     TranslatableString(17));
        return false;
    }
    const QString folder = WithTrailingSlash(QFileInfo(file).absolutePath());
    // "index.xml" is written only into the open project, never into another skin's folder.
    const bool inProject = !FProjectFolder.isEmpty() && SameFolder(folder, FProjectFolder);
    if (!WritePage(FindFileNoCase(folder, name), inProject))
        return false;
    FFileName = file;
    UpdateCaption();
    return true;
}

bool TMainForm::SavePage()
{
    UpdateCaption();
    // Without a project the page is saved where the user chooses.
    if (FProjectFolder.isEmpty())
        return mnSaveAsClick();
    return WritePage(FindFileNoCase(FProjectFolder, ExtractFileName(FFileName)), true);
}

bool TMainForm::WritePage(const QString& target, bool withSkinInfo)
{
    // One line per file not written; all of them in one report.
    QStringList failures;
    auto cannotWrite = [&failures](const QString& path, const QString& reason) {
        failures << QStringLiteral("Cannot write \"%1\": %2").arg(path, reason);
    };
    std::unique_ptr<TJvSimpleXML> doc;
    if (SourceViewActive()) {
        doc = std::make_unique<TJvSimpleXML>();
        doc->Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
        if (!FSourceView->Parse(*doc))
            return false;
    } else {
        QString reason;
        if (withSkinInfo && !FSkinInfo->SaveToFile(FProjectFolder, &reason))
            cannotWrite(FindFileNoCase(FProjectFolder, QStringLiteral("index.xml")), reason);
        doc = BuildWindowXML();
    }
    try {
        doc->SaveToFile(target);
    } catch (const std::exception& e) {
        cannotWrite(target, DecodeUtf8Or1252(FailureReason(e)));
    }
    if (!failures.isEmpty()) {
        ReportError(failures.join(QLatin1Char('\n')));
        return false;
    }
    SetModified(false);
    return true;
}

bool TMainForm::ConfirmDiscard(const QString& caption)
{
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

void TMainForm::ShowBackdrop(const std::string& name)
{
    if (name.empty()) {
        FImgView->Bitmap().Clear(0xFF000000u);
        FImgView->BitmapChanged();
        return;
    }
    if (FProjectFolder.isEmpty())
        return;
    QString path;
    if (!FileExistsNoCase(WithTrailingSlash(FProjectFolder), QStringLiteral("images/") + FromWin1252(name), &path))
        return;
    // A picture that cannot be decoded counts as missing. Reopening the page reuses the decoded
    // picture while the file is unchanged.
    const TPicture picture = TPictureCache::Instance().Load(path);
    if (!picture || picture->isNull())
        return;
    FreeRubberBand();
    ShowCanvasBitmap(*picture);
}

void TMainForm::ShowCanvasBitmap(const QImage& picture)
{
    TBitmap32& bitmap = FImgView->Bitmap();
    bitmap.SetSize(picture.width(), picture.height());
    bitmap.Image() = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    FImgView->BitmapChanged();
}
