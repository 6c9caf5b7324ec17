#include "platform/navigatorglyphs.h"

#include "platform/canvas.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace {

// Every glyph is drawn around the centre of its box, on an 11 x 11 design grid whose
// centre is (0, 0).
struct TGlyphPen
{
    TCanvas& Canvas;
    TPoint Centre;

    TPoint At(int x, int y) const { return TPoint(Centre.X + x, Centre.Y + y); }

    void Fill(int left, int top, int right, int bottom) const
    {
        Canvas.FillRect(
            TRect(Centre.X + left, Centre.Y + top, Centre.X + right, Centre.Y + bottom));
    }
    void Triangle(TPoint a, TPoint b, TPoint c) const { Canvas.Polygon({a, b, c}); }
    void Line(std::vector<TPoint> points) const { Canvas.Polyline(points); }
};

void LeftTriangle(const TGlyphPen& g, int apexX)
{
    g.Triangle(g.At(apexX, 0), g.At(apexX + 4, -4), g.At(apexX + 4, 4));
}

void RightTriangle(const TGlyphPen& g, int apexX)
{
    g.Triangle(g.At(apexX, 0), g.At(apexX - 4, -4), g.At(apexX - 4, 4));
}

void TurningArrow(const TGlyphPen& g)
{
    // Three quarters of a circle from the top round by the left, the bottom and the right,
    // with an arrow head at the top pointing on into the open quarter.
    constexpr double Radius = 4;
    std::vector<TPoint> arc;
    for (int step = 0; step <= 12; ++step) {
        const double angle = std::numbers::pi * (1.5 - 1.5 * step / 12.0);
        arc.push_back(g.At(int(std::lround(Radius * std::cos(angle))),
                           int(std::lround(Radius * std::sin(angle)))));
    }
    g.Line(arc);
    g.Triangle(g.At(0, -7), g.At(0, -1), g.At(3, -4));
}

} // namespace

void DrawNavigatorGlyph(TCanvas& canvas, const TRect& box, TNavigateBtn button, TColor color)
{
    canvas.SaveState();
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(psSolid);
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(bsSolid);
    const TGlyphPen g{canvas, TPoint(box.Left + box.Width() / 2, box.Top + box.Height() / 2)};
    switch (button) {
    case nbFirst:
        g.Fill(-5, -4, -3, 5);
        LeftTriangle(g, -2);
        break;
    case nbPrior:
        LeftTriangle(g, -2);
        break;
    case nbNext:
        RightTriangle(g, 2);
        break;
    case nbLast:
        RightTriangle(g, 2);
        g.Fill(3, -4, 5, 5);
        break;
    case nbInsert:
        g.Fill(-4, -1, 5, 1);
        g.Fill(-1, -4, 1, 5);
        break;
    case nbDelete:
        g.Fill(-4, -1, 5, 1);
        break;
    case nbEdit:
        g.Triangle(g.At(0, -3), g.At(-5, 2), g.At(5, 2));
        break;
    case nbPost:
        canvas.Pen().SetWidth(2);
        g.Line({g.At(-4, 0), g.At(-1, 3), g.At(5, -3)});
        break;
    case nbCancel:
        canvas.Pen().SetWidth(2);
        g.Line({g.At(-4, -4), g.At(4, 4)});
        g.Line({g.At(4, -4), g.At(-4, 4)});
        break;
    case nbRefresh:
        TurningArrow(g);
        break;
    }
    canvas.RestoreState();
}
