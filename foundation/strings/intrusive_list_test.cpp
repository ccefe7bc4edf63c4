#include "foundation/strings/intrusive_list.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Item
{
    ListNode node;
    int value = 0;
};

std::vector<int> Walk(const ListHeader& header)
{
    std::vector<int> values;
    for (const ListNode* node = header.head.succ; node->succ; node = node->succ)
        values.push_back(reinterpret_cast<const Item*>(node)->value);
    return values;
}

std::vector<int> WalkBack(const ListHeader& header)
{
    std::vector<int> values;
    for (const ListNode* node = header.tail.pred; node->pred; node = node->pred)
        values.push_back(reinterpret_cast<const Item*>(node)->value);
    return values;
}

TEST(IntrusiveList, EmptyList)
{
    ListHeader header;
    EXPECT_EQ(ListRemHead(header), nullptr);
    EXPECT_TRUE(Walk(header).empty());
    EXPECT_EQ(header.head.succ, &header.tail);
    EXPECT_EQ(header.tail.pred, &header.head);
    EXPECT_EQ(header.tail.succ, nullptr);
}

TEST(IntrusiveList, AddTailThenRemHeadLeavesTheListEmpty)
{
    ListHeader header;
    Item item{{}, 1};
    ListAddTail(header, &item.node);
    EXPECT_EQ(ListRemHead(header), &item.node);
    EXPECT_EQ(ListRemHead(header), nullptr);
    EXPECT_TRUE(Walk(header).empty());
}

TEST(IntrusiveList, InsertAndRemoveKeepBothDirections)
{
    ListHeader header;
    Item items[5] = {{{}, 0}, {{}, 1}, {{}, 2}, {{}, 3}, {{}, 4}};
    ListAddTail(header, &items[1].node);
    ListAddTail(header, &items[3].node);
    ListInsertAfter(&items[1].node, &items[2].node);
    ListInsertBefore(&items[0].node, &items[1].node);
    ListInsertAfter(&items[3].node, &items[4].node);
    EXPECT_EQ(Walk(header), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(WalkBack(header), (std::vector<int>{4, 3, 2, 1, 0}));

    ListRemove(&items[2].node);
    ListRemove(&items[4].node);
    EXPECT_EQ(items[2].node.succ, &items[3].node); // a removed node keeps its links
    EXPECT_EQ(Walk(header), (std::vector<int>{0, 1, 3}));
    EXPECT_EQ(WalkBack(header), (std::vector<int>{3, 1, 0}));
    EXPECT_EQ(ListRemHead(header), &items[0].node);
    EXPECT_EQ(Walk(header), (std::vector<int>{1, 3}));

    ListInit(header);
    EXPECT_TRUE(Walk(header).empty());
}

} // namespace
