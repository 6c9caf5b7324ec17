#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"

// Mixes two colours: Perc is the share of Col1 in percent (0 gives Col2, 100 gives Col1).
// System colours are resolved; 100 returns Col1 exactly as given. A blend with clNone is
// the other colour (there is nothing to mix with). Perc outside 0..100 keeps only the low
// byte of each channel.
TColor BlendColor(TColor Col1, TColor Col2, int Perc);

// Fills R with Steps bands running from FromColor towards ToColor: left to right when
// Direction is true, top to bottom otherwise. Each band is one pixel wider than its step so
// neighbours overlap; the last band still has a step to go, so ToColor itself is never
// reached. Steps below 1 act as 1. With one colour clNone R is filled plainly with the
// other; with both clNone, or an empty R, nothing is drawn. Leaves pen and brush in the
// last band's colour.
void DrawGradient(TCanvas& Canvas, TColor FromColor, TColor ToColor, int Steps, const TRect& R,
                  bool Direction);
