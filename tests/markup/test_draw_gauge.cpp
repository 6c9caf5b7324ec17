#include "markup/gauge.h"

#include "support/pixels.h"

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

void ExpectFrame(const QImage& image, const TRect& r)
{
    EXPECT_TRUE(AllOf(image, Border, TRect(r.Left, r.Top, r.Right, r.Top + 1)));
    EXPECT_TRUE(AllOf(image, Border, TRect(r.Left, r.Bottom - 1, r.Right, r.Bottom)));
    EXPECT_TRUE(AllOf(image, Border, TRect(r.Left, r.Top, r.Left + 1, r.Bottom)));
    EXPECT_TRUE(AllOf(image, Border, TRect(r.Right - 1, r.Top, r.Right, r.Bottom)));
}

// Each band filled with its colour, e.g. the segments of a bar.
void ExpectBands(const QImage& image, std::initializer_list<std::pair<TColor, TRect>> bands)
{
    for (const auto& [colour, r] : bands)
        EXPECT_TRUE(AllOf(image, colour, r)) << std::hex << colour << std::dec << " in " << r.Left
                                             << "," << r.Top << "," << r.Right << "," << r.Bottom;
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
    void SetUp() override
    {
        SetTextAntialiasing(false);
        m_settings.ShowPercentage = true;
        m_settings.Font = &m_font;
    }
    void TearDown() override { SetTextAntialiasing(true); }

    const TFont m_font = TextFont();
    TGaugeSettings m_settings = PlainSettings();
};

} // namespace

TEST(GaugeFrame, FrameBackgroundAndEmptyRectangles)
{
    const TRect r(10, 10, 60, 22);
    TGaugeSettings s = PlainSettings();
    QImage image = Gauge(r, 0, s);
    ExpectFrame(image, r);
    EXPECT_TRUE(AllOf(image, Back, TRect(11, 11, 59, 21)));
    EXPECT_EQ(CountColor(image, Outside), 120 * 120 - r.Width() * r.Height());

    s.ShowBorder = false;
    s.BackgroundColor = clBtnFace;
    EXPECT_TRUE(AllOf(Gauge(r, 0, s), ColorToRGB(clBtnFace), r));

    s.ShowPercentage = true;
    for (const TRect& empty : {TRect(10, 10, 10, 30), TRect(10, 10, 50, 10), TRect(50, 30, 10, 10)})
        EXPECT_EQ(CountColor(Gauge(empty, 50, s), Outside), 120 * 120);
}

TEST(GaugeSmooth, BarsFillTheirShareOfTheInnerLengthWithinTheFrame)
{
    // Inner length 98: 50 % is 49 pixels from L+1, 25 % is 24.5, rounded to even 24.
    const TRect r(0, 0, 100, 12);
    QImage image = Gauge(r, 50, PlainSettings());
    ExpectFrame(image, r);
    ExpectBands(image, {{L0, TRect(1, 1, 50, 11)}, {Back, TRect(50, 1, 99, 11)}});
    EXPECT_EQ(CountColor(Gauge(r, 25, PlainSettings()), L0), 24 * 10);

    // Vertical bars grow from the bottom.
    const TRect tall(5, 10, 17, 110);
    image = Gauge(tall, 50, PlainSettings(goVertical));
    ExpectFrame(image, tall);
    ExpectBands(image, {{L0, TRect(6, 109 - 49, 16, 109)}, {Back, TRect(6, 11, 16, 109 - 49)}});

    // Percentages outside 0..100 stay inside the frame.
    const TRect offset(10, 0, 110, 12);
    image = Gauge(offset, 150, PlainSettings());
    ExpectFrame(image, offset);
    EXPECT_TRUE(AllOf(image, L3, TRect(11, 1, 109, 11)));
    EXPECT_EQ(CountColor(image, Outside), 120 * 120 - offset.Width() * offset.Height());
    EXPECT_TRUE(AllOf(Gauge(offset, -20, PlainSettings()), Back, TRect(11, 1, 109, 11)));
}

TEST(GaugeSmooth, ColourPairFollowsTheLevelThresholds)
{
    const TRect r(0, 0, 102, 10);
    const TGaugeSettings s = PlainSettings();
    const std::pair<int, TColor> cases[] = {{1, L0},  {69, L0}, {70, L1}, {89, L1},
                                            {90, L2}, {99, L2}, {100, L3}};
    for (const auto& [percentage, colour] : cases)
        EXPECT_EQ(CountColor(Gauge(r, percentage, s), colour), percentage * 8) << percentage;
    // Below 1 % there is no bar at all.
    EXPECT_EQ(CountColor(Gauge(r, 0, s), Back), 100 * 8);
}

