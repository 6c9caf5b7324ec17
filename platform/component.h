#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

enum TOperation { opInsert, opRemove };

// A non-visual component. The owner frees what it owns (QObject parenthood); a component
// that keeps a reference to another one asks for a free notification and clears the
// reference in Notification when the other goes away. References are best held in a
// QPointer, which clears itself as well.
class TComponent : public QObject
{
public:
    explicit TComponent(QObject* owner = nullptr);
    ~TComponent() override;

    QObject* Owner() const { return parent(); }
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }

    // Notification(other, opRemove) will be called when other is destroyed.
    void FreeNotification(QObject* other);
    void RemoveFreeNotification(QObject* other);

    // True while a stored form is being read; setters then skip their side effects.
    bool Loading() const { return m_loading; }
    void BeginLoading() { m_loading = true; }
    // Ends loading and calls Loaded.
    void EndLoading();

protected:
    // Only the address of a component being removed may be used: it is half destroyed.
    virtual void Notification(QObject* component, TOperation operation);
    virtual void Loaded() {}

private:
    void OtherDestroyed(QObject* gone);
    bool m_loading = false;
};
