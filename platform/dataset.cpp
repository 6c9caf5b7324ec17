#include "platform/dataset.h"

#include "platform/datasource.h"
#include "platform/exceptions.h"

#include <algorithm>

namespace {

const QVariant g_null;

bool IsEditing(TDataSetState state)
{
    return state == dsEdit || state == dsInsert;
}

bool TextMatches(const QString& stored, const QString& wanted, TLocateOptions options)
{
    const Qt::CaseSensitivity cs =
        (options & loCaseInsensitive) ? Qt::CaseInsensitive : Qt::CaseSensitive;
    if (options & loPartialKey) return stored.startsWith(wanted, cs);
    return stored.compare(wanted, cs) == 0;
}

bool ValueMatches(const TField& field, const QVariant& stored, const QVariant& wanted,
                  TLocateOptions options)
{
    if (!wanted.isValid()) return !stored.isValid();
    if (!stored.isValid()) return false;
    if (field.DataType() == ftString || field.DataType() == ftMemo)
        return TextMatches(stored.toString(), wanted.toString(), options);
    return stored == wanted;
}

} // namespace

TDataSet::TDataSet(QObject* owner) : TComponent(owner) {}

TDataSet::~TDataSet()
{
    // Descendants close their storage in their own destructor; by now only the
    // bookkeeping is left, and the data sources must forget this dataset while it is whole.
    m_state = dsInactive;
    m_fields.Clear();
    const auto sources = m_sources;
    for (const QPointer<TDataSource>& source : sources) {
        if (source) source->SetDataSet(nullptr);
    }
}

void TDataSet::CloseForDestruction()
{
    if (Active()) Close();
}

void TDataSet::SetActive(bool value)
{
    if (value)
        Open();
    else
        Close();
}

void TDataSet::Open()
{
    if (Active()) return;
    Fire(BeforeOpen);
    const TFieldDefs defs = InternalOpen();
    m_fields.Clear();
    for (int i = 0; i < defs.Count(); ++i)
        m_fields.Add(std::make_unique<TField>(this, defs.Items(i), i));
    m_row = 0;
    m_bof = true;
    m_modified = false;
    m_state = dsBrowse;
    m_eof = !RowExists(0);
    DataEvent(deUpdateState);
    Fire(AfterOpen);
    Fire(AfterScroll);
}

void TDataSet::Close()
{
    if (!Active()) return;
    Fire(BeforeClose);
    // Pending edits are dropped, as closing a form drops them.
    m_buffer = {};
    m_modified = false;
    SetState(dsInactive);
    InternalClose();
    m_fields.Clear();
    m_row = 0;
    m_bof = m_eof = true;
    Fire(AfterClose);
}

void TDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void TDataSet::CheckCanModify() const
{
    if (!CanModify()) throw EDatabaseError(QStringLiteral("Cannot modify a read-only dataset"));
}

void TDataSet::CheckEditing() const
{
    if (!IsEditing(m_state))
        throw EDatabaseError(QStringLiteral("Dataset not in edit or insert mode"));
}

bool TDataSet::RowExists(int row)
{
    return row >= 0 && Active() && InternalRowExists(row);
}

void TDataSet::SetState(TDataSetState state)
{
    if (m_state == state) return;
    m_state = state;
    DataEvent(deUpdateState);
}

void TDataSet::DataEvent(TDataEvent event, TField* field, int distance)
{
    if (m_disableCount > 0 || m_sources.empty()) return;
    // A handler may unbind or free a data source; work on a snapshot of guarded pointers.
    const auto sources = m_sources;
    for (const QPointer<TDataSource>& source : sources) {
        if (source) source->DataEvent(event, field, distance);
    }
}

void TDataSet::AddDataSource(TDataSource* source)
{
    if (std::find(m_sources.begin(), m_sources.end(), source) == m_sources.end())
        m_sources.emplace_back(source);
}

void TDataSet::RemoveDataSource(TDataSource* source)
{
    std::erase_if(m_sources, [source](const QPointer<TDataSource>& s) {
        return s.isNull() || s.data() == source;
    });
}

// ---------------------------------------------------------------------------
// Navigation

void TDataSet::CheckBrowseMode()
{
    CheckActive();
    if (!IsEditing(m_state)) return;
    UpdateRecord();
    if (m_modified)
        Post();
    else
        Cancel();
}

