#include "app/calendarform.h"
#include "app/mainform.h"
#include "app/startup.h"
#include "gigbookfixture.h"
#include "platform/exceptions.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

namespace {

class StartUpTest : public GigBookFixture
{
protected:
    static bool AnyWindowVisible()
    {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible()) return true;
        }
        return false;
    }
};

// Counts the windows shown anywhere in the application while it lives.
class TWindowShowWatcher : public QObject
{
public:
    TWindowShowWatcher() { qApp->installEventFilter(this); }
    ~TWindowShowWatcher() override { qApp->removeEventFilter(this); }
    int Shown = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->isWindow())
            ++Shown;
        return false;
    }
};

// Throws from its event handler, as a faulty handler of the program might.
class TThrowingObject : public QObject
{
public:
    int Handled = 0;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::User) return QObject::event(event);
        ++Handled;
        throw EDatabaseError(QStringLiteral("Handler failed"));
    }
};

} // namespace

TEST_F(StartUpTest, TheMainWindowRunsUntilItClosesAndTheCalendarWaitsHidden)
{
    AddGigsAndContacts();
    TWindowShowWatcher watcher;
    bool mainShown = false, calendarHidden = false;
    QString title;
    QTimer::singleShot(0, [&] {
        ASSERT_NE(mainForm, nullptr);
        ASSERT_NE(calendarFormWindow, nullptr);
        mainShown = mainForm->isVisible();
        calendarHidden = !calendarFormWindow->isVisible();
        title = Application()->Title();
        QApplication::setActiveWindow(mainForm);
        if (QTest::qWaitForWindowActive(mainForm))
            QTest::keyClick(mainForm, Qt::Key_C, Qt::AltModifier);
    });
    // Should the key not close it, the test must still end.
    QTimer giveUp;
    giveUp.setSingleShot(true);
    QObject::connect(&giveUp, &QTimer::timeout, [] { QApplication::quit(); });
    giveUp.start(5000);
    QElapsedTimer running;
    running.start();
    EXPECT_EQ(RunGigBook(), 0);
    EXPECT_LT(running.elapsed(), 5000) << "Alt+C did not end the program";
    EXPECT_TRUE(mainShown);
    EXPECT_EQ(watcher.Shown, 1);
    EXPECT_TRUE(calendarHidden);
    EXPECT_EQ(title, QStringLiteral("Vantor"));
    EXPECT_EQ(mainForm, nullptr);
    EXPECT_EQ(calendarFormWindow, nullptr);
    EXPECT_FALSE(AnyWindowVisible());
}

TEST_F(StartUpTest, AMissingTableIsShownAndNoWindowAppears)
{
    ASSERT_TRUE(QFile::remove(QDir(BookDir()).filePath(QStringLiteral("blackout.db"))));
    TWindowShowWatcher watcher;
    TMessageCapture messages;
    EXPECT_EQ(RunGigBook(), 0);
    ASSERT_EQ(messages.Messages().size(), 1);
    EXPECT_TRUE(messages.Last().contains(QStringLiteral("blackout.db")))
        << messages.Last().toStdString();
    EXPECT_EQ(watcher.Shown, 0);
    EXPECT_FALSE(AnyWindowVisible());
    EXPECT_EQ(mainForm, nullptr);
}

TEST_F(StartUpTest, TheProgramEndsWithZeroWhenATableIsMissing)
{
    ASSERT_TRUE(QFile::remove(QDir(BookDir()).filePath(QStringLiteral("blackout.db"))));
    QProcess vantor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), Under(QStringLiteral("data")));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), Under(QStringLiteral("config")));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    vantor.setProcessEnvironment(env);
    vantor.start(QStringLiteral(VANTOR_EXE), {});
    ASSERT_TRUE(vantor.waitForStarted());
    const bool finished = vantor.waitForFinished(60000);
    if (!finished) vantor.kill();
    ASSERT_TRUE(finished) << "the program did not end";
    EXPECT_EQ(vantor.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(vantor.exitCode(), 0);
    const QString errors = QString::fromLocal8Bit(vantor.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("blackout.db"))) << errors.toStdString();
}

TEST(ApplicationTest, ExceptionsFromEventHandlersAreShownAndTheLoopGoesOn)
{
    TThrowingObject object;
    TMessageCapture messages;
    QEvent direct(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&object, &direct));
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::postEvent(&object, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(object.Handled, 3);
    EXPECT_EQ(messages.Messages(), (QStringList(3, QStringLiteral("Handler failed."))));
}
