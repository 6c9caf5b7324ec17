#pragma once

#include "platform/fontface.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class TCanvas;
struct TRect;

// Text of a printed report in one font: measured, wrapped into lines and drawn.
//
// Lines break at spaces, and inside words too long for the width (at least one character
// a line); the text's own line breaks are kept. Text that needs no shaping (a glyph of the
// font for every character, no marks, no right-to-left or complex script) is measured
// from the font face's kerned advances and drawn as ready-placed glyphs, collected until
// Flush draws them all at once: a report of thousands of records otherwise spends most of
// its time shaping every cell to measure it and again to draw it, and a PDF page pays for
// every separate piece of text. Other text is measured and drawn at once by the canvas,
// with full shaping.
class TReportFont
{
public:
    // Takes the canvas's current font on its device. That font must be the canvas's
    // font again whenever this draws or flushes.
    explicit TReportFont(TCanvas& canvas);

    int LineHeight() const { return m_lineHeight; }
    int Width(const QString& line) const;
    // The lines of text at the width, and how many there are; none for an empty text.
    QStringList Wrap(const QString& text, int width) const;
    int LineCount(const QString& text, int width) const;
    // Text wrapped to the width of box, the first line's top at y; lines that start below
    // the box are left out and what sticks out of it is cut off.
    void Draw(TCanvas& canvas, const TRect& box, int y, const QString& text);
    // One line as it is, its top-left at (x, y), not clipped.
    void DrawLine(TCanvas& canvas, int x, int y, const QString& line);
    // Draws what Draw and DrawLine collected.
    void Flush(TCanvas& canvas);

    // A line of a paragraph: characters [Start, End).
    struct Span
    {
        qsizetype Start = 0;
        qsizetype End = 0;
    };

private:
    bool MeasureSimple(QStringView paragraph) const;
    // Wraps the paragraph [start, end) of text into lines; true when it was measured the
    // simple way, which drawing then uses.
    bool WrapParagraph(const QString& text, qsizetype start, qsizetype end, int width,
                       std::vector<Span>& lines) const;
    // Characters [first, end) of the paragraph measured last, at (x, top); clipped to
    // box when given.
    void AddSimpleLine(TCanvas& canvas, int x, int top, qsizetype first, qsizetype end,
                       const TRect* box);
    // Draws the glyphs collected from index `from` on, and forgets them.
    void DrawPending(TCanvas& canvas, size_t from);

    std::shared_ptr<const TFontFace> m_face;
    int m_lineHeight = 0;
    int m_ascent = 0;
    // Underlined or struck out: each line is drawn at once with its own decoration,
    // the canvas's, so that report text is decorated like every other text.
    bool m_underline = false;
    bool m_strikeOut = false;
    // The paragraph last measured the simple way. Reused from paragraph to paragraph.
    mutable TPlacedGlyphs m_placed;
    mutable std::vector<Span> m_lines;
    // Glyphs waiting for Flush, placed on the page.
    std::vector<quint32> m_pendingGlyphs;
    std::vector<QPointF> m_pendingPositions;
};
