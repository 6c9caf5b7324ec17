#include "platform/messages.h"

#include "platform/exceptions.h"

#include <QApplication>
#include <QMessageBox>
#include <QStringList>

#include <iostream>

namespace {

TMessageHandler& Handler()
{
    static TMessageHandler handler;
    return handler;
}

QMessageBox::Icon IconFor(TMsgDlgType type)
{
    switch (type) {
    case mtWarning: return QMessageBox::Warning;
    case mtError: return QMessageBox::Critical;
    case mtInformation: return QMessageBox::Information;
    case mtConfirmation: return QMessageBox::Question;
    case mtCustom: break;
    }
    return QMessageBox::NoIcon;
}

int ShowRealMessageBox(const QString& text, TMsgDlgType type, unsigned buttons)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
        std::cerr << text.toStdString() << std::endl;
        return (buttons & mbOK) ? mrOk : (buttons & mbYes) ? mrYes : mrCancel;
    }
    const struct
    {
        unsigned flag;
        QMessageBox::StandardButton button;
        int result;
    } map[] = {{mbYes, QMessageBox::Yes, mrYes},         {mbNo, QMessageBox::No, mrNo},
               {mbOK, QMessageBox::Ok, mrOk},            {mbCancel, QMessageBox::Cancel, mrCancel},
               {mbAbort, QMessageBox::Abort, mrAbort},   {mbRetry, QMessageBox::Retry, mrRetry},
               {mbIgnore, QMessageBox::Ignore, mrIgnore}};
    QMessageBox box(IconFor(type), Application()->Title(), text);
    QMessageBox::StandardButtons standard;
    for (const auto& m : map) {
        if (buttons & m.flag) standard |= m.button;
    }
    box.setStandardButtons(standard ? standard : QMessageBox::Ok);
    const int clicked = box.exec();
    for (const auto& m : map) {
        if (clicked == m.button) return m.result;
    }
    return mrCancel;
}

} // namespace

int MessageDlg(const QString& text, TMsgDlgType type, unsigned buttons)
{
    if (Handler()) return Handler()(text, type, buttons);
    return ShowRealMessageBox(text, type, buttons);
}

void ShowMessage(const QString& text) { MessageDlg(text, mtCustom, mbOK); }

TMessageHandler SetMessageHandler(TMessageHandler handler)
{
    TMessageHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

TMessageCapture::TMessageCapture(int answer)
{
    m_previous = SetMessageHandler([this, answer](const QString& text, TMsgDlgType, unsigned) {
        m_messages << text;
        return answer;
    });
}

TMessageCapture::~TMessageCapture() { SetMessageHandler(std::move(m_previous)); }

void TApplication::SetTitle(const QString& title)
{
    m_title = title;
    if (QCoreApplication::instance()) QCoreApplication::setApplicationName(title);
}

void TApplication::ShowException(const std::exception& error)
{
    QString text;
    if (const auto* e = dynamic_cast<const Exception*>(&error)) text = e->Message();
    else text = QString::fromUtf8(error.what());
    if (!text.isEmpty() && text.back() > QLatin1Char('.')) text += QLatin1Char('.');
    MessageDlg(text, mtError, mbOK);
}

void TApplication::HandleException()
{
    try {
        throw;
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(Exception(QString()));
    }
}

void TApplication::ProcessMessages() { QCoreApplication::processEvents(); }

TApplication* Application()
{
    static TApplication application;
    return &application;
}