TEST(GaugeSmooth, GradientIsDarkestAlongTheMiddle)
{
    TGaugeSettings s = PlainSettings();
    s.ShowGradient = true;
    s.Level0Color = RGB(0, 0, 0);
    s.Level0ColorTo = RGB(160, 160, 160);
    s.Steps = 4;
    // Bar rows 1..16, split at 9. The top half runs from ColorTo towards Color, the bottom
    // half back again: 8 rows in 4 steps of 40 per channel, two rows per band.
    const int top[8] = {160, 160, 120, 120, 80, 80, 40, 40};
    const int bottom[8] = {0, 0, 40, 40, 80, 80, 120, 120};
    QImage image = Gauge(TRect(0, 0, 60, 18), 50, s);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(At(image, 10, 1 + i), RGB(top[i], top[i], top[i])) << "row " << 1 + i;
        EXPECT_EQ(At(image, 10, 9 + i), RGB(bottom[i], bottom[i], bottom[i])) << "row " << 9 + i;
    }
    EXPECT_EQ(At(image, 30, 9), Back); // past the 29-pixel bar

    // A vertical gauge splits the bar into a left and a right half instead.
    s.Orientation = goVertical;
    image = Gauge(TRect(0, 0, 18, 60), 50, s);
    EXPECT_EQ(At(image, 1, 50), RGB(160, 160, 160));
    EXPECT_EQ(At(image, 8, 50), RGB(40, 40, 40));
    EXPECT_EQ(At(image, 9, 50), RGB(0, 0, 0));
    EXPECT_EQ(At(image, 16, 50), RGB(120, 120, 120));
}

TEST(GaugeStacked, SegmentsFollowEachOtherInTheirLevelColoursAndFillTheBarExactly)
{
    TGaugeSettings s = PlainSettings();
    s.Stacked = true;
    const TRect r(0, 0, 100, 10); // inner length 98
    // 80 %: 70 % of 98 = 68.6 -> 69 in level 0, then 10 % = 9.8 -> 10 in level 1.
    ExpectBands(Gauge(r, 80, s),
                {{L0, TRect(1, 1, 70, 9)}, {L1, TRect(70, 1, 80, 9)}, {Back, TRect(80, 1, 99, 9)}});
    // 95 %: level 1 runs to 90 % (19.6 -> 20), then 5 % (4.9 -> 5) in level 3; the
    // level 2 pair is not used by stacked gauges.
    QImage image = Gauge(r, 95, s);
    ExpectBands(image, {{L1, TRect(70, 1, 90, 9)}, {L3, TRect(90, 1, 95, 9)}});
    EXPECT_EQ(CountColor(image, L2), 0);
    // Below level 1 only the first segment.
    image = Gauge(r, 30, s);
    EXPECT_EQ(CountColor(image, L0), 29 * 8); // 29.4
    EXPECT_EQ(CountColor(image, L1) + CountColor(image, L3), 0);

    // 100 % fills the inner length exactly. Inner length 18: the segments round to 13
    // (12.6) and 4 (3.6), leaving 1 where 10 % alone would round to 2.
    const TRect wide(0, 0, 20, 8);
    image = Gauge(wide, 100, s, 30, 10);
    ExpectBands(image,
                {{L0, TRect(1, 1, 14, 7)}, {L1, TRect(14, 1, 18, 7)}, {L3, TRect(18, 1, 19, 7)}});
    ExpectFrame(image, wide);

    // Upright, level 0 spans [B - 13, B - 1), one pixel short of its share; level 1 sits
    // on it; level 3 one pixel above level 1 and ending at the frame's inner top.
    s.Orientation = goVertical;
    const TRect tall(0, 0, 8, 20);
    image = Gauge(tall, 100, s, 10, 30);
    ExpectBands(image, {{L0, TRect(1, 7, 7, 19)},
                        {L1, TRect(1, 3, 7, 7)},
                        {Back, TRect(1, 2, 7, 3)},
                        {L3, TRect(1, 1, 7, 2)}});
    ExpectFrame(image, tall);
}

