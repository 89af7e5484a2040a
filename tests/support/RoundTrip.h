// The round trip every control kind passes: random values in every published property (parts
// included), saved as a page item, read back through the text form and the factory, compared
// property by property. The saved item is given children that no kind reads first (an unknown
// value, "items" with an unknown child, a part of no known role, an unknown value in every
// part): saved again, each must end its own element, and values and text must hold once more.
// A kind joins with one line in a test file:
//
//   VARNHOLT_ROUND_TRIP_TEST(Label, "label")
//
// which runs the trip with the built-in references loaded and with no references at all, leaving
// out what KindTripOptions finds. A value that by its kind's design is not stored in the file is
// named in a skipping variant:
//
//   VARNHOLT_ROUND_TRIP_TEST_SKIPPING(ImageButton, "button3part", "IconImageWidth", "IconImageHeight")
#pragma once

#include "skinmodel/Published.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>
#include <vector>

struct TRoundTripOptions {
    bool WithReferences = true;
    // The references text; empty: the built-in references.
    std::string ReferencesText;
    // Property paths left out of the comparison ("IconImageWidth", "LabelControl.FontName").
    std::vector<std::string> Skip;
    int Rounds = 40;
    unsigned Seed = 20240611;
};

// Random values of every settable published property, parts recursively. Positions of parts
// are their owner's layout and are left alone.
void RandomizePublished(TPublished& object, std::mt19937& rng, bool isPart = false);

// The differences between two objects' published values, as "Path: expected ... got ...".
std::vector<std::string> ComparePublished(TPublished& expected, TPublished& actual,
                                          const std::vector<std::string>& skip = {},
                                          const std::string& path = {}, bool isPart = false);

// Runs the trip for a type keyword and reports every difference as a test failure.
void CheckRoundTrip(std::string_view keyword, const TRoundTripOptions& options = {});

// The options of a kind: the sizes of a spin control's pictures (found through the published
// sub-objects), laid out from a rectangle of any extent, are left out. With references, the
// navigation of a part that its owner clears on saving is left out too. `more` adds paths.
TRoundTripOptions KindTripOptions(std::string_view keyword, bool withReferences, std::vector<std::string> more = {});

#define VARNHOLT_ROUND_TRIP_TEST_SKIPPING(Kind, keyword, ...)                                  \
    TEST(RoundTrip_##Kind, WithBuiltInReferences)                                               \
    {                                                                                           \
        CheckRoundTrip(keyword, KindTripOptions(keyword, true, {__VA_ARGS__}));                 \
    }                                                                                           \
    TEST(RoundTrip_##Kind, WithoutReferences)                                                   \
    {                                                                                           \
        CheckRoundTrip(keyword, KindTripOptions(keyword, false, {__VA_ARGS__}));                \
    }

#define VARNHOLT_ROUND_TRIP_TEST(Kind, keyword) VARNHOLT_ROUND_TRIP_TEST_SKIPPING(Kind, keyword)
