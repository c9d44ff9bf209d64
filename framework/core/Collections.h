// Collections: arrays, lists and maps with the classic members. Maps iterate in insertion order (a key
// set again keeps its place), so every walk over a collection is deterministic.
// Indexes outside an array are a programming error that callers rule out; debug builds assert on them.
#pragma once

#include "framework/core/Object.h"
#include "framework/core/String.h"

#include <cassert>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

struct VxPositionTag;
typedef VxPositionTag* POSITION;

// ---------------------------------------------------------------------------------------------- arrays

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;

    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    bool IsEmpty() const { return m_items.empty(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }

    // New elements are value-initialized (zero for numbers and pointers). growBy is accepted for
    // compatibility; the storage grows geometrically.
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        (void)growBy;
        if (newSize < 0)
            newSize = 0;
        m_items.resize(static_cast<size_t>(newSize));
    }
    void RemoveAll() { m_items.clear(); }

    const TYPE& GetAt(INT_PTR i) const { return m_items[Check(i)]; }
    TYPE& ElementAt(INT_PTR i) { return m_items[Check(i)]; }
    const TYPE& ElementAt(INT_PTR i) const { return m_items[Check(i)]; }
    void SetAt(INT_PTR i, ARG_TYPE v) { m_items[Check(i)] = v; }
    TYPE& operator[](INT_PTR i) { return m_items[Check(i)]; }
    const TYPE& operator[](INT_PTR i) const { return m_items[Check(i)]; }
    TYPE* GetData() { return m_items.empty() ? nullptr : m_items.data(); }
    const TYPE* GetData() const { return m_items.empty() ? nullptr : m_items.data(); }

    INT_PTR Add(ARG_TYPE v)
    {
        m_items.push_back(v);
        return GetSize() - 1;
    }

    // Inserts count copies of v before index; an index past the end grows the array up to it first.
    void InsertAt(INT_PTR index, ARG_TYPE v, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0)
        {
            assert(index >= 0 && count >= 0);
            return;
        }
        TYPE value = v;   // v may refer into this array
        if (index > GetSize())
            m_items.resize(static_cast<size_t>(index));
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), value);
    }
    // Removes count elements from index; a range past the end asserts and is clamped to the array.
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        assert(index >= 0 && count >= 0 && index + count <= GetSize());
        if (index < 0 || count <= 0 || index >= GetSize())
            return;
        if (count > GetSize() - index)
            count = GetSize() - index;
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }

protected:
    size_t Check(INT_PTR i) const
    {
        assert(i >= 0 && i < GetSize());
        return static_cast<size_t>(i);
    }
    std::vector<TYPE> m_items;
};

#define VX_DECLARE_ARRAY(name, TYPE, ARG_TYPE) \
    class name : public CArray<TYPE, ARG_TYPE> \
    {                                          \
        DECLARE_DYNAMIC(name)                  \
    public:                                    \
        name() = default;                      \
    };

VX_DECLARE_ARRAY(CUIntArray, UINT, UINT)
VX_DECLARE_ARRAY(CPtrArray, void*, void*)
VX_DECLARE_ARRAY(CObArray, CObject*, CObject*)
VX_DECLARE_ARRAY(CStringArray, CString, const CString&)

// ----------------------------------------------------------------------------------------------- lists

