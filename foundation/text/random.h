#pragma once
// The program's pseudo-random generator: state {x, k}; each step adds 9,699,689 to k and sets
// x = (x rotated left by 13) * 223,092,871 + k, all modulo 2^32; the value is x & 0x7FFFFFFF.

#include <cstdint>

// The next value (0 to 0x7FFFFFFF) of the process-wide generator, which starts at {0, 0}.
int32_t Random();
// Steps a caller-held generator; its value modulo n (0 when n <= 0).
int32_t RandomMod(int32_t n, uint32_t& x, uint32_t& k);
void RandomSeed(uint32_t seed, uint32_t& x, uint32_t& k);
