#pragma once

// Internals of the markup renderer shared by its line routine, tag handlers, images and
// form controls. Not for callers: they use markup/htmldraw.h.
#include "markup/htmldraw.h"
#include "markup/htmlrun.h"
#include "markup/htmlstyle.h"
#include "markup/htmltag.h"

#include "platform/canvas.h"

#include <QGlyphRun>
#include <QPointF>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>

#include <vector>

// Coordinates are kept within this range so that absurd sizes cannot overflow.
constexpr int HTMLCoordinateLimit = 1 << 28;
int ClampCoordinate(long long value);

// Each line is laid out twice from the same style: once to measure it, and once at its
// aligned position to paint it or only to hit-test it.
enum class THTMLPass { Measure, Paint, HitTest };

// Vertical position of the text in a line with an image: ALIGN="TOP" or "MIDDLE".
enum class THTMLTextAlign { Bottom, Middle, Top };

// What the measuring pass learns about a line, and the hits of the second pass.
struct THTMLLineMetrics
{
    int Width = 0;      // advance of everything on the line
    int Height = 0;     // tallest text, image or control
    int Below = 0;      // room for subscripts
    int Above = 0;      // room for superscripts
    int TextBand = 0;   // tallest text
    int TextOffset = 0; // text raised by an image's ALIGN
    THTMLTextAlign TextAlign = THTMLTextAlign::Bottom;
    int Align = 0; // 0 left, 1 right, 2 centre
    int Indent = 0;
    TColor ParagraphBackground = clNone; // band filled across the rectangle
    bool LinkHit = false;                // the point lies on link text
    bool ObjectHit = false; // the point lies on a form control or an image inside a link

    int FullHeight() const { return Above + Height + Below; }
};

// One pass over one line.
struct THTMLLine
{
    THTMLPass Pass = THTMLPass::Measure;
    int OriginX = 0; // canvas x where the line's content starts
    int Top = 0;
    THTMLLineMetrics Layout; // the measured line (used by the second pass)
    THTMLLineMetrics Out;    // what this pass finds
    int Offset = 0;          // the pen, relative to OriginX
    bool Placed = false;     // something was laid out on this line
    bool Breakable = false;  // the line may end before the next item
    bool SeenListItem = false;
    bool Cut = false;   // a run ended in "...": the rest of the line does not show
    size_t NextRun = 0; // the painting pass reads the measured run widths in order

    bool Measuring() const { return Pass == THTMLPass::Measure; }
    bool Painting() const { return Pass == THTMLPass::Paint; }
    int X() const { return ClampCoordinate(static_cast<long long>(OriginX) + Offset); }
    int Bottom() const { return Top + Layout.FullHeight(); }
    // Bottom of text in the given style: above the subscript room, raised for
    // superscripts and by an image's ALIGN.
    int TextBottom(const THTMLStyle& style) const;
    void Advance(int width) { Offset = ClampCoordinate(static_cast<long long>(Offset) + width); }
};

class TFontFace;

// Runs of simple text painted since the last tag on a line, drawn together as one glyph
// run: between two tags a line's runs share font and colour, and drawing each alone
// costs more than its glyphs. Nothing else is painted while a batch is open.
// Underlines and strike-outs (links) follow the glyphs, one per run as each run would
// have drawn them: in the text colour, a line over glyphs of that colour comes out the
// same in either order.
struct THTMLTextBatch
{
    const TFontFace* Face = nullptr;
    QVarLengthArray<quint32, 128> Glyphs;
    QVarLengthArray<QPointF, 128> Positions; // on the canvas
    QVarLengthArray<TTextLineSpan, 8> Decorated;
    // One glyph run for the call: a new one per batch costs as much as a few glyphs.
    QGlyphRun Run;
};

// Everything one call of HTMLDrawEx works with.
class THTMLDrawContext
{
public:
    THTMLDrawContext(TCanvas& canvas, const THTMLDrawParams& params, THTMLDrawResult& result,
                     const TRect& rect, QString text);

    TCanvas& Canvas;
    const THTMLDrawParams& Params;
    THTMLDrawResult& Result;
    const TRect Rect;
    const QString Text;
    const unsigned TextFlags;
    const TColor StartBrushColor;
    THTMLStyle Style;
    // Run widths of the line being laid out: the measuring pass writes them and the second
    // pass reads them back, so each run is measured once.
    std::vector<THTMLRunWidth> RunWidths;
    THTMLTextBatch TextBatch;

    // Brings the canvas font and text background in line with the style.
    void ApplyFont();
    void ApplyBackground();
    // TextHeight("gh") of the current style.
    int TextHeight();
    // Height of a run of text as DrawText lays it out (external leading included).
    int RunHeight();
    // Room left on the line for text, up to the rectangle's right edge.
    int AvailableWidth(const THTMLLine& line) const;
    // An image or control of the given width ends a non-empty line when it fits an empty
    // one but not the rest of this one.
    bool EndsLineBefore(const THTMLLine& line, int width) const;
    // Layout size of a picture given at 96 dots per inch.
    int ScaleX(int pixels) const;
    int ScaleY(int pixels) const;
    // Printer pixels per screen pixel: ResFactor when it is a sensible factor, else 1.
    double PrintScale() const;
    bool HitTesting() const;
    bool PointIn(const TRect& r) const;
    // The part of r that can show on the canvas (within its clip and its device): what
    // per-pixel drawing is limited to.
    TRect Visible(const TRect& r) const;

private:
    void MeasureFont();

    // Heights of the canvas font, measured once per font change.
    bool m_heightsValid = false;
    int m_textHeight = 0;
    int m_leading = 0;
};

enum class THTMLTagAction {
    Continue,
    EndLine,      // the line ends after this tag
    EndLineBefore // the line ends and the tag starts the next one
};

// Lays out one line from pos and returns where the next line starts.
qsizetype LayoutLine(THTMLDrawContext& ctx, THTMLLine& line, qsizetype pos);
// Closes the bounds of the open link on this line (second pass, at its end).
void CloseLinkOnLine(THTMLDrawContext& ctx, THTMLLine& line);

// Tag handlers.
THTMLTagAction ApplyTag(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag);
THTMLTagAction PlaceImage(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag);
void DrawBodyBackground(THTMLDrawContext& ctx, const THTMLTag& tag);
THTMLTagAction PlaceControl(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag);
