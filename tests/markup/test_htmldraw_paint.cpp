// Painting with the markup renderer, checked pixel by pixel on an image: colours,
// underline, strike-out, highlight, shadow, rules, bullets, backgrounds, error marks,
// focus rectangles, hover and selection.
#include "htmldraw_fixture.h"

#include "platform/imagelist.h"

#include <algorithm>

namespace {

const TRect Area(0, 0, 300, 120);

// The longest run of one colour in row y between x = left and right.
int LongestRun(const QImage& image, TColor color, int y, int left, int right)
{
    int best = 0;
    int run = 0;
    for (int x = left; x < right; ++x) {
        run = At(image, x, y) == color ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

// True when some row of r holds an unbroken line of the colour at least length long.
bool HasHorizontalLine(const QImage& image, TColor color, const TRect& r, int length)
{
    for (int y = r.Top; y < r.Bottom; ++y) {
        if (LongestRun(image, color, y, r.Left, r.Right) >= length) return true;
    }
    return false;
}

} // namespace

TEST_F(HTMLDrawTest, FontColoursApplyAndEnd)
{
    Draw(QStringLiteral("<FONT COLOR=\"clRed\">red</FONT> <FONT COLOR=\"#0000FF\">blue</FONT>"),
         Area);
    const QImage& pixels = Pixels();
    const int redWidth = WidthOf(QStringLiteral("red"));
    EXPECT_GT(CountColor(pixels, clRed, TRect(1, 0, 1 + redWidth, 20)), 10);
    EXPECT_GT(CountColor(pixels, RGB(0, 0, 255)), 10);
    EXPECT_EQ(CountColor(pixels, clBlack), 0);
    // Text is drawn on a transparent background: nothing but text pixels changed.
    EXPECT_EQ(CountColor(pixels, clWhite) + CountColor(pixels, clRed) +
                  CountColor(pixels, RGB(0, 0, 255)),
              pixels.width() * pixels.height());
}

TEST_F(HTMLDrawTest, LinksAreUnderlinedInTheirColour)
{
    params.URLColor = clGreen;
    Draw(QStringLiteral("<A href=\"x\">linked</A> plain"), Area);
    const int width = WidthOf(QStringLiteral("linked"));
    EXPECT_TRUE(HasHorizontalLine(Pixels(), clGreen, TRect(1, 0, 1 + width, 20), width - 1));
    // The text after the link is black again and not underlined.
    const TRect plain(1 + width + WidthOf(QStringLiteral(" ")), 0, 300, 20);
    EXPECT_GT(CountColor(Pixels(), clBlack, plain), 10);
    EXPECT_FALSE(HasHorizontalLine(Pixels(), clBlack, plain, WidthOf(QStringLiteral("plain")) - 1));
}

TEST_F(HTMLDrawTest, UnderlineAndStrikeOutDrawLines)
{
    const int width = WidthOf(QStringLiteral("mmmm"));
    Draw(QStringLiteral("<S>mmmm</S>"), Area);
    // The strike-out line crosses the letters above their bottom.
    EXPECT_TRUE(
        HasHorizontalLine(Pixels(), clBlack, TRect(1, 2, 1 + width, LineHeight() - 4), width - 1));
    Reset(300, 120);
    Draw(QStringLiteral("<U>mmmm</U>"), Area);
    EXPECT_TRUE(HasHorizontalLine(Pixels(), clBlack,
                                  TRect(1, LineHeight() - 5, 1 + width, LineHeight()), width - 1));
    Reset(300, 120);
    Draw(QStringLiteral("mmmm"), Area);
    EXPECT_FALSE(
        HasHorizontalLine(Pixels(), clBlack, TRect(1, 0, 1 + width, LineHeight()), width - 1));
}

TEST_F(HTMLDrawTest, HighlightFillsBehindTheText)
{
    Draw(QStringLiteral("ab<HI>cd</HI>ef"), Area);
    const int left = 1 + WidthOf(QStringLiteral("ab"));
    const int width = WidthOf(QStringLiteral("cd"));
    const TColor background = ColorToRGB(clHighlight);
    const TColor text = ColorToRGB(clHighlightText);
    const TRect band(left, 0, left + width, LineHeight());
    EXPECT_EQ(CountColor(Pixels(), background, band) + CountColor(Pixels(), text, band),
              width * LineHeight());
    EXPECT_GT(CountColor(Pixels(), text, band), 5);
    // Only the highlighted run has the highlight background.
    EXPECT_EQ(BoundsOf(Pixels(), background).Left, left);
    EXPECT_EQ(BoundsOf(Pixels(), background).Right, left + width);
}

TEST_F(HTMLDrawTest, ShadowLiesBehindTheTextByTheOffset)
{
    params.ShadowColor = clGray;
    params.ShadowOffset = 2;
    Draw(QStringLiteral("<SHAD>Wm</SHAD>"), Area);
    const TRect text = BoundsOf(Pixels(), clBlack);
    const TRect shadow = BoundsOf(Pixels(), clGray);
    ASSERT_FALSE(text.IsEmpty());
    ASSERT_FALSE(shadow.IsEmpty());
    EXPECT_EQ(shadow.Right, text.Right + 2);
    EXPECT_EQ(shadow.Bottom, text.Bottom + 2);
}

TEST_F(HTMLDrawTest, HorizontalRuleSpansTheLine)
{
    Draw(QStringLiteral("above<HR>below"), TRect(10, 10, 200, 100));
    const int y = 10 + LineHeight() + 1;
    EXPECT_EQ(LongestRun(Pixels(), clBlack, y, 0, 300), 200 - 11);
    EXPECT_EQ(At(Pixels(), 11, y), clBlack);
    EXPECT_EQ(At(Pixels(), 199, y), clBlack);
    // The text after the rule is on the next line.
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(11, y + 1, 200, 10 + 2 * LineHeight())), 10);
}

