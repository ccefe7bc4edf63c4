#pragma once
// HArray: the growable array on a counted block, one template for every element kind (pointers,
// block holders, strings, value entries, show-list and picture entries, socket entries). Each
// kind brings its behaviour through its type: slots are value-initialised when a block is made,
// elements are copied by assignment (holders and strings share their blocks) and destroyed last
// to first when the block goes.
//
// The array owns its block alone; assignment copies the elements into a block of its own. An
// iterator (HArrayIter) holds a reference to the block it was made on, so its elements stay valid
// when the array moves to a new block; writes in place are seen through it, and inserting or
// removing through an iterator whose block is no longer the array's fails.
//
// Growth rule: a size n reallocates only when n exceeds the capacity or the capacity exceeds n by
// more than the growth step, and then with capacity max(n + (step + 1) / 2, step). A failed
// resize or insert returns false and leaves the array as it was.

#include "foundation/strings/xa_block.h"

#include <algorithm>
#include <cstdint>
#include <limits>

template <class T> class HArray;

template <class T> class HArrayIter
{
  public:
    HArrayIter() noexcept = default;

    // On that index of the array; an index outside the elements in use gives no element.
    void InitAt(const HArray<T>& array, int32_t index) noexcept;
    // On the last element (index 0 when the array is empty).
    void InitAtEnd(const HArray<T>& array) noexcept { InitAt(array, std::max(array.GetSize() - 1, 0)); }

    // The current element; null at the end.
    T* Current() const noexcept { return element_; }
    int32_t Index() const noexcept { return index_; }
    // One element on; past the last one the iterator lets go of its block and becomes empty.
    void Next() noexcept;
    // One element back; before the first one the iterator lets go of its block and becomes empty.
    void Prev() noexcept;
    void Release() noexcept;

  private:
    friend class HArray<T>;

    XABlock block_;
    T* element_ = nullptr;
    int32_t index_ = 0;
    int32_t count_ = 0;
};

template <class T> class HArray
{
  public:
    explicit HArray(int32_t growBy = 0) noexcept : growBy_(growBy) {}
    // An exact copy (capacity = count) with the other's growth step.
    HArray(const HArray& other) : growBy_(other.growBy_) { AssignBlockRefs(other); }
    HArray& operator=(const HArray& other)
    {
        AssignBlockRefs(other);
        return *this;
    }
    ~HArray() = default;

    int32_t GetSize() const noexcept { return count_; }
    int32_t GetCapacity() const noexcept { return capacity_; }
    int32_t GetGrowBy() const noexcept { return growBy_; }
    T* GetData() const noexcept { return data_.As<T>(); }
    const XABlock& Block() const noexcept { return data_; }
    T& operator[](int32_t index) noexcept { return GetData()[index]; }
    const T& operator[](int32_t index) const noexcept { return GetData()[index]; }

    // Resizes by the growth rule; n <= 0 empties the array and drops the block. False when the
    // heap is exhausted (the array is unchanged).
    bool SetSize(int32_t n);
    // Sets the growth step, then fits the block to the count by the growth rule.
    bool SetGrowBy(int32_t step);
    // One copy of the element added at the end.
    bool Append(const T& element) { return Insert(count_, 1, &element); }
    // Makes this array an exact copy of the other in a block of its own (capacity = the other's
    // count); the growth step stays. On failure the array is empty.
    bool AssignBlockRefs(const HArray& other);
    // Drops the block and makes n fresh elements, all in use, for the caller to fill; null when
    // n <= 0 or the heap is exhausted.
    T* AllocBuffer(int32_t n);
    // Shares another holder's block, which holds elements of this type; all of them are in use.
    void AssignBuffer(const XABlock& holder) noexcept;

    // n elements inserted before the iterator's index, each a copy of value (value-initialised
    // when value is null). Fails for negative n, a stale iterator or an index outside 0..count.
    bool InsertAt(const HArrayIter<T>& at, int32_t n, const T* value);
    // n elements removed from the iterator's index on. Fails for negative n, a stale iterator, a
    // negative index or fewer than n elements from there.
    bool RemoveAt(const HArrayIter<T>& at, int32_t n);
    // The last element, removed, in a new counted block of one element; null when empty.
    XABlock RemoveLast();

    HArrayIter<T> IterFirst() const noexcept { return IterAt(0); }
    HArrayIter<T> IterLast() const noexcept;
    HArrayIter<T> IterAt(int32_t index) const noexcept;

  private:
    bool IsCurrent(const HArrayIter<T>& at) const noexcept { return at.block_ == data_; }
    bool Insert(int32_t index, int32_t n, const T* value);
    bool Remove(int32_t index, int32_t n);
    // Fewer elements in the same block; the slots let go are reset so that they hold nothing.
    void ShrinkInPlace(int32_t n);
    void Empty() noexcept;

    XABlock data_;
    int32_t capacity_ = 0;
    int32_t count_ = 0;
    int32_t growBy_ = 0;
};

template <class T> void HArrayIter<T>::InitAt(const HArray<T>& array, int32_t index) noexcept
{
    block_ = array.Block();
    index_ = index;
    count_ = array.GetSize();
    element_ = block_ && index >= 0 && index < count_ ? block_.As<T>() + index : nullptr;
}

