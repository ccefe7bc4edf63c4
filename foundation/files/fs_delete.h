// Deleting files and folder trees. A path whose name part holds '*' or '?' deletes what the
// pattern matches and skips hidden, read-only and busy entries; a plain path deletes exactly
// that entry and fails on a read-only one.
#pragma once

#include "foundation/files/file_error_class.h"

#include <cstdint>

// 0 or a class; counts what was deleted. With `recursive` folders go with their contents.
int32_t FsDeleteTree(const char* path, bool recursive, int32_t& files, int32_t& folders);
int32_t FsDelete(const char* path, bool recursive);
// Removes exactly the entry the path names (a folder with its contents, a link without its
// target), reading no wildcards; 0 or a class.
int32_t FsDeleteExact(const char* path);
