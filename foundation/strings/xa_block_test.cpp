#include "foundation/strings/xa_block.h"

#include "foundation/strings/xa_string.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

struct ReleaseLog
{
    static inline void* data = nullptr;
    static inline int32_t count = -1;
    static inline int calls = 0;

    static void Record(void* d, int32_t n) noexcept
    {
        data = d;
        count = n;
        ++calls;
    }
    static void Reset()
    {
        data = nullptr;
        count = -1;
        calls = 0;
    }
};

// Records the order in which objects die.
struct Tracked
{
    static inline std::vector<int> destroyed;
    int id = 0;
    explicit Tracked(int i = 0) : id(i) {}
    virtual ~Tracked() { destroyed.push_back(id); }
};

} // namespace

TEST(XABlockTest, AllocStartsWithOneReferenceAndAlignedData)
{
    XABlock block;
    void* data = block.Alloc(10, nullptr, 3);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(block.Data(), data);
    EXPECT_EQ(block.RefCount(), 1);
    EXPECT_EQ(block.Count(), 3);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(data) % alignof(std::max_align_t), 0u);
}

TEST(XABlockTest, LastHolderRunsCallbackWithDataAndCount)
{
    ReleaseLog::Reset();
    void* data = nullptr;
    {
        XABlock a;
        data = a.Alloc(8, &ReleaseLog::Record, 2);
        XABlock b(a);
        EXPECT_EQ(a.RefCount(), 2);
        a.Clear();
        EXPECT_FALSE(a);
        EXPECT_EQ(ReleaseLog::calls, 0);
    }
    EXPECT_EQ(ReleaseLog::calls, 1);
    EXPECT_EQ(ReleaseLog::data, data);
    EXPECT_EQ(ReleaseLog::count, 2);
}

TEST(XABlockTest, AssignKeepsBlockShareWithItselfAlive)
{
    ReleaseLog::Reset();
    XABlock a;
    a.Alloc(4, &ReleaseLog::Record, 1);
    XABlock b(a);
    a = b;
    const XABlock& alias = a;
    a = alias;
    EXPECT_EQ(a.RefCount(), 2);
    b.Release();
    EXPECT_FALSE(b);
    EXPECT_EQ(a.RefCount(), 1);
    EXPECT_EQ(ReleaseLog::calls, 0);
    a.Release();
    EXPECT_EQ(ReleaseLog::calls, 1);
}

TEST(XABlockTest, AllocDropsTheOldBlockFirst)
{
    ReleaseLog::Reset();
    XABlock a;
    a.Alloc(4, &ReleaseLog::Record, 1);
    a.Alloc(4, nullptr, 1);
    EXPECT_EQ(ReleaseLog::calls, 1);
}

TEST(XABlockTest, ImpossibleSizeLeavesHolderNull)
{
    XABlock a;
    a.Alloc(4, nullptr, 1);
    EXPECT_EQ(a.Alloc(SIZE_MAX, nullptr, 1), nullptr);
    EXPECT_FALSE(a);
    EXPECT_EQ(a.AllocZeroed4(-1), nullptr);
}

TEST(XABlockTest, DetachHandsOverTheReference)
{
    ReleaseLog::Reset();
    XABlock a;
    void* data = a.Alloc(4, &ReleaseLog::Record, 1);
    EXPECT_EQ(a.Detach(), data);
    EXPECT_FALSE(a);
    EXPECT_EQ(ReleaseLog::calls, 0);
    XABlock::Destroy(data);
    EXPECT_EQ(ReleaseLog::calls, 1);
}

TEST(XABlockTest, MoveTakesOverWithoutCounting)
{
    XABlock a;
    void* data = a.Alloc(4, nullptr, 1);
    XABlock b(std::move(a));
    EXPECT_FALSE(a);
    EXPECT_EQ(b.Data(), data);
    EXPECT_EQ(b.RefCount(), 1);
    XABlock c;
    c = std::move(b);
    EXPECT_EQ(c.Data(), data);
    EXPECT_EQ(c.RefCount(), 1);
}

TEST(XABlockTest, ZeroedHoldersAreReleasedWithTheirBlock)
{
    XABlock inner;
    inner.Alloc(4, nullptr, 1);
    XABlock outer;
    XABlock* holders = outer.AllocZeroed4(3);
    ASSERT_NE(holders, nullptr);
    EXPECT_EQ(outer.Count(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(holders[i]);
    holders[1] = inner;
    EXPECT_EQ(inner.RefCount(), 2);
    outer.Clear();
    EXPECT_EQ(inner.RefCount(), 1);
}

TEST(XABlockTest, ObjectArraysDieLastToFirst)
{
    Tracked::destroyed.clear();
    XABlock block;
    Tracked* objects = block.AllocZeroed8<Tracked>(3);
    ASSERT_NE(objects, nullptr);
    for (int i = 0; i < 3; ++i)
        objects[i].id = i + 1;
    block.Clear();
    EXPECT_EQ(Tracked::destroyed, (std::vector<int>{3, 2, 1}));

    Tracked::destroyed.clear();
    Tracked* shared = block.NewObject<Tracked>(7);
    ASSERT_NE(shared, nullptr);
    XABlock other(block);
    block.Clear();
    EXPECT_TRUE(Tracked::destroyed.empty());
    other.Clear();
    EXPECT_EQ(Tracked::destroyed, std::vector<int>{7});
}

TEST(XABlockTest, ElementCallbacksConstructAndReleaseEachKind)
{
    XAString text("shared");
    {
        XABlock strings;
        auto* s = static_cast<XAString*>(
            XABlock::ConstructZero8(strings.Alloc(2 * sizeof(XAString), &XABlock::ReleaseEachString, 2), 2));
        ASSERT_NE(s, nullptr);
        EXPECT_TRUE(s[0].IsEmpty() && s[1].IsEmpty());
        s[1] = text;

        XABlock entries;
        auto* e = static_cast<XAValueEntry*>(XABlock::ConstructZero12(
            entries.Alloc(2 * sizeof(XAValueEntry), &XABlock::ReleaseEachValueEntry, 2), 2));
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e[0].kind, 0);
        e[0].name = text;
        EXPECT_EQ(text.Block().RefCount(), 3);
    }
    EXPECT_EQ(text.Block().RefCount(), 1);
    EXPECT_EQ(XABlock::ConstructZero4(nullptr, 3), nullptr);
    int plain = 5;
    EXPECT_EQ(XABlock::ConstructPlain(&plain, 1), &plain);
    EXPECT_EQ(plain, 5);
}

TEST(XABlockTest, HoldersInManyThreadsShareOneBlock)
{
    ReleaseLog::Reset();
    XABlock block;
    block.Alloc(16, &ReleaseLog::Record, 1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([copy = block]() mutable {
            for (int i = 0; i < 10000; ++i) {
                XABlock again(copy);
                copy = again;
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(block.RefCount(), 1);
    block.Clear();
    EXPECT_EQ(ReleaseLog::calls, 1);
}
