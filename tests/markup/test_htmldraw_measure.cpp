// Measuring with the markup renderer: sizes, wrapping, fonts, paragraphs, lists and the
// plain text, checked against the widths of the test font.
#include "htmldraw_fixture.h"

#include "platform/imagelist.h"

#include <QImage>

TEST_F(HTMLDrawTest, EmptyTextMeasuresOneTextHeight)
{
    result.MouseLink = 5;
    result.HyperLinks = 3;
    const bool hit = Draw(QString(), TRect(0, 0, 300, 120));
    EXPECT_FALSE(hit);
    EXPECT_EQ(result.XSize, 0);
    EXPECT_EQ(result.YSize, LineHeight());
    EXPECT_EQ(result.HyperLinks, 0);
    EXPECT_EQ(result.MouseLink, -1);
    EXPECT_TRUE(result.StripVal.isEmpty());
}

TEST_F(HTMLDrawTest, RunsOfDifferentStylesAddUp)
{
    const THTMLDrawResult m = Measure(QStringLiteral("a<B>b</B>"));
    EXPECT_EQ(m.XSize, WidthOf(QStringLiteral("a")) + WidthOf(QStringLiteral("b"), fsBold));
    EXPECT_EQ(m.YSize, LineHeight());

    const THTMLDrawResult italic = Measure(QStringLiteral("<I>ab</I>cd"));
    EXPECT_EQ(italic.XSize,
              WidthOf(QStringLiteral("ab"), fsItalic) + WidthOf(QStringLiteral("cd")));
}

TEST_F(HTMLDrawTest, BreaksAndLineEndsMakeLines)
{
    EXPECT_EQ(Measure(QStringLiteral("one<BR>two<br>three")).YSize, 3 * LineHeight());
    EXPECT_EQ(Measure(QStringLiteral("one\r\ntwo\rthree\nfour")).YSize, 4 * LineHeight());
    // A break at the very end adds no line; two in a row make an empty one.
    EXPECT_EQ(Measure(QStringLiteral("one<BR>")).YSize, LineHeight());
    EXPECT_EQ(Measure(QStringLiteral("one<BR><BR>two")).YSize, 3 * LineHeight());
    const THTMLDrawResult widest = Measure(QStringLiteral("ab<BR>abcd<BR>a"));
    EXPECT_EQ(widest.XSize, WidthOf(QStringLiteral("abcd")));
}

TEST_F(HTMLDrawTest, WordWrapBreaksAtBlanks)
{
    // Every blank ends a run, so widths add up run by run.
    const int alphaBeta = WidthOf(QStringLiteral("alpha ")) + WidthOf(QStringLiteral("beta "));
    const int room = alphaBeta + 5; // "gamma" does not fit after "alpha beta "
    const QString text = QStringLiteral("alpha beta gamma de");
    const THTMLDrawResult m = Measure(text, TRect(0, 0, room, 200));
    EXPECT_EQ(m.YSize, 2 * LineHeight());
    EXPECT_EQ(m.XSize, alphaBeta);
    EXPECT_EQ(m.StripVal, text); // nothing lost or repeated by wrapping

    // The last word wraps too, and so does a word that follows a blank and a tag.
    EXPECT_EQ(Measure(QStringLiteral("alpha beta gamma"), TRect(0, 0, room, 200)).YSize,
              2 * LineHeight());
    EXPECT_EQ(Measure(QStringLiteral("alpha beta <B>gamma</B>"), TRect(0, 0, room, 200)).YSize,
              2 * LineHeight());

    // Text glued to a tag is one word: it is never split at the tag.
    const TRect narrow(0, 0, WidthOf(QStringLiteral("alphabeta")) + 3, 200);
    EXPECT_EQ(Measure(QStringLiteral("alphabeta<B>gamma</B>"), narrow).YSize, LineHeight());

    // A word at least as wide as the rectangle stays where it is; the next one wraps.
    const THTMLDrawResult wide =
        Measure(QStringLiteral("a verylongwordindeed b"), TRect(0, 0, 30, 200));
    EXPECT_EQ(wide.YSize, 2 * LineHeight());
    EXPECT_EQ(wide.XSize,
              WidthOf(QStringLiteral("a ")) + WidthOf(QStringLiteral("verylongwordindeed ")));
}

