// The page settings: the values the page file keeps on its root, its video window and its backdrop.
// No widgets here, so the page reader and writer can be tested without a window. Their published
// properties are what the object inspector shows under "Window info".
#pragma once

#include "skinmodel/Published.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TVideoWindow : public TPublished {
public:
    int32_t Height = 0;
    int32_t Width = 0;
    int32_t X = 0;
    int32_t Y = 0;

    // Set by the page: the values are the rectangle of its video window on the canvas. An edit of
    // one is an edit of the window's value of that name, within the window's own range; with no
    // window on the page the values are not edited. Without the page they are plain values.
    std::function<TPublished*()> OnFindWindow;
    std::function<void(const std::string& name, int32_t value)> OnSetValue;

    std::vector<TPropInfo> PublishedProperties() override;
};

class TWindowBackdrop : public TPublished {
public:
    std::string DynamicFile;

    const std::string& DefaultFile() const { return FDefaultFile; }
    // Keeps only the file-name part; a new name asks the canvas to show it (or to clear when empty).
    void SetDefaultFile(const std::string& value);

    // Set by the main window: shows images/<name> as the canvas bitmap; an empty name clears it.
    std::function<void(const std::string& name)> OnShowBackdrop;

    std::vector<TPropInfo> PublishedProperties() override;

private:
    std::string FDefaultFile;
};

class TWindowInfos : public TPublished {
public:
    TWindowInfos() = default;
    TWindowInfos(const TWindowInfos&) = delete;
    TWindowInfos& operator=(const TWindowInfos&) = delete;

    bool AllowOverlay = false;
    int32_t DefaultItem = 0;
    bool HasBackground = false;

    TVideoWindow& VideoWindow() { return FVideoWindow; }
    const TVideoWindow& VideoWindow() const { return FVideoWindow; }
    TWindowBackdrop& WindowBackdrop() { return FWindowBackdrop; }
    const TWindowBackdrop& WindowBackdrop() const { return FWindowBackdrop; }

    void Reset();

    // VideoWindow and WindowBackdrop are published as sub-objects.
    std::vector<TPropInfo> PublishedProperties() override;

private:
    TVideoWindow FVideoWindow;
    TWindowBackdrop FWindowBackdrop;
};
