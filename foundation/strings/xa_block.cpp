#include "foundation/strings/xa_block.h"

#include "foundation/strings/internal/mem_routines.h"
#include "foundation/strings/xa_string.h"

#include <cstdlib>

XABlock& XABlock::operator=(XABlock&& other) noexcept
{
    if (this != &other)
        DropRef(std::exchange(data_, std::exchange(other.data_, nullptr)));
    return *this;
}

void XABlock::Assign(const XABlock& other) noexcept
{
    if (this == &other)
        return;
    AddRef(other.data_);
    DropRef(std::exchange(data_, other.data_));
}

void* XABlock::Alloc(std::size_t size, ReleaseCallback release, int32_t count) noexcept
{
    Clear();
    if (size > SIZE_MAX / 2 - sizeof(Header))
        return nullptr;
    auto* header = static_cast<Header*>(AllocRounded(sizeof(Header) + size));
    if (!header)
        return nullptr;
    ::new (header) Header{{1}, count, release};
    data_ = header + 1;
    return data_;
}

XABlock* XABlock::AllocZeroed4(int32_t n) noexcept
{
    std::size_t size = 0;
    if (!ByteSize<XABlock>(n, size)) {
        Clear();
        return nullptr;
    }
    return static_cast<XABlock*>(ConstructZero4(Alloc(size, &ReleaseEach4, n), n));
}

void XABlock::Destroy(void* data) noexcept
{
    Header* header = HeaderOf(data);
    if (header->release)
        header->release(data, header->count);
    header->~Header();
    std::free(header);
}

void* XABlock::ConstructPlain(void* data, int32_t) noexcept
{
    return data;
}

namespace {

template <class T> void* ConstructEach(void* data, int32_t count) noexcept
{
    T* elements = static_cast<T*>(data);
    for (int32_t i = 0; elements && i < count; ++i)
        ::new (static_cast<void*>(elements + i)) T();
    return data;
}

} // namespace

void* XABlock::ConstructZero4(void* data, int32_t count) noexcept
{
    return ConstructEach<XABlock>(data, count);
}

void* XABlock::ConstructZero8(void* data, int32_t count) noexcept
{
    return ConstructEach<XAString>(data, count);
}

void* XABlock::ConstructZero12(void* data, int32_t count) noexcept
{
    return ConstructEach<XAValueEntry>(data, count);
}

void XABlock::ReleasePlain(void*, int32_t) noexcept
{
}

void XABlock::ReleaseEach4(void* data, int32_t count) noexcept
{
    DestroyObjectArray<XABlock>(data, count);
}

void XABlock::ReleaseEachString(void* data, int32_t count) noexcept
{
    DestroyObjectArray<XAString>(data, count);
}

void XABlock::ReleaseEachValueEntry(void* data, int32_t count) noexcept
{
    auto* entries = static_cast<XAValueEntry*>(data);
    for (int32_t i = count; i-- > 0;)
        DestroyCountedMember(entries + i);
}

void XABlock::DestroyCountedMember(void* element) noexcept
{
    static_cast<XAValueEntry*>(element)->~XAValueEntry();
}
