// The program's own wildcard rules for file names: a pattern has a title half and an
// extension half, each matched character by character, '?' standing for any one character
// and '*' for the rest of its half. "*.*" matches every name, "*" only names without an
// extension. Letters compare without regard to ASCII case.
#pragma once

#include <cstdint>

constexpr int32_t kPatternMatch = 1;
constexpr int32_t kPatternNoMatch = 0;
// kFileErrorBadPattern: a '*' that is not the last character of its half.

// kPatternMatch, kPatternNoMatch or kFileErrorBadPattern. Null texts count as empty.
int32_t MatchNamePattern(const char* name, const char* pattern);
