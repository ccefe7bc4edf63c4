#include "System/Modules/HMEM/hmem.h"

#include "System/Modules/HMEM/internal/hmem_block.h"
#include "System/Modules/HMEM/hmem_handle.h"
#include "System/Modules/HMEM/hmem_ref.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

namespace {

HMemBlockInfo InfoOf(int32_t handle)
{
    HMemBlockInfo info{-1, -1, -1};
    EXPECT_TRUE(HMemGetInfo(handle, info)) << handle;
    return info;
}

bool IsLive(int32_t handle)
{
    HMemBlockInfo info{};
    return HMemGetInfo(handle, info);
}

// A heap that grants at most `limit` bytes per allocation and counts what goes back.
struct LimitedHeap
{
    static inline std::size_t limit = 0;
    static inline int frees = 0;
    static void* Allocate(std::size_t size) { return size <= limit ? std::malloc(size) : nullptr; }
    static void Release(void* memory)
    {
        ++frees;
        std::free(memory);
    }
};

class HMemLimitedHeap : public testing::Test
{
  protected:
    void SetUp() override
    {
        LimitedHeap::frees = 0;
        previous_ = HMemSetHeap({LimitedHeap::Allocate, LimitedHeap::Release});
    }
    void TearDown() override { HMemSetHeap(previous_); }

    // The header size, found from what a block of 0 bytes asks the heap for.
    static std::size_t HeaderSize()
    {
        for (std::size_t size = 0;; ++size) {
            LimitedHeap::limit = size;
            int32_t handle = kHMemNoHandle;
            if (HMemAlloc(handle, 0, 0, 0, false, nullptr, 0) != nullptr) {
                HMemFree(handle);
                return size;
            }
        }
    }

