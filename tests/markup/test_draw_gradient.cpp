#include "markup/gradient.h"

#include "draw_pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct BlendCase
{
    TColor Col1;
    TColor Col2;
    int Perc;
    TColor Expected;
};

// The starts of the 8 bands over 100 pixels: Round(i * 12.5), half to even.
const std::vector<int> BandStarts = {0, 12, 25, 38, 50, 62, 75, 88};

// Band i of the black to RGB(160, 80, 240) gradient in 8 steps: exact deltas 20, 10, 30.
TColor BandColor(int i)
{
    return RGB(20 * i, 10 * i, 30 * i);
}

// The band whose colour a pixel `offset` into the gradient shows: the last band that
// starts at or before it, as each band overlaps the next by one pixel.
int VisibleBand(int offset)
{
    int band = 0;
    for (int i = 0; i < static_cast<int>(BandStarts.size()); ++i)
        if (BandStarts[i] <= offset) band = i;
    return band;
}

} // namespace

TEST(BlendColor, MixesByShareOfTheFirstColour)
{
    const std::vector<BlendCase> cases = {
        {clBlack, clWhite, 50, 0x808080}, // 127.5 rounds half to even, to 128
        {clWhite, clBlack, 50, 0x808080},
        {clRed, clBlue, 0, clBlue},
        {clRed, clBlue, 100, clRed},
        {RGB(200, 100, 0), RGB(0, 100, 200), 25, RGB(50, 100, 150)},
        {RGB(1, 3, 5), RGB(0, 0, 0), 50, RGB(0, 2, 2)}, // 0.5, 1.5, 2.5: half to even
        {RGB(10, 20, 30), RGB(10, 20, 30), 37, RGB(10, 20, 30)},
        {RGB(255, 0, 0), RGB(0, 0, 0), 30, RGB(76, 0, 0)},  // 76.5
        {RGB(255, 0, 0), RGB(0, 0, 0), 70, RGB(178, 0, 0)}, // 178.5
        // 0.23 + 72.27 is a hair above 72.5 in extended precision (72 in doubles).
        {RGB(23, 0, 0), RGB(73, 0, 0), 1, RGB(73, 0, 0)},
        {RGB(0, 64, 0), RGB(0, 14, 0), 1, RGB(0, 15, 0)},
        {RGB(100, 0, 0), RGB(0, 0, 0), 200, RGB(200, 0, 0)},  // beyond 100 % extrapolates
        {RGB(200, 0, 0), RGB(0, 0, 0), 200, RGB(144, 0, 0)},  // 400 keeps its low byte
        {RGB(0, 0, 0), RGB(100, 0, 0), -100, RGB(200, 0, 0)}, // so does a negative share
        {RGB(100, 0, 0), RGB(0, 0, 0), -100, RGB(156, 0, 0)}, // -100 & 0xFF
    };
    for (const BlendCase& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << std::hex << c.Col1 << " " << c.Col2 << std::dec << " " << c.Perc);
        EXPECT_EQ(BlendColor(c.Col1, c.Col2, c.Perc), c.Expected);
    }
}

TEST(BlendColor, SystemColoursAndNoColour)
{
    // 100 % returns the first colour as given, not resolved.
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 0), clBlack);
    EXPECT_EQ(BlendColor(clBlack, clBtnFace, 0), ColorToRGB(clBtnFace));
    ASSERT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 50), RGB(248, 248, 248)); // 247.5
    // Nothing to mix with: the other colour stays.
    EXPECT_EQ(BlendColor(clNone, clRed, 40), clRed);
    EXPECT_EQ(BlendColor(clRed, clNone, 40), clRed);
    EXPECT_EQ(BlendColor(clNone, clRed, 100), clNone);
    EXPECT_EQ(BlendColor(clNone, clNone, 50), clNone);
}

TEST(DrawGradient, HorizontalBandsStartHalfToEvenAndOverlapByOnePixel)
{
    QImage image = FilledImage(120, 20);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBlack, RGB(160, 80, 240), 8, TRect(10, 5, 110, 15), true);
    }
    for (int offset = 0; offset < 100; ++offset) {
        SCOPED_TRACE(offset);
        const TColor expected = BandColor(VisibleBand(offset));
        EXPECT_EQ(At(image, 10 + offset, 5), expected);
        EXPECT_EQ(At(image, 10 + offset, 14), expected);
    }
    // Each band is 13 pixels wide: band 1 still covers offset 24, one pixel under band 2,
    // which a band of 12 would not; the last one is clipped at the right edge.
    EXPECT_EQ(At(image, 10 + 24, 10), BandColor(1));
    EXPECT_EQ(At(image, 10 + 99, 10), BandColor(7));
    // The To colour itself is never reached, and nothing leaks outside R.
    EXPECT_EQ(CountColor(image, RGB(160, 80, 240)), 0);
    EXPECT_TRUE(AllOf(image, clWhite, TRect(0, 0, 10, 20)));
    EXPECT_TRUE(AllOf(image, clWhite, TRect(110, 0, 120, 20)));
    EXPECT_TRUE(AllOf(image, clWhite, TRect(0, 0, 120, 5)));
    EXPECT_TRUE(AllOf(image, clWhite, TRect(0, 15, 120, 20)));
}

TEST(DrawGradient, OverlappingBandsAreHiddenExceptTheirLastPixel)
{
    // Drawn over a band-by-band record: the pixel under each overlap belongs to the later
    // band, so band i shows exactly start(i+1) - start(i) pixels.
    QImage image = FilledImage(100, 1);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBlack, RGB(160, 80, 240), 8, TRect(0, 0, 100, 1), true);
    }
    for (int i = 0; i < 8; ++i) {
        const int next = i + 1 < 8 ? BandStarts[i + 1] : 100;
        EXPECT_EQ(CountColor(image, BandColor(i)), next - BandStarts[i]) << "band " << i;
    }
}

