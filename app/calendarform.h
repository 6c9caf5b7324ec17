#pragma once

#include "platform/datetime.h"

#include <QDialog>

class QLabel;
class QPushButton;

// The gig calendar window, shown modally by the main window's Calendar command.
//
// The month view that will fill its upper part is not built yet; in its place the window
// shows the month it was opened on.
class TcalendarFormWindow : public QDialog
{
    Q_OBJECT

public:
    explicit TcalendarFormWindow(QWidget* parent = nullptr);
    ~TcalendarFormWindow() override;

    // The day the view is set to (the Calendar command sets today).
    TDateTime ViewDate() const { return m_viewDate; }
    void SetViewDate(TDateTime date);
    // Shows the window modally; returns when it is closed.
    int ShowModal() { return exec(); }

    QPushButton* CloseButton() const { return m_closeButton; }
    void Button1Click() { close(); }

private:
    TDateTime m_viewDate = 0;
    QLabel* m_monthView = nullptr;
    QPushButton* m_closeButton = nullptr;
};

// The calendar window while the program runs (null before start-up and after the end).
extern TcalendarFormWindow* calendarFormWindow;