TEST_F(HTMLDrawTest, ListBulletsSitInTheirColumns)
{
    Draw(QStringLiteral("<UL><LI>a<UL><LI>b</UL></UL>"), Area);
    const TRect first = BoundsOf(Pixels(), clBlack);
    // Depth 1: a dot in the first 12-pixel column, the text after it.
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(1, 0, 13, LineHeight())), 0);
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(13, 0, 25, LineHeight())), 0);
    EXPECT_EQ(first.Left, BoundsOf(Pixels(), clBlack).Left);
    // Depth 2: nothing in the first column, a circle in the second, the text after.
    const int second = LineHeight();
    EXPECT_EQ(CountColor(Pixels(), clBlack, TRect(0, second, 13, second + LineHeight())), 0);
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(13, second, 25, second + LineHeight())), 0);
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(25, second, 40, second + LineHeight())), 0);
}

TEST_F(HTMLDrawTest, ParagraphAndBodyBackgroundsFillTheirArea)
{
    const QString text =
        QStringLiteral("<P BGCOLOR=\"clYellow\">one two three four five six seven</P>after");
    Draw(text, TRect(0, 0, 120, 120));
    const QImage& pixels = Pixels();
    const int lines = result.YSize / LineHeight();
    ASSERT_GE(lines, 3);
    for (int line = 0; line < lines - 1; ++line) {
        const int y = line * LineHeight();
        EXPECT_EQ(At(pixels, 0, y), clYellow) << line;
        EXPECT_EQ(At(pixels, 119, y + LineHeight() - 1), clYellow) << line;
    }
    // The line after the closing P has no background, and nothing spills past the rectangle.
    EXPECT_EQ(At(pixels, 119, (lines - 1) * LineHeight()), clWhite);
    EXPECT_EQ(At(pixels, 120, 0), clWhite);

    // A body background fills the rectangle and no more.
    Reset(300, 120);
    Draw(QStringLiteral("<BODY BGCOLOR=\"#00FF00\">text"), TRect(10, 10, 60, 50));
    EXPECT_TRUE(AllOf(Pixels(), clLime, TRect(10, 40, 60, 50)));
    EXPECT_EQ(At(Pixels(), 9, 9), clWhite);
    EXPECT_EQ(At(Pixels(), 60, 50), clWhite);
    EXPECT_GT(CountColor(Pixels(), clBlack), 10);
}

TEST_F(HTMLDrawTest, ErrorMarkIsARedZigzagUnderTheRun)
{
    Draw(QStringLiteral("ok <E>wrnog</E> ok"), Area);
    const TRect zigzag = BoundsOf(Pixels(), clRed);
    const int left = 1 + WidthOf(QStringLiteral("ok "));
    ASSERT_FALSE(zigzag.IsEmpty());
    EXPECT_EQ(zigzag.Height(), 3);
    EXPECT_EQ(zigzag.Bottom, LineHeight());
    EXPECT_GE(zigzag.Left, left);
    EXPECT_LE(zigzag.Left, left + 1);
    EXPECT_EQ(zigzag.Left % 2, 0); // starts at an even x
    EXPECT_LE(zigzag.Right, left + WidthOf(QStringLiteral("wrnog")) + 2);
}

