#pragma once

#include "app/tabledefs.h"
#include "platform/table.h"

#include <QByteArray>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Points XDG_CONFIG_HOME and XDG_DATA_HOME into a temporary home for one test, so that the
// alias "vantor" resolves to <home>/data/vantor.
class XdgHomeTest : public ::testing::Test
{
protected:
    QTemporaryDir m_home;
    QByteArray m_config, m_data;

    void SetUp() override
    {
        ASSERT_TRUE(m_home.isValid());
        m_config = qgetenv("XDG_CONFIG_HOME");
        m_data = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_CONFIG_HOME", Under("config").toUtf8());
        qputenv("XDG_DATA_HOME", Under("data").toUtf8());
    }
    void TearDown() override
    {
        Restore("XDG_CONFIG_HOME", m_config);
        Restore("XDG_DATA_HOME", m_data);
    }
    static void Restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    QString Under(const QString& relative) const { return QDir(m_home.path()).filePath(relative); }
    QString BookDir() const { return Under(QStringLiteral("data/vantor")); }

    // The gig book's empty tables under the alias, but for those named in `skip`.
    void CreateBook(const QStringList& skip = {})
    {
        ASSERT_TRUE(QDir().mkpath(BookDir()));
        for (const TTableDefinition& def : GigBookDefinitions()) {
            if (!skip.contains(def.TableName))
                TTable::CreateTable(QStringLiteral("vantor"), def.TableName, def.FieldDefs,
                                    def.IndexDefs);
        }
    }
};
