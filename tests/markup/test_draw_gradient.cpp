#include "markup/gradient.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

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

template <class Paint> QImage Painted(int w, int h, Paint paint)
{
    QImage image = FilledImage(w, h);
    TCanvas canvas(&image);
    paint(canvas);
    canvas.ReleasePainter();
    return image;
}

} // namespace

TEST(BlendColor, MixesByShareOfTheFirstColour)
{
    const struct
    {
        TColor Col1, Col2;
        int Perc;
        TColor Expected;
    } cases[] = {
        {clBlack, clWhite, 50, 0x808080}, // 127.5 rounds half to even, to 128
        {clRed, clBlue, 0, clBlue},
        {clRed, clBlue, 100, clRed},
        {RGB(200, 100, 0), RGB(0, 100, 200), 25, RGB(50, 100, 150)},
        {RGB(1, 3, 5), RGB(0, 0, 0), 50, RGB(0, 2, 2)},    // 0.5, 1.5, 2.5: half to even
        {RGB(255, 0, 0), RGB(0, 0, 0), 30, RGB(76, 0, 0)}, // 76.5
        // 0.23 + 72.27 is a hair above 72.5 in extended precision (72 in doubles).
        {RGB(23, 0, 0), RGB(73, 0, 0), 1, RGB(73, 0, 0)},
        {RGB(0, 64, 0), RGB(0, 14, 0), 1, RGB(0, 15, 0)},
        {RGB(100, 0, 0), RGB(0, 0, 0), 200, RGB(200, 0, 0)},  // beyond 100 % extrapolates
        {RGB(200, 0, 0), RGB(0, 0, 0), 200, RGB(144, 0, 0)},  // 400 keeps its low byte
        {RGB(100, 0, 0), RGB(0, 0, 0), -100, RGB(156, 0, 0)}, // so does -100
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendColor(c.Col1, c.Col2, c.Perc), c.Expected)
            << std::hex << c.Col1 << " " << c.Col2 << std::dec << " " << c.Perc;

    // 100 % returns the first colour as given, not resolved; mixing resolves it.
    EXPECT_EQ(BlendColor(clBtnFace, clBlack, 100), clBtnFace);
    EXPECT_EQ(BlendColor(clBlack, clBtnFace, 0), ColorToRGB(clBtnFace));
    ASSERT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(BlendColor(clBtnFace, clWhite, 50), RGB(248, 248, 248)); // 247.5
    // Nothing to mix with: the other colour stays.
    EXPECT_EQ(BlendColor(clNone, clRed, 40), clRed);
    EXPECT_EQ(BlendColor(clRed, clNone, 40), clRed);
    EXPECT_EQ(BlendColor(clNone, clRed, 100), clNone);
}

TEST(DrawGradient, BandsStartHalfToEvenAndOverlapByOnePixel)
{
    const QImage image = Painted(120, 20, [](TCanvas& c) {
        DrawGradient(c, clBlack, RGB(160, 80, 240), 8, TRect(10, 5, 110, 15), true);
    });
    for (int offset = 0; offset < 100; ++offset) {
        EXPECT_EQ(At(image, 10 + offset, 5), BandColor(VisibleBand(offset))) << offset;
        EXPECT_EQ(At(image, 10 + offset, 14), BandColor(VisibleBand(offset))) << offset;
    }
    // Each band is 13 pixels wide: band 1 still covers offset 24, one pixel under band 2,
    // which a band of 12 would not; band i shows exactly start(i+1) - start(i) pixels.
    EXPECT_EQ(At(image, 10 + 24, 10), BandColor(1));
    for (int i = 0; i < 8; ++i) {
        const int next = i + 1 < 8 ? BandStarts[i + 1] : 100;
        EXPECT_EQ(CountColor(image, BandColor(i), TRect(10, 5, 110, 6)), next - BandStarts[i])
            << "band " << i;
    }
    // The To colour itself is never reached, and nothing leaks outside R.
    EXPECT_EQ(CountColor(image, RGB(160, 80, 240)), 0);
    EXPECT_EQ(CountColor(image, clWhite), 120 * 20 - 100 * 10);

    const QImage vertical = Painted(10, 110, [](TCanvas& c) {
        DrawGradient(c, clBlack, RGB(160, 80, 240), 8, TRect(2, 3, 8, 103), false);
    });
    for (int offset = 0; offset < 100; ++offset)
        EXPECT_EQ(At(vertical, 7, 3 + offset), BandColor(VisibleBand(offset))) << offset;
    EXPECT_EQ(CountColor(vertical, clWhite), 10 * 110 - 6 * 100);
}