TEST_F(HTMLDrawTest, FocusRectangleOutlinesTheFocusedLink)
{
    params.FocusLink = 1;
    params.URLColor = clBlue;
    Draw(QStringLiteral("<A href=\"a\">aa</A> <A href=\"b\">bb</A>"), Area);
    const int left = 1 + WidthOf(QStringLiteral("aa")) + WidthOf(QStringLiteral(" "));
    const int right = left + WidthOf(QStringLiteral("bb"));
    // Dots inverted from white: black on every other pixel of the top edge.
    int dots = 0;
    for (int x = left; x < right; ++x)
        dots += At(Pixels(), x, 0) == clBlack;
    EXPECT_GE(dots, (right - left) / 2 - 1);
    // The first link has none.
    for (int x = 1; x < left - 3; ++x)
        EXPECT_NE(At(Pixels(), x, 0), clBlack) << x;
    EXPECT_EQ(result.FocusAnchor, QStringLiteral("b"));
}

TEST_F(HTMLDrawTest, HoverStylesOnlyTheHoveredLink)
{
    params.HoverLink = 2;
    params.HoverUnderlineOnly = true;
    params.HoverColor = clYellow;
    params.HoverFontColor = clRed;
    params.URLColor = clBlue;
    Draw(QStringLiteral("<A href=\"a\">mmm</A> <A href=\"b\">mmm</A>"), Area);
    const int width = WidthOf(QStringLiteral("mmm"));
    const int second = 1 + width + WidthOf(QStringLiteral(" "));
    const TRect one(1, 0, 1 + width, LineHeight());
    const TRect two(second, 0, second + width, LineHeight());
    // The first keeps the link colour but no underline.
    EXPECT_GT(CountColor(Pixels(), clBlue, one), 5);
    EXPECT_FALSE(HasHorizontalLine(Pixels(), clBlue, one, width - 1));
    // The second is red on yellow and underlined.
    EXPECT_EQ(CountColor(Pixels(), clYellow, two) + CountColor(Pixels(), clRed, two),
              width * LineHeight());
    EXPECT_TRUE(HasHorizontalLine(Pixels(), clRed, two, width - 1));
}

TEST_F(HTMLDrawTest, SelectedTextIsDrawnInTheCanvasColourNotItsOwn)
{
    params.Selected = true;
    canvas->Font().SetColor(clWhite);
    image.fill(Qt::black);
    Draw(QStringLiteral(
             "<A href=\"a\">link</A> <FONT COLOR=\"clRed\" BGCOLOR=\"clYellow\">x</FONT>"),
         Area);
    EXPECT_EQ(CountColor(Pixels(), clBlue), 0);
    EXPECT_EQ(CountColor(Pixels(), clRed), 0);
    EXPECT_EQ(CountColor(Pixels(), clYellow), 0);
    EXPECT_GT(CountColor(Pixels(), clWhite), 10);
    const int width = WidthOf(QStringLiteral("link"));
    EXPECT_FALSE(
        HasHorizontalLine(Pixels(), clWhite, TRect(1, 0, 1 + width, LineHeight()), width - 1));
}

TEST_F(HTMLDrawTest, BlinkingTextVanishesInItsOffPhase)
{
    canvas->Brush().SetColor(clAqua);
    params.BlinkOn = false;
    Draw(QStringLiteral("<BLINK>now</BLINK> always"), Area);
    const int width = WidthOf(QStringLiteral("now"));
    EXPECT_EQ(CountColor(Pixels(), clBlack, TRect(1, 0, 1 + width, LineHeight())), 0);
    EXPECT_GT(CountColor(Pixels(), clAqua, TRect(1, 0, 1 + width, LineHeight())), 5);
    EXPECT_GT(CountColor(Pixels(), clBlack, TRect(1 + width, 0, 300, LineHeight())), 5);
    Reset(300, 120);
    params.BlinkOn = true;
    Draw(QStringLiteral("<BLINK>now</BLINK>"), Area);
    EXPECT_GT(CountColor(Pixels(), clBlack), 5);
}

