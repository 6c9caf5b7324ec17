// The line routine of the markup renderer. A line is a sequence of runs of text and tags.
// A run is the text up to the next "<" or, with word wrap, up to and including the next
// blank, so that every blank is a place where the line may end. Both passes over a line
// take the same decisions from the same widths: every width and wrap test works on the
// pen offset from the line's start, never on canvas x, so that the painted line is the
// measured one moved to its aligned position.
#include "markup/htmldraw_p.h"
#include "markup/htmltext.h"

#include "platform/fontface.h"

#include <algorithm>

namespace {

bool IsRunEnd(QChar c, bool wordWrap)
{
    return c == u'<' || c == u'\t' || (wordWrap && c == u' ');
}

// The end of the run starting at pos: before the next "<" or tab, or after the next
// blank. A tab is a run by itself.
qsizetype RunEnd(QStringView text, qsizetype pos, bool wordWrap)
{
    if (text[pos] == u'\t') return pos + 1;
    qsizetype end = pos;
    while (end < text.size() && !IsRunEnd(text[end], wordWrap))
        ++end;
    if (wordWrap && end < text.size() && text[end] == u' ') ++end;
    return end;
}

// The measuring pass measures each run; the second pass reads the same runs in the same
// order and takes their widths from it.
THTMLRunWidth RunWidth(THTMLDrawContext& ctx, THTMLLine& line, const QString& text)
{
    if (line.Measuring()) {
        ctx.ApplyFont();
        ctx.RunWidths.push_back(
            MeasureHTMLRun(ctx.Canvas, text, ctx.AvailableWidth(line), !ctx.Params.WordWrap));
        return ctx.RunWidths.back();
    }
    if (line.NextRun < ctx.RunWidths.size()) return ctx.RunWidths[line.NextRun++];
    ctx.ApplyFont();
    return MeasureHTMLRun(ctx.Canvas, text, ctx.AvailableWidth(line), !ctx.Params.WordWrap);
}

// A run goes to the next line when the line already ends in a blank (or an image), the
// run does not fit after it, and it is not wider than the whole rectangle anyway.
bool WrapsBefore(const THTMLDrawContext& ctx, const THTMLLine& line, int width)
{
    if (!ctx.Params.WordWrap || !line.Breakable) return false;
    const long long rectWidth = static_cast<long long>(ctx.Rect.Right) - ctx.Rect.Left;
    if (width >= rectWidth) return false;
    return static_cast<long long>(ctx.Style.ParagraphIndent) + line.Offset + width >= rectWidth;
}

// The wavy red line of error marking: 1-pixel segments rising and falling every 2 pixels.
void DrawErrorLine(TCanvas& canvas, int left, int right, int bottom)
{
    const int low = bottom - 1;
    const int high = bottom - 3;
    const TPen saved = canvas.Pen();
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetMode(pmCopy);
    int x = left + (left & 1); // starts at an even x
    bool up = true;
    canvas.MoveTo(x, low);
    while (x < right) {
        x += 2;
        canvas.LineTo(x, up ? high : low);
        up = !up;
    }
    canvas.Pen().Assign(saved);
}

// Draws with the canvas font as it is; cellHeight is the run's DrawText line height.
void DrawRunText(THTMLDrawContext& ctx, const QString& text, const TRect& r, bool plain,
                 int cellHeight)
{
    if (ctx.Canvas.Font().Orientation() != 0) {
        // Rotated text turns about the top-left of its cell, like TextOut.
        ctx.Canvas.TextOut(r.Left, r.Bottom - cellHeight, WithoutPrefixes(text));
    } else if (plain) {
        // What DrawText draws for a single bottom-aligned line, without laying it out
        // again; of a long run only what reaches the right edge.
        const QString shown = CoveringPrefix(ctx.Canvas, text, std::max(0, r.Right - r.Left));
        ctx.Canvas.TextRect(r, r.Left, r.Bottom - cellHeight, shown);
    } else {
        TRect box = r;
        ctx.Canvas.DrawText(text, box, ctx.TextFlags & ~DT_END_ELLIPSIS); // cut when measured
    }
}

void FlushTextBatch(THTMLDrawContext& ctx)
{
    THTMLTextBatch& batch = ctx.TextBatch;
    if (!batch.Glyphs.isEmpty()) {
        // Compared by font, not by face: a face may go and another take its address.
        if (batch.Run.rawFont() != batch.Face->RawFont())
            batch.Run.setRawFont(batch.Face->RawFont());
        batch.Run.setRawData(batch.Glyphs.constData(), batch.Positions.constData(),
                             static_cast<int>(batch.Glyphs.size()));
        ctx.Canvas.DrawGlyphRun(0, 0, batch.Run);
    }
    if (!batch.Decorated.isEmpty()) ctx.Canvas.DrawTextDecorations(*batch.Face, batch.Decorated);
    batch.Glyphs.clear();
    batch.Positions.clear();
    batch.Decorated.clear();
    batch.Face = nullptr;
}

// Adds a plain run to the batch when it would be drawn exactly as its glyphs and its
// lines: simple text without background, not rotated and not cut by its rectangle (as
// TextRect draws it). False when the run must be drawn by itself.
bool BatchRun(THTMLDrawContext& ctx, const QString& text, const TRect& r, int cellHeight)
{
    const TCanvas& canvas = ctx.Canvas;
    const TFont& font = canvas.Font();
    if (font.Orientation() != 0 || canvas.BkMode() != bkTransparent) return false;
    const TFontFace& face = canvas.Face();
    TPlacedGlyphs placed;
    if (!face.Place(text, placed)) return false;
    const int width = qRound(placed.Width());
    const int top = r.Bottom - cellHeight;
    if (width <= 0 || r.Left + width > r.Right || top < r.Top || top + face.Height() > r.Bottom)
        return false;
    THTMLTextBatch& batch = ctx.TextBatch;
    if (batch.Face != &face) FlushTextBatch(ctx);
    batch.Face = &face;
    const int baseline = top + face.Ascent();
    for (qsizetype i = 0; i < placed.Count(); ++i) {
        batch.Glyphs.append(placed.Glyphs[i]);
        batch.Positions.append(QPointF(r.Left + placed.Starts[i], baseline));
    }
    if (font.HasStyle(fsUnderline) || font.HasStyle(fsStrikeOut))
        batch.Decorated.append({r.Left, baseline, placed.Width()});
    return true;
}

void PaintRun(THTMLDrawContext& ctx, const THTMLLine& line, const QString& whole,
              const THTMLRunWidth& run)
{
    const QString& text = run.Shown.isEmpty() ? whole : run.Shown;
    const THTMLStyle& style = ctx.Style;
    const int x = line.X();
    const int width = run.Width;
    const int bottom = line.TextBottom(style);
    const TRect r(x, line.Top, std::max(x, ctx.Rect.Right), bottom);
    const int cellHeight = ctx.RunHeight();
    ctx.ApplyBackground();
    if (!style.Shadow && !style.Error && run.Plain &&
        BatchRun(ctx, CoveringPrefix(ctx.Canvas, text, std::max(0, r.Right - r.Left)), r,
                 cellHeight))
        return;
    FlushTextBatch(ctx);
    if (style.Shadow) {
        // The background goes first so that it cannot cover the shadow.
        if (style.Background != clNone) {
            const TRect band(x, bottom - cellHeight, std::min(x + width, ctx.Rect.Right), bottom);
            ctx.Canvas.Brush().SetColor(style.Background);
            ctx.Canvas.FillRect(band);
            ctx.Canvas.SetBkMode(bkTransparent);
        }
        const int offset = std::clamp(ctx.Params.ShadowOffset, -1000, 1000);
        TRect shadow = r;
        shadow.Offset(offset, offset);
        ctx.Canvas.Font().SetColor(ctx.Params.ShadowColor);
        DrawRunText(ctx, text, shadow, run.Plain, cellHeight);
        ctx.Canvas.Font().SetColor(style.Font.Color());
    }
    DrawRunText(ctx, text, r, run.Plain, cellHeight);
    if (style.Error) {
        const TRect span =
            ctx.Visible(TRect(x, bottom - 3, std::min(x + width, ctx.Rect.Right), bottom));
        if (!span.IsEmpty()) DrawErrorLine(ctx.Canvas, span.Left, span.Right, bottom);
    }
}

// Link text under the point: the run's span on the line, within the line's text band.
void HitTestRun(THTMLDrawContext& ctx, THTMLLine& line, int width)
{
    THTMLStyle& style = ctx.Style;
    if (!style.InLink) return;
    const int x = line.X();
    const int bandBottom = line.Bottom() - line.Layout.TextOffset;
    const int bandTop = bandBottom - line.Layout.TextBand;
    const int px = ctx.Params.XPos;
    const int py = ctx.Params.YPos;
    if (px < x || px >= x + width || py <= bandTop || py >= bandBottom) return;
    style.LinkHit = true;
    line.Out.LinkHit = true;
    ctx.Result.AnchorVal = UndoubleAmpersands(style.LinkValue);
}

void MeasureRun(THTMLDrawContext& ctx, THTMLLine& line, const QString& text)
{
    const THTMLStyle& style = ctx.Style;
    ctx.Result.StripVal += text;
    const int height = ctx.RunHeight();
    line.Out.Height = std::max(line.Out.Height, height);
    line.Out.TextBand = std::max(line.Out.TextBand, height);
    if (style.Subscript) line.Out.Below = std::max(line.Out.Below, ctx.TextHeight() / 4);
    if (style.Superscript) line.Out.Above = std::max(line.Out.Above, ctx.TextHeight() / 4);
}

// A tab moves the pen to the next stop, every eight average characters from the line's
// start, so that tabbed columns line up from line to line.
THTMLRunWidth TabWidth(THTMLDrawContext& ctx, const THTMLLine& line)
{
    ctx.ApplyFont();
    const int stop = std::max(1, 8 * ctx.Canvas.Face().AverageCharWidth());
    THTMLRunWidth tab;
    tab.Width = stop - line.Offset % stop;
    return tab;
}

void PaintTab(THTMLDrawContext& ctx, const THTMLLine& line, int width)
{
    const THTMLStyle& style = ctx.Style;
    if (style.Background == clNone) return;
    const int bottom = line.TextBottom(style);
    ctx.Canvas.Brush().SetColor(style.Background);
    ctx.Canvas.FillRect(TRect(line.X(), bottom - ctx.RunHeight(), line.X() + width, bottom));
}

// Places one run; false when it wraps to the next line instead.
bool PlaceRun(THTMLDrawContext& ctx, THTMLLine& line, QStringView raw)
{
    const QString text =
        HasRunEntity(raw) ? ReplaceRunEntities(raw) : QString::fromRawData(raw.data(), raw.size());
    if (ctx.Style.Hidden || line.Cut) {
        // Hidden text, and text after a line's "...", is plain text but takes no room.
        if (line.Measuring()) ctx.Result.StripVal += text;
        line.Placed = true;
        return true;
    }
    const bool tab = raw == u"\t";
    const THTMLRunWidth run = tab ? TabWidth(ctx, line) : RunWidth(ctx, line, text);
    const int width = run.Width;
    if (!tab && WrapsBefore(ctx, line, width)) return false;
    if (line.Measuring()) {
        MeasureRun(ctx, line, text);
    } else {
        if (line.Painting() && tab) {
            FlushTextBatch(ctx);
            PaintTab(ctx, line, width);
        } else if (line.Painting())
            PaintRun(ctx, line, text, run);
        if (ctx.HitTesting()) HitTestRun(ctx, line, width);
        if (ctx.Style.InLink && ctx.Style.LinkFocused)
            ctx.Result.FocusAnchor = UndoubleAmpersands(ctx.Style.LinkValue);
    }
    line.Advance(width);
    line.Placed = true;
    line.Breakable = tab || raw.endsWith(u' ');
    line.Cut = !run.Shown.isEmpty();
    return true;
}

void StartLine(THTMLDrawContext& ctx, THTMLLine& line)
{
    THTMLStyle& style = ctx.Style;
    if (line.Measuring()) ctx.RunWidths.clear();
    line.Out.Height = ctx.TextHeight();
    line.Out.Align = style.ParagraphAlign;
    line.Out.Indent = style.ParagraphIndent;
    if (style.ParagraphBackground) line.Out.ParagraphBackground = style.ParagraphColor;
    if (!line.Measuring() && style.InLink) {
        // A link that goes on from the line before starts again at this line's left.
        style.LinkLineStart = line.X();
        style.FocusLineStart = line.X();
    }
}

void FinishMeasuredLine(THTMLDrawContext& ctx, THTMLLine& line)
{
    THTMLLineMetrics& m = line.Out;
    m.Width = line.Offset;
    if (m.TextBand == 0) m.TextBand = ctx.TextHeight();
    const int spare = std::max(0, m.Height - m.TextBand);
    if (m.TextAlign == THTMLTextAlign::Top)
        m.TextOffset = spare;
    else if (m.TextAlign == THTMLTextAlign::Middle)
        m.TextOffset = spare / 2;
}

THTMLTagAction ReadAndApplyTag(THTMLDrawContext& ctx, THTMLLine& line, QStringView text,
                               qsizetype& pos)
{
    // Tags are short: a plain scan costs less than a string search.
    const auto end = std::find(text.begin() + pos + 1, text.end(), u'>');
    const qsizetype close = end == text.end() ? -1 : end - text.begin();
    if (close < 0) {
        // A "<" that never closes ends the text.
        pos = text.size();
        return THTMLTagAction::EndLine;
    }
    const THTMLTag tag = ReadTag(text.mid(pos + 1, close - pos - 1));
    // Tags change the style and paint things of their own: the text before goes first.
    if (line.Painting()) FlushTextBatch(ctx);
    const THTMLTagAction action = ApplyTag(ctx, line, tag);
    if (action != THTMLTagAction::EndLineBefore) pos = close + 1;
    return action;
}

} // namespace

