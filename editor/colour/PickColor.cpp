#include "editor/colour/PickColor.h"

#include "editor/MainForm.h"
#include "editor/colour/ScreenHSV.h"
#include "platform/ui/Dialogs.h"

#include <memory>

namespace {

bool RunSelector(TFormHSV& selector, std::uint32_t& argb)
{
    selector.SetColor32(argb);
    if (Dialogs().ExecModal(selector) != QDialog::Accepted)
        return false;
    argb = selector.GetColor32();
    return true;
}

} // namespace

bool PickColor32(std::uint32_t& argb)
{
    if (FormHSV)
        return RunSelector(*FormHSV, argb);
    // Without the program's selector: one that lives as long as the main window, so its colour
    // state stays between uses as well; without a main window, one for this use only.
    if (MainForm) {
        auto* selector = new TFormHSV(MainForm);
        return RunSelector(*selector, argb);
    }
    TFormHSV selector;
    return RunSelector(selector, argb);
}