TEST_F(HTMLDrawTest, CentredParagraphsAndOverlongLines)
{
    const int width = WidthOf(QStringLiteral("mid"));
    Draw(QStringLiteral("<P ALIGN=\"CENTER\">mid</P>"), Area);
    const TRect text = BoundsOf(Pixels(), clBlack);
    const int left = 1 + (300 - 1 - width) / 2;
    EXPECT_GE(text.Left, left);
    EXPECT_LE(text.Right, left + width);
    EXPECT_GT(text.Left, 100);
    // A line wider than the rectangle stays at the left, clipped at the right edge.
    Reset(300, 120);
    Draw(QStringLiteral("<P ALIGN=\"CENTER\">mmmmmmmmmmmmmmmmmm</P>"), TRect(0, 0, 60, 40));
    EXPECT_LE(BoundsOf(Pixels(), clBlack).Left, 3);
    EXPECT_LE(BoundsOf(Pixels(), clBlack).Right, 60);
}

TEST_F(HTMLDrawTest, AmpersandsAndCutLinesShowAsTheCanvasShowsThem)
{
    Draw(QStringLiteral("a&amp;b &x"), Area);
    const QImage drawn = Pixels().copy();
    Reset(300, 120);
    canvas->Brush().SetStyle(bsClear);
    TRect r(1, 0, 300, LineHeight());
    canvas->DrawText(QStringLiteral("a&&b "), r, DT_SINGLELINE | DT_BOTTOM);
    TRect rest(1 + WidthOf(QStringLiteral("a&b ")), 0, 300, LineHeight());
    canvas->DrawText(QStringLiteral("&x"), rest, DT_SINGLELINE | DT_BOTTOM);
    EXPECT_EQ(drawn, Pixels());

    // Cut lines end in dots as the canvas draws them.
    Reset(300, 120);
    params.WordWrap = false;
    const QString text = QStringLiteral("Rehearsal with the quartet at Studio Four");
    Draw(text, TRect(0, 0, 90, 40));
    const QImage cut = Pixels().copy();
    Reset(300, 120);
    canvas->Brush().SetStyle(bsClear);
    r = TRect(1, 0, 90, LineHeight());
    canvas->DrawText(text, r, DT_SINGLELINE | DT_BOTTOM | DT_END_ELLIPSIS);
    EXPECT_EQ(cut, Pixels());
    EXPECT_EQ(CountColor(cut, clBlack, TRect(90, 0, 300, 120)), 0);
}

TEST_F(HTMLDrawTest, SuperscriptsRiseAndSubscriptsDrop)
{
    Draw(QStringLiteral("<SUP>l</SUP>l<SUB>l</SUB>"), Area);
    const int width = WidthOf(QStringLiteral("l"));
    const TRect sup = BoundsOf(Pixels().copy(1, 0, width, 60), clBlack);
    const TRect normal = BoundsOf(Pixels().copy(1 + width, 0, width, 60), clBlack);
    const TRect sub = BoundsOf(Pixels().copy(1 + 2 * width, 0, width, 60), clBlack);
    const int quarter = LineHeight() / 4;
    EXPECT_EQ(normal.Bottom - sup.Bottom, quarter);
    EXPECT_EQ(sub.Bottom - normal.Bottom, quarter);
}

TEST_F(HTMLDrawTest, RotatedTextRunsUpFromItsPlace)
{
    Draw(QStringLiteral("<R a=\"90\">Rotated</R>"), TRect(0, 80, 300, 120));
    const TRect text = BoundsOf(Pixels(), clBlack);
    ASSERT_FALSE(text.IsEmpty());
    // Read bottom to top: taller than wide, ending at the top of its line.
    EXPECT_GT(text.Height(), 2 * text.Width());
    EXPECT_LE(text.Bottom, 81);
    EXPECT_GE(text.Top, 80 - WidthOf(QStringLiteral("Rotated")) - 1);
    EXPECT_EQ(canvas->Font().Orientation(), 0);
}

TEST_F(HTMLDrawTest, ImagesAreDrawnWhereTheyAreLaidOut)
{
    TImageList images(nullptr, 16, 16);
    images.Add(FilledImage(16, 16, clRed));
    params.Images = &images;
    Draw(QStringLiteral("ab<IMG SRC=\"IDX:0\">cd<IMG SRC=\"IDX:0\" WIDTH=\"30\" HEIGHT=\"10\">"),
         Area);
    const int first = 1 + WidthOf(QStringLiteral("ab"));
    EXPECT_TRUE(AllOf(Pixels(), clRed, TRect(first, 0, first + 16, 16)));
    const int second = first + 16 + WidthOf(QStringLiteral("cd"));
    EXPECT_TRUE(AllOf(Pixels(), clRed, TRect(second, 0, second + 30, 10)));
    EXPECT_EQ(CountColor(Pixels(), clRed), 16 * 16 + 30 * 10);
}

