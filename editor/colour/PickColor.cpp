#include "editor/colour/PickColor.h"

#include "editor/colour/ScreenHSV.h"
#include "editor/tools/ColorSelector.h"
#include "platform/ui/Dialogs.h"

#include <QPointer>

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

bool PickColor32(std::uint32_t& argb, QWidget* parent)
{
    if (FormHSV)
        return RunSelector(*FormHSV, argb);
    // Without the program's selector: one that lives as long as the caller's window, so its colour
    // state stays between uses as well; without a window, one for this use only.
    if (parent) {
        static QPointer<TFormHSV> own;
        if (!own || own->parent() != parent)
            own = new TFormHSV(parent);
        return RunSelector(*own, argb);
    }
    TFormHSV selector;
    return RunSelector(selector, argb);
}

namespace {

// The inspector's colour editor opens the HSV selector through this.
class THSVColorSelector : public IColorSelector {
public:
    void SetColor32(uint32_t color) override { FColor = color; }
    uint32_t GetColor32() const override { return FColor; }
    bool Execute() override { return PickColor32(FColor, FParent); }

    QPointer<QWidget> FParent;

private:
    std::uint32_t FColor = 0;
};

} // namespace

IColorSelector& HSVColorSelector(QWidget* parent)
{
    static THSVColorSelector selector;
    selector.FParent = parent;
    return selector;
}
