// Dialogs for tests: answers come from a queue in the order the code asks, and every call is recorded
// with its caption and text. A call with no fitting answer is recorded as unexpected and gets the
// cancel answer, so the code under test goes on and the test can fail on Unexpected().
#pragma once

#include "platform/ui/Dialogs.h"

#include <deque>
#include <functional>
#include <vector>

enum class TDialogKind { MessageBox, OpenFile, SaveFile, Folder, Font, Modal };

struct TDialogCall {
    TDialogKind Kind = TDialogKind::MessageBox;
    // Message box caption, file dialog title, folder browser caption, font dialog caption, or the
    // window title (else the object name) of a modal dialog.
    QString Caption {};
    // Message box text; start folder of the folder browser.
    QString Text {};
    QMessageBox::StandardButtons Buttons {};
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QMessageBox::StandardButton DefaultButton = QMessageBox::NoButton;
    TFileDialogOptions File {};
    bool Unexpected = false;
};

class TScriptedDialogs : public IDialogs {
public:
    void AnswerMessage(QMessageBox::StandardButton button);
    // An empty path answers as Cancel.
    void AnswerOpenFile(const QString& path);
    void AnswerSaveFile(const QString& path);
    void AnswerFolder(const QString& folder);
    // `shown` is what the dialog showed on opening; without it, what the standard dialog shows.
    // `meanwhile` runs while the dialog is open, as another program may change files then.
    void AnswerFont(std::optional<QFont> font, std::optional<QFont> shown = std::nullopt,
                    std::function<void()> meanwhile = {});
    // `fill` may set the dialog's fields before the result is returned.
    void AnswerModal(int result, std::function<void(QDialog&)> fill = {});

    const std::vector<TDialogCall>& Calls() const { return FCalls; }
    std::vector<TDialogCall> Unexpected() const;
    // Answers queued but never asked for.
    std::size_t Pending() const { return FAnswers.size(); }
    void Reset();

    QMessageBox::StandardButton MessageBox(const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                           QMessageBox::StandardButton defaultButton) override;
    QString GetOpenFileName(const TFileDialogOptions& options) override;
    QString GetSaveFileName(const TFileDialogOptions& options) override;
    QString BrowseForFolder(const QString& caption, const QString& startFolder) override;
    std::optional<QFont> ChooseFont(const QFont& initial, const QString& caption, QFont* shown) override;
    int ExecModal(QDialog& dialog) override;

private:
    struct TAnswer {
        TDialogKind Kind = TDialogKind::MessageBox;
        QMessageBox::StandardButton Button = QMessageBox::NoButton;
        QString Path {};
        std::optional<QFont> Font {};
        std::optional<QFont> Shown {};
        int Result = 0;
        std::function<void(QDialog&)> Fill {};
        std::function<void()> Meanwhile {};
    };

    // The front answer when it is of this kind; else the call is marked unexpected.
    std::optional<TAnswer> Take(TDialogCall call);

    std::deque<TAnswer> FAnswers;
    std::vector<TDialogCall> FCalls;
};
