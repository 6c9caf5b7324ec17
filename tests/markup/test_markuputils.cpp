// Markup utilities: form control tags, HTML conversion, highlighting, control values and
// bitmap printing.
#include "markup/controltag.h"
#include "markup/formcontrols.h"
#include "markup/highlight.h"
#include "markup/htmlstrip.h"
#include "markup/printbitmap.h"

#include "platform/bitmap.h"
#include "platform/canvas.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

namespace {

const QString Q(const char* text)
{
    return QString::fromUtf8(text);
}

// ---------------------------------------------------------------------------
// Control tags

TEST(ControlTag, ReadsAttributesInAnyOrderAndCaseAndMalformedOnesEmpty)
{
    const TControlTag c =
        ParseControlTag(Q(R"(<control value="Hello" Type="edit" width="80" iD="name">)"));
    EXPECT_EQ(c.ID, "name");
    EXPECT_EQ(c.Type, "EDIT");
    EXPECT_EQ(c.WidthPixels(), 80);
    EXPECT_EQ(c.Value, "Hello");
    // Names inside values do not count.
    const TControlTag quoted = ParseControlTag(
        Q(R"(<CONTROL ID="f" VALUE="type=&#34;RADIO&#34; width=9" WIDTH="40" TYPE="EDIT">)"));
    EXPECT_EQ(quoted.Type, "EDIT");
    EXPECT_EQ(quoted.Width, "40");
    EXPECT_EQ(quoted.Value, Q(R"(type="RADIO" width=9)"));

    const struct
    {
        const char *tag, *id, *type;
    } cases[] = {
        {"<CONTROL>", "", ""},
        {"<CONTROL ID=\"a\"", "a", ""},                      // no ">"
        {"<CONTROL ID=\"unclosed>", "", ""},                 // one quote only
        {"<CONTROL ID=x TYPE=\"check\">", "check", "CHECK"}, // first quotes after ID=
        {"<CONTROL VALUE=\"\" ID=\"\">", "", ""},
    };
    for (const auto& c : cases) {
        const TControlTag tag = ParseControlTag(Q(c.tag));
        EXPECT_EQ(tag.ID, Q(c.id)) << c.tag;
        EXPECT_EQ(tag.Type, Q(c.type)) << c.tag;
        EXPECT_EQ(tag.Value, QString()) << c.tag;
    }
}

TEST(ControlTag, WidthPixelsTakesLeadingDigits)
{
    const std::pair<const char*, int> cases[] = {{"120", 120}, {"64px", 64}, {"", 0},
                                                 {"px", 0},    {"-5", 0},    {"0", 0}};
    for (const auto& [width, pixels] : cases) {
        TControlTag c;
        c.Width = Q(width);
        EXPECT_EQ(c.WidthPixels(), pixels) << width;
    }
    // An absurd width stops growing instead of overflowing.
    TControlTag huge;
    huge.Width = QString(40, QLatin1Char('9'));
    EXPECT_GT(huge.WidthPixels(), 100000);
    EXPECT_LT(huge.WidthPixels(), 10000000);
}

TEST(ControlTag, EscapingRoundTripsEveryValueAndComposeWritesTheFourAttributes)
{
    const char* values[] = {"plain",    "<b>", "a > b", R"(say "hi")",     "&lt;",
                            "&#38;lt;", "&",   "",      "ünïcödé &amp; <>"};
    for (const char* v : values) {
        const QString value = Q(v);
        const QString escaped = EscapeControlValue(value);
        EXPECT_FALSE(escaped.contains('<') || escaped.contains('>') || escaped.contains('"')) << v;
        EXPECT_EQ(UnescapeControlValue(escaped), value) << v;
    }
    EXPECT_EQ(UnescapeControlValue(u"&lt;x&gt;"), "<x>");

    TControlTag c;
    c.ID = "n";
    c.Type = "check";
    c.Width = "20";
    c.Value = "a<b";
    EXPECT_EQ(ComposeControlTag(c), Q(R"(CONTROL ID="n" VALUE="a&lt;b" WIDTH="20" TYPE="CHECK">)"));
}

// ---------------------------------------------------------------------------
// HTMLConvert

TEST(HTMLConvert, TurnsControlsIntoInputElements)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"(a<CONTROL ID="e" TYPE="EDIT" WIDTH="80" VALUE="x">b)",
         R"(a<INPUT style="width:80px;" value="x">b)"},
        {R"(<control type="check" value="true">)", R"(<INPUT type="CHECKBOX" CHECKED>)"},
        {R"(<CONTROL TYPE="CHECK" VALUE="no">)", R"(<INPUT type="CHECKBOX">)"},
        {R"(<CONTROL TYPE="RADIO" VALUE="TRUE">)", R"(<INPUT type="RADIO" CHECKED>)"},
        {R"(x<CONTROL TYPE="COMBO" VALUE="a">y)", "xy"},
        {R"(x<CONTROL TYPE="BUTTON" VALUE="Go">y)", "xy"},
        {"no controls <b>here</b>", "no controls <b>here</b>"},
        {R"(<CONTROL TYPE="RADIO">then<CONTROL TYPE="EDIT" VALUE="v" unclosed)",
         R"(<INPUT type="RADIO">then<CONTROL TYPE="EDIT" VALUE="v" unclosed)"},
        // The browser shows exactly the control's value.
        {R"(<CONTROL TYPE="EDIT" WIDTH="5" VALUE="&lt;a&gt; &#34;q&#34; &#38;">)",
         R"(<INPUT style="width:5px;" value="&lt;a&gt; &quot;q&quot; &amp;">)"},
    };
    for (const auto& [markup, html] : cases)
        EXPECT_EQ(HTMLConvert(Q(markup)), Q(html)) << markup;
}