TEST(DrawGradient, VerticalBandsRunTopToBottom)
{
    QImage image = FilledImage(10, 110);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBlack, RGB(160, 80, 240), 8, TRect(2, 3, 8, 103), false);
    }
    for (int offset = 0; offset < 100; ++offset) {
        SCOPED_TRACE(offset);
        EXPECT_EQ(At(image, 2, 3 + offset), BandColor(VisibleBand(offset)));
        EXPECT_EQ(At(image, 7, 3 + offset), BandColor(VisibleBand(offset)));
    }
    EXPECT_EQ(At(image, 1, 50), clWhite);
    EXPECT_EQ(At(image, 8, 50), clWhite);
    EXPECT_EQ(At(image, 5, 2), clWhite);
    EXPECT_EQ(At(image, 5, 103), clWhite);
}

TEST(DrawGradient, ChannelStepsRoundHalfToEven)
{
    // Red climbs by 1.5 per band: 0, 1.5, 3, 4.5, 6, 7.5, 9, 10.5 round to 0 2 3 4 6 8 9 10.
    QImage image = FilledImage(80, 1);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBlack, RGB(12, 0, 0), 8, TRect(0, 0, 80, 1), true);
    }
    const int expected[8] = {0, 2, 3, 4, 6, 8, 9, 10};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(At(image, i * 10 + 5, 0), RGB(expected[i], 0, 0));
    // A falling channel rounds the negative steps the same way.
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, RGB(12, 0, 0), clBlack, 8, TRect(0, 0, 80, 1), true);
    }
    const int falling[8] = {12, 10, 9, 8, 6, 4, 3, 2};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(At(image, i * 10 + 5, 0), RGB(falling[i], 0, 0));
}

TEST(DrawGradient, SystemColoursAreResolved)
{
    QImage image = FilledImage(40, 4);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBtnFace, clWindow, 4, TRect(0, 0, 40, 4), true);
    }
    EXPECT_EQ(At(image, 0, 0), ColorToRGB(clBtnFace));
}

TEST(DrawGradient, ZeroOrNegativeStepsFillWithTheFromColour)
{
    for (int steps : {0, 1, -3}) {
        SCOPED_TRACE(steps);
        QImage image = FilledImage(30, 10);
        {
            TCanvas canvas(&image);
            DrawGradient(canvas, clNavy, clYellow, steps, TRect(5, 2, 25, 8), true);
        }
        EXPECT_TRUE(AllOf(image, clNavy, TRect(5, 2, 25, 8)));
        EXPECT_EQ(CountColor(image, clNavy), 20 * 6);
    }
}

TEST(DrawGradient, NoColourFallsBackToAPlainFill)
{
    QImage image = FilledImage(30, 10);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clTeal, clNone, 16, TRect(0, 0, 10, 10), true);
        DrawGradient(canvas, clNone, clPurple, 16, TRect(10, 0, 20, 10), false);
        DrawGradient(canvas, clNone, clNone, 16, TRect(20, 0, 30, 10), true);
    }
    EXPECT_TRUE(AllOf(image, clTeal, TRect(0, 0, 10, 10)));
    EXPECT_TRUE(AllOf(image, clPurple, TRect(10, 0, 20, 10)));
    EXPECT_TRUE(AllOf(image, clWhite, TRect(20, 0, 30, 10)));
}

TEST(DrawGradient, EmptyOrInvertedRectanglesPaintNothing)
{
    QImage image = FilledImage(30, 30);
    const QImage before = image;
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clRed, clBlue, 8, TRect(10, 10, 10, 20), true);
        DrawGradient(canvas, clRed, clBlue, 8, TRect(10, 10, 20, 10), false);
        DrawGradient(canvas, clRed, clBlue, 8, TRect(20, 20, 5, 5), true);
        DrawGradient(canvas, clRed, clBlue, 8, TRect(20, 5, 5, 25), false);
    }
    EXPECT_EQ(image, before);
}

TEST(DrawGradient, MoreStepsThanPixelsStillCoverTheRectangle)
{
    // 64 bands over 10 pixels: several bands share a pixel and the last one wins.
    QImage image = FilledImage(12, 3);
    {
        TCanvas canvas(&image);
        DrawGradient(canvas, clBlack, clWhite, 64, TRect(1, 0, 11, 3), true);
    }
    EXPECT_EQ(At(image, 0, 1), clWhite);
    EXPECT_EQ(At(image, 11, 1), clWhite);
    EXPECT_EQ(At(image, 1, 1), RGB(12, 12, 12)); // band 3 of 64, the last to start at 0
    for (int x = 2; x < 11; ++x) {
        SCOPED_TRACE(x);
        EXPECT_NE(At(image, x, 1), clWhite);
        EXPECT_GT(GetRValue(At(image, x, 1)), GetRValue(At(image, x - 1, 1)));
    }
}

TEST(DrawGradient, EarlierPenStateDoesNotChangeThePixels)
{
    QImage plain = FilledImage(40, 10);
    QImage styled = FilledImage(40, 10);
    {
        TCanvas canvas(&plain);
        DrawGradient(canvas, clRed, clBlue, 5, TRect(0, 0, 40, 10), true);
    }
    {
        TCanvas canvas(&styled);
        canvas.Pen().SetWidth(3);
        canvas.Pen().SetStyle(psDot);
        canvas.Brush().SetStyle(bsCross);
        DrawGradient(canvas, clRed, clBlue, 5, TRect(0, 0, 40, 10), true);
    }
    EXPECT_EQ(plain, styled);
}
