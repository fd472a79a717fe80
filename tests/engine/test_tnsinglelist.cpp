#include "tnsinglelist.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts live items, to see that removal runs each item's destructor.
struct Item {
    static inline int s_iLive = 0;
    int m_iValue;
    Item(int iValue) : m_iValue(iValue) { ++s_iLive; }
    Item(const Item& other) : m_iValue(other.m_iValue) { ++s_iLive; }
    ~Item() { --s_iLive; }
};

typedef tnSingleList<Item> ItemList;

void AppendValues(ItemList& kList, int iFirst, int iLast)
{
    for (int i = iFirst; i <= iLast; ++i) {
        Item kItem(i);
        kList.AppendItem(kItem);
    }
}

// Walks the list from the head through the nodes' links.
std::vector<int> Values(ItemList& kList)
{
    std::vector<int> kValues;
    for (ItemList::tnListNode* p = kList.GetHead(); p; p = p->next)
        kValues.push_back(p->data.m_iValue);
    return kValues;
}

} // namespace

TEST(tnSingleList, AppendCopiesItemsBehindTheTail)
{
    ItemList kList;
    EXPECT_TRUE(kList.Empty());
    EXPECT_EQ(kList.GetHead(), nullptr);
    EXPECT_EQ(kList.GetTail(), nullptr);

    Item kItem(1);
    kList.AppendItem(kItem);
    kItem.m_iValue = 2;
    EXPECT_EQ(kList.GetTail()->data.m_iValue, 1);
    kList.Reset();
    kList.AppendItem(kItem);
    // The iterator does not move on append.
    EXPECT_EQ(kList.GetCurrent(), kList.GetHead());
    EXPECT_EQ(kList.GetTail()->data.m_iValue, 2);
    EXPECT_EQ(kList.GetTail()->next, nullptr);
    EXPECT_EQ(kList.Size(), 2u);
    EXPECT_FALSE(kList.Empty());
}

