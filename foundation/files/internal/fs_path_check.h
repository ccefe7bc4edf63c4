// Checks and splits of path names as stored names write them: '/' and '\' both separate, a
// leading "\\server\share" is a network root, and "X:" a drive root.
#pragma once

#include "foundation/strings/xa_string.h"

#include <cstdint>

// Of a network path, the text up to the end of the share name; otherwise the text up to and
// including the first '/', '\' or ':'; empty when there is none.
XAString FsRootOfPath(const char* path);
// The path without its root; a path whose first separator comes before any ':' is returned
// unchanged.
XAString PathBelowRoot(const char* path);
// True when the path holds '*' or '?'.
bool FsHasWildcards(const char* path);
// 0 when every component after the root is a short, plain name; otherwise kFileErrorNameTooLong,
// kFileErrorExtensionTooLong, kFileErrorBadCharacter, kFileErrorEmptyComponent or
// kFileErrorBadNetworkPrefix.
int32_t CheckPathName(const char* path);
