#include "markup/formcontrols.h"

#include "markup/controltag.h"

namespace {

// One complete control tag in a markup text: [start, end) runs from its "<" through its ">".
struct ControlSpan
{
    qsizetype start = -1;
    qsizetype end = -1;
    bool Found() const { return start >= 0; }
};

// The next tag that starts with opening (any case) at or after from; a tag without a ">"
// is not a control and ends the search.
ControlSpan NextControl(const QString& markup, QLatin1StringView opening, qsizetype from)
{
    const qsizetype start = markup.indexOf(opening, from, Qt::CaseInsensitive);
    if (start < 0) return {};
    const qsizetype close = markup.indexOf(QLatin1Char('>'), start);
    if (close < 0) return {};
    return {start, close + 1};
}

TControlTag ParseSpan(const QString& markup, const ControlSpan& span)
{
    return ParseControlTag(QStringView(markup).mid(span.start, span.end - span.start));
}

// Attribute text for the exported HTML, where a browser shows it as written.
QString HtmlAttribute(const QString& text)
{
    return text.toHtmlEscaped();
}

QString InputElement(const TControlTag& control)
{
    if (control.Type == QLatin1String("EDIT")) {
        return QStringLiteral("<INPUT style=\"width:%1px;\" value=\"%2\">")
            .arg(HtmlAttribute(control.Width), HtmlAttribute(control.Value));
    }
    const QString checked = control.Checked() ? QStringLiteral(" CHECKED") : QString();
    if (control.Type == QLatin1String("CHECK"))
        return QStringLiteral("<INPUT type=\"CHECKBOX\"%1>").arg(checked);
    if (control.Type == QLatin1String("RADIO"))
        return QStringLiteral("<INPUT type=\"RADIO\"%1>").arg(checked);
    return {};
}

const QLatin1StringView AnyControl("<CONTROL");
// Reading and writing values wants the blank, so that "<CONTROLS>" is not a control.
const QLatin1StringView ControlWithAttributes("<CONTROL ");

ControlSpan FindControlWithId(const QString& markup, const QString& id, TControlTag& control)
{
    for (ControlSpan span = NextControl(markup, ControlWithAttributes, 0); span.Found();
         span = NextControl(markup, ControlWithAttributes, span.end)) {
        control = ParseSpan(markup, span);
        if (control.ID == id) return span;
    }
    return {};
}

} // namespace

QString HTMLConvert(const QString& markup)
{
    QString html;
    html.reserve(markup.size());
    qsizetype copied = 0;
    for (ControlSpan span = NextControl(markup, AnyControl, 0); span.Found();
         span = NextControl(markup, AnyControl, span.end)) {
        html += QStringView(markup).mid(copied, span.start - copied);
        html += InputElement(ParseSpan(markup, span));
        copied = span.end;
    }
    html += QStringView(markup).mid(copied);
    return html;
}

bool GetControlValue(const QString& markup, const QString& id, QString& value)
{
    TControlTag control;
    if (!FindControlWithId(markup, id, control).Found()) return false;
    value = control.Value;
    return true;
}

bool SetControlValue(QString& markup, const QString& id, const QString& newValue)
{
    TControlTag control;
    const ControlSpan span = FindControlWithId(markup, id, control);
    if (!span.Found()) return false;
    control.Value = newValue;
    // Everything after the "<" is rewritten; the "<" itself stays.
    markup.replace(span.start + 1, span.end - span.start - 1, ComposeControlTag(control));
    return true;
}
