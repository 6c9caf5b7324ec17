#pragma once

#include "platform/geometry.h"

#include <QSize>

// Where a picture sits in a control.
enum TPicturePosition {
    bpTopLeft,
    bpTopRight,
    bpBottomLeft,
    bpBottomRight,
    bpCenter,
    bpTiled,
    bpStretched
};

// The rectangle the picture (of natural size pictureSize) takes in client: a corner, the
// middle (rounded towards the top-left, overhanging evenly when the picture is larger),
// the whole client for bpStretched, and the first tile, at the top-left, for bpTiled.
// Empty when the picture or the client is empty.
TRect PicturePlacement(TPicturePosition position, const TRect& client, const QSize& pictureSize);
