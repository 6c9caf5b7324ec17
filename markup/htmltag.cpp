#include "markup/htmltag.h"

#include <array>

namespace {

struct TTagName
{
    QLatin1StringView Name;
    THTMLTagKind Kind;
};

constexpr std::array<TTagName, 23> TagNames{{
    {QLatin1StringView("A"), THTMLTagKind::A},
    {QLatin1StringView("B"), THTMLTagKind::B},
    {QLatin1StringView("BR"), THTMLTagKind::BR},
    {QLatin1StringView("BLINK"), THTMLTagKind::BLINK},
    {QLatin1StringView("BODY"), THTMLTagKind::BODY},
    {QLatin1StringView("CONTROL"), THTMLTagKind::CONTROL},
    {QLatin1StringView("E"), THTMLTagKind::E},
    {QLatin1StringView("FONT"), THTMLTagKind::FONT},
    {QLatin1StringView("HI"), THTMLTagKind::HI},
    {QLatin1StringView("HR"), THTMLTagKind::HR},
    {QLatin1StringView("I"), THTMLTagKind::I},
    {QLatin1StringView("IND"), THTMLTagKind::IND},
    {QLatin1StringView("IMG"), THTMLTagKind::IMG},
    {QLatin1StringView("LI"), THTMLTagKind::LI},
    {QLatin1StringView("P"), THTMLTagKind::P},
    {QLatin1StringView("R"), THTMLTagKind::R},
    {QLatin1StringView("S"), THTMLTagKind::S},
    {QLatin1StringView("SHAD"), THTMLTagKind::SHAD},
    {QLatin1StringView("SUB"), THTMLTagKind::SUB},
    {QLatin1StringView("SUP"), THTMLTagKind::SUP},
    {QLatin1StringView("U"), THTMLTagKind::U},
    {QLatin1StringView("UL"), THTMLTagKind::UL},
    {QLatin1StringView("Z"), THTMLTagKind::Z},
}};

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c.isSpace();
}

// Tag and attribute names are ASCII: compared without a locale, lengths first.
bool SameName(QStringView text, QLatin1StringView name)
{
    if (text.size() != name.size()) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char16_t upper = c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
        const char n = name[i].toLatin1();
        if (upper != static_cast<char16_t>(n >= 'a' && n <= 'z' ? n - ('a' - 'A') : n))
            return false;
    }
    return true;
}

THTMLTagKind KindOf(QStringView name)
{
    for (const TTagName& t : TagNames) {
        if (SameName(name, t.Name)) return t.Kind;
    }
    return THTMLTagKind::Unknown;
}

// One attribute of a tag; Value is empty when the attribute has none.
struct TAttribute
{
    QStringView Name;
    QStringView Value;
    bool Quoted = false;
};

// Reads the attribute starting at or after i and moves i past it. False at the end.
bool NextAttribute(QStringView text, qsizetype& i, TAttribute& attribute)
{
    const qsizetype n = text.size();
    while (i < n && (IsBlank(text[i]) || text[i] == u'/'))
        ++i;
    if (i >= n) return false;
    attribute = TAttribute();
    const qsizetype nameStart = i;
    while (i < n && !IsBlank(text[i]) && text[i] != u'=' && text[i] != u'"' && text[i] != u'\'')
        ++i;
    attribute.Name = text.mid(nameStart, i - nameStart);
    qsizetype j = i;
    while (j < n && IsBlank(text[j]))
        ++j;
    if (j < n && text[j] == u'=') {
        ++j;
        while (j < n && IsBlank(text[j]))
            ++j;
        if (j < n && (text[j] == u'"' || text[j] == u'\'')) {
            const QChar quote = text[j];
            qsizetype close = text.indexOf(quote, j + 1);
            if (close < 0) close = n;
            attribute.Value = text.mid(j + 1, close - j - 1);
            attribute.Quoted = true;
            i = close < n ? close + 1 : n;
        } else {
            const qsizetype valueStart = j;
            while (j < n && !IsBlank(text[j]))
                ++j;
            attribute.Value = text.mid(valueStart, j - valueStart);
            i = j;
        }
    } else if (i == nameStart) {
        // A stray quote: read it as a quoted value without a name.
        const QChar quote = text[i];
        qsizetype close = text.indexOf(quote, i + 1);
        if (close < 0) close = n;
        attribute.Value = text.mid(i + 1, close - i - 1);
        attribute.Quoted = true;
        i = close < n ? close + 1 : n;
    }
    return true;
}

int HexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9') return u - u'0';
    if (u >= u'a' && u <= u'f') return u - u'a' + 10;
    if (u >= u'A' && u <= u'F') return u - u'A' + 10;
    return -1;
}

