#pragma once

#include "platform/datasource.h"
#include "platform/messages.h"
#include "tablefixture.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

#include <memory>

// Four gigs (3, 10, 17 and 24 May 2024, venues V3 ... V24) in an open table behind a
// data source, and a shown window to put controls on.
class ControlFixture : public TableFixture
{
protected:
    std::unique_ptr<TTable> m_table;
    std::unique_ptr<TDataSource> m_source;
    std::unique_ptr<QWidget> m_window;

    void SetUp() override
    {
        TableFixture::SetUp();
        {
            auto table = OpenTable();
            for (int day : {3, 10, 17, 24})
                AddGig(*table, Day(day), QStringLiteral("V%1").arg(day));
        }
        m_table = OpenTable();
        m_source = std::make_unique<TDataSource>();
        m_source->SetDataSet(m_table.get());
        m_window = std::make_unique<QWidget>();
        m_window->resize(600, 400);
    }

    void TearDown() override
    {
        m_window.reset();
        m_source.reset();
        m_table.reset();
    }

    void ShowWindow()
    {
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }

    TField* VenueField() const { return m_table->FieldByName(QStringLiteral("Gig venue")); }

    // A focus change as the user makes it, without depending on the window system.
    static void LeaveByTab(QWidget* control)
    {
        QFocusEvent event(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(control, &event);
    }
};
