#include "app/tabledefs.h"

#include <gtest/gtest.h>

namespace {

struct TExpectedField
{
    const char* Name;
    TFieldType Type;
    int Size;
};

} // namespace

TEST(GigTableDefinition, HasTheTwentyOneFieldsInOrderWithTypesAndSizes)
{
    const TExpectedField expected[] = {
        {"Gig date", ftDate, 0},
        {"Gig time", ftTime, 0},
        {"Gig length", ftFloat, 0},
        {"Gig venue", ftString, 40},
        {"Gig contact name", ftString, 40},
        {"Business name", ftString, 20},
        {"Gig contact 2 name", ftString, 40},
        {"Gig contact 3 name", ftString, 40},
        {"Gig address", ftString, 40},
        {"Gig address 2", ftString, 40},
        {"Gig city", ftString, 20},
        {"Gig state", ftString, 2},
        {"Gig zip", ftString, 5},
        {"Gig phone", ftString, 20},
        {"Gig phone 2", ftString, 20},
        {"Gig phone 3", ftString, 30},
        {"Email address", ftString, 40},
        {"Email address 2", ftString, 40},
        {"Email address 3", ftString, 40},
        {"Venue", ftMemo, 240},
        {"Notes", ftMemo, 240},
    };
    const TTableDefinition gig = GigTableDefinition();
    EXPECT_EQ(gig.TableName, QStringLiteral("gig.db"));
    ASSERT_EQ(gig.FieldDefs.Count(), 21);
    for (int i = 0; i < 21; ++i) {
        const TFieldDef& def = gig.FieldDefs.Items(i);
        EXPECT_EQ(def.Name, QString::fromLatin1(expected[i].Name)) << "field " << i + 1;
        EXPECT_EQ(def.DataType, expected[i].Type) << expected[i].Name;
        EXPECT_EQ(def.Size, expected[i].Size) << expected[i].Name;
    }
}

TEST(GigTableDefinition, HasOneUnnamedUniquePrimaryIndexOnTheDate)
{
    const TTableDefinition gig = GigTableDefinition();
    ASSERT_EQ(gig.IndexDefs.Count(), 1);
    const TIndexDef& index = gig.IndexDefs.Items(0);
    EXPECT_TRUE(index.Name.isEmpty());
    EXPECT_EQ(index.FieldList(), QStringList{QStringLiteral("Gig date")});
    EXPECT_TRUE(index.IsPrimary());
    EXPECT_TRUE(index.IsUnique());
}

TEST(ContactTableDefinition, HasEveryBoundFieldAsTextAndTheCommentsAsMemo)
{
    const TTableDefinition contacts = ContactTableDefinition();
    EXPECT_EQ(contacts.TableName, QStringLiteral("contacts.db"));
    const QStringList bound{"Venue",           "Contact name 1",         "Contact phone 1",
                            "Contact email 1", "Contact name 2",         "Contact phone 2",
                            "Contact email 2", "Contact name 3",         "Contact phone 3",
                            "Contact email 3", "Contact address line 1", "Contact address line 2",
                            "Contact city",    "Contact state",          "Contact zip"};
    for (const QString& name : bound) {
        const TFieldDef* def = contacts.FieldDefs.Find(name);
        ASSERT_NE(def, nullptr) << qPrintable(name);
        EXPECT_EQ(def->DataType, ftString) << qPrintable(name);
        EXPECT_GT(def->Size, 0) << qPrintable(name);
    }
    const TFieldDef* comments = contacts.FieldDefs.Find(QStringLiteral("Contact comments"));
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->DataType, ftMemo);
    EXPECT_EQ(contacts.FieldDefs.Count(), bound.size() + 1);
    // Copying between a contact and a gig never cuts: each contact width covers the gig's.
    const TTableDefinition gig = GigTableDefinition();
    EXPECT_GE(contacts.FieldDefs.Find(QStringLiteral("Contact phone 1"))->Size,
              gig.FieldDefs.Find(QStringLiteral("Gig phone 3"))->Size);
    EXPECT_GE(contacts.FieldDefs.Find(QStringLiteral("Contact zip"))->Size,
              gig.FieldDefs.Find(QStringLiteral("Gig zip"))->Size);
}

TEST(GigBookDefinitions, ListTheTablesInOpeningOrder)
{
    QStringList names;
    for (const TTableDefinition& def : GigBookDefinitions())
        names << def.TableName;
    EXPECT_EQ(names, (QStringList{"gig.db", "blackout.db", "contacts.db"}));
    EXPECT_NE(BlackoutTableDefinition().IndexDefs.Primary(), nullptr);
}
