#include "app/appinfo.h"
#include "app/calendarform.h"
#include "gigbookfixture.h"
#include "platform/exportdialogform.h"
#include "platform/label.h"
#include "platform/qexport3dialog.h"
#include "platform/shell.h"

#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

#include <functional>

namespace {

class MainFormCommandsTest : public GigBookFixture
{
protected:
    void SetUp() override
    {
        GigBookFixture::SetUp();
        AddGigsAndContacts();
        OpenForm();
    }

    QPushButton* Button(const char* name) const
    {
        return m_form->findChild<QPushButton*>(QString::fromLatin1(name));
    }

    // Clicks a button whose handler shows a modal window, and hands that window to `inside`
    // while it is up; `inside` must close it.
    static void ClickIntoModal(QPushButton* button, const std::function<void(QWidget*)>& inside)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            seen = modal != nullptr;
            if (modal) inside(modal);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        EXPECT_TRUE(seen) << "no modal window came up";
    }

    static QList<QWidget*> VisibleWindows()
    {
        QList<QWidget*> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) windows << w;
        }
        return windows;
    }
};

} // namespace

TEST_F(MainFormCommandsTest, AltCClosesTheWindow)
{
    QSignalSpy closed(m_form.get(), &TmainForm::Closed);
    QTest::keyClick(m_form.get(), Qt::Key_C, Qt::AltModifier);
    // An access key presses its button visibly, then clicks.
    EXPECT_TRUE(WaitUntil([this] { return !m_form->isVisible(); }));
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainFormCommandsTest, ClosingPostsWhatWasTypedAndARefusalKeepsTheWindowOpen)
{
    Retype(GigEdit("Gig venue"), QStringLiteral("Blue Room Upstairs"));
    QTest::mouseClick(m_form->CloseButton(), Qt::LeftButton);
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(OpenTable("gig.db")->FieldByName(QStringLiteral("Gig venue"))->AsString(),
              QStringLiteral("Blue Room Upstairs"));

    m_form->show();
    Retype(GigEdit("Gig date"), DateToStr(May(10))); // taken
    QSignalSpy closed(m_form.get(), &TmainForm::Closed);
    TMessageCapture messages;
    m_form->CloseClick();
    EXPECT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(m_form->isVisible());
    EXPECT_EQ(closed.count(), 0);
    EXPECT_EQ(GigText("Gig date"), DateToStr(May(10)));
    Click(m_form->Gigs(), nbCancel);
    m_form->CloseClick();
    EXPECT_FALSE(m_form->isVisible());
    EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainFormCommandsTest, HelpAndTheLinkAskTheShell)
{
    TShellCapture shell;
    QTest::mouseClick(m_form->HelpButton(), Qt::LeftButton);
    QTest::mouseClick(m_form->LinkLabel(), Qt::LeftButton);
    EXPECT_EQ(shell.Requests(),
              (QStringList{QStringLiteral("Vantor.chm"), QString::fromLatin1(MakerWebAddress)}));
}

TEST_F(MainFormCommandsTest, HelpWithoutTheHelpFileDoesNothingVisible)
{
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_home.path()); // no Vantor.chm here
    // The desktop's own handler is in place: nothing would be handed to it.
    const bool nothingToOpen = !ShellTarget(QString::fromLatin1(HelpFileName)).has_value();
    const QList<QWidget*> before = VisibleWindows();
    TMessageCapture messages;
    QTest::mouseClick(m_form->HelpButton(), Qt::LeftButton);
    QApplication::processEvents();
    QDir::setCurrent(previous);
    EXPECT_TRUE(nothingToOpen);
    EXPECT_TRUE(messages.Messages().isEmpty());
    EXPECT_EQ(VisibleWindows(), before);
    EXPECT_EQ(QApplication::activeWindow(), m_form.get());
}

TEST_F(MainFormCommandsTest, CalendarShowsTodaysMonthModallyInItsOwnPlace)
{
    TcalendarFormWindow calendar;
    EXPECT_EQ(calendar.pos(), QPoint(903, 304));
    EXPECT_EQ(calendar.size(), QSize(675, 584)); // 683 x 615 with the frame
    EXPECT_EQ(calendar.CloseButton()->geometry(), QRect(296, 536, 75, 25));
    EXPECT_EQ(calendar.CloseButton()->text(), QStringLiteral("Close"));
    EXPECT_FALSE(calendar.isVisible());

    calendarFormWindow = &calendar;
    SetClockOverride(EncodeDate(2025, 2, 14) + 0.5);
    TDateTime shownDate = 0;
    bool mainWasBlocked = false;
    ClickIntoModal(m_form->Gigs().Calendar, [&](QWidget* modal) {
        EXPECT_EQ(modal, &calendar);
        EXPECT_EQ(modal->windowTitle(), QStringLiteral("Gig Calendar"));
        shownDate = calendar.ViewDate();
        mainWasBlocked = QApplication::activeModalWidget() != m_form.get();
        QTest::mouseClick(calendar.CloseButton(), Qt::LeftButton);
    });
    SetClockOverride(std::nullopt);
    calendarFormWindow = nullptr;
    EXPECT_EQ(shownDate, EncodeDate(2025, 2, 14));
    EXPECT_TRUE(mainWasBlocked);
    EXPECT_FALSE(calendar.isVisible());
    EXPECT_TRUE(m_form->isVisible());
}

TEST_F(MainFormCommandsTest, ReportsRunTheExportDialogOnTheirTables)
{
    EXPECT_EQ(m_form->GigReport()->DataSet(), GigTable());
    EXPECT_EQ(m_form->ContactReport()->DataSet(), ContactTable());
    EXPECT_EQ(m_form->GigReport()->Name(), QStringLiteral("QExport3Dialog1"));
    EXPECT_EQ(m_form->ContactReport()->Name(), QStringLiteral("QExport3Dialog2"));
    EXPECT_EQ(m_form->GigReport()->Options().Csv.Separator, QLatin1Char(','));
    EXPECT_EQ(m_form->ContactReport()->Options().Xlsx.SheetTitle, QStringLiteral("Sheet 1"));

    const QString file = QDir(m_home.path()).filePath(QStringLiteral("gigs.csv"));
    ClickIntoModal(Button("Button3"), [&](QWidget* modal) {
        auto* form = dynamic_cast<TExportDialogForm*>(modal);
        ASSERT_NE(form, nullptr);
        form->SetFormat(efCsv);
        form->SetFileText(file);
        form->accept();
    });
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(written.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("Corn Exchange")));
    EXPECT_TRUE(text.contains(QStringLiteral("Business name"))); // every field of the gig

    // Cancelling the contact report writes nothing and leaves the window as it was.
    ClickIntoModal(Button("Button4"),
                   [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); });
    EXPECT_TRUE(m_form->isVisible());
}
