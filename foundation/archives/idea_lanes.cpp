#include "foundation/archives/idea_lanes.h"

#include <atomic>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZYL_IDEA_X86 1
#endif

namespace {

constexpr int kRounds = 8;
constexpr int kRoundSubkeys = 6;

void CipherOneByOne(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out)
{
    for (size_t b = 0; b < n; ++b)
        IdeaCipherBlock(schedule, in + b * kIdeaBlockBytes, out + b * kIdeaBlockBytes);
}

#ifdef ZYL_IDEA_X86

// clang-format off
// The lane code is written once over a vector type V with these operations; the SSE2 and AVX2
// versions differ only in the intrinsics behind them.
#define ZYL_IDEA_LANE_OPERATIONS(V, SUFFIX, TARGET)                                                       \
    TARGET inline V Add##SUFFIX(V a, V b) { return ZYL_ADD16(a, b); }                                     \
    TARGET inline V Xor##SUFFIX(V a, V b) { return ZYL_XOR(a, b); }                                       \
    /* Multiplication modulo 65537 with 0 standing for 65536: a product of non-zero words is          \
       low - high (+ 1 when low < high); a zero factor negates the other, 1 - a - b covers both. */       \
    TARGET inline V Mul##SUFFIX(V a, V b)                                                                 \
    {                                                                                                     \
        const V zero = ZYL_ZERO();                                                                        \
        const V sign = ZYL_SET16(static_cast<short>(0x8000));                                             \
        const V low = ZYL_MULLO16(a, b);                                                                  \
        const V high = ZYL_MULHI16U(a, b);                                                                \
        const V borrow = ZYL_CMPGT16(ZYL_XOR(high, sign), ZYL_XOR(low, sign));                             \
        const V product = ZYL_SUB16(ZYL_SUB16(low, high), borrow);                                        \
        const V special = ZYL_SUB16(ZYL_SUB16(ZYL_SET16(1), a), b);                                       \
        const V anyZero = ZYL_OR(ZYL_CMPEQ16(a, zero), ZYL_CMPEQ16(b, zero));                             \
        return ZYL_OR(ZYL_AND(anyZero, special), ZYL_ANDNOT(anyZero, product));                           \
    }                                                                                                     \
    /* Words are big-endian in the blocks. */                                                             \
    TARGET inline V Swap##SUFFIX(V a) { return ZYL_OR(ZYL_SLL16(a, 8), ZYL_SRL16(a, 8)); }                \
    /* Four vectors of whole blocks become the four words of every block, and back. The unpacks    \
       work inside 128-bit halves; the order of the blocks in the lanes does not matter, as the    \
       way back is the exact inverse. */                                                                  \
    TARGET inline void ToWords##SUFFIX(V r[4])                                                            \
    {                                                                                                     \
        const V t0 = ZYL_UNPACKLO16(r[0], r[1]);                                                          \
        const V t1 = ZYL_UNPACKHI16(r[0], r[1]);                                                          \
        const V t2 = ZYL_UNPACKLO16(r[2], r[3]);                                                          \
        const V t3 = ZYL_UNPACKHI16(r[2], r[3]);                                                          \
        const V u0 = ZYL_UNPACKLO16(t0, t1);                                                              \
        const V u1 = ZYL_UNPACKHI16(t0, t1);                                                              \
        const V u2 = ZYL_UNPACKLO16(t2, t3);                                                              \
        const V u3 = ZYL_UNPACKHI16(t2, t3);                                                              \
        r[0] = Swap##SUFFIX(ZYL_UNPACKLO64(u0, u2));                                                      \
        r[1] = Swap##SUFFIX(ZYL_UNPACKHI64(u0, u2));                                                      \
        r[2] = Swap##SUFFIX(ZYL_UNPACKLO64(u1, u3));                                                      \
        r[3] = Swap##SUFFIX(ZYL_UNPACKHI64(u1, u3));                                                      \
    }                                                                                                     \
    TARGET inline void ToBlocks##SUFFIX(V r[4])                                                           \
    {                                                                                                     \
        const V x1 = Swap##SUFFIX(r[0]);                                                                  \
        const V x2 = Swap##SUFFIX(r[1]);                                                                  \
        const V x3 = Swap##SUFFIX(r[2]);                                                                  \
        const V x4 = Swap##SUFFIX(r[3]);                                                                  \
        const V u0 = ZYL_UNPACKLO16(x1, x2);                                                              \
        const V u1 = ZYL_UNPACKHI16(x1, x2);                                                              \
        const V u2 = ZYL_UNPACKLO16(x3, x4);                                                              \
        const V u3 = ZYL_UNPACKHI16(x3, x4);                                                              \
        r[0] = ZYL_UNPACKLO32(u0, u2);                                                                    \
        r[1] = ZYL_UNPACKHI32(u0, u2);                                                                    \
        r[2] = ZYL_UNPACKLO32(u1, u3);                                                                    \
        r[3] = ZYL_UNPACKHI32(u1, u3);                                                                    \
    }                                                                                                     \
    /* The rounds of IdeaCipherBlock, on every lane at once. */                                           \
    TARGET inline void Rounds##SUFFIX(const V* k, V r[4])                                                 \
    {                                                                                                     \
        V x1 = r[0], x2 = r[1], x3 = r[2], x4 = r[3];                                                     \
        for (int round = 0; round < kRounds; ++round, k += kRoundSubkeys) {                               \
            x1 = Mul##SUFFIX(x1, k[0]);                                                                   \
            x2 = Add##SUFFIX(x2, k[1]);                                                                   \
            x3 = Add##SUFFIX(x3, k[2]);                                                                   \
            x4 = Mul##SUFFIX(x4, k[3]);                                                                   \
            const V p = Mul##SUFFIX(Xor##SUFFIX(x1, x3), k[4]);                                           \
            const V s = Mul##SUFFIX(Add##SUFFIX(p, Xor##SUFFIX(x2, x4)), k[5]);                           \
            const V u = Add##SUFFIX(p, s);                                                                \
            x1 = Xor##SUFFIX(x1, s);                                                                      \
            x4 = Xor##SUFFIX(x4, u);                                                                      \
            const V middle = Xor##SUFFIX(x2, u);                                                          \
            x2 = Xor##SUFFIX(x3, s);                                                                      \
            x3 = middle;                                                                                  \
        }                                                                                                 \
        r[0] = Mul##SUFFIX(x1, k[0]);                                                                     \
        r[1] = Add##SUFFIX(x3, k[1]);                                                                     \
        r[2] = Add##SUFFIX(x2, k[2]);                                                                     \
        r[3] = Mul##SUFFIX(x4, k[3]);                                                                     \
    }                                                                                                     \
    TARGET void Cipher##SUFFIX(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out)    \
    {                                                                                                     \
        constexpr size_t kBlocks = 4 * sizeof(V) / kIdeaBlockBytes;                                       \
        V keys[kIdeaSubkeys];                                                                             \
        for (int i = 0; i < kIdeaSubkeys; ++i)                                                            \
            keys[i] = ZYL_SET16(static_cast<short>(schedule[i]));                                         \
        size_t b = 0;                                                                                     \
        for (; b + kBlocks <= n; b += kBlocks) {                                                          \
            const uint8_t* from = in + b * kIdeaBlockBytes;                                               \
            uint8_t* to = out + b * kIdeaBlockBytes;                                                      \
            V r[4];                                                                                       \
            for (int i = 0; i < 4; ++i)                                                                   \
                r[i] = ZYL_LOAD(reinterpret_cast<const V*>(from + i * sizeof(V)));                        \
            ToWords##SUFFIX(r);                                                                           \
            Rounds##SUFFIX(keys, r);                                                                      \
            ToBlocks##SUFFIX(r);                                                                          \
            for (int i = 0; i < 4; ++i)                                                                   \
                ZYL_STORE(reinterpret_cast<V*>(to + i * sizeof(V)), r[i]);                                \
        }                                                                                                 \
        CipherOneByOne(schedule, in + b * kIdeaBlockBytes, n - b, out + b * kIdeaBlockBytes);             \
    }

#define ZYL_ADD16 _mm_add_epi16
#define ZYL_SUB16 _mm_sub_epi16
#define ZYL_XOR _mm_xor_si128
#define ZYL_OR _mm_or_si128
#define ZYL_AND _mm_and_si128
#define ZYL_ANDNOT _mm_andnot_si128
#define ZYL_ZERO _mm_setzero_si128
#define ZYL_SET16 _mm_set1_epi16
#define ZYL_MULLO16 _mm_mullo_epi16
#define ZYL_MULHI16U _mm_mulhi_epu16
#define ZYL_CMPGT16 _mm_cmpgt_epi16
#define ZYL_CMPEQ16 _mm_cmpeq_epi16
#define ZYL_SLL16 _mm_slli_epi16
#define ZYL_SRL16 _mm_srli_epi16
#define ZYL_UNPACKLO16 _mm_unpacklo_epi16
#define ZYL_UNPACKHI16 _mm_unpackhi_epi16
#define ZYL_UNPACKLO32 _mm_unpacklo_epi32
#define ZYL_UNPACKHI32 _mm_unpackhi_epi32
#define ZYL_UNPACKLO64 _mm_unpacklo_epi64
#define ZYL_UNPACKHI64 _mm_unpackhi_epi64
#define ZYL_LOAD _mm_loadu_si128
#define ZYL_STORE _mm_storeu_si128
ZYL_IDEA_LANE_OPERATIONS(__m128i, Sse2, )
#undef ZYL_ADD16
#undef ZYL_SUB16
#undef ZYL_XOR
#undef ZYL_OR
#undef ZYL_AND
#undef ZYL_ANDNOT
#undef ZYL_ZERO
#undef ZYL_SET16
#undef ZYL_MULLO16
#undef ZYL_MULHI16U
#undef ZYL_CMPGT16
#undef ZYL_CMPEQ16
#undef ZYL_SLL16
#undef ZYL_SRL16
#undef ZYL_UNPACKLO16
#undef ZYL_UNPACKHI16
#undef ZYL_UNPACKLO32
#undef ZYL_UNPACKHI32
#undef ZYL_UNPACKLO64
#undef ZYL_UNPACKHI64
#undef ZYL_LOAD
#undef ZYL_STORE

#define ZYL_ADD16 _mm256_add_epi16
#define ZYL_SUB16 _mm256_sub_epi16
#define ZYL_XOR _mm256_xor_si256
#define ZYL_OR _mm256_or_si256
#define ZYL_AND _mm256_and_si256
#define ZYL_ANDNOT _mm256_andnot_si256
#define ZYL_ZERO _mm256_setzero_si256
#define ZYL_SET16 _mm256_set1_epi16
#define ZYL_MULLO16 _mm256_mullo_epi16
#define ZYL_MULHI16U _mm256_mulhi_epu16
#define ZYL_CMPGT16 _mm256_cmpgt_epi16
#define ZYL_CMPEQ16 _mm256_cmpeq_epi16
#define ZYL_SLL16 _mm256_slli_epi16
#define ZYL_SRL16 _mm256_srli_epi16
#define ZYL_UNPACKLO16 _mm256_unpacklo_epi16
#define ZYL_UNPACKHI16 _mm256_unpackhi_epi16
#define ZYL_UNPACKLO32 _mm256_unpacklo_epi32
#define ZYL_UNPACKHI32 _mm256_unpackhi_epi32
#define ZYL_UNPACKLO64 _mm256_unpacklo_epi64
#define ZYL_UNPACKHI64 _mm256_unpackhi_epi64
#define ZYL_LOAD _mm256_loadu_si256
#define ZYL_STORE _mm256_storeu_si256
ZYL_IDEA_LANE_OPERATIONS(__m256i, Avx2, __attribute__((target("avx2"))))
// clang-format on

#endif // ZYL_IDEA_X86

using CipherFunction = void (*)(const IdeaSchedule, const uint8_t*, size_t, uint8_t*);

CipherFunction FunctionOf(IdeaLanes lanes)
{
#ifdef ZYL_IDEA_X86
    if (lanes == IdeaLanes::kAvx2)
        return &CipherAvx2;
    if (lanes == IdeaLanes::kSse2)
        return &CipherSse2;
#endif
    return &CipherOneByOne;
}

IdeaLanes WidestLanes()
{
    if (IdeaLanesAvailable(IdeaLanes::kAvx2))
        return IdeaLanes::kAvx2;
    return IdeaLanesAvailable(IdeaLanes::kSse2) ? IdeaLanes::kSse2 : IdeaLanes::kScalar;
}

std::atomic<IdeaLanes>& ChosenLanes()
{
    static std::atomic<IdeaLanes> lanes{WidestLanes()};
    return lanes;
}

} // namespace

bool IdeaLanesAvailable(IdeaLanes lanes)
{
    switch (lanes) {
    case IdeaLanes::kScalar:
        return true;
#ifdef ZYL_IDEA_X86
    case IdeaLanes::kSse2:
        return __builtin_cpu_supports("sse2");
    case IdeaLanes::kAvx2:
        return __builtin_cpu_supports("avx2");
#endif
    default:
        return false;
    }
}

IdeaLanes CurrentIdeaLanes()
{
    return ChosenLanes().load(std::memory_order_relaxed);
}

IdeaLanes SetIdeaLanes(IdeaLanes lanes)
{
    return ChosenLanes().exchange(IdeaLanesAvailable(lanes) ? lanes : WidestLanes());
}

void IdeaCipherBlocks(const IdeaSchedule schedule, const uint8_t* in, size_t n, uint8_t* out)
{
    FunctionOf(CurrentIdeaLanes())(schedule, in, n, out);
}
