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
    // The values only: the page's links to its video window stay.
    FVideoWindow.Height = 0;
    FVideoWindow.Width = 0;
    FVideoWindow.X = 0;
    FVideoWindow.Y = 0;
    FWindowBackdrop.DynamicFile.clear();
    FWindowBackdrop.SetDefaultFile(std::string());
}

std::vector<TPropInfo> TVideoWindow::PublishedProperties()
{
    std::vector<TPropInfo> props = {IntegerField("Height", Height), IntegerField("Width", Width),
                                    IntegerField("X", X), IntegerField("Y", Y)};
    if (!OnFindWindow)
        return props;
    TPublished* window = OnFindWindow();
    const std::vector<TPropInfo> own = window ? window->PublishedProperties() : std::vector<TPropInfo>();
    for (TPropInfo& prop : props) {
        const TPropInfo* same = FindProperty(own, prop.Name);
        if (!same || same->ReadOnly() || !OnSetValue) {
            prop.Set = nullptr;
            continue;
        }
        prop.Min = same->Min;
        prop.Max = same->Max;
        prop.Set = [this, name = prop.Name](const TPropValue& value) {
            OnSetValue(name, static_cast<int32_t>(PropInt(value)));
        };
    }
    return props;
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
