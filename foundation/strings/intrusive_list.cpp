#include "foundation/strings/intrusive_list.h"

ListHeader::ListHeader() noexcept
{
    ListInit(*this);
}

void ListInit(ListHeader& header) noexcept
{
    header.head.succ = &header.tail;
    header.head.pred = nullptr;
    header.tail.succ = nullptr;
    header.tail.pred = &header.head;
}

void ListAddTail(ListHeader& header, ListNode* node) noexcept
{
    ListInsertBefore(node, &header.tail);
}

void ListInsertAfter(ListNode* existing, ListNode* node) noexcept
{
    node->succ = existing->succ;
    node->pred = existing;
    existing->succ->pred = node;
    existing->succ = node;
}

void ListInsertBefore(ListNode* node, ListNode* existing) noexcept
{
    ListInsertAfter(existing->pred, node);
}

void ListRemove(ListNode* node) noexcept
{
    node->succ->pred = node->pred;
    node->pred->succ = node->succ;
}

ListNode* ListRemHead(ListHeader& header) noexcept
{
    ListNode* first = header.head.succ;
    if (!first->succ)
        return nullptr;
    ListRemove(first);
    return first;
}
