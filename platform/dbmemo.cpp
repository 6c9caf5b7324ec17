#include "platform/dbmemo.h"

#include "platform/datasource.h"
#include "platform/field.h"
#include "platform/fielddatalink.h"
#include "platform/guiapplication.h"
#include "platform/messages.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QScopedValueRollback>

TDBMemo::TDBMemo(QWidget* parent)
    : QPlainTextEdit(parent), m_link(std::make_unique<TFieldDataLink>())
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    m_link->OnDataChange = [this] { ShowField(); };
    m_link->OnUpdateData = [this] { m_link->Field()->SetAsString(toPlainText()); };
    m_link->OnActiveChange = [this] { UpdateReadOnly(); };
    m_link->OnEditingChange = [this] { UpdateReadOnly(); };
    connect(this, &QPlainTextEdit::textChanged, this, [this] { TextChanged(); });
    UpdateReadOnly();
}

TDBMemo::~TDBMemo() = default;

TDataSource* TDBMemo::DataSource() const
{
    return m_link->DataSource();
}

void TDBMemo::SetDataSource(TDataSource* source)
{
    m_link->SetDataSource(source);
    m_link->Rebind();
}

QString TDBMemo::DataField() const
{
    return m_link->FieldName();
}

void TDBMemo::SetDataField(const QString& name)
{
    m_link->SetFieldName(name);
}

TField* TDBMemo::Field() const
{
    return m_link->Field();
}

bool TDBMemo::ReadOnly() const
{
    return m_link->ReadOnly();
}

void TDBMemo::SetReadOnly(bool value)
{
    m_link->SetReadOnly(value);
    UpdateReadOnly();
}

void TDBMemo::UpdateReadOnly()
{
    setReadOnly(!m_link->CanModify());
}

void TDBMemo::ShowField()
{
    TField* field = m_link->Field();
    const QString text = field ? field->AsString() : QString();
    if (text != toPlainText()) {
        const QScopedValueRollback showing(m_showing, true);
        setPlainText(text);
    }
    UpdateReadOnly();
}

void TDBMemo::TextChanged()
{
    if (m_showing) return;
    RunGuarded([this] { m_link->UserChanged(); });
}

void TDBMemo::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link->Modified()) {
        m_link->Reset();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TDBMemo::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!m_link->Modified() || !m_link->Editing()) return;
    try {
        m_link->UpdateRecord();
    } catch (...) {
        setFocus(Qt::OtherFocusReason);
        Application()->HandleException();
    }
}
