#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

// Cell fills and edge lines of the planner grids. The outlines join the corner points of R
// themselves (Right and Bottom included, as lines end there); fills cover R. A colour of
// clNone leaves its part out, and an empty or inverted R draws nothing.

// Closed outline through the four corners.
void RectLine(TCanvas& Canvas, const TRect& R, TColor Color, int Width);
// Top, right and left edges.
void RectLineEx(TCanvas& Canvas, const TRect& R, TColor Color, int Width);
// Top, bottom and left edges.
void RectLineExEx(TCanvas& Canvas, const TRect& R, TColor Color, int Width);

// R filled with Color; lines in LineColor along the row above R and along R's last row.
void RectHorz(TCanvas& Canvas, const TRect& R, TColor Color, TColor LineColor);
// R filled with Color; a line in LineColor down R's last column.
void RectVert(TCanvas& Canvas, const TRect& R, TColor Color, TColor LineColor);

// R filled with Color in BrushStyle (hatches drawn over what is there), a LineWidth line in
// RightLineColor down R's last column and one in BottomLineColor along the bottom.
void RectHorzEx(TCanvas& Canvas, const TRect& R, TColor Color, TColor HatchBkColor,
                TColor RightLineColor, TColor BottomLineColor, int LineWidth,
                TBrushStyle BrushStyle);
// R filled as RectHorzEx does, with a LineWidth line in LineColor down R's last column.
void RectVertEx(TCanvas& Canvas, const TRect& R, TColor Color, TColor HatchBkColor,
                TColor LineColor, int LineWidth, TBrushStyle BrushStyle);
