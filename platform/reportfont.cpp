// Wrapping is greedy: words join a line while it stays within the width, and a word wider
// than the width is cut where it fills a line. One algorithm serves both ways of
// measuring: from the kerned advances of a paragraph measured once (simple text), or by
// shaping each candidate line (anything else).
#include "platform/reportfont.h"

#include "platform/canvas.h"

#include <QGlyphRun>

#include <algorithm>

namespace {

using TSpan = TReportFont::Span;

// The end of the character at `at` in [at, end): a surrogate pair is one character.
qsizetype CharacterEnd(const QString& text, qsizetype at, qsizetype end)
{
    const bool pair = text[at].isHighSurrogate() && at + 1 < end && text[at + 1].isLowSurrogate();
    return at + (pair ? 2 : 1);
}

// The end of the longest start of [start, end) that is no wider than width: at least one
// character, and never between the halves of a surrogate pair.
template <typename Measure>
qsizetype FittingEnd(const QString& text, qsizetype start, qsizetype end, int width,
                     const Measure& measure)
{
    const qsizetype least = CharacterEnd(text, start, end);
    qsizetype low = least, high = end;
    while (low < high) {
        const qsizetype mid = (low + high + 1) / 2;
        if (measure(start, mid) <= width)
            low = mid;
        else
            high = mid - 1;
    }
    if (low > least && text[low - 1].isHighSurrogate()) --low;
    return low;
}

// Wraps the paragraph [start, end) of text; measure(a, b) is the width of characters
// [a, b). Blanks where a line breaks are dropped, others kept.
template <typename Measure>
void WrapGreedy(const QString& text, qsizetype start, qsizetype end, int width,
                const Measure& measure, std::vector<TSpan>& lines)
{
    TSpan line{start, start}; // empty until a word is on it
    qsizetype word = start;
    while (true) {
        qsizetype wordEnd = word;
        while (wordEnd < end && text[wordEnd] != QLatin1Char(' '))
            ++wordEnd;
        const bool started = line.End > line.Start;
        if (measure(started ? line.Start : word, wordEnd) <= width) {
            if (!started) line.Start = word;
            line.End = wordEnd;
        } else {
            if (started) lines.push_back(line);
            qsizetype piece = word;
            while (CharacterEnd(text, piece, wordEnd) < wordEnd &&
                   measure(piece, wordEnd) > width) {
                const qsizetype fit = FittingEnd(text, piece, wordEnd, width, measure);
                lines.push_back({piece, fit});
                piece = fit;
            }
            line = {piece, wordEnd};
        }
        if (wordEnd >= end) break;
        word = wordEnd + 1;
    }
    lines.push_back(line);
}

// Calls paragraph(start, end) for each run of text between line breaks.
template <typename Paragraph> bool ForEachParagraph(const QString& text, Paragraph paragraph)
{
    qsizetype start = 0;
    while (true) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0) end = text.size();
        if (!paragraph(start, end)) return false;
        if (end >= text.size()) return true;
        start = end + 1;
    }
}

} // namespace

TReportFont::TReportFont(TCanvas& canvas)
    : m_face(TFontFace::Of(canvas.Font(), canvas.Device())),
      m_lineHeight(m_face->Metrics().height()), m_ascent(m_face->Metrics().ascent()),
      m_underline(m_face->Font().underline()), m_strikeOut(m_face->Font().strikeOut())
{
}

bool TReportFont::MeasureSimple(QStringView paragraph) const
{
    return m_face->Place(paragraph, m_placed);
}

bool TReportFont::WrapParagraph(const QString& text, qsizetype start, qsizetype end, int width,
                                std::vector<Span>& lines) const
{
    if (MeasureSimple(QStringView(text).mid(start, end - start))) {
        WrapGreedy(
            text, start, end, width,
            [this, start](qsizetype a, qsizetype b) {
                return qRound(m_placed.SpanWidth(a - start, b - start));
            },
            lines);
        return true;
    }
    WrapGreedy(
        text, start, end, width,
        [this, &text](qsizetype a, qsizetype b) {
            return m_face->Metrics().horizontalAdvance(text.mid(a, b - a));
        },
        lines);
    return false;
}

