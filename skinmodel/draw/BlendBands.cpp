#include "skinmodel/draw/BlendBands.h"

#include <algorithm>

void PaintInBands(QPainter& p, const QRect& clip, const QRect& area, Qt::Orientation bands,
                  const std::function<void()>& draw)
{
    const QRect target = area.intersected(clip);
    if (target.isEmpty())
        return;
    const bool rows = bands == Qt::Horizontal;
    const int first = rows ? target.top() : target.left();
    const int last = rows ? target.bottom() : target.right();
    if (last - first < BandSpans) {
        draw();
        return;
    }
    p.save();
    for (int start = first; start <= last; start += BandSpans) {
        const int size = std::min(BandSpans, last - start + 1);
        p.setClipRect(rows ? QRect(target.left(), start, target.width(), size)
                           : QRect(start, target.top(), size, target.height()));
        draw();
    }
    p.restore();
}
