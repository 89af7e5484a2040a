#include "skinmodel/controls/VideoControl.h"

TOSDVideoControl::TOSDVideoControl(TLayerCollection* ALayerCollection) : TItemLayer(ALayerCollection)
{
    FTypeName = "Videowindow";
}
