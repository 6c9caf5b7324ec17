#pragma once

#include "app/gigbooktables.h"
#include "app/recordbook.h"

#include <QWidget>

class QPushButton;
class TBevel;
class TLabel;
class TQExport3Dialog;
struct TTabStop;

// The gig book's main window: gigs on the left, contacts on the right, each a record
// book with a navigator, a grid and bound edits, and the commands along the bottom.
//
// Creating it opens the three tables (gig, blackout, contact); a table that cannot be
// opened makes the constructor raise EDatabaseError. Closing it posts the records being
// edited (a post the table refuses is shown and keeps the window open, so that nothing
// typed is lost) and then emits Closed.
class TmainForm : public QWidget
{
    Q_OBJECT

public:
    explicit TmainForm(QWidget* parent = nullptr);
    ~TmainForm() override;

    const TGigBookTables& Tables() const { return m_tables; }
    const TRecordBook& Gigs() const { return m_gigs; }
    const TRecordBook& Contacts() const { return m_contacts; }
    QPushButton* CloseButton() const { return m_closeButton; }
    QPushButton* HelpButton() const { return m_helpButton; }
    TLabel* LinkLabel() const { return m_linkLabel; }
    TQExport3Dialog* GigReport() const { return m_gigReport; }
    TQExport3Dialog* ContactReport() const { return m_contactReport; }

    // Command handlers.
    void Button1Click(); // Close
    void Button2Click(); // Calendar
    void Button3Click(); // Gig Report
    void Button4Click(); // Contact Report
    void Button7Click(); // Help
    void Label10Click(); // the maker's web address
    void CloseClick();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void SetUpWindow();
    void BuildBottomRow(std::vector<TTabStop>& tabStops);
    void CreateReports();
    void ConnectCommands();
    void PostPendingEdits();

    TGigBookTables m_tables;
    TRecordBook m_gigs;
    TRecordBook m_contacts;
    TBevel* m_bevel = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_helpButton = nullptr;
    TLabel* m_linkLabel = nullptr;
    TQExport3Dialog* m_gigReport = nullptr;
    TQExport3Dialog* m_contactReport = nullptr;
};

// The main window while the program runs (null before start-up and after the end).
extern TmainForm* mainForm;
