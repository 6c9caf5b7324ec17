#include "markup/rectedges.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

namespace {

constexpr TColor Grey = RGB(190, 190, 190);
const TRect Cell(5, 5, 15, 10);

template <class Paint> QImage Painted(Paint paint)
{
    QImage image = FilledImage(24, 16, Grey);
    TCanvas canvas(&image);
    paint(canvas);
    canvas.ReleasePainter();
    return image;
}

} // namespace

TEST(RectLines, OutlinesRunThroughTheCornerPoints)
{
    const QImage closed = Painted([](TCanvas& c) { RectLine(c, Cell, clRed, 1); });
    EXPECT_TRUE(AllOf(closed, clRed, TRect(5, 5, 16, 6)));
    EXPECT_TRUE(AllOf(closed, clRed, TRect(5, 10, 16, 11)));
    EXPECT_TRUE(AllOf(closed, clRed, TRect(5, 5, 6, 11)));
    EXPECT_TRUE(AllOf(closed, clRed, TRect(15, 5, 16, 11)));
    EXPECT_EQ(CountColor(closed, clRed), 2 * 11 + 2 * 4);

    // Without the bottom: the left edge comes up from the bottom-left corner.
    const QImage noBottom = Painted([](TCanvas& c) { RectLineEx(c, Cell, clRed, 1); });
    EXPECT_TRUE(AllOf(noBottom, clRed, TRect(5, 5, 15, 6)));
    EXPECT_TRUE(AllOf(noBottom, clRed, TRect(15, 5, 16, 10)));
    EXPECT_TRUE(AllOf(noBottom, clRed, TRect(5, 6, 6, 11)));
    EXPECT_EQ(CountColor(noBottom, clRed, TRect(6, 10, 24, 11)), 0);

    // Without the right edge.
    const QImage noRight = Painted([](TCanvas& c) { RectLineExEx(c, Cell, clRed, 1); });
    EXPECT_TRUE(AllOf(noRight, clRed, TRect(5, 5, 15, 6)));
    EXPECT_TRUE(AllOf(noRight, clRed, TRect(6, 10, 16, 11)));
    EXPECT_TRUE(AllOf(noRight, clRed, TRect(5, 6, 6, 11)));
    EXPECT_EQ(CountColor(noRight, clRed, TRect(15, 5, 16, 10)), 0);
}

TEST(RectLines, WidthNoColourAndEmptyRectangles)
{
    const QImage wide = Painted([](TCanvas& c) {
        RectLine(c, Cell, clBlue, 3);
        EXPECT_EQ(c.Pen().Width(), 3);
    });
    EXPECT_GT(CountColor(wide, clBlue), 3 * 30 - 20);
    EXPECT_EQ(At(wide, 10, 7), Grey); // the inside stays

    const QImage none = Painted([](TCanvas& c) {
        RectLine(c, Cell, clNone, 1);
        RectLineEx(c, Cell, clNone, 1);
        RectLineExEx(c, Cell, clNone, 1);
        RectLine(c, TRect(5, 5, 5, 10), clRed, 1);
        RectLineEx(c, TRect(5, 10, 15, 5), clRed, 1);
        RectLineExEx(c, TRect(15, 5, 5, 10), clRed, 1);
    });
    EXPECT_EQ(CountColor(none, Grey), 24 * 16);
}

TEST(RectFills, HorzAndVertFillAndDrawTheirGridLines)
{
    const QImage horz = Painted([](TCanvas& c) { RectHorz(c, Cell, clRed, clBlue); });
    EXPECT_TRUE(AllOf(horz, clBlue, TRect(5, 4, 15, 5))); // the row above R
    EXPECT_TRUE(AllOf(horz, clRed, TRect(5, 5, 15, 9)));
    EXPECT_TRUE(AllOf(horz, clBlue, TRect(5, 9, 15, 10))); // R's last row
    EXPECT_EQ(CountColor(horz, Grey), 24 * 16 - 10 * 6);

    const QImage vert = Painted([](TCanvas& c) { RectVert(c, Cell, clRed, clBlue); });
    EXPECT_TRUE(AllOf(vert, clRed, TRect(5, 5, 14, 10)));
    EXPECT_TRUE(AllOf(vert, clBlue, TRect(14, 5, 15, 10)));
    EXPECT_EQ(CountColor(vert, Grey), 24 * 16 - 10 * 5);

    const QImage plain = Painted([](TCanvas& c) {
        c.Brush().SetStyle(bsDiagCross); // left by an earlier painter
        RectHorz(c, Cell, clHighlight, clNone);
        RectVert(c, TRect(16, 5, 20, 10), clGreen, clNone);
        RectHorz(c, TRect(5, 12, 5, 14), clRed, clBlue);
    });
    EXPECT_TRUE(AllOf(plain, ColorToRGB(clHighlight), Cell));
    EXPECT_TRUE(AllOf(plain, clGreen, TRect(16, 5, 20, 10)));
    EXPECT_EQ(CountColor(plain, clBlue) + CountColor(plain, clRed), 0);
}

