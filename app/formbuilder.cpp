#include "app/formbuilder.h"

#include "platform/dbedit.h"
#include "platform/dbgrid.h"
#include "platform/dbmemo.h"
#include "platform/dbnavigator.h"
#include "platform/label.h"

#include <QPushButton>

#include <algorithm>

TFormBuilder::TFormBuilder(QWidget* form, TDataSource* source, std::vector<TTabStop>& tabStops)
    : m_form(form), m_source(source), m_tabStops(tabStops)
{
}

void TFormBuilder::Place(QWidget* control, const char* name, const QRect& geometry, int tab)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    m_tabStops.push_back({tab, control});
}

TLabel* TFormBuilder::Label(const TLabelPlace& place, bool bold, TColor color)
{
    auto* label = new TLabel(QString::fromLatin1(place.Caption), m_form);
    label->setObjectName(QString::fromLatin1(place.Name));
    QFont font = m_form->font();
    font.setBold(bold);
    label->setFont(font);
    if (color != clWindowText) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, ToQColor(color));
        label->setPalette(palette);
    }
    label->move(place.Left, place.Top);
    label->adjustSize();
    return label;
}

TDBEdit* TFormBuilder::Edit(const TEditPlace& place)
{
    auto* edit = new TDBEdit(m_form);
    Place(edit, place.Name, QRect(place.Left, place.Top, place.Width, place.Height), place.Tab);
    edit->SetDataSource(m_source);
    edit->SetDataField(QString::fromLatin1(place.Field));
    return edit;
}

TDBMemo* TFormBuilder::Memo(const TEditPlace& place)
{
    auto* memo = new TDBMemo(m_form);
    Place(memo, place.Name, QRect(place.Left, place.Top, place.Width, place.Height), place.Tab);
    memo->SetDataSource(m_source);
    memo->SetDataField(QString::fromLatin1(place.Field));
    return memo;
}

TDBNavigator* TFormBuilder::Navigator(const char* name, const QRect& geometry, int tab)
{
    auto* navigator = new TDBNavigator(m_form);
    Place(navigator, name, geometry, tab);
    navigator->SetDataSource(m_source);
    return navigator;
}

TDBGrid* TFormBuilder::Grid(const char* name, const QRect& geometry, const QStringList& columns,
                            int tab)
{
    auto* grid = new TDBGrid(m_form);
    Place(grid, name, geometry, tab);
    grid->SetColumns(columns);
    grid->SetDataSource(m_source);
    return grid;
}

QPushButton* TFormBuilder::Button(const char* name, const QString& caption, const QRect& geometry,
                                  int tab)
{
    auto* button = new QPushButton(caption, m_form);
    Place(button, name, geometry, tab);
    button->setAutoDefault(false);
    return button;
}

QSize ClassicClientSize(int width, int height)
{
    constexpr int Border = 4;
    constexpr int Caption = 23;
    return QSize(width - 2 * Border, height - 2 * Border - Caption);
}

void ApplyTabOrder(std::vector<TTabStop> stops)
{
    std::stable_sort(stops.begin(), stops.end(),
                     [](const TTabStop& a, const TTabStop& b) { return a.Order < b.Order; });
    // Controls that take no focus (the navigators) keep their number but are passed over.
    std::erase_if(stops, [](const TTabStop& s) { return s.Control->focusPolicy() == Qt::NoFocus; });
    for (size_t i = 1; i < stops.size(); ++i)
        QWidget::setTabOrder(stops[i - 1].Control, stops[i].Control);
}
