// Hit testing with the markup renderer: which link, image or form control lies under a
// point, in canvas coordinates computed from the widths of the test font.
#include "htmldraw_fixture.h"

#include "platform/imagelist.h"

#include <utility>

namespace {

const QString TwoLinks = QStringLiteral("<A href=\"one\">first</A> <A href=\"two\">second</A>");

} // namespace

class HTMLHitTest : public HTMLDrawTest
{
protected:
    // Hit-tests text in the standard rectangle at (x, y), without painting.
    bool HitAt(const QString& text, int x, int y, const TRect& r = TRect(0, 0, 300, 120))
    {
        params.HitTestOnly = true;
        params.XPos = x;
        params.YPos = y;
        return Draw(text, r);
    }
};

TEST_F(HTMLHitTest, EachLinkIsHitAtItsOwnPlace)
{
    const int firstLeft = 1;
    const int secondLeft =
        firstLeft + WidthOf(QStringLiteral("first")) + WidthOf(QStringLiteral(" "));
    const int middle = LineHeight() / 2;

    EXPECT_TRUE(HitAt(TwoLinks, secondLeft + 2, middle));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("two"));
    EXPECT_EQ(result.MouseLink, 2);
    EXPECT_EQ(result.HyperLinks, 2);
    EXPECT_EQ(result.HoverRect.Left, secondLeft);
    EXPECT_EQ(result.HoverRect.Right, secondLeft + WidthOf(QStringLiteral("second")));
    EXPECT_EQ(result.HoverRect.Bottom, LineHeight());

    EXPECT_TRUE(HitAt(TwoLinks, firstLeft, middle));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("one"));
    EXPECT_EQ(result.MouseLink, 1);
    EXPECT_EQ(result.HoverRect,
              TRect(firstLeft, 0, secondLeft - WidthOf(QStringLiteral(" ")), LineHeight()));
}

TEST_F(HTMLHitTest, MissesLeaveTheAnchorAloneAndHitTestsPaintNothing)
{
    const int blank = 1 + WidthOf(QStringLiteral("first")) + 1;
    result.AnchorVal = QStringLiteral("kept");
    EXPECT_FALSE(HitAt(TwoLinks, blank, LineHeight() / 2));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("kept"));
    EXPECT_EQ(result.MouseLink, -1);
    EXPECT_EQ(result.HoverRect, TRect());
    // Left of the line, below it, and on its top edge (the band is open at both ends).
    EXPECT_FALSE(HitAt(TwoLinks, 0, LineHeight() / 2));
    EXPECT_FALSE(HitAt(TwoLinks, 3, LineHeight()));
    EXPECT_FALSE(HitAt(TwoLinks, 3, 0));
    EXPECT_TRUE(HitAt(TwoLinks, 3, 1));
    // Measuring never hit-tests.
    params.HitTestOnly = false;
    params.MeasureOnly = true;
    EXPECT_FALSE(Draw(TwoLinks, TRect(0, 0, 300, 120)));
    EXPECT_EQ(result.MouseLink, -1);
    // Hit-testing never paints.
    params.MeasureOnly = false;
    EXPECT_TRUE(HitAt(QStringLiteral("<BODY BGCOLOR=\"clRed\"><A href=\"x\">link</A><HR>"), 3, 5));
    EXPECT_EQ(CountColor(Pixels(), clWhite), image.width() * image.height());
}

TEST_F(HTMLHitTest, LinksFollowTheirLineAlignmentAndWrapping)
{
    QString text = QStringLiteral("<P ALIGN=\"RIGHT\"><A href=\"r\">right</A></P>");
    const int left = 300 - WidthOf(QStringLiteral("right"));
    EXPECT_TRUE(HitAt(text, left + 1, 5));
    EXPECT_EQ(result.HoverRect.Left, left);
    EXPECT_EQ(result.HoverRect.Right, 300);
    EXPECT_FALSE(HitAt(text, 5, 5));

    // A link over two lines has the bounds of both.
    text = QStringLiteral("ab <A href=\"w\">wrapped link text</A>");
    const int room = WidthOf(QStringLiteral("ab ")) + WidthOf(QStringLiteral("wrapped ")) + 4;
    const TRect r(0, 0, room, 120);
    // A point on the second line finds the link too.
    EXPECT_TRUE(HitAt(text, 3, LineHeight() + 5, r));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("w"));
    EXPECT_EQ(result.MouseLink, 1);
    EXPECT_EQ(result.HoverRect.Top, 0);
    EXPECT_GE(result.HoverRect.Bottom, 2 * LineHeight());
    EXPECT_EQ(result.HoverRect.Left, 1);
}

