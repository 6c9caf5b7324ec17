#include "platform/dbedit.h"

#include "platform/datasource.h"
#include "platform/field.h"
#include "platform/fielddatalink.h"
#include "platform/guiapplication.h"
#include "platform/messages.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace {

constexpr int UnlimitedLength = 32767;

bool IsRealFocusChange(Qt::FocusReason reason)
{
    // A message box or a menu taking the focus for a moment is not the user leaving.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

TDBEdit::TDBEdit(QWidget* parent) : QLineEdit(parent), m_link(std::make_unique<TFieldDataLink>())
{
    m_link->OnDataChange = [this] { ShowField(); };
    m_link->OnUpdateData = [this] { WriteField(); };
    m_link->OnActiveChange = [this] { UpdateReadOnly(); };
    m_link->OnEditingChange = [this] { UpdateReadOnly(); };
    connect(this, &QLineEdit::textEdited, this, [this] { TextEditedByUser(); });
    UpdateReadOnly();
}

TDBEdit::~TDBEdit() = default;

TDataSource* TDBEdit::DataSource() const
{
    return m_link->DataSource();
}

void TDBEdit::SetDataSource(TDataSource* source)
{
    m_link->SetDataSource(source);
    m_link->Rebind();
}

QString TDBEdit::DataField() const
{
    return m_link->FieldName();
}

void TDBEdit::SetDataField(const QString& name)
{
    m_link->SetFieldName(name);
}

TField* TDBEdit::Field() const
{
    return m_link->Field();
}

bool TDBEdit::ReadOnly() const
{
    return m_link->ReadOnly();
}

void TDBEdit::SetReadOnly(bool value)
{
    m_link->SetReadOnly(value);
    UpdateReadOnly();
}

void TDBEdit::UpdateReadOnly()
{
    TField* field = m_link->Field();
    setReadOnly(!m_link->CanModify());
    setMaxLength(field && field->DataType() == ftString && field->Size() > 0 ? field->Size()
                                                                             : UnlimitedLength);
}

void TDBEdit::ShowField()
{
    TField* field = m_link->Field();
    setText(field ? field->Text() : QString());
    setModified(false);
    UpdateReadOnly();
}

void TDBEdit::WriteField()
{
    m_link->Field()->SetText(text());
}

void TDBEdit::TextEditedByUser()
{
    RunGuarded([this] { m_link->UserChanged(); });
}

void TDBEdit::CommitOnLeaving()
{
    if (!m_link->Modified() || !m_link->Editing()) return;
    try {
        m_link->UpdateRecord();
    } catch (...) {
        selectAll();
        setFocus(Qt::OtherFocusReason);
        Application()->HandleException();
    }
}

void TDBEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && m_link->Modified()) {
        m_link->Reset();
        selectAll();
        event->accept();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_link->Modified() &&
        m_link->Editing()) {
        RunGuarded([this] { m_link->UpdateRecord(); });
        selectAll();
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TDBEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (IsRealFocusChange(event->reason())) CommitOnLeaving();
}
