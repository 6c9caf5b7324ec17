#pragma once

#include <QPoint>
#include <QRect>

// Pixel geometry, x to the right and y down. A TRect's right and bottom edges are
// exclusive: it covers [Left, Right) x [Top, Bottom).
struct TPoint
{
    int X = 0;
    int Y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(int x, int y) : X(x), Y(y) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
    QPoint ToQPoint() const { return QPoint(X, Y); }
};

struct TRect
{
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom)
    {
    }
    static TRect FromQRect(const QRect& r)
    {
        return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
    }

    constexpr int Width() const { return Right - Left; }
    constexpr int Height() const { return Bottom - Top; }
    // Empty or inverted rectangles cover no pixel.
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(const TPoint& p) const
    {
        return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom;
    }
    constexpr TPoint TopLeft() const { return TPoint(Left, Top); }
    constexpr TPoint BottomRight() const { return TPoint(Right, Bottom); }
    constexpr void Offset(int dx, int dy)
    {
        Left += dx;
        Right += dx;
        Top += dy;
        Bottom += dy;
    }
    constexpr void Inflate(int dx, int dy)
    {
        Left -= dx;
        Right += dx;
        Top -= dy;
        Bottom += dy;
    }
    // The overlap of both; an empty rectangle (0,0,0,0) when they do not overlap.
    constexpr TRect Intersected(const TRect& o) const
    {
        TRect r(Left > o.Left ? Left : o.Left, Top > o.Top ? Top : o.Top,
                Right < o.Right ? Right : o.Right, Bottom < o.Bottom ? Bottom : o.Bottom);
        return r.IsEmpty() ? TRect() : r;
    }
    // Normalised QRect of the covered pixels (empty for inverted rectangles).
    QRect ToQRect() const { return IsEmpty() ? QRect() : QRect(Left, Top, Width(), Height()); }

    friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int left, int top, int right, int bottom)
{
    return TRect(left, top, right, bottom);
}
constexpr TPoint Point(int x, int y) { return TPoint(x, y); }