int TReportFont::Width(const QString& line) const
{
    return m_face->Width(line);
}

QStringList TReportFont::Wrap(const QString& text, int width) const
{
    QStringList lines;
    if (text.isEmpty()) return lines;
    ForEachParagraph(text, [&](qsizetype start, qsizetype end) {
        m_lines.clear();
        WrapParagraph(text, start, end, std::max(1, width), m_lines);
        for (const Span& line : m_lines)
            lines << text.mid(line.Start, line.End - line.Start);
        return true;
    });
    return lines;
}

int TReportFont::LineCount(const QString& text, int width) const
{
    if (text.isEmpty()) return 0;
    size_t count = 0;
    ForEachParagraph(text, [&](qsizetype start, qsizetype end) {
        m_lines.clear();
        WrapParagraph(text, start, end, std::max(1, width), m_lines);
        count += m_lines.size();
        return true;
    });
    return static_cast<int>(count);
}

void TReportFont::Draw(TCanvas& canvas, const TRect& box, int y, const QString& text)
{
    if (text.isEmpty()) return;
    const int width = std::max(1, box.Width());
    ForEachParagraph(text, [&](qsizetype start, qsizetype end) {
        m_lines.clear();
        const bool simple = WrapParagraph(text, start, end, width, m_lines);
        for (const Span& line : m_lines) {
            if (y >= box.Bottom) return false;
            if (simple)
                AddSimpleLine(canvas, box.Left, y, line.Start - start, line.End - start, &box);
            else
                canvas.TextRect(box, box.Left, y, text.mid(line.Start, line.End - line.Start));
            y += m_lineHeight;
        }
        return true;
    });
}

void TReportFont::DrawLine(TCanvas& canvas, int x, int y, const QString& line)
{
    if (MeasureSimple(line))
        AddSimpleLine(canvas, x, y, 0, line.size(), nullptr);
    else
        canvas.TextOut(x, y, line);
}

void TReportFont::AddSimpleLine(TCanvas& canvas, int x, int top, qsizetype first, qsizetype end,
                                const TRect* box)
{
    if (end <= first) return;
    const qreal origin = m_placed.Starts[first];
    const int baseline = top + m_ascent;
    const size_t mark = m_pendingGlyphs.size();
    // Glyphs sit on whole device units (1/300 inch on a PDF page), which no eye can tell
    // apart; the PDF writer then writes each glyph's place as a short whole number.
    for (qsizetype i = first; i < end; ++i) {
        m_pendingGlyphs.push_back(m_placed.Glyphs[i]);
        m_pendingPositions.emplace_back(x + qRound(m_placed.Starts[i] - origin), baseline);
    }
    const int width = qRound(m_placed.SpanWidth(first, end));
    const bool clipped = box && !(box->Left <= x && x + width <= box->Right && box->Top <= top &&
                                  top + m_lineHeight <= box->Bottom);
    if (!clipped && !m_underline && !m_strikeOut) return;
    // Rare (a character wider than its column, a row cut at the foot of a page): this
    // line alone, clipped.
    if (clipped) {
        canvas.SaveState();
        canvas.IntersectClipRect(*box);
    }
    DrawPending(canvas, mark);
    if (m_underline || m_strikeOut) {
        const TTextLineSpan line{x, baseline, m_placed.SpanWidth(first, end)};
        canvas.DrawTextDecorations(*m_face, std::span(&line, 1));
    }
    if (clipped) canvas.RestoreState();
}

void TReportFont::Flush(TCanvas& canvas)
{
    DrawPending(canvas, 0);
}

void TReportFont::DrawPending(TCanvas& canvas, size_t from)
{
    if (from < m_pendingGlyphs.size()) {
        QGlyphRun run;
        run.setRawFont(m_face->RawFont());
        run.setRawData(m_pendingGlyphs.data() + from, m_pendingPositions.data() + from,
                       static_cast<int>(m_pendingGlyphs.size() - from));
        canvas.DrawGlyphRun(0, 0, run);
    }
    m_pendingGlyphs.resize(from);
    m_pendingPositions.resize(from);
}
