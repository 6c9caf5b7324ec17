#include "markup/bitmaproutines.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr TColor Key = RGB(255, 0, 255);
constexpr TColor Under = RGB(90, 90, 90);
constexpr TColor A = RGB(200, 0, 0);
constexpr TColor B = RGB(0, 200, 0);
constexpr TColor C = RGB(0, 0, 200);
constexpr TColor D = RGB(200, 200, 0);

// A bitmap given row by row, one colour per character.
TBitmap Pixels(const std::vector<std::string>& rows)
{
    const std::map<char, TColor> palette = {{'k', Key}, {'a', A}, {'b', B}, {'c', C}, {'d', D}};
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                 QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixelColor(x, y, ToQColor(palette.at(rows[y][x])));
    return TBitmap(image);
}

template <class Paint> QImage Painted(int w, int h, Paint paint)
{
    QImage image = FilledImage(w, h, Under);
    TCanvas canvas(&image);
    paint(canvas);
    canvas.ReleasePainter();
    return image;
}

} // namespace

TEST(DrawBitmapTransp, TopLeftColourBecomesTheBackgroundColourOrLetsTheCanvasShow)
{
    const TBitmap bitmap = Pixels({"kab", "akk", "bck"});
    QImage image = Painted(10, 10, [&](TCanvas& c) {
        DrawBitmapTransp(TRect(2, 3, 5, 6), c, bitmap, clYellow, TRect(0, 0, 3, 3));
    });
    const TColor expected[3][3] = {{clYellow, A, B}, {A, clYellow, clYellow}, {B, C, clYellow}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(At(image, 2 + x, 3 + y), expected[y][x]) << x << y;
    EXPECT_EQ(CountColor(image, Under), 100 - 9);
    // The caller's bitmap keeps its own colours.
    EXPECT_EQ(FromQColor(bitmap.Image().pixelColor(0, 0)), Key);

    image = Painted(10, 10, [&](TCanvas& c) {
        DrawBitmapTransp(TRect(2, 3, 5, 6), c, bitmap, clNone, TRect(0, 0, 3, 3));
    });
    EXPECT_EQ(At(image, 2, 3), Under);
    EXPECT_EQ(At(image, 3, 3), A);
    EXPECT_EQ(CountColor(image, Under), 100 - 5);
}

TEST(DrawBitmapTransp, SourcePiecesStretchToTheDestination)
{
    const TBitmap bitmap = Pixels({"kabc", "dkab", "cdka"});
    // The 2 x 2 piece at (1, 1) doubled.
    const QImage image = Painted(10, 10, [&](TCanvas& c) {
        DrawBitmapTransp(TRect(0, 0, 4, 4), c, bitmap, clBtnFace, TRect(1, 1, 3, 3));
    });
    EXPECT_TRUE(AllOf(image, ColorToRGB(clBtnFace), TRect(0, 0, 2, 2)));
    EXPECT_TRUE(AllOf(image, A, TRect(2, 0, 4, 2)));
    EXPECT_TRUE(AllOf(image, D, TRect(0, 2, 2, 4)));
    EXPECT_TRUE(AllOf(image, ColorToRGB(clBtnFace), TRect(2, 2, 4, 4)));
    EXPECT_EQ(CountColor(image, Under), 100 - 16);
}

TEST(DrawBitmapTransp, CopyModeAppliesAndEmptyInputsDrawNothing)
{
    const TBitmap bitmap = Pixels({"ka", "ak"});
    QImage image = Painted(4, 4, [&](TCanvas& c) {
        c.SetCopyMode(cmSrcAnd);
        DrawBitmapTransp(TRect(0, 0, 2, 2), c, bitmap, clWhite, TRect(0, 0, 2, 2));
    });
    EXPECT_EQ(At(image, 0, 0), Under);               // white AND grey
    EXPECT_EQ(At(image, 1, 0), RGB(200 & 90, 0, 0)); // red AND grey

    image = Painted(8, 8, [&](TCanvas& c) {
        DrawBitmapTransp(TRect(0, 0, 4, 4), c, TBitmap(), clWhite, TRect(0, 0, 2, 2));
        DrawBitmapTransp(TRect(4, 4, 0, 0), c, bitmap, clWhite, TRect(0, 0, 2, 2));
        DrawBitmapTransp(TRect(0, 0, 4, 4), c, bitmap, clWhite, TRect(2, 0, 0, 2));
    });
    EXPECT_EQ(CountColor(image, Under), 64);
}

TEST(BitmapStretch, KeepsTheEndsAndStretchesTheMiddleColumns)
{
    // Six wide: halves "kab" and "cdk"; the middle columns are b (x = 2) and c (x = 3).
    // The transparent colour is the bottom-left pixel.
    const TBitmap bitmap = Pixels({"kabcdk", "kabcdk"});
    QImage image = Painted(24, 4, [&](TCanvas& c) { BitmapStretch(bitmap, c, 2, 1, 16); });
    // Left half at x 2..4 with its transparent pixel left out.
    EXPECT_EQ(At(image, 2, 1), Under);
    EXPECT_EQ(At(image, 3, 1), A);
    EXPECT_EQ(At(image, 4, 2), B);
    // Ten stretched pixels at x 5..14, half from column b and half from column c.
    EXPECT_EQ(CountColor(image, B, TRect(5, 1, 15, 2)), 5);
    EXPECT_EQ(CountColor(image, C, TRect(5, 1, 15, 2)), 5);
    EXPECT_EQ(At(image, 14, 1), C);
    // Right half at x 15..17, its transparent pixel left out as well.
    EXPECT_EQ(At(image, 16, 2), D);
    EXPECT_EQ(At(image, 17, 1), Under);
    EXPECT_EQ(CountColor(image, Under), 24 * 4 - 2 * 14);
    EXPECT_EQ(CountColor(image, Key), 0);

    // Top-left a, bottom-left k: a stays and k is left out.
    image = Painted(12, 3, [&](TCanvas& c) {
        BitmapStretch(Pixels({"abba", "kbbk"}), c, 0, 0, 8);
    });
    EXPECT_EQ(At(image, 0, 0), A);
    EXPECT_EQ(At(image, 0, 1), Under);
    EXPECT_EQ(At(image, 7, 1), Under);
    EXPECT_TRUE(AllOf(image, B, TRect(1, 0, 7, 2)));
}

TEST(BitmapStretch, NarrowWidthsStretchNothing)
{
    const TBitmap bitmap = Pixels({"kabcdk"});
    // Width 6: the halves side by side, as the bitmap itself.
    QImage image = Painted(12, 2, [&](TCanvas& c) { BitmapStretch(bitmap, c, 0, 0, 6); });
    EXPECT_EQ(At(image, 2, 0), B);
    EXPECT_EQ(At(image, 3, 0), C);
    EXPECT_EQ(CountColor(image, Under, TRect(0, 0, 12, 1)), 12 - 4);
    // Width 4: the right half is drawn two pixels to the left, over the left half.
    image = Painted(12, 2, [&](TCanvas& c) { BitmapStretch(bitmap, c, 0, 0, 4); });
    EXPECT_EQ(At(image, 1, 0), C);
    EXPECT_EQ(At(image, 2, 0), D);
    EXPECT_EQ(At(image, 0, 0), Under);
    // An empty bitmap draws nothing.
    image = Painted(12, 2, [&](TCanvas& c) { BitmapStretch(TBitmap(), c, 0, 0, 10); });
    EXPECT_EQ(CountColor(image, Under), 24);
}

TEST(BitmapStretchHeight, HalvesAtTheSidesTheCentreColourBetweenAndRowsStretchDown)
{
    // Left half "ab", right half "cd"; the centre pixel (2, 1) is c.
    QImage image = Painted(30, 12, [&](TCanvas& c) {
        BitmapStretchHeight(Pixels({"abcd", "abcd"}), c, 3, 1, 10, 20);
    });
    EXPECT_TRUE(AllOf(image, A, TRect(3, 1, 4, 11)));
    EXPECT_TRUE(AllOf(image, B, TRect(4, 1, 5, 11)));
    EXPECT_TRUE(AllOf(image, C, TRect(5, 1, 21, 11)));
    EXPECT_TRUE(AllOf(image, D, TRect(22, 1, 23, 11)));
    EXPECT_EQ(CountColor(image, Under), 30 * 12 - 20 * 10);

    // The top row a, the bottom row b, in both halves; the centre pixel (1, 1) is b.
    image = Painted(10, 10, [&](TCanvas& c) {
        BitmapStretchHeight(Pixels({"aa", "bb"}), c, 0, 0, 8, 6);
    });
    EXPECT_TRUE(AllOf(image, A, TRect(0, 0, 1, 4)));
    EXPECT_TRUE(AllOf(image, B, TRect(0, 4, 1, 8)));
    EXPECT_TRUE(AllOf(image, A, TRect(5, 0, 6, 4)));
    EXPECT_TRUE(AllOf(image, B, TRect(1, 0, 5, 8)));
    EXPECT_EQ(CountColor(image, Under), 100 - 48);
}

TEST(BitmapStretchHeight, DegenerateSizesDrawNothingOutside)
{
    const TBitmap bitmap = Pixels({"abcd", "abcd"});
    QImage image = Painted(10, 10, [&](TCanvas& c) {
        BitmapStretchHeight(bitmap, c, 0, 0, 0, 8);
        BitmapStretchHeight(TBitmap(), c, 0, 0, 5, 8);
    });
    EXPECT_EQ(CountColor(image, Under), 100);
    // Narrower than the bitmap: the halves overlap and no gap is filled.
    image = Painted(10, 10, [&](TCanvas& c) { BitmapStretchHeight(bitmap, c, 0, 0, 4, 3); });
    EXPECT_EQ(CountColor(image, Under, TRect(3, 0, 10, 10)), 70);
    EXPECT_EQ(At(image, 0, 0), A);
    EXPECT_EQ(At(image, 1, 0), C);
    EXPECT_EQ(At(image, 2, 0), D);
}
