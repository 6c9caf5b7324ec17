#include "markup/glyphs.h"

#include <vector>

namespace {

using Chevron = std::vector<TPoint>;

struct ArrowShape
{
    Chevron First;
    Chevron Second;
};

ArrowShape ArrowAt(int x, int y, TArrowDirection dir)
{
    switch (dir) {
    case adUp:
        return {{{x, y + 3}, {x + 3, y}, {x + 6, y + 3}},
                {{x, y + 7}, {x + 3, y + 4}, {x + 6, y + 7}}};
    case adDown:
        return {{{x, y}, {x + 3, y + 3}, {x + 6, y}}, {{x, y + 4}, {x + 3, y + 7}, {x + 6, y + 4}}};
    case adRight:
        return {{{x, y}, {x + 3, y + 3}, {x, y + 6}}, {{x + 5, y}, {x + 8, y + 3}, {x + 5, y + 6}}};
    case adLeft:
        break;
    }
    return {{{x + 3, y}, {x, y + 3}, {x + 3, y + 6}}, {{x + 8, y}, {x + 5, y + 3}, {x + 8, y + 6}}};
}

TColor HalfBright(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return RGB(GetRValue(rgb) >> 1, GetGValue(rgb) >> 1, GetBValue(rgb) >> 1);
}

void DrawBump(TCanvas& canvas, int x, int y)
{
    canvas.MoveTo(x + 3, y);
    canvas.LineTo(x + 3, y + 2);
    canvas.LineTo(x, y + 2);
    canvas.SetPixel(x + 1, y + 1, clWhite);
}

// Bumps are drawn with a plain one-pixel pen whatever the canvas held before.
void UseBumpPen(TCanvas& canvas, TColor color)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetColor(HalfBright(color));
}

} // namespace

void DrawArrow(TCanvas& Canvas, TColor Color, int X, int Y, TArrowDirection Dir)
{
    if (Color == clNone) return;
    Canvas.Pen().SetStyle(psSolid);
    Canvas.Pen().SetWidth(2);
    Canvas.Pen().SetColor(Color);
    const ArrowShape shape = ArrowAt(X, Y, Dir);
    Canvas.Polyline(shape.First);
    Canvas.Polyline(shape.Second);
}

void DrawBumpVert(TCanvas& Canvas, const TRect& R, TColor Color)
{
    if (R.IsEmpty() || Color == clNone) return;
    UseBumpPen(Canvas, Color);
    int i = 0;
    for (int y = R.Top; y < R.Bottom; y += 8, ++i)
        DrawBump(Canvas, i % 2 == 0 ? R.Left + 2 : R.Left, y);
}

void DrawBumpHorz(TCanvas& Canvas, const TRect& R, TColor Color)
{
    if (R.IsEmpty() || Color == clNone) return;
    UseBumpPen(Canvas, Color);
    int i = 0;
    for (int x = R.Left; x < R.Right; x += 8, ++i)
        DrawBump(Canvas, x, i % 2 == 0 ? R.Top + 4 : R.Top + 2);
}
