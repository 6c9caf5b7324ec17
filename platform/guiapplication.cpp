#include "platform/guiapplication.h"

#include "platform/messages.h"

#include <QFont>
#include <QGuiApplication>
#include <QStringList>

#include <iostream>

namespace {

// Narrow enough to fit captions drawn for the classic 8-point face, and always installed
// here; the others are taken when present.
const QStringList SansSerifFaces{QStringLiteral("DejaVu Sans Condensed"),
                                 QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans"),
                                 QStringLiteral("Noto Sans")};

bool NoOneCanSeeWindows()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int WriteMessageToStandardError(const QString& text, TMsgDlgType, unsigned buttons)
{
    std::cerr << text.toStdString() << std::endl;
    if (buttons & mbOK) return mrOk;
    if (buttons & mbYes) return mrYes;
    return mrCancel;
}

} // namespace

void InstallClassicFontSubstitutes()
{
    for (const char* face : {"MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(face), SansSerifFaces);
}

TGuiApplication::TGuiApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    InstallClassicFontSubstitutes();
    if (NoOneCanSeeWindows()) SetMessageHandler(WriteMessageToStandardError);
}

TGuiApplication::~TGuiApplication() = default;

bool TGuiApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        Application()->HandleException();
    }
    return false;
}

void RunGuarded(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (...) {
        Application()->HandleException();
    }
}