// Without word wrap a line stays one line, cut with an ellipsis as the canvas cuts it.
TEST_F(HTMLDrawTest, WithoutWordWrapLinesAreCutAsTheCanvasCutsThem)
{
    params.WordWrap = false;
    const QString text = QStringLiteral("Rehearsal with the quartet at Studio Four");
    const THTMLDrawResult narrow = Measure(text, TRect(0, 0, 60, 200));
    EXPECT_EQ(narrow.YSize, LineHeight());
    EXPECT_EQ(narrow.StripVal, text);
    EXPECT_EQ(Measure(text, TRect(0, 0, 1000, 200)).XSize, WidthOf(text));
    for (int width : {4, 20, 61, 150}) {
        TRect cut(0, 0, width - 1, 20);
        canvas->DrawText(text, cut, DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
        EXPECT_EQ(Measure(text, TRect(0, 0, width, 40)).XSize, cut.Width()) << width;
    }
    // Prefixes count as the canvas shows them.
    const QString prefixed = QStringLiteral("R&ehearsal &amp; more words than fit");
    TRect cut(0, 0, 79, 20);
    canvas->DrawText(QStringLiteral("R&ehearsal && more words than fit"), cut,
                     DT_CALCRECT | DT_SINGLELINE | DT_END_ELLIPSIS);
    EXPECT_EQ(Measure(prefixed, TRect(0, 0, 80, 40)).XSize, cut.Width());
    // Runs after the cut take no room: the line is no wider than the rectangle.
    const THTMLDrawResult runs =
        Measure(text + QStringLiteral("<B>more</B><I>and more</I>"), TRect(0, 0, 60, 40));
    EXPECT_LE(runs.XSize, 59);
}

TEST_F(HTMLDrawTest, TabsMoveToTheNextStop)
{
    const int stop = 8 * canvas->FontMetrics().averageCharWidth();
    EXPECT_EQ(Measure(QStringLiteral("a\tb")).XSize, stop + WidthOf(QStringLiteral("b")));
    EXPECT_EQ(Measure(QStringLiteral("a\tb\tc")).XSize, 2 * stop + WidthOf(QStringLiteral("c")));
    // Stops count from the line's start, whatever the runs before them.
    EXPECT_EQ(Measure(QStringLiteral("<B>a</B>\tb")).XSize, stop + WidthOf(QStringLiteral("b")));
    EXPECT_EQ(Measure(QStringLiteral("x<BR>\t\tb")).XSize, 2 * stop + WidthOf(QStringLiteral("b")));
    EXPECT_EQ(Measure(QStringLiteral("a\tb")).StripVal, QStringLiteral("a\tb"));
}

TEST_F(HTMLDrawTest, FontSizesFacesAndNesting)
{
    // SIZE 1 to 5 are 8 to 16 points; other numbers are points (96 dpi: 16 px = 12 pt).
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"3\">gh</FONT>")).YSize, HeightOf(16));
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"9\">gh</FONT>")).XSize,
              WidthOf(QStringLiteral("gh"), 0, 12));
    // A line is never lower than the font it starts with.
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"9\">gh</FONT>")).YSize, LineHeight());
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"1\">ab</FONT>")).XSize,
              WidthOf(QStringLiteral("ab"), 0, 11));
    // Absurd sizes are kept sane: 0 changes nothing, 10000 stops at 500 points.
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"0\">gh</FONT>")).YSize, LineHeight());
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"10000\">g</FONT>")).YSize, HeightOf(667));
    // The closing tag restores the size.
    EXPECT_EQ(Measure(QStringLiteral("<FONT SIZE=\"5\">a</FONT><BR>b")).YSize,
              HeightOf(21) + LineHeight());
    // A face that is not installed still measures as some font.
    EXPECT_GT(Measure(QStringLiteral("<FONT FACE=\"No Such Face\">abc</FONT>")).XSize, 0);
    // Nested fonts restore their outer font.
    const QString text = QStringLiteral("<FONT SIZE=\"5\">a<FONT SIZE=\"1\">b</FONT>c</FONT>d");
    EXPECT_EQ(Measure(text).XSize,
              WidthOf(QStringLiteral("a"), 0, 21) + WidthOf(QStringLiteral("b"), 0, 11) +
                  WidthOf(QStringLiteral("c"), 0, 21) + WidthOf(QStringLiteral("d")));
}

