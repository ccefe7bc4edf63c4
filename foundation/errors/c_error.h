#pragma once

// CError: the status value every operation that can fail fills in. A plain value, never thrown,
// copied and returned by value. The first error recorded in it stays: once it holds an error
// (state 2 or 3) no setter changes it; only assigning a whole new value does.

#include <cstdint>

#include "foundation/strings/xa_string.h"

class CError
{
  public:
    static constexpr int32_t kStateOk = 0;
    static constexpr int32_t kStateWarning = 1;
    static constexpr int32_t kStateError = 2;
    static constexpr int32_t kStateFileSystemError = 3;

    CError() = default;
    CError(const CError& other) = default;
    CError(CError&& other) noexcept = default;
    CError& operator=(const CError& other) = default;
    CError& operator=(CError&& other) noexcept = default;
    virtual ~CError() = default;

    static CError CErrorFromText(const XAString& text, int32_t code);
    static CError CErrorOutOfMemory();
    // An error with the system's text for the calling thread's errno.
    static CError CErrorFromLastError();

    // Only on an ok value: becomes a warning.
    void SetWarning(const XAString& text, int32_t value);
    // On an ok or warning value: becomes an error. An error already held stays.
    void SetError(const XAString& text, int32_t code);
    void SetOutOfMemory();
    // Like SetError, for a failure of the file system with its system error number; without a
    // message the error text names that number.
    void SetFileSystemError(int32_t systemCode, const XAString& text = XAString());
    // Takes over the other's state, code and message unless that would replace an error, or
    // replace a warning by a value that is not an error.
    void Copy(const CError& other);
    // SetError with the system's text for an errno value, and code 0.
    void FromSystemCode(int systemCode);
    void FromLastError();

    // The message of a warning, else empty.
    XAString WarningText() const;
    // The message of an error (or "Filesystem error (code)!" for a file-system error without
    // one), else empty.
    XAString ErrorText() const;
    XAString GetErrorMessage() const { return ErrorText(); }
    // WarningText for an ok or warning value, else ErrorText.
    XAString Text() const;

    int32_t State() const { return state_; }
    int32_t Code() const { return code_; }
    const XAString& Message() const { return message_; }
    // A warning counts as success.
    bool Failed() const { return state_ != kStateOk && state_ != kStateWarning; }

  private:
    void Set(int32_t state, const XAString& text, int32_t code);

    int32_t state_ = kStateOk;
    int32_t code_ = 0;
    XAString message_;
};

CError MakeCErrorFromText(const XAString& text, int32_t code);
