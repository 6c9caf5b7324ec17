#include "markup/gauge.h"

#include "draw_pixels.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Back = RGB(230, 230, 230);
constexpr TColor Border = RGB(128, 0, 128);
constexpr TColor Outside = RGB(10, 20, 30);
constexpr TColor L0 = RGB(0, 200, 0);
constexpr TColor L1 = RGB(200, 200, 0);
constexpr TColor L2 = RGB(250, 150, 0);
constexpr TColor L3 = RGB(200, 0, 0);
constexpr TColor TextColor = RGB(0, 0, 160);

// Plain (gradient-free) bars in distinct colours, no text.
TGaugeSettings PlainSettings(TGaugeOrientation orientation = goHorizontal)
{
    TGaugeSettings s;
    s.Level0Color = L0;
    s.Level1Color = L1;
    s.Level2Color = L2;
    s.Level3Color = L3;
    s.BackgroundColor = Back;
    s.BorderColor = Border;
    s.ShowGradient = false;
    s.ShowPercentage = false;
    s.Orientation = orientation;
    return s;
}

QImage Gauge(const TRect& r, int percentage, const TGaugeSettings& s, int w = 120, int h = 120)
{
    QImage image = FilledImage(w, h, Outside);
    TCanvas canvas(&image);
    DrawGauge(canvas, r, percentage, s);
    return image;
}

void ExpectFrame(const QImage& image, const TRect& r, TColor border)
{
    EXPECT_TRUE(AllOf(image, border, TRect(r.Left, r.Top, r.Right, r.Top + 1)));
    EXPECT_TRUE(AllOf(image, border, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom)));
    EXPECT_TRUE(AllOf(image, border, TRect(r.Left, r.Top, r.Left + 1, r.Bottom)));
    EXPECT_TRUE(AllOf(image, border, TRect(r.Right - 1, r.Top, r.Right, r.Bottom)));
}

int Outer(const QImage& image, const TRect& r)
{
    return image.width() * image.height() - r.Width() * r.Height();
}

TFont TextFont()
{
    TFont font;
    font.SetName(QStringLiteral("DejaVu Sans"));
    font.SetHeight(-12);
    font.SetColor(TextColor);
    return font;
}

// The best share of pixels on which two text images agree (text or not), over the small
// shifts that different glyph placement may cause.
double GlyphOverlap(const QImage& a, const QImage& b)
{
    const int width = std::min(a.width(), b.width());
    const int height = std::min(a.height(), b.height());
    double best = 0;
    for (int dx = 0; dx <= std::abs(a.width() - b.width()); ++dx)
        for (int dy = 0; dy <= std::abs(a.height() - b.height()); ++dy) {
            const int ax = a.width() > b.width() ? dx : 0, bx = a.width() > b.width() ? 0 : dx;
            const int ay = a.height() > b.height() ? dy : 0, by = a.height() > b.height() ? 0 : dy;
            int same = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    same += (At(a, x + ax, y + ay) == TextColor) ==
                            (At(b, x + bx, y + by) == TextColor);
            best = std::max(best, static_cast<double>(same) / (width * height));
        }
    return best;
}

class GaugeText : public testing::Test
{
protected:
    void SetUp() override { SetTextAntialiasing(false); }
    void TearDown() override { SetTextAntialiasing(true); }
};

} // namespace

TEST(GaugeFrame, FrameAndBackgroundWithAndWithoutBorder)
{
    const TRect r(10, 10, 60, 22);
    TGaugeSettings s = PlainSettings();
    QImage image = Gauge(r, 0, s);
    ExpectFrame(image, r, Border);
    EXPECT_TRUE(AllOf(image, Back, TRect(11, 11, 59, 21)));
    EXPECT_EQ(CountColor(image, Outside), Outer(image, r));

    s.ShowBorder = false;
    image = Gauge(r, 0, s);
    EXPECT_TRUE(AllOf(image, Back, r));

    s.BackgroundColor = clBtnFace;
    image = Gauge(r, 0, s);
    EXPECT_TRUE(AllOf(image, ColorToRGB(clBtnFace), r));
}

