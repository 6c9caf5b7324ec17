#include "markup/glyphs.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

namespace {

QImage Arrow(TArrowDirection dir, TColor color = clNavy, int x = 4, int y = 3)
{
    QImage image = FilledImage(16, 14);
    TCanvas canvas(&image);
    DrawArrow(canvas, color, x, y, dir);
    return image;
}

// Pixels of one dot drawn at (x, y): a corner down the right and along the bottom.
std::vector<TPoint> DotPixels(int x, int y)
{
    return {{x + 3, y}, {x + 3, y + 1}, {x + 3, y + 2}, {x + 2, y + 2}, {x + 1, y + 2}};
}

constexpr TColor Grey = RGB(190, 190, 190);
constexpr TColor DotColor = RGB(200, 101, 51);
constexpr TColor HalfDotColor = RGB(100, 50, 25); // each channel shifted right by one

void ExpectDot(const QImage& image, int x, int y)
{
    for (const TPoint& p : DotPixels(x, y))
        EXPECT_EQ(At(image, p.X, p.Y), HalfDotColor) << "at " << p.X << "," << p.Y;
    EXPECT_EQ(At(image, x + 1, y + 1), clWhite) << "highlight of dot at " << x << "," << y;
}

} // namespace

TEST(DrawArrow, ChevronCornersArePaintedInTheColour)
{
    struct Case
    {
        TArrowDirection Dir;
        std::vector<TPoint> Corners; // relative to (X, Y)
    };
    const std::vector<Case> cases = {
        {adUp, {{0, 3}, {3, 0}, {6, 3}, {0, 7}, {3, 4}, {6, 7}}},
        {adDown, {{0, 0}, {3, 3}, {6, 0}, {0, 4}, {3, 7}, {6, 4}}},
        {adRight, {{0, 0}, {3, 3}, {0, 6}, {5, 0}, {8, 3}, {5, 6}}},
        {adLeft, {{3, 0}, {0, 3}, {3, 6}, {8, 0}, {5, 3}, {8, 6}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Dir);
        const QImage image = Arrow(c.Dir);
        for (const TPoint& p : c.Corners)
            EXPECT_EQ(At(image, 4 + p.X, 3 + p.Y), clNavy);
        // Only the arrow colour is drawn, and the 2-pixel pen stays within a pixel of
        // the corner points.
        EXPECT_EQ(CountColor(image, clNavy) + CountColor(image, clWhite), 16 * 14);
        const TRect bounds = BoundsOf(image, clNavy);
        const bool upright = c.Dir == adUp || c.Dir == adDown;
        EXPECT_GE(bounds.Left, 4 - 1);
        EXPECT_GE(bounds.Top, 3 - 1);
        EXPECT_LE(bounds.Right, 4 + (upright ? 6 : 8) + 2);
        EXPECT_LE(bounds.Bottom, 3 + (upright ? 7 : 6) + 2);
    }
}

TEST(DrawArrow, OppositeDirectionsAreMirrorImagesAndNoColourDrawsNothing)
{
    const auto mirrored = [](TArrowDirection a, TArrowDirection b, bool flipRows) {
        const QImage first = Arrow(a), second = Arrow(b);
        const TRect box = BoundsOf(first, clNavy);
        EXPECT_EQ(BoundsOf(second, clNavy), box);
        for (int y = box.Top; y < box.Bottom; ++y)
            for (int x = box.Left; x < box.Right; ++x) {
                const int mx = flipRows ? x : box.Left + box.Right - 1 - x;
                const int my = flipRows ? box.Top + box.Bottom - 1 - y : y;
                if (At(first, x, y) != At(second, mx, my)) return false;
            }
        return true;
    };
    EXPECT_TRUE(mirrored(adUp, adDown, true));
    EXPECT_TRUE(mirrored(adRight, adLeft, false));

    QImage image = FilledImage(16, 14);
    TCanvas canvas(&image);
    DrawArrow(canvas, clBtnShadow, 2, 2, adRight);
    EXPECT_EQ(canvas.Pen().Width(), 2); // the pen stays as the arrow set it
    canvas.ReleasePainter();
    EXPECT_GT(CountColor(image, ColorToRGB(clBtnShadow)), 20);
    EXPECT_EQ(CountColor(Arrow(adUp, clNone), clWhite), 16 * 14);
}

TEST(DrawBump, DotsAlternateInEveryEightPixels)
{
    QImage image = FilledImage(70, 40, Grey);
    {
        TCanvas canvas(&image);
        // Vertical: rows 5, 13, 21 and 29 (the last still above the bottom), x shifted
        // on odd dots.
        DrawBumpVert(canvas, TRect(10, 5, 20, 30), DotColor);
        // Horizontal: rows 4 and 2 below the top in turn; x = 57 is outside.
        DrawBumpHorz(canvas, TRect(33, 6, 57, 16), DotColor);
    }
    ExpectDot(image, 12, 5);
    ExpectDot(image, 10, 13);
    ExpectDot(image, 12, 21);
    ExpectDot(image, 10, 29);
    ExpectDot(image, 33, 10);
    ExpectDot(image, 41, 8);
    ExpectDot(image, 49, 10);
    EXPECT_EQ(CountColor(image, HalfDotColor), 7 * 5);
    EXPECT_EQ(CountColor(image, clWhite), 7);
}

TEST(DrawBump, SystemColoursWidePensAndEmptyInput)
{
    QImage image = FilledImage(20, 20, Grey);
    const QImage before = image;
    {
        TCanvas canvas(&image);
        DrawBumpVert(canvas, TRect(0, 0, 10, 0), DotColor);
        DrawBumpHorz(canvas, TRect(10, 0, 0, 10), DotColor);
        DrawBumpVert(canvas, TRect(0, 0, 10, 10), clNone);
    }
    EXPECT_EQ(image, before);
    {
        TCanvas canvas(&image);
        canvas.Pen().SetWidth(3); // left behind by an earlier painter
        DrawBumpVert(canvas, TRect(0, 0, 10, 4), clBtnFace);
    }
    const TColor face = ColorToRGB(clBtnFace);
    const TColor half = RGB(GetRValue(face) >> 1, GetGValue(face) >> 1, GetBValue(face) >> 1);
    EXPECT_EQ(CountColor(image, half), 5);
    EXPECT_EQ(At(image, 5, 0), half);
}
