#include "foundation/strings/h_array.h"

#include "foundation/strings/xa_string.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

HArray<XAString> Strings(std::initializer_list<const char*> texts, int32_t growBy = 0)
{
    HArray<XAString> array(growBy);
    for (const char* text : texts)
        EXPECT_TRUE(array.Append(XAString(text)));
    return array;
}

std::vector<std::string> Texts(const HArray<XAString>& array)
{
    std::vector<std::string> texts;
    for (int32_t i = 0; i < array.GetSize(); ++i)
        texts.emplace_back(array[i].CStr());
    return texts;
}

using Expected = std::vector<std::string>;

struct ResizeStep
{
    int32_t size;
    int32_t capacity;
    bool newBlock;
};

struct GrowthCase
{
    int32_t growBy;
    std::vector<ResizeStep> steps;
};

TEST(HArray, GrowthRule)
{
    const GrowthCase cases[] = {
        {8, {{1, 8, true}, {5, 8, false}, {9, 13, true}, {1, 8, true}, {8, 8, false}, {0, 0, true}}},
        {0, {{5, 5, true}, {5, 5, false}, {4, 4, true}, {6, 6, true}}},
        {-3, {{5, 5, true}, {2, 2, true}}}, // a negative step counts as 0
        {1, {{1, 2, true}, {2, 2, false}, {3, 4, true}, {4, 4, false}, {1, 2, true}}},
        {100, {{10, 100, true}, {1, 100, false}, {100, 100, false}, {101, 151, true}}},
    };
    for (const GrowthCase& c : cases) {
        HArray<int32_t*> array(c.growBy);
        for (const ResizeStep& step : c.steps) {
            const void* before = array.GetData();
            ASSERT_TRUE(array.SetSize(step.size));
            EXPECT_EQ(array.GetSize(), step.size) << "step " << c.growBy << " size " << step.size;
            EXPECT_EQ(array.GetCapacity(), step.capacity) << "step " << c.growBy << " size " << step.size;
            EXPECT_EQ(array.Block().Count(), step.capacity);
            EXPECT_EQ(array.GetData() != before, step.newBlock)
                << "step " << c.growBy << " size " << step.size;
        }
        EXPECT_GE(array.GetGrowBy(), 0);
    }
}

TEST(HArray, SizeZeroOrLessDropsTheBlock)
{
    for (int32_t size : {0, -1}) {
        HArray<int32_t> array(4);
        ASSERT_TRUE(array.SetSize(3));
        ASSERT_TRUE(array.SetSize(size));
        EXPECT_FALSE(array.Block());
        EXPECT_EQ(array.GetCapacity(), 0);
        EXPECT_EQ(array.GetSize(), 0);
    }
}

TEST(HArray, SetGrowByFitsTheCapacity)
{
    HArray<int32_t> array(16);
    ASSERT_TRUE(array.SetSize(3));
    EXPECT_EQ(array.GetCapacity(), 16);
    ASSERT_TRUE(array.SetGrowBy(0));
    EXPECT_EQ(array.GetCapacity(), 3);
    EXPECT_EQ(array.GetSize(), 3);
}