// ---------------------------------------------------------------------------
// HiLight and UnHiLight

struct HiLightCase
{
    const char* markup;
    const char* hiText;
    bool caseSensitive;
    const char* expected;
};

TEST(HiLight, WrapsVisibleMatches)
{
    const HiLightCase cases[] = {
        // across a bold tag: the closing tag lands before the next visible character
        {"a<B>b</B>c", "ab", false, "<HI>a<B>b</B></HI>c"},
        {"abc", "AB", false, "<HI>ab</HI>c"},
        {"abc", "AB", true, "abc"},
        {"abc", "ab", true, "<HI>ab</HI>c"},
        // adjacent occurrences are both found; occurrences do not overlap
        {"abab", "ab", false, "<HI>ab</HI><HI>ab</HI>"},
        {"aaa", "aa", false, "<HI>aa</HI>a"},
        // a match at the very end closes after the trailing tags
        {"x<B>ab</B>", "ab", false, "x<B><HI>ab</B></HI>"},
        // text inside tags is not searched
        {"<FONT color=\"red\">red</FONT>", "color", false, "<FONT color=\"red\">red</FONT>"},
        // an unclosed "<" shows the rest as written: a tag after it would close it
        {"a<b", "<b", false, "a<b"},
        {"a<b", "a", false, "<HI>a</HI><b"},
        {"<I>gig</I> <b gig", "gig", false, "<I><HI>gig</I></HI> <b gig"},
        {"x<B>y", "xy", false, "<HI>x<B>y</HI>"},
        {"abc", "", false, "abc"},
        {"", "a", false, ""},
        {"Ärger und ärger", "ÄRGER", false, "<HI>Ärger</HI> und <HI>ärger</HI>"},
    };
    for (const HiLightCase& c : cases) {
        EXPECT_EQ(HiLight(Q(c.markup), Q(c.hiText), "HI", c.caseSensitive), Q(c.expected))
            << c.markup << " / " << c.hiText;
    }
    EXPECT_EQ(HiLight("one two", "two", "B", true), "one <B>two</B>");
}

TEST(HiLight, KeepsVisibleTextAndUnHiLightRestoresTheMarkup)
{
    const char* texts[] = {"a<B>b</B>c", "<I>x</I>abab<BR>ab",   "a<b", "plain ab text", "<<>ab>",
                           "ab<",        "<A href=\"ab\">ab</A>"};
    for (const char* t : texts) {
        const QString markup = Q(t);
        const QString lit = HiLight(markup, "ab", "HI", false);
        EXPECT_EQ(StripTags(lit), StripTags(markup)) << t;
        EXPECT_EQ(UnHiLight(lit, "hi"), markup) << t;
    }
}

TEST(UnHiLight, RemovesTagsInAnyCase)
{
    const std::pair<const char*, const char*> cases[] = {
        {"<HI>a<b>b</b></HI>c", "a<b>b</b>c"}, {"<hi>x</Hi> <hI>y</HI>", "x y"},
        {"<<HI>HI>x<</HI>/HI>", "x"}, // a removal that joins a new tag removes that too
        {"<HIGH>x</HIGH>", "<HIGH>x</HIGH>"},  {"", ""},
    };
    for (const auto& [markup, expected] : cases)
        EXPECT_EQ(UnHiLight(Q(markup), "HI"), Q(expected));
}

// ---------------------------------------------------------------------------
// Control values

const char* const Form = R"(Name: <CONTROL ID="name" TYPE="EDIT" WIDTH="60" VALUE="Ann">)"
                         R"( OK <CONTROL ID="ok" TYPE="check" VALUE="TRUE" EXTRA="1">)";

TEST(ControlValues, GetFindsTheExactIDAndDecodesAngleBrackets)
{
    QString value = "untouched";
    EXPECT_TRUE(GetControlValue(Q(Form), "ok", value));
    EXPECT_EQ(value, "TRUE");
    ASSERT_TRUE(GetControlValue(Q(R"(<CONTROL ID="v" VALUE="&lt;b&gt;">)"), "v", value));
    EXPECT_EQ(value, "<b>");

    value = "untouched";
    EXPECT_FALSE(GetControlValue(Q(Form), "Name", value)); // letter case counts
    EXPECT_FALSE(GetControlValue(Q(Form), "missing", value));
    EXPECT_FALSE(GetControlValue(Q(R"(<CONTROLS ID="name" VALUE="x">)"), "name", value));
    EXPECT_FALSE(GetControlValue(Q(R"(<CONTROL ID="name" VALUE="x")"), "name", value));
    EXPECT_EQ(value, "untouched");
}

