#include "document/WindowInfos.h"

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

std::vector<TPropInfo> TVideoWindow::PublishedProperties()
{
    return {IntegerField("Height", Height), IntegerField("Width", Width), IntegerField("X", X), IntegerField("Y", Y)};
}

std::vector<TPropInfo> TWindowBackdrop::PublishedProperties()
{
    TPropInfo defaultFile = TextProp("DefaultFile", TPropType::FileName, [this] { return FDefaultFile; },
                                     [this](const std::string& v) { SetDefaultFile(v); });
    defaultFile.NameOnly = true;
    return {TextField("DynamicFile", TPropType::FileName, DynamicFile), std::move(defaultFile)};
}

std::vector<TPropInfo> TWindowInfos::PublishedProperties()
{
    return {
        BoolField("AllowOverlay", AllowOverlay),
        IntegerField("DefaultItem", DefaultItem),
        BoolField("HasBackground", HasBackground),
        ObjectProp("VideoWindow", &FVideoWindow),
        ObjectProp("WindowBackdrop", &FWindowBackdrop),
    };
}
