#include "editor/translate/CommaText.h"

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Delimiter = u',';

bool IsBlankOrControl(QChar c)
{
    return c.unicode() <= u' ';
}

bool NeedsQuotes(const QString& line)
{
    for (QChar c : line)
        if (IsBlankOrControl(c) || c == Quote || c == Delimiter)
            return true;
    return false;
}

QString Quoted(const QString& line)
{
    QString out(Quote);
    for (QChar c : line) {
        if (c == Quote)
            out += Quote;
        out += c;
    }
    return out + Quote;
}

// Reads a quoted line from `pos` (at the opening quote); a missing closing quote takes the rest.
QString ExtractQuoted(const QString& text, qsizetype& pos)
{
    QString out;
    ++pos;
    while (pos < text.size()) {
        const QChar c = text[pos++];
        if (c != Quote) {
            out += c;
            continue;
        }
        if (pos < text.size() && text[pos] == Quote) {
            out += Quote;
            ++pos;
            continue;
        }
        break;
    }
    return out;
}

// Line ends inside the text are control characters too; NUL ends the text as it ends a C string.
void SkipBlanks(const QString& text, qsizetype& pos)
{
    while (pos < text.size() && text[pos].unicode() != 0 && IsBlankOrControl(text[pos]))
        ++pos;
}

} // namespace

QString GetCommaText(const QStringList& lines)
{
    if (lines.size() == 1 && lines.front().isEmpty())
        return QString(2, Quote);
    QStringList parts;
    for (const QString& line : lines)
        parts << (NeedsQuotes(line) ? Quoted(line) : line);
    return parts.join(Delimiter);
}

QStringList SetCommaText(const QString& text)
{
    QStringList lines;
    qsizetype pos = 0;
    SkipBlanks(text, pos);
    while (pos < text.size() && text[pos].unicode() != 0) {
        if (text[pos] == Quote) {
            lines << ExtractQuoted(text, pos);
        } else {
            const qsizetype start = pos;
            while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != Delimiter)
                ++pos;
            lines << text.mid(start, pos - start);
        }
        SkipBlanks(text, pos);
        if (pos < text.size() && text[pos] == Delimiter) {
            if (pos + 1 >= text.size())
                lines << QString();
            ++pos;
            SkipBlanks(text, pos);
        }
    }
    return lines;
}
