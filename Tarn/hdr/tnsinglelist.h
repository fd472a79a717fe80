#ifndef TNSINGLELIST_H
#define TNSINGLELIST_H

#include "tnerror.h"

// Singly linked list of items held by value, with one built-in iterator.
// An item keeps its address for as long as its node lives, so callers may
// identify items by address. Removal through the iterator leaves it on the
// following node: a loop that removes must not call Next after a removal.
template <class T>
class tnSingleList {
public:
    struct tnListNode {
        T data;
        tnListNode* next;
    };

    tnSingleList() : m_pkHead(nullptr), m_pkTail(nullptr), m_pkCurrent(nullptr), m_iSize(0) {}
    ~tnSingleList() { CleanUp(); }

    // The list owns its nodes; sharing them between two lists would free them twice.
    tnSingleList(const tnSingleList&) = delete;
    tnSingleList& operator=(const tnSingleList&) = delete;

    // Copies item into a new node behind the tail; the iterator stays where it is.
    void AppendItem(const T& item)
    {
        tnListNode* pkNode = new tnListNode{item, nullptr};
        if (m_pkTail)
            m_pkTail->next = pkNode;
        else
            m_pkHead = pkNode;
        m_pkTail = pkNode;
        ++m_iSize;
    }

    tnListNode* GetTail() { return m_pkTail; }
    tnListNode* GetHead() { return m_pkHead; }
    tnUInt32 Size() const { return m_iSize; }
    bool Empty() const { return m_iSize == 0; }

    void Reset() { m_pkCurrent = m_pkHead; }
    bool IsIteratorValid() const { return m_pkCurrent != nullptr; }
    // Only while the iterator is valid.
    T& GetCurrentItem() { return m_pkCurrent->data; }
    tnListNode* GetCurrent() { return m_pkCurrent; }
    void Next()
    {
        if (m_pkCurrent)
            m_pkCurrent = m_pkCurrent->next;
    }

    // Deletes the current node; the iterator moves to the node that followed it.
    void RemoveCurrentItem()
    {
        if (!m_pkCurrent)
            return;
        tnListNode* pkRemoved = m_pkCurrent;
        tnListNode* pkBefore = FindPredecessor(pkRemoved);
        m_pkCurrent = pkRemoved->next;
        if (pkBefore)
            pkBefore->next = pkRemoved->next;
        else
            m_pkHead = pkRemoved->next;
        if (m_pkTail == pkRemoved)
            m_pkTail = pkBefore;
        delete pkRemoved;
        --m_iSize;
    }

    // Removes the item at this address; the iterator ends after it, or not
    // valid when no item matched (the list is then unchanged).
    void RemoveItem(T* item)
    {
        for (Reset(); m_pkCurrent; Next()) {
            if (&m_pkCurrent->data == item) {
                RemoveCurrentItem();
                return;
            }
        }
    }

    // Deletes the current node and every node after it; the iterator ends not valid.
    void RemoveFromCurrentItem()
    {
        if (!m_pkCurrent)
            return;
        tnListNode* pkBefore = FindPredecessor(m_pkCurrent);
        if (!pkBefore) {
            CleanUp();
            return;
        }
        DeleteFrom(m_pkCurrent);
        pkBefore->next = nullptr;
        m_pkTail = pkBefore;
        m_pkCurrent = nullptr;
    }

    void CleanUp()
    {
        DeleteFrom(m_pkHead);
        m_pkHead = nullptr;
        m_pkTail = nullptr;
        m_pkCurrent = nullptr;
    }

private:
    // Null when pkNode is the head.
    tnListNode* FindPredecessor(const tnListNode* pkNode) const
    {
        tnListNode* pkBefore = nullptr;
        for (tnListNode* p = m_pkHead; p && p != pkNode; p = p->next)
            pkBefore = p;
        return pkBefore;
    }

    void DeleteFrom(tnListNode* pkNode)
    {
        while (pkNode) {
            tnListNode* pkFollowing = pkNode->next;
            delete pkNode;
            --m_iSize;
            pkNode = pkFollowing;
        }
    }

    tnListNode* m_pkHead;
    tnListNode* m_pkTail;
    tnListNode* m_pkCurrent;  // the iterator; null when not valid
    tnUInt32 m_iSize;
};

#endif
