#pragma once

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"

// Copies SrcRect of Bitmap to DestRect of Canvas (stretching when the sizes differ, with
// the canvas's copy mode), the colour of the bitmap's top-left pixel shown as BkColor.
// With BkColor clNone those pixels are left out and the canvas shows through.
void DrawBitmapTransp(const TRect& DestRect, TCanvas& Canvas, const TBitmap& Bitmap, TColor BkColor,
                      const TRect& SrcRect);

// Draws Bitmap at (X, Y) widened to Width pixels: its left and right halves are kept as
// they are and the two columns at the middle are stretched over the gap. The colour of
// the bottom-left pixel is transparent in both halves. A Width at or below the bitmap's
// own width stretches nothing; the right half is then drawn Width - bitmap width further.
void BitmapStretch(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Width);

// Draws Bitmap into (X, Y, Width wide, Height high): each half stretched to Height at its
// own side, the space between filled with the colour of the bitmap's centre pixel.
void BitmapStretchHeight(const TBitmap& Bitmap, TCanvas& Canvas, int X, int Y, int Height,
                         int Width);
