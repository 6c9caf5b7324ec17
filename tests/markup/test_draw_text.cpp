#include "markup/htmlstrip.h"
#include "markup/textflags.h"

#include "platform/canvas.h"

#include <gtest/gtest.h>

#include <QImage>

#include <vector>

namespace {

struct TextCase
{
    QString Input;
    QString Expected;
};

} // namespace

TEST(TextFlags, AlignmentsMapToDrawTextFlagsThatPlaceTheText)
{
    EXPECT_EQ(AlignToFlag(taLeftJustify), 0);
    EXPECT_EQ(AlignToFlag(taRightJustify), 2);
    EXPECT_EQ(AlignToFlag(taCenter), 1);
    EXPECT_EQ(VAlignToFlag(vtaCenter), 4);
    EXPECT_EQ(VAlignToFlag(vtaTop), 0);
    EXPECT_EQ(VAlignToFlag(vtaBottom), 8);

    // A right-aligned, bottom-aligned line ends at the rectangle's right and bottom edges.
    SetTextAntialiasing(false);
    QImage image(60, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        TCanvas canvas(&image);
        canvas.Font().SetName(QStringLiteral("DejaVu Sans"));
        canvas.Font().SetColor(clBlack);
        canvas.Brush().SetStyle(bsClear);
        TRect r(0, 0, 60, 30);
        canvas.DrawText(QStringLiteral("ll"), r,
                        AlignToFlag(taRightJustify) | VAlignToFlag(vtaBottom) | DT_SINGLELINE);
    }
    SetTextAntialiasing(true);
    int right = -1, top = 30;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x)
            if (image.pixelColor(x, y) == Qt::black) {
                right = std::max(right, x);
                top = std::min(top, y);
            }
    EXPECT_GT(right, 50);
    EXPECT_GT(top, 10);
}

TEST(LFToCLF, CarriageReturnsBecomeBackslashNAndLineFeedsGo)
{
    const std::vector<TextCase> cases = {
        {QString(), QString()},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\\nb")},
        {QStringLiteral("a\nb"), QStringLiteral("ab")},
        {QStringLiteral("\r\r"), QStringLiteral("\\n\\n")},
        {QStringLiteral("\n\rx"), QStringLiteral("\\nx")},
        {QStringLiteral("a\\nb"), QStringLiteral("a\\nb")}, // an existing "\n" stays as it is
        {QStringLiteral("caf\u00e9\r\n\u00fcber"), QStringLiteral("caf\u00e9\\n\u00fcber")},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(LFToCLF(c.Input), c.Expected) << c.Input.toStdString();
}

TEST(HTMLStrip, TagsGoLineBreaksBecomeCRLFAndAnUnclosedTagStays)
{
    const std::vector<TextCase> cases = {
        {QStringLiteral("a<b>b</b><BR>c"), QStringLiteral("ab\r\nc")},
        {QString(), QString()},
        {QStringLiteral("<br>x<Br>y<hR>"), QStringLiteral("\r\nx\r\ny\r\n")},
        {QStringLiteral("<FONT color=\"clRed\">red</FONT> text"), QStringLiteral("red text")},
        // Only the exact tags break lines; others with attributes or a slash just go.
        {QStringLiteral("a<br/>b<BR >c<HR width=1>d"), QStringLiteral("abcd")},
        // Entities are not decoded, line breaks already in the text stay.
        {QStringLiteral("&lt;b&gt;\r\nx"), QStringLiteral("&lt;b&gt;\r\nx")},
        // A stray ">" is text.
        {QStringLiteral("a>b<i>c</i>"), QStringLiteral("a>bc")},
        // A tag runs to the first ">" after its "<".
        {QStringLiteral("<<b>>x"), QStringLiteral(">x")},
        {QStringLiteral("a<b c>d>e"), QStringLiteral("ad>e")},
        // An unclosed tag ends the scan and the rest stays.
        {QStringLiteral("a < b"), QStringLiteral("a < b")},
        {QStringLiteral("<"), QStringLiteral("<")},
        {QStringLiteral("x<i>y<z"), QStringLiteral("xy<z")},
        {QStringLiteral("x<i>y<z<b>"), QStringLiteral("xy")}, // "<z<b>" is one tag
        {QStringLiteral("x<i>y<z <b"), QStringLiteral("xy<z <b")},
        {QStringLiteral("<BR"), QStringLiteral("<BR")},
        {QStringLiteral("a<BR>b<"), QStringLiteral("a\r\nb<")},
        {QStringLiteral("1 < 2 and <b>3</b>"), QStringLiteral("1 3")},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(HTMLStrip(c.Input), c.Expected) << c.Input.toStdString();
}
