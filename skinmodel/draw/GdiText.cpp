#include "skinmodel/draw/GdiText.h"

#include "platform/core/Codec1252.h"
#include "skinmodel/draw/GdiFont.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace {

struct TTextLine {
    QString Text;
    int64_t Width = 0;
};

int64_t FloorHalf(int64_t v)
{
    return v >= 0 ? v / 2 : -((-v + 1) / 2);
}

int ClampInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Advances of text in one font, with tab stops every eight average characters when tabs expand.
class TTextMeasure {
public:
    TTextMeasure(const QFont& font, uint32_t flags)
        : FMetrics(font)
    {
        FTab = 8 * int64_t(std::max(1, FMetrics.averageCharWidth()));
        FLineHeight = std::max(1, FMetrics.height() + ((flags & DT_EXTERNALLEADING) ? FMetrics.leading() : 0));
    }

    const QFontMetrics& Metrics() const { return FMetrics; }
    int64_t LineHeight() const { return FLineHeight; }

    // The pen position after `s` drawn from position x (relative to the line start).
    int64_t AdvanceFrom(int64_t x, const QString& s) const
    {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= s.size(); ++i) {
            if (i < s.size() && s[i] != u'\t')
                continue;
            if (i > start)
                x += Advance(s.mid(start, i - start));
            if (i < s.size())
                x = (x >= 0 ? x / FTab + 1 : 0) * FTab;
            start = i + 1;
        }
        return x;
    }

    int64_t Width(const QString& s) const { return AdvanceFrom(0, s); }

private:
    // A line is measured when laid out, again for its place and once more for the pen after it:
    // each text is shaped only once per call.
    int64_t Advance(const QString& run) const
    {
        if (const auto it = FAdvances.constFind(run); it != FAdvances.cend())
            return *it;
        const int64_t advance = FMetrics.horizontalAdvance(run);
        FAdvances.insert(run, advance);
        return advance;
    }

    QFontMetrics FMetrics;
    mutable QHash<QString, int64_t> FAdvances;
    int64_t FTab = 8;
    int64_t FLineHeight = 1;
};

// The text as it is laid out: tabs dropped unless they expand, line breaks only between lines.
QString PrepareText(std::string_view text, uint32_t flags)
{
    QString s = FromWin1252(text);
    if (!(flags & DT_EXPANDTABS))
        s.remove(u'\t');
    if (flags & DT_SINGLELINE) {
        s.remove(u'\r');
        s.remove(u'\n');
    }
    return s;
}

std::vector<QString> SplitParagraphs(const QString& s, uint32_t flags)
{
    std::vector<QString> pars;
    if (flags & DT_SINGLELINE) {
        pars.push_back(s);
        return pars;
    }
    qsizetype start = 0;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] != u'\r' && s[i] != u'\n')
            continue;
        pars.push_back(s.mid(start, i - start));
        if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    // A break at the very end starts no further line.
    if (start < s.size())
        pars.push_back(s.mid(start));
    return pars;
}

// Greedy breaking between words; a word wider than the rectangle keeps a line of its own.
void BreakParagraph(const QString& p, int64_t maxWidth, const TTextMeasure& m, std::vector<TTextLine>& lines)
{
    const qsizetype n = p.size();
    if (n == 0) {
        lines.push_back({});
        return;
    }
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lineStart = i;
        qsizetype lastEnd = -1;
        int64_t x = 0;
        qsizetype j = i;
        while (j < n) {
            qsizetype k = j;
            while (k < n && IsBlank(p[k]))
                ++k;
            qsizetype e = k;
            while (e < n && !IsBlank(p[e]))
                ++e;
            if (e == k)
                break;
            const int64_t next = m.AdvanceFrom(x, p.mid(j, e - j));
            if (next > maxWidth && lastEnd >= 0)
                break;
            x = next;
            lastEnd = e;
            j = e;
        }
        if (lastEnd < 0) {  // nothing but blanks
            const QString rest = p.mid(lineStart);
            lines.push_back({rest, m.Width(rest)});
            return;
        }
        lines.push_back({p.mid(lineStart, lastEnd - lineStart), x});
        i = lastEnd;
        while (i < n && IsBlank(p[i]))
            ++i;
    }
}

