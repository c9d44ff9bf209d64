#include <gtest/gtest.h>

#include "framework/core/Core.h"

#include <string>
#include <vector>

namespace
{

template <class LIST>
std::string Joined(const LIST& list)
{
    std::string out;
    for (POSITION pos = list.GetHeadPosition(); pos;)
    {
        if (!out.empty())
            out += ",";
        out += static_cast<const char*>(list.GetNext(pos));
    }
    return out;
}

typedef CArray<CString> CTextArray;
typedef CList<CString> CTextList;
typedef CMap<CString, const CString&, CString, const CString&> CTextMap;

std::string JoinedArray(const CTextArray& a)
{
    std::string out;
    for (INT_PTR i = 0; i < a.GetSize(); ++i)
    {
        if (i)
            out += ",";
        out += static_cast<const char*>(a[i]);
    }
    return out;
}

}   // namespace

TEST(Arrays, AddInsertRemove)
{
    CTextArray a;
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(a.Add("b"), 0);
    EXPECT_EQ(a.Add(CString("d")), 1);
    a.InsertAt(0, "a");
    a.InsertAt(2, "c");
    a.InsertAt(4, "e", 2);
    EXPECT_EQ(JoinedArray(a), "a,b,c,d,e,e");
    EXPECT_EQ(a.GetUpperBound(), 5);
    a.RemoveAt(4, 2);
    a.RemoveAt(0);
    EXPECT_EQ(JoinedArray(a), "b,c,d");
    a.SetAt(1, "C");
    a[2] = "D";
    a.ElementAt(0) += "!";
    EXPECT_EQ(JoinedArray(a), "b!,C,D");
    EXPECT_STREQ(a.GetAt(1), "C");
    a.RemoveAll();
    EXPECT_EQ(a.GetCount(), 0);
}

TEST(Arrays, SetSizeZeroFills)
{
    CUIntArray d;
    d.Add(7);
    d.SetSize(4);
    EXPECT_EQ(d.GetSize(), 4);
    EXPECT_EQ(d[0], 7u);
    EXPECT_EQ(d[3], 0u);
    d.InsertAt(6, 9);   // past the end: grows with zeros up to it
    EXPECT_EQ(d.GetSize(), 7);
    EXPECT_EQ(d[5], 0u);
    EXPECT_EQ(d[6], 9u);
    d.SetSize(1);
    EXPECT_EQ(d.GetSize(), 1);

    CPtrArray p;
    p.SetSize(3);
    EXPECT_EQ(p[2], nullptr);
}

TEST(Arrays, InsertingAnElementOfTheSameArray)
{
    CUIntArray a;
    a.Add(1);
    a.Add(2);
    for (int i = 0; i < 50; ++i)
        a.InsertAt(0, a[a.GetUpperBound()]);   // may reallocate under the reference
    EXPECT_EQ(a.GetSize(), 52);
    EXPECT_EQ(a[0], 2u);
    for (int i = 0; i < 50; ++i)
        a.Add(a[0]);   // push_back of an element of the same array
    EXPECT_EQ(a.GetSize(), 102);
    EXPECT_EQ(a[101], 2u);
}

TEST(Arrays, OtherElementTypes)
{
    CArray<BYTE, BYTE> b;
    b.Add(1);
    b.Add(255);
    EXPECT_EQ(b.GetData()[1], 255);
    CObArray o;
    CMemFile file;
    o.Add(&file);
    EXPECT_TRUE(o[0]->IsKindOf(RUNTIME_CLASS(CFile)));
    CStringArray names;
    names.Add("one");
    names.InsertAt(0, names[0]);   // an element of the same array
    EXPECT_STREQ(names[0], "one");
    EXPECT_EQ(names.GetSize(), 2);
}

TEST(Lists, AddFindInsertRemove)
{
    CTextList l;
    l.AddTail("b");
    l.AddTail("c");
    l.AddHead("a");
    EXPECT_EQ(Joined(l), "a,b,c");
    EXPECT_EQ(l.GetCount(), 3);
    EXPECT_STREQ(l.GetHead(), "a");
    EXPECT_STREQ(l.GetTail(), "c");

    POSITION b = l.Find("b");
    ASSERT_NE(b, nullptr);
    l.InsertBefore(b, "a2");
    l.InsertAfter(b, "b2");
    EXPECT_EQ(Joined(l), "a,a2,b,b2,c");
    EXPECT_EQ(l.Find("zz"), nullptr);
    EXPECT_EQ(l.Find("a", l.GetHeadPosition()), nullptr);   // searches after the start

    l.RemoveAt(b);
    EXPECT_EQ(Joined(l), "a,a2,b2,c");
    EXPECT_STREQ(l.RemoveHead(), "a");
    EXPECT_STREQ(l.RemoveTail(), "c");
    EXPECT_EQ(Joined(l), "a2,b2");
    EXPECT_STREQ(l.GetAt(l.FindIndex(1)), "b2");
    EXPECT_EQ(l.FindIndex(2), nullptr);
    EXPECT_EQ(l.FindIndex(-1), nullptr);
    l.RemoveAll();
    EXPECT_TRUE(l.IsEmpty());
    EXPECT_EQ(l.GetHeadPosition(), nullptr);
}

