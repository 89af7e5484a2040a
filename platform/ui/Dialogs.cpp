#include "platform/ui/Dialogs.h"

#include "platform/ui/QtDialogs.h"

namespace {

IDialogs* Current = nullptr;

} // namespace

IDialogs& Dialogs()
{
    static TQtDialogs real;
    return Current ? *Current : real;
}

void SetDialogs(IDialogs* dialogs)
{
    Current = dialogs;
}

TDialogsOverride::TDialogsOverride(IDialogs& dialogs)
    : FPrevious(Current)
{
    Current = &dialogs;
}

TDialogsOverride::~TDialogsOverride()
{
    Current = FPrevious;
}

QMessageBox::StandardButton EscapeButton(QMessageBox::StandardButtons buttons)
{
    for (QMessageBox::StandardButton b : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
        if (buttons.testFlag(b))
            return b;
    return QMessageBox::NoButton;
}