TEST(GaugeFrame, EmptyOrInvertedRectanglesPaintNothing)
{
    TGaugeSettings s = PlainSettings();
    s.ShowPercentage = true;
    for (const TRect& r : {TRect(10, 10, 10, 30), TRect(10, 10, 50, 10), TRect(50, 30, 10, 10)}) {
        const QImage image = Gauge(r, 50, s);
        EXPECT_EQ(CountColor(image, Outside), 120 * 120);
    }
}

TEST(GaugeSmooth, HorizontalBarFillsItsShareOfTheInnerLength)
{
    // Inner length 98: 50 % is 49 pixels from L+1, 25 % is 24.5, rounded to even 24.
    const TRect r(0, 0, 100, 12);
    const TGaugeSettings s = PlainSettings();
    QImage image = Gauge(r, 50, s);
    ExpectFrame(image, r, Border);
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 1, 50, 11)));
    EXPECT_TRUE(AllOf(image, Back, TRect(50, 1, 99, 11)));

    image = Gauge(r, 25, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 1, 25, 11)));
    EXPECT_EQ(CountColor(image, L0), 24 * 10);

    image = Gauge(r, 100, s);
    EXPECT_TRUE(AllOf(image, L3, TRect(1, 1, 99, 11)));
    ExpectFrame(image, r, Border);
}

TEST(GaugeSmooth, VerticalBarGrowsFromTheBottom)
{
    const TRect r(5, 10, 17, 110); // inner length 98
    const QImage image = Gauge(r, 50, PlainSettings(goVertical));
    ExpectFrame(image, r, Border);
    EXPECT_TRUE(AllOf(image, L0, TRect(6, 109 - 49, 16, 109)));
    EXPECT_TRUE(AllOf(image, Back, TRect(6, 11, 16, 109 - 49)));
}

TEST(GaugeSmooth, ColourPairFollowsTheLevelThresholds)
{
    const TRect r(0, 0, 102, 10);
    const TGaugeSettings s = PlainSettings();
    const struct
    {
        int Percentage;
        TColor Expected;
    } cases[] = {{1, L0}, {69, L0}, {70, L1}, {89, L1}, {90, L2}, {99, L2}, {100, L3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Percentage);
        const QImage image = Gauge(r, c.Percentage, s);
        EXPECT_EQ(CountColor(image, c.Expected), c.Percentage * 8);
    }
    // Below 1 % there is no bar at all.
    EXPECT_EQ(CountColor(Gauge(r, 0, s), Back), 100 * 8);
}

TEST(GaugeSmooth, PercentagesOutsideTheRangeStayInsideTheFrame)
{
    const TRect r(10, 0, 110, 12);
    QImage image = Gauge(r, 150, PlainSettings());
    ExpectFrame(image, r, Border);
    EXPECT_TRUE(AllOf(image, L3, TRect(11, 1, 109, 11)));
    EXPECT_EQ(CountColor(image, Outside), Outer(image, r));

    image = Gauge(r, -20, PlainSettings());
    EXPECT_TRUE(AllOf(image, Back, TRect(11, 1, 109, 11)));
}

TEST(GaugeSmooth, GradientIsDarkestAlongTheMiddle)
{
    TGaugeSettings s = PlainSettings();
    s.ShowGradient = true;
    s.Level0Color = RGB(0, 0, 0);
    s.Level0ColorTo = RGB(160, 160, 160);
    s.Steps = 4;
    const TRect r(0, 0, 60, 18); // bar rows 1..16, split at 1 + 16 / 2 = 9
    QImage image = Gauge(r, 50, s);
    // Top half from ColorTo down towards Color, bottom half from Color back to ColorTo;
    // 8 rows in 4 steps of 40 per channel, two rows per band.
    const int top[8] = {160, 160, 120, 120, 80, 80, 40, 40};
    const int bottom[8] = {0, 0, 40, 40, 80, 80, 120, 120};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(image, 10, 1 + i), RGB(top[i], top[i], top[i])) << "row " << 1 + i;
        EXPECT_EQ(At(image, 10, 9 + i), RGB(bottom[i], bottom[i], bottom[i])) << "row " << 9 + i;
    }
    EXPECT_EQ(At(image, 30, 9), Back); // past the 29-pixel bar

    // A vertical gauge splits the bar into a left and a right half instead.
    s.Orientation = goVertical;
    image = Gauge(TRect(0, 0, 18, 60), 50, s);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(image, 1 + i, 50), RGB(top[i], top[i], top[i])) << "column " << 1 + i;
        EXPECT_EQ(At(image, 9 + i, 50), RGB(bottom[i], bottom[i], bottom[i])) << "column " << 9 + i;
    }
}

