#pragma once

#include "platform/color.h"
#include "platform/geometry.h"

class TCanvas;

// The buttons of a record navigator, in the order it shows them.
enum TNavigateBtn {
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel,
    nbRefresh
};
constexpr int NavigateButtonCount = 10;

// Draws a button's symbol centred in box, about 11 x 11 pixels, in one colour: bars and
// triangles for the moves, plus and minus for insert and delete, a raised triangle for
// edit, a tick for post, a cross for cancel and a turning arrow for refresh.
void DrawNavigatorGlyph(TCanvas& canvas, const TRect& box, TNavigateBtn button, TColor color);
