#include "markup/printbitmap.h"

#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <QImage>

void PrintBitmap(TCanvas& canvas, const TRect& rect, const QImage& image)
{
    // StretchDraw hands the device the original pixels and the target rectangle, so a
    // printer or PDF gets the full-resolution image rather than a screen-sized copy.
    canvas.StretchDraw(rect, image);
}

void PrintBitmap(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap)
{
    PrintBitmap(canvas, rect, bitmap.Image());
}