TEST(Lists, RemovingWhileWalking)
{
    CPtrList l;
    int values[6];
    for (int& v : values)
        l.AddTail(&v);
    for (POSITION pos = l.GetHeadPosition(); pos;)
    {
        POSITION current = pos;
        void* p = l.GetNext(pos);
        if ((static_cast<int*>(p) - values) % 2 == 0)
            l.RemoveAt(current);
    }
    ASSERT_EQ(l.GetCount(), 3);
    EXPECT_EQ(l.GetHead(), &values[1]);
    EXPECT_EQ(l.GetTail(), &values[5]);
    // Backwards walk
    POSITION pos = l.GetTailPosition();
    EXPECT_EQ(l.GetPrev(pos), &values[5]);
    EXPECT_EQ(l.GetPrev(pos), &values[3]);
    EXPECT_EQ(l.GetPrev(pos), &values[1]);
    EXPECT_EQ(pos, nullptr);
}

TEST(Maps, LookupSetRemove)
{
    CTextMap m;
    m.SetAt("one", "1");
    m["two"] = "2";
    m.SetAt("one", "uno");
    CString v;
    EXPECT_TRUE(m.Lookup("one", v));
    EXPECT_STREQ(v, "uno");
    EXPECT_FALSE(m.Lookup("ONE", v));   // case matters
    EXPECT_EQ(m.GetCount(), 2);
    EXPECT_TRUE(m.RemoveKey("one"));
    EXPECT_FALSE(m.RemoveKey("one"));
    EXPECT_FALSE(m.Lookup("one", v));
    m.RemoveAll();
    EXPECT_TRUE(m.IsEmpty());
    EXPECT_EQ(m.GetStartPosition(), nullptr);
}

TEST(Maps, IterationFollowsInsertionOrder)
{
    CMapStringToPtr m;
    const char* keys[] = {"zeta", "alpha", "mid", "beta", "omega"};
    int values[5];
    for (int i = 0; i < 5; ++i)
        m.SetAt(keys[i], &values[i]);
    m.SetAt("alpha", &values[1]);   // setting again keeps its place
    m.RemoveKey("mid");
    m.SetAt("mid", &values[2]);   // removed and added again: at the end

    std::vector<std::string> seen;
    for (POSITION pos = m.GetStartPosition(); pos;)
    {
        CString key;
        void* value;
        m.GetNextAssoc(pos, key, value);
        seen.push_back(static_cast<const char*>(key));
    }
    EXPECT_EQ(seen, (std::vector<std::string>{"zeta", "alpha", "beta", "omega", "mid"}));
}

TEST(Maps, RemovingTheCurrentEntryDuringAWalk)
{
    CMapPtrToPtr m;
    int values[10];
    for (int& v : values)
        m.SetAt(&v, &v);
    for (POSITION pos = m.GetStartPosition(); pos;)
    {
        void* key;
        void* value;
        m.GetNextAssoc(pos, key, value);
        if ((static_cast<int*>(key) - values) % 3 != 0)
            m.RemoveKey(key);
    }
    EXPECT_EQ(m.GetCount(), 4);
    void* out = nullptr;
    EXPECT_TRUE(m.Lookup(&values[9], out));
    EXPECT_EQ(out, &values[9]);
    EXPECT_FALSE(m.Lookup(&values[1], out));
}

TEST(Maps, NumberKeysAndRuntimeClass)
{
    CMap<UINT, UINT, int, int> widths;
    widths.InitHashTable(17);
    widths[0xFFFFu] = 23;
    widths.SetAt(0, 7);
    int out = 0;
    EXPECT_TRUE(widths.Lookup(0xFFFFu, out));
    EXPECT_EQ(out, 23);
    EXPECT_TRUE(widths.Lookup(0, out));
    EXPECT_EQ(out, 7);
    EXPECT_FALSE(widths.Lookup(1, out));
    EXPECT_EQ(widths[5], 0);   // a missing key reads as a new zero entry
    EXPECT_EQ(widths.GetCount(), 3);

    CMapStringToPtr m;
    EXPECT_TRUE(m.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_STREQ(m.GetRuntimeClass()->m_lpszClassName, "CMapStringToPtr");
}
