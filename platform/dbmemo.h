#pragma once

#include <QPlainTextEdit>

#include <memory>

class TDataSource;
class TField;
class TFieldDataLink;

// A multi-line text bound to a (memo) field of the current record, with a vertical
// scroll bar. Typing puts the dataset into edit; the text goes into the field when the
// record is posted and when the focus leaves; Esc brings the field's value back. Tab
// moves on to the next control, as in the other fields of a form.
class TDBMemo : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit TDBMemo(QWidget* parent = nullptr);
    ~TDBMemo() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    QString DataField() const;
    void SetDataField(const QString& name);
    TField* Field() const;
    bool ReadOnly() const;
    void SetReadOnly(bool value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void ShowField();
    void UpdateReadOnly();
    void TextChanged();

    std::unique_ptr<TFieldDataLink> m_link;
    bool m_showing = false;
};
