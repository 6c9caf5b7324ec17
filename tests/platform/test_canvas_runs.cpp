// Ready-placed glyphs and many rectangles at once: the same pixels as the one-at-a-time
// operations they stand in for.
#include "platform/canvas.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <QGlyphRun>
#include <QImage>
#include <QTextLayout>

namespace {

// How many pixels are not white, and how many of those are not `color`.
std::pair<int, int> InkOf(const QImage& image, TColor color)
{
    int ink = 0, other = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const TColor pixel = At(image, x, y);
            ink += pixel != clWhite;
            other += pixel != clWhite && pixel != color;
        }
    return {ink, other};
}

class CanvasRuns : public ::testing::Test
{
protected:
    void SetUp() override { SetTextAntialiasing(false); }
    void TearDown() override { SetTextAntialiasing(true); }

    static void UseFont(TCanvas& canvas)
    {
        canvas.Font().SetName(QStringLiteral("DejaVu Sans"));
        canvas.Font().SetHeight(-16);
        canvas.Font().SetColor(clNavy);
    }
    // The glyphs of one line as the canvas's font shapes them, placed from the start of
    // the base line.
    static QGlyphRun Shaped(TCanvas& canvas, const QString& text)
    {
        QTextLayout layout(text, canvas.QtFont(), canvas.Device());
        layout.beginLayout();
        QTextLine line = layout.createLine();
        layout.endLayout();
        line.setPosition(QPointF(0, 0));
        QGlyphRun run = layout.glyphRuns().value(0);
        QList<QPointF> positions = run.positions();
        for (QPointF& p : positions)
            p.ry() -= line.ascent();
        run.setPositions(positions);
        return run;
    }
};

} // namespace

TEST_F(CanvasRuns, AGlyphRunLandsWhereTextOutPutsTheSameTextInTheFontColour)
{
    QImage byText = FilledImage(120, 40), byRun = FilledImage(120, 40);
    {
        TCanvas c(&byText);
        UseFont(c);
        c.SetBkMode(bkTransparent);
        c.TextOut(7, 5, QStringLiteral("Hg Ballroom"));
    }
    {
        TCanvas c(&byRun);
        UseFont(c);
        c.DrawGlyphRun(7, 5 + c.FontMetrics().ascent(), Shaped(c, QStringLiteral("Hg Ballroom")));
    }
    const auto [ink, other] = InkOf(byRun, clNavy);
    EXPECT_GT(ink, 50);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(byRun, byText);
}

TEST_F(CanvasRuns, AGlyphRunPaintsOnlyItsGlyphsWhateverTheBackgroundMode)
{
    QImage image = FilledImage(120, 40);
    TCanvas c(&image);
    UseFont(c);
    c.Brush().SetColor(clYellow); // a solid brush makes the background opaque
    ASSERT_EQ(c.BkMode(), bkOpaque);
    c.DrawGlyphRun(4, 30, Shaped(c, QStringLiteral("i i")));
    c.ReleasePainter();
    const auto [ink, other] = InkOf(image, clNavy);
    EXPECT_GT(ink, 0);
    EXPECT_EQ(other, 0) << "no background behind the glyphs";
}

TEST_F(CanvasRuns, FillRectsCoversWhatFillRectCoversForEveryBrush)
{
    const std::vector<TRect> rects{{2, 3, 30, 4},    {2, 3, 3, 35},   {40, 10, 90, 30},
                                   {50, 12, 60, 40}, {70, 5, 70, 20}, {100, 30, 95, 20}};
    for (TBrushStyle style : {bsSolid, bsCross, bsClear}) {
        QImage oneByOne = FilledImage(120, 40), atOnce = FilledImage(120, 40);
        for (QImage* image : {&oneByOne, &atOnce}) {
            TCanvas c(image);
            c.Brush().SetColor(clRed);
            c.Brush().SetStyle(style);
            if (image == &oneByOne) {
                for (const TRect& r : rects)
                    c.FillRect(r);
            } else {
                c.FillRects(rects);
            }
            // The pen and brush of later drawing are the canvas's, not the batch's.
            c.Pen().SetColor(clBlue);
            c.Brush().SetStyle(bsClear);
            c.Rectangle(5, 20, 25, 38);
        }
        EXPECT_EQ(atOnce, oneByOne) << "brush style " << style;
        const int red = InkOf(atOnce, clRed).first - InkOf(atOnce, clRed).second;
        if (style == bsSolid) {
            EXPECT_EQ(red, 28 + 31 + 50 * 20 + 10 * 28 - 10 * 18);
        } else if (style == bsClear) {
            EXPECT_EQ(red, 0);
        }
    }
}
