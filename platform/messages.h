#pragma once

#include <QString>
#include <QStringList>

#include <exception>
#include <functional>

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message box, combined as a bit set.
enum TMsgDlgBtn : unsigned {
    mbYes = 0x1,
    mbNo = 0x2,
    mbOK = 0x4,
    mbCancel = 0x8,
    mbAbort = 0x10,
    mbRetry = 0x20,
    mbIgnore = 0x40,
};

enum TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7
};

// Shows a message box and returns the button chosen (a TModalResult).
int MessageDlg(const QString& text, TMsgDlgType type, unsigned buttons);
void ShowMessage(const QString& text);

// Every message box goes through one replaceable handler, so tests can read the messages
// and answer them. An empty handler restores the real message box.
using TMessageHandler = std::function<int(const QString& text, TMsgDlgType type, unsigned buttons)>;
TMessageHandler SetMessageHandler(TMessageHandler handler);

// Records the messages shown while it lives and answers each with a fixed result.
class TMessageCapture
{
public:
    explicit TMessageCapture(int answer = mrOk);
    ~TMessageCapture();
    TMessageCapture(const TMessageCapture&) = delete;
    TMessageCapture& operator=(const TMessageCapture&) = delete;

    const QStringList& Messages() const { return m_messages; }
    QString Last() const { return m_messages.isEmpty() ? QString() : m_messages.last(); }
    void Clear() { m_messages.clear(); }

private:
    QStringList m_messages;
    TMessageHandler m_previous;
};

// The application object: its title and its standard display of exceptions.
class TApplication
{
public:
    const QString& Title() const { return m_title; }
    void SetTitle(const QString& title);
    // Shows the exception's message (with a full stop added) in an error box titled
    // with the application title.
    void ShowException(const std::exception& error);
    // Shows whatever exception is being handled; for use inside a catch block.
    void HandleException();
    void ProcessMessages();

private:
    QString m_title;
};

TApplication* Application();
