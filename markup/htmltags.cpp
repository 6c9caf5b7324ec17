// Tag handlers of the markup renderer: each tag changes the style, moves the pen, paints
// something of its own (rules, bullets, focus rectangles) or ends the line. Handlers run
// in both passes over a line and change the style the same way in each; painting and hit
// testing happen only in the second pass.
#include "markup/htmldraw_p.h"
#include "markup/htmltext.h"

#include <algorithm>

namespace {

constexpr int ListIndent = 12;
constexpr int MinFontPoints = 1;
constexpr int MaxFontPoints = 500;

// "SIZE" 1 to 5 are the classic sizes; any other positive number is points.
int FontPoints(int size)
{
    static constexpr int Classic[] = {8, 10, 12, 14, 16};
    if (size >= 1 && size <= 5) return Classic[size - 1];
    return std::clamp(size, MinFontPoints, MaxFontPoints);
}

// ---------------------------------------------------------------------------
// Hyperlinks

void CloseLink(THTMLDrawContext& ctx, THTMLLine& line)
{
    THTMLStyle& style = ctx.Style;
    if (!style.InLink) return;
    CloseLinkOnLine(ctx, line);
    if (!line.Measuring() && style.LinkHit) {
        ctx.Result.HoverRect = style.LinkBounds;
        ctx.Result.MouseLink = style.LinkCount;
    }
    style.Font.SetStyle(style.LinkSavedStyle);
    style.Font.SetColor(style.LinkSavedColor);
    style.Background = style.LinkSavedBackground;
    style.InLink = false;
    style.LinkFocused = false;
    style.LinkHit = false;
}

void OpenLink(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    THTMLStyle& style = ctx.Style;
    const THTMLDrawParams& p = ctx.Params;
    CloseLink(ctx, line); // links do not nest: a new one ends the open one
    style.LinkFocused = style.LinkCount == p.FocusLink;
    ++style.LinkCount;
    const int number = style.LinkCount;
    style.InLink = true;
    style.LinkValue = tag.FirstValue();
    style.LinkSavedStyle = style.Font.Style();
    style.LinkSavedColor = style.Font.Color();
    style.LinkSavedBackground = style.Background;
    style.LinkLineStart = line.X();
    style.FocusLineStart = line.X();
    style.LinkBounds = TRect();
    style.LinkHit = false;

    const bool hovered = p.HoverLink > 0 && number == p.HoverLink;
    if (!p.Selected && (!p.HoverUnderlineOnly || hovered)) style.SetFontStyle(fsUnderline, true);
    if (p.Selected) return;
    if (hovered && p.HoverColor != clNone) style.Background = p.HoverColor;
    if (hovered && p.HoverFontColor != clNone)
        style.Font.SetColor(p.HoverFontColor);
    else
        style.Font.SetColor(p.URLColor);
}

// ---------------------------------------------------------------------------
// Fonts and colours

void OpenFont(THTMLDrawContext& ctx, const THTMLTag& tag)
{
    THTMLStyle& style = ctx.Style;
    const int slot = std::min(style.FontDepth, THTMLStyle::FontStackSize - 1);
    THTMLSavedFont& saved = style.FontStack[static_cast<size_t>(slot)];
    saved.Name = style.Font.Name();
    saved.Height = style.Font.Height();
    saved.Color = style.Font.Color();
    saved.Style = style.Font.Style();
    saved.Background = style.Background;
    style.FontDepth = std::min(style.FontDepth + 1, THTMLStyle::FontStackSize);

    const QStringView face = tag.Attribute(QLatin1StringView("FACE")).trimmed();
    if (!face.isEmpty()) style.Font.SetName(face.toString());
    QStringView value;
    if (!ctx.Params.Selected) {
        if (tag.FindAttribute(QLatin1StringView("COLOR"), value))
            style.Font.SetColor(HTMLColorValue(value));
        if (tag.FindAttribute(QLatin1StringView("BGCOLOR"), value))
            style.Background = HTMLColorValue(value);
    }
    if (tag.FindAttribute(QLatin1StringView("SIZE"), value)) {
        const int size = LeadingInt(value);
        if (size > 0) style.Font.SetSize(FontPoints(size));
    }
}

void CloseFont(THTMLStyle& style)
{
    if (style.FontDepth == 0) return;
    --style.FontDepth;
    const THTMLSavedFont& saved = style.FontStack[static_cast<size_t>(style.FontDepth)];
    style.Font.SetName(saved.Name);
    style.Font.SetHeight(saved.Height);
    style.Font.SetColor(saved.Color);
    style.Font.SetStyle(saved.Style);
    style.Background = saved.Background;
}

void Highlight(THTMLStyle& style, bool on)
{
    if (on) {
        style.HighlightSavedColor = style.Font.Color();
        style.HighlightSavedBackground = style.Background;
        style.Highlighted = true;
        style.Background = clHighlight;
        style.Font.SetColor(clHighlightText);
    } else if (style.Highlighted) {
        style.Font.SetColor(style.HighlightSavedColor);
        style.Background = style.HighlightSavedBackground;
        style.Highlighted = false;
    }
}

void Blink(THTMLDrawContext& ctx, bool on)
{
    THTMLStyle& style = ctx.Style;
    if (on) {
        style.BlinkSavedColor = style.Font.Color();
        style.Blinking = true;
        // The hidden phase draws the text in the background colour.
        if (!ctx.Params.BlinkOn) style.Font.SetColor(ctx.StartBrushColor);
    } else if (style.Blinking) {
        style.Font.SetColor(style.BlinkSavedColor);
        style.Blinking = false;
    }
}

void Rotate(THTMLStyle& style, const THTMLTag& tag)
{
    if (!style.Rotated) style.SavedOrientation = style.Font.Orientation();
    style.Rotated = true;
    const int degrees = LeadingInt(tag.Attribute(QLatin1StringView("A"))) % 360;
    style.Font.SetOrientation(degrees * 10);
}

void Unrotate(THTMLStyle& style)
{
    if (!style.Rotated) return;
    style.Font.SetOrientation(style.SavedOrientation);
    style.Rotated = false;
}

// ---------------------------------------------------------------------------
// Paragraphs, lists, rules

void OpenParagraph(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    THTMLStyle& style = ctx.Style;
    const QString align = tag.Attribute(QLatin1StringView("ALIGN")).toString().toUpper();
    if (align.contains(QLatin1String("RIGHT")))
        style.ParagraphAlign = 1;
    else if (align.contains(QLatin1String("LEFT")))
        style.ParagraphAlign = 0;
    else if (align.contains(QLatin1String("CENTER")))
        style.ParagraphAlign = 2;
    if (tag.HasAttribute(QLatin1StringView("INDENT"))) {
        const int indent = LeadingInt(tag.Attribute(QLatin1StringView("INDENT")));
        style.ParagraphIndent = std::clamp(indent, 0, HTMLCoordinateLimit / 4);
    }
    line.Out.Align = style.ParagraphAlign;
    line.Out.Indent = style.ParagraphIndent;
    if (tag.HasAttribute(QLatin1StringView("BGCOLOR")) && !ctx.Params.Selected) {
        const TColor color = HTMLColorValue(tag.Attribute(QLatin1StringView("BGCOLOR")));
        if (!style.ParagraphBackground) style.ParagraphSavedBackground = style.Background;
        style.ParagraphBackground = true;
        style.ParagraphColor = color;
        style.Background = color;
        line.Out.ParagraphBackground = color;
    }
}

void CloseParagraph(THTMLStyle& style)
{
    if (style.ParagraphBackground) style.Background = style.ParagraphSavedBackground;
    style.ParagraphBackground = false;
    style.ParagraphAlign = 0;
    style.ParagraphIndent = 0;
}

// A bullet for each list item: a dot at odd depths, a circle at even ones, drawn in the
// column of its depth; the item's text starts after that column.
THTMLTagAction ListItem(THTMLDrawContext& ctx, THTMLLine& line)
{
    if (line.SeenListItem) return THTMLTagAction::EndLineBefore;
    line.SeenListItem = true;
    const int depth = std::max(1, ctx.Style.ListDepth);
    const long long indent = static_cast<long long>(ListIndent) * depth;
    if (line.Painting()) {
        const int x = ClampCoordinate(line.X() + static_cast<long long>(ListIndent) * (depth - 1));
        const QString bullet = depth % 2 == 1 ? QString(QChar(0x2022)) : QStringLiteral("o");
        ctx.ApplyFont();
        ctx.ApplyBackground();
        const int bottom = line.TextBottom(ctx.Style);
        TRect r(x, line.Top, ClampCoordinate(x + indent), bottom);
        ctx.Canvas.DrawText(bullet, r, DT_BOTTOM | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    }
    line.Advance(ClampCoordinate(indent));
    line.Placed = true;
    return THTMLTagAction::Continue;
}

void HorizontalRule(THTMLDrawContext& ctx, const THTMLLine& line)
{
    if (!line.Painting()) return;
    const int y = line.Bottom() - line.Layout.Below + 1;
    const TPen saved = ctx.Canvas.Pen();
    ctx.Canvas.Pen().SetColor(clBlack);
    ctx.Canvas.Pen().SetWidth(1);
    ctx.Canvas.Pen().SetStyle(psSolid);
    ctx.Canvas.Pen().SetMode(pmCopy);
    ctx.Canvas.MoveTo(ctx.Rect.Left + 1, y);
    ctx.Canvas.LineTo(ctx.Rect.Right, y);
    ctx.Canvas.Pen().Assign(saved);
}

// Moves the pen forward to a position counted from the rectangle's left edge.
void Indent(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    const long long target =
        static_cast<long long>(LeadingInt(tag.Attribute(QLatin1StringView("X")))) - 1 -
        ctx.Style.ParagraphIndent;
    if (target > line.Offset) line.Offset = ClampCoordinate(target);
}

THTMLTagAction ApplyOpeningTag(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    THTMLStyle& style = ctx.Style;
    switch (tag.Kind) {
    case THTMLTagKind::A:
        OpenLink(ctx, line, tag);
        break;
    case THTMLTagKind::B:
        style.SetFontStyle(fsBold, true);
        break;
    case THTMLTagKind::BR:
        return THTMLTagAction::EndLine;
    case THTMLTagKind::BLINK:
        Blink(ctx, true);
        break;
    case THTMLTagKind::BODY:
        if (line.Painting()) DrawBodyBackground(ctx, tag);
        break;
    case THTMLTagKind::CONTROL:
        return PlaceControl(ctx, line, tag);
    case THTMLTagKind::E:
        style.Error = true;
        break;
    case THTMLTagKind::FONT:
        OpenFont(ctx, tag);
        break;
    case THTMLTagKind::HI:
        Highlight(style, true);
        break;
    case THTMLTagKind::HR:
        HorizontalRule(ctx, line);
        return THTMLTagAction::EndLine;
    case THTMLTagKind::I:
        style.SetFontStyle(fsItalic, true);
        break;
    case THTMLTagKind::IND:
        Indent(ctx, line, tag);
        break;
    case THTMLTagKind::IMG:
        return PlaceImage(ctx, line, tag);
    case THTMLTagKind::LI:
        return ListItem(ctx, line);
    case THTMLTagKind::P:
        OpenParagraph(ctx, line, tag);
        break;
    case THTMLTagKind::R:
        Rotate(style, tag);
        break;
    case THTMLTagKind::S:
        style.SetFontStyle(fsStrikeOut, true);
        break;
    case THTMLTagKind::SHAD:
        style.Shadow = true;
        break;
    case THTMLTagKind::SUB:
        style.Subscript = true;
        break;
    case THTMLTagKind::SUP:
        style.Superscript = true;
        break;
    case THTMLTagKind::U:
        style.SetFontStyle(fsUnderline, true);
        break;
    case THTMLTagKind::UL:
        style.ListDepth = std::min(style.ListDepth + 1, 1 << 20);
        break;
    case THTMLTagKind::Z:
        style.Hidden = true;
        break;
    case THTMLTagKind::Unknown:
        break;
    }
    return THTMLTagAction::Continue;
}

THTMLTagAction ApplyClosingTag(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    THTMLStyle& style = ctx.Style;
    switch (tag.Kind) {
    case THTMLTagKind::A:
        CloseLink(ctx, line);
        break;
    case THTMLTagKind::B:
        style.SetFontStyle(fsBold, false);
        break;
    case THTMLTagKind::BLINK:
        Blink(ctx, false);
        break;
    case THTMLTagKind::E:
        style.Error = false;
        break;
    case THTMLTagKind::FONT:
        CloseFont(style);
        break;
    case THTMLTagKind::HI:
        Highlight(style, false);
        break;
    case THTMLTagKind::I:
        style.SetFontStyle(fsItalic, false);
        break;
    case THTMLTagKind::P:
        CloseParagraph(style);
        return THTMLTagAction::EndLine;
    case THTMLTagKind::R:
        Unrotate(style);
        break;
    case THTMLTagKind::S:
        style.SetFontStyle(fsStrikeOut, false);
        break;
    case THTMLTagKind::SHAD:
        style.Shadow = false;
        break;
    case THTMLTagKind::SUB:
    case THTMLTagKind::SUP:
        style.Subscript = false;
        style.Superscript = false;
        break;
    case THTMLTagKind::U:
        style.SetFontStyle(fsUnderline, false);
        break;
    case THTMLTagKind::UL:
        // An unmatched closing list tag reads as the closing underline tag.
        if (style.ListDepth > 0)
            --style.ListDepth;
        else
            style.SetFontStyle(fsUnderline, false);
        break;
    case THTMLTagKind::Z:
        style.Hidden = false;
        break;
    default:
        break;
    }
    return THTMLTagAction::Continue;
}

} // namespace

THTMLTagAction ApplyTag(THTMLDrawContext& ctx, THTMLLine& line, const THTMLTag& tag)
{
    return tag.Closing ? ApplyClosingTag(ctx, line, tag) : ApplyOpeningTag(ctx, line, tag);
}
