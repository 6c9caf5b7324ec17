// The markup utilities on arbitrary text. Nothing may crash or hang, and the stated
// properties must hold: highlighting keeps the visible text and is undone by UnHiLight,
// UnHiLight leaves no tag of its kind, and a control value reads back as it was set.
#include "markup/controltag.h"
#include "markup/formcontrols.h"
#include "markup/highlight.h"
#include "markup/htmlstrip.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool condition)
{
    if (!condition) std::abort();
}

QString Text(FuzzedDataProvider& input, size_t maxLength)
{
    return QString::fromUtf8(input.ConsumeRandomLengthString(maxLength));
}

void CheckHighlight(const QString& markup, const QString& hiText, bool caseSensitive)
{
    const QString lit = HiLight(markup, hiText, QStringLiteral("HI"), caseSensitive);
    Require(StripTags(lit) == StripTags(markup));
    if (!markup.contains(QLatin1String("hi>"), Qt::CaseInsensitive))
        Require(UnHiLight(lit, QStringLiteral("HI")) == markup);
}

void CheckUnHiLight(const QString& markup, const QString& tag)
{
    const QString plain = UnHiLight(markup, tag);
    Require(!plain.contains(QLatin1Char('<') + tag + QLatin1Char('>'), Qt::CaseInsensitive));
    Require(!plain.contains(QLatin1String("</") + tag + QLatin1Char('>'), Qt::CaseInsensitive));
}

void CheckControls(QString markup, const QString& id, const QString& value)
{
    HTMLConvert(markup);
    QString before;
    const bool existed = GetControlValue(markup, id, before);
    const QString original = markup;
    const bool set = SetControlValue(markup, id, value);
    Require(set == existed);
    if (!set) {
        Require(markup == original);
        return;
    }
    QString after;
    Require(GetControlValue(markup, id, after));
    Require(after == value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool caseSensitive = input.ConsumeBool();
    const QString hiText = Text(input, 8);
    const QString tag = Text(input, 6);
    const QString id = Text(input, 6);
    const QString value = Text(input, 24);
    const QString markup = QString::fromUtf8(input.ConsumeRemainingBytesAsString());

    HTMLStrip(markup);
    ParseControlTag(markup);
    CheckHighlight(markup, hiText, caseSensitive);
    CheckUnHiLight(markup, tag);
    CheckControls(markup, id, value);
    return 0;
}
