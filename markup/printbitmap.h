#pragma once

#include "platform/geometry.h"

class QImage;
class TBitmap;
class TCanvas;

// Copies the whole bitmap, scaled, into rect of any canvas (screen, image, printer, PDF).
// A TBitmap's transparent colour is ignored: printing is a plain copy. An empty
// rectangle or bitmap draws nothing.
void PrintBitmap(TCanvas& canvas, const TRect& rect, const TBitmap& bitmap);
void PrintBitmap(TCanvas& canvas, const TRect& rect, const QImage& image);
