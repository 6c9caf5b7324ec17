#include "app/startup.h"

#include "app/calendarform.h"
#include "app/mainform.h"
#include "platform/exceptions.h"
#include "platform/messages.h"

#include <QApplication>

#include <memory>

namespace {

// Owns the windows for the run and clears the globals that name them, in the reverse
// order of their creation, however the run ends.
class TGigBookWindows
{
public:
    TGigBookWindows() = default;
    TGigBookWindows(const TGigBookWindows&) = delete;
    TGigBookWindows& operator=(const TGigBookWindows&) = delete;
    ~TGigBookWindows()
    {
        calendarFormWindow = nullptr;
        m_calendar.reset();
        mainForm = nullptr;
        m_main.reset();
    }

    void CreateMainForm()
    {
        m_main = std::make_unique<TmainForm>();
        mainForm = m_main.get();
    }
    void CreateCalendarForm()
    {
        m_calendar = std::make_unique<TcalendarFormWindow>();
        calendarFormWindow = m_calendar.get();
    }

private:
    std::unique_ptr<TmainForm> m_main;
    std::unique_ptr<TcalendarFormWindow> m_calendar;
};

void Run(TGigBookWindows& windows)
{
    Application()->SetTitle(QStringLiteral("Vantor"));
    windows.CreateMainForm();
    windows.CreateCalendarForm();
    // The main window ends the program when it closes, whatever other windows exist.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(mainForm, &TmainForm::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    mainForm->show();
    QApplication::exec();
}

} // namespace

int RunGigBook()
{
    TGigBookWindows windows;
    try {
        Run(windows);
    } catch (const Exception& error) {
        Application()->ShowException(error);
    } catch (...) {
        Application()->ShowException(Exception(QString()));
    }
    return 0;
}
