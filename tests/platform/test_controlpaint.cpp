#include "platform/bevel.h"
#include "platform/canvas.h"
#include "platform/navigatorglyphs.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

constexpr TColor Ink = clBlack;

// Neither black nor any colour of a bevel.
const QRgb Paper = qRgb(10, 120, 60);

QImage Blank(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Paper);
    return image;
}

QImage Glyph(TNavigateBtn button)
{
    QImage image = Blank(16, 16);
    TCanvas canvas(&image);
    DrawNavigatorGlyph(canvas, TRect(0, 0, 16, 16), button, Ink);
    canvas.ReleasePainter();
    return image;
}

QImage Bevel(int width, int height, TBevelShape shape, TBevelStyle style)
{
    QImage image = Blank(width, height);
    TBevel bevel;
    bevel.SetShape(shape);
    bevel.SetStyle(style);
    TCanvas canvas(&image);
    bevel.PaintTo(canvas, width, height);
    canvas.ReleasePainter();
    return image;
}

bool Inked(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == QColor(Qt::black).rgb();
}

int InkedInColumn(const QImage& image, int x)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        count += Inked(image, x, y);
    return count;
}

int InkedInRow(const QImage& image, int y)
{
    int count = 0;
    for (int x = 0; x < image.width(); ++x)
        count += Inked(image, x, y);
    return count;
}

// Rightmost minus leftmost inked column of a row; -1 when the row is blank.
int RowSpan(const QImage& image, int y)
{
    int first = -1, last = -1;
    for (int x = 0; x < image.width(); ++x) {
        if (!Inked(image, x, y)) continue;
        if (first < 0) first = x;
        last = x;
    }
    return first < 0 ? -1 : last - first;
}

} // namespace

TEST(NavigatorGlyphTest, MovesPointTheirWayAndFirstAndLastHaveABar)
{
    // Centre (8, 8): the prior triangle's apex is left of its base, the next one's right.
    const QImage prior = Glyph(nbPrior);
    EXPECT_TRUE(Inked(prior, 6, 8));
    EXPECT_LT(InkedInColumn(prior, 6), InkedInColumn(prior, 10));
    const QImage next = Glyph(nbNext);
    EXPECT_TRUE(Inked(next, 10, 8));
    EXPECT_GT(InkedInColumn(next, 6), InkedInColumn(next, 10));
    // The bars are full columns of 9 pixels beside the triangles.
    EXPECT_EQ(InkedInColumn(Glyph(nbFirst), 3), 9);
    EXPECT_EQ(InkedInColumn(Glyph(nbFirst), 12), 0);
    EXPECT_EQ(InkedInColumn(Glyph(nbLast), 12), 9);
    EXPECT_EQ(InkedInColumn(Glyph(nbLast), 3), 0);
}

TEST(NavigatorGlyphTest, PlusMinusAndTheRaisedTriangle)
{
    const QImage plus = Glyph(nbInsert);
    EXPECT_EQ(InkedInRow(plus, 7), 9);
    EXPECT_EQ(InkedInColumn(plus, 7), 9);
    const QImage minus = Glyph(nbDelete);
    EXPECT_EQ(InkedInRow(minus, 8), 9);
    EXPECT_EQ(InkedInColumn(minus, 8), 2);
    const QImage edit = Glyph(nbEdit);
    EXPECT_LT(RowSpan(edit, 6), RowSpan(edit, 10)); // narrow at the top
    EXPECT_EQ(RowSpan(edit, 3), -1);
}

TEST(NavigatorGlyphTest, EveryGlyphStaysInsideItsBoxAndDiffers)
{
    QList<QImage> seen;
    for (int i = 0; i < NavigateButtonCount; ++i) {
        const QImage image = Glyph(TNavigateBtn(i));
        EXPECT_EQ(InkedInRow(image, 0) + InkedInRow(image, 15) + InkedInColumn(image, 0) +
                      InkedInColumn(image, 15),
                  0)
            << "glyph " << i;
        EXPECT_GT(InkedInRow(image, 8) + InkedInColumn(image, 8), 0) << "glyph " << i;
        EXPECT_FALSE(seen.contains(image)) << "glyph " << i;
        seen << image;
    }
}

TEST(BevelTest, LinesAndBoxesAreShadowThenHighlight)
{
    const QRgb dark = ToQColor(clBtnShadow).rgb();
    const QRgb light = ToQColor(clBtnHighlight).rgb();
    QImage image = Bevel(9, 20, bsLeftLine, bsLowered);
    for (int y : {0, 10, 19}) {
        EXPECT_EQ(image.pixel(0, y), dark);
        EXPECT_EQ(image.pixel(1, y), light);
        EXPECT_EQ(image.pixel(2, y), Paper);
    }
    image = Bevel(30, 9, bsBottomLine, bsRaised);
    EXPECT_EQ(image.pixel(15, 7), light);
    EXPECT_EQ(image.pixel(15, 8), dark);
    EXPECT_EQ(image.pixel(15, 6), Paper);

    // A box frames the whole area.
    image = Bevel(10, 6, bsBox, bsLowered);
    EXPECT_EQ(image.pixel(0, 0), dark);
    EXPECT_EQ(image.pixel(5, 0), dark);
    EXPECT_EQ(image.pixel(0, 4), dark);
    EXPECT_EQ(image.pixel(0, 5), light); // the bottom edge runs the full width
    EXPECT_EQ(image.pixel(9, 3), light);
    EXPECT_EQ(image.pixel(5, 5), light);
    EXPECT_EQ(image.pixel(5, 3), Paper);
}
