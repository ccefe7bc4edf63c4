#pragma once
// Writing a file in place of another durably: syncing a file's bytes and the folder that
// names it, and the permissions the new file takes over.

#include "foundation/strings/xa_string.h"

#include <sys/types.h>

// fsync, again after an interrupted call. 0, or the errno of the failure.
int SyncFileHandle(int handle);

// Syncs the folder that holds path, so that a rename into it survives a crash. Some file
// systems cannot sync a folder; that costs durability only, so it is not reported.
void SyncFolderOf(const char* path);

// The folder part of a path ("." for a bare name), where its temporary files go.
XAString FolderOf(const char* path);

// The permission bits of the regular file at path; false when there is none.
bool ExistingFileMode(const char* path, mode_t& mode);

// The permissions for a file written in place of path: those of the file there now, else
// what a newly created file gets under the process's umask.
mode_t ReplacementFileMode(const char* path);

// Where a file written in place of path goes: through a symbolic link to the file it names,
// so that the link stays and the file behind it gets the new bytes; otherwise path itself.
XAString ReplacementTarget(const char* path);
