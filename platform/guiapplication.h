#pragma once

#include <QApplication>

#include <functional>

// The program's Qt application object. An exception that a handler lets escape into the
// event loop is shown with the standard exception display (Application()->ShowException)
// and the loop carries on, so a failed post leaves the user at the record with the error
// in front of them instead of ending the program.
//
// It also maps the classic face names that forms and components store to fonts that
// exist here, and, on a platform where no one can see a window (offscreen, minimal),
// writes messages to the standard error instead of waiting for an answer that can never
// come.
class TGuiApplication : public QApplication
{
public:
    TGuiApplication(int& argc, char** argv);
    ~TGuiApplication() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

// Gives the classic face names ("MS Sans Serif", "Tahoma", ...) a clean sans serif of this
// system, so that an 8-point dialog font looks like one.
void InstallClassicFontSubstitutes();

// Runs a handler that Qt calls (a slot, an event override) and shows what it throws with
// the standard exception display. Qt's own frames must not be unwound: its widget
// libraries are built without exception support and would skip their cleanups.
void RunGuarded(const std::function<void()>& handler);