void TDataSet::ScrollTo(int row)
{
    m_row = row;
    m_bof = m_eof = false;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

void TDataSet::First()
{
    CheckBrowseMode();
    Fire(BeforeScroll);
    m_row = 0;
    m_bof = true;
    m_eof = !RowExists(0);
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

void TDataSet::Last()
{
    CheckBrowseMode();
    Fire(BeforeScroll);
    const int count = RecordCount();
    m_row = std::max(0, count - 1);
    m_eof = true;
    m_bof = count == 0;
    DataEvent(deDataSetChange);
    Fire(AfterScroll);
}

int TDataSet::MoveBy(int distance)
{
    CheckBrowseMode();
    if (distance == 0 || (distance > 0 && m_eof) || (distance < 0 && m_bof)) return 0;
    Fire(BeforeScroll);
    int target = m_row + distance;
    if (distance > 0 && !RowExists(target)) {
        target = distance == 1 ? m_row : std::max(m_row, RecordCount() - 1);
        m_eof = true;
    } else if (distance < 0 && target < 0) {
        target = 0;
        m_bof = true;
    }
    const int moved = target - m_row;
    if (moved > 0) m_bof = false;
    if (moved < 0) m_eof = false;
    m_row = target;
    if (moved != 0) DataEvent(deDataSetScroll, nullptr, moved);
    Fire(AfterScroll);
    return moved;
}

bool TDataSet::IsEmpty()
{
    return m_state != dsInsert && !RowExists(0);
}

int TDataSet::RecordCount()
{
    return Active() ? InternalRecordCount() : 0;
}

int TDataSet::RecNo()
{
    if (!Active() || m_state == dsInsert || !RowExists(m_row)) return 0;
    return m_row + 1;
}

// ---------------------------------------------------------------------------
// Editing

void TDataSet::BeginInsert()
{
    CheckBrowseMode();
    CheckCanModify();
    Fire(BeforeInsert);
    Fire(BeforeScroll);
    m_rowBeforeInsert = m_row;
    m_buffer.Values.assign(m_fields.Count(), QVariant());
    m_buffer.Modified.assign(m_fields.Count(), false);
    m_editBookmark.clear();
    SetState(dsInsert);
    Fire(OnNewRecord);
    // Defaults set by OnNewRecord are stored when posted, but a record that the user never
    // touched is not kept when the cursor moves on.
    m_modified = false;
    DataEvent(deDataSetChange);
    Fire(AfterInsert);
    Fire(AfterScroll);
}

void TDataSet::Append()
{
    BeginInsert();
}

void TDataSet::Insert()
{
    BeginInsert();
}

void TDataSet::Edit()
{
    if (IsEditing(m_state)) return;
    CheckActive();
    if (IsEmpty()) {
        Append();
        return;
    }
    CheckCanModify();
    Fire(BeforeEdit);
    m_buffer.Values = InternalReadRecord(m_row);
    m_buffer.Modified.assign(m_fields.Count(), false);
    m_editBookmark = InternalBookmark(m_row);
    m_modified = false;
    SetState(dsEdit);
    DataEvent(deRecordChange);
    Fire(AfterEdit);
}

void TDataSet::UpdateRecord()
{
    CheckEditing();
    DataEvent(deUpdateRecord);
}

void TDataSet::CheckRequiredFields() const
{
    for (int i = 0; i < m_fields.Count(); ++i) {
        const TField* field = m_fields.Fields(i);
        if (field->Required() && field->DataType() != ftAutoInc && !m_buffer.Values[i].isValid())
            throw EDatabaseError(
                QStringLiteral("Field '%1' must have a value").arg(field->FieldName()));
    }
}

void TDataSet::Post()
{
    UpdateRecord();
    Fire(BeforePost);
    CheckRequiredFields();
    // A failed write raises here and leaves the record in edit with the user's values.
    const TBookmark stored = InternalPost(m_buffer, m_state == dsInsert, m_editBookmark);
    m_buffer = {};
    m_modified = false;
    m_editBookmark.clear();
    SetState(dsBrowse);
    SettleAfterChange(InternalBookmarkRow(stored));
    DataEvent(deDataSetChange);
    Fire(AfterPost);
}

void TDataSet::Cancel()
{
    if (!IsEditing(m_state)) return;
    Fire(BeforeCancel);
    const int row = m_state == dsInsert ? m_rowBeforeInsert : m_row;
    m_buffer = {};
    m_modified = false;
    m_editBookmark.clear();
    SetState(dsBrowse);
    SettleAfterChange(row);
    DataEvent(deDataSetChange);
    Fire(AfterCancel);
}

void TDataSet::Delete()
{
    CheckActive();
    if (m_state == dsInsert) {
        Cancel();
        return;
    }
    if (IsEmpty())
        throw EDatabaseError(QStringLiteral("Cannot perform this operation on an empty dataset"));
    CheckCanModify();
    Fire(BeforeDelete);
    Fire(BeforeScroll);
    InternalDelete(m_row);
    m_buffer = {};
    m_modified = false;
    m_editBookmark.clear();
    SetState(dsBrowse);
    SettleAfterChange(m_row);
    DataEvent(deDataSetChange);
    Fire(AfterDelete);
    Fire(AfterScroll);
}

// Puts the cursor on the given row, or on the nearest one when the rows changed under it.
void TDataSet::SettleAfterChange(int preferredRow)
{
    if (preferredRow >= 0 && RowExists(preferredRow)) {
        m_row = preferredRow;
        m_bof = m_eof = false;
        return;
    }
    const int count = RecordCount();
    m_row = std::clamp(preferredRow, 0, std::max(0, count - 1));
    m_bof = m_eof = count == 0;
}

void TDataSet::Refresh()
{
    CheckBrowseMode();
    Fire(BeforeRefresh);
    const TBookmark current = GetBookmark();
    const int previousRow = m_row;
    InternalRefresh();
    const int row = current.isEmpty() ? -1 : InternalBookmarkRow(current);
    SettleAfterChange(row >= 0 ? row : previousRow);
    DataEvent(deDataSetChange);
    Fire(AfterRefresh);
}

const QVariant& TDataSet::CurrentFieldValue(int fieldIndex)
{
    if (m_state == dsBrowse) return InternalRowValue(m_row, fieldIndex);
    if (IsEditing(m_state)) return m_buffer.Values.at(fieldIndex);
    return g_null;
}

void TDataSet::SetFieldValue(TField& field, const QVariant& value)
{
    CheckEditing();
    if (!field.CanModify())
        throw EDatabaseError(
            QStringLiteral("Field '%1' cannot be modified").arg(field.FieldName()));
    const int index = field.Index();
    m_buffer.Values[index] = value;
    m_buffer.Modified[index] = true;
    m_modified = true;
    DataEvent(deFieldChange, &field);
}

std::vector<QVariant> TDataSet::InternalReadRecord(int row)
{
    std::vector<QVariant> values;
    values.reserve(m_fields.Count());
    for (int i = 0; i < m_fields.Count(); ++i)
        values.push_back(InternalRowValue(row, i));
    return values;
}

QVariant TDataSet::RowValue(int row, int fieldIndex)
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= m_fields.Count()) return {};
    if (m_state == dsEdit && row == m_row) return m_buffer.Values[fieldIndex];
    if (!RowExists(row)) return {};
    return InternalRowValue(row, fieldIndex);
}