TEST_F(HTMLDrawTest, PaintingRestoresTheCanvas)
{
    canvas->Brush().SetColor(clAqua);
    canvas->Pen().SetColor(clGreen);
    canvas->Pen().SetWidth(3);
    Draw(QStringLiteral("<B><I>x<FONT FACE=\"DejaVu Serif\" COLOR=\"clRed\" BGCOLOR=\"clYellow\" "
                        "SIZE=\"5\">y<HR><E>z<HI>w<R a=\"90\">r<SHAD>s"),
         Area);
    ExpectTestFontRestored();
    EXPECT_EQ(canvas->Font().Orientation(), 0);
    EXPECT_EQ(canvas->Brush().Color(), clAqua);
    EXPECT_EQ(canvas->Brush().Style(), bsSolid);
    EXPECT_EQ(canvas->Pen().Color(), clGreen);
    EXPECT_EQ(canvas->Pen().Width(), 3);
    EXPECT_EQ(canvas->BkMode(), bkOpaque);
}

// The runs between two tags are drawn together; they must come out as the canvas draws
// each of them by itself, antialiased pixels included.
TEST_F(HTMLDrawTest, RunsDrawnTogetherLookLikeRunsDrawnOneByOne)
{
    const QStringList plain = {QStringLiteral("Rehearsal "), QStringLiteral("with "),
                               QStringLiteral("the "), QStringLiteral("AVATAR ")};
    const QStringList italic = {QStringLiteral("To "), QStringLiteral("Wo")};
    const QString markup = plain.join(QString()) + QStringLiteral("<I>") + italic.join(QString()) +
                           QStringLiteral("</I>");
    for (bool antialiased : {false, true}) {
        SetTextAntialiasing(antialiased);
        Reset(300, 30);
        Draw(markup, TRect(0, 0, 300, 30));
        EXPECT_EQ(result.YSize, HeightOf() + canvas->ExternalLeading());
        const QImage drawn = Pixels();

        Reset(300, 30);
        canvas->Brush().SetStyle(bsClear);
        int x = 1; // lines start one pixel in
        for (const QString& run : plain + italic) {
            if (run == italic.first()) canvas->Font().SetStyle(fsItalic);
            canvas->TextOut(x, 0, run);
            x += canvas->TextWidth(run);
        }
        EXPECT_EQ(Pixels(), drawn) << "antialiased " << antialiased;
    }
}

// Underlined and struck-out runs are drawn together too, their lines after all their
// glyphs; glyphs that reach back over the line of the run before (j, f, y) must leave the
// same pixels as drawing run after run.
TEST_F(HTMLDrawTest, DecoratedRunsDrawnTogetherLookLikeRunsDrawnOneByOne)
{
    const QStringList runs = {QStringLiteral("fly "), QStringLiteral("jjy "),
                              QStringLiteral("ajar "), QStringLiteral("f/j "),
                              QStringLiteral("Wjy")};
    struct TCase
    {
        QString Open, Close;
        TFontStyles Style;
        TColor Color;
    };
    params.URLColor = clBlue;
    const TCase cases[] = {
        {QStringLiteral("<U>"), QStringLiteral("</U>"), fsUnderline, clBlack},
        {QStringLiteral("<S>"), QStringLiteral("</S>"), fsStrikeOut, clBlack},
        {QStringLiteral("<A href=\"x\">"), QStringLiteral("</A>"), fsUnderline, clBlue},
    };
    for (bool antialiased : {false, true}) {
        for (const TCase& c : cases) {
            SetTextAntialiasing(antialiased);
            Reset(300, 30);
            Draw(c.Open + runs.join(QString()) + c.Close, TRect(0, 0, 300, 30));
            const QImage drawn = Pixels();

            Reset(300, 30);
            canvas->Brush().SetStyle(bsClear);
            canvas->Font().SetStyle(c.Style);
            canvas->Font().SetColor(c.Color);
            int x = 1; // lines start one pixel in
            for (const QString& run : runs) {
                canvas->TextOut(x, 0, run);
                x += canvas->TextWidth(run);
            }
            EXPECT_EQ(Pixels(), drawn) << c.Open.toStdString() << " antialiased " << antialiased;
        }
    }
}