TEST(GaugeStacked, SegmentsFollowEachOtherInTheirLevelColours)
{
    TGaugeSettings s = PlainSettings();
    s.Stacked = true;
    const TRect r(0, 0, 100, 10); // inner length 98
    // 80 %: 70 % of 98 = 68.6 -> 69 in level 0, then 10 % = 9.8 -> 10 in level 1.
    QImage image = Gauge(r, 80, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 1, 70, 9)));
    EXPECT_TRUE(AllOf(image, L1, TRect(70, 1, 80, 9)));
    EXPECT_TRUE(AllOf(image, Back, TRect(80, 1, 99, 9)));
    // 95 %: level 1 runs to 90 % (19.6 -> 20), then 5 % (4.9 -> 5) in level 3; the
    // level 2 pair is not used by stacked gauges.
    image = Gauge(r, 95, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 1, 70, 9)));
    EXPECT_TRUE(AllOf(image, L1, TRect(70, 1, 90, 9)));
    EXPECT_TRUE(AllOf(image, L3, TRect(90, 1, 95, 9)));
    EXPECT_EQ(CountColor(image, L2), 0);
    // Below level 1 only the first segment.
    image = Gauge(r, 30, s);
    EXPECT_EQ(CountColor(image, L0), 29 * 8); // 29.4
    EXPECT_EQ(CountColor(image, L1) + CountColor(image, L3), 0);
}

TEST(GaugeStacked, HundredPercentFillsTheInnerLengthExactly)
{
    // Inner length 18: the segments round to 13 (12.6) and 4 (3.6), leaving 1 where
    // 10 % alone would round to 2.
    TGaugeSettings s = PlainSettings();
    s.Stacked = true;
    const TRect r(0, 0, 20, 8);
    const QImage image = Gauge(r, 100, s, 30, 10);
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 1, 14, 7)));
    EXPECT_TRUE(AllOf(image, L1, TRect(14, 1, 18, 7)));
    EXPECT_TRUE(AllOf(image, L3, TRect(18, 1, 19, 7)));
    ExpectFrame(image, r, Border);
}

TEST(GaugeStacked, VerticalStackKeepsItsOnePixelOffsets)
{
    TGaugeSettings s = PlainSettings(goVertical);
    s.Stacked = true;
    const TRect r(0, 0, 8, 20); // inner length 18, segments 13, 4 and 1
    const QImage image = Gauge(r, 100, s, 10, 30);
    // Level 0 spans [B - 13, B - 1), one pixel short of its share; level 1 sits on it;
    // level 3 one pixel above level 1 and ending at the frame's inner top.
    EXPECT_TRUE(AllOf(image, L0, TRect(1, 7, 7, 19)));
    EXPECT_TRUE(AllOf(image, L1, TRect(1, 3, 7, 7)));
    EXPECT_TRUE(AllOf(image, Back, TRect(1, 2, 7, 3)));
    EXPECT_TRUE(AllOf(image, L3, TRect(1, 1, 7, 2)));
    ExpectFrame(image, r, Border);
}

