#include "foundation/errors/c_error.h"

#include <cerrno>
#include <cstring>

#include "foundation/strings/text_formatter.h"

namespace {

constexpr char kOutOfMemory[] = "Out of memory!";
constexpr int32_t kSystemTextSize = 256;

// strerror_r comes in two forms: the GNU one returns the text, the POSIX one fills the buffer.
[[maybe_unused]] const char* SystemTextOf(const char* result, const char*)
{
    return result;
}

[[maybe_unused]] const char* SystemTextOf(int result, const char* buffer)
{
    return result == 0 ? buffer : nullptr;
}

XAString SystemText(int systemCode)
{
    char buffer[kSystemTextSize] = {};
    const char* text = SystemTextOf(strerror_r(systemCode, buffer, sizeof buffer), buffer);
    if (text != nullptr && *text != 0) {
        return XAString(text);
    }
    char fallback[kFormatBufferSize];
    FormatString("System error (%d)!", fallback, systemCode);
    return XAString(fallback);
}

} // namespace

CError CError::CErrorFromText(const XAString& text, int32_t code)
{
    CError error;
    error.SetError(text, code);
    return error;
}

CError CError::CErrorOutOfMemory()
{
    CError error;
    error.SetOutOfMemory();
    return error;
}

CError CError::CErrorFromLastError()
{
    const int systemCode = errno;
    CError error;
    error.FromSystemCode(systemCode);
    return error;
}

void CError::Set(int32_t state, const XAString& text, int32_t code)
{
    state_ = state;
    code_ = code;
    message_ = text;
}

void CError::SetWarning(const XAString& text, int32_t value)
{
    if (state_ == kStateOk) {
        Set(kStateWarning, text, value);
    }
}

void CError::SetError(const XAString& text, int32_t code)
{
    if (!Failed()) {
        Set(kStateError, text, code);
    }
}

void CError::SetOutOfMemory()
{
    SetError(kOutOfMemory, 0);
}

void CError::SetFileSystemError(int32_t systemCode, const XAString& text)
{
    if (!Failed()) {
        Set(kStateFileSystemError, text, systemCode);
    }
}

void CError::Copy(const CError& other)
{
    if (Failed() || (state_ == kStateWarning && !other.Failed())) {
        return;
    }
    Set(other.state_, other.message_, other.code_);
}

void CError::FromSystemCode(int systemCode)
{
    if (!Failed()) {
        SetError(SystemText(systemCode), 0);
    }
}

void CError::FromLastError()
{
    FromSystemCode(errno);
}

XAString CError::WarningText() const
{
    return state_ == kStateWarning ? message_ : XAString();
}

XAString CError::ErrorText() const
{
    if (!Failed()) {
        return XAString();
    }
    if (state_ == kStateFileSystemError && message_.IsEmpty()) {
        char text[kFormatBufferSize];
        FormatString("Filesystem error (%d)!", text, code_);
        return XAString(text);
    }
    return message_;
}

XAString CError::Text() const
{
    return Failed() ? ErrorText() : WarningText();
}

CError MakeCErrorFromText(const XAString& text, int32_t code)
{
    return CError::CErrorFromText(text, code);
}