// The longest start of the line that fits with "..." after it.
void AddEllipsis(TTextLine& line, int64_t maxWidth, const TTextMeasure& m)
{
    const QString dots = QStringLiteral("...");
    // No printing character is narrower than a pixel: a longer start cannot fit.
    qsizetype lo = 0, hi = std::min<qsizetype>(line.Text.size(), qsizetype(std::max<int64_t>(0, maxWidth)) + 1);
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo + 1) / 2;
        if (m.Width(line.Text.left(mid) + dots) <= maxWidth)
            lo = mid;
        else
            hi = mid - 1;
    }
    line.Text = line.Text.left(lo) + dots;
    line.Width = m.Width(line.Text);
}

std::vector<TTextLine> LayOut(const QString& s, int64_t width, uint32_t flags, const TTextMeasure& m)
{
    std::vector<TTextLine> lines;
    const bool wrap = (flags & DT_WORDBREAK) && !(flags & DT_SINGLELINE);
    for (const QString& p : SplitParagraphs(s, flags)) {
        if (wrap)
            BreakParagraph(p, width, m, lines);
        else
            lines.push_back({p, m.Width(p)});
    }
    if (!(flags & DT_CALCRECT) && (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)))
        for (TTextLine& line : lines)
            if (line.Width > width)
                AddEllipsis(line, width, m);
    return lines;
}

// The columns that the glyphs of a line drawn from 0 touch, as (left, right exclusive).
std::pair<int64_t, int64_t> InkOf(const QString& line, const TTextMeasure& m)
{
    int64_t left = 0, right = 0, pen = 0;
    qsizetype start = 0;
    for (qsizetype c = 0; c <= line.size(); ++c) {
        if (c < line.size() && line[c] != u'\t')
            continue;
        const QString run = line.mid(start, c - start);
        if (!run.isEmpty()) {
            const QRect ink = m.Metrics().boundingRect(run);
            left = std::min(left, pen + ink.left());
            right = std::max(right, pen + ink.left() + ink.width());
        }
        pen = m.AdvanceFrom(pen, run + (c < line.size() ? QStringLiteral("\t") : QString()));
        start = c + 1;
    }
    return {left, right};
}

// A line cut this far beyond the rectangle draws the same inside it as the whole line.
constexpr int64_t CutMargin = 256;

// Whether the lines of a start of the text show in a rectangle of `width` by `lines` lines as the
// lines of the whole text do. Every line but the last is final: a line ends where the next word
// does not fit, and a word cut short fits no better than the whole. The last one may go on.
bool ShowsAsTheWhole(const std::vector<TTextLine>& laidOut, int64_t width, int64_t lines, uint32_t flags,
                     const TTextMeasure& m)
{
    const int64_t n = int64_t(laidOut.size());
    if (n < lines)
        return false;
    // A last line cut this far beyond the rectangle goes on at least as wide in the whole text.
    const TTextLine& last = laidOut.back();
    const bool lastCut = last.Width > width + CutMargin && last.Text.size() > width + 1;
    if (n == lines) {
        // The last line showing goes on: only its start shows when it is cut beyond the rectangle
        // (an ellipsis needs no more than one character a pixel). A centred or right-aligned line
        // without an ellipsis is placed by its whole width.
        const bool cutShows =
            (flags & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS)) || !(flags & (DT_CENTER | DT_RIGHT));
        return cutShows && lastCut;
    }
    // The lines that show are final, but the text bitmap is as wide as the widest line of the whole
    // text, up to the rectangle: the hidden rest may hold a wider line. One as wide settles it.
    if (lastCut)
        return true;
    int64_t finalWidth = 0;
    for (int64_t i = 0; i + 1 < n; ++i)
        finalWidth = std::max(finalWidth, laidOut[size_t(i)].Width);
    if (finalWidth >= width)
        return true;
    // Else the bitmap is between the widest final line and the rectangle wide. A centred line moves
    // with it; a left- or right-aligned one only loses the ink that the bitmap's far side cuts off.
    if (flags & DT_CENTER)
        return false;
    for (int64_t i = 0; i < lines; ++i) {
        const TTextLine& line = laidOut[size_t(i)];
        const auto [inkLeft, inkRight] = InkOf(line.Text, m);
        if ((flags & DT_RIGHT) ? inkLeft < line.Width - finalWidth : inkRight > finalWidth)
            return false;
    }
    return true;
}

