#include "platform/field.h"

#include "platform/dataset.h"
#include "platform/exceptions.h"
#include "platform/numeric.h"
#include "platform/strutils.h"

namespace {

int DefaultDisplayWidth(const TFieldDef& def)
{
    switch (def.DataType) {
    case ftString:
        return def.Size > 0 ? def.Size : 20;
    case ftBoolean:
        return 5;
    case ftTime:
        return 8;
    case ftDateTime:
        return 18;
    default:
        return 10;
    }
}

// Characters as a user counts them: a pair of surrogates is one character.
int CharacterCount(const QString& text)
{
    int count = 0;
    for (QChar c : text) {
        if (!c.isLowSurrogate()) ++count;
    }
    return count;
}

QString FloatToText(double value)
{
    QString text = QString::number(value, 'g', 15);
    const QChar separator = FormatSettings().DecimalSeparator;
    if (separator != QLatin1Char('.')) text.replace(QLatin1Char('.'), separator);
    return text;
}

bool TextToBoolean(const QString& text, bool& value)
{
    const QString t = text.trimmed().toLower();
    if (t == QLatin1String("true") || t == QLatin1String("yes") || t == QLatin1String("1")) {
        value = true;
        return true;
    }
    if (t == QLatin1String("false") || t == QLatin1String("no") || t == QLatin1String("0")) {
        value = false;
        return true;
    }
    return false;
}

bool IsDateKind(TFieldType type)
{
    return type == ftDate || type == ftTime || type == ftDateTime;
}

// Values are nearly always held in the field's own form; reading them directly skips
// QVariant's general conversion, which dominates the cost of walking a large table.
double NumberOf(const QVariant& value)
{
    if (value.typeId() == QMetaType::Double) return *static_cast<const double*>(value.constData());
    return value.toDouble();
}

QString TextOfValue(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString*>(value.constData());
    return value.toString();
}

} // namespace

TField::TField(TDataSet* dataSet, const TFieldDef& def, int index)
    : m_dataSet(dataSet), m_def(def), m_index(index), m_readOnly(def.DataType == ftAutoInc),
      m_displayWidth(DefaultDisplayWidth(def))
{
}

const QVariant& TField::Value() const
{
    return m_dataSet->CurrentFieldValue(m_index);
}

void TField::Store(const QVariant& value)
{
    if (m_def.DataType == ftString && m_def.Size > 0 && value.isValid()) {
        const int length = CharacterCount(value.toString());
        if (length > m_def.Size)
            throw EDatabaseError(QStringLiteral("Value too long for field '%1': %2 characters "
                                                "given, at most %3 allowed")
                                     .arg(FieldName())
                                     .arg(length)
                                     .arg(m_def.Size));
    }
    m_dataSet->SetFieldValue(*this, value);
    if (OnChange) OnChange(this);
}

void TField::RaiseConversion(const char* what) const
{
    throw EConvertError(QStringLiteral("Field '%1' of type %2 cannot hold %3")
                            .arg(FieldName(), FieldTypeName(DataType()), QLatin1String(what)));
}

QVariant TField::FromText(const QString& text) const
{
    if (DataType() == ftString || DataType() == ftMemo)
        return text.isEmpty() ? QVariant() : QVariant(text);
    if (text.trimmed().isEmpty()) return {};
    switch (DataType()) {
    case ftInteger:
    case ftAutoInc:
        return QVariant(qlonglong(StrToInt(text)));
    case ftFloat:
        return QVariant(StrToFloat(text));
    case ftDate:
        return QVariant(StrToDate(text));
    case ftTime:
        return QVariant(StrToTime(text));
    case ftDateTime:
        return QVariant(StrToDateTime(text));
    case ftBoolean: {
        bool value = false;
        if (!TextToBoolean(text, value))
            throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(text));
        return QVariant(value);
    }
    default:
        RaiseConversion("a text");
    }
}

