#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/imagelist.h"

#include "support/pixels.h"

#include <gtest/gtest.h>

#include <QImage>

TEST(Canvas, RectangleFillsAndOutlinesInsideRightAndBottomExclusive)
{
    QImage image = FilledImage(40, 30);
    {
        TCanvas c(&image);
        c.Brush().SetColor(clRed);
        c.Pen().SetColor(clBlue);
        c.Rectangle(5, 5, 15, 12);
    }
    EXPECT_EQ(At(image, 5, 5), clBlue);
    EXPECT_EQ(At(image, 14, 11), clBlue);
    EXPECT_EQ(At(image, 6, 6), clRed);
    EXPECT_EQ(CountColor(image, clBlue), 2 * 10 + 2 * 5);
    EXPECT_EQ(CountColor(image, clRed), 8 * 5);
}

TEST(Canvas, RectangleWithClearPenAndClearBrush)
{
    QImage image = FilledImage(40, 30);
    {
        TCanvas c(&image);
        c.Brush().SetColor(clLime);
        c.Pen().SetStyle(psClear);
        c.Rectangle(0, 0, 10, 10); // a clear pen leaves out the last row and column
        c.Brush().SetStyle(bsClear);
        c.Pen().SetStyle(psSolid);
        c.Pen().SetColor(clBlack);
        c.Rectangle(20, 20, 25, 25);
    }
    EXPECT_EQ(CountColor(image, clLime), 81);
    EXPECT_EQ(At(image, 22, 22), clWhite);
    EXPECT_EQ(CountColor(image, clBlack, TRect(20, 20, 25, 25)), 16);
}

TEST(Canvas, FillRectIgnoresThePenAndEmptyRectsPaintNothing)
{
    QImage image = FilledImage(40, 30);
    {
        TCanvas c(&image);
        c.Brush().SetColor(clNavy);
        c.Pen().SetColor(clRed);
        c.FillRect(Rect(2, 3, 6, 5));
        c.FillRect(Rect(10, 10, 5, 20));  // inverted
        c.FillRect(Rect(10, 10, 10, 20)); // empty
        c.Rectangle(30, 10, 30, 10);
    }
    EXPECT_EQ(CountColor(image, clNavy), 8);
    EXPECT_EQ(CountColor(image, clRed), 0);
}

TEST(Canvas, LineToLeavesOutItsEndPixel)
{
    QImage image = FilledImage(40, 30);
    {
        TCanvas c(&image);
        c.Pen().SetColor(clBlack);
        c.MoveTo(2, 2);
        c.LineTo(8, 2); // 2..7
        c.LineTo(8, 6); // 8 at rows 2..5
        c.MoveTo(20, 10);
        c.LineTo(24, 14); // diagonal 20..23
        c.MoveTo(30, 5);
        c.LineTo(26, 5); // leftwards 30..27
        EXPECT_EQ(c.PenPos(), TPoint(26, 5));
    }
    EXPECT_EQ(At(image, 8, 5), clBlack);
    EXPECT_EQ(At(image, 8, 6), clWhite);
    EXPECT_EQ(At(image, 24, 14), clWhite);
    EXPECT_EQ(At(image, 27, 5), clBlack);
    EXPECT_EQ(At(image, 26, 5), clWhite);
    EXPECT_EQ(CountColor(image, clBlack), 6 + 4 + 4 + 4);
}

TEST(Canvas, FocusRectIsDottedAndUndoesItself)
{
    QImage image = FilledImage(40, 30);
    const QImage before = image.copy();
    TCanvas c(&image);
    c.DrawFocusRect(Rect(4, 4, 14, 10));
    c.ReleasePainter();
    EXPECT_EQ(At(image, 4, 4), clBlack);
    EXPECT_EQ(At(image, 5, 4), clWhite);
    EXPECT_EQ(At(image, 8, 7), clWhite);
    c.DrawFocusRect(Rect(4, 4, 14, 10));
    c.ReleasePainter();
    EXPECT_EQ(image, before);
}

// The opaque background of a solid brush is checked against Qt's drawing with the font
// faces; here a clear brush leaves the background alone.
TEST(Canvas, TextWithAClearBrushLeavesTheBackground)
{
    SetTextAntialiasing(false);
    QImage image = FilledImage(200, 40);
    TCanvas c(&image);
    c.Font().SetName(QStringLiteral("DejaVu Sans"));
    c.Font().SetHeight(-12);
    c.Font().SetColor(clBlack);
    const int w = c.TextWidth(QStringLiteral("Gig"));
    const int h = c.TextHeight(QStringLiteral("Gig"));
    c.Brush().SetColor(clYellow);
    c.Brush().SetStyle(bsClear);
    c.TextOut(100, 5, QStringLiteral("Gig"));
    c.ReleasePainter();
    EXPECT_EQ(CountColor(image, clYellow, TRect(0, 0, 200, 40)), 0);
    EXPECT_GT(CountColor(image, clBlack, TRect(100, 5, 100 + w, 5 + h)), 10);
    SetTextAntialiasing(true);
}

