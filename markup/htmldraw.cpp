// HTMLDrawEx: the markup renderer's entry and its line loop.
//
// The text is prepared once (entities, field marker, line ends) and then laid out line by
// line from the top of the rectangle. Each line is measured first; unless only measuring,
// the style is put back to where the line began and the line is laid out again at its
// aligned position, painting or only hit-testing. Lines stop when the next one would
// start below the rectangle, unless measuring. The call keeps nothing between calls.
#include "markup/htmldraw.h"

#include "markup/htmldraw_p.h"
#include "markup/htmltext.h"

#include "platform/canvas.h"

#include <QPainter>

#include <algorithm>
#include <exception>

namespace {

// What the call changes on the canvas, put back on return.
class TCanvasStateGuard
{
public:
    explicit TCanvasStateGuard(TCanvas& canvas)
        : m_canvas(canvas), m_font(canvas.Font()), m_bkMode(canvas.BkMode()),
          m_bkColor(canvas.BkColor()), m_penPos(canvas.PenPos())
    {
        m_brush.Assign(canvas.Brush());
        m_pen.Assign(canvas.Pen());
    }
    ~TCanvasStateGuard()
    {
        if (!m_canvas.Font().SameAs(m_font) ||
            m_canvas.Font().PixelsPerInch() != m_font.PixelsPerInch())
            m_canvas.Font() = m_font;
        m_canvas.Brush().Assign(m_brush);
        m_canvas.Pen().Assign(m_pen);
        m_canvas.SetBkMode(m_bkMode);
        m_canvas.SetBkColor(m_bkColor);
        m_canvas.SetPenPos(m_penPos);
    }
    TCanvasStateGuard(const TCanvasStateGuard&) = delete;
    TCanvasStateGuard& operator=(const TCanvasStateGuard&) = delete;

private:
    TCanvas& m_canvas;
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    TBkMode m_bkMode;
    TColor m_bkColor;
    TPoint m_penPos;
};

// Painting stays within the rectangle's columns: text and pictures that run past its
// right edge are cut there. Lines may still reach below its bottom.
class TColumnClip
{
public:
    TColumnClip(TCanvas& canvas, const TRect& r, bool painting)
        : m_painter(painting ? canvas.Painter() : nullptr)
    {
        if (!m_painter) return;
        m_painter->save();
        canvas.IntersectClipRect(
            TRect(r.Left, -HTMLCoordinateLimit, std::max(r.Left, r.Right), HTMLCoordinateLimit));
    }
    ~TColumnClip()
    {
        if (m_painter) m_painter->restore();
    }
    TColumnClip(const TColumnClip&) = delete;
    TColumnClip& operator=(const TColumnClip&) = delete;

private:
    QPainter* m_painter;
};

void ResetOutputs(THTMLDrawResult& result)
{
    result.StripVal.resize(0); // keeps its room for the runs that the call appends
    result.FocusAnchor.clear();
    result.ControlID.clear();
    result.ControlValue.clear();
    result.ControlType.clear();
    result.ImageAlt.clear();
    result.XSize = 0;
    result.YSize = 0;
    result.HyperLinks = 0;
    result.MouseLink = -1;
    result.HoverRect = TRect();
    result.ControlRect = TRect();
}

// Left alignment keeps the line's left edge; right and centre alignment move the line
// only when it is narrower than the room it has.
int LineX(const THTMLDrawContext& ctx, const THTMLLineMetrics& m)
{
    const int left = ctx.Rect.Left + 1;
    long long x = left;
    if (m.Align == 1 && ctx.Rect.Right - static_cast<long long>(m.Width) > left) {
        x = ctx.Rect.Right - static_cast<long long>(m.Width);
    } else if (m.Align == 2) {
        const long long spare = static_cast<long long>(ctx.Rect.Right) - left - m.Width;
        if (spare > 0) x = left + spare / 2;
    }
    return ClampCoordinate(x + m.Indent);
}

void FillParagraphBand(THTMLDrawContext& ctx, int top, const THTMLLineMetrics& m)
{
    ctx.Canvas.Brush().SetColor(m.ParagraphBackground);
    ctx.Canvas.FillRect(TRect(ctx.Rect.Left, top, ctx.Rect.Right, top + m.FullHeight()));
}

// The hit of a line: link text within the line's text band, or an object hit.
bool LineHit(const THTMLDrawContext& ctx, const THTMLLine& line)
{
    if (line.Out.ObjectHit) return true;
    if (!line.Out.LinkHit) return false;
    const int bandBottom = line.Bottom() - line.Layout.TextOffset;
    const int y = ctx.Params.YPos;
    return y > bandBottom - line.Layout.TextBand && y < bandBottom;
}

// Lays the line out again from the style it started with, at its aligned position.
bool PaintLine(THTMLDrawContext& ctx, const THTMLStyle& start, qsizetype pos, int top,
               const THTMLLineMetrics& measured)
{
    ctx.Style = start;
    THTMLLine line;
    line.Pass = ctx.Params.HitTestOnly ? THTMLPass::HitTest : THTMLPass::Paint;
    line.OriginX = LineX(ctx, measured);
    line.Top = top;
    line.Layout = measured;
    if (line.Painting() && measured.ParagraphBackground != clNone)
        FillParagraphBand(ctx, top, measured);
    LayoutLine(ctx, line, pos);
    return LineHit(ctx, line);
}

// A link still open when the text ends reports its hit as its closing tag would.
void FinishOpenLink(THTMLDrawContext& ctx)
{
    if (ctx.Params.MeasureOnly || !ctx.Style.InLink || !ctx.Style.LinkHit) return;
    ctx.Result.HoverRect = ctx.Style.LinkBounds;
    ctx.Result.MouseLink = ctx.Style.LinkCount;
}

bool LayoutLines(THTMLDrawContext& ctx)
{
    const THTMLDrawParams& p = ctx.Params;
    THTMLDrawResult& result = ctx.Result;
    const qsizetype length = ctx.Text.size();
    result.StripVal.reserve(length);
    bool hit = false;
    int y = ctx.Rect.Top;
    qsizetype pos = 0;
    while (pos < length) {
        const THTMLStyle start = ctx.Style;
        THTMLLine measure;
        measure.OriginX = ctx.Rect.Left + 1;
        measure.Top = y;
        const qsizetype next = LayoutLine(ctx, measure, pos);
        const THTMLLineMetrics& m = measure.Out;
        if (!p.MeasureOnly) hit = PaintLine(ctx, start, pos, y, m) || hit;
        // Every line consumes text; should one not, stop rather than loop.
        if (next <= pos) break;
        pos = next;
        y = ClampCoordinate(static_cast<long long>(y) + m.FullHeight());
        result.YSize = ClampCoordinate(static_cast<long long>(result.YSize) + m.FullHeight());
        result.XSize =
            std::max(result.XSize, ClampCoordinate(static_cast<long long>(m.Width) + m.Indent));
        if (!p.MeasureOnly && static_cast<long long>(y) + ctx.TextHeight() > ctx.Rect.Bottom) break;
    }
    FinishOpenLink(ctx);
    if (result.YSize == 0) result.YSize = ctx.TextHeight();
    result.HyperLinks = ctx.Style.LinkCount;
    return hit;
}

} // namespace

bool HTMLDrawEx(TCanvas& canvas, const QString& text, const TRect& r, const THTMLDrawParams& params,
                THTMLDrawResult& result)
{
    const TCanvasStateGuard guard(canvas);
    const TColumnClip clip(canvas, r, !params.MeasureOnly && !params.HitTestOnly);
    ResetOutputs(result);
    try {
        THTMLDrawContext ctx(canvas, params, result, r, PrepareHTMLText(text));
        canvas.SetBkMode(bkTransparent);
        return LayoutLines(ctx);
    } catch (const std::exception&) {
        return false; // markup never raises into a paint or a mouse move
    } catch (...) {
        return false;
    }
}
