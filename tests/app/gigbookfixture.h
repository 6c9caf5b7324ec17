#pragma once

#include "app/mainform.h"
#include "app/tabledefs.h"
#include "platform/clock.h"
#include "platform/datasource.h"
#include "platform/dbedit.h"
#include "platform/dbgrid.h"
#include "platform/dbgridmodel.h"
#include "platform/dbmemo.h"
#include "platform/dbnavigator.h"
#include "platform/messages.h"
#include "platform/table.h"
#include "xdghome.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <QDeadlineTimer>

#include <functional>
#include <memory>

// A gig book in a temporary home (alias "vantor"): four gigs in May 2024 and two
// contacts, and the main window on it once OpenForm() is called.
class GigBookFixture : public XdgHomeTest
{
protected:
    std::unique_ptr<TmainForm> m_form;

    void SetUp() override
    {
        XdgHomeTest::SetUp();
        CreateBook();
    }

    void TearDown() override
    {
        m_form.reset();
        XdgHomeTest::TearDown();
    }

    static TDateTime May(int day) { return EncodeDate(2024, 5, day); }

    // A second, independent look at a table of the book, as another program would have.
    static std::unique_ptr<TTable> OpenTable(const char* name)
    {
        auto table = std::make_unique<TTable>();
        table->SetDatabaseName(QStringLiteral("vantor"));
        table->SetTableName(QString::fromLatin1(name));
        table->Open();
        return table;
    }

    void AddGigsAndContacts()
    {
        const std::unique_ptr<TTable> gigs = OpenTable("gig.db");
        const struct
        {
            int Day;
            const char* Venue;
            const char* Contact;
        } rows[] = {{3, "Blue Room", "Ann"},
                    {10, "Corn Exchange", "Bob"},
                    {17, "Dock Bar", "Cat"},
                    {24, "Elm Hall", "Dan"}};
        for (const auto& row : rows) {
            gigs->Append();
            gigs->FieldByName(QStringLiteral("Gig date"))->SetAsDateTime(May(row.Day));
            gigs->FieldByName(QStringLiteral("Gig venue"))
                ->SetAsString(QString::fromLatin1(row.Venue));
            gigs->FieldByName(QStringLiteral("Gig contact name"))
                ->SetAsString(QString::fromLatin1(row.Contact));
            gigs->Post();
        }
        const std::unique_ptr<TTable> contacts = OpenTable("contacts.db");
        for (const char* venue : {"Blue Room", "Dock Bar"}) {
            contacts->Append();
            contacts->FieldByName(QStringLiteral("Venue"))->SetAsString(QString::fromLatin1(venue));
            contacts->FieldByName(QStringLiteral("Contact name 1"))
                ->SetAsString(QStringLiteral("Booker of %1").arg(QString::fromLatin1(venue)));
            contacts->Post();
        }
    }

    void OpenForm()
    {
        m_form = std::make_unique<TmainForm>();
        m_form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_form.get()));
        QApplication::setActiveWindow(m_form.get());
        // A bare X server (no window manager) activates nothing; offscreen always does.
        const bool mustActivate = QGuiApplication::platformName() == QLatin1String("offscreen");
        const bool active = QTest::qWaitForWindowActive(m_form.get(), mustActivate ? 5000 : 500);
        ASSERT_TRUE(active || !mustActivate) << "the main window did not become active";
    }

    TTable* GigTable() const { return m_form->Tables().Table1; }
    TTable* ContactTable() const { return m_form->Tables().contactData; }
    TDBEdit* GigEdit(const char* field) const
    {
        return m_form->Gigs().EditOf(QString::fromLatin1(field));
    }
    TDBEdit* ContactEdit(const char* field) const
    {
        return m_form->Contacts().EditOf(QString::fromLatin1(field));
    }
    QString GigText(const char* field) const { return GigEdit(field)->text(); }
    QString StoredGig(const char* field) const
    {
        return GigTable()->FieldByName(QString::fromLatin1(field))->AsString();
    }

    static void Click(const TRecordBook& book, TNavigateBtn button)
    {
        QTest::mouseClick(book.Navigator->Button(button), Qt::LeftButton);
    }

    static void ClickRow(TDBGrid* grid, int row)
    {
        const QRect cell = grid->visualRect(grid->GridModel()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QApplication::processEvents();
    }

    // Replaces an edit's text as a user does: focus, select all, type.
    static void Retype(QWidget* edit, const QString& text)
    {
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, text);
    }

    // Lets the event loop run until the condition holds; false when it never did.
    static bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 5000)
    {
        QDeadlineTimer deadline(milliseconds);
        while (!condition()) {
            if (deadline.hasExpired()) return false;
            QTest::qWait(10);
        }
        return true;
    }

    static int SelectedRow(TDBGrid* grid)
    {
        const QModelIndexList rows = grid->selectionModel()->selectedRows();
        return rows.size() == 1 ? rows.first().row() : -1;
    }
};
