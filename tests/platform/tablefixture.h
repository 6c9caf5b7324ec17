#pragma once

#include "platform/datetime.h"
#include "platform/exceptions.h"
#include "platform/table.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// The message of the error of type E that f raises; a test failure when it raises none.
template <typename E = EDatabaseError, typename F> QString ErrorOf(F&& f)
{
    try {
        f();
    } catch (const E& error) {
        return error.Message();
    }
    ADD_FAILURE() << "no error was raised";
    return QString();
}

// A small gig-like table in a temporary directory: one record per date, in date order.
class TableFixture : public ::testing::Test
{
protected:
    QTemporaryDir m_dir;

    static TFieldDefs Fields()
    {
        TFieldDefs f;
        f.Add(QStringLiteral("Gig date"), ftDate, 0, true);
        f.Add(QStringLiteral("Gig time"), ftTime);
        f.Add(QStringLiteral("Gig length"), ftFloat);
        f.Add(QStringLiteral("Gig venue"), ftString, 12);
        f.Add(QStringLiteral("Gig state"), ftString, 2);
        f.Add(QStringLiteral("Notes"), ftMemo, 240);
        return f;
    }
    static TIndexDefs Indexes()
    {
        TIndexDefs i;
        i.Add(QString(), QStringLiteral("Gig date"), ixPrimary | ixUnique);
        return i;
    }

    QString TablePath() const { return QDir(m_dir.path()).filePath(QStringLiteral("gig.db")); }

    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        TTable::CreateTable(QString(), TablePath(), Fields(), Indexes());
    }

    std::unique_ptr<TTable> OpenTable() const
    {
        auto table = std::make_unique<TTable>();
        table->SetTableName(TablePath());
        table->Open();
        return table;
    }

    // Another table in the same directory, created and opened.
    std::unique_ptr<TTable> CreateAndOpen(const QString& file, const TFieldDefs& fields,
                                          const TIndexDefs& indexes = TIndexDefs()) const
    {
        const QString path = QDir(m_dir.path()).filePath(file);
        TTable::CreateTable(QString(), path, fields, indexes);
        auto table = std::make_unique<TTable>();
        table->SetTableName(path);
        table->Open();
        return table;
    }

    static TDateTime Day(int day) { return EncodeDate(2024, 5, 1) + day - 1; }

    static void AddGig(TTable& table, TDateTime date, const QString& venue)
    {
        table.Append();
        table.FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(date);
        table.FieldByName(QStringLiteral("Gig venue"))->SetAsString(venue);
        table.Post();
    }

    static QString Venue(TTable& table)
    {
        return table.FieldByName(QStringLiteral("Gig venue"))->AsString();
    }
    static TDateTime Date(TTable& table)
    {
        return table.FieldByName(QStringLiteral("Gig date"))->AsDateTime();
    }
};
