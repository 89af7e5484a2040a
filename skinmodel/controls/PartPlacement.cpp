#include "skinmodel/controls/PartPlacement.h"

#include "skinmodel/controls/ItemLayer.h"
#include "skinmodel/controls/KindHelpers.h"
#include "skinmodel/controls/TextLayer.h"

#include <algorithm>
#include <limits>

int32_t ClampToInt32(int64_t v)
{
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void PlacePart(TItemLayer& Part, int64_t X, int64_t Width, int64_t Y, int64_t Height)
{
    Part.SetX(ClampToInt32(X));
    Part.SetWidth(ClampToInt32(Width));
    Part.SetY(ClampToInt32(Y));
    Part.SetHeight(ClampToInt32(Height));
}

void PlacePicturesAndLabel(const TFloatRect& R, TItemLayer& Focus, TItemLayer& NoFocus, TTextLayer& Label,
                           int64_t Inset)
{
    TFloatRect r = R;
    Focus.SetLocation(r);
    NoFocus.SetLocation(r);
    if (Label.TextAlign == StringAlignmentNear)
        r.Left = ShiftedEdge(r.Left, Inset);
    Label.SetLocation(r);
}
