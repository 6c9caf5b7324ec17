#include "platform/collection.h"
#include "platform/component.h"
#include "platform/exceptions.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <QPointer>

#include <vector>

namespace {

class TNamedItem : public TCollectionItem
{
public:
    using TCollectionItem::TCollectionItem;
    QString Name;
    void Assign(const TCollectionItem& source) override
    {
        Name = static_cast<const TNamedItem&>(source).Name;
    }
    void Touch() { Changed(false); }
};

class TCountingCollection : public TTypedCollection<TNamedItem>
{
public:
    int Updates = 0;
    TCollectionItem* LastUpdated = nullptr;
    QStringList Log;

protected:
    void Update(TCollectionItem* item) override
    {
        ++Updates;
        LastUpdated = item;
    }
    void Notify(TCollectionItem*, TCollectionNotification action) override
    {
        Log << QString::number(action);
    }
};

class TWatcher : public TComponent
{
public:
    using TComponent::TComponent;
    QObject* Watched = nullptr;

protected:
    void Notification(QObject* component, TOperation operation) override
    {
        if (operation == opRemove && component == Watched) Watched = nullptr;
    }
};

} // namespace

TEST(Collection, OwnsOrdersIndexesAndAssignsItems)
{
    TCountingCollection c;
    TNamedItem* a = c.Add();
    a->Name = "a";
    TNamedItem* b = c.Insert(0);
    b->Name = "b";
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Items(0), b);
    EXPECT_EQ(a->Index(), 1);
    a->SetIndex(0);
    EXPECT_EQ(c.Items(0), a);
    EXPECT_NE(a->ID(), b->ID());
    EXPECT_EQ(c.FindItemID(b->ID()), b);
    EXPECT_THROW(c.Items(2), EListError);
    EXPECT_THROW(c.Delete(-1), EListError);
    delete b; // an item destroyed by itself leaves its collection
    EXPECT_EQ(c.Count(), 1);
    c.Delete(0);
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.Log, (QStringList{"0", "0", "1", "2", "1"}));

    // Assign replaces the items with copies of the source's.
    TCountingCollection source;
    source.Add()->Name = "x";
    source.Add()->Name = "y";
    c.Add()->Name = "old";
    c.Assign(source);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Items(1)->Name, QStringLiteral("y"));
}

TEST(Collection, RemovalsKeepTheOthersInOrderAndClearEmptiesFromTheEnd)
{
    TCountingCollection c;
    std::vector<TNamedItem*> items;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
        items.push_back(c.Add());
        items.back()->Name = name;
    }
    const auto names = [&c] {
        QString text;
        for (int i = 0; i < c.Count(); ++i)
            text += c.Items(i)->Name;
        return text;
    };
    delete items[2];
    EXPECT_EQ(names(), "abde");
    c.Delete(0);
    EXPECT_EQ(names(), "bde");
    EXPECT_EQ(items[4]->Index(), 2);

    c.Log.clear();
    c.Clear();
    EXPECT_EQ(c.Count(), 0);
    // Each item is announced as deleting, then as extracted by its destructor.
    EXPECT_EQ(c.Log.join(","), "2,1,2,1,2,1");
}

TEST(Collection, UpdateBracketsAnnounceOnceAtTheOutermostEnd)
{
    TCountingCollection c;
    c.Add();
    c.Updates = 0;
    c.Items(0)->Touch();
    EXPECT_EQ(c.Updates, 1);
    EXPECT_EQ(c.LastUpdated, c.Items(0));
    c.BeginUpdate();
    c.BeginUpdate();
    c.Add();
    c.Items(0)->Touch();
    c.EndUpdate();
    EXPECT_EQ(c.Updates, 1);
    c.EndUpdate();
    EXPECT_EQ(c.Updates, 2);
    EXPECT_EQ(c.LastUpdated, nullptr);
}

TEST(Component, OwnerFreesOwnedAndReferencesAreCleared)
{
    auto* owner = new TComponent();
    QPointer<TComponent> owned = new TComponent(owner);
    TWatcher watcher;
    auto* other = new TComponent();
    watcher.Watched = other;
    watcher.FreeNotification(other);
    QPointer<TComponent> guard = other;
    delete other;
    EXPECT_EQ(watcher.Watched, nullptr);
    EXPECT_TRUE(guard.isNull());
    delete owner;
    EXPECT_TRUE(owned.isNull());
}

TEST(Messages, CanBeInterceptedAndShowExceptionAddsAFullStop)
{
    TMessageCapture capture(mrYes);
    EXPECT_EQ(MessageDlg(QStringLiteral("Delete record?"), mtConfirmation, mbYes | mbNo), mrYes);
    Application()->ShowException(EDatabaseError(QStringLiteral("Key violation")));
    Application()->ShowException(Exception(QStringLiteral("Done.")));
    EXPECT_EQ(capture.Messages(), (QStringList{"Delete record?", "Key violation.", "Done."}));
}
