#pragma once

// Pixel helpers shared by the suites that draw into images.
#include "platform/color.h"
#include "platform/geometry.h"

#include <QImage>

#include <algorithm>

inline QImage FilledImage(int width, int height, TColor color = clWhite)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(ToQColor(color));
    return image;
}

inline TColor At(const QImage& image, int x, int y)
{
    return FromQColor(image.pixelColor(x, y));
}

// How many pixels of one colour lie inside r.
inline int CountColor(const QImage& image, TColor color, const TRect& r)
{
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += At(image, x, y) == color;
    return n;
}

inline int CountColor(const QImage& image, TColor color)
{
    return CountColor(image, color, TRect(0, 0, image.width(), image.height()));
}

// True when every pixel of r has the colour.
inline bool AllOf(const QImage& image, TColor color, const TRect& r)
{
    return CountColor(image, color, r) == r.Width() * r.Height();
}

// The smallest rectangle holding every pixel of the colour (empty when there is none).
inline TRect BoundsOf(const QImage& image, TColor color)
{
    TRect r(image.width(), image.height(), 0, 0);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (At(image, x, y) == color) {
                r.Left = std::min(r.Left, x);
                r.Top = std::min(r.Top, y);
                r.Right = std::max(r.Right, x + 1);
                r.Bottom = std::max(r.Bottom, y + 1);
            }
    return r.IsEmpty() ? TRect() : r;
}
