#include "editor/EditorDialogs.h"

#include "editor/TranslatableStrings.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/ErrorReport.h"

namespace {

// Yes, No, Cancel with the warning icon; closing the box answers Cancel.
TSaveAnswer AskYesNoCancel(const QString& caption, const QString& text,
                           QMessageBox::StandardButton defaultButton = QMessageBox::NoButton)
{
    switch (Dialogs().MessageBox(caption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                 QMessageBox::Warning, defaultButton)) {
    case QMessageBox::Yes:
        return TSaveAnswer::Yes;
    case QMessageBox::No:
        return TSaveAnswer::No;
    default:
        return TSaveAnswer::Cancel;
    }
}

} // namespace

TSaveAnswer AskSaveChanges(const QString& caption)
{
    return AskYesNoCancel(caption, TranslatableString(2));
}

TSaveAnswer AskReplacePage(const QString& path)
{
    return AskYesNoCancel(TranslatableString(7),
                          QStringLiteral("\"%1\" exists already.\r\nDo you want to replace it?").arg(path),
                          QMessageBox::No);
}

void ShowErrorBox(const QString& text, const QString& caption)
{
    Dialogs().MessageBox(caption, text, QMessageBox::Ok, QMessageBox::Critical);
}

void ShowInfoBox(const QString& text, const QString& caption)
{
    Dialogs().MessageBox(caption, text, QMessageBox::Ok, QMessageBox::NoIcon);
}

void ReportError(const std::exception& error)
{
    ShowError(error);
}

void ReportError(const QString& text)
{
    ShowErrorText(text);
}

QString BrowseForFolder(const QString& title, const QString& startFolder)
{
    return Dialogs().BrowseForFolder(title, startFolder);
}

QString AskOpenFile(const QString& title, const QString& filter, const QString& folder)
{
    return Dialogs().GetOpenFileName(
        {.Title = title, .Filter = filter, .InitialFolder = folder, .DefaultExt = QStringLiteral("xml")});
}

QString AskSaveFile(const QString& title, const QString& filter, const QString& preset)
{
    return Dialogs().GetSaveFileName(
        {.Title = title, .Filter = filter, .DefaultExt = QStringLiteral("xml"), .FileName = preset});
}

QString AskOpenPicture(const QString& title, const QString& folder, const QString& fileName)
{
    return Dialogs().GetOpenFileName(
        {.Title = title,
         .Filter = QStringLiteral("Pictures (*.png *.jpg *.jpeg *.jpe *.jfif *.bmp *.ico *.rle *.dib);;All files (*)"),
         .InitialFolder = folder,
         .FileName = fileName});
}
