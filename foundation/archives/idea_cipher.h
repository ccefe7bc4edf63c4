// IDEA, the 64-bit block cipher with a 128-bit key: eight rounds and an output
// transformation over four 16-bit words, driven by 52 subkeys.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kIdeaKeyWords = 8;
constexpr int kIdeaSubkeys = 52;
constexpr int kIdeaBlockBytes = 8;

// The 52 subkeys of one direction.
using IdeaSchedule = uint16_t[kIdeaSubkeys];

// Encryption schedule: the key words, then groups taken from the key rotated left by 25 bits.
void IdeaExpandKey(const uint16_t key[kIdeaKeyWords], IdeaSchedule schedule);
// Decryption schedule from an encryption schedule.
void IdeaInvertKey(const IdeaSchedule encrypt, IdeaSchedule decrypt);

// Multiplication modulo 65537, where 0 stands for 65536.
uint16_t IdeaMul(uint16_t a, uint16_t b);
// Multiplicative inverse modulo 65537 (0 and 1 are their own inverses).
uint16_t IdeaMulInv(uint16_t a);

// One block; the four words are big-endian in the 8 bytes. in and out may be the same.
void IdeaCipherBlock(const IdeaSchedule schedule, const uint8_t in[kIdeaBlockBytes],
                     uint8_t out[kIdeaBlockBytes]);

// n blocks; chain selects cipher block chaining with an all-zero initial vector, otherwise
// each block stands alone. in and out may be the same.
void IdeaEncrypt(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out, bool chain);
// The inverse of IdeaEncrypt, given the decryption schedule.
void IdeaDecrypt(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out, bool chain);
