#include "markup/controltag.h"

#include <array>

namespace {

constexpr QChar Quote = QLatin1Char('"');

// Index just past the first occurrence of name (any case) outside quoted text, or -1.
qsizetype FindAttributeName(QStringView tag, QLatin1StringView name)
{
    bool quoted = false;
    for (qsizetype i = 0; i < tag.size(); ++i) {
        if (tag[i] == Quote) {
            quoted = !quoted;
            continue;
        }
        if (!quoted && tag.mid(i).startsWith(name, Qt::CaseInsensitive)) return i + name.size();
    }
    return -1;
}

// The text between the first pair of double quotes after the attribute's name.
QStringView AttributeValue(QStringView tag, QLatin1StringView name)
{
    const qsizetype afterName = FindAttributeName(tag, name);
    if (afterName < 0) return {};
    const qsizetype open = tag.indexOf(Quote, afterName);
    if (open < 0) return {};
    const qsizetype close = tag.indexOf(Quote, open + 1);
    if (close < 0) return {};
    return tag.mid(open + 1, close - open - 1);
}

struct Escape
{
    QChar plain;
    QLatin1StringView escaped;
};

// "&" comes first so that escaping never sees its own output.
constexpr std::array<Escape, 4> Escapes{{
    {QLatin1Char('&'), QLatin1StringView("&#38;")},
    {QLatin1Char('<'), QLatin1StringView("&lt;")},
    {QLatin1Char('>'), QLatin1StringView("&gt;")},
    {QLatin1Char('"'), QLatin1StringView("&#34;")},
}};

} // namespace

int TControlTag::WidthPixels() const
{
    int pixels = 0;
    for (const QChar c : Width) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
        if (pixels > 100000) break; // absurd widths stop growing rather than overflow
        pixels = pixels * 10 + (c.unicode() - '0');
    }
    return pixels;
}

bool TControlTag::Checked() const
{
    return Value.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
}

TControlTag ParseControlTag(QStringView tag)
{
    TControlTag control;
    control.ID = AttributeValue(tag, QLatin1StringView("ID=")).toString();
    control.Type = AttributeValue(tag, QLatin1StringView("TYPE=")).toString().toUpper();
    control.Width = AttributeValue(tag, QLatin1StringView("WIDTH=")).toString();
    control.Value = UnescapeControlValue(AttributeValue(tag, QLatin1StringView("VALUE=")));
    return control;
}

QString ComposeControlTag(const TControlTag& control)
{
    return QStringLiteral("CONTROL ID=\"%1\" VALUE=\"%2\" WIDTH=\"%3\" TYPE=\"%4\">")
        .arg(control.ID, EscapeControlValue(control.Value), control.Width, control.Type.toUpper());
}

QString EscapeControlValue(const QString& value)
{
    QString escaped;
    escaped.reserve(value.size());
    for (const QChar c : value) {
        bool replaced = false;
        for (const Escape& e : Escapes) {
            if (c == e.plain) {
                escaped += e.escaped;
                replaced = true;
                break;
            }
        }
        if (!replaced) escaped += c;
    }
    return escaped;
}

QString UnescapeControlValue(QStringView value)
{
    // One pass from left to right, so "&#38;lt;" reads as "&lt;" and not as "<".
    QString plain;
    plain.reserve(value.size());
    for (qsizetype i = 0; i < value.size();) {
        bool replaced = false;
        if (value[i] == QLatin1Char('&')) {
            for (const Escape& e : Escapes) {
                if (value.mid(i).startsWith(e.escaped)) {
                    plain += e.plain;
                    i += e.escaped.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced) plain += value[i++];
    }
    return plain;
}
