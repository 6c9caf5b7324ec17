#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// The shell's "open": hands a document or a web address to the program the desktop
// associates with it. Failures are not reported, as the shell reports none.
//
// A document without a directory is looked up in the process's current directory.
void ShellOpen(const QString& document);

// What ShellOpen would hand to the desktop: a web or mail address as it is, an existing
// file as a file URL; nothing for a file that is not there (the desktop would only show
// an error of its own).
std::optional<QUrl> ShellTarget(const QString& document);

// Every request goes through one replaceable handler so that tests can see the requests
// instead of starting programs. An empty handler restores the desktop's.
using TShellHandler = std::function<void(const QString& document)>;
TShellHandler SetShellHandler(TShellHandler handler);

// Records the documents asked for while it lives; nothing is opened.
class TShellCapture
{
public:
    TShellCapture();
    ~TShellCapture();
    TShellCapture(const TShellCapture&) = delete;
    TShellCapture& operator=(const TShellCapture&) = delete;

    const QStringList& Requests() const { return m_requests; }

private:
    QStringList m_requests;
    TShellHandler m_previous;
};