template <class T> void HArrayIter<T>::Next() noexcept
{
    if (!element_)
        return;
    if (++index_ < count_)
        ++element_;
    else
        Release();
}

template <class T> void HArrayIter<T>::Prev() noexcept
{
    if (!element_)
        return;
    if (index_-- > 0)
        --element_;
    else
        Release();
}

template <class T> void HArrayIter<T>::Release() noexcept
{
    block_.Clear();
    element_ = nullptr;
    index_ = 0;
    count_ = 0;
}

template <class T> bool HArray<T>::SetSize(int32_t n)
{
    if (growBy_ < 0)
        growBy_ = 0;
    if (n <= 0) {
        Empty();
        return true;
    }
    if (n <= capacity_ && capacity_ - n <= growBy_) {
        if (n < count_)
            ShrinkInPlace(n);
        count_ = n;
        return true;
    }
    const int64_t wanted = std::max<int64_t>(int64_t{n} + (int64_t{growBy_} + 1) / 2, growBy_);
    const int32_t capacity =
        static_cast<int32_t>(std::min<int64_t>(wanted, std::numeric_limits<int32_t>::max()));
    XABlock block;
    T* fresh = block.AllocZeroed8<T>(capacity);
    if (!fresh)
        return false;
    // The old block stays alive until its elements are copied, even if an iterator lets go.
    const XABlock old = data_;
    std::copy_n(old.As<T>(), std::min(count_, n), fresh);
    data_ = std::move(block);
    capacity_ = capacity;
    count_ = n;
    return true;
}

template <class T> bool HArray<T>::SetGrowBy(int32_t step)
{
    growBy_ = step;
    return SetSize(count_);
}

template <class T> bool HArray<T>::AssignBlockRefs(const HArray& other)
{
    if (&other == this)
        return true;
    if (other.count_ <= 0) {
        Empty();
        return true;
    }
    XABlock block;
    T* fresh = block.AllocZeroed8<T>(other.count_);
    if (!fresh) {
        Empty();
        return false;
    }
    std::copy_n(other.GetData(), other.count_, fresh);
    data_ = std::move(block);
    capacity_ = other.count_;
    count_ = other.count_;
    return true;
}

template <class T> T* HArray<T>::AllocBuffer(int32_t n)
{
    Empty();
    if (n <= 0)
        return nullptr;
    T* fresh = data_.AllocZeroed8<T>(n);
    if (fresh) {
        capacity_ = n;
        count_ = n;
    }
    return fresh;
}

template <class T> void HArray<T>::AssignBuffer(const XABlock& holder) noexcept
{
    data_ = holder;
    capacity_ = data_.Count();
    count_ = capacity_;
}

template <class T> bool HArray<T>::InsertAt(const HArrayIter<T>& at, int32_t n, const T* value)
{
    if (n < 0 || !IsCurrent(at) || at.index_ < 0 || at.index_ > count_)
        return false;
    return Insert(at.index_, n, value);
}

template <class T> bool HArray<T>::RemoveAt(const HArrayIter<T>& at, int32_t n)
{
    if (n < 0 || !IsCurrent(at) || at.index_ < 0 || count_ - at.index_ < n)
        return false;
    return Remove(at.index_, n);
}

template <class T> XABlock HArray<T>::RemoveLast()
{
    XABlock last;
    if (count_ <= 0)
        return last;
    T* element = last.AllocZeroed8<T>(1);
    if (!element)
        return last;
    *element = GetData()[count_ - 1];
    Remove(count_ - 1, 1);
    return last;
}

template <class T> HArrayIter<T> HArray<T>::IterLast() const noexcept
{
    HArrayIter<T> iter;
    iter.InitAtEnd(*this);
    return iter;
}

template <class T> HArrayIter<T> HArray<T>::IterAt(int32_t index) const noexcept
{
    HArrayIter<T> iter;
    iter.InitAt(*this, index);
    return iter;
}

template <class T> bool HArray<T>::Insert(int32_t index, int32_t n, const T* value)
{
    if (n == 0)
        return true;
    if (count_ > std::numeric_limits<int32_t>::max() - n)
        return false;
    // The value may be one of this array's elements, which a reallocation or the shift moves.
    const T fill = value ? *value : T();
    const int32_t oldCount = count_;
    if (!SetSize(oldCount + n))
        return false;
    const XABlock hold = data_;
    T* elements = hold.As<T>();
    std::copy_backward(elements + index, elements + oldCount, elements + oldCount + n);
    std::fill_n(elements + index, n, fill);
    return true;
}

template <class T> bool HArray<T>::Remove(int32_t index, int32_t n)
{
    if (n == 0)
        return true;
    const XABlock hold = data_;
    T* elements = hold.As<T>();
    std::copy(elements + index + n, elements + count_, elements + index);
    const int32_t newCount = count_ - n;
    // Without room for a smaller block the old one serves, with the new count.
    if (!SetSize(newCount))
        ShrinkInPlace(newCount);
    return true;
}

template <class T> void HArray<T>::ShrinkInPlace(int32_t n)
{
    std::fill(GetData() + n, GetData() + count_, T());
    count_ = n;
}

template <class T> void HArray<T>::Empty() noexcept
{
    data_.Clear();
    capacity_ = 0;
    count_ = 0;
}
