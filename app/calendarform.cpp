#include "app/calendarform.h"

#include "app/formbuilder.h"
#include "platform/color.h"
#include "platform/graphics.h"

#include <QLabel>
#include <QPushButton>

TcalendarFormWindow* calendarFormWindow = nullptr;

TcalendarFormWindow::TcalendarFormWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("calendarFormWindow"));
    setWindowTitle(QStringLiteral("Gig Calendar"));
    setFont(TFont().ToQFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(clBtnFace));
    setPalette(colours);
    setAutoFillBackground(true);
    move(903, 304);
    setFixedSize(ClassicClientSize(683, 615));

    m_monthView = new QLabel(this);
    m_monthView->setObjectName(QStringLiteral("monthViewArea"));
    m_monthView->setGeometry(0, 0, 673, 521);
    m_monthView->setAlignment(Qt::AlignCenter);
    m_monthView->setFrameShape(QFrame::StyledPanel);

    m_closeButton = new QPushButton(QStringLiteral("Close"), this);
    m_closeButton->setObjectName(QStringLiteral("Button1"));
    m_closeButton->setGeometry(296, 536, 75, 25);
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, [this] { Button1Click(); });
    SetViewDate(m_viewDate);
}

TcalendarFormWindow::~TcalendarFormWindow() = default;

void TcalendarFormWindow::SetViewDate(TDateTime date)
{
    m_viewDate = date;
    m_monthView->setText(FormatDateTime(QStringLiteral("mmmm yyyy"), date));
}