void CloseLinkOnLine(THTMLDrawContext& ctx, THTMLLine& line)
{
    THTMLStyle& style = ctx.Style;
    if (line.Measuring() || !style.InLink) return;
    const int bandBottom = line.Bottom() - line.Layout.TextOffset;
    const TRect part(style.LinkLineStart, bandBottom - line.Layout.TextBand, line.X(), bandBottom);
    if (style.LinkBounds.IsEmpty()) {
        style.LinkBounds = part;
    } else if (!part.IsEmpty()) {
        style.LinkBounds = TRect(std::min(style.LinkBounds.Left, part.Left),
                                 std::min(style.LinkBounds.Top, part.Top),
                                 std::max(style.LinkBounds.Right, part.Right),
                                 std::max(style.LinkBounds.Bottom, part.Bottom));
    }
    if (style.LinkFocused && line.Painting()) {
        const int textBottom = line.TextBottom(style);
        const TRect focus = ctx.Visible(
            TRect(style.FocusLineStart, textBottom - ctx.TextHeight(), line.X(), textBottom));
        if (!focus.IsEmpty()) ctx.Canvas.DrawFocusRect(focus);
    }
}

qsizetype LayoutLine(THTMLDrawContext& ctx, THTMLLine& line, qsizetype pos)
{
    const QStringView text = ctx.Text;
    StartLine(ctx, line);
    bool ended = false;
    while (pos < text.size() && !ended) {
        if (text[pos] == u'<') {
            const THTMLTagAction action = ReadAndApplyTag(ctx, line, text, pos);
            ended = action != THTMLTagAction::Continue;
            continue;
        }
        const qsizetype end = RunEnd(text, pos, ctx.Params.WordWrap);
        if (!PlaceRun(ctx, line, text.mid(pos, end - pos))) break;
        pos = end;
    }
    if (line.Painting()) FlushTextBatch(ctx);
    CloseLinkOnLine(ctx, line);
    if (line.Measuring()) FinishMeasuredLine(ctx, line);
    return pos;
}