TEST_F(HTMLDrawTest, SubscriptsAndSuperscriptsReserveAQuarterLine)
{
    const int quarter = LineHeight() / 4;
    EXPECT_EQ(Measure(QStringLiteral("x<SUB>2</SUB>")).YSize, LineHeight() + quarter);
    EXPECT_EQ(Measure(QStringLiteral("x<SUP>2</SUP>")).YSize, LineHeight() + quarter);
    EXPECT_EQ(Measure(QStringLiteral("x<SUB>2</SUB><SUP>3</SUP>")).YSize,
              LineHeight() + 2 * quarter);
    // Either closing tag ends both.
    EXPECT_EQ(Measure(QStringLiteral("<SUP>2</SUB><BR>x")).YSize, 2 * LineHeight() + quarter);
}

TEST_F(HTMLDrawTest, PlainTextKeepsHiddenTextAndEntitiesButNoTags)
{
    const THTMLDrawResult m = Measure(QStringLiteral("ab<Z>hidden</Z>cd"));
    EXPECT_EQ(m.XSize, WidthOf(QStringLiteral("ab")) + WidthOf(QStringLiteral("cd")));
    EXPECT_EQ(m.StripVal, QStringLiteral("abhiddencd"));

    // The plain text leaves out tags and keeps what entities stand for.
    const THTMLDrawResult plain =
        Measure(QStringLiteral("<B>Gig</B> at <A href=\"x\">the&nbsp;Hall</A> &lt;8pm&gt; &euro;"));
    EXPECT_EQ(plain.StripVal, QString::fromUtf8("Gig at the Hall <8pm> \u20AC"));
    EXPECT_EQ(plain.HyperLinks, 1);
}

TEST_F(HTMLDrawTest, ListItemsIndentByDepth)
{
    const int bulletColumn = 12;
    EXPECT_EQ(Measure(QStringLiteral("<UL><LI>ab</UL>")).XSize,
              bulletColumn + WidthOf(QStringLiteral("ab")));
    EXPECT_EQ(Measure(QStringLiteral("<UL><UL><LI>ab</UL></UL>")).XSize,
              2 * bulletColumn + WidthOf(QStringLiteral("ab")));
    // A second item on a line starts a new line.
    EXPECT_EQ(Measure(QStringLiteral("<UL><LI>a<LI>b<LI>c</UL>")).YSize, 3 * LineHeight());
    // An item outside any list still gets its bullet column.
    EXPECT_EQ(Measure(QStringLiteral("<LI>ab")).XSize,
              bulletColumn + WidthOf(QStringLiteral("ab")));
}

