#include "platform/strutils.h"

#include "platform/datetime.h"
#include "platform/exceptions.h"

bool TryStrToInt(const QString& text, int& value)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.startsWith(QLatin1Char('$'))) value = t.mid(1).toInt(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) value = t.mid(2).toInt(&ok, 16);
    else value = t.toInt(&ok, 10);
    return ok;
}

int StrToInt(const QString& text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int StrToIntDef(const QString& text, int defaultValue)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

bool TryStrToFloat(const QString& text, double& value)
{
    QString t = text.trimmed();
    const QChar dec = FormatSettings().DecimalSeparator;
    if (dec != QLatin1Char('.')) t.replace(dec, QLatin1Char('.'));
    bool ok = false;
    value = t.toDouble(&ok);
    return ok;
}

double StrToFloat(const QString& text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}
