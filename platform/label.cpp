#include "platform/label.h"

#include "platform/guiapplication.h"

#include <QMouseEvent>

TLabel::TLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent)
{
    setTextFormat(Qt::PlainText);
}

void TLabel::SetOnClick(std::function<void(TLabel* sender)> handler)
{
    m_onClick = std::move(handler);
    if (m_onClick)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void TLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    QLabel::mouseReleaseEvent(event);
    if (click && m_onClick) RunGuarded([this] { m_onClick(this); });
}