TEST_F(HTMLHitTest, UnclosedLinksAndLinkValuesAsWritten)
{
    EXPECT_TRUE(HitAt(QStringLiteral("x <A href=\"open\">to the end"),
                      WidthOf(QStringLiteral("x ")) + 4, 5));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("open"));
    EXPECT_EQ(result.MouseLink, 1);
    EXPECT_FALSE(result.HoverRect.IsEmpty());
    // The value keeps its ampersands.
    EXPECT_TRUE(HitAt(QStringLiteral("<A href=\"page?a=1&amp;b=2\">go</A>"), 3, 5));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("page?a=1&b=2"));
}

TEST_F(HTMLHitTest, FocusAnchorNamesTheFocusedLink)
{
    for (const auto& [focus, anchor] : {std::pair{1, "two"}, {0, "one"}, {-1, ""}}) {
        params.FocusLink = focus;
        HitAt(TwoLinks, -100, -100);
        EXPECT_EQ(result.FocusAnchor, QString::fromLatin1(anchor)) << focus;
    }
}

TEST_F(HTMLHitTest, FormControlsReportTheirAttributes)
{
    const QString text = QStringLiteral(
        "Name: <CONTROL ID=\"who\" TYPE=\"edit\" VALUE=\"a&#38;b\" WIDTH=\"50\"> ok");
    const int left = 1 + WidthOf(QStringLiteral("Name: "));
    const int height = LineHeight() + 6;
    EXPECT_TRUE(HitAt(text, left + 10, 3));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("ctrl"));
    EXPECT_EQ(result.ControlRect, TRect(left, 0, left + 50, height));
    EXPECT_EQ(result.ControlID, QStringLiteral("who"));
    EXPECT_EQ(result.ControlValue, QStringLiteral("a&b"));
    EXPECT_EQ(result.ControlType, QStringLiteral("EDIT"));
    EXPECT_EQ(result.MouseLink, -1);

    // A miss empties the control outputs again.
    EXPECT_FALSE(HitAt(text, left + 60, 3));
    EXPECT_EQ(result.ControlRect, TRect());
    EXPECT_TRUE(result.ControlID.isEmpty());
    EXPECT_TRUE(result.ControlValue.isEmpty());
    EXPECT_TRUE(result.ControlType.isEmpty());
    // Unknown control types are not there at all.
    EXPECT_FALSE(HitAt(QStringLiteral("<CONTROL ID=\"x\" TYPE=\"SLIDER\" WIDTH=\"50\">"), 5, 3));
}

TEST_F(HTMLHitTest, ImagesInsideLinksAreHit)
{
    TImageList images(nullptr, 16, 16);
    images.Add(FilledImage(16, 16, clRed));
    params.Images = &images;
    const QString linked = QStringLiteral("<A href=\"pic\"><IMG SRC=\"IDX:0\" ALT=\"Map\"></A>");
    EXPECT_TRUE(HitAt(linked, 8, 8));
    EXPECT_EQ(result.AnchorVal, QStringLiteral("pic"));
    EXPECT_EQ(result.ImageAlt, QStringLiteral("Map"));
    EXPECT_EQ(result.MouseLink, 1);

    // An image outside a link tells its ALT text but is no hit.
    EXPECT_FALSE(HitAt(QStringLiteral("<IMG SRC=\"IDX:0\" ALT=\"Plain\">"), 8, 8));
    EXPECT_EQ(result.ImageAlt, QStringLiteral("Plain"));
    EXPECT_FALSE(HitAt(QStringLiteral("<IMG SRC=\"IDX:0\" ALT=\"Plain\">"), 30, 8));
    EXPECT_TRUE(result.ImageAlt.isEmpty());
}

TEST_F(HTMLHitTest, TextNextToATallImageIsHitOnlyInItsBand)
{
    TImageList images(nullptr, 16, 40);
    images.Add(FilledImage(16, 40, clRed));
    params.Images = &images;
    const QString text = QStringLiteral("<IMG SRC=\"IDX:0\"><A href=\"t\">text</A>");
    const int x = 1 + 16 + 3;
    EXPECT_FALSE(HitAt(text, x, 5));                    // above the text, beside the image
    EXPECT_TRUE(HitAt(text, x, 40 - LineHeight() / 2)); // text sits at the bottom
    // ALIGN="TOP" moves the text to the top of the line.
    const QString top = QStringLiteral("<IMG SRC=\"IDX:0\" ALIGN=\"TOP\"><A href=\"t\">text</A>");
    EXPECT_TRUE(HitAt(top, x, 5));
    EXPECT_FALSE(HitAt(top, x, 40 - LineHeight() / 2));
}
