#include "preview/gl_info_lines.h"

#include <string>
#include <string_view>

XAString PackExtensionLines(const char* extensions, int32_t width)
{
    std::string packed;
    std::string line;
    const auto endLine = [&] {
        if (!packed.empty())
            packed += '\r';
        packed += line;
    };
    std::string_view rest = extensions != nullptr ? extensions : "";
    while (!rest.empty()) {
        const size_t end = rest.find(' ');
        const std::string_view name = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (name.empty())
            continue;
        if (line.empty()) {
            line = name;
        } else if (static_cast<int64_t>(line.size() + name.size() + 1) > width) {
            endLine();
            line = name;
        } else {
            line += ' ';
            line += name;
        }
    }
    if (!line.empty())
        endLine();
    return XAString(std::string_view(packed));
}
