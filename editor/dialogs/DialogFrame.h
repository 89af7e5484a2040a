// The frame of the editor's own modal dialogs: a single border with only the system menu.
#pragma once

#include <Qt>

inline constexpr Qt::WindowFlags SingleBorderDialog = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
    | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
