#pragma once
// Counted blocks: heap blocks with a header {reference count, element count, release callback}
// in front of the data. A holder (XABlock) is one pointer to the data, so it doubles as a plain
// pointer to the elements; copies share the block and the last holder to let go destroys it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <utility>

class XABlock
{
  public:
    // Destroys `count` elements at `data`; null means nothing to destroy.
    using ReleaseCallback = void (*)(void* data, int32_t count);
    // Constructs `count` elements at `data` and returns `data`.
    using ConstructCallback = void* (*)(void* data, int32_t count);

    XABlock() noexcept = default;
    XABlock(const XABlock& other) noexcept : data_(other.data_) { AddRef(data_); }
    XABlock(XABlock&& other) noexcept : data_(std::exchange(other.data_, nullptr)) {}
    ~XABlock() { Clear(); }

    XABlock& operator=(const XABlock& other) noexcept
    {
        Assign(other);
        return *this;
    }
    XABlock& operator=(XABlock&& other) noexcept;

    // Shares the other's block; the new reference is taken before the old one is dropped, so
    // assigning a holder of the same block keeps it alive.
    void Assign(const XABlock& other) noexcept;

    // Drops the held block, then allocates `size` bytes of data with reference count 1.
    // Returns the data, or null (and the holder is null) when the heap is exhausted.
    void* Alloc(std::size_t size, ReleaseCallback release, int32_t count) noexcept;
    // n empty holders, released with ReleaseEach4.
    XABlock* AllocZeroed4(int32_t n) noexcept;
    // n value-initialised elements, destroyed last to first when the block goes.
    template <class T> T* AllocZeroed8(int32_t n) noexcept;
    // n elements that need no destruction.
    template <class T> T* AllocArray8(int32_t n) noexcept;
    // One shared object constructed in a block of its own (element count 1).
    template <class T, class... Args> T* NewObject(Args&&... args);

    // Both drop this holder's reference and leave the holder null.
    void Release() noexcept { Clear(); }
    void Clear() noexcept { DropRef(std::exchange(data_, nullptr)); }
    // Forgets the block without touching its count; the caller takes over the reference.
    void* Detach() noexcept { return std::exchange(data_, nullptr); }
    // A new holder of the block whose data is at `data` (one more reference; null gives an empty
    // holder): for objects that live in a block of their own and keep themselves alive.
    static XABlock Share(void* data) noexcept
    {
        AddRef(data);
        XABlock holder;
        holder.data_ = data;
        return holder;
    }
    // The last step of a release: runs the callback and frees the block.
    static void Destroy(void* data) noexcept;

    void* Data() const noexcept { return data_; }
    template <class T> T* As() const noexcept { return static_cast<T*>(data_); }
    explicit operator bool() const noexcept { return data_ != nullptr; }
    bool operator==(const XABlock& other) const noexcept { return data_ == other.data_; }
    // Element count fixed at allocation; 0 for a null holder.
    int32_t Count() const noexcept { return data_ ? HeaderOf(data_)->count : 0; }
    // Number of holders of the block; 0 for a null holder.
    int32_t RefCount() const noexcept
    {
        return data_ ? HeaderOf(data_)->refs.load(std::memory_order_relaxed) : 0;
    }

    // Element callbacks (also used by HArray).
    static void* ConstructPlain(void* data, int32_t count) noexcept;
    static void* ConstructZero4(void* data, int32_t count) noexcept;  // XABlock holders
    static void* ConstructZero8(void* data, int32_t count) noexcept;  // XAString
    static void* ConstructZero12(void* data, int32_t count) noexcept; // XAValueEntry
    static void ReleasePlain(void* data, int32_t count) noexcept;
    static void ReleaseEach4(void* data, int32_t count) noexcept;
    static void ReleaseEachString(void* data, int32_t count) noexcept;
    static void ReleaseEachValueEntry(void* data, int32_t count) noexcept;
    static void DestroyCountedMember(void* element) noexcept;

  private:
    // Sized and aligned so that the data behind it is aligned for any type.
    struct alignas(std::max_align_t) Header
    {
        std::atomic<int32_t> refs;
        int32_t count;
        ReleaseCallback release;
    };

    static Header* HeaderOf(void* data) noexcept { return static_cast<Header*>(data) - 1; }
    static void AddRef(void* data) noexcept
    {
        if (data)
            HeaderOf(data)->refs.fetch_add(1, std::memory_order_relaxed);
    }
    static void DropRef(void* data) noexcept
    {
        if (data && HeaderOf(data)->refs.fetch_sub(1, std::memory_order_acq_rel) == 1)
            Destroy(data);
    }
    template <class T> static bool ByteSize(int32_t n, std::size_t& size) noexcept;

    void* data_ = nullptr;
};

// Release callback of blocks of objects: runs each destructor, last element first, without
// freeing (the block release frees the memory afterwards).
template <class T> void DestroyObjectArray(void* data, int32_t count) noexcept
{
    T* objects = static_cast<T*>(data);
    for (int32_t i = count; i-- > 0;)
        objects[i].~T();
}

template <class T> bool XABlock::ByteSize(int32_t n, std::size_t& size) noexcept
{
    if (n < 0 || static_cast<std::size_t>(n) > SIZE_MAX / 2 / sizeof(T))
        return false;
    size = static_cast<std::size_t>(n) * sizeof(T);
    return true;
}

template <class T> T* XABlock::AllocZeroed8(int32_t n) noexcept
{
    std::size_t size = 0;
    if (!ByteSize<T>(n, size)) {
        Clear();
        return nullptr;
    }
    T* elements = static_cast<T*>(Alloc(size, &DestroyObjectArray<T>, n));
    for (int32_t i = 0; elements && i < n; ++i)
        ::new (static_cast<void*>(elements + i)) T();
    return elements;
}

template <class T> T* XABlock::AllocArray8(int32_t n) noexcept
{
    static_assert(std::is_trivially_destructible_v<T>, "elements of a plain array need no destruction");
    std::size_t size = 0;
    if (!ByteSize<T>(n, size)) {
        Clear();
        return nullptr;
    }
    T* elements = static_cast<T*>(Alloc(size, &ReleasePlain, n));
    for (int32_t i = 0; elements && i < n; ++i)
        ::new (static_cast<void*>(elements + i)) T;
    return elements;
}

template <class T, class... Args> T* XABlock::NewObject(Args&&... args)
{
    void* memory = Alloc(sizeof(T), nullptr, 1);
    if (!memory)
        return nullptr;
    T* object = ::new (memory) T(std::forward<Args>(args)...);
    HeaderOf(memory)->release = &DestroyObjectArray<T>;
    return object;
}
