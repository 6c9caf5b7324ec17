// Text preparation and tag reading of the markup renderer, without drawing.
#include "markup/htmltag.h"
#include "markup/htmltext.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

namespace {

struct TextCase
{
    QString Input;
    QString Expected;
};

} // namespace

TEST(HTMLTextPreparation, EntitiesFieldMarkersAndLineEnds)
{
    const std::vector<TextCase> cases{
        {QStringLiteral("a &amp; b"), QStringLiteral("a && b")},
        {QStringLiteral("&quot;x&quot;"), QStringLiteral("\"x\"")},
        {QStringLiteral("&sect;&permil;&reg;&copy;&para;&trade;&euro;"),
         QString::fromUtf8("\u00A7\u2030\u00AE\u00A9\u00B6\u2122\u20AC")},
        // Any letter case, every occurrence.
        {QStringLiteral("&COPY; &Copy; &copy;"), QString::fromUtf8("\u00A9 \u00A9 \u00A9")},
        // Unknown entities and a lone ampersand stay as written.
        {QStringLiteral("&bogus; & &x"), QStringLiteral("&bogus; & &x")},
        // Replacing repeats: the second "&" of "&&" can start another entity.
        {QStringLiteral("&amp;quot;"), QStringLiteral("&\"")},
        {QStringLiteral("&amp;amp;amp;"), QStringLiteral("&&&&")},
        {QStringLiteral("&amp;euro;"), QString::fromUtf8("&\u20AC")},
        // The first field marker loses its brackets, the second stays a tag; a marker
        // without ">" loses its "<" only.
        {QStringLiteral("Venue: <#VENUE>!"), QStringLiteral("Venue: #VENUE!")},
        {QStringLiteral("<#a> <#b>"), QStringLiteral("#a <#b>")},
        {QStringLiteral("x <#open"), QStringLiteral("x #open")},
        // Line ends become breaks.
        {QStringLiteral("a\r\nb\rc\nd"), QStringLiteral("a<BR>b<BR>c<BR>d")},
        {QStringLiteral("\r\n\r\n"), QStringLiteral("<BR><BR>")},
        {QStringLiteral("no breaks"), QStringLiteral("no breaks")},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(PrepareHTMLText(c.Input), c.Expected) << c.Input.toStdString();
}

TEST(HTMLTextPreparation, RunEntitiesNeverStartTags)
{
    EXPECT_TRUE(HasRunEntity(u"a&lt;b"));
    EXPECT_FALSE(HasRunEntity(u"plain"));
    EXPECT_EQ(ReplaceRunEntities(u"&lt;B&gt;&nbsp;x"), QStringLiteral("<B> x"));
    EXPECT_EQ(ReplaceRunEntities(u"&LT;&Nbsp;&amp;"), QStringLiteral("< &amp;"));
    EXPECT_EQ(ReplaceRunEntities(u"&lt"), QStringLiteral("&lt"));
    EXPECT_EQ(UndoubleAmpersands(u"a?x=1&&y=2"), QStringLiteral("a?x=1&y=2"));
}

TEST(HTMLTagReader, NamesAndClosingTags)
{
    struct Case
    {
        QString Inner;
        THTMLTagKind Kind;
        bool Closing;
    };
    const std::vector<Case> cases{
        {QStringLiteral("b"), THTMLTagKind::B, false},
        {QStringLiteral("/B"), THTMLTagKind::B, true},
        {QStringLiteral("BR"), THTMLTagKind::BR, false},
        {QStringLiteral("br/"), THTMLTagKind::BR, false},
        {QStringLiteral("BLINK"), THTMLTagKind::BLINK, false},
        {QStringLiteral("body bgcolor=\"clRed\""), THTMLTagKind::BODY, false},
        {QStringLiteral("Shad"), THTMLTagKind::SHAD, false},
        {QStringLiteral("/sup"), THTMLTagKind::SUP, true},
        {QStringLiteral("SUB"), THTMLTagKind::SUB, false},
        {QStringLiteral("IND x=\"4\""), THTMLTagKind::IND, false},
        {QStringLiteral("IMG SRC=\"a\""), THTMLTagKind::IMG, false},
        {QStringLiteral("/ul"), THTMLTagKind::UL, true},
        {QStringLiteral("STRONG"), THTMLTagKind::Unknown, false},
        {QStringLiteral("BOLD"), THTMLTagKind::Unknown, false},
        {QString(), THTMLTagKind::Unknown, false},
        {QStringLiteral("/"), THTMLTagKind::Unknown, true},
    };
    for (const Case& c : cases) {
        const THTMLTag tag = ReadTag(c.Inner);
        EXPECT_EQ(tag.Kind, c.Kind) << c.Inner.toStdString();
        EXPECT_EQ(tag.Closing, c.Closing) << c.Inner.toStdString();
    }
}

TEST(HTMLTagReader, AttributesQuotedUnquotedAndMissing)
{
    const QString inner =
        QStringLiteral("FONT bgcolor=\"#FF0000\" COLOR = 'clBlue' SIZE=3 face=\"DejaVu Sans\"");
    const THTMLTag tag = ReadTag(inner);
    EXPECT_EQ(tag.Attribute(QLatin1StringView("BGCOLOR")), u"#FF0000");
    // " COLOR" is not found inside "BGCOLOR".
    EXPECT_EQ(tag.Attribute(QLatin1StringView("color")), u"clBlue");
    EXPECT_EQ(tag.Attribute(QLatin1StringView("SIZE")), u"3");
    EXPECT_EQ(tag.Attribute(QLatin1StringView("FACE")), u"DejaVu Sans");
    EXPECT_TRUE(tag.Attribute(QLatin1StringView("ALIGN")).isEmpty());
    EXPECT_FALSE(tag.HasAttribute(QLatin1StringView("ALIGN")));
    EXPECT_TRUE(tag.HasAttribute(QLatin1StringView("size")));

    // A value that never closes runs to the end of the tag.
    EXPECT_EQ(ReadTag(u"IMG SRC=\"abc").Attribute(QLatin1StringView("SRC")), u"abc");
    // Names inside quoted values are not attributes.
    const THTMLTag tricky = ReadTag(u"A title=\"WIDTH=9\" WIDTH=\"3\"");
    EXPECT_EQ(tricky.Attribute(QLatin1StringView("WIDTH")), u"3");
}

TEST(HTMLTagReader, LinkValueIsTheFirstQuotedText)
{
    EXPECT_EQ(ReadTag(u"A href=\"mailto:x@y\"").FirstValue(), u"mailto:x@y");
    EXPECT_EQ(ReadTag(u"A \"first\" b=\"second\"").FirstValue(), u"first");
    EXPECT_EQ(ReadTag(u"A href=plain").FirstValue(), u"plain");
    EXPECT_TRUE(ReadTag(u"A").FirstValue().isEmpty());
}

TEST(HTMLTagReader, NumbersParseAsFarAsTheirDigits)
{
    EXPECT_EQ(LeadingInt(u"42px"), 42);
    EXPECT_EQ(LeadingInt(u" -5"), -5);
    EXPECT_EQ(LeadingInt(u"+7"), 7);
    EXPECT_EQ(LeadingInt(u"px"), 0);
    EXPECT_EQ(LeadingInt(u""), 0);
    EXPECT_EQ(LeadingInt(u"99999999999999999999"), 1000000000);
    EXPECT_EQ(LeadingInt(u"-99999999999999999999"), -1000000000);
}

TEST(HTMLTagReader, ColourValues)
{
    EXPECT_EQ(HTMLColorValue(u"#FF0000"), RGB(255, 0, 0));
    EXPECT_EQ(HTMLColorValue(u"#00ff80"), RGB(0, 255, 128));
    EXPECT_EQ(HTMLColorValue(u"#123456"), 0x563412u); // stored as 0x00BBGGRR
    EXPECT_EQ(HTMLColorValue(u"clRed"), clRed);
    EXPECT_EQ(HTMLColorValue(u"CLNAVY"), clNavy);
    EXPECT_EQ(HTMLColorValue(u"clMaroon"), clMaroon);
    EXPECT_EQ(HTMLColorValue(u"clBackground"), clBackground);
    EXPECT_EQ(HTMLColorValue(u"clbtnface"), clBtnFace);
    EXPECT_EQ(HTMLColorValue(u"clInfoBk"), clInfoBk);
    EXPECT_EQ(HTMLColorValue(u"cl3DDkShadow"), cl3DDkShadow);
    // Unknown names are black; broken hex reads as far as its digits go.
    EXPECT_EQ(HTMLColorValue(u"red"), clBlack);
    EXPECT_EQ(HTMLColorValue(u""), clBlack);
    EXPECT_EQ(HTMLColorValue(u"#FFxx"), RGB(0, 0, 0xFF));
}
