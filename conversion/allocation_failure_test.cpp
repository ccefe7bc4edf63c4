// What the conversion code does when memory runs out. An allocation is made to fail through the
// global allocation functions of this test program: every form goes through malloc and free, so
// memory from one form is never released by another.

#include "conversion/color_lookup_tables.h"
#include "conversion/lcvt_ctx.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <vector>

namespace {

thread_local bool failNextAllocation = false;

void* Allocate(std::size_t size) noexcept
{
    if (failNextAllocation) {
        failNextAllocation = false;
        return nullptr;
    }
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size)
{
    if (void* memory = Allocate(size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size)
{
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size)
{
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    return Allocate(size);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete[](void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}

namespace {

class SinkCountingCtx : public LCvtCtx
{
  public:
    bool WantsPicture(int32_t) override { return true; }
    void PictureSink(int32_t, const LPic&) override { ++sinkCalls; }
    int sinkCalls = 0;
};

} // namespace

TEST(AllocationFailure, AFailedPictureCopySetsTheStatusAndSkipsTheSink)
{
    SinkCountingCtx ctx;
    LPic picture;
    picture.Append(LPicEntry{});

    failNextAllocation = true;
    const bool stopped = ctx.OnPicture(1, picture);
    const bool copyFailed = !failNextAllocation;
    failNextAllocation = false;
    ASSERT_TRUE(copyFailed) << "the copy allocated nothing";
    EXPECT_FALSE(stopped);

    EXPECT_EQ(ctx.sinkCalls, 0);
    EXPECT_TRUE(ctx.Status().Failed());
    EXPECT_STREQ(ctx.Status().ErrorText().CStr(), "Out of memory!");

    // The item that goes on uncopied needs no memory and still arrives.
    failNextAllocation = true;
    ctx.OnPicture(LCvtCtx::kUntouchedPictureItem, picture);
    failNextAllocation = false;
    EXPECT_EQ(ctx.sinkCalls, 1);
}

// Each nearest-colour table, looked up while its memory cannot be had, answers as the built table
// does. A table that an earlier test in this process built already cannot be tested here.
TEST(AllocationFailure, LookupsWithoutTheirTableGiveTheSameColours)
{
    using Lookup = int32_t (*)(int32_t, int32_t, int32_t);
    const struct
    {
        int32_t table;
        Lookup lookup;
    } cases[] = {
        {0, [](int32_t r, int32_t g, int32_t b) { return ColorLookupTable(r, g, b, true); }},
        {1, [](int32_t r, int32_t g, int32_t b) { return ColorLookupTable(r, g, b, false); }},
        {2, ColorLookupTable2},
        {3, ColorLookupTable3},
    };
    const int32_t colours[][3] = {{200, 40, 90}, {0, 0, 0}, {255, 255, 255}, {12, 250, 128}, {128, 128, 120}};
    int tested = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table);
        failNextAllocation = true;
        int32_t size = 0;
        const uint8_t* bytes = ColorLookupTableBytes(c.table, size);
        if (failNextAllocation) {
            failNextAllocation = false;
            continue;
        }
        EXPECT_EQ(bytes, nullptr);
        ++tested;
        std::vector<int32_t> withoutTable;
        for (const auto& colour : colours) {
            failNextAllocation = true;
            const int32_t entry = c.lookup(colour[0], colour[1], colour[2]);
            const bool tableFailed = !failNextAllocation;
            failNextAllocation = false;
            EXPECT_TRUE(tableFailed) << "the table was built after all";
            withoutTable.push_back(entry);
        }
        ASSERT_NE(ColorLookupTableBytes(c.table, size), nullptr);
        for (size_t i = 0; i < withoutTable.size(); ++i) {
            EXPECT_EQ(withoutTable[i], c.lookup(colours[i][0], colours[i][1], colours[i][2])) << i;
        }
    }
    if (tested == 0) {
        GTEST_SKIP() << "every table was built before this test";
    }
}
