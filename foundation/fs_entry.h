// Single-entry file system operations: look up one entry, test, create and delete folders.
// They return error classes (file_error_class.h).
#pragma once

#include "file_error_class.h"
#include "xa_string.h"

#include <cstdint>

// 0 when the path names a folder, kFsAccessDenied when it names something else, else the
// class of the failed lookup (kFsNotFound when nothing is there).
int32_t FsDirectoryExists(const XAString& path);
int32_t FsCreateDirectory(const XAString& path);
// Creates the folder and every missing parent; a folder that exists already is success.
int32_t MakeDirs(const XAString& path);