TEST(tnSingleList, IteratorVisitsInOrderAndEndsNotValid)
{
    ItemList kList;
    kList.Next();
    EXPECT_FALSE(kList.IsIteratorValid());
    AppendValues(kList, 1, 3);
    std::vector<int> kSeen;
    for (kList.Reset(); kList.IsIteratorValid(); kList.Next())
        kSeen.push_back(kList.GetCurrentItem().m_iValue);
    EXPECT_EQ(kSeen, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(kList.GetCurrent(), nullptr);
    kList.Next();
    EXPECT_FALSE(kList.IsIteratorValid());
}

TEST(tnSingleList, RemovingTheOnlyItemEmptiesTheList)
{
    Item::s_iLive = 0;
    ItemList kList;
    AppendValues(kList, 7, 7);
    kList.Reset();
    kList.RemoveCurrentItem();
    EXPECT_EQ(kList.Size(), 0u);
    EXPECT_EQ(kList.GetHead(), nullptr);
    EXPECT_EQ(kList.GetTail(), nullptr);
    EXPECT_FALSE(kList.IsIteratorValid());
    EXPECT_EQ(Item::s_iLive, 0);
    // Nothing to remove: harmless.
    kList.RemoveCurrentItem();
    EXPECT_EQ(kList.Size(), 0u);
}

TEST(tnSingleList, RemoveOrNextLoopVisitsEveryItemOnce)
{
    Item::s_iLive = 0;
    ItemList kList;
    AppendValues(kList, 1, 10);
    std::vector<int> kSeen;
    kList.Reset();
    while (kList.IsIteratorValid()) {
        const int iValue = kList.GetCurrentItem().m_iValue;
        kSeen.push_back(iValue);
        // Remove the head, two neighbours and the tail among the others.
        if (iValue == 1 || iValue == 4 || iValue == 5 || iValue % 3 == 0 || iValue == 10)
            kList.RemoveCurrentItem();
        else
            kList.Next();
    }
    EXPECT_EQ(kSeen, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(Values(kList), (std::vector<int>{2, 7, 8}));
    EXPECT_EQ(kList.Size(), 3u);
    EXPECT_EQ(kList.GetTail()->data.m_iValue, 8);
    EXPECT_EQ(Item::s_iLive, 3);
    // The tail's removal left its predecessor linked as the tail.
    AppendValues(kList, 11, 11);
    EXPECT_EQ(Values(kList), (std::vector<int>{2, 7, 8, 11}));
}

TEST(tnSingleList, RemoveItemFindsTheItemByAddress)
{
    ItemList kList;
    AppendValues(kList, 1, 3);
    Item* pkSecond = &kList.GetHead()->next->data;
    kList.RemoveItem(pkSecond);
    EXPECT_EQ(Values(kList), (std::vector<int>{1, 3}));
    ASSERT_TRUE(kList.IsIteratorValid());
    EXPECT_EQ(kList.GetCurrentItem().m_iValue, 3);

    // An equal item elsewhere is not the item: nothing changes.
    Item kStranger(1);
    kList.RemoveItem(&kStranger);
    EXPECT_EQ(Values(kList), (std::vector<int>{1, 3}));
    EXPECT_EQ(kList.Size(), 2u);
    EXPECT_FALSE(kList.IsIteratorValid());
}

TEST(tnSingleList, ItemsKeepTheirAddressWhileOthersGo)
{
    ItemList kList;
    AppendValues(kList, 1, 5);
    Item* pkFourth = &kList.GetHead()->next->next->next->data;
    kList.Reset();
    kList.RemoveCurrentItem();
    kList.RemoveItem(&kList.GetHead()->next->data);
    AppendValues(kList, 6, 6);
    EXPECT_EQ(pkFourth->m_iValue, 4);
    EXPECT_EQ(&kList.GetHead()->next->data, pkFourth);
}

TEST(tnSingleList, RemoveFromCurrentDropsItAndEveryItemBehindIt)
{
    Item::s_iLive = 0;
    ItemList kList;
    AppendValues(kList, 1, 5);
    // Without a valid iterator nothing is removed.
    kList.RemoveFromCurrentItem();
    EXPECT_EQ(kList.Size(), 5u);
    kList.Reset();
    kList.Next();
    kList.Next();
    kList.RemoveFromCurrentItem();
    EXPECT_EQ(kList.Size(), 2u);
    EXPECT_EQ(Values(kList), (std::vector<int>{1, 2}));
    EXPECT_FALSE(kList.IsIteratorValid());
    EXPECT_EQ(Item::s_iLive, 2);
    AppendValues(kList, 8, 8);
    EXPECT_EQ(Values(kList), (std::vector<int>{1, 2, 8}));
    // From the head: everything.
    kList.Reset();
    kList.RemoveFromCurrentItem();
    EXPECT_TRUE(kList.Empty());
    EXPECT_EQ(kList.GetHead(), nullptr);
    EXPECT_EQ(kList.GetTail(), nullptr);
    EXPECT_EQ(Item::s_iLive, 0);
}

TEST(tnSingleList, CleanUpDestroysEveryItemAndIsHarmlessWhenEmpty)
{
    Item::s_iLive = 0;
    {
        ItemList kList;
        kList.CleanUp();
        EXPECT_EQ(kList.Size(), 0u);
        EXPECT_FALSE(kList.IsIteratorValid());
        AppendValues(kList, 1, 4);
        kList.Reset();
        kList.CleanUp();
        EXPECT_EQ(Item::s_iLive, 0);
        EXPECT_EQ(kList.Size(), 0u);
        EXPECT_FALSE(kList.IsIteratorValid());
        EXPECT_EQ(kList.GetHead(), nullptr);
        AppendValues(kList, 5, 6);
    }
    // The destructor cleans up what is left.
    EXPECT_EQ(Item::s_iLive, 0);
}
