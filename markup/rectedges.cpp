#include "markup/rectedges.h"

namespace {

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1)
{
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

void UseLinePen(TCanvas& canvas, TColor color, int width)
{
    canvas.Pen().SetStyle(psSolid);
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(width);
}

void FillSolid(TCanvas& canvas, const TRect& r, TColor color)
{
    canvas.Brush().SetStyle(bsSolid);
    canvas.Brush().SetColor(color);
    canvas.Pen().SetColor(color);
    canvas.FillRect(r);
}

// The fill of the "Ex" variants. Hatches draw over what lies below (transparent
// background); the background colour is still set for painters that switch to opaque.
void FillStyled(TCanvas& canvas, const TRect& r, TColor color, TColor hatchBkColor,
                TBrushStyle style)
{
    if (color == clNone) return;
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(style);
    if (style != bsSolid) {
        canvas.SetBkMode(bkTransparent);
        canvas.SetBkColor(ColorToRGB(hatchBkColor));
    }
    canvas.Pen().SetColor(color);
    canvas.Pen().SetWidth(1);
    canvas.FillRect(r);
}

void RightEdge(TCanvas& canvas, const TRect& r, TColor color, int width)
{
    if (color == clNone) return;
    UseLinePen(canvas, color, width);
    Line(canvas, r.Right - 1, r.Top, r.Right - 1, r.Bottom);
    canvas.Pen().SetWidth(1);
}

} // namespace

void RectLine(TCanvas& Canvas, const TRect& R, TColor Color, int Width)
{
    if (R.IsEmpty() || Color == clNone) return;
    UseLinePen(Canvas, Color, Width);
    Canvas.MoveTo(R.Left, R.Top);
    Canvas.LineTo(R.Right, R.Top);
    Canvas.LineTo(R.Right, R.Bottom);
    Canvas.LineTo(R.Left, R.Bottom);
    Canvas.LineTo(R.Left, R.Top);
}

void RectLineEx(TCanvas& Canvas, const TRect& R, TColor Color, int Width)
{
    if (R.IsEmpty() || Color == clNone) return;
    UseLinePen(Canvas, Color, Width);
    Canvas.MoveTo(R.Left, R.Top);
    Canvas.LineTo(R.Right, R.Top);
    Canvas.LineTo(R.Right, R.Bottom);
    Line(Canvas, R.Left, R.Bottom, R.Left, R.Top);
}

void RectLineExEx(TCanvas& Canvas, const TRect& R, TColor Color, int Width)
{
    if (R.IsEmpty() || Color == clNone) return;
    UseLinePen(Canvas, Color, Width);
    Line(Canvas, R.Left, R.Top, R.Right, R.Top);
    Canvas.MoveTo(R.Right, R.Bottom);
    Canvas.LineTo(R.Left, R.Bottom);
    Canvas.LineTo(R.Left, R.Top);
}

void RectHorz(TCanvas& Canvas, const TRect& R, TColor Color, TColor LineColor)
{
    if (R.IsEmpty()) return;
    FillSolid(Canvas, R, Color);
    if (LineColor == clNone) return;
    UseLinePen(Canvas, LineColor, 1);
    Line(Canvas, R.Left, R.Top - 1, R.Right, R.Top - 1);
    Line(Canvas, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
}

void RectVert(TCanvas& Canvas, const TRect& R, TColor Color, TColor LineColor)
{
    if (R.IsEmpty()) return;
    FillSolid(Canvas, R, Color);
    if (LineColor == clNone) return;
    UseLinePen(Canvas, LineColor, 1);
    Line(Canvas, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
}

void RectHorzEx(TCanvas& Canvas, const TRect& R, TColor Color, TColor HatchBkColor,
                TColor RightLineColor, TColor BottomLineColor, int LineWidth,
                TBrushStyle BrushStyle)
{
    if (R.IsEmpty()) return;
    FillStyled(Canvas, R, Color, HatchBkColor, BrushStyle);
    RightEdge(Canvas, R, RightLineColor, LineWidth);
    if (BottomLineColor == clNone) return;
    UseLinePen(Canvas, BottomLineColor, LineWidth);
    Line(Canvas, R.Left, R.Bottom - LineWidth, R.Right - LineWidth, R.Bottom - LineWidth);
    Canvas.Pen().SetWidth(1);
}

void RectVertEx(TCanvas& Canvas, const TRect& R, TColor Color, TColor HatchBkColor,
                TColor LineColor, int LineWidth, TBrushStyle BrushStyle)
{
    if (R.IsEmpty()) return;
    FillStyled(Canvas, R, Color, HatchBkColor, BrushStyle);
    RightEdge(Canvas, R, LineColor, LineWidth);
}
