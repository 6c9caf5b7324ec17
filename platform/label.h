#pragma once

#include <QLabel>

#include <functional>

// A caption on a form. With an OnClick handler it acts as a link: a pointing-hand cursor,
// and a left click (press and release on the label) runs the handler.
class TLabel : public QLabel
{
public:
    explicit TLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    const std::function<void(TLabel* sender)>& OnClick() const { return m_onClick; }
    void SetOnClick(std::function<void(TLabel* sender)> handler);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::function<void(TLabel* sender)> m_onClick;
    bool m_pressed = false;
};
