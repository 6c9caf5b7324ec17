#pragma once

#include "platform/datetime.h"
#include "platform/fielddefs.h"

#include <QString>
#include <QVariant>

#include <functional>

class TDataSet;

// One column of a dataset's current record. The value lives in the dataset (its row cache
// while browsing, its record buffer while editing); the field converts it.
//
// Values are held as: QString for strings and memos, qlonglong for integers and
// auto-increments, bool, double for floats, and a TDateTime (double) for dates, times and
// date-times. A null value is an invalid QVariant; an empty text is stored as null.
class TField
{
public:
    TField(TDataSet* dataSet, const TFieldDef& def, int index);
    TField(const TField&) = delete;
    TField& operator=(const TField&) = delete;

    TDataSet* DataSet() const { return m_dataSet; }
    const QString& FieldName() const { return m_def.Name; }
    TFieldType DataType() const { return m_def.DataType; }
    int Size() const { return m_def.Size; }
    bool Required() const { return m_def.Required; }
    int Index() const { return m_index; }

    QString AsString() const;
    void SetAsString(const QString& value);
    TDateTime AsDateTime() const;
    void SetAsDateTime(TDateTime value);
    double AsFloat() const;
    void SetAsFloat(double value);
    int AsInteger() const;
    void SetAsInteger(int value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    QVariant AsVariant() const;
    void SetAsVariant(const QVariant& value);

    // The text a user reads and types: dates, times and numbers in the locale's format.
    QString Text() const { return TextOf(Value()); }
    void SetText(const QString& text) { SetAsString(text); }
    QString DisplayText() const { return Text(); }

    bool IsNull() const { return !Value().isValid(); }
    void Clear();

    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value) { m_readOnly = value; }
    // False while the field or its dataset is read-only, or the dataset is closed.
    bool CanModify() const;

    QString DisplayLabel() const { return m_displayLabel.isEmpty() ? FieldName() : m_displayLabel; }
    void SetDisplayLabel(const QString& value) { m_displayLabel = value; }
    // In characters.
    int DisplayWidth() const { return m_displayWidth; }
    void SetDisplayWidth(int value) { m_displayWidth = value; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool value) { m_visible = value; }

    // The display text of a value of this field, for readers that do not move the cursor.
    QString TextOf(const QVariant& value) const;
    // Converts a value of any supported type to this field's form, raising EConvertError
    // when it cannot be; the length of strings is not checked here.
    QVariant Coerce(const QVariant& value) const;

    // Called after the field's value was changed through the field.
    std::function<void(TField* sender)> OnChange;

private:
    const QVariant& Value() const;
    void Store(const QVariant& value);
    QVariant FromText(const QString& text) const;
    [[noreturn]] void RaiseConversion(const char* what) const;

    TDataSet* m_dataSet;
    TFieldDef m_def;
    int m_index;
    bool m_readOnly;
    QString m_displayLabel;
    int m_displayWidth;
    bool m_visible = true;
};
