// The controls the Elements menu inserts: the kind behind each menu number, the type keyword whose
// default description a kind is made from, and the making itself. No widgets.
#pragma once

#include <QPoint>

#include <functional>

class TItemLayer;
class TLayerCollection;

// Insert kinds with a meaning of their own.
inline constexpr int InsertKindImage = 0;
inline constexpr int InsertKindThumbnailPanel = 11;
inline constexpr int InsertKindVideoWindow = 15;

// The insert kind of an Elements menu number; -1 for a number outside the table.
int InsertKindOfTag(int tag);
// The type keyword of an insert kind; none for the image (made from a picture) and unknown kinds.
const char* InsertKindKeyword(int kind);

// Makes a control in `layers`. Whatever `make` added is removed again when it fails, and the
// failure is passed on, so a half-read control never stays on the canvas.
TItemLayer* CreateInLayers(TLayerCollection& layers, const std::function<TItemLayer*()>& make);

// A control of an insert kind other than the image: made from its type's default description at
// the description's place, else its bare class as a 64 by 64 square centred on `centre` (the
// thumbnail panel keeps its constructor's place, the video window is always the square). None when
// the factory cannot make the kind.
TItemLayer* CreateInsertedControl(TLayerCollection& layers, int kind, QPoint centre);
