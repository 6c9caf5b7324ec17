#pragma once

#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/graphics.h"

enum TGaugeOrientation { goHorizontal, goVertical };

// How DrawGauge paints a completion bar. Level1Perc and Level2Perc are the percentages at
// which the bar moves on to the next colour pair; Steps is the gradient band count. The
// defaults are those of a planner's completion bar (TCompletion).
struct TGaugeSettings
{
    TColor Level0Color = clLime;
    TColor Level0ColorTo = clWhite;
    TColor Level1Color = clYellow;
    TColor Level1ColorTo = clWhite;
    TColor Level2Color = 0x00C6FF; // orange, between level 1's yellow and level 3's red
    TColor Level2ColorTo = clWhite;
    TColor Level3Color = clRed;
    TColor Level3ColorTo = clWhite;
    int Level1Perc = 70;
    int Level2Perc = 90;
    TColor BorderColor = clGray;
    bool ShowBorder = true;
    bool Stacked = false;
    bool ShowPercentage = true;
    // The percentage text font; not owned. Null keeps the canvas font.
    const TFont* Font = nullptr;
    bool CompletionSmooth = true;
    bool ShowGradient = true;
    int Steps = 8;
    TColor BackgroundColor = clBtnFace;
    TGaugeOrientation Orientation = goHorizontal;
};

// Paints a framed completion bar for Percentage into R: stacked colour segments, one
// smooth bar or 7-pixel blocks, optionally with the percentage written across its middle
// (bottom to top on a vertical gauge). Bars never leave the frame: their length uses
// Percentage clamped to 0..100, while the text shows the value as given. An empty or
// inverted R paints nothing.
void DrawGauge(TCanvas& Canvas, const TRect& R, int Percentage, const TGaugeSettings& Settings);
