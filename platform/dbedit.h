#pragma once

#include <QLineEdit>

#include <memory>

class TDataSource;
class TField;
class TFieldDataLink;

// A one-line edit bound to a field of the current record.
//
// It shows the field's text and follows the record; typing puts the dataset into edit.
// The text goes into the field when the record is posted, on Enter, and when the focus
// leaves the edit; a text the field refuses (not a date, say) keeps the focus here with
// the text selected. Esc brings the field's value back. String fields limit the length
// to the field's size.
class TDBEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit TDBEdit(QWidget* parent = nullptr);
    ~TDBEdit() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    QString DataField() const;
    void SetDataField(const QString& name);
    TField* Field() const;
    // Read-only through this control, whatever the dataset allows.
    bool ReadOnly() const;
    void SetReadOnly(bool value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowField();
    void UpdateReadOnly();
    void WriteField();
    void TextEditedByUser();
    void CommitOnLeaving();

    std::unique_ptr<TFieldDataLink> m_link;
};