TEST(HArray, ElementsSurviveReallocationAndSlotsLetGoHoldNothing)
{
    HArray<XAString> array = Strings({"a", "b", "c"}, 4);
    ASSERT_TRUE(array.SetSize(20));
    EXPECT_EQ(Texts(array),
              (Expected{"a", "b", "c", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
    ASSERT_TRUE(array.SetSize(18)); // in place
    ASSERT_TRUE(array.SetSize(1));  // new block
    ASSERT_TRUE(array.SetGrowBy(8));
    ASSERT_TRUE(array.SetSize(3));
    const void* block = array.GetData();
    ASSERT_TRUE(array.SetSize(1)); // in place: b and c are let go
    ASSERT_TRUE(array.SetSize(3));
    EXPECT_EQ(array.GetData(), block);
    EXPECT_EQ(Texts(array), (Expected{"a", "", ""}));
}

TEST(HArray, AppendCopiesSharedStrings)
{
    const XAString text("shared");
    HArray<XAString> array;
    ASSERT_TRUE(array.Append(text));
    EXPECT_EQ(array[0].Block(), text.Block());
    EXPECT_EQ(text.Block().RefCount(), 2);
    // Appending an element of the array itself while the block is replaced.
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(array.Append(array[0]));
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(text.Block().RefCount(), 7);
}

struct InsertCase
{
    int32_t index;
    int32_t n;
    const char* value;
    bool ok;
    Expected result;
};

TEST(HArray, InsertAtTable)
{
    const InsertCase cases[] = {
        {0, 1, "x", true, {"x", "a", "b", "c"}},
        {1, 2, "x", true, {"a", "x", "x", "b", "c"}},
        {3, 1, "x", true, {"a", "b", "c", "x"}}, // at the count: appends
        {1, 2, nullptr, true, {"a", "", "", "b", "c"}},
        {2, 0, "x", true, {"a", "b", "c"}},
        {4, 1, "x", false, {"a", "b", "c"}},
        {-1, 1, "x", false, {"a", "b", "c"}},
        {0, -1, "x", false, {"a", "b", "c"}},
    };
    for (const InsertCase& c : cases) {
        for (int32_t growBy : {0, 8}) {
            HArray<XAString> array = Strings({"a", "b", "c"}, growBy);
            const XAString value(c.value);
            EXPECT_EQ(array.InsertAt(array.IterAt(c.index), c.n, c.value ? &value : nullptr), c.ok)
                << c.index << " " << c.n;
            EXPECT_EQ(Texts(array), c.result) << c.index << " " << c.n << " step " << growBy;
        }
    }
}

struct RemoveCase
{
    int32_t index;
    int32_t n;
    bool ok;
    Expected result;
};

TEST(HArray, RemoveAtTable)
{
    const RemoveCase cases[] = {
        {0, 1, true, {"b", "c", "d"}},
        {1, 2, true, {"a", "d"}},
        {2, 2, true, {"a", "b"}}, // exactly n follow
        {2, 3, false, {"a", "b", "c", "d"}},
        {0, 4, true, {}},
        {4, 0, true, {"a", "b", "c", "d"}},
        {5, 0, false, {"a", "b", "c", "d"}},
        {-1, 1, false, {"a", "b", "c", "d"}},
        {0, -1, false, {"a", "b", "c", "d"}},
    };
    for (const RemoveCase& c : cases) {
        for (int32_t growBy : {0, 8}) {
            HArray<XAString> array = Strings({"a", "b", "c", "d"}, growBy);
            EXPECT_EQ(array.RemoveAt(array.IterAt(c.index), c.n), c.ok) << c.index << " " << c.n;
            EXPECT_EQ(Texts(array), c.result) << c.index << " " << c.n << " step " << growBy;
            EXPECT_EQ(array.GetCapacity() == 0, !array.Block());
        }
    }
}

TEST(HArray, StaleIteratorChangesNothing)
{
    HArray<XAString> array = Strings({"a", "b"}, 0);
    const HArrayIter<XAString> stale = array.IterFirst();
    ASSERT_TRUE(array.Append(XAString("c"))); // new block
    const XAString value("x");
    EXPECT_FALSE(array.InsertAt(stale, 1, &value));
    EXPECT_FALSE(array.RemoveAt(stale, 1));
    EXPECT_EQ(Texts(array), (Expected{"a", "b", "c"}));
    // The stale iterator still reads its own block.
    EXPECT_STREQ(stale.Current()->CStr(), "a");
}

TEST(HArray, IteratorSeesWritesInPlaceButKeepsItsOldBlock)
{
    HArray<XAString> array = Strings({"a", "b"}, 8);
    HArrayIter<XAString> iter = array.IterFirst();
    array[0] = XAString("changed");
    EXPECT_STREQ(iter.Current()->CStr(), "changed");
    ASSERT_TRUE(array.SetGrowBy(0)); // new block; the iterator keeps the old one alive
    array[0] = XAString("again");
    EXPECT_STREQ(iter.Current()->CStr(), "changed");
    iter.Next();
    EXPECT_STREQ(iter.Current()->CStr(), "b");
}

TEST(HArray, IteratorsEndAndLetGoOfTheBlock)
{
    HArray<XAString> array = Strings({"a", "b", "c"});
    HArrayIter<XAString> forward = array.IterFirst();
    EXPECT_EQ(array.Block().RefCount(), 2);
    std::string walked;
    for (; forward.Current(); forward.Next())
        walked += forward.Current()->CStr();
    EXPECT_EQ(walked, "abc");
    EXPECT_EQ(array.Block().RefCount(), 1);
    EXPECT_EQ(forward.Index(), 0);

    HArrayIter<XAString> backward = array.IterLast();
    EXPECT_EQ(backward.Index(), 2);
    for (walked.clear(); backward.Current(); backward.Prev())
        walked += backward.Current()->CStr();
    EXPECT_EQ(walked, "cba");
    EXPECT_EQ(array.Block().RefCount(), 1);
    backward.Next(); // at the end: nothing happens
    EXPECT_EQ(backward.Current(), nullptr);

    HArrayIter<XAString> released = array.IterAt(1);
    released.Release();
    EXPECT_EQ(released.Current(), nullptr);
    EXPECT_EQ(array.Block().RefCount(), 1);
}

TEST(HArray, IteratorsOnAnEmptyArray)
{
    HArray<XAString> array;
    const HArrayIter<XAString> last = array.IterLast();
    EXPECT_EQ(last.Current(), nullptr);
    EXPECT_EQ(last.Index(), 0);
    const XAString value("first");
    ASSERT_TRUE(array.InsertAt(array.IterAt(0), 1, &value));
    EXPECT_EQ(Texts(array), (Expected{"first"}));
    EXPECT_EQ(array.IterAt(1).Current(), nullptr); // past the count: no element
}

TEST(HArray, AssignmentCopiesIntoABlockOfItsOwn)
{
    const HArray<XAString> source = Strings({"a", "b", "c"}, 8);
    HArray<XAString> copy(2);
    ASSERT_TRUE(copy.AssignBlockRefs(source));
    EXPECT_NE(copy.GetData(), source.GetData());
    EXPECT_EQ(copy.GetCapacity(), 3);
    EXPECT_EQ(copy.GetGrowBy(), 2);
    EXPECT_EQ(copy[1].Block(), source[1].Block()); // the strings themselves are shared
    copy[0] = XAString("x");
    EXPECT_EQ(Texts(source), (Expected{"a", "b", "c"}));

    ASSERT_TRUE(copy.AssignBlockRefs(copy));
    EXPECT_EQ(Texts(copy), (Expected{"x", "b", "c"}));

    HArray<XAString> constructed(source);
    EXPECT_EQ(constructed.GetCapacity(), 3);
    EXPECT_EQ(constructed.GetGrowBy(), 8);
    constructed = HArray<XAString>();
    EXPECT_FALSE(constructed.Block());
}

TEST(HArray, BuffersAndRemoveLast)
{
    HArray<XAString> array;
    XAString* slots = array.AllocBuffer(2);
    ASSERT_NE(slots, nullptr);
    slots[0] = XAString("a");
    slots[1] = XAString("b");
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array.AllocBuffer(0), nullptr);
    EXPECT_EQ(array.GetSize(), 0);

    HArray<XAString> owner = Strings({"a", "b"});
    HArray<XAString> sharing;
    sharing.AssignBuffer(owner.Block());
    EXPECT_EQ(sharing.GetData(), owner.GetData());
    EXPECT_EQ(sharing.GetSize(), 2);

    XABlock last = owner.RemoveLast();
    ASSERT_TRUE(last);
    EXPECT_EQ(last.Count(), 1);
    EXPECT_STREQ(last.As<XAString>()->CStr(), "b");
    EXPECT_EQ(Texts(owner), (Expected{"a"}));
    ASSERT_TRUE(owner.RemoveLast());
    EXPECT_FALSE(owner.RemoveLast());
}

// Every element made is destroyed exactly once, whatever the array did.
struct Tracked
{
    static inline int live = 0;
    Tracked() { ++live; }
    Tracked(const Tracked&) { ++live; }
    Tracked& operator=(const Tracked&) = default;
    ~Tracked() { --live; }
};

TEST(HArray, EveryElementIsDestroyed)
{
    {
        HArray<Tracked> array(3);
        const Tracked value;
        for (int i = 0; i < 10; ++i)
            ASSERT_TRUE(array.Append(value));
        ASSERT_TRUE(array.RemoveAt(array.IterAt(2), 5));
        const HArrayIter<Tracked> iter = array.IterFirst();
        ASSERT_TRUE(array.SetGrowBy(0));
        HArray<Tracked> copy(array);
        EXPECT_TRUE(array.RemoveLast());
    }
    EXPECT_EQ(Tracked::live, 0);
}

} // namespace
