// Every modal dialog, message box, file dialog, folder browser and font dialog of the editor goes
// through IDialogs, so that tests answer them without a real window.
#pragma once

#include <QFont>
#include <QMessageBox>
#include <QString>

#include <optional>

class QDialog;

struct TFileDialogOptions {
    QString Title {};
    QString Filter {};     // Qt form: "Skin pages (*.xml);;All files (*)"
    QString InitialFolder {};
    QString DefaultExt {}; // without the dot; added when the user types a name without one
    QString FileName {};   // proposed name
    bool ConfirmOverwrite = true; // save dialog only
};

class IDialogs {
public:
    virtual ~IDialogs() = default;

    // The button pressed; the escape answer (Cancel, else No, else OK) when the box is closed.
    // `defaultButton` answers Enter; NoButton leaves the choice to the box.
    virtual QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                                   QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                                                   QMessageBox::Icon icon = QMessageBox::NoIcon,
                                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) = 0;
    // The chosen path, or empty when cancelled.
    virtual QString GetOpenFileName(const TFileDialogOptions& options) = 0;
    virtual QString GetSaveFileName(const TFileDialogOptions& options) = 0;
    // The chosen folder, or empty when cancelled.
    virtual QString BrowseForFolder(const QString& caption, const QString& startFolder) = 0;
    // Face, size, bold, italic, underline; none when cancelled. `shown`, when given, receives what the
    // dialog showed before the user changed anything: for a face it cannot show it shows a stand-in.
    virtual std::optional<QFont> ChooseFont(const QFont& initial, const QString& caption = QString(),
                                            QFont* shown = nullptr) = 0;
    // Shows one of our own dialogs modally; QDialog::Accepted or QDialog::Rejected (or a done() code).
    virtual int ExecModal(QDialog& dialog) = 0;
};

// The dialogs in use: the real ones unless a test has set others.
IDialogs& Dialogs();
// nullptr restores the real dialogs. The caller keeps ownership.
void SetDialogs(IDialogs* dialogs);

// Sets dialogs for a scope and restores the previous ones after it.
class TDialogsOverride {
public:
    explicit TDialogsOverride(IDialogs& dialogs);
    ~TDialogsOverride();
    TDialogsOverride(const TDialogsOverride&) = delete;
    TDialogsOverride& operator=(const TDialogsOverride&) = delete;

private:
    IDialogs* FPrevious;
};

// The answer of a message box closed without a button.
QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons);
