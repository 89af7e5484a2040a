#include "platform/ui/QtDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {

QWidget* Owner()
{
    return QApplication::activeWindow();
}

QString RunFileDialog(const TFileDialogOptions& options, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(Owner(), options.Title, options.InitialFolder, options.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.DefaultExt);
    if (!options.ConfirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (!options.FileName.isEmpty())
        dialog.selectFile(options.FileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

QMessageBox::StandardButton TQtDialogs::MessageBox(const QString& caption, const QString& text,
                                                   QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, caption, text, buttons, Owner());
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    const QMessageBox::StandardButton escape = EscapeButton(buttons);
    if (escape != QMessageBox::NoButton)
        box.setEscapeButton(escape);
    const int result = box.exec();
    const auto pressed = static_cast<QMessageBox::StandardButton>(result);
    return buttons.testFlag(pressed) ? pressed : escape;
}

QString TQtDialogs::GetOpenFileName(const TFileDialogOptions& options)
{
    return RunFileDialog(options, QFileDialog::AcceptOpen);
}

QString TQtDialogs::GetSaveFileName(const TFileDialogOptions& options)
{
    return RunFileDialog(options, QFileDialog::AcceptSave);
}

QString TQtDialogs::BrowseForFolder(const QString& caption, const QString& startFolder)
{
    return QFileDialog::getExistingDirectory(Owner(), caption, startFolder);
}

std::optional<QFont> TQtDialogs::ChooseFont(const QFont& initial, const QString& caption, QFont* shown)
{
    QFontDialog dialog(Owner());
    dialog.setCurrentFont(initial);
    if (shown)
        *shown = dialog.currentFont();
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.selectedFont();
}

QFont FontDialogShows(const QFont& initial)
{
    QFontDialog dialog;
    dialog.setCurrentFont(initial);
    return dialog.currentFont();
}

int TQtDialogs::ExecModal(QDialog& dialog)
{
    return dialog.exec();
}
