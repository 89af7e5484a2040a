// Helpers for the tests of the composite control kinds: the references a test runs with,
// round-trip options, saved values, pictures and previews.
#pragma once

#include "support/RoundTrip.h"

#include <QByteArray>
#include <QColor>
#include <QImage>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TItemLayer;

// Loads the references for the life of the scope (none for an empty text) and clears them after.
class TReferencesScope {
public:
    explicit TReferencesScope(std::string_view text);
    ~TReferencesScope();
    TReferencesScope(const TReferencesScope&) = delete;
    TReferencesScope& operator=(const TReferencesScope&) = delete;
};

// A w by h PNG of one colour, for a project's "images" folder.
QByteArray SolidPng(int w, int h, QColor color);

// Paints the control into a dark buffer of the given size and writes it as a PNG named
// fileName into the test output folder; returns the picture.
QImage WritePreview(TItemLayer& control, int width, int height, const char* fileName);