QString TDataSet::RowText(int row, int fieldIndex)
{
    if (!Active() || fieldIndex < 0 || fieldIndex >= m_fields.Count()) return {};
    return m_fields.Fields(fieldIndex)->TextOf(RowValue(row, fieldIndex));
}

// ---------------------------------------------------------------------------
// Searching and bookmarks

bool TDataSet::Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options)
{
    CheckBrowseMode();
    const QStringList names = keyFields.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    if (names.isEmpty()) return false;
    QVariantList wanted;
    if (names.size() == 1)
        wanted << keyValues;
    else
        wanted = keyValues.toList();
    if (wanted.size() != names.size())
        throw EDatabaseError(
            QStringLiteral("Locate needs one value for each of the fields '%1'").arg(keyFields));
    std::vector<int> indexes;
    QVariantList converted;
    for (int i = 0; i < names.size(); ++i) {
        const TField* field = FieldByName(names[i].trimmed());
        indexes.push_back(field->Index());
        converted << field->Coerce(wanted[i]);
    }
    const int row = InternalLocate(indexes, converted, options);
    if (row < 0) return false;
    Fire(BeforeScroll);
    ScrollTo(row);
    return true;
}

int TDataSet::InternalLocate(const std::vector<int>& fieldIndexes, const QVariantList& values,
                             TLocateOptions options)
{
    for (int row = 0; RowExists(row); ++row) {
        bool all = true;
        for (size_t i = 0; i < fieldIndexes.size() && all; ++i) {
            const TField& field = *m_fields.Fields(fieldIndexes[i]);
            all = ValueMatches(field, InternalRowValue(row, fieldIndexes[i]), values[i], options);
        }
        if (all) return row;
    }
    return -1;
}

TBookmark TDataSet::GetBookmark()
{
    if (!Active() || m_state == dsInsert || !RowExists(m_row)) return {};
    return InternalBookmark(m_row);
}

bool TDataSet::BookmarkValid(const TBookmark& bookmark)
{
    return !bookmark.isEmpty() && Active() && InternalBookmarkRow(bookmark) >= 0;
}

void TDataSet::GotoBookmark(const TBookmark& bookmark)
{
    if (bookmark.isEmpty()) return;
    CheckBrowseMode();
    const int row = InternalBookmarkRow(bookmark);
    if (row < 0)
        throw EDatabaseError(
            QStringLiteral("Record not found: the bookmarked record no longer exists"));
    Fire(BeforeScroll);
    ScrollTo(row);
}

// ---------------------------------------------------------------------------
// Controls

void TDataSet::DisableControls()
{
    if (m_disableCount++ == 0) m_stateWhenDisabled = m_state;
}

void TDataSet::EnableControls()
{
    if (m_disableCount == 0) return;
    if (--m_disableCount > 0) return;
    if (m_state != m_stateWhenDisabled) DataEvent(deUpdateState);
    if (Active()) DataEvent(deDataSetChange);
}
