#include "skinmodel/controls/TextLayer.h"
#include "support/ControlXml.h"
#include "support/RoundTrip.h"

#include <gtest/gtest.h>

VARNHOLT_ROUND_TRIP_TEST(Label, "label")