TEST(GaugeBlocks, ShortBarsMakeOneBlockOrNone)
{
    TGaugeSettings s = PlainSettings();
    s.CompletionSmooth = false;
    const TRect r(0, 0, 100, 12); // N = Round(P * 98 / 100)
    // N = 5 (5.1): one block of N - 1 pixels from L+2, inset two pixels.
    QImage image = Gauge(r, 5, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 2, 6, 10)));
    EXPECT_EQ(CountColor(image, L0), 4 * 8);
    // N = 1: nothing.
    image = Gauge(r, 1, s);
    EXPECT_EQ(CountColor(image, L0), 0);
    // N = 10 (9.8): one 7-pixel block and no remainder block (remainder 1).
    image = Gauge(r, 10, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 2, 9, 10)));
    EXPECT_EQ(CountColor(image, L0), 7 * 8);
}

TEST(GaugeBlocks, FullBarIsBlocksOfSevenWithGapsOfTwo)
{
    TGaugeSettings s = PlainSettings();
    s.CompletionSmooth = false;
    const TRect r(0, 0, 100, 12);
    // N = 98: ten blocks at 2, 11, ... 83, then a remainder of 8 gives a 7-pixel block
    // at 92.
    const QImage image = Gauge(r, 100, s);
    for (int i = 0; i <= 10; ++i) {
        SCOPED_TRACE(i);
        const int start = 2 + 9 * i;
        EXPECT_TRUE(AllOf(image, L3, TRect(start, 2, start + 7, 10)));
        EXPECT_TRUE(AllOf(image, Back, TRect(start + 7, 2, std::min(start + 9, 99), 10)));
    }
    EXPECT_EQ(CountColor(image, L3), 11 * 7 * 8);
    EXPECT_TRUE(AllOf(image, Back, TRect(1, 1, 99, 2)));
    EXPECT_TRUE(AllOf(image, Back, TRect(1, 10, 99, 11)));

    // N = 49 (50 %): five blocks and a remainder of 4, a 3-pixel block at 47.
    const QImage half = Gauge(r, 50, s);
    EXPECT_TRUE(AllOf(half, L0, TRect(38, 2, 45, 10)));
    EXPECT_TRUE(AllOf(half, L0, TRect(47, 2, 50, 10)));
    EXPECT_EQ(CountColor(half, L0), (5 * 7 + 3) * 8);
}

TEST(GaugeBlocks, VerticalBlocksStackUpwards)
{
    TGaugeSettings s = PlainSettings(goVertical);
    s.CompletionSmooth = false;
    const TRect r(0, 0, 12, 100);
    const QImage image = Gauge(r, 20, s); // N = 20 (19.6): two blocks, remainder 2
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 91, 10, 98)));
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 82, 10, 89)));
    EXPECT_EQ(CountColor(image, L0), 2 * 7 * 8);

    const QImage small = Gauge(r, 5, s); // N = 5: one block of 4 ending at B-2
    EXPECT_TRUE(AllOf(small, L0, TRect(2, 94, 10, 98)));
    EXPECT_EQ(CountColor(small, L0), 4 * 8);
}

TEST(GaugeBlocks, BlocksWithGradients)
{
    TGaugeSettings s = PlainSettings();
    s.CompletionSmooth = false;
    s.ShowGradient = true;
    s.Level0Color = RGB(0, 0, 0);
    s.Level0ColorTo = RGB(200, 200, 200);
    s.Steps = 1;
    const QImage image = Gauge(TRect(0, 0, 100, 12), 10, s);
    // One block (2..8, 2..9): the top half in ColorTo, the bottom half in Color.
    EXPECT_TRUE(AllOf(image, RGB(200, 200, 200), TRect(2, 2, 9, 6)));
    EXPECT_TRUE(AllOf(image, RGB(0, 0, 0), TRect(2, 6, 9, 10)));
    EXPECT_TRUE(AllOf(image, Back, TRect(9, 2, 99, 10)));
}

