#include "platform/ui/ScriptedDialogs.h"

#include "platform/ui/QtDialogs.h"

#include <QDialog>

void TScriptedDialogs::AnswerMessage(QMessageBox::StandardButton button)
{
    FAnswers.push_back({.Kind = TDialogKind::MessageBox, .Button = button});
}

void TScriptedDialogs::AnswerOpenFile(const QString& path)
{
    FAnswers.push_back({.Kind = TDialogKind::OpenFile, .Path = path});
}

void TScriptedDialogs::AnswerSaveFile(const QString& path)
{
    FAnswers.push_back({.Kind = TDialogKind::SaveFile, .Path = path});
}

void TScriptedDialogs::AnswerFolder(const QString& folder)
{
    FAnswers.push_back({.Kind = TDialogKind::Folder, .Path = folder});
}

void TScriptedDialogs::AnswerFont(std::optional<QFont> font, std::optional<QFont> shown,
                                  std::function<void()> meanwhile)
{
    FAnswers.push_back({.Kind = TDialogKind::Font, .Font = std::move(font), .Shown = std::move(shown),
                        .Meanwhile = std::move(meanwhile)});
}

void TScriptedDialogs::AnswerModal(int result, std::function<void(QDialog&)> fill)
{
    FAnswers.push_back({.Kind = TDialogKind::Modal, .Result = result, .Fill = std::move(fill)});
}

std::vector<TDialogCall> TScriptedDialogs::Unexpected() const
{
    std::vector<TDialogCall> calls;
    for (const TDialogCall& call : FCalls)
        if (call.Unexpected)
            calls.push_back(call);
    return calls;
}

void TScriptedDialogs::Reset()
{
    FAnswers.clear();
    FCalls.clear();
}

std::optional<TScriptedDialogs::TAnswer> TScriptedDialogs::Take(TDialogCall call)
{
    const bool fits = !FAnswers.empty() && FAnswers.front().Kind == call.Kind;
    call.Unexpected = !fits;
    FCalls.push_back(std::move(call));
    if (!fits)
        return std::nullopt;
    TAnswer answer = std::move(FAnswers.front());
    FAnswers.pop_front();
    return answer;
}

QMessageBox::StandardButton TScriptedDialogs::MessageBox(const QString& caption, const QString& text,
                                                         QMessageBox::StandardButtons buttons, QMessageBox::Icon icon,
                                                         QMessageBox::StandardButton defaultButton)
{
    const auto answer = Take({.Kind = TDialogKind::MessageBox, .Caption = caption, .Text = text, .Buttons = buttons,
                              .Icon = icon, .DefaultButton = defaultButton});
    return answer ? answer->Button : EscapeButton(buttons);
}

QString TScriptedDialogs::GetOpenFileName(const TFileDialogOptions& options)
{
    const auto answer = Take({.Kind = TDialogKind::OpenFile, .Caption = options.Title, .File = options});
    return answer ? answer->Path : QString();
}

QString TScriptedDialogs::GetSaveFileName(const TFileDialogOptions& options)
{
    const auto answer = Take({.Kind = TDialogKind::SaveFile, .Caption = options.Title, .File = options});
    return answer ? answer->Path : QString();
}

QString TScriptedDialogs::BrowseForFolder(const QString& caption, const QString& startFolder)
{
    const auto answer = Take({.Kind = TDialogKind::Folder, .Caption = caption, .Text = startFolder});
    return answer ? answer->Path : QString();
}

std::optional<QFont> TScriptedDialogs::ChooseFont(const QFont& initial, const QString& caption, QFont* shown)
{
    const auto answer = Take({.Kind = TDialogKind::Font, .Caption = caption});
    if (answer && answer->Meanwhile)
        answer->Meanwhile();
    if (shown)
        *shown = answer && answer->Shown ? *answer->Shown : FontDialogShows(initial);
    return answer ? answer->Font : std::nullopt;
}

int TScriptedDialogs::ExecModal(QDialog& dialog)
{
    const QString name = dialog.windowTitle().isEmpty() ? dialog.objectName() : dialog.windowTitle();
    const auto answer = Take({.Kind = TDialogKind::Modal, .Caption = name});
    if (!answer)
        return QDialog::Rejected;
    if (answer->Fill)
        answer->Fill(dialog);
    dialog.setResult(answer->Result);
    return answer->Result;
}