TEST(RectFillsEx, SolidFillWithRightAndBottomLinesEachLeftOutWithoutAColour)
{
    QImage image = Painted([](TCanvas& c) {
        RectHorzEx(c, Cell, clRed, clWhite, clBlue, clGreen, 1, bsSolid);
        EXPECT_EQ(c.Pen().Width(), 1);
    });
    EXPECT_TRUE(AllOf(image, clRed, TRect(5, 5, 14, 9)));
    EXPECT_TRUE(AllOf(image, clBlue, TRect(14, 5, 15, 10))); // down R's last column
    EXPECT_TRUE(AllOf(image, clGreen, TRect(5, 9, 14, 10))); // stops short of it
    EXPECT_EQ(CountColor(image, Grey), 24 * 16 - 10 * 5);
    image = Painted([](TCanvas& c) { RectVertEx(c, Cell, clRed, clWhite, clBlue, 1, bsSolid); });
    EXPECT_TRUE(AllOf(image, clRed, TRect(5, 5, 14, 10)));
    EXPECT_TRUE(AllOf(image, clBlue, TRect(14, 5, 15, 10)));

    image = Painted(
        [](TCanvas& c) { RectHorzEx(c, Cell, clNone, clWhite, clBlue, clGreen, 1, bsSolid); });
    EXPECT_TRUE(AllOf(image, Grey, TRect(5, 5, 14, 9)));
    EXPECT_TRUE(AllOf(image, clBlue, TRect(14, 5, 15, 10)));
    EXPECT_TRUE(AllOf(image, clGreen, TRect(5, 9, 14, 10)));
    image = Painted([](TCanvas& c) {
        RectHorzEx(c, Cell, clRed, clWhite, clNone, clNone, 1, bsSolid);
        RectVertEx(c, TRect(16, 5, 20, 10), clRed, clWhite, clNone, 1, bsSolid);
    });
    EXPECT_TRUE(AllOf(image, clRed, Cell));
    EXPECT_TRUE(AllOf(image, clRed, TRect(16, 5, 20, 10)));
    image = Painted([](TCanvas& c) {
        RectHorzEx(c, TRect(15, 5, 5, 10), clRed, clWhite, clBlue, clGreen, 1, bsSolid);
        RectVertEx(c, TRect(5, 5, 15, 5), clRed, clWhite, clBlue, 1, bsSolid);
    });
    EXPECT_EQ(CountColor(image, Grey), 24 * 16);
}

TEST(RectFillsEx, HatchesLeaveTheBackgroundShowingThrough)
{
    const QImage image = Painted([](TCanvas& c) {
        RectHorzEx(c, Cell, clRed, clYellow, clNone, clNone, 1, bsCross);
        RectVertEx(c, TRect(16, 5, 24, 13), clRed, clYellow, clNone, 1, bsHorizontal);
    });
    const int hatched = CountColor(image, clRed, Cell);
    EXPECT_GT(hatched, 0);
    EXPECT_LT(hatched, 10 * 5);
    EXPECT_EQ(hatched + CountColor(image, Grey, Cell), 10 * 5);
    EXPECT_EQ(CountColor(image, clYellow), 0);
    const int lines = CountColor(image, clRed, TRect(16, 5, 24, 13));
    EXPECT_GT(lines, 0);
    EXPECT_LT(lines, 8 * 8);
    EXPECT_EQ(lines % 8, 0); // whole rows
}

TEST(RectFillsEx, WideLinesAndThePenWidthAfterwards)
{
    QImage image = Painted([](TCanvas& c) {
        RectHorzEx(c, TRect(2, 2, 20, 14), clRed, clWhite, clBlue, clGreen, 2, bsSolid);
        EXPECT_EQ(c.Pen().Width(), 1);
    });
    // A 2-pixel line along the column R-1 and one centred on the row B-2.
    EXPECT_EQ(At(image, 19, 8), clBlue);
    EXPECT_EQ(At(image, 18, 8), clBlue);
    EXPECT_EQ(At(image, 10, 12), clGreen);
    EXPECT_EQ(At(image, 10, 11), clGreen);
    EXPECT_EQ(At(image, 10, 8), clRed);

    image = Painted([](TCanvas& c) {
        RectVertEx(c, TRect(2, 2, 20, 14), clRed, clWhite, clBlue, 3, bsSolid);
        EXPECT_EQ(c.Pen().Width(), 1);
    });
    EXPECT_EQ(At(image, 18, 8), clBlue);
    EXPECT_EQ(At(image, 10, 8), clRed);
}