// The doubly linked chain under lists and maps: nodes with next and prev, the ends held by the owner.
namespace VxChain
{

template <class Node>
void Unlink(Node* n, Node*& head, Node*& tail)
{
    (n->prev ? n->prev->next : head) = n->next;
    (n->next ? n->next->prev : tail) = n->prev;
}

// Deletes every node and leaves the chain empty.
template <class Node>
void DeleteAll(Node*& head, Node*& tail)
{
    Node* n = head;
    while (n)
    {
        Node* next = n->next;
        delete n;
        n = next;
    }
    head = tail = nullptr;
}

}   // namespace VxChain

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject
{
    struct Node
    {
        Node* next;
        Node* prev;
        TYPE data;
    };
    static Node* N(POSITION p) { return reinterpret_cast<Node*>(p); }
    static POSITION P(Node* n) { return reinterpret_cast<POSITION>(n); }

public:
    explicit CList(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead()
    {
        assert(m_head);
        return m_head->data;
    }
    const TYPE& GetHead() const
    {
        assert(m_head);
        return m_head->data;
    }
    TYPE& GetTail()
    {
        assert(m_tail);
        return m_tail->data;
    }
    const TYPE& GetTail() const
    {
        assert(m_tail);
        return m_tail->data;
    }

    TYPE RemoveHead()
    {
        assert(m_head);
        TYPE v = m_head->data;
        RemoveAt(P(m_head));
        return v;
    }
    TYPE RemoveTail()
    {
        assert(m_tail);
        TYPE v = m_tail->data;
        RemoveAt(P(m_tail));
        return v;
    }

    POSITION AddHead(ARG_TYPE v) { return InsertBefore(P(m_head), v); }
    POSITION AddTail(ARG_TYPE v) { return InsertAfter(P(m_tail), v); }

    void RemoveAll()
    {
        VxChain::DeleteAll(m_head, m_tail);
        m_count = 0;
    }

    POSITION GetHeadPosition() const { return P(m_head); }
    POSITION GetTailPosition() const { return P(m_tail); }
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = N(pos);
        assert(n);
        pos = P(n->next);
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* n = N(pos);
        assert(n);
        pos = P(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = N(pos);
        assert(n);
        pos = P(n->prev);
        return n->data;
    }
    const TYPE& GetPrev(POSITION& pos) const
    {
        Node* n = N(pos);
        assert(n);
        pos = P(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION pos)
    {
        assert(pos);
        return N(pos)->data;
    }
    const TYPE& GetAt(POSITION pos) const
    {
        assert(pos);
        return N(pos)->data;
    }
    void SetAt(POSITION pos, ARG_TYPE v)
    {
        assert(pos);
        N(pos)->data = v;
    }

    void RemoveAt(POSITION pos)
    {
        Node* n = N(pos);
        assert(n);
        if (!n)
            return;
        VxChain::Unlink(n, m_head, m_tail);
        delete n;
        --m_count;
    }
    // A null position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION pos, ARG_TYPE v)
    {
        Node* at = N(pos);
        if (!at)
            at = m_head;
        Node* n = new Node{at, at ? at->prev : nullptr, v};
        if (!at)
        {
            m_head = m_tail = n;
        }
        else
        {
            (at->prev ? at->prev->next : m_head) = n;
            at->prev = n;
        }
        ++m_count;
        return P(n);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE v)
    {
        Node* at = N(pos);
        if (!at)
            at = m_tail;
        Node* n = new Node{at ? at->next : nullptr, at, v};
        if (!at)
        {
            m_head = m_tail = n;
        }
        else
        {
            (at->next ? at->next->prev : m_tail) = n;
            at->next = n;
        }
        ++m_count;
        return P(n);
    }

    // Searches from the element after startAfter (from the head when null); null when not found.
    POSITION Find(ARG_TYPE v, POSITION startAfter = nullptr) const
    {
        Node* n = startAfter ? N(startAfter)->next : m_head;
        for (; n; n = n->next)
            if (n->data == v)
                return P(n);
        return nullptr;
    }
    // The position of the index-th element; null when outside the list.
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return P(n);
    }

private:
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

#define VX_DECLARE_LIST(name, TYPE, ARG_TYPE)                                       \
    class name : public CList<TYPE, ARG_TYPE>                                       \
    {                                                                               \
        DECLARE_DYNAMIC(name)                                                       \
    public:                                                                         \
        explicit name(INT_PTR blockSize = 10) : CList<TYPE, ARG_TYPE>(blockSize) {} \
    };

VX_DECLARE_LIST(CPtrList, void*, void*)

// ------------------------------------------------------------------------------------------------ maps

struct VxKeyHash
{
    size_t operator()(const CString& s) const { return std::hash<std::string>()(s.str()); }
    template <class T>
    size_t operator()(const T& v) const
    {
        return std::hash<T>()(v);
    }
};

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject
{
    struct Node
    {
        Node* next;
        Node* prev;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR blockSize = 10) { (void)blockSize; }
    ~CMap() override { RemoveAll(); }
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;

    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_index.size()); }
    INT_PTR GetSize() const { return GetCount(); }
    bool IsEmpty() const { return m_index.empty(); }
    void InitHashTable(UINT size, BOOL = TRUE) { m_index.reserve(size); }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        value = it->second->value;
        return TRUE;
    }
    // The value of key, added (value-initialized) at the end when missing.
    VALUE& operator[](ARG_KEY key)
    {
        KEY k(key);
        auto it = m_index.find(k);
        if (it != m_index.end())
            return it->second->value;
        Node* n = new Node{nullptr, m_tail, k, VALUE()};
        (m_tail ? m_tail->next : m_head) = n;
        m_tail = n;
        m_index.emplace(k, n);
        return n->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        auto it = m_index.find(KEY(key));
        if (it == m_index.end())
            return FALSE;
        Node* n = it->second;
        m_index.erase(it);
        VxChain::Unlink(n, m_head, m_tail);
        delete n;
        return TRUE;
    }
    void RemoveAll()
    {
        VxChain::DeleteAll(m_head, m_tail);
        m_index.clear();
    }

    // Insertion order. Removing the entry just returned by GetNextAssoc is allowed during a walk.
    POSITION GetStartPosition() const { return reinterpret_cast<POSITION>(m_head); }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        Node* n = reinterpret_cast<Node*>(pos);
        assert(n);
        if (!n)
            return;
        key = n->key;
        value = n->value;
        pos = reinterpret_cast<POSITION>(n->next);
    }

private:
    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    std::unordered_map<KEY, Node*, VxKeyHash> m_index;
};

#define VX_DECLARE_MAP(name, KEY, ARG_KEY, VALUE, ARG_VALUE)                                       \
    class name : public CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>                                       \
    {                                                                                              \
        DECLARE_DYNAMIC(name)                                                                      \
    public:                                                                                        \
        explicit name(INT_PTR blockSize = 10) : CMap<KEY, ARG_KEY, VALUE, ARG_VALUE>(blockSize) {} \
    };

VX_DECLARE_MAP(CMapStringToPtr, CString, const CString&, void*, void*)
VX_DECLARE_MAP(CMapPtrToPtr, void*, void*, void*, void*)
