// The colour selector that the inspector's colour editor opens: loaded with SetColor32, shown
// modally, read with GetColor32 after OK. The HSV colour dialog plugs in through SetColorSelector;
// until one is set, a small dialog with the colour as eight hexadecimal digits stands in for it.
#pragma once

#include <QDialog>

#include <cstdint>

class QLineEdit;

class IColorSelector {
public:
    virtual ~IColorSelector() = default;
    // AARRGGBB.
    virtual void SetColor32(uint32_t color) = 0;
    virtual uint32_t GetColor32() const = 0;
    // Shows the selector modally (through the injectable dialogs); true when it closed with OK.
    virtual bool Execute() = 0;
};

// The selector set by the colour dialog's module, or none (the inspector then uses its stand-in).
IColorSelector* InstalledColorSelector();
// nullptr restores the stand-in. The caller keeps ownership.
void SetColorSelector(IColorSelector* selector);

// The stand-in: "Colorselector" with one field for the colour as AARRGGBB and OK / Cancel.
class TColorHexDialog : public QDialog, public IColorSelector {
    Q_OBJECT

public:
    explicit TColorHexDialog(QWidget* parent = nullptr);

    void SetColor32(uint32_t color) override;
    uint32_t GetColor32() const override;
    bool Execute() override;

    QLineEdit* edColor = nullptr;

private:
    uint32_t FColor = 0;
};
