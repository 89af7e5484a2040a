// The editor's few kinds of question and message, all answered through the injectable dialogs.
#pragma once

#include <QString>

#include <exception>


enum class TSaveAnswer { Yes, No, Cancel };

// "Save changes in skin?" with Yes, No, Cancel and the warning icon.
TSaveAnswer AskSaveChanges(const QString& caption);
// Save Page would replace `path`, a file the page was not read from or saved to: Yes replaces it,
// No chooses another name, Cancel writes nothing.
TSaveAnswer AskReplacePage(const QString& path);
// A message box with an OK button and the error icon.
void ShowErrorBox(const QString& text, const QString& caption);
// A message box with an OK button and no icon.
void ShowInfoBox(const QString& text, const QString& caption);
// Reports a failure that has no message of its own.
void ReportError(const std::exception& error);
void ReportError(const QString& text);
// Empty when cancelled.
QString BrowseForFolder(const QString& title, const QString& startFolder);
QString AskOpenFile(const QString& title, const QString& filter, const QString& folder);
QString AskSaveFile(const QString& title, const QString& filter, const QString& preset);
// `fileName`: the name the dialog proposes.
QString AskOpenPicture(const QString& title, const QString& folder, const QString& fileName = QString());
