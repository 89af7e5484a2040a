// The real dialogs, parented to the active window and centred on it.
#pragma once

#include "platform/ui/Dialogs.h"

class TQtDialogs : public IDialogs {
public:
    QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                           QMessageBox::StandardButton defaultButton) override;
    QString GetOpenFileName(const TFileDialogOptions& options) override;
    QString GetSaveFileName(const TFileDialogOptions& options) override;
    QString BrowseForFolder(const QString& caption, const QString& startFolder) override;
    std::optional<QFont> ChooseFont(const QFont& initial, const QString& caption, QFont* shown) override;
    int ExecModal(QDialog& dialog) override;
};

// The font the standard font dialog shows when it opens with `initial`.
QFont FontDialogShows(const QFont& initial);