TEST_F(HTMLDrawTest, IndentsMoveThePenForwardOnlyAndCountInTheWidth)
{
    // Offsets count from the rectangle's left edge; lines start one pixel in.
    EXPECT_EQ(Measure(QStringLiteral("<IND x=\"41\">ab")).XSize,
              40 + WidthOf(QStringLiteral("ab")));
    const int wide = WidthOf(QStringLiteral("abcdefghij"));
    EXPECT_EQ(Measure(QStringLiteral("abcdefghij<IND x=\"5\">k")).XSize,
              wide + WidthOf(QStringLiteral("k")));
    // A paragraph indent counts in the width.
    EXPECT_EQ(Measure(QStringLiteral("<P INDENT=\"20\">ab</P>")).XSize,
              20 + WidthOf(QStringLiteral("ab")));
    // The closing P ends the line and the paragraph.
    const THTMLDrawResult m = Measure(QStringLiteral("<P INDENT=\"20\">ab</P>cd"));
    EXPECT_EQ(m.YSize, 2 * LineHeight());
}

TEST_F(HTMLDrawTest, LinesBelowTheRectangleAreNotCountedUnlessMeasuring)
{
    const QString text = QStringLiteral("1<BR>2<BR>3<BR>4<BR>5");
    const TRect twoLines(0, 0, 100, 2 * LineHeight() + 2);
    Draw(text, twoLines);
    EXPECT_EQ(result.YSize, 2 * LineHeight());
    EXPECT_EQ(result.StripVal, QStringLiteral("12"));
    const THTMLDrawResult all = Measure(text, twoLines);
    EXPECT_EQ(all.YSize, 5 * LineHeight());
    EXPECT_EQ(all.StripVal, QStringLiteral("12345"));
    // The first line is always laid out, even in a rectangle too low for it.
    Draw(text, TRect(0, 0, 100, 3));
    EXPECT_EQ(result.YSize, LineHeight());
}

TEST_F(HTMLDrawTest, ImagesTakeTheirSizeAndWrap)
{
    TImageList images(nullptr, 20, 30);
    images.Add(FilledImage(20, 30, clRed));
    params.Images = &images;
    const THTMLDrawResult m = Measure(QStringLiteral("a<IMG SRC=\"IDX:0\">b"));
    EXPECT_EQ(m.XSize, WidthOf(QStringLiteral("a")) + 20 + WidthOf(QStringLiteral("b")));
    EXPECT_EQ(m.YSize, 30);
    const THTMLDrawResult sized =
        Measure(QStringLiteral("<IMG SRC=\"idx:0\" WIDTH=\"40\" HEIGHT=\"8\">"));
    EXPECT_EQ(sized.XSize, 40);
    EXPECT_EQ(sized.YSize, LineHeight());
    // Negative or partial sizes fall back to the natural size.
    EXPECT_EQ(Measure(QStringLiteral("<IMG SRC=\"IDX:0\" WIDTH=\"-5\" HEIGHT=\"8\">")).XSize, 20);
    // A missing image takes no room.
    EXPECT_EQ(Measure(QStringLiteral("a<IMG SRC=\"IDX:7\">")).XSize, WidthOf(QStringLiteral("a")));
    EXPECT_EQ(Measure(QStringLiteral("a<IMG SRC=\"IDX:-1\">")).XSize, WidthOf(QStringLiteral("a")));
    // An image that does not fit after the text goes to the next line.
    const int room = WidthOf(QStringLiteral("abc")) + 10;
    const THTMLDrawResult wrapped =
        Measure(QStringLiteral("abc<IMG SRC=\"IDX:0\">"), TRect(0, 0, room, 200));
    EXPECT_EQ(wrapped.YSize, LineHeight() + 30);
}

TEST_F(HTMLDrawTest, MeasuringPaintsNothingAndRestoresTheCanvas)
{
    canvas->Brush().SetStyle(bsClear);
    canvas->Pen().SetColor(clGreen);
    Measure(
        QStringLiteral("<BODY BGCOLOR=\"clRed\"><B>x</B><FONT COLOR=\"clRed\" SIZE=\"5\">y<HR>"));
    ExpectTestFontRestored();
    EXPECT_EQ(canvas->Brush().Style(), bsClear);
    EXPECT_EQ(canvas->Pen().Color(), clGreen);
    EXPECT_EQ(CountColor(Pixels(), clWhite), image.width() * image.height());
}
