#pragma once
// Puts a finished temporary file in the place of another file.

#include "xa_string.h"

// Renames source over target; across file systems copies it, then removes source. 0 on
// success, else the errno of the last failure.
int ReplaceFileWith(const char* source, const char* target);

// The folder part of a path ("." for a bare name), where its temporary files go.
XAString FolderOf(const char* path);
