#pragma once
// Puts a finished temporary file in the place of another file.

// Renames source over target; across file systems copies it, then removes source. A symbolic
// link at target stays and the file it names is replaced. 0 on success, else the errno of the
// last failure.
int ReplaceFileWith(const char* source, const char* targetPath);
