#include "foundation/archives/archive_xstring.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

constexpr int32_t kIoBufferBytes = 1024;
// The longest string: its block also holds the terminator.
constexpr int64_t kMaxStorage = std::numeric_limits<int32_t>::max() - 1;
constexpr const char* kReadEndText = "UnbufferedReadRaw: End of file!";
constexpr const char* kSkipEndText = "UnbufferedSkipRaw: End of file!";
constexpr const char* kInvalidSeekText = "LArchiveXString::Invalid seek position!";

} // namespace

void LArchiveXString::Reset()
{
    LArchiveBase::Reset();
    ioBuffer_ = XAString();
    ioText_ = nullptr;
    storage_ = XAString();
    data_ = nullptr;
    validLength_ = 0;
    rawPosition_ = 0;
}

bool LArchiveXString::OpenCommon()
{
    Reset();
    return AllocBuffer(kIoBufferBytes);
}

bool LArchiveXString::AllocBuffer(int32_t n)
{
    char* text = ioBuffer_.SetLength(std::max(n, kIoBufferBytes));
    ioText_ = reinterpret_cast<uint8_t*>(text);
    if (!text) {
        Status().SetError(kArchiveOutOfMemoryText, 0);
        return false;
    }
    return true;
}

bool LArchiveXString::Reserve(int64_t n)
{
    n = std::max<int64_t>(n, kIoBufferBytes);
    if (n > kMaxStorage) {
        Status().SetError(kArchiveOutOfMemoryText, 0);
        return false;
    }
    XAString grown;
    char* text = grown.SetLength(static_cast<int32_t>(n));
    if (!text) {
        Status().SetError(kArchiveOutOfMemoryText, 0);
        return false;
    }
    if (validLength_ > 0)
        std::memcpy(text, data_, static_cast<size_t>(validLength_));
    storage_ = grown;
    data_ = reinterpret_cast<const uint8_t*>(storage_.CStr());
    return true;
}

bool LArchiveXString::OpenWrite(int32_t capacity)
{
    if (!OpenCommon() || !Reserve(capacity))
        return false;
    SetWriteBuffer(ioText_, ioBuffer_.Length());
    return true;
}

bool LArchiveXString::OpenRead(const XAString& string, int32_t length)
{
    // Share before resetting, in case the string is our own storage.
    const XAString source = string;
    if (!OpenCommon())
        return false;
    storage_ = source;
    data_ = reinterpret_cast<const uint8_t*>(storage_.CStr());
    validLength_ = length < 0 ? storage_.Length() : std::min(length, storage_.Length());
    SetReadBuffer(ioText_, ioBuffer_.Length());
    return true;
}

bool LArchiveXString::OpenReadMemory(const void* data, int32_t length, bool copy)
{
    if (!copy) {
        if (!OpenCommon())
            return false;
        data_ = static_cast<const uint8_t*>(data);
        validLength_ = data ? std::max(length, 0) : 0;
        SetReadBuffer(ioText_, ioBuffer_.Length());
        return true;
    }
    XAString owned;
    if (data && length > 0) {
        char* text = owned.SetLength(length);
        if (!text) {
            Reset();
            Status().SetError(kArchiveOutOfMemoryText, 0);
            return false;
        }
        std::memcpy(text, data, static_cast<size_t>(length));
    }
    return OpenRead(owned, -1);
}

XAString LArchiveXString::TakeString()
{
    Flush();
    XAString result;
    if (validLength_ <= 0)
        return result;
    char* text = result.SetLength(validLength_);
    if (!text) {
        Status().SetError(kArchiveOutOfMemoryText, 0);
        return XAString();
    }
    std::memcpy(text, data_, static_cast<size_t>(validLength_));
    return result;
}

bool LArchiveXString::Close(bool force)
{
    if (IsWriter()) {
        Flush();
        SetWriteBuffer(nullptr, 0);
    } else {
        SetReadBuffer(nullptr, 0);
    }
    ioBuffer_ = XAString();
    ioText_ = nullptr;
    storage_ = XAString();
    data_ = nullptr;
    validLength_ = 0;
    rawPosition_ = 0;
    SetPosition(0);
    return !HasError();
}

int32_t LArchiveXString::GetFileSize()
{
    if (IsWriter())
        Flush();
    return validLength_;
}

int32_t LArchiveXString::UnbufferedReadRaw(void* destination, int32_t min, int32_t max)
{
    const int32_t n = std::clamp(validLength_ - rawPosition_, 0, std::max(max, 0));
    if (n > 0)
        std::memcpy(destination, data_ + rawPosition_, static_cast<size_t>(n));
    rawPosition_ += n;
    if (n < min)
        Status().SetError(kReadEndText, 0);
    return n;
}

int32_t LArchiveXString::UnbufferedSkipRaw(int32_t min, int32_t max)
{
    const int32_t n = std::clamp(validLength_ - rawPosition_, 0, std::max(max, 0));
    rawPosition_ += n;
    if (n < min)
        Status().SetError(kSkipEndText, 0);
    return n;
}

int32_t LArchiveXString::UnbufferedWriteRaw(const void* source, int32_t n)
{
    if (n <= 0)
        return n;
    if (!IsWriter()) {
        Status().SetError(kArchiveNotWriterText, 0);
        return 0;
    }
    const int64_t end = std::max<int64_t>(validLength_, static_cast<int64_t>(rawPosition_) + n);
    if (end > Capacity() && !Reserve(end > kMaxStorage ? end : std::min(2 * end, kMaxStorage)))
        return 0;
    // The storage is ours alone while writing: Reserve made it.
    auto* text = const_cast<uint8_t*>(data_);
    std::memcpy(text + rawPosition_, source, static_cast<size_t>(n));
    validLength_ = static_cast<int32_t>(end);
    rawPosition_ += n;
    return n;
}

int32_t LArchiveXString::SeekRel(int32_t distance)
{
    int64_t d = 0;
    if (SeekWithinBuffer(distance, d))
        return Tell();
    int64_t target = rawPosition_ + d;
    if (target < 0 || target > validLength_) {
        Status().SetError(kInvalidSeekText, 0);
        target = std::clamp<int64_t>(target, 0, validLength_);
    }
    rawPosition_ = static_cast<int32_t>(target);
    SetPosition(rawPosition_);
    return Tell();
}
