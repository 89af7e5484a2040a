// New Project's questions until the new-skin dialog is in place: the save dialog names the new
// project folder (its parent and its name); the canvas size is 720 by 576.
#pragma once

#include "editor/NewSkinRequest.h"

class TDefaultNewSkinDialog : public INewSkinDialog {
public:
    bool Execute(TNewSkinRequest& request) override;
};
