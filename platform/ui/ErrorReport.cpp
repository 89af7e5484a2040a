#include "platform/ui/ErrorReport.h"

#include "platform/core/TextDecode.h"
#include "platform/ui/Dialogs.h"

#include <cstdio>

namespace {

const QString Caption = QStringLiteral("Varnholt 2.0");

} // namespace

void ShowErrorText(const QString& text)
{
    try {
        Dialogs().MessageBox(Caption, text, QMessageBox::Ok, QMessageBox::Critical);
    } catch (...) {
        // The report itself failed; stderr is all that is left.
        std::fprintf(stderr, "%s: %s\n", qPrintable(Caption), qPrintable(text));
    }
}

void ShowError(const std::exception& error)
{
    ShowErrorText(DecodeUtf8Or1252(error.what()));
}

bool GuardedCall(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        ShowError(error);
    } catch (...) {
        ShowErrorText(QStringLiteral("Unknown error"));
    }
    return false;
}
