// The page file: reading a page document into page settings and control layers, and building the
// document back from them. No widgets, so it is tested without a window.
#pragma once

#include "document/WindowInfos.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TItemLayer;
class TJvSimpleXML;
class TJvSimpleXMLElem;
class TLayerCollection;

using TUnreadItems = std::vector<std::unique_ptr<TJvSimpleXMLElem>>;

// Page text for the "version" attribute.
inline constexpr const char* PageFormatVersion = "Kestralon OSDSkin 1.1";
// The description of the video window made from a page's "videowindow" element.
inline constexpr const char* VideoWindowDescription = "Videowindow - Non rendering Windowitem";

// Why `doc` is no page, in the parser's form of message: its root is not exactly "screen", or it has
// none. Empty for a page.
std::string PageRootFault(const TJvSimpleXML& doc);

// Reads `doc` when its root is exactly "screen" (else false, nothing changed). Every item that
// cannot become a control is copied into `unread` unchanged; `onNewLayer` is called for every new
// control layer, the video window included.
bool ReadPageDocument(TJvSimpleXML* doc, TWindowInfos& infos, TLayerCollection& layers, TUnreadItems& unread,
                      const std::function<void(TItemLayer*)>& onNewLayer);

// The page document: root attributes, one item per control layer (the video window excepted),
// the unread items, the video window and the backdrop. Layers other than controls are skipped.
std::unique_ptr<TJvSimpleXML> BuildPageDocument(const TWindowInfos& infos, const TLayerCollection& layers,
                                                const std::string& version, const TUnreadItems& unread);

// The first video-window layer of the page, or none.
TItemLayer* FindVideoLayer(const TLayerCollection& layers);
