// The page reader of the container: finds the embedded objects of an HTML page, each with its
// class (classid "clsid:{GUID}") or media type (type), its size and its own PARAMs.
//
// It reads just enough HTML for that and never fails on what it does not understand: tag and
// attribute names in any letter case, values quoted with " or ' or bare, character references
// (&amp; &lt; &gt; &quot; &apos; &nbsp; &#NN; &#xHH;), comments, and tags it ignores. A PARAM
// belongs to the innermost open object; the first PARAM of a name wins.
#pragma once

#include "foundation/errors/c_error.h"
#include "platform/com/guid.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct PageObject
{
    std::optional<CLSID> classId;
    std::string type;
    // Pixels; 0 when the page does not say.
    int32_t width = 0;
    int32_t height = 0;
    std::vector<std::pair<std::string, std::string>> params;
};

inline constexpr size_t kMaxPageBytes = 16 * 1024 * 1024;

// The objects of the page's text, in the order they open.
std::vector<PageObject> ReadPageObjects(std::string_view html);
// The same from a file; a missing, unreadable or too large file is an error.
std::vector<PageObject> ReadPageFile(const std::string& path, CError& error);
