#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"

enum TArrowDirection { adUp, adDown, adRight, adLeft };

// A double chevron with its top-left corner at (X, Y), drawn with a 2-pixel pen in Color:
// 7 x 8 pixels for up and down, 9 x 7 for right and left. The pen width stays at 2.
// Nothing is drawn for clNone.
void DrawArrow(TCanvas& Canvas, TColor Color, int X, int Y, TArrowDirection Dir);

// Grip dots every 8 pixels down (Vert) or across (Horz) R, alternately shifted so that
// they interleave. Each dot is a small corner in Color at half brightness with a white
// highlight. Nothing is drawn for clNone or an empty R.
void DrawBumpVert(TCanvas& Canvas, const TRect& R, TColor Color);
void DrawBumpHorz(TCanvas& Canvas, const TRect& R, TColor Color);
