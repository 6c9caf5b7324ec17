#pragma once

#include "platform/component.h"
#include "platform/fields.h"

#include <QPointer>
#include <QVariant>
#include <QVariantList>

#include <functional>
#include <vector>

class TDataSet;
class TDataSource;

enum TDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };

// What a dataset tells the data sources (and through them the data links) bound to it.
enum TDataEvent {
    deFieldChange,   // a field of the record being edited was written
    deRecordChange,  // the current record as a whole changed (Edit)
    deDataSetChange, // anything may have changed: open, First, Last, Post, Cancel, ...
    deDataSetScroll, // the cursor moved by a number of records (Next, Prior, MoveBy)
    deLayoutChange,  // the fields changed
    deUpdateRecord,  // bound controls must write their pending text into the fields
    deUpdateState    // the state (inactive, browse, edit, insert) changed
};

enum TLocateOption : unsigned { loCaseInsensitive = 0x1, loPartialKey = 0x2 };
using TLocateOptions = unsigned;

// Identifies a stored record for as long as it exists; empty is the null bookmark.
using TBookmark = QVariantList;

using TDataSetNotifyEvent = std::function<void(TDataSet* sender)>;

// The record being edited or inserted: one value per field, and which were written.
struct TRecordBuffer
{
    std::vector<QVariant> Values;
    std::vector<bool> Modified;
};

// A cursor over ordered records with browse, edit and insert states. Descendants supply
// the storage through the Internal* operations; rows are numbered 0 .. n-1 in traversal
// order.
//
// Notifications, in the order the data links see them:
// - Open: deUpdateState (links: ActiveChanged), then AfterOpen, AfterScroll.
// - Close: BeforeClose, deUpdateState (ActiveChanged), fields freed, AfterClose.
// - First, Last, Locate, GotoBookmark, Refresh: deDataSetChange (DataSetChanged).
// - Next, Prior, MoveBy: deDataSetScroll with the distance actually moved, when non-zero.
// - Edit: deUpdateState (EditingChanged), deRecordChange (RecordChanged(nullptr)).
// - Insert, Append: deUpdateState, OnNewRecord, deDataSetChange.
// - A field write: deFieldChange (RecordChanged(field)).
// - Post: deUpdateRecord (UpdateData), BeforePost, the write, deUpdateState, then
//   deDataSetChange in browse state on the posted record, AfterPost.
// - Cancel, Delete: deUpdateState when editing, then deDataSetChange.
// Nothing is sent while controls are disabled; the outermost EnableControls sends
// deUpdateState when the state changed meanwhile, then one deDataSetChange.
class TDataSet : public TComponent
{
public:
    explicit TDataSet(QObject* owner = nullptr);
    ~TDataSet() override;

    bool Active() const { return m_state != dsInactive; }
    void SetActive(bool value);
    void Open();
    void Close();
    TDataSetState State() const { return m_state; }
    // True when a field of the record being edited was written.
    bool Modified() const { return m_modified; }
    virtual bool CanModify() const { return Active(); }

    void First();
    void Last();
    void Next() { MoveBy(1); }
    void Prior() { MoveBy(-1); }
    // Returns the number of records actually moved (negative backwards).
    int MoveBy(int distance);
    bool Bof() const { return m_bof; }
    bool Eof() const { return m_eof; }
    bool IsEmpty();
    int RecordCount();
    // 1-based position of the current record; 0 when there is none or while inserting.
    int RecNo();

    // Both start a new, empty record; once posted it takes its place in traversal order
    // (by key in an indexed table), and the cursor follows it there.
    void Append();
    void Insert();
    void Edit();
    void Post();
    void Cancel();
    void Delete();
    void Refresh();
    // Posts a modified record, cancels an unmodified one; nothing in browse state.
    void CheckBrowseMode();
    // Asks bound controls to write their pending text into the fields.
    void UpdateRecord();