// Index of the first character of `s` whose right edge passes x (s drawn from 0, no tabs).
qsizetype CharAt(const QString& s, int64_t x, const TTextMeasure& m)
{
    qsizetype lo = 0, hi = s.size();
    while (lo < hi) {
        const qsizetype mid = lo + (hi - lo) / 2;
        if (m.Width(s.left(mid + 1)) <= x)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// Draws a run without tabs at pen position x; very long runs are cut to what the window can show,
// keeping glyph coordinates small.
void DrawRun(QPainter& p, const QString& run, int64_t x, int64_t baseline, int64_t runWidth, int64_t visLeft,
             int64_t visRight, const TTextMeasure& m)
{
    if (run.isEmpty() || x >= visRight || x + runWidth <= visLeft)
        return;
    QString shown = run;
    int64_t sx = x;
    constexpr int64_t margin = 256;
    if (runWidth > 8192 && (x < visLeft - margin || x + runWidth > visRight + margin)) {
        const qsizetype first = std::max<qsizetype>(0, CharAt(run, visLeft - margin - x, m) - 1);
        const qsizetype last = std::min<qsizetype>(run.size(), CharAt(run, visRight + margin - x, m) + 2);
        sx = x + m.Width(run.left(first));
        shown = run.mid(first, last - first);
    }
    p.drawText(QPointF(double(sx), double(baseline)), shown);
}

int DrawTextImpl(QImage* image, const QPoint& origin, const TFont32& font, std::string_view text, QRect& rect,
                 uint32_t flags)
{
    const QFont qfont = QFontFromFont32(font);
    const TTextMeasure m(qfont, flags);
    const int64_t left = rect.left(), top = rect.top();
    const int64_t width = int64_t(rect.right()) - left + 1, height = int64_t(rect.bottom()) - top + 1;
    const std::vector<TTextLine> lines = LayOut(PrepareText(text, flags), width, flags, m);
    const int64_t lh = m.LineHeight();
    const bool single = flags & DT_SINGLELINE;
    const int64_t textHeight = int64_t(lines.size()) * lh;

    if (flags & DT_CALCRECT) {
        int64_t widest = 0;
        for (const TTextLine& line : lines)
            widest = std::max(widest, line.Width);
        rect.setRight(ClampInt(left + widest - 1));
        rect.setBottom(ClampInt(top + textHeight - 1));
        return ClampInt(textHeight);
    }

    int64_t y = top;
    if (single && (flags & DT_VCENTER))
        y = top + FloorHalf(height) - FloorHalf(lh);
    else if (single && (flags & DT_BOTTOM))
        y = top + height - lh;
    const int result = ClampInt(single && (flags & (DT_VCENTER | DT_BOTTOM)) ? y - top + lh : textHeight);

    if (!image || image->isNull() || lines.empty())
        return result;
    int64_t visLeft = origin.x(), visTop = origin.y();
    int64_t visRight = visLeft + image->width(), visBottom = visTop + image->height();
    if (!(flags & DT_NOCLIP)) {
        visLeft = std::max(visLeft, left);
        visTop = std::max(visTop, top);
        visRight = std::min(visRight, left + width);
        visBottom = std::min(visBottom, top + height);
    }
    if (visLeft >= visRight || visTop >= visBottom)
        return result;

    QPainter p(image);
    p.setRenderHint(QPainter::TextAntialiasing, font.Quality != NONANTIALIASED_QUALITY);
    p.setFont(qfont);
    p.setPen(QColor::fromRgba(font.Color));
    // Work in window coordinates so that glyph positions stay small.
    p.setClipRect(QRect(int(visLeft - origin.x()), int(visTop - origin.y()), int(visRight - visLeft),
                        int(visBottom - visTop)));
    const int64_t ox = origin.x(), oy = origin.y();
    const int ascent = m.Metrics().ascent();
    for (size_t i = 0; i < lines.size(); ++i, y += lh) {
        if (y + lh <= visTop)
            continue;
        if (y >= visBottom)
            break;
        const TTextLine& line = lines[i];
        int64_t x = left;
        if (flags & DT_CENTER)
            x = left + FloorHalf(width - line.Width);
        else if (flags & DT_RIGHT)
            x = left + width - line.Width;
        // Runs between tabs, each at its tab stop.
        int64_t pen = 0;
        qsizetype start = 0;
        for (qsizetype c = 0; c <= line.Text.size(); ++c) {
            if (c < line.Text.size() && line.Text[c] != u'\t')
                continue;
            const QString run = line.Text.mid(start, c - start);
            const int64_t runWidth = m.Width(run);
            DrawRun(p, run, x + pen - ox, y + ascent - oy, runWidth, visLeft - ox, visRight - ox, m);
            pen = m.AdvanceFrom(pen, run + (c < line.Text.size() ? QStringLiteral("\t") : QString()));
            start = c + 1;
        }
    }
    return result;
}

} // namespace

size_t ShownLength(const TFont32& font, std::string_view text, const QRect& rect, uint32_t flags)
{
    const int64_t width = int64_t(rect.right()) - rect.left() + 1, height = int64_t(rect.bottom()) - rect.top() + 1;
    // Fewer characters than pixels across are taken whole without measuring (see the guess below).
    if (width <= 0 || height <= 0 || int64_t(text.size()) <= width + 2)
        return text.size();
    const TTextMeasure m(QFontFromFont32(font), flags);
    // The lines that can show, the last perhaps in part: lines start at the top whatever the
    // vertical flags, and text taller than the rectangle is drawn from its top.
    const int64_t lines = (flags & DT_SINGLELINE) ? 1 : (height + m.LineHeight() - 1) / m.LineHeight();
    // A first guess at a start long enough, from the average character; a text no longer is
    // taken whole. Then a start twice as long each time, until it shows as the whole would.
    const double perLine = 2.0 * double(width + CutMargin) / std::max(1, m.Metrics().averageCharWidth()) + 1;
    const double guess = double(lines) * perLine + double(width + 2);
    if (guess >= double(text.size()))
        return text.size();
    for (size_t length = size_t(guess); length < text.size(); length *= 2) {
        const QString start = PrepareText(text.substr(0, length), flags);
        if (ShowsAsTheWhole(LayOut(start, width, flags | DT_CALCRECT, m), width, lines, flags, m))
            return length;
    }
    return text.size();
}

int DrawText(TBitmap32& bitmap, std::string_view text, QRect& rect, uint32_t flags)
{
    if (flags & DT_CALCRECT)
        return DrawTextImpl(nullptr, QPoint(), bitmap.Font, text, rect, flags);
    if (bitmap.Empty())
        return 0;
    return DrawTextImpl(&bitmap.Image(), QPoint(0, 0), bitmap.Font, text, rect, flags);
}

int MeasureText(const TFont32& font, std::string_view text, QRect& rect, uint32_t flags)
{
    return DrawTextImpl(nullptr, QPoint(), font, text, rect, flags);
}

int DrawTextOnImage(QImage& image, const QPoint& origin, const TFont32& font, std::string_view text, QRect& rect,
                    uint32_t flags)
{
    return DrawTextImpl(&image, origin, font, text, rect, flags);
}