QVariant TField::Coerce(const QVariant& value) const
{
    if (!value.isValid()) return {};
    const int type = value.typeId();
    if (type == QMetaType::QString || type == QMetaType::QByteArray)
        return FromText(value.toString());
    if (type == QMetaType::QDate) return Coerce(QVariant(FromQDate(value.toDate())));
    if (type == QMetaType::QDateTime) return Coerce(QVariant(FromQDateTime(value.toDateTime())));
    if (type == QMetaType::QTime)
        return Coerce(QVariant(value.toTime().msecsSinceStartOfDay() / double(MSecsPerDay)));
    if (type == QMetaType::Bool) {
        const bool flag = value.toBool();
        switch (DataType()) {
        case ftBoolean:
            return QVariant(flag);
        case ftInteger:
            return QVariant(qlonglong(flag ? 1 : 0));
        case ftString:
        case ftMemo:
            return QVariant(flag ? QStringLiteral("True") : QStringLiteral("False"));
        default:
            RaiseConversion("a boolean");
        }
    }
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok) RaiseConversion(value.typeName());
    switch (DataType()) {
    case ftString:
    case ftMemo:
        return QVariant(FloatToText(number));
    case ftInteger:
    case ftAutoInc:
        return QVariant(qlonglong(Round(number)));
    case ftBoolean:
        return QVariant(number != 0);
    case ftFloat:
    case ftDateTime:
        return QVariant(number);
    case ftDate:
        return QVariant(DateOf(number));
    case ftTime:
        return QVariant(TimeOf(number));
    case ftUnknown:
        break;
    }
    RaiseConversion("a number");
}

QString TField::TextOf(const QVariant& value) const
{
    if (!value.isValid()) return {};
    switch (DataType()) {
    case ftFloat:
        return FloatToText(NumberOf(value));
    case ftDate:
        return DateToStr(NumberOf(value));
    case ftTime:
        return TimeToStr(NumberOf(value));
    case ftDateTime:
        return DateTimeToStr(NumberOf(value));
    case ftBoolean:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    default:
        return TextOfValue(value);
    }
}

QString TField::AsString() const
{
    return TextOf(Value());
}

void TField::SetAsString(const QString& value)
{
    Store(FromText(value));
}

TDateTime TField::AsDateTime() const
{
    const QVariant& value = Value();
    if (!value.isValid()) return 0;
    if (DataType() == ftString || DataType() == ftMemo) return StrToDateTime(value.toString());
    if (DataType() == ftBoolean) RaiseConversion("a date and time");
    return NumberOf(value);
}

void TField::SetAsDateTime(TDateTime value)
{
    if (DataType() == ftString || DataType() == ftMemo) {
        Store(FromText(DateTimeToStr(value)));
        return;
    }
    if (!IsDateKind(DataType()) && DataType() != ftFloat) RaiseConversion("a date and time");
    Store(Coerce(QVariant(value)));
}

double TField::AsFloat() const
{
    const QVariant& value = Value();
    if (!value.isValid()) return 0;
    if (DataType() == ftString || DataType() == ftMemo) return StrToFloat(value.toString());
    return NumberOf(value);
}

void TField::SetAsFloat(double value)
{
    if (DataType() == ftBoolean) RaiseConversion("a number");
    Store(Coerce(QVariant(value)));
}

int TField::AsInteger() const
{
    const QVariant& value = Value();
    if (!value.isValid()) return 0;
    switch (DataType()) {
    case ftString:
    case ftMemo:
        return StrToInt(value.toString());
    case ftFloat:
        return static_cast<int>(Round(value.toDouble()));
    case ftDate:
    case ftTime:
    case ftDateTime:
        return static_cast<int>(Trunc(value.toDouble()));
    default:
        return value.toInt();
    }
}

void TField::SetAsInteger(int value)
{
    Store(Coerce(QVariant(qlonglong(value))));
}

bool TField::AsBoolean() const
{
    const QVariant& value = Value();
    if (!value.isValid()) return false;
    switch (DataType()) {
    case ftBoolean:
        return value.toBool();
    case ftInteger:
    case ftAutoInc:
        return value.toLongLong() != 0;
    case ftString:
    case ftMemo: {
        bool flag = false;
        if (!TextToBoolean(value.toString(), flag))
            throw EConvertError(
                QStringLiteral("'%1' is not a valid boolean value").arg(value.toString()));
        return flag;
    }
    default:
        RaiseConversion("a boolean");
    }
}

void TField::SetAsBoolean(bool value)
{
    Store(Coerce(QVariant(value)));
}

QVariant TField::AsVariant() const
{
    return Value();
}

void TField::SetAsVariant(const QVariant& value)
{
    Store(Coerce(value));
}

void TField::Clear()
{
    Store(QVariant());
}

bool TField::CanModify() const
{
    return !m_readOnly && m_dataSet->Active() && m_dataSet->CanModify();
}
