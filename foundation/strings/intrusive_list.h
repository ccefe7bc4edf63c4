#pragma once
// Intrusive doubly linked list with sentinels in the header, for wait lists, message receivers
// and tree building: an owner embeds a ListNode as its first member. The header's head sentinel
// is the first node's predecessor and its tail sentinel the last node's successor; the tail
// sentinel is the one node whose successor is null, so a walk stops there:
//     for (ListNode* node = header.head.succ; node->succ; node = node->succ) ...

struct ListNode
{
    ListNode* succ = nullptr;
    ListNode* pred = nullptr;
};

struct ListHeader
{
    ListHeader() noexcept;
    // The sentinels point at each other, so a header never moves.
    ListHeader(const ListHeader&) = delete;
    ListHeader& operator=(const ListHeader&) = delete;

    ListNode head; // succ: the first node (or the tail sentinel); pred stays null
    ListNode tail; // succ stays null; pred: the last node (or the head sentinel)
};

// Makes the header an empty list (nodes still on it are forgotten, not unlinked).
void ListInit(ListHeader& header) noexcept;
void ListAddTail(ListHeader& header, ListNode* node) noexcept;
void ListInsertAfter(ListNode* existing, ListNode* node) noexcept;
void ListInsertBefore(ListNode* node, ListNode* existing) noexcept;
// Unlinks the node from its neighbours; the node's own links are left as they were.
void ListRemove(ListNode* node) noexcept;
// Unlinks and returns the first node; null when the list is empty.
ListNode* ListRemHead(ListHeader& header) noexcept;
