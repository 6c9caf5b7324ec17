#pragma once

#include <QString>

#include <functional>
#include <vector>

class TCollection;

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// An item of a TCollection. Items are made by their collection (Add, Insert) and owned
// by it; destroying an item takes it out of its collection.
class TCollectionItem
{
public:
    explicit TCollectionItem(TCollection* collection) : m_collection(collection) {}
    virtual ~TCollectionItem();
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return m_collection; }
    // Moves the item to another collection (or none, which leaves it unowned).
    void SetCollection(TCollection* collection);
    int Index() const;
    void SetIndex(int index);
    // A number unique within the collection, kept when items move.
    int ID() const { return m_id; }
    virtual QString DisplayName() const;
    // Copies the published values of another item; the base raises EConvertError.
    virtual void Assign(const TCollectionItem& source);

protected:
    // Tells the collection that this item (or, with allItems, the whole list) changed;
    // nothing happens while an update bracket is open.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* m_collection = nullptr;
    int m_id = -1;
};

// An ordered, indexed list of owned items, all made by one factory.
class TCollection
{
public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

    explicit TCollection(ItemFactory factory);
    virtual ~TCollection();
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    int Count() const { return static_cast<int>(m_items.size()); }
    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    // Raises EListError for an index outside [0, Count).
    TCollectionItem* Item(int index) const;
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    // Replaces the items with copies of another collection's items (via Assign).
    virtual void Assign(const TCollection& source);

    // Changes inside a bracket are announced once, by the outermost EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }

protected:
    // One item changed (item) or the whole list (nullptr).
    virtual void Update(TCollectionItem* item);
    // cnDeleting comes while the item is still whole (Delete, Clear); cnExtracting comes
    // from the item's destructor, when only its address may be used.
    virtual void Notify(TCollectionItem* item, TCollectionNotification action);
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item, int index);
    void RemoveItem(TCollectionItem* item);
    void CheckIndex(int index) const;

    ItemFactory m_factory;
    std::vector<TCollectionItem*> m_items;
    int m_updateCount = 0;
    int m_nextId = 0;
};

// A collection of one item type, with typed access.
template <class T>
class TTypedCollection : public TCollection
{
public:
    TTypedCollection() : TCollection([](TCollection* c) { return new T(c); }) {}
    explicit TTypedCollection(ItemFactory factory) : TCollection(std::move(factory)) {}
    T* Add() { return static_cast<T*>(TCollection::Add()); }
    T* Insert(int index) { return static_cast<T*>(TCollection::Insert(index)); }
    T* Items(int index) const { return static_cast<T*>(TCollection::Item(index)); }
};
