// Qt's raster engine hands a blend of more than about 96 spans to its thread pool and waits for
// it; on a busy machine the wake-ups cost more than the blend. Drawing through clip bands of at
// most BandSpans rows (or columns) keeps every blend on the painting thread. A rectangular clip
// only drops pixels, so the result is the one a single call gives.
#pragma once

#include <QPainter>
#include <QRect>

#include <functional>

constexpr int BandSpans = 64;

// Calls draw once per band of `area` within `clip`: bands of rows for fills and pictures (a span
// per row), Qt::Vertical strips of columns for shallow lines (a span per pixel). An area of one
// band is drawn with the painter's clip as it is. The painter's clip is restored afterwards.
void PaintInBands(QPainter& p, const QRect& clip, const QRect& area, Qt::Orientation bands,
                  const std::function<void()>& draw);