TEST_F(GaugeText, ZeroPercentDrawsTheFrameAndTheText)
{
    const TFont font = TextFont();
    TGaugeSettings s = PlainSettings();
    s.ShowPercentage = true;
    s.Font = &font;
    const TRect r(0, 0, 100, 24);
    QImage image = FilledImage(100, 24, Outside);
    int textWidth = 0, textHeight = 0;
    {
        TCanvas canvas(&image);
        DrawGauge(canvas, r, 0, s);
        textWidth = canvas.TextWidth(QStringLiteral("0%"));
        textHeight = canvas.TextHeight(QStringLiteral("0%"));
        EXPECT_EQ(canvas.Font().Color(), TextColor);
        EXPECT_EQ(canvas.Brush().Style(), bsClear);
    }
    ExpectFrame(image, r, Border);
    const TRect text = BoundsOf(image, TextColor);
    ASSERT_FALSE(text.IsEmpty());
    const int left = 50 - textWidth / 2, top = 12 - textHeight / 2;
    EXPECT_GE(text.Left, left);
    EXPECT_LE(text.Right, left + textWidth);
    EXPECT_GE(text.Top, top);
    EXPECT_LE(text.Bottom, top + textHeight);
    // Transparent text: the background around the glyphs stays.
    EXPECT_EQ(CountColor(image, Back) + CountColor(image, TextColor), 98 * 22);
}

TEST_F(GaugeText, TextIsDrawnOverTheBar)
{
    const TFont font = TextFont();
    TGaugeSettings s = PlainSettings();
    s.ShowPercentage = true;
    s.Font = &font;
    const QImage image = Gauge(TRect(0, 0, 100, 24), 100, s, 100, 24);
    const TRect text = BoundsOf(image, TextColor);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 50, 3);
    EXPECT_NEAR((text.Top + text.Bottom) / 2.0, 12, 4);
    EXPECT_GT(CountColor(image, L3), 98 * 22 - text.Width() * text.Height());
}

TEST_F(GaugeText, VerticalTextReadsBottomToTopCentred)
{
    const TFont font = TextFont();
    TGaugeSettings s = PlainSettings(goVertical);
    s.ShowPercentage = true;
    s.Font = &font;
    s.Level3Color = Back;
    QImage image = FilledImage(24, 100, Outside);
    {
        TCanvas canvas(&image);
        DrawGauge(canvas, TRect(0, 0, 24, 100), 100, s);
        EXPECT_EQ(canvas.Font().Orientation(), 0); // the rotation was for this text only
    }
    const TRect text = BoundsOf(image, TextColor);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GT(text.Height(), text.Width()); // "100%" runs along the bar
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 12, 4);
    EXPECT_NEAR((text.Top + text.Bottom) / 2.0, 50, 3);

    // The same text on a horizontal gauge, turned a quarter counter-clockwise, gives the
    // same glyphs: the first character at the bottom, the tops of the letters on the left.
    s.Orientation = goHorizontal;
    QImage flat = FilledImage(100, 24, Outside);
    {
        TCanvas canvas(&flat);
        DrawGauge(canvas, TRect(0, 0, 100, 24), 100, s);
    }
    const QImage flatText = flat.copy(BoundsOf(flat, TextColor).ToQRect());
    const QImage upright = image.copy(text.ToQRect());
    const double counterClockwise =
        GlyphOverlap(flatText.transformed(QTransform().rotate(-90)), upright);
    const double clockwise = GlyphOverlap(flatText.transformed(QTransform().rotate(90)), upright);
    // Rotated and upright glyphs are hinted a little differently, so the match is close
    // rather than exact; the wrong turn matches far worse.
    EXPECT_GE(counterClockwise, 0.75);
    EXPECT_GT(counterClockwise, clockwise + 0.15);
}

TEST_F(GaugeText, PercentageAboveHundredIsWrittenAsGiven)
{
    const TFont font = TextFont();
    TGaugeSettings s = PlainSettings();
    s.ShowPercentage = true;
    s.Font = &font;
    QImage wide = FilledImage(120, 24, Outside);
    QImage hundred = FilledImage(120, 24, Outside);
    {
        TCanvas canvas(&wide);
        DrawGauge(canvas, TRect(0, 0, 120, 24), 150, s);
    }
    {
        TCanvas canvas(&hundred);
        DrawGauge(canvas, TRect(0, 0, 120, 24), 100, s);
    }
    EXPECT_NE(wide, hundred); // "150%" and "100%" differ, the bars do not
    EXPECT_EQ(CountColor(wide, L3) + CountColor(wide, TextColor), 118 * 22);
}
