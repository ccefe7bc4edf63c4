#include "foundation/files/file_error_class.h"

#include <cerrno>
#include <iterator>

namespace {

constexpr int32_t kFileErrorUnknown = -11000;

// A closed range of detailed codes and its class.
struct CodeRange
{
    int32_t low;
    int32_t high;
    int32_t errorClass;
};

constexpr CodeRange kCodeRanges[] = {
    {-11017, -11017, kFsIoFailure},
    {-11002, -11001, kFsIoFailure},
    {-429, -427, kFsIoFailure},
    {-415, -415, kFsIoFailure},
    {-401, -401, kFsIoFailure},
    {-352, -351, kFsIoFailure},
    {-344, -341, kFsIoFailure},
    {-322, -321, kFsIoFailure},
    {-315, -308, kFsIoFailure},
    {-306, -306, kFsIoFailure},
    {-16, -16, kFsIoFailure},
    {-11016, -11016, kFsNotSupported},
    {-260, -260, kFsNotSupported},
    {-222, -221, kFsNotSupported},
    {-214, -214, kFsNotSupported},
    {-211, -211, kFsNotSupported},
    {-119, -117, kFsNotSupported},
    {-115, -111, kFsNotSupported},
    {-11015, -11015, kFsInvalidArgument},
    {-414, -411, kFsInvalidArgument},
    {-334, -331, kFsInvalidArgument},
    {-305, -305, kFsInvalidArgument},
    {-261, -261, kFsInvalidArgument},
    {-243, -241, kFsInvalidArgument},
    {-225, -223, kFsInvalidArgument},
    {-195, -191, kFsInvalidArgument},
    {-186, -183, kFsInvalidArgument},
    {-128, -128, kFsInvalidArgument},
    {-116, -116, kFsInvalidArgument},
    {-102, -101, kFsInvalidArgument},
    {-24, -24, kFsInvalidArgument},
    {-2, -1, kFsInvalidArgument},
    {-11014, -11014, kFsOutOfResources},
    {-233, -232, kFsOutOfResources},
    {-213, -213, kFsOutOfResources},
    {-178, -178, kFsOutOfResources},
    {-173, -173, kFsOutOfResources},
    {-11013, -11013, kFsAccessDenied},
    {-360, -360, kFsAccessDenied},
    {-307, -307, kFsAccessDenied},
    {-175, -174, kFsAccessDenied},
    {-166, -164, kFsAccessDenied},
    {-161, -161, kFsAccessDenied},
    {-156, -154, kFsAccessDenied},
    {-151, -151, kFsAccessDenied},
    {-144, -144, kFsAccessDenied},
    {-138, -138, kFsAccessDenied},
    {-125, -125, kFsAccessDenied},
    {-123, -122, kFsAccessDenied},
    {-106, -106, kFsAccessDenied},
    {-431, -431, kFsDataError},
    {-426, -426, kFsDataError},
    {-424, -421, kFsDataError},
    {-326, -326, kFsDataError},
    {-304, -303, kFsDataError},
    {-301, -301, kFsDataError},
    {-129, -129, kFsDataError},
    {-127, -127, kFsDataError},
    {-99, -99, kFsDataError},
    {-21, -21, kFsDataError},
    {-18, -17, kFsDataError},
    {-430, -430, kFsDeviceNotReady},
    {-425, -425, kFsDeviceNotReady},
    {-324, -323, kFsDeviceNotReady},
    {-302, -302, kFsDeviceNotReady},
    {-22, -22, kFsDeviceNotReady},
    {-20, -20, kFsDeviceNotReady},
    {-419, -419, kFsWriteProtected},
    {-325, -325, kFsWriteProtected},
    {-163, -162, kFsWriteProtected},
    {-153, -152, kFsWriteProtected},
    {-121, -121, kFsWriteProtected},
    {-19, -19, kFsWriteProtected},
    {-244, -244, kFsUnrecognisedMedium},
    {-215, -215, kFsUnrecognisedMedium},
    {-212, -212, kFsUnrecognisedMedium},
    {-105, -105, kFsUnrecognisedMedium},
    {-103, -103, kFsUnrecognisedMedium},
    {-231, -231, kFsCancelled},
    {-227, -226, kFsReserved80},
    {-218, -218, kFsDiskFull},
    {-126, -126, kFsDiskFull},
    {-217, -216, kFsBadName},
    {-140, -139, kFsBadName},
    {-136, -131, kFsBadName},
    {-181, -181, kFsEndOfFile},
    {-177, -176, kFsInvalidHandle},
    {-172, -171, kFsInvalidHandle},
    {-168, -167, kFsAlreadyExists},
    {-160, -157, kFsAlreadyExists},
    {-143, -143, kFsAlreadyExists},
    {-142, -142, kFsNotFound},
};

struct ClassCode
{
    int32_t errorClass;
    int32_t code;
};

constexpr ClassCode kClassCodes[] = {
    {kFsOk, 0},
    {kFsCancelled, -231},
    {kFsReserved80, -226},
    {kFsDiskFull, -126},
    {kFsEndOfFile, -181},
    {kFsAlreadyExists, -160},
    {kFsNotFound, kFileErrorNoMoreEntries},
    {kFsUnrecognisedMedium, -103},
    {kFsDataError, -303},
    {kFsDeviceNotReady, -302},
    {kFsIoFailure, -11017},
    {kFsWriteProtected, -152},
    {kFsAccessDenied, -11013},
    {kFsOutOfResources, -11014},
    {kFsInvalidHandle, -172},
    {kFsBadName, kFileErrorBadCharacter},
    {kFsNotSupported, -11016},
    {kFsInvalidArgument, -11015},
};

struct ErrnoClass
{
    int error;
    int32_t errorClass;
};

constexpr ErrnoClass kErrnoClasses[] = {
    {0, kFsOk},
    {EINVAL, kFsInvalidArgument},
    {EFAULT, kFsInvalidArgument},
    {E2BIG, kFsInvalidArgument},
    {EDOM, kFsInvalidArgument},
    {ENOSYS, kFsNotSupported},
    {EOPNOTSUPP, kFsNotSupported},
    {ENOTTY, kFsNotSupported},
    {ENAMETOOLONG, kFsBadName},
    {EILSEQ, kFsBadName},
    {ELOOP, kFsBadName},
    {EBADF, kFsInvalidHandle},
    {ENOMEM, kFsOutOfResources},
    {EMFILE, kFsOutOfResources},
    {ENFILE, kFsOutOfResources},
    {ENOBUFS, kFsOutOfResources},
    {EAGAIN, kFsOutOfResources},
    {EMLINK, kFsOutOfResources},
    {EACCES, kFsAccessDenied},
    {EPERM, kFsAccessDenied},
    {EBUSY, kFsAccessDenied},
    {ETXTBSY, kFsAccessDenied},
    {EISDIR, kFsAccessDenied},
    {ENOTEMPTY, kFsAccessDenied},
    {EXDEV, kFsAccessDenied},
    {EROFS, kFsWriteProtected},
    {EIO, kFsIoFailure},
    {EPIPE, kFsIoFailure},
    {ESTALE, kFsIoFailure},
    {ENXIO, kFsDeviceNotReady},
    {ENODEV, kFsDeviceNotReady},
    {ENOMEDIUM, kFsDeviceNotReady},
    {EBADMSG, kFsDataError},
    {EMEDIUMTYPE, kFsUnrecognisedMedium},
    {ENOENT, kFsNotFound},
    {ENOTDIR, kFsNotFound},
    {EEXIST, kFsAlreadyExists},
    {ENOSPC, kFsDiskFull},
    {EDQUOT, kFsDiskFull},
    {EFBIG, kFsDiskFull},
    {EINTR, kFsCancelled},
    {ECANCELED, kFsCancelled},
};

} // namespace

int32_t FileErrorToClass(int32_t code)
{
    if (code == 0)
        return kFsOk;
    for (const auto& range : kCodeRanges)
        if (code >= range.low && code <= range.high)
            return range.errorClass;
    return kFsOther;
}

int32_t ClassToFileError(int32_t errorClass)
{
    for (const auto& entry : kClassCodes)
        if (entry.errorClass == errorClass)
            return entry.code;
    return kFileErrorUnknown;
}

int32_t ErrnoToClass(int error)
{
    for (const auto& entry : kErrnoClasses)
        if (entry.error == error)
            return entry.errorClass;
    return kFsOther;
}

int32_t FileErrorFromErrno(int error)
{
    return ClassToFileError(ErrnoToClass(error));
}

int32_t FsLastError()
{
    return ErrnoToClass(errno);
}