TEST(DrawGradient, ChannelStepsRoundHalfToEven)
{
    // Red climbs by 1.5 per band: 0, 1.5, 3, 4.5, 6, 7.5, 9, 10.5 round to 0 2 3 4 6 8 9 10;
    // a falling channel rounds the negative steps the same way.
    const QImage rising = Painted(80, 1, [](TCanvas& c) {
        DrawGradient(c, clBlack, RGB(12, 0, 0), 8, TRect(0, 0, 80, 1), true);
    });
    const QImage falling = Painted(80, 1, [](TCanvas& c) {
        DrawGradient(c, RGB(12, 0, 0), clBlack, 8, TRect(0, 0, 80, 1), true);
    });
    const int up[8] = {0, 2, 3, 4, 6, 8, 9, 10};
    const int down[8] = {12, 10, 9, 8, 6, 4, 3, 2};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(rising, i * 10 + 5, 0), RGB(up[i], 0, 0)) << i;
        EXPECT_EQ(At(falling, i * 10 + 5, 0), RGB(down[i], 0, 0)) << i;
    }
}

TEST(DrawGradient, FewStepsNoColourAndEmptyRectanglesFillPlainlyOrNotAtAll)
{
    for (int steps : {0, 1, -3}) {
        const QImage image = Painted(30, 10, [steps](TCanvas& c) {
            DrawGradient(c, clNavy, clYellow, steps, TRect(5, 2, 25, 8), true);
        });
        EXPECT_EQ(CountColor(image, clNavy, TRect(5, 2, 25, 8)), 20 * 6) << steps;
        EXPECT_EQ(CountColor(image, clNavy), 20 * 6) << steps;
    }
    const QImage image = Painted(50, 10, [](TCanvas& c) {
        DrawGradient(c, clTeal, clNone, 16, TRect(0, 0, 10, 10), true);
        DrawGradient(c, clNone, clPurple, 16, TRect(10, 0, 20, 10), false);
        DrawGradient(c, clNone, clNone, 16, TRect(20, 0, 30, 10), true);
        DrawGradient(c, clBtnFace, clWindow, 4, TRect(30, 0, 40, 10), true);
        DrawGradient(c, clRed, clBlue, 8, TRect(45, 2, 45, 8), true);
        DrawGradient(c, clRed, clBlue, 8, TRect(45, 8, 48, 2), false);
        DrawGradient(c, clRed, clBlue, 8, TRect(49, 8, 41, 2), true);
    });
    EXPECT_TRUE(AllOf(image, clTeal, TRect(0, 0, 10, 10)));
    EXPECT_TRUE(AllOf(image, clPurple, TRect(10, 0, 20, 10)));
    EXPECT_TRUE(AllOf(image, clWhite, TRect(20, 0, 30, 10)));
    EXPECT_EQ(At(image, 30, 0), ColorToRGB(clBtnFace)); // system colours are resolved
    EXPECT_TRUE(AllOf(image, clWhite, TRect(40, 0, 50, 10)));
}

TEST(DrawGradient, MoreStepsThanPixelsStillCoverTheRectangle)
{
    // 64 bands over 10 pixels: several bands share a pixel and the last one wins.
    const QImage image = Painted(
        12, 3, [](TCanvas& c) { DrawGradient(c, clBlack, clWhite, 64, TRect(1, 0, 11, 3), true); });
    EXPECT_EQ(At(image, 0, 1), clWhite);
    EXPECT_EQ(At(image, 11, 1), clWhite);
    EXPECT_EQ(At(image, 1, 1), RGB(12, 12, 12)); // band 3 of 64, the last to start at 0
    for (int x = 2; x < 11; ++x) {
        EXPECT_NE(At(image, x, 1), clWhite) << x;
        EXPECT_GT(GetRValue(At(image, x, 1)), GetRValue(At(image, x - 1, 1))) << x;
    }
}

TEST(DrawGradient, EarlierPenStateDoesNotChangeThePixels)
{
    const auto paint = [](TCanvas& c) {
        DrawGradient(c, clRed, clBlue, 5, TRect(0, 0, 40, 10), true);
    };
    const QImage plain = Painted(40, 10, paint);
    const QImage styled = Painted(40, 10, [&](TCanvas& c) {
        c.Pen().SetWidth(3);
        c.Pen().SetStyle(psDot);
        c.Brush().SetStyle(bsCross);
        paint(c);
    });
    EXPECT_EQ(plain, styled);
}
