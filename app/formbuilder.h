#pragma once

#include "platform/color.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPushButton;
class QWidget;
class TDataSource;
class TDBEdit;
class TDBGrid;
class TDBMemo;
class TDBNavigator;
class TLabel;

// A control's place in the form's tab order (the classic TabOrder number).
struct TTabStop
{
    int Order;
    QWidget* Control;
};

// A bound edit as a form lists it: object name, field, geometry and tab order.
struct TEditPlace
{
    const char* Name;
    const char* Field;
    int Left, Top, Width, Height;
    int Tab;
};

// A caption at a position; captions of the form are bold unless said otherwise.
struct TLabelPlace
{
    const char* Name;
    const char* Caption;
    int Left, Top;
};

// Places the controls of one half of a form at fixed positions, binds them to the
// half's data source and collects their tab stops.
class TFormBuilder
{
public:
    TFormBuilder(QWidget* form, TDataSource* source, std::vector<TTabStop>& tabStops);

    // Sized to its caption in the form's font, bold unless plain.
    TLabel* Label(const TLabelPlace& place, bool bold = true, TColor color = clWindowText);
    TDBEdit* Edit(const TEditPlace& place);
    TDBMemo* Memo(const TEditPlace& place);
    TDBNavigator* Navigator(const char* name, const QRect& geometry, int tab);
    TDBGrid* Grid(const char* name, const QRect& geometry, const QStringList& columns, int tab);
    QPushButton* Button(const char* name, const QString& caption, const QRect& geometry, int tab);

private:
    void Place(QWidget* control, const char* name, const QRect& geometry, int tab);

    QWidget* m_form;
    TDataSource* m_source;
    std::vector<TTabStop>& m_tabStops;
};

// A form's size as designed counts the window frame; the client area is what a standard
// frame (4-pixel borders, a 23-pixel caption) leaves inside.
QSize ClassicClientSize(int width, int height);

// Chains the controls in the order of their numbers: Tab from one reaches the next.
void ApplyTabOrder(std::vector<TTabStop> stops);
