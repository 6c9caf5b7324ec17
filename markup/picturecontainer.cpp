#include "markup/picturecontainer.h"

#include "markup/htmlpicture.h"

TPictureItem::TPictureItem(TCollection* collection)
    : TCollectionItem(collection), m_picture(std::make_unique<THTMLPicture>())
{
}

TPictureItem::~TPictureItem() = default;

void TPictureItem::SetPicture(const THTMLPicture* picture)
{
    if (picture == m_picture.get()) return;
    m_picture->Assign(picture);
    Changed(false);
}

void TPictureItem::SetName(const QString& name)
{
    if (name == m_name) return;
    m_name = name;
    Changed(false);
}

QString TPictureItem::DisplayName() const
{
    return m_name.isEmpty() ? TCollectionItem::DisplayName() : m_name;
}

void TPictureItem::Assign(const TCollectionItem& source)
{
    const auto* item = dynamic_cast<const TPictureItem*>(&source);
    if (!item) {
        TCollectionItem::Assign(source);
        return;
    }
    m_name = item->m_name;
    m_picture->SetStretch(item->m_picture->Stretch());
    m_picture->Assign(item->m_picture.get());
    Changed(false);
}

bool TPictureCollection::Animate()
{
    bool changed = false;
    for (int i = 0; i < Count(); ++i) {
        if (Items(i)->Picture()->Step()) changed = true;
    }
    return changed;
}

TPictureContainer::TPictureContainer(QObject* owner) : TComponent(owner) {}

TPictureContainer::~TPictureContainer() = default;

THTMLPicture* TPictureContainer::FindPicture(const QString& name) const
{
    for (int i = 0; i < m_items.Count(); ++i) {
        TPictureItem* item = m_items.Items(i);
        if (item->Name().compare(name, Qt::CaseInsensitive) == 0) return item->Picture();
    }
    return nullptr;
}
