#include "markup/htmldraw_p.h"

#include "platform/fontface.h"
#include "platform/numeric.h"

#include <QPaintDevice>

#include <algorithm>
#include <cmath>

namespace {

unsigned TextFlagsFor(const THTMLDrawParams& params)
{
    unsigned flags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING;
    if (!params.WordWrap) flags |= DT_END_ELLIPSIS;
    return flags;
}

} // namespace

int ClampCoordinate(long long value)
{
    return static_cast<int>(
        std::clamp<long long>(value, -HTMLCoordinateLimit, HTMLCoordinateLimit));
}

int THTMLLine::TextBottom(const THTMLStyle& style) const
{
    int bottom = Bottom() - Layout.TextOffset;
    if (!style.Subscript) bottom -= Layout.Below;
    if (style.Superscript) bottom -= Layout.Above;
    return bottom;
}

THTMLDrawContext::THTMLDrawContext(TCanvas& canvas, const THTMLDrawParams& params,
                                   THTMLDrawResult& result, const TRect& rect, QString text)
    : Canvas(canvas), Params(params), Result(result), Rect(rect), Text(std::move(text)),
      TextFlags(TextFlagsFor(params)), StartBrushColor(canvas.Brush().Color())
{
    Style.Font = canvas.Font();
    RunWidths.reserve(32); // the runs of a typical line, without growing step by step
}

void THTMLDrawContext::ApplyFont()
{
    if (Canvas.Font().SameAs(Style.Font)) return;
    const bool sameShape = Canvas.Font().Name() == Style.Font.Name() &&
                           Canvas.Font().Height() == Style.Font.Height() &&
                           Canvas.Font().Style() == Style.Font.Style();
    Canvas.Font() = Style.Font;
    if (!sameShape) m_heightsValid = false;
}

void THTMLDrawContext::MeasureFont()
{
    ApplyFont();
    if (m_heightsValid) return;
    // What TextHeight("gh") and ExternalLeading give, from one face lookup.
    const TFontFace& face = Canvas.Face();
    m_textHeight = face.Height();
    m_leading = std::max(0, face.Leading());
    m_heightsValid = true;
}

void THTMLDrawContext::ApplyBackground()
{
    if (Style.Background == clNone) {
        Canvas.SetBkMode(bkTransparent);
    } else {
        Canvas.SetBkMode(bkOpaque);
        Canvas.SetBkColor(Style.Background);
    }
}

int THTMLDrawContext::TextHeight()
{
    MeasureFont();
    return m_textHeight;
}

int THTMLDrawContext::RunHeight()
{
    MeasureFont();
    return m_textHeight + m_leading;
}

int THTMLDrawContext::AvailableWidth(const THTMLLine& line) const
{
    const long long room =
        static_cast<long long>(Rect.Right) - (Rect.Left + 1) - Style.ParagraphIndent - line.Offset;
    return ClampCoordinate(std::max(0LL, room));
}

bool THTMLDrawContext::EndsLineBefore(const THTMLLine& line, int width) const
{
    if (!line.Placed) return false;
    const long long emptyLine =
        static_cast<long long>(Rect.Right) - (Rect.Left + 1) - Style.ParagraphIndent;
    return width > AvailableWidth(line) && width <= emptyLine;
}

int THTMLDrawContext::ScaleX(int pixels) const
{
    return ClampCoordinate(MulDiv(pixels, Canvas.PixelsPerInchX(), 96));
}

int THTMLDrawContext::ScaleY(int pixels) const
{
    return ClampCoordinate(MulDiv(pixels, Canvas.PixelsPerInchY(), 96));
}

double THTMLDrawContext::PrintScale() const
{
    const double factor = Params.ResFactor;
    return std::isfinite(factor) && factor > 0 && factor <= 100 ? factor : 1.0;
}

bool THTMLDrawContext::HitTesting() const
{
    return !Params.MeasureOnly;
}

bool THTMLDrawContext::PointIn(const TRect& r) const
{
    return r.Contains(TPoint(Params.XPos, Params.YPos));
}

TRect THTMLDrawContext::Visible(const TRect& r) const
{
    TRect area = Canvas.ClipRect();
    if (const QPaintDevice* device = Canvas.Device())
        area = area.Intersected(TRect(0, 0, device->width(), device->height()));
    return r.Intersected(area);
}
