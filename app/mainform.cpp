#include "app/mainform.h"

#include "app/appinfo.h"
#include "app/calendarform.h"
#include "app/contacthalf.h"
#include "app/formbuilder.h"
#include "app/gighalf.h"
#include "platform/bevel.h"
#include "platform/clock.h"
#include "platform/datasource.h"
#include "platform/exportoptions.h"
#include "platform/graphics.h"
#include "platform/guiapplication.h"
#include "platform/label.h"
#include "platform/messages.h"
#include "platform/qexport3dialog.h"
#include "platform/shell.h"
#include "platform/table.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QUrl>

TmainForm* mainForm = nullptr;

namespace {

const QPoint FormPosition(292, 108);
const QSize FormSize(965, 819); // the window with its frame

bool IsEditing(const TDataSet* dataSet)
{
    return dataSet->Active() && (dataSet->State() == dsEdit || dataSet->State() == dsInsert);
}

} // namespace

TmainForm::TmainForm(QWidget* parent) : QWidget(parent)
{
    SetUpWindow();
    m_tables = CreateGigBookTables(this);
    OpenGigBookTables(m_tables);
    CreateReports();

    std::vector<TTabStop> tabStops;
    TFormBuilder gigBuilder(this, m_tables.DataSource1, tabStops);
    m_gigs = BuildGigHalf(gigBuilder);
    TFormBuilder contactBuilder(this, m_tables.DataSource3, tabStops);
    m_contacts = BuildContactHalf(contactBuilder);
    BuildBottomRow(tabStops);
    ApplyTabOrder(tabStops);
    ConnectCommands();
}

TmainForm::~TmainForm() = default;

void TmainForm::SetUpWindow()
{
    setObjectName(QStringLiteral("mainForm"));
    setWindowTitle(QStringLiteral("Vantor"));
    setFont(TFont().ToQFont());
    QPalette colours = palette();
    colours.setColor(QPalette::Window, ToQColor(clSkyBlue));
    setPalette(colours);
    setAutoFillBackground(true);
    move(FormPosition);
    setFixedSize(ClassicClientSize(FormSize.width(), FormSize.height()));
}

void TmainForm::BuildBottomRow(std::vector<TTabStop>& tabStops)
{
    TFormBuilder builder(this, nullptr, tabStops);
    m_bevel = new TBevel(this);
    m_bevel->setObjectName(QStringLiteral("Bevel1"));
    m_bevel->SetShape(bsLeftLine);
    m_bevel->setGeometry(480, 8, 9, 729);

    m_closeButton =
        builder.Button("Button1", QStringLiteral("&Close"), QRect(448, 744, 75, 25), 37);
    m_helpButton = builder.Button("Button7", QStringLiteral("Help"), QRect(864, 744, 75, 25), 45);

    // The label shows the address without its scheme, as people write it.
    const QString host = QUrl(QString::fromLatin1(MakerWebAddress)).host();
    m_linkLabel = builder.Label({"Label10", "", 632, 744}, true, clBlue);
    m_linkLabel->setText(host);
    QFont linkFont = m_linkLabel->font();
    linkFont.setUnderline(true);
    m_linkLabel->setFont(linkFont);
    m_linkLabel->setGeometry(632, 744, 180, 13);
    m_linkLabel->setToolTip(QString::fromLatin1(MakerWebAddress));

    builder.Label({"versionLabel", "Version 1", 888, 8}, true, clRed);
}

void TmainForm::CreateReports()
{
    m_gigReport = new TQExport3Dialog(this);
    m_gigReport->SetName(QStringLiteral("QExport3Dialog1"));
    m_gigReport->SetDataSet(m_tables.Table1);
    m_gigReport->Options() = GigBookExportOptions();
    m_contactReport = new TQExport3Dialog(this);
    m_contactReport->SetName(QStringLiteral("QExport3Dialog2"));
    m_contactReport->SetDataSet(m_tables.contactData);
    m_contactReport->Options() = GigBookExportOptions();
}

void TmainForm::ConnectCommands()
{
    auto wire = [this](QPushButton* button, void (TmainForm::*handler)()) {
        connect(button, &QPushButton::clicked, this,
                [this, handler] { RunGuarded([this, handler] { (this->*handler)(); }); });
    };
    wire(m_closeButton, &TmainForm::Button1Click);
    wire(m_gigs.Calendar, &TmainForm::Button2Click);
    wire(m_gigs.Report, &TmainForm::Button3Click);
    wire(m_contacts.Report, &TmainForm::Button4Click);
    wire(m_helpButton, &TmainForm::Button7Click);
    m_linkLabel->SetOnClick([this](TLabel*) { Label10Click(); });
}

void TmainForm::Button1Click()
{
    close();
}

void TmainForm::CloseClick()
{
    close();
}

void TmainForm::Button2Click()
{
    if (!calendarFormWindow) return;
    calendarFormWindow->SetViewDate(Date());
    calendarFormWindow->ShowModal();
}

void TmainForm::Button3Click()
{
    m_gigReport->Execute();
}

void TmainForm::Button4Click()
{
    m_contactReport->Execute();
}

void TmainForm::Button7Click()
{
    ShellOpen(QString::fromLatin1(HelpFileName));
}

void TmainForm::Label10Click()
{
    ShellOpen(QString::fromLatin1(MakerWebAddress));
}

void TmainForm::PostPendingEdits()
{
    for (TTable* table : {m_tables.Table1, m_tables.contactData}) {
        if (IsEditing(table)) table->CheckBrowseMode();
    }
}

void TmainForm::closeEvent(QCloseEvent* event)
{
    try {
        PostPendingEdits();
    } catch (...) {
        event->ignore();
        Application()->HandleException();
        return;
    }
    event->accept();
    emit Closed();
}
