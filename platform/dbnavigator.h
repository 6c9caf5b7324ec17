#pragma once

#include "platform/navigatorglyphs.h"

#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QToolButton;
class TDataSource;

// A row of record buttons on a data source: first, prior, next, last, insert, delete,
// edit, post, cancel, refresh. Buttons are enabled as far as the dataset allows (no
// moving back from the first record, post and cancel only while editing, nothing on a
// closed dataset). Delete asks "Delete record?" first unless ConfirmDelete is off. A
// failing operation (a key violation on post, say) is shown to the user and leaves the
// record as it was.
//
// The buttons are named "First", "Prior", ... "Refresh" and carry tool tips; the
// navigator itself takes no keyboard focus.
class TDBNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit TDBNavigator(QWidget* parent = nullptr);
    ~TDBNavigator() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    QToolButton* Button(TNavigateBtn button) const { return m_buttons[button]; }
    bool ConfirmDelete() const { return m_confirmDelete; }
    void SetConfirmDelete(bool value) { m_confirmDelete = value; }

    // Does what a click on the button does; raises what the dataset raises.
    void BtnClick(TNavigateBtn button);

    // After a button's operation succeeded.
    std::function<void(TDBNavigator* sender, TNavigateBtn button)> OnClick;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class TNavigatorLink;
    friend class TNavigatorLink;

    void CreateButtons();
    void LayoutButtons();
    void UpdateButtons();
    void Clicked(TNavigateBtn button);

    std::unique_ptr<TNavigatorLink> m_link;
    std::array<QToolButton*, NavigateButtonCount> m_buttons{};
    bool m_confirmDelete = true;
};
