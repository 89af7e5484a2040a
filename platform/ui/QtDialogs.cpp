#include "platform/ui/QtDialogs.h"

#include "platform/ui/DialogPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontDialog>

namespace {

// The active window; between two dialogs, when none is active yet, the main window.
QWidget* Owner()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowType() == Qt::Window)
            return window;
    return nullptr;
}

// The chosen path, or empty when cancelled.
QString Chosen(QFileDialog& dialog)
{
    CentreWhenShown(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
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
    return Chosen(dialog);
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
    CentreWhenShown(box);
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
    QFileDialog dialog(Owner(), caption, startFolder);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    return Chosen(dialog);
}

std::optional<QFont> TQtDialogs::ChooseFont(const QFont& initial, const QString& caption, QFont* shown)
{
    QFontDialog dialog(Owner());
    dialog.setCurrentFont(initial);
    if (shown)
        *shown = dialog.currentFont();
    if (!caption.isEmpty())
        dialog.setWindowTitle(caption);
    CentreWhenShown(dialog);
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
