#pragma once

#include "platform/collection.h"
#include "platform/component.h"

#include <QString>

#include <memory>

class THTMLPicture;

// A named picture of a TPictureContainer.
class TPictureItem : public TCollectionItem
{
public:
    explicit TPictureItem(TCollection* collection);
    ~TPictureItem() override;

    THTMLPicture* Picture() const { return m_picture.get(); }
    // Takes a copy of the picture's bytes; the item keeps its own picture.
    void SetPicture(const THTMLPicture* picture);
    const QString& Name() const { return m_name; }
    void SetName(const QString& name);

    QString DisplayName() const override;
    void Assign(const TCollectionItem& source) override;

private:
    std::unique_ptr<THTMLPicture> m_picture;
    QString m_name;
};

class TPictureCollection : public TTypedCollection<TPictureItem>
{
public:
    // One animation tick for every item's picture; true when any of them changed frame.
    bool Animate();
};

// A non-visual component holding named pictures for the markup renderer, which finds
// them by name in any letter case.
class TPictureContainer : public TComponent
{
public:
    explicit TPictureContainer(QObject* owner = nullptr);
    ~TPictureContainer() override;

    TPictureCollection& Items() { return m_items; }
    const TPictureCollection& Items() const { return m_items; }
    // The picture of the first item whose name equals name ignoring letter case, or null.
    THTMLPicture* FindPicture(const QString& name) const;

    QString Version() const { return QStringLiteral("1.0.0.0"); }
    // The version is fixed; a stored form may still write one.
    void SetVersion(const QString&) {}

private:
    TPictureCollection m_items;
};
