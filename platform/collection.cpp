#include "platform/collection.h"

#include "platform/exceptions.h"

#include <algorithm>

TCollectionItem::~TCollectionItem()
{
    if (m_collection) m_collection->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection)
{
    if (collection == m_collection) return;
    if (m_collection) m_collection->RemoveItem(this);
    if (collection) collection->InsertItem(this, collection->Count());
}

int TCollectionItem::Index() const
{
    if (!m_collection) return -1;
    const auto& items = m_collection->m_items;
    const auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

void TCollectionItem::SetIndex(int index)
{
    const int current = Index();
    if (current < 0 || index == current || !m_collection) return;
    auto& items = m_collection->m_items;
    index = std::clamp(index, 0, static_cast<int>(items.size()) - 1);
    items.erase(items.begin() + current);
    items.insert(items.begin() + index, this);
    Changed(true);
}

QString TCollectionItem::DisplayName() const { return QString(); }

void TCollectionItem::Assign(const TCollectionItem&)
{
    throw EConvertError(QStringLiteral("Cannot assign a collection item of this kind"));
}

void TCollectionItem::Changed(bool allItems)
{
    if (m_collection && m_collection->m_updateCount == 0)
        m_collection->Update(allItems ? nullptr : this);
}

TCollection::TCollection(ItemFactory factory) : m_factory(std::move(factory)) {}

TCollection::~TCollection()
{
    m_updateCount = 1; // no notifications while tearing down
    while (!m_items.empty()) {
        TCollectionItem* item = m_items.back();
        m_items.pop_back();
        item->m_collection = nullptr;
        delete item;
    }
}

void TCollection::CheckIndex(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index)
{
    if (index < 0 || index > Count())
        throw EListError(QStringLiteral("List index out of bounds (%1)").arg(index));
    TCollectionItem* item = m_factory(this);
    InsertItem(item, index);
    return item;
}

TCollectionItem* TCollection::Item(int index) const
{
    CheckIndex(index);
    return m_items[static_cast<size_t>(index)];
}

void TCollection::Delete(int index)
{
    CheckIndex(index);
    TCollectionItem* item = m_items[static_cast<size_t>(index)];
    Notify(item, cnDeleting);
    delete item;
}

void TCollection::Clear()
{
    if (m_items.empty()) return;
    BeginUpdate();
    while (!m_items.empty()) {
        TCollectionItem* item = m_items.back();
        Notify(item, cnDeleting);
        delete item;
    }
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const
{
    for (TCollectionItem* item : m_items) {
        if (item->m_id == id) return item;
    }
    return nullptr;
}

void TCollection::Assign(const TCollection& source)
{
    if (&source == this) return;
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : source.m_items) Add()->Assign(*item);
    EndUpdate();
}

void TCollection::BeginUpdate() { ++m_updateCount; }

void TCollection::EndUpdate()
{
    if (m_updateCount == 0) return;
    if (--m_updateCount == 0) Changed();
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed()
{
    if (m_updateCount == 0) Update(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item, int index)
{
    m_items.insert(m_items.begin() + index, item);
    item->m_collection = this;
    item->m_id = m_nextId++;
    Notify(item, cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item)
{
    // Searched from the end: Clear removes the last item first, and a search from the
    // front would make emptying a large collection quadratic.
    const auto find = [this, item] { return std::find(m_items.rbegin(), m_items.rend(), item); };
    if (find() == m_items.rend()) return;
    Notify(item, cnExtracting);
    const auto it = find();
    if (it != m_items.rend()) m_items.erase(std::next(it).base());
    item->m_collection = nullptr;
    Changed();
}