    // Moves to the first record, in traversal order, whose fields (";"-separated names)
    // equal the values (one value, or a list with one value per field).
    bool Locate(const QString& keyFields, const QVariant& keyValues, TLocateOptions options = 0);

    TBookmark GetBookmark();
    // Raises EDatabaseError when the record no longer exists; a null bookmark does nothing.
    void GotoBookmark(const TBookmark& bookmark);
    bool BookmarkValid(const TBookmark& bookmark);
    void FreeBookmark(TBookmark& bookmark) { bookmark.clear(); }

    // Nested; see the notification order above.
    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    TFields& Fields() { return m_fields; }
    const TFields& Fields() const { return m_fields; }
    TField* FieldByName(const QString& name) const { return m_fields.FieldByName(name); }
    TField* FindField(const QString& name) const { return m_fields.FindField(name); }

    // Reads a field of a row (0-based, traversal order) without moving the cursor, for
    // grids; the row being edited shows its pending values. Null outside the rows.
    QVariant RowValue(int row, int fieldIndex);
    QString RowText(int row, int fieldIndex);

    // Used by TField: the current record's value, and a validated write to it.
    const QVariant& CurrentFieldValue(int fieldIndex);
    void SetFieldValue(TField& field, const QVariant& value);

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
    TDataSetNotifyEvent BeforeRefresh, AfterRefresh, OnNewRecord;

protected:
    // Opens the storage and returns its field definitions; raises on failure.
    virtual TFieldDefs InternalOpen() = 0;
    virtual void InternalClose() = 0;
    virtual bool InternalRowExists(int row) = 0;
    virtual int InternalRecordCount() = 0;
    // Null for a row that does not exist; the reference lasts until the next operation.
    virtual const QVariant& InternalRowValue(int row, int fieldIndex) = 0;
    // The whole row, read fresh for editing.
    virtual std::vector<QVariant> InternalReadRecord(int row);
    virtual TBookmark InternalBookmark(int row) = 0;
    // The row of a bookmarked record, -1 when it no longer exists.
    virtual int InternalBookmarkRow(const TBookmark& bookmark) = 0;
    // Stores the record (inserting, or replacing the one of original) and returns the
    // bookmark of the stored record. A failure must leave the storage untouched.
    virtual TBookmark InternalPost(const TRecordBuffer& record, bool inserting,
                                   const TBookmark& original) = 0;
    virtual void InternalDelete(int row) = 0;
    virtual void InternalRefresh() = 0;
    // The first row matching already converted values, -1 when none; the default reads
    // every row in order.
    virtual int InternalLocate(const std::vector<int>& fieldIndexes, const QVariantList& values,
                               TLocateOptions options);

    void DataEvent(TDataEvent event, TField* field = nullptr, int distance = 0);
    void CheckActive() const;
    // Ends the dataset's life as a closed one; descendants call it from their destructor
    // while their storage can still be closed.
    void CloseForDestruction();

private:
    friend class TDataSource;
    void AddDataSource(TDataSource* source);
    void RemoveDataSource(TDataSource* source);

    bool RowExists(int row);
    void SetState(TDataSetState state);
    void CheckCanModify() const;
    void CheckEditing() const;
    void CheckRequiredFields() const;
    void BeginInsert();
    void ScrollTo(int row);
    void SettleAfterChange(int preferredRow);
    void Fire(const TDataSetNotifyEvent& event)
    {
        if (event) event(this);
    }

    TDataSetState m_state = dsInactive;
    TFields m_fields;
    int m_row = 0;
    bool m_bof = true;
    bool m_eof = true;
    TRecordBuffer m_buffer;
    bool m_modified = false;
    TBookmark m_editBookmark;
    int m_rowBeforeInsert = 0;
    int m_disableCount = 0;
    TDataSetState m_stateWhenDisabled = dsInactive;
    std::vector<QPointer<TDataSource>> m_sources;
};
