#pragma once
// Gathering the paths that reach the preview from the command line, drops and shortcuts:
// symbolic links (the shortcuts here) become their final targets, folders are walked into the
// files they hold, and the list is sorted in natural name order.

#include "foundation/strings/xa_string.h"

#include <vector>

// The final target of a symbolic link; any other path, and a dangling link, as it is.
XAString ResolveLink(const XAString& path);
// Appends path, or every file below it when it names a folder. An empty path adds nothing.
bool CollectPaths(const XAString& path, std::vector<XAString>& list);
// Natural, case-insensitive order: Show2 before Show10.
void SortPathsNatural(std::vector<XAString>& list);
// The extension compared without regard to ASCII case.
bool HasExtension(const XAString& path, const char* extension);
