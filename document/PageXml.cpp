#include "document/PageXml.h"

#include "canvas/Layers.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/VideoControl.h"
#include "skinmodel/xml/JvSimpleXml2.h"

#include <algorithm>

namespace {

bool IsVideoLayer(const TCustomLayer* layer)
{
    return dynamic_cast<const TOSDVideoControl*>(layer) != nullptr;
}

const char* BoolText(bool value)
{
    return value ? "true" : "false";
}

} // namespace

TItemLayer* FindVideoLayer(const TLayerCollection& layers)
{
    for (int i = 0; i < layers.Count(); ++i)
        if (IsVideoLayer(layers.Items(i)))
            return static_cast<TItemLayer*>(layers.Items(i));
    return nullptr;
}

std::string PageRootFault(const TJvSimpleXML& doc)
{
    const TJvSimpleXMLElemClassic& root = doc.Root();
    if (root.Name() == "screen")
        return {};
    if (root.Name().empty() && root.NameSpace().empty())
        return "Invalid Document: the text has no root element";
    return "Invalid Document: the root element is \"" + root.GetQualifiedName() + "\", not \"screen\"";
}

bool ReadPageDocument(TJvSimpleXML* doc, TWindowInfos& infos, TLayerCollection& layers, TUnreadItems& unread,
                      const std::function<void(TItemLayer*)>& onNewLayer)
{
    if (!doc || !PageRootFault(*doc).empty())
        return false;
    const TFileLookupScope lookups;
    TJvSimpleXMLElem& root = doc->Root();
    infos.Reset();
    TJvSimpleXMLProps& props = root.Properties();
    infos.DefaultItem = static_cast<int32_t>(props.IntValue("default", 0));
    infos.AllowOverlay = props.BoolValue("allowoverlay", false);
    infos.HasBackground = props.BoolValue("hasbg", false);
    if (TJvSimpleXMLElem* video = root.Items().ItemNamed("videowindow")) {
        TJvSimpleXMLProps& v = video->Properties();
        // The video layer's float rectangle loses a size that lies too far out, and with it the
        // element on the next save: places and sizes are kept where a control's are.
        const auto place = [&v](const char* name) {
            return static_cast<int32_t>(std::clamp<int64_t>(v.IntValue(name, 0), -MaxPlace, MaxPlace));
        };
        infos.VideoWindow().X = place("x");
        infos.VideoWindow().Y = place("y");
        infos.VideoWindow().Width = place("width");
        infos.VideoWindow().Height = place("height");
    }
    if (TJvSimpleXMLElem* backdrop = root.Items().ItemNamed("Backdrop")) {
        TJvSimpleXMLProps& b = backdrop->Properties();
        infos.WindowBackdrop().SetDefaultFile(b.Value("DefaultFile"));
        infos.WindowBackdrop().DynamicFile = b.Value("DynamicFile");
    }

    const TVideoWindow& vw = infos.VideoWindow();
    const bool videoElement = int64_t(vw.Width) * int64_t(vw.Height) > 0;
    bool haveVideo = videoElement;
    if (TJvSimpleXMLElem* items = root.Items().ItemNamed("items")) {
        for (int i = 0; i < items->ChildCount(); ++i) {
            TJvSimpleXMLElem* item = items->Items().Item(i);
            if (item->Name() != "item")
                continue;
            const int before = layers.Count();
            TItemLayer* layer = nullptr;
            try {
                layer = OSDControlFactory().CreateControl(&layers, item, true);
            } catch (...) {
                layer = nullptr;
            }
            // A page has one video window; a second one stays in the file as it was read.
            if (layer && IsVideoLayer(layer) && haveVideo)
                layer = nullptr;
            if (!layer) {
                while (layers.Count() > before)
                    layers.Delete(layers.Count() - 1);
                unread.push_back(item->Clone());
                continue;
            }
            if (IsVideoLayer(layer)) {
                haveVideo = true;
                infos.VideoWindow().X = layer->GetX();
                infos.VideoWindow().Y = layer->GetY();
                infos.VideoWindow().Width = layer->GetWidth();
                infos.VideoWindow().Height = layer->GetHeight();
            }
            if (onNewLayer)
                onNewLayer(layer);
        }
    }

    if (videoElement) {
        auto* video = new TOSDVideoControl(&layers);
        video->SetLocation(TFloatRect{float(vw.X), float(vw.Y), float(int64_t(vw.X) + vw.Width),
                                      float(int64_t(vw.Y) + vw.Height)});
        video->Description = VideoWindowDescription;
        if (onNewLayer)
            onNewLayer(video);
    }
    return true;
}

std::unique_ptr<TJvSimpleXML> BuildPageDocument(const TWindowInfos& infos, const TLayerCollection& layers,
                                                const std::string& version, const TUnreadItems& unread)
{
    auto doc = std::make_unique<TJvSimpleXML>();
    doc->Options = TJvSimpleXML::AutoIndent | TJvSimpleXML::EncodeValues;
    TJvSimpleXMLElem& root = doc->Root();
    root.SetName("screen");
    root.Properties().Add("default", int64_t(infos.DefaultItem));
    root.Properties().Add("allowoverlay", BoolText(infos.AllowOverlay));
    root.Properties().Add("hasbg", BoolText(infos.HasBackground));
    root.Properties().Add("version", version);
    TJvSimpleXMLElem* items = root.Items().Add("items");

    TItemLayer* video = nullptr;
    for (int i = 0; i < layers.Count(); ++i) {
        auto* layer = dynamic_cast<TItemLayer*>(layers.Items(i));
        if (!layer)
            continue;
        if (IsVideoLayer(layer)) {
            if (!video)
                video = layer;
            continue;
        }
        TJvSimpleXMLElem* item = items->Items().Add("item");
        try {
            layer->SaveToXML(item, nullptr, false);
        } catch (...) {
            // One control that cannot write itself does not stop the page.
        }
    }
    for (const auto& elem : unread)
        items->Items().Add(elem->Clone());

    // The saved rectangle is the video layer's own.
    if (video && video->GetWidth() != 0 && video->GetHeight() != 0) {
        TJvSimpleXMLElem* v = root.Items().Add("videowindow");
        v->Properties().Add("x", int64_t(video->GetX()));
        v->Properties().Add("y", int64_t(video->GetY()));
        v->Properties().Add("width", int64_t(video->GetWidth()));
        v->Properties().Add("height", int64_t(video->GetHeight()));
    }
    const TWindowBackdrop& backdrop = infos.WindowBackdrop();
    if (!backdrop.DefaultFile().empty() || !backdrop.DynamicFile.empty()) {
        TJvSimpleXMLElem* b = root.Items().Add("Backdrop");
        b->Properties().Add("DefaultFile", backdrop.DefaultFile());
        b->Properties().Add("DynamicFile", backdrop.DynamicFile);
    }
    return doc;
}
