#include "foundation/archives/idea_cipher.h"

#include "foundation/archives/idea_lanes.h"

#include <cstring>

namespace {

constexpr int kRounds = 8;
constexpr int kRoundSubkeys = 6;
constexpr uint32_t kModulus = 0x10001;

uint16_t LoadWord(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] << 8 | p[1]);
}

void StoreWord(uint16_t w, uint8_t* p)
{
    p[0] = static_cast<uint8_t>(w >> 8);
    p[1] = static_cast<uint8_t>(w);
}

uint16_t Negate(uint16_t a)
{
    return static_cast<uint16_t>(-a);
}

} // namespace

uint16_t IdeaMul(uint16_t a, uint16_t b)
{
    // 0 stands for 2^16 = -1 (mod 65537), so a product with it is a negation.
    if (a == 0)
        return static_cast<uint16_t>(1 - b);
    if (b == 0)
        return static_cast<uint16_t>(1 - a);
    const uint32_t p = static_cast<uint32_t>(a) * b;
    const uint16_t low = static_cast<uint16_t>(p);
    const uint16_t high = static_cast<uint16_t>(p >> 16);
    // p = high * 65536 + low = low - high (mod 65537)
    return static_cast<uint16_t>(low - high + (low < high ? 1 : 0));
}

uint16_t IdeaMulInv(uint16_t a)
{
    if (a <= 1)
        return a;
    // Extended Euclid on (65537, a), tracking only a's coefficient.
    int64_t r0 = kModulus;
    int64_t r1 = a;
    int64_t t0 = 0;
    int64_t t1 = 1;
    while (r1 != 0) {
        const int64_t q = r0 / r1;
        const int64_t r2 = r0 - q * r1;
        const int64_t t2 = t0 - q * t1;
        r0 = r1;
        r1 = r2;
        t0 = t1;
        t1 = t2;
    }
    if (t0 < 0)
        t0 += kModulus;
    return static_cast<uint16_t>(t0);
}

void IdeaExpandKey(const uint16_t key[kIdeaKeyWords], IdeaSchedule schedule)
{
    uint16_t k[kIdeaKeyWords];
    std::memcpy(k, key, sizeof k);
    for (int i = 0; i < kIdeaSubkeys; ++i) {
        if (i > 0 && i % kIdeaKeyWords == 0) {
            // Rotate the 128-bit key (word 0 most significant) left by 25 bits.
            uint16_t rotated[kIdeaKeyWords];
            for (int j = 0; j < kIdeaKeyWords; ++j)
                rotated[j] =
                    static_cast<uint16_t>(k[(j + 1) % kIdeaKeyWords] << 9 | k[(j + 2) % kIdeaKeyWords] >> 7);
            std::memcpy(k, rotated, sizeof k);
        }
        schedule[i] = k[i % kIdeaKeyWords];
    }
}

void IdeaInvertKey(const IdeaSchedule encrypt, IdeaSchedule decrypt)
{
    // Decryption round i undoes encryption round 8 - i; the additive keys of the inner
    // rounds trade places because every round but the last swaps the middle words.
    for (int i = 0; i <= kRounds; ++i) {
        const uint16_t* e = encrypt + kRoundSubkeys * (kRounds - i);
        uint16_t* d = decrypt + kRoundSubkeys * i;
        const bool outer = i == 0 || i == kRounds;
        d[0] = IdeaMulInv(e[0]);
        d[1] = Negate(outer ? e[1] : e[2]);
        d[2] = Negate(outer ? e[2] : e[1]);
        d[3] = IdeaMulInv(e[3]);
        if (i < kRounds) {
            const uint16_t* mix = encrypt + kRoundSubkeys * (kRounds - 1 - i);
            d[4] = mix[4];
            d[5] = mix[5];
        }
    }
}

void IdeaCipherBlock(const IdeaSchedule schedule, const uint8_t in[kIdeaBlockBytes],
                     uint8_t out[kIdeaBlockBytes])
{
    uint16_t x1 = LoadWord(in);
    uint16_t x2 = LoadWord(in + 2);
    uint16_t x3 = LoadWord(in + 4);
    uint16_t x4 = LoadWord(in + 6);
    const uint16_t* k = schedule;
    for (int round = 0; round < kRounds; ++round, k += kRoundSubkeys) {
        x1 = IdeaMul(x1, k[0]);
        x2 = static_cast<uint16_t>(x2 + k[1]);
        x3 = static_cast<uint16_t>(x3 + k[2]);
        x4 = IdeaMul(x4, k[3]);
        const uint16_t p = IdeaMul(static_cast<uint16_t>(x1 ^ x3), k[4]);
        const uint16_t s = IdeaMul(static_cast<uint16_t>(p + (x2 ^ x4)), k[5]);
        const uint16_t u = static_cast<uint16_t>(p + s);
        x1 ^= s;
        x4 ^= u;
        const uint16_t middle = static_cast<uint16_t>(x2 ^ u);
        x2 = static_cast<uint16_t>(x3 ^ s);
        x3 = middle;
    }
    // The output transformation undoes the last round's swap of the middle words.
    StoreWord(IdeaMul(x1, k[0]), out);
    StoreWord(static_cast<uint16_t>(x3 + k[1]), out + 2);
    StoreWord(static_cast<uint16_t>(x2 + k[2]), out + 4);
    StoreWord(IdeaMul(x4, k[3]), out + 6);
}

void IdeaEncrypt(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out, bool chain)
{
    if (!chain) {
        IdeaCipherBlocks(schedule, in, n, out);
        return;
    }
    uint8_t previous[kIdeaBlockBytes] = {};
    for (size_t b = 0; b < n; ++b, in += kIdeaBlockBytes, out += kIdeaBlockBytes) {
        uint8_t mixed[kIdeaBlockBytes];
        for (int i = 0; i < kIdeaBlockBytes; ++i)
            mixed[i] = in[i] ^ previous[i];
        IdeaCipherBlock(schedule, mixed, out);
        std::memcpy(previous, out, kIdeaBlockBytes);
    }
}

void IdeaDecrypt(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out, bool chain)
{
    if (!chain) {
        IdeaCipherBlocks(schedule, in, n, out);
        return;
    }
    uint8_t previous[kIdeaBlockBytes] = {};
    for (size_t b = 0; b < n; ++b, in += kIdeaBlockBytes, out += kIdeaBlockBytes) {
        uint8_t cipher[kIdeaBlockBytes];
        std::memcpy(cipher, in, kIdeaBlockBytes);
        IdeaCipherBlock(schedule, cipher, out);
        for (int i = 0; i < kIdeaBlockBytes; ++i)
            out[i] ^= previous[i];
        std::memcpy(previous, cipher, kIdeaBlockBytes);
    }
}
