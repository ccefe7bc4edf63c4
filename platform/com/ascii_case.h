// Names of members, PARAMs and values compare without regard to the case of ASCII letters.
#pragma once

#include <string_view>

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);
