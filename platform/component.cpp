#include "platform/component.h"

TComponent::TComponent(QObject* owner) : QObject(owner) {}

TComponent::~TComponent() = default;

void TComponent::FreeNotification(QObject* other)
{
    if (!other || other == this) return;
    // The connection dies with either object, so no stale notification is possible.
    connect(other, &QObject::destroyed, this, &TComponent::OtherDestroyed, Qt::UniqueConnection);
}

void TComponent::RemoveFreeNotification(QObject* other)
{
    if (other) disconnect(other, &QObject::destroyed, this, &TComponent::OtherDestroyed);
}

void TComponent::EndLoading()
{
    m_loading = false;
    Loaded();
}

void TComponent::Notification(QObject*, TOperation) {}

void TComponent::OtherDestroyed(QObject* gone) { Notification(gone, opRemove); }
