// Completion gauges.
//
// The frame is drawn first and the bar inside it grows from the left (horizontal) or from
// the bottom (vertical); "Size" is the frame's inner length. Every bar piece is painted by
// one routine that either draws a two-way gradient across the bar's thickness, darkest
// along its middle, or a plain rectangle.
#include "markup/gauge.h"

#include "markup/gradient.h"
#include "platform/numeric.h"

#include <algorithm>

namespace {

struct ColorPair
{
    TColor Color;
    TColor ColorTo;
};

bool IsVertical(const TGaugeSettings& s)
{
    return s.Orientation == goVertical;
}

int RoundToInt(double value)
{
    return static_cast<int>(Round(value));
}

void PaintBar(TCanvas& canvas, const TRect& bar, ColorPair colors, const TGaugeSettings& s)
{
    if (bar.IsEmpty()) return;
    if (!s.ShowGradient) {
        canvas.Brush().SetColor(colors.Color);
        canvas.Pen().SetColor(colors.Color);
        canvas.Rectangle(bar);
        canvas.Brush().SetStyle(bsClear);
        return;
    }
    const bool vertical = IsVertical(s);
    TRect first = bar;
    TRect second = bar;
    if (vertical) {
        const int middle = bar.Left + (bar.Right - bar.Left) / 2;
        first.Right = middle;
        second.Left = middle;
    } else {
        const int middle = bar.Top + (bar.Bottom - bar.Top) / 2;
        first.Bottom = middle;
        second.Top = middle;
    }
    DrawGradient(canvas, colors.ColorTo, colors.Color, s.Steps, first, vertical);
    DrawGradient(canvas, colors.Color, colors.ColorTo, s.Steps, second, vertical);
}

// A piece of the bar that starts `from` pixels into the frame's inner length and runs
// `length` pixels further; horizontal pieces grow rightwards, vertical ones upwards.
TRect Piece(const TRect& r, int from, int length, bool vertical)
{
    if (vertical)
        return TRect(r.Left + 1, r.Bottom - 1 - from - length, r.Right - 1, r.Bottom - 1 - from);
    return TRect(r.Left + 1 + from, r.Top + 1, r.Left + 1 + from + length, r.Bottom - 1);
}

void DrawStacked(TCanvas& canvas, const TRect& r, int perc, int size, const TGaugeSettings& s)
{
    const bool vertical = IsVertical(s);
    const int w1 = RoundToInt(std::min(perc, s.Level1Perc) / 100.0 * size);
    if (vertical)
        PaintBar(canvas, TRect(r.Left + 1, r.Bottom - w1, r.Right - 1, r.Bottom - 1),
                 {s.Level0Color, s.Level0ColorTo}, s);
    else
        PaintBar(canvas, Piece(r, 0, w1, false), {s.Level0Color, s.Level0ColorTo}, s);
    if (perc < s.Level1Perc) return;

    const bool reachesLevel2 = perc >= s.Level2Perc;
    const int w2 = RoundToInt((reachesLevel2 ? s.Level2Perc - s.Level1Perc : perc - s.Level1Perc) /
                              100.0 * size);
    // Vertical stacks keep their established geometry: the first segment stops one pixel
    // short of the frame and the third sits one pixel above the second.
    const int top2 = r.Bottom - w1 - w2;
    if (vertical)
        PaintBar(canvas, TRect(r.Left + 1, top2, r.Right - 1, r.Bottom - w1),
                 {s.Level1Color, s.Level1ColorTo}, s);
    else
        PaintBar(canvas, Piece(r, w1, w2, false), {s.Level1Color, s.Level1ColorTo}, s);
    if (!reachesLevel2) return;

    const int w3 =
        perc == 100 ? size - (w1 + w2) : RoundToInt((perc - s.Level2Perc) / 100.0 * size);
    if (vertical)
        PaintBar(canvas, TRect(r.Left + 1, top2 - 1 - w3, r.Right - 1, top2 - 1),
                 {s.Level3Color, s.Level3ColorTo}, s);
    else
        PaintBar(canvas, Piece(r, w1 + w2, w3, false), {s.Level3Color, s.Level3ColorTo}, s);
}

ColorPair LevelColors(int perc, const TGaugeSettings& s)
{
    if (perc < s.Level1Perc) return {s.Level0Color, s.Level0ColorTo};
    if (perc < s.Level2Perc) return {s.Level1Color, s.Level1ColorTo};
    if (perc < 100) return {s.Level2Color, s.Level2ColorTo};
    return {s.Level3Color, s.Level3ColorTo};
}

// A block starting `from` pixels past the frame's inner edge plus one, `length` long,
// inset two pixels from the frame across the bar.
TRect Block(const TRect& r, int from, int length, bool vertical)
{
    if (vertical)
        return TRect(r.Left + 2, r.Bottom - 2 - from - length, r.Right - 2, r.Bottom - 2 - from);
    return TRect(r.Left + 2 + from, r.Top + 2, r.Left + 2 + from + length, r.Bottom - 2);
}

// Blocks of 7 pixels with 2-pixel gaps; a short remainder becomes a shorter last block.
void DrawBlocks(TCanvas& canvas, const TRect& r, int perc, int size, ColorPair colors,
                const TGaugeSettings& s)
{
    constexpr int BlockLength = 7;
    constexpr int BlockPitch = 9;
    const bool vertical = IsVertical(s);
    canvas.Brush().SetColor(s.BackgroundColor);
    const int n = RoundToInt(static_cast<double>(perc) * size / 100);
    if (n <= BlockPitch) {
        if (n >= 2) PaintBar(canvas, Block(r, 0, n - 1, vertical), colors, s);
        return;
    }
    const int blocks = n / BlockPitch;
    for (int i = 0; i < blocks; ++i)
        PaintBar(canvas, Block(r, i * BlockPitch, BlockLength, vertical), colors, s);
    const int remainder = n % BlockPitch;
    if (remainder > 2)
        PaintBar(canvas, Block(r, blocks * BlockPitch, remainder - 1, vertical), colors, s);
}

void DrawPercentage(TCanvas& canvas, const TRect& r, int percentage, const TGaugeSettings& s)
{
    const QString text = QString::number(percentage) + QLatin1Char('%');
    canvas.Brush().SetStyle(bsClear);
    TFont& font = canvas.Font();
    const int previousOrientation = font.Orientation();
    if (s.Font) font.Assign(*s.Font); // name, size, colour and style
    font.SetOrientation(0);
    const int width = canvas.TextWidth(text);
    const int height = canvas.TextHeight(text);
    const int centerX = r.Left + (r.Right - r.Left) / 2;
    const int centerY = r.Top + (r.Bottom - r.Top) / 2;
    if (IsVertical(s)) {
        font.SetOrientation(900);
        canvas.TextOut(centerX - height / 2, centerY + width / 2, text);
    } else {
        canvas.TextOut(centerX - width / 2, centerY - height / 2, text);
    }
    font.SetOrientation(previousOrientation);
}

} // namespace

void DrawGauge(TCanvas& Canvas, const TRect& R, int Percentage, const TGaugeSettings& Settings)
{
    if (R.IsEmpty()) return;
    const TGaugeSettings& s = Settings;
    const bool vertical = IsVertical(s);
    const int size = (vertical ? R.Height() : R.Width()) - 2;

    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(1);
    Canvas.Brush().SetStyle(bsSolid);
    Canvas.Brush().SetColor(s.BackgroundColor);
    Canvas.Pen().SetColor(s.ShowBorder ? s.BorderColor : s.BackgroundColor);
    Canvas.Rectangle(R);

    const int perc = std::clamp(Percentage, 0, 100);
    if (perc >= 1) {
        if (s.Stacked)
            DrawStacked(Canvas, R, perc, size, s);
        else if (s.CompletionSmooth)
            PaintBar(Canvas, Piece(R, 0, RoundToInt(perc / 100.0 * size), vertical),
                     LevelColors(perc, s), s);
        else
            DrawBlocks(Canvas, R, perc, size, LevelColors(perc, s), s);
    }
    if (s.ShowPercentage) DrawPercentage(Canvas, R, Percentage, s);
}
