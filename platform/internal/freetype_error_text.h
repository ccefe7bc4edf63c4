// FreeType's own words for its error codes, which its library as shipped does not give out.
#pragma once

#include <string>

// "unknown file format (FreeType error 2)"; a code FreeType does not know keeps its number alone.
std::string FreeTypeErrorText(int error);