TEST(Canvas, DrawTextMeasuresWrapsAlignsAndEllipsises)
{
    QImage image = FilledImage(200, 100);
    TCanvas c(&image);
    c.Font().SetName(QStringLiteral("DejaVu Sans"));
    c.Font().SetHeight(-12);
    const int h = c.TextHeight(QStringLiteral("x"));

    TRect r(0, 0, 200, 100);
    EXPECT_EQ(c.DrawText(QStringLiteral("a&&b"), r, DT_CALCRECT | DT_SINGLELINE), h);
    EXPECT_EQ(r.Width(), c.TextWidth(QStringLiteral("a&b")));
    r = TRect(0, 0, 200, 100);
    c.DrawText(QStringLiteral("&Close"), r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), c.TextWidth(QStringLiteral("Close")));

    const int wordWidth = c.TextWidth(QStringLiteral("venue"));
    r = TRect(0, 0, wordWidth + 4, 100);
    EXPECT_EQ(c.DrawText(QStringLiteral("venue venue venue"), r, DT_CALCRECT | DT_WORDBREAK),
              3 * h);
    r = TRect(0, 0, 200, 100);
    EXPECT_EQ(c.DrawText(QStringLiteral("one\r\ntwo"), r, DT_CALCRECT), 2 * h);

    // End ellipsis keeps the text within the rectangle.
    r = TRect(0, 0, wordWidth, 20);
    c.DrawText(QStringLiteral("a long venue name"), r,
               DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_LE(r.Width(), wordWidth);

    // Right alignment ends at the right edge; bottom alignment reports the offset.
    SetTextAntialiasing(false);
    c.Brush().SetStyle(bsClear);
    c.Font().SetColor(clRed);
    r = TRect(0, 40, 150, 90);
    EXPECT_EQ(c.DrawText(QStringLiteral("Gig"), r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE), 50);
    c.ReleasePainter();
    SetTextAntialiasing(true);
    EXPECT_EQ(CountColor(image, clRed, TRect(0, 40, 150 - c.TextWidth("Gig") - 1, 90)), 0);
    EXPECT_GT(CountColor(image, clRed, TRect(150 - c.TextWidth("Gig"), 90 - h, 150, 90)), 5);
    EXPECT_EQ(CountColor(image, clRed, TRect(150, 0, 200, 100)), 0);
}

TEST(Canvas, TextFitReportsPrefixExtents)
{
    QImage image = FilledImage(40, 30);
    TCanvas c(&image);
    std::vector<int> extents;
    const int full = c.TextWidth(QStringLiteral("abcd"));
    EXPECT_EQ(c.TextFit(QStringLiteral("abcd"), full, &extents), 4);
    ASSERT_EQ(extents.size(), 4u);
    EXPECT_EQ(extents[3], full);
    EXPECT_EQ(c.TextFit(QStringLiteral("abcd"), extents[1]), 2);
    EXPECT_EQ(c.TextFit(QStringLiteral("abcd"), 0), 0);
}

TEST(Canvas, ClippingAndCopyRect)
{
    QImage image = FilledImage(40, 30);
    TCanvas c(&image);
    c.SetClipRect(Rect(0, 0, 10, 10));
    c.Brush().SetColor(clGreen);
    c.FillRect(Rect(5, 5, 20, 20));
    EXPECT_EQ(c.ClipRect(), Rect(0, 0, 10, 10));
    c.RemoveClip();
    c.CopyRect(Rect(20, 0, 30, 10), c, Rect(0, 0, 10, 10));
    c.ReleasePainter();
    EXPECT_EQ(CountColor(image, clGreen, TRect(0, 0, 20, 30)), 25);
    EXPECT_EQ(At(image, 25, 5), clGreen);
    EXPECT_EQ(At(image, 24, 4), clWhite);
}

TEST(Canvas, TransparentBitmapsLeaveOutTheirKeyColour)
{
    TBitmap bitmap(4, 4);
    bitmap.Canvas().Brush().SetColor(clFuchsia);
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 4));
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(Rect(1, 1, 3, 3));
    bitmap.SetTransparent(true);
    EXPECT_EQ(bitmap.TransparentColor(), clFuchsia);

    QImage image = FilledImage(40, 30);
    {
        TCanvas c(&image);
        c.Draw(0, 0, bitmap);
        c.StretchDraw(Rect(10, 10, 18, 18), bitmap);
    }
    EXPECT_EQ(At(image, 0, 0), clWhite);
    EXPECT_EQ(At(image, 1, 1), clBlue);
    EXPECT_EQ(CountColor(image, clBlue, TRect(10, 10, 18, 18)), 16);
    EXPECT_EQ(CountColor(image, clFuchsia), 0);

    TImageList list(nullptr, 2, 2);
    EXPECT_EQ(list.Add(bitmap.Image()), 0); // a 4-pixel-wide strip gives two images
    EXPECT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.Image(5).isNull());
}

TEST(Canvas, Frame3DDrawsRaisedEdgesAndShrinksTheRect)
{
    QImage image = FilledImage(40, 30);
    TCanvas c(&image);
    TRect r(2, 2, 12, 8);
    Frame3D(c, r, clWhite, clGray, 1);
    c.ReleasePainter();
    EXPECT_EQ(r, Rect(3, 3, 11, 7));
    EXPECT_EQ(At(image, 11, 7), clGray);
    EXPECT_EQ(At(image, 11, 2), clGray);
    EXPECT_EQ(At(image, 2, 7), clGray);
    EXPECT_EQ(CountColor(image, clGray), 10 + 5);
}

TEST(Colors, SystemColoursResolveAndPlainColoursPassThrough)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(240, 240, 240));
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(51, 153, 255));
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_FALSE(ToQColor(clNone).isValid());
    EXPECT_EQ(ToQColor(clSkyBlue), QColor(0xA6, 0xCA, 0xF0));
}
