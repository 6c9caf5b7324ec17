#include "platform/dbnavigator.h"

#include "platform/canvas.h"
#include "platform/datalink.h"
#include "platform/datasource.h"
#include "platform/guiapplication.h"
#include "platform/messages.h"

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

namespace {

constexpr int GlyphSize = 16;

struct TButtonText
{
    const char* Name;
    const char* Hint;
};

constexpr std::array<TButtonText, NavigateButtonCount> ButtonTexts{{
    {"First", "First record"},
    {"Prior", "Prior record"},
    {"Next", "Next record"},
    {"Last", "Last record"},
    {"Insert", "Insert record"},
    {"Delete", "Delete record"},
    {"Edit", "Edit record"},
    {"Post", "Post edit"},
    {"Cancel", "Cancel edit"},
    {"Refresh", "Refresh data"},
}};

QIcon GlyphIcon(TNavigateBtn button)
{
    QImage image(GlyphSize, GlyphSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        TCanvas canvas(&image);
        DrawNavigatorGlyph(canvas, TRect(0, 0, GlyphSize, GlyphSize), button, clBlack);
    }
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

class TDBNavigator::TNavigatorLink : public TDataLink
{
public:
    explicit TNavigatorLink(TDBNavigator& navigator) : m_navigator(navigator) {}

protected:
    void ActiveChanged() override { m_navigator.UpdateButtons(); }
    void EditingChanged() override { m_navigator.UpdateButtons(); }
    void DataSetChanged() override { m_navigator.UpdateButtons(); }

private:
    TDBNavigator& m_navigator;
};

TDBNavigator::TDBNavigator(QWidget* parent)
    : QWidget(parent), m_link(std::make_unique<TNavigatorLink>(*this))
{
    setFocusPolicy(Qt::NoFocus);
    CreateButtons();
    UpdateButtons();
}

TDBNavigator::~TDBNavigator() = default;

TDataSource* TDBNavigator::DataSource() const
{
    return m_link->DataSource();
}

void TDBNavigator::SetDataSource(TDataSource* source)
{
    m_link->SetDataSource(source);
    UpdateButtons();
}

void TDBNavigator::CreateButtons()
{
    for (int i = 0; i < NavigateButtonCount; ++i) {
        const auto button = static_cast<TNavigateBtn>(i);
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(ButtonTexts[i].Name));
        b->setToolTip(QString::fromLatin1(ButtonTexts[i].Hint));
        b->setAccessibleName(b->toolTip());
        b->setIcon(GlyphIcon(button));
        b->setIconSize(QSize(GlyphSize, GlyphSize));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QToolButton::clicked, this, [this, button] { Clicked(button); });
        m_buttons[i] = b;
    }
}

void TDBNavigator::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    LayoutButtons();
}

void TDBNavigator::LayoutButtons()
{
    // Equal widths; what does not divide evenly is left as a margin at both ends.
    const int each = width() / NavigateButtonCount;
    int x = (width() - each * NavigateButtonCount) / 2;
    for (QToolButton* b : m_buttons) {
        b->setGeometry(x, 0, each, height());
        x += each;
    }
}

void TDBNavigator::UpdateButtons()
{
    TDataSet* dataSet = m_link->DataSet();
    const bool active = m_link->Active() && dataSet;
    const bool up = active && !dataSet->Bof();
    const bool down = active && !dataSet->Eof();
    const bool canModify = active && dataSet->CanModify() && !m_link->ReadOnly();
    const bool editing = active && m_link->Editing();
    m_buttons[nbFirst]->setEnabled(up);
    m_buttons[nbPrior]->setEnabled(up);
    m_buttons[nbNext]->setEnabled(down);
    m_buttons[nbLast]->setEnabled(down);
    m_buttons[nbInsert]->setEnabled(canModify);
    m_buttons[nbDelete]->setEnabled(canModify && !dataSet->IsEmpty());
    m_buttons[nbEdit]->setEnabled(canModify && !editing);
    m_buttons[nbPost]->setEnabled(canModify && editing);
    m_buttons[nbCancel]->setEnabled(canModify && editing);
    m_buttons[nbRefresh]->setEnabled(active);
}

void TDBNavigator::BtnClick(TNavigateBtn button)
{
    TDataSet* dataSet = m_link->DataSet();
    if (!m_link->Active() || !dataSet) return;
    switch (button) {
    case nbFirst:
        dataSet->First();
        break;
    case nbPrior:
        dataSet->Prior();
        break;
    case nbNext:
        dataSet->Next();
        break;
    case nbLast:
        dataSet->Last();
        break;
    case nbInsert:
        dataSet->Insert();
        break;
    case nbDelete:
        if (m_confirmDelete &&
            MessageDlg(QStringLiteral("Delete record?"), mtConfirmation, mbOK | mbCancel) != mrOk)
            return;
        dataSet->Delete();
        break;
    case nbEdit:
        dataSet->Edit();
        break;
    case nbPost:
        dataSet->Post();
        break;
    case nbCancel:
        dataSet->Cancel();
        break;
    case nbRefresh:
        dataSet->Refresh();
        break;
    }
    if (OnClick) OnClick(this, button);
}

void TDBNavigator::Clicked(TNavigateBtn button)
{
    RunGuarded([this, button] { BtnClick(button); });
    // A failed operation may have changed nothing the link hears about.
    UpdateButtons();
}
