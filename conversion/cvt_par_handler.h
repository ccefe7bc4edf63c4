#pragma once
// The value handler of one conversion parameter, built from its definition: an integer value
// for switches and integers, a formatted real, or a text of at most 255 characters, each at its
// default, unmarked and enabled.

#include <cstdint>
#include <memory>

class LValueHandler;

// Null when n is not a parameter number.
std::unique_ptr<LValueHandler> MakeCvtParHandler(int32_t n);
