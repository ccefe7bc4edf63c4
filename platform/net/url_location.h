// Where a download's text points: an address with a scheme stays as it is; any other text names a
// file relative to the page (the base), which may itself be an address or a path.
#pragma once

#include "foundation/strings/xa_string.h"

// The absolute address to fetch; an empty text when the two cannot be joined.
XAString ResolveDownloadLocation(const XAString& url, const XAString& base);
