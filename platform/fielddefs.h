#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// Stored order matters: table definitions list these by name, never by number.
enum TFieldType {
    ftUnknown,
    ftString,
    ftInteger,
    ftBoolean,
    ftFloat,
    ftDate,
    ftTime,
    ftDateTime,
    ftMemo,
    ftAutoInc
};

QString FieldTypeName(TFieldType type);

// One column of a table: its name, type and, for strings, the maximum length in
// characters. A memo's size is part of its definition but does not limit its text.
struct TFieldDef
{
    QString Name;
    TFieldType DataType = ftUnknown;
    int Size = 0;
    bool Required = false;

    bool operator==(const TFieldDef&) const = default;
};

class TFieldDefs
{
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    // Raises EListError outside 0 .. Count() - 1.
    const TFieldDef& Items(int index) const;
    void Add(const QString& name, TFieldType type, int size = 0, bool required = false);
    void Add(const TFieldDef& def) { m_items.push_back(def); }
    void Clear() { m_items.clear(); }
    // Names compare without regard to case, as field look-ups do; -1 when absent.
    int IndexOf(const QString& name) const;
    const TFieldDef* Find(const QString& name) const;

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    bool operator==(const TFieldDefs&) const = default;

private:
    std::vector<TFieldDef> m_items;
};

enum TIndexOption : unsigned { ixPrimary = 0x1, ixUnique = 0x2 };
using TIndexOptions = unsigned;

// An index over one or more fields, named by a ";"-separated list. The primary index has
// no name of its own.
struct TIndexDef
{
    QString Name;
    QString Fields;
    TIndexOptions Options = 0;

    QStringList FieldList() const;
    bool IsPrimary() const { return Options & ixPrimary; }
    bool IsUnique() const { return Options & (ixUnique | ixPrimary); }
    bool operator==(const TIndexDef&) const = default;
};

class TIndexDefs
{
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    const TIndexDef& Items(int index) const;
    void Add(const QString& name, const QString& fields, TIndexOptions options);
    void Clear() { m_items.clear(); }
    // The primary index, or nullptr when the table has none.
    const TIndexDef* Primary() const;

    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }
    bool operator==(const TIndexDefs&) const = default;

private:
    std::vector<TIndexDef> m_items;
};
