#include "editor/page/WindowInfos.h"

#include "platform/core/FileLookup.h"

void TWindowBackdrop::SetDefaultFile(const std::string& value)
{
    std::string name = ExtractFileName(value);
    if (name == FDefaultFile)
        return;
    FDefaultFile = name;
    if (OnShowBackdrop)
        OnShowBackdrop(FDefaultFile);
}

void TWindowInfos::Reset()
{
    AllowOverlay = false;
    DefaultItem = 0;
    HasBackground = false;
    FVideoWindow = TVideoWindow();
    FWindowBackdrop.DynamicFile.clear();
    FWindowBackdrop.SetDefaultFile(std::string());
}
