// The two vocabularies of file errors: coarse classes, returned by the single-entry file
// operations and MakeDirs, and detailed codes, kept as status by the directory scanner and
// iterator. 0 is success in both.
#pragma once

#include <cstdint>

constexpr int32_t kFsOk = 0;
constexpr int32_t kFsOther = -1;
constexpr int32_t kFsInvalidArgument = -10;
constexpr int32_t kFsNotSupported = -11;
constexpr int32_t kFsBadName = -12;
constexpr int32_t kFsInvalidHandle = -13;
constexpr int32_t kFsOutOfResources = -20;
constexpr int32_t kFsAccessDenied = -21;
constexpr int32_t kFsWriteProtected = -22;
constexpr int32_t kFsIoFailure = -30;
constexpr int32_t kFsDeviceNotReady = -31;
constexpr int32_t kFsDataError = -32;
constexpr int32_t kFsUnrecognisedMedium = -33;
constexpr int32_t kFsNotFound = -40;
constexpr int32_t kFsAlreadyExists = -41;
constexpr int32_t kFsEndOfFile = -42;
constexpr int32_t kFsDiskFull = -43;
constexpr int32_t kFsReserved80 = -80;
constexpr int32_t kFsCancelled = -90;

constexpr int32_t kFileErrorBadNetworkPrefix = -102;
constexpr int32_t kFileErrorNameTooLong = -132;
constexpr int32_t kFileErrorExtensionTooLong = -133;
constexpr int32_t kFileErrorBadCharacter = -135;
constexpr int32_t kFileErrorEmptyComponent = -136;
constexpr int32_t kFileErrorBadPattern = -140;
constexpr int32_t kFileErrorNoMoreEntries = -142;
constexpr int32_t kFileErrorOutOfMemory = -233;

// Detailed code -> class; unknown codes give kFsOther.
int32_t FileErrorToClass(int32_t code);
// Class -> the detailed code that stands for it; unknown classes give -11000.
int32_t ClassToFileError(int32_t errorClass);

// The system's error number -> class; unknown numbers give kFsOther.
int32_t ErrnoToClass(int error);
// ClassToFileError(ErrnoToClass(error)).
int32_t FileErrorFromErrno(int error);
// The class of the calling thread's last system error.
int32_t FsLastError();
