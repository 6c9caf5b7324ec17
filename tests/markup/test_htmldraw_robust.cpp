// Bad and huge input for the markup renderer: nothing may raise, hang or draw outside
// the rectangle, and what can be laid out still is.
#include "htmldraw_fixture.h"

#include "platform/imagelist.h"

#include <QRandomGenerator>

namespace {

const TRect Area(10, 10, 210, 70);

QString Repeated(const QString& piece, int times)
{
    QString text;
    text.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

} // namespace

class HTMLRobustTest : public HTMLDrawTest
{
protected:
    // Measures, paints and hit-tests text; the painting must stay inside the rectangle's
    // columns (the last line may reach below it).
    void Survives(const QString& text)
    {
        params.XPos = 20;
        params.YPos = 15;
        EXPECT_NO_THROW(Measure(text, Area));
        params.HitTestOnly = true;
        EXPECT_NO_THROW(Draw(text, Area));
        params.HitTestOnly = false;
        EXPECT_NO_THROW(Draw(text, Area));
        const QImage& pixels = Pixels();
        EXPECT_TRUE(AllOf(pixels, clWhite, TRect(0, 0, Area.Left, pixels.height())));
        EXPECT_TRUE(AllOf(pixels, clWhite, TRect(Area.Right, 0, pixels.width(), pixels.height())));
    }
};

TEST_F(HTMLRobustTest, UnclosedTagsAndStrayBrackets)
{
    // A "<" that never closes ends the text.
    EXPECT_EQ(Measure(QStringLiteral("abc <def")).StripVal, QStringLiteral("abc "));
    EXPECT_EQ(Measure(QStringLiteral("abc <def")).XSize, WidthOf(QStringLiteral("abc ")));
    // Style that is never closed lasts to the end.
    EXPECT_EQ(Measure(QStringLiteral("<B>bold")).XSize, WidthOf(QStringLiteral("bold"), fsBold));
    // Closing tags without opening ones change nothing.
    EXPECT_EQ(Measure(QStringLiteral("</B></FONT></A></HI></BLINK></P></R>ab")).XSize,
              WidthOf(QStringLiteral("ab")));
    // Unknown tags and attributes are skipped.
    const THTMLDrawResult unknown =
        Measure(QStringLiteral("<FOO BAR=1>x</FOO><B BOGUS=\"2\">y</B><>z</>"));
    EXPECT_EQ(unknown.StripVal, QStringLiteral("xyz"));
    for (const QString& text :
         {QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("<<<>>>"), QStringLiteral("<A"),
          QStringLiteral("<A href=\"x"), QStringLiteral("<IMG SRC=\""), QStringLiteral("&"),
          QStringLiteral("&amp"), QStringLiteral("<#"), QStringLiteral("</"),
          QStringLiteral("<CONTROL TYPE=\"EDIT\" WIDTH=\"")})
        Survives(text);
}

TEST_F(HTMLRobustTest, AbsurdSizesStaySane)
{
    TImageList images(nullptr, 16, 16);
    images.Add(FilledImage(16, 16, clRed));
    params.Images = &images;
    Survives(QStringLiteral("<FONT SIZE=\"0\">a</FONT><FONT SIZE=\"-3\">b</FONT>"
                            "<FONT SIZE=\"99999999999\">c</FONT>"));
    Survives(QStringLiteral("<IMG SRC=\"IDX:0\" WIDTH=\"-5\" HEIGHT=\"-5\">"
                            "<IMG SRC=\"IDX:0\" WIDTH=\"2000000000\" HEIGHT=\"2000000000\">x"));
    Survives(QStringLiteral("<IND x=\"2000000000\">a<IND x=\"-2000000000\">b"));
    Survives(QStringLiteral("<P INDENT=\"-50\">a</P><P INDENT=\"999999999\">b</P>"));
    Survives(QStringLiteral("<R a=\"99999999\">turned</R><R a=\"-45\">back</R>"));
    Survives(QStringLiteral("<CONTROL TYPE=\"BUTTON\" WIDTH=\"99999999\" VALUE=\"x\">"));
    params.ShadowOffset = 2000000000;
    Survives(QStringLiteral("<SHAD>shadow</SHAD>"));
    params.ShadowOffset = 1;
    params.Print = true;
    params.ResFactor = 1e300;
    Survives(QStringLiteral("<IMG SRC=\"IDX:0\"><CONTROL TYPE=\"EDIT\" WIDTH=\"50\">"));

    // Sizes are clamped, not wrapped round: the huge image is still measured as huge.
    params.Print = false;
    const THTMLDrawResult huge =
        Measure(QStringLiteral("<IMG SRC=\"IDX:0\" WIDTH=\"2000000000\" HEIGHT=\"5\">"), Area);
    EXPECT_GT(huge.XSize, 1000);
    EXPECT_GT(Measure(QStringLiteral("<FONT SIZE=\"99999\">g</FONT>"), Area).YSize, 200);
}

TEST_F(HTMLRobustTest, FarReachingMarksAreDrawnOnlyWhereTheyShow)
{
    // A focused link and an error mark running far past the canvas finish at once.
    params.FocusLink = 0;
    Survives(QStringLiteral("<A href=\"x\">a<IND x=\"2000000000\">b</A>"));
    Survives(QStringLiteral("<E>") + Repeated(QStringLiteral("m"), 1 << 18) +
             QStringLiteral("</E>"));
    Draw(QStringLiteral("<E><A href=\"x\">") + Repeated(QStringLiteral("m"), 1 << 18),
         TRect(0, 0, 1 << 30, 40));
    EXPECT_GT(CountColor(Pixels(), clRed), 0);
}

TEST_F(HTMLRobustTest, DeeplyNestedListsAndFonts)
{
    const QString lists = Repeated(QStringLiteral("<UL>"), 10000) + QStringLiteral("<LI>deep") +
                          Repeated(QStringLiteral("</UL>"), 10001);
    Survives(lists);
    EXPECT_EQ(Measure(lists, Area).XSize, 12 * 10000 + WidthOf(QStringLiteral("deep")));
    const QString fonts = Repeated(QStringLiteral("<FONT SIZE=\"2\"><B>"), 5000) +
                          QStringLiteral("x") + Repeated(QStringLiteral("</FONT>"), 6000) +
                          QStringLiteral("y");
    Survives(fonts);
}

TEST_F(HTMLRobustTest, MegabyteTexts)
{
    const int megabyte = 1 << 20;
    const QString words = Repeated(QStringLiteral("gig venue "), megabyte / 10);
    Survives(words);
    // Only what fits is laid out when painting...
    Draw(words, Area);
    EXPECT_LE(result.YSize, Area.Height() + LineHeight());
    // ...and everything when measuring.
    const THTMLDrawResult all = Measure(words, Area);
    EXPECT_EQ(all.StripVal.size(), words.size());
    EXPECT_GT(all.YSize, 1000 * LineHeight());

    Survives(Repeated(QStringLiteral("x"), megabyte));
    Survives(Repeated(QStringLiteral("<B>a</B>"), megabyte / 8));
    Survives(Repeated(QStringLiteral("<BR>"), megabyte / 4));
    Survives(Repeated(QStringLiteral("&amp;"), megabyte / 5));
    Survives(Repeated(QStringLiteral("\t"), megabyte / 16));
    Survives(Repeated(QStringLiteral("<"), megabyte));
    params.WordWrap = false;
    Survives(Repeated(QStringLiteral("x"), megabyte));
    Survives(Repeated(QStringLiteral("word "), megabyte / 5));
}

TEST_F(HTMLRobustTest, RandomMarkup)
{
    // Fragments of the dialect glued at random, with a fixed seed.
    const QStringList pieces =
        QStringLiteral("<B>|</B>|<A href=\"x\">|</A>|<BR>|<HR>|<UL>|<LI>|</UL>|"
                       "<P ALIGN=\"CENTER\" BGCOLOR=\"clRed\">|</P>|"
                       "<FONT SIZE=\"5\" COLOR=\"#00FF00\">|</FONT>|<SUB>|<SUP>|</SUB>|<Z>|"
                       "</Z>|<SHAD>|<E>|<HI>|</HI>|<IND x=\"40\">|"
                       "<IMG SRC=\"IDX:0\" ALIGN=\"TOP\">|"
                       "<CONTROL TYPE=\"CHECK\" VALUE=\"TRUE\">|<R a=\"90\">|</R>|word |&amp;|"
                       "&nbsp;|<|>|\r\n|\t|long-unbroken-word")
            .split(QLatin1Char('|'));
    TImageList images(nullptr, 16, 16);
    images.Add(FilledImage(16, 16, clRed));
    params.Images = &images;
    QRandomGenerator random(20240611);
    for (int round = 0; round < 200; ++round) {
        QString text;
        const int count = random.bounded(1, 60);
        for (int i = 0; i < count; ++i)
            text += pieces[random.bounded(int(pieces.size()))];
        params.WordWrap = random.bounded(2) == 0;
        params.FocusLink = random.bounded(-1, 3);
        params.HoverLink = random.bounded(-1, 3);
        Reset(220, 80);
        Survives(text);
        ASSERT_FALSE(HasFailure()) << text.toStdString();
    }
}