  private:
    HMemHeap previous_{};
};

TEST(HMem, SizesAreRoundedUpToFourAndTheLargerBoundWins)
{
    struct Case
    {
        int32_t minSize;
        int32_t maxSize;
        int32_t expected;
    };
    for (const Case& c : {Case{10, 6, 12}, Case{6, 10, 12}, Case{0, 0, 0}, Case{1, 1, 4}, Case{16, 16, 16}}) {
        int32_t handle = kHMemNoHandle;
        void* data = HMemAlloc(handle, c.minSize, c.maxSize, 0, false, nullptr, 0);
        ASSERT_NE(data, nullptr);
        EXPECT_GT(handle, 0);
        EXPECT_EQ(InfoOf(handle).size, c.expected) << c.minSize << ".." << c.maxSize;
        EXPECT_EQ(InfoOf(handle).referenceCount, 1);
        EXPECT_EQ(InfoOf(handle).lockCount, 0);
        HMemFree(handle);
        EXPECT_FALSE(IsLive(handle));
    }
}

TEST(HMem, ImpossibleSizesFailWithNoHandle)
{
    for (const auto& [minSize, maxSize] : {std::pair{-1, 8}, std::pair{0x7FFFFFFF, 0}}) {
        int32_t handle = 5;
        EXPECT_EQ(HMemAlloc(handle, minSize, maxSize, 0, false, nullptr, 0), nullptr);
        EXPECT_EQ(handle, kHMemNoHandle);
    }
}

TEST_F(HMemLimitedHeap, RangeGetsTheLargestSizeTheHeapGrantsByHalving)
{
    const std::size_t header = HeaderSize();
    LimitedHeap::limit = header + 500;
    int32_t handle = kHMemNoHandle;
    // 1000 is refused, then 548, then 324 is granted.
    ASSERT_NE(HMemAlloc(handle, 100, 1000, 0, true, nullptr, 0), nullptr);
    EXPECT_EQ(InfoOf(handle).size, 324);
    EXPECT_EQ(InfoOf(handle).lockCount, 1);
    HMemFree(handle);

    int32_t refused = 7;
    EXPECT_EQ(HMemAlloc(refused, 600, 600, 0, false, nullptr, 0), nullptr);
    EXPECT_EQ(refused, kHMemNoHandle);

    ASSERT_NE(HMemAlloc(handle, 100, 0x7FFFFFFF, 0, false, nullptr, 0), nullptr);
    const int32_t size = InfoOf(handle).size;
    EXPECT_TRUE(size >= 100 && size <= 500 && size % 4 == 0) << size;
    HMemFree(handle);

    HMemRef ref;
    EXPECT_EQ(ref.Alloc(600, 0, nullptr, 0), nullptr);
    EXPECT_EQ(ref.GetHandle(), kHMemNoHandle);
    EXPECT_EQ(ref.GetData(), nullptr);
}

struct CallbackLog
{
    int calls = 0;
    intptr_t userData = 0;
    bool lockHeld = false;
    HMemHandle* otherHolder = nullptr;
    int32_t freeAgain = kHMemNoHandle;
};

void LogRelease(void* payload, intptr_t userData)
{
    auto* log = *static_cast<CallbackLog**>(payload);
    ++log->calls;
    log->userData = userData;
    log->lockHeld = HMemLock().GetOwner() == CurrentThreadId();
    if (log->otherHolder != nullptr) {
        log->otherHolder->Release();
    }
    if (log->freeAgain != kHMemNoHandle) {
        HMemRef again(log->freeAgain);
        again.Release();
        HMemFree(log->freeAgain);
    }
}

TEST(HMem, TwoRefsAndOneHandleShareTheBlockUntilTheLastLetsGo)
{
    CallbackLog log;
    auto ref = std::make_unique<HMemRef>();
    auto** slot = static_cast<CallbackLog**>(ref->Alloc(sizeof(CallbackLog*), 0, LogRelease, 77));
    ASSERT_NE(slot, nullptr);
    *slot = &log;
    const int32_t handle = ref->GetHandle();

    auto copy = std::make_unique<HMemRef>(*ref);
    auto holder = std::make_unique<HMemHandle>();
    holder->AssignFromRef(*ref);
    EXPECT_EQ(copy->GetData(), ref->GetData());
    EXPECT_EQ(InfoOf(handle).referenceCount, 3);
    EXPECT_EQ(InfoOf(handle).lockCount, 2);

    ref.reset();
    copy.reset();
    EXPECT_EQ(InfoOf(handle).referenceCount, 1);
    EXPECT_EQ(InfoOf(handle).lockCount, 0);
    EXPECT_EQ(log.calls, 0);
    holder.reset();
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(log.userData, 77);
    EXPECT_FALSE(log.lockHeld);
    EXPECT_FALSE(IsLive(handle));
}

TEST_F(HMemLimitedHeap, CallbackThatFreesItsOwnBlockAgainDoesNotFreeItTwice)
{
    LimitedHeap::limit = 1 << 20;
    CallbackLog log;
    HMemRef ref;
    auto** slot = static_cast<CallbackLog**>(ref.Alloc(sizeof(CallbackLog*), 0, LogRelease, 0));
    ASSERT_NE(slot, nullptr);
    *slot = &log;
    log.freeAgain = ref.GetHandle();
    ref.Release();
    EXPECT_EQ(log.calls, 1);
    EXPECT_EQ(LimitedHeap::frees, 1);
    EXPECT_FALSE(IsLive(log.freeAgain));
}

TEST(HMem, CallbackReleasingTheLastOtherReferenceRunsOnceAndFreesOnce)
{
    CallbackLog log;
    HMemHandle other;
    HMemRef ref;
    auto** slot = static_cast<CallbackLog**>(ref.Alloc(sizeof(CallbackLog*), 0, LogRelease, 0));
    ASSERT_NE(slot, nullptr);
    *slot = &log;
    other.AssignFromRef(ref);
    log.otherHolder = &other;
    const int32_t handle = ref.GetHandle();
    ref.Release();
    EXPECT_EQ(log.calls, 0);
    other.Release();
    EXPECT_EQ(log.calls, 1);
    EXPECT_FALSE(IsLive(handle));
}

TEST(HMemHandle, SelfAndEmptyAssignmentsChangeNothing)
{
    HMemHandle empty;
    HMemHandle alsoEmpty;
    empty.Assign(alsoEmpty);
    EXPECT_EQ(empty.GetHandle(), kHMemNoHandle);
    empty.Release();
    EXPECT_EQ(empty.GetHandle(), kHMemNoHandle);

    HMemRef ref;
    ASSERT_NE(ref.Alloc(8, 0, nullptr, 0), nullptr);
    HMemHandle holder;
    holder.AssignFromRef(ref);
    holder.Assign(holder);
    HMemHandle& same = holder;
    holder = same;
    EXPECT_EQ(holder.GetHandle(), ref.GetHandle());
    EXPECT_EQ(InfoOf(ref.GetHandle()).referenceCount, 2);

    HMemRef& sameRef = ref;
    ref = sameRef;
    EXPECT_EQ(InfoOf(ref.GetHandle()).referenceCount, 2);
    EXPECT_EQ(InfoOf(ref.GetHandle()).lockCount, 1);
}

TEST(HMemRef, HandlesThatNameNoBlockGiveEmptyReferences)
{
    for (int32_t handle : {kHMemNoHandle, 0, 12345}) {
        HMemRef ref(handle);
        EXPECT_EQ(ref.GetHandle(), kHMemNoHandle);
        EXPECT_EQ(ref.GetData(), nullptr);
        ref.Release();
        HMemHandle holder;
        holder.AssignFromRef(ref);
        EXPECT_FALSE(holder.IsValid());
    }
}

TEST(HMemRef, AssignLocksTheNewBlockBeforeLettingGoOfTheOld)
{
    HMemRef first;
    HMemRef second;
    ASSERT_NE(first.Alloc(4, 0, nullptr, 0), nullptr);
    ASSERT_NE(second.Alloc(4, 0, nullptr, 0), nullptr);
    const int32_t firstHandle = first.GetHandle();
    const int32_t secondHandle = second.GetHandle();
    HMemHandle holder;
    holder.AssignFromRef(first);

    first.Assign(second);
    EXPECT_EQ(first.GetHandle(), secondHandle);
    EXPECT_EQ(InfoOf(secondHandle).referenceCount, 2);
    EXPECT_EQ(InfoOf(secondHandle).lockCount, 2);
    EXPECT_EQ(InfoOf(firstHandle).referenceCount, 1);
    EXPECT_EQ(InfoOf(firstHandle).lockCount, 0);

    second.AssignHandle(holder);
    EXPECT_EQ(second.GetHandle(), firstHandle);
    EXPECT_EQ(InfoOf(firstHandle).lockCount, 1);
    EXPECT_EQ(InfoOf(secondHandle).lockCount, 1);
    holder.Release();
    second.Release();
    EXPECT_FALSE(IsLive(firstHandle));
}

TEST(HMem, HolderCopiesOnManyThreadsFreeTheBlockOnce)
{
    constexpr int kThreads = 4;
    constexpr int kCopies = 500;
    CallbackLog log;
    HMemHandle shared;
    int32_t handle = kHMemNoHandle;
    {
        HMemRef ref;
        auto** slot = static_cast<CallbackLog**>(ref.Alloc(sizeof(CallbackLog*), 0, LogRelease, 0));
        ASSERT_NE(slot, nullptr);
        *slot = &log;
        shared.AssignFromRef(ref);
        handle = ref.GetHandle();
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&shared] {
            for (int i = 0; i < kCopies; ++i) {
                HMemHandle copy(shared);
                HMemRef locked(copy.GetHandle());
                EXPECT_NE(locked.GetData(), nullptr);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(InfoOf(handle).referenceCount, 1);
    EXPECT_EQ(InfoOf(handle).lockCount, 0);
    shared.Release();
    EXPECT_EQ(log.calls, 1);
}

TEST(HMemStrDup, CopiesTextAndNullStaysNull)
{
    EXPECT_EQ(HMemStrDup(nullptr), nullptr);
    for (const char* text : {"", "abc", "four", "GetSysTimeUs() resync"}) {
        char* copy = HMemStrDup(text);
        ASSERT_NE(copy, nullptr);
        EXPECT_STREQ(copy, text);
        EXPECT_NE(copy, text);
        std::free(copy);
    }
}

} // namespace
