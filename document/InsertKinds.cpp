#include "document/InsertKinds.h"

#include "canvas/Layers.h"
#include "skinmodel/ControlFactory.h"
#include "skinmodel/UGlobal.h"
#include "skinmodel/controls/ItemLayer.h"

#include <array>
#include <utility>

namespace {

// Insert kind and the keyword it is looked up and created by.
constexpr std::array<std::pair<int, const char*>, 18> KindKeywords = {{
    {1, "label"},          {2, "button"},        {3, "button3part"},  {4, "selectbutton"},
    {5, "togglebutton"},   {6, "checkmark"},     {7, "slider"},       {8, "spincontrol"},
    {9, "textbox"},        {10, "listcontrol"},  {11, "thumbnailpanel"}, {12, "tvlistcontrol"},
    {13, "menu"},          {14, "tickprogress"}, {15, "videowindow"}, {17, "progress"},
    {19, "numinput"},      {20, "edit"},
}};

TFloatRect SquareAround(QPoint centre)
{
    return TFloatRect{float(centre.x() - 32), float(centre.y() - 32), float(centre.x() + 32),
                      float(centre.y() + 32)};
}

} // namespace

int InsertKindOfTag(int tag)
{
    if (tag < 0 || tag >= int(ElementKindMap.size()))
        return -1;
    return ElementKindMap[std::size_t(tag)];
}

const char* InsertKindKeyword(int kind)
{
    for (const auto& [k, keyword] : KindKeywords)
        if (k == kind)
            return keyword;
    return nullptr;
}

TItemLayer* CreateInLayers(TLayerCollection& layers, const std::function<TItemLayer*()>& make)
{
    const int before = layers.Count();
    try {
        return make();
    } catch (...) {
        while (layers.Count() > before)
            layers.Delete(layers.Count() - 1);
        throw;
    }
}

TItemLayer* CreateInsertedControl(TLayerCollection& layers, int kind, QPoint centre)
{
    const char* keyword = InsertKindKeyword(kind);
    if (!keyword)
        return nullptr;
    TOSDControlFactory& factory = OSDControlFactory();
    return CreateInLayers(layers, [&]() -> TItemLayer* {
        if (kind == InsertKindVideoWindow) {
            TItemLayer* video = factory.CreateKind(keyword, &layers);
            if (video)
                video->SetLocation(SquareAround(centre));
            return video;
        }
        TJvSimpleXMLElem* reference = factory.FindReference(keyword);
        // The reference element is the type's default itself; only the thumbnail panel reads it twice.
        if (TItemLayer* control = factory.CreateControl(&layers, reference, kind == InsertKindThumbnailPanel))
            return control;
        TItemLayer* bare = factory.CreateKind(keyword, &layers);
        if (bare && kind != InsertKindThumbnailPanel)
            bare->SetLocation(SquareAround(centre));
        return bare;
    });
}