TEST(ControlValues, SetRewritesOnlyTheFirstMatchingControl)
{
    QString markup = Q(Form);
    ASSERT_TRUE(SetControlValue(markup, "ok", "FALSE"));
    EXPECT_EQ(markup, Q(R"(Name: <CONTROL ID="name" TYPE="EDIT" WIDTH="60" VALUE="Ann">)"
                        R"( OK <CONTROL ID="ok" VALUE="FALSE" WIDTH="" TYPE="CHECK">)"));

    QString unchanged = Q(Form);
    EXPECT_FALSE(SetControlValue(unchanged, "OK", "x"));
    EXPECT_EQ(unchanged, Q(Form));

    QString twice = Q(R"(<CONTROL ID="d" VALUE="1">|<CONTROL ID="d" VALUE="2">)");
    ASSERT_TRUE(SetControlValue(twice, "d", "3"));
    EXPECT_EQ(twice,
              Q(R"(<CONTROL ID="d" VALUE="3" WIDTH="" TYPE="">|<CONTROL ID="d" VALUE="2">)"));
}

TEST(ControlValues, RoundTripAnyValue)
{
    const char* values[] = {"<",
                            "a<b>c",
                            "x > y",
                            R"(he said "no")",
                            "&lt;literal&gt;",
                            R"(type="RADIO" width="1")",
                            "",
                            "tab\tand\nline"};
    for (const char* v : values) {
        QString markup = Q(Form);
        ASSERT_TRUE(SetControlValue(markup, "name", Q(v))) << v;
        QString read;
        ASSERT_TRUE(GetControlValue(markup, "name", read)) << v;
        EXPECT_EQ(read, Q(v));
        // The rest of the markup and the control's other attributes are untouched.
        const qsizetype start = markup.indexOf("<CONTROL");
        const TControlTag control =
            ParseControlTag(QStringView(markup).mid(start, markup.indexOf('>', start) - start + 1));
        EXPECT_EQ(control.Type, "EDIT") << v;
        EXPECT_EQ(control.Width, "60") << v;
        EXPECT_TRUE(markup.startsWith("Name: ")) << v;
        EXPECT_TRUE(markup.contains(R"(<CONTROL ID="ok" TYPE="check")")) << v;
    }
    QString markup = Q(Form);
    SetControlValue(markup, "name", "<");
    EXPECT_TRUE(markup.contains(R"(VALUE="&lt;")"));
}

// ---------------------------------------------------------------------------
// PrintBitmap

QImage Checker()
{
    // Four columns, two rows of distinct colours.
    QImage image(4, 2, QImage::Format_RGB32);
    const QRgb colours[2][4] = {
        {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(9, 9, 9)},
        {qRgb(255, 255, 0), qRgb(0, 255, 255), qRgb(255, 0, 255), qRgb(128, 128, 128)}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, colours[y][x]);
    return image;
}

TEST(PrintBitmap, ScalesIntoTheRectangle)
{
    QImage target(40, 30, QImage::Format_RGB32);
    target.fill(Qt::white);
    const QImage source = Checker();
    {
        TCanvas canvas(&target);
        PrintBitmap(canvas, TRect(10, 10, 30, 20), source); // 5 x 5 pixels per source pixel
    }
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 10 && y < 20;
            const QRgb expected =
                inside ? source.pixel((x - 10) / 5, (y - 10) / 5) : qRgb(255, 255, 255);
            ASSERT_EQ(target.pixel(x, y), expected) << x << "," << y;
        }
    }
}

TEST(PrintBitmap, CopiesTransparentBitmapsPlainlyAndEmptyInputsDrawNothing)
{
    TBitmap bitmap(Checker());
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(RGB(255, 0, 0));
    QImage target(20, 10, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        TCanvas canvas(&target);
        PrintBitmap(canvas, TRect(0, 0, 8, 4), bitmap);
        PrintBitmap(canvas, TRect(12, 2, 12, 9), Checker());
        PrintBitmap(canvas, TRect(18, 8, 12, 2), Checker());
        PrintBitmap(canvas, TRect(10, 0, 20, 10), TBitmap());
    }
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(7, 3), qRgb(128, 128, 128));
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            ASSERT_EQ(target.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
}

TEST(PrintBitmap, PrintsIntoAPdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("print.pdf");
    {
        QPdfWriter writer(path);
        writer.setResolution(300);
        TCanvas canvas(&writer);
        EXPECT_EQ(canvas.PixelsPerInchX(), 300);
        QImage large(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                large.setPixel(x, y, qRgb(x * 4, y * 4, (x ^ y) * 4));
        // One inch square at 300 dpi.
        PrintBitmap(canvas, TRect(300, 300, 600, 600), large);
    }
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF-"));
    EXPECT_TRUE(bytes.contains("/Subtype /Image"));
    EXPECT_TRUE(bytes.contains("/Width 64"));
    EXPECT_GT(bytes.size(), 1500);
}

} // namespace