TEST(GaugeBlocks, BlocksOfSevenWithGapsOfTwoAShorterLastBlockStackingUpwardsWhenUpright)
{
    TGaugeSettings s = PlainSettings();
    s.CompletionSmooth = false;
    const TRect r(0, 0, 100, 12); // N = Round(P * 98 / 100)
    // N = 5 (5.1): one block of N - 1 pixels from L+2, inset two pixels; N = 1: nothing.
    QImage image = Gauge(r, 5, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 2, 6, 10)));
    EXPECT_EQ(CountColor(image, L0), 4 * 8);
    EXPECT_EQ(CountColor(Gauge(r, 1, s), L0), 0);
    // N = 10 (9.8): one 7-pixel block and no remainder block (remainder 1).
    EXPECT_EQ(CountColor(Gauge(r, 10, s), L0), 7 * 8);
    // N = 98: ten blocks at 2, 11, ... 83, then a remainder of 8 gives a 7-pixel block
    // at 92.
    image = Gauge(r, 100, s);
    for (int i = 0; i <= 10; ++i) {
        const int start = 2 + 9 * i;
        EXPECT_TRUE(AllOf(image, L3, TRect(start, 2, start + 7, 10))) << i;
        EXPECT_TRUE(AllOf(image, Back, TRect(start + 7, 2, std::min(start + 9, 99), 10))) << i;
    }
    EXPECT_EQ(CountColor(image, L3), 11 * 7 * 8);
    EXPECT_TRUE(AllOf(image, Back, TRect(1, 1, 99, 2)));
    // N = 49 (50 %): five blocks and a remainder of 4, a 3-pixel block at 47.
    image = Gauge(r, 50, s);
    EXPECT_TRUE(AllOf(image, L0, TRect(47, 2, 50, 10)));
    EXPECT_EQ(CountColor(image, L0), (5 * 7 + 3) * 8);

    // Vertical blocks stack upwards.
    s.Orientation = goVertical;
    const TRect tall(0, 0, 12, 100);
    image = Gauge(tall, 20, s); // N = 20 (19.6): two blocks, remainder 2
    ExpectBands(image, {{L0, TRect(2, 91, 10, 98)}, {L0, TRect(2, 82, 10, 89)}});
    EXPECT_EQ(CountColor(image, L0), 2 * 7 * 8);
    image = Gauge(tall, 5, s); // N = 5: one block of 4 ending at B-2
    EXPECT_TRUE(AllOf(image, L0, TRect(2, 94, 10, 98)));
    EXPECT_EQ(CountColor(image, L0), 4 * 8);

    // Gradients split each block.
    s.Orientation = goHorizontal;
    s.ShowGradient = true;
    s.Level0Color = RGB(0, 0, 0);
    s.Level0ColorTo = RGB(200, 200, 200);
    s.Steps = 1;
    image = Gauge(TRect(0, 0, 100, 12), 10, s);
    // One block (2..8, 2..9): the top half in ColorTo, the bottom half in Color.
    ExpectBands(image, {{RGB(200, 200, 200), TRect(2, 2, 9, 6)},
                        {RGB(0, 0, 0), TRect(2, 6, 9, 10)},
                        {Back, TRect(9, 2, 99, 10)}});
}

TEST_F(GaugeText, TextIsCentredTransparentAndLeavesTheCanvasFontAlone)
{
    const TRect r(0, 0, 100, 24);
    QImage image = FilledImage(100, 24, Outside);
    int textWidth = 0, textHeight = 0;
    {
        TCanvas canvas(&image);
        DrawGauge(canvas, r, 0, m_settings);
        textWidth = canvas.TextWidth(QStringLiteral("0%"));
        textHeight = canvas.TextHeight(QStringLiteral("0%"));
        EXPECT_EQ(canvas.Brush().Style(), bsClear);
    }
    ExpectFrame(image, r);
    const TRect text = BoundsOf(image, TextColor);
    ASSERT_FALSE(text.IsEmpty()) << "0 % still shows its text";
    const int left = 50 - textWidth / 2, top = 12 - textHeight / 2;
    EXPECT_GE(text.Left, left);
    EXPECT_LE(text.Right, left + textWidth);
    EXPECT_GE(text.Top, top);
    EXPECT_LE(text.Bottom, top + textHeight);
    // Transparent text: the background around the glyphs stays.
    EXPECT_EQ(CountColor(image, Back) + CountColor(image, TextColor), 98 * 22);

    // Over a full bar, and a percentage above 100 written as given ("150%" is not "100%").
    const QImage full = Gauge(TRect(0, 0, 120, 24), 100, m_settings, 120, 24);
    const QImage over = Gauge(TRect(0, 0, 120, 24), 150, m_settings, 120, 24);
    EXPECT_NE(over, full);
    EXPECT_EQ(CountColor(over, L3) + CountColor(over, TextColor), 118 * 22);
    EXPECT_NEAR((BoundsOf(full, TextColor).Left + BoundsOf(full, TextColor).Right) / 2.0, 60, 3);
}

TEST_F(GaugeText, VerticalTextReadsBottomToTopCentred)
{
    m_settings.Orientation = goVertical;
    m_settings.Level3Color = Back;
    QImage image = FilledImage(24, 100, Outside);
    {
        TCanvas canvas(&image);
        DrawGauge(canvas, TRect(0, 0, 24, 100), 100, m_settings);
        EXPECT_EQ(canvas.Font().Orientation(), 0); // the rotation was for this text only
    }
    const TRect text = BoundsOf(image, TextColor);
    ASSERT_FALSE(text.IsEmpty());
    EXPECT_GT(text.Height(), text.Width()); // "100%" runs along the bar
    EXPECT_NEAR((text.Left + text.Right) / 2.0, 12, 4);
    EXPECT_NEAR((text.Top + text.Bottom) / 2.0, 50, 3);

    // The same text on a horizontal gauge, turned a quarter counter-clockwise, gives the
    // same glyphs: the first character at the bottom, the tops of the letters on the left.
    m_settings.Orientation = goHorizontal;
    const QImage flat = Gauge(TRect(0, 0, 100, 24), 100, m_settings, 100, 24);
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
