#include "platform/shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

namespace {

TShellHandler& Handler()
{
    static TShellHandler handler;
    return handler;
}

bool IsAddress(const QString& document)
{
    const QUrl url(document, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    return url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                             scheme == QLatin1String("mailto"));
}

void OpenWithDesktop(const QString& document)
{
    if (const std::optional<QUrl> target = ShellTarget(document))
        QDesktopServices::openUrl(*target);
}

} // namespace

std::optional<QUrl> ShellTarget(const QString& document)
{
    if (document.trimmed().isEmpty()) return std::nullopt;
    if (IsAddress(document)) return QUrl(document);
    const QFileInfo file(QDir::current(), document);
    if (!file.exists()) return std::nullopt;
    return QUrl::fromLocalFile(file.absoluteFilePath());
}

void ShellOpen(const QString& document)
{
    if (Handler())
        Handler()(document);
    else
        OpenWithDesktop(document);
}

TShellHandler SetShellHandler(TShellHandler handler)
{
    TShellHandler previous = std::move(Handler());
    Handler() = std::move(handler);
    return previous;
}

TShellCapture::TShellCapture()
{
    m_previous = SetShellHandler([this](const QString& document) { m_requests << document; });
}

TShellCapture::~TShellCapture()
{
    SetShellHandler(std::move(m_previous));
}