TColor HexColor(QStringView digits)
{
    int value = 0;
    for (qsizetype i = 0; i < digits.size() && i < 6; ++i) {
        const int d = HexDigit(digits[i]);
        if (d < 0) break;
        value = value * 16 + d;
    }
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

struct TColorName
{
    QLatin1StringView Name;
    TColor Color;
};

constexpr std::array<TColorName, 16> PlainColors{{
    {QLatin1StringView("clred"), clRed},
    {QLatin1StringView("clblack"), clBlack},
    {QLatin1StringView("clblue"), clBlue},
    {QLatin1StringView("clgreen"), clGreen},
    {QLatin1StringView("claqua"), clAqua},
    {QLatin1StringView("clyellow"), clYellow},
    {QLatin1StringView("clfuchsia"), clFuchsia},
    {QLatin1StringView("clwhite"), clWhite},
    {QLatin1StringView("cllime"), clLime},
    {QLatin1StringView("clsilver"), clSilver},
    {QLatin1StringView("clgray"), clGray},
    {QLatin1StringView("clolive"), clOlive},
    {QLatin1StringView("clnavy"), clNavy},
    {QLatin1StringView("clpurple"), clPurple},
    {QLatin1StringView("clteal"), clTeal},
    {QLatin1StringView("clmaroon"), clMaroon},
}};

// System colours in the order of their indexes 1 to 24.
constexpr std::array<QLatin1StringView, 24> SystemColorNames{{
    QLatin1StringView("clbackground"),
    QLatin1StringView("clactivecaption"),
    QLatin1StringView("clinactivecaption"),
    QLatin1StringView("clmenu"),
    QLatin1StringView("clwindow"),
    QLatin1StringView("clwindowframe"),
    QLatin1StringView("clmenutext"),
    QLatin1StringView("clwindowtext"),
    QLatin1StringView("clcaptiontext"),
    QLatin1StringView("clactiveborder"),
    QLatin1StringView("clinactiveborder"),
    QLatin1StringView("clappworkspace"),
    QLatin1StringView("clhighlight"),
    QLatin1StringView("clhighlighttext"),
    QLatin1StringView("clbtnface"),
    QLatin1StringView("clbtnshadow"),
    QLatin1StringView("clgraytext"),
    QLatin1StringView("clbtntext"),
    QLatin1StringView("clinactivecaptiontext"),
    QLatin1StringView("clbtnhighlight"),
    QLatin1StringView("cl3ddkshadow"),
    QLatin1StringView("cl3dlight"),
    QLatin1StringView("clinfotext"),
    QLatin1StringView("clinfobk"),
}};

} // namespace

THTMLTag ReadTag(QStringView inner)
{
    THTMLTag tag;
    tag.Text = inner;
    qsizetype i = 0;
    if (i < inner.size() && inner[i] == u'/') {
        tag.Closing = true;
        ++i;
    }
    const qsizetype nameStart = i;
    while (i < inner.size() && !IsBlank(inner[i]) && inner[i] != u'/')
        ++i;
    tag.Kind = KindOf(inner.mid(nameStart, i - nameStart));
    tag.Attributes = inner.mid(i);
    return tag;
}

QStringView THTMLTag::Attribute(QLatin1StringView name) const
{
    QStringView value;
    FindAttribute(name, value);
    return value;
}

bool THTMLTag::HasAttribute(QLatin1StringView name) const
{
    QStringView value;
    return FindAttribute(name, value);
}

bool THTMLTag::FindAttribute(QLatin1StringView name, QStringView& value) const
{
    qsizetype i = 0;
    TAttribute attribute;
    while (NextAttribute(Attributes, i, attribute)) {
        if (SameName(attribute.Name, name)) {
            value = attribute.Value;
            return true;
        }
    }
    value = {};
    return false;
}

QStringView THTMLTag::FirstValue() const
{
    const qsizetype open = Text.indexOf(u'"');
    if (open >= 0) {
        qsizetype close = Text.indexOf(u'"', open + 1);
        if (close < 0) close = Text.size();
        return Text.mid(open + 1, close - open - 1);
    }
    qsizetype i = 0;
    TAttribute attribute;
    if (NextAttribute(Attributes, i, attribute)) return attribute.Value;
    return {};
}

int LeadingInt(QStringView text)
{
    constexpr long long Limit = 1000000000;
    qsizetype i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        if (value < Limit) value = value * 10 + (text[i].unicode() - u'0');
    }
    if (value > Limit) value = Limit;
    return static_cast<int>(negative ? -value : value);
}

TColor HTMLColorValue(QStringView value)
{
    value = value.trimmed();
    if (value.startsWith(u'#')) return HexColor(value.mid(1));
    for (const TColorName& c : PlainColors) {
        if (SameName(value, c.Name)) return c.Color;
    }
    for (size_t i = 0; i < SystemColorNames.size(); ++i) {
        if (SameName(value, SystemColorNames[i]))
            return SystemColorBase + static_cast<TColor>(i + 1);
    }
    return clBlack;
}
