// Aids of the control kind tests: a temporary skin project as the current project folder, the
// references a test runs with, previews written for a reviewer, and the check every kind passes
// under bad geometry.
#pragma once

#include "canvas/Bitmap32.h"
#include "skinmodel/controls/ItemLayer.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Loads the references for the life of the scope (none for an empty text) and clears them after.
class TReferencesScope {
public:
    explicit TReferencesScope(std::string_view text);
    ~TReferencesScope();
    TReferencesScope(const TReferencesScope&) = delete;
    TReferencesScope& operator=(const TReferencesScope&) = delete;
};

// The project folder while a test runs, the factory's references cleared before and after.
class KindTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void UseBuiltInReferences();
    // Writes a file of the project (for example "images/a.png" or "font.xml").
    QString WriteProjectFile(const QString& name, const QByteArray& bytes);
    // Leaves the project: nothing is read from any folder.
    void CloseProject();

    QTemporaryDir Project;
};

// Writes the picture as VARNHOLT_TEST_OUTPUT/<name>.png for a reviewer to look at.
void SavePreview(const QImage& image, const std::string& name);
// Paints the control into a buffer cleared to 0xFF202020 and saves it with SavePreview.
TBitmap32 PaintPreview(TItemLayer& control, int width, int height, const std::string& name);

// A rectangle no control should be harmed by, and the four every kind family is tried with:
// empty, inverted, huge and far off.
struct TBadRect {
    const char* name;
    TFloatRect rect;
};
std::vector<TBadRect> BadRects();
// Makes a control of the kind at the rectangle, lets Prepare set its values, paints it into a
// small buffer, then again in measuring mode, and saves it (no references): the control's own
// area is reported last both times, measuring draws nothing, and the text it saves reads back as
// a control of the same kind.
void ExpectPaintsMeasuresAndSaves(std::string_view keyword, const TFloatRect& rect,
                                  const std::function<void(TItemLayer&)>& prepare);
