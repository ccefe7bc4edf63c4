// Stepping the scanner axes over laid-out steps: one frame at a time in scalar code, or frames
// side by side in the lanes of two groups of vectors (eight frames in AVX2, sixteen in AVX-512,
// where each instruction steps twice as many). The vector code does the scalar code's operations
// in the scalar code's order (no fused multiply-adds, clamps and checks that give what the scalar
// ones give, not-a-number included), so every lane gives its frame's numbers bit for bit.
#include "show/internal/scanner_axes.h"

#include <cfloat>
#include <cstring>
#include <immintrin.h>

namespace {

using namespace scanner_axes;

float StoredSpeed(const ScannerAxis& x, const ScannerAxis& y)
{
    const double speed = std::sqrt(x.velocity * x.velocity + y.velocity * y.velocity);
    return static_cast<float>(std::min(speed * kSpeedScale, double(FLT_MAX)));
}

void SimulateAlone(ScannerSteps& frame, double spring, double damping)
{
    ScannerAxis x;
    ScannerAxis y;
    double speedSum = 0.0;
    for (int32_t r = 0; r < frame.runCount; ++r) {
        const ScannerRun& run = frame.runs[r];
        const int32_t end = r + 1 < frame.runCount ? frame.runs[r + 1].first : frame.count;
        for (int32_t s = run.first; s < end; ++s) {
            LFrameOutPoint& point = frame.points[s];
            x.target = point.x * kTargetScale;
            y.target = point.y * kTargetScale;
            if (run.usable) {
                x.Step(run.dt, spring, damping);
                y.Step(run.dt, spring, damping);
            } else {
                x.Settle();
                y.Settle();
            }
            point.x = x.Coordinate();
            point.y = y.Coordinate();
            point.speed = StoredSpeed(x, y);
            speedSum += point.speed;
        }
    }
    frame.speedSum = speedSum;
}

#define ZYL_AVX2 __attribute__((target("avx2"), always_inline)) inline

constexpr int32_t kGroupLanes = 4;
constexpr int32_t kLanes = 2 * kGroupLanes;
// With AVX-512, two groups of eight lanes.
constexpr int32_t kWideGroupLanes = 8;
constexpr int32_t kWideLanes = 2 * kWideGroupLanes;
constexpr int32_t kMaxLanes = kWideLanes;

// The constants of one pass, broadcast.
struct AxisConstants
{
    __m256d spring, damping, low, high, infinity, magnitude, targetScale, toCoordinate, speedScale, fltMax;
};

// ScannerAxis::Step on four axes, then Settle where the step is not usable (keep is all ones
// where it is).
ZYL_AVX2 void StepAxes(__m256d target, __m256d& position, __m256d& velocity, __m256d dt, __m256d usable,
                       const AxisConstants& k)
{
    const __m256d difference = _mm256_sub_pd(target, position);
    position = _mm256_add_pd(position, _mm256_mul_pd(velocity, dt));
    velocity = _mm256_add_pd(
        velocity, _mm256_mul_pd(_mm256_sub_pd(_mm256_mul_pd(difference, k.spring), _mm256_mul_pd(velocity, k.damping)), dt));
    // std::clamp, v < low ? low : high < v ? high : v: maxpd(a, b) is a > b ? a : b and minpd
    // a < b ? a : b, so a position that is not a number stays one, as in the scalar code.
    position = _mm256_min_pd(k.high, _mm256_max_pd(k.low, position));
    // Clamped, the position is finite or not a number.
    const __m256d finite = _mm256_and_pd(_mm256_cmp_pd(position, position, _CMP_ORD_Q),
                                         _mm256_cmp_pd(_mm256_and_pd(velocity, k.magnitude), k.infinity, _CMP_LT_OQ));
    const __m256d keep = _mm256_and_pd(finite, usable);
    position = _mm256_blendv_pd(target, position, keep);
    velocity = _mm256_and_pd(velocity, keep);
}

// The lanes' state between two events (a run ending in some lane).
struct LaneState
{
    alignas(64) double px[kMaxLanes] = {};
    alignas(64) double vx[kMaxLanes] = {};
    alignas(64) double py[kMaxLanes] = {};
    alignas(64) double vy[kMaxLanes] = {};
    alignas(64) double speedSum[kMaxLanes] = {};
    alignas(64) double dt[kMaxLanes] = {};
    alignas(64) int64_t usable[kMaxLanes] = {};
    LFrameOutPoint* at[kMaxLanes] = {};
    int32_t stride[kMaxLanes] = {};
};

// Four lanes of LaneState in registers.
struct LaneGroup
{
    __m256d px, vx, py, vy, speedSum, dt, usable;
};

ZYL_AVX2 LaneGroup LoadGroup(const LaneState& s, int32_t first)
{
    return LaneGroup{_mm256_load_pd(s.px + first),
                     _mm256_load_pd(s.vx + first),
                     _mm256_load_pd(s.py + first),
                     _mm256_load_pd(s.vy + first),
                     _mm256_load_pd(s.speedSum + first),
                     _mm256_load_pd(s.dt + first),
                     _mm256_castsi256_pd(_mm256_load_si256(reinterpret_cast<const __m256i*>(s.usable + first)))};
}

ZYL_AVX2 void StoreGroup(const LaneGroup& g, LaneState& s, int32_t first)
{
    _mm256_store_pd(s.px + first, g.px);
    _mm256_store_pd(s.vx + first, g.vx);
    _mm256_store_pd(s.py + first, g.py);
    _mm256_store_pd(s.vy + first, g.vy);
    _mm256_store_pd(s.speedSum + first, g.speedSum);
}

// One step of four lanes, each at its point.
ZYL_AVX2 void StepGroup(LaneGroup& g, LFrameOutPoint* const* at, const AxisConstants& k)
{
    // x and y are neighbours: one 32-bit word per lane holds both targets.
    int32_t words[kGroupLanes];
    for (int32_t l = 0; l < kGroupLanes; ++l)
        std::memcpy(&words[l], &at[l]->x, sizeof words[l]);
    const __m128i xy = _mm_setr_epi32(words[0], words[1], words[2], words[3]);
    const __m256d tx = _mm256_mul_pd(_mm256_cvtepi32_pd(_mm_srai_epi32(_mm_slli_epi32(xy, 16), 16)), k.targetScale);
    const __m256d ty = _mm256_mul_pd(_mm256_cvtepi32_pd(_mm_srai_epi32(xy, 16)), k.targetScale);
    StepAxes(tx, g.px, g.vx, g.dt, g.usable, k);
    StepAxes(ty, g.py, g.vy, g.dt, g.usable, k);
    // Positions stay within the limits, so 32-bit truncation and saturation to 16 bits is
    // the scalar code's 64-bit truncation and clamp.
    const __m128i cx = _mm256_cvttpd_epi32(_mm256_mul_pd(g.px, k.toCoordinate));
    const __m128i cy = _mm256_cvttpd_epi32(_mm256_mul_pd(g.py, k.toCoordinate));
    const __m128i coordinates = _mm_unpacklo_epi16(_mm_packs_epi32(cx, cx), _mm_packs_epi32(cy, cy));
    const __m256d speed = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(g.vx, g.vx), _mm256_mul_pd(g.vy, g.vy)));
    // std::min(speed, FLT_MAX) is FLT_MAX only when FLT_MAX is the smaller.
    const __m128 stored = _mm256_cvtpd_ps(_mm256_min_pd(k.fltMax, _mm256_mul_pd(speed, k.speedScale)));
    g.speedSum = _mm256_add_pd(g.speedSum, _mm256_cvtps_pd(stored));
    alignas(16) int32_t out[kGroupLanes];
    alignas(16) float speeds[kGroupLanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(out), coordinates);
    _mm_store_ps(speeds, stored);
    for (int32_t l = 0; l < kGroupLanes; ++l) {
        std::memcpy(&at[l]->x, &out[l], sizeof out[l]);
        at[l]->speed = speeds[l];
    }
}

// Steps n steps of every lane; a lane without a frame reads and writes an idle point. Two
// groups of four lanes, so that one group's step hides the other's latency.
ZYL_AVX2 AxisConstants MakeAxisConstants(double spring, double damping);

__attribute__((target("avx2"))) void StepLanes(LaneState& s, int32_t n, double spring, double damping)
{
    const AxisConstants k = MakeAxisConstants(spring, damping);
    LaneGroup low = LoadGroup(s, 0);
    LaneGroup high = LoadGroup(s, kGroupLanes);
    LFrameOutPoint* at[kLanes];
    for (int32_t l = 0; l < kLanes; ++l)
        at[l] = s.at[l];
    for (int32_t i = 0; i < n; ++i) {
        StepGroup(low, at, k);
        StepGroup(high, at + kGroupLanes, k);
        for (int32_t l = 0; l < kLanes; ++l)
            at[l] += s.stride[l];
    }
    StoreGroup(low, s, 0);
    StoreGroup(high, s, kGroupLanes);
    for (int32_t l = 0; l < kLanes; ++l)
        s.at[l] = at[l];
}

ZYL_AVX2 AxisConstants MakeAxisConstants(double spring, double damping)
{
    return AxisConstants{_mm256_set1_pd(spring),
                         _mm256_set1_pd(damping),
                         _mm256_set1_pd(-kPositionLimit),
                         _mm256_set1_pd(kPositionLimit),
                         _mm256_set1_pd(HUGE_VAL),
                         _mm256_castsi256_pd(_mm256_set1_epi64x(INT64_MAX)),
                         _mm256_set1_pd(kTargetScale),
                         _mm256_set1_pd(kPositionToCoordinate),
                         _mm256_set1_pd(kSpeedScale),
                         _mm256_set1_pd(double(FLT_MAX))};
}

#if defined(__clang__)
// Clang fuses a multiplication and an addition only within one expression: the intrinsics below
// are each their own.
#define ZYL_AVX512_TARGET target("avx512f,avx512dq,avx512vl,avx512bw")
#else
// GCC 12 warns of the undefined vectors its own AVX-512 intrinsics start from.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
// GCC would fuse the intrinsics' multiplications and additions, since with AVX-512 it may.
#define ZYL_AVX512_TARGET target("avx512f,avx512dq,avx512vl,avx512bw"), optimize("fp-contract=off")
#endif
#define ZYL_AVX512 __attribute__((ZYL_AVX512_TARGET, always_inline)) inline

// AxisConstants in 512-bit vectors.
struct WideConstants
{
    __m512d spring, damping, low, high, infinity, targetScale, toCoordinate, speedScale, fltMax;
};

// StepAxes on eight axes; the same operations in the same order (no fused multiply-adds).
ZYL_AVX512 void StepWideAxes(__m512d target, __m512d& position, __m512d& velocity, __m512d dt, __mmask8 usable,
                             const WideConstants& k)
{
    const __m512d difference = _mm512_sub_pd(target, position);
    position = _mm512_add_pd(position, _mm512_mul_pd(velocity, dt));
    velocity = _mm512_add_pd(
        velocity, _mm512_mul_pd(_mm512_sub_pd(_mm512_mul_pd(difference, k.spring), _mm512_mul_pd(velocity, k.damping)), dt));
    position = _mm512_min_pd(k.high, _mm512_max_pd(k.low, position));
    const __mmask8 finite = _mm512_cmp_pd_mask(position, position, _CMP_ORD_Q) &
                            _mm512_cmp_pd_mask(_mm512_abs_pd(velocity), k.infinity, _CMP_LT_OQ);
    const __mmask8 keep = finite & usable;
    position = _mm512_mask_blend_pd(keep, target, position);
    velocity = _mm512_maskz_mov_pd(keep, velocity);
}

struct WideGroup
{
    __m512d px, vx, py, vy, speedSum, dt;
    __mmask8 usable;
};

ZYL_AVX512 WideGroup LoadWideGroup(const LaneState& s, int32_t first)
{
    return WideGroup{_mm512_load_pd(s.px + first),
                     _mm512_load_pd(s.vx + first),
                     _mm512_load_pd(s.py + first),
                     _mm512_load_pd(s.vy + first),
                     _mm512_load_pd(s.speedSum + first),
                     _mm512_load_pd(s.dt + first),
                     _mm512_test_epi64_mask(_mm512_load_si512(s.usable + first), _mm512_load_si512(s.usable + first))};
}

ZYL_AVX512 void StoreWideGroup(const WideGroup& g, LaneState& s, int32_t first)
{
    _mm512_store_pd(s.px + first, g.px);
    _mm512_store_pd(s.vx + first, g.vx);
    _mm512_store_pd(s.py + first, g.py);
    _mm512_store_pd(s.vy + first, g.vy);
    _mm512_store_pd(s.speedSum + first, g.speedSum);
}

// StepGroup on eight lanes.
ZYL_AVX512 void StepWideGroup(WideGroup& g, LFrameOutPoint* const* at, const WideConstants& k)
{
    alignas(32) int32_t words[kWideGroupLanes];
    for (int32_t l = 0; l < kWideGroupLanes; ++l)
        std::memcpy(&words[l], &at[l]->x, sizeof words[l]);
    const __m256i xy = _mm256_load_si256(reinterpret_cast<const __m256i*>(words));
    const __m512d tx = _mm512_mul_pd(_mm512_cvtepi32_pd(_mm256_srai_epi32(_mm256_slli_epi32(xy, 16), 16)), k.targetScale);
    const __m512d ty = _mm512_mul_pd(_mm512_cvtepi32_pd(_mm256_srai_epi32(xy, 16)), k.targetScale);
    StepWideAxes(tx, g.px, g.vx, g.dt, g.usable, k);
    StepWideAxes(ty, g.py, g.vy, g.dt, g.usable, k);
    // Truncated to 32 bits and saturated to 16, as the four-lane code does.
    const __m128i cx = _mm256_cvtsepi32_epi16(_mm512_cvttpd_epi32(_mm512_mul_pd(g.px, k.toCoordinate)));
    const __m128i cy = _mm256_cvtsepi32_epi16(_mm512_cvttpd_epi32(_mm512_mul_pd(g.py, k.toCoordinate)));
    const __m512d speed = _mm512_sqrt_pd(_mm512_add_pd(_mm512_mul_pd(g.vx, g.vx), _mm512_mul_pd(g.vy, g.vy)));
    const __m256 stored = _mm512_cvtpd_ps(_mm512_min_pd(k.fltMax, _mm512_mul_pd(speed, k.speedScale)));
    g.speedSum = _mm512_add_pd(g.speedSum, _mm512_cvtps_pd(stored));
    alignas(32) int32_t out[kWideGroupLanes];
    alignas(32) float speeds[kWideGroupLanes];
    _mm_store_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi16(cx, cy));
    _mm_store_si128(reinterpret_cast<__m128i*>(out + 4), _mm_unpackhi_epi16(cx, cy));
    _mm256_store_ps(speeds, stored);
    for (int32_t l = 0; l < kWideGroupLanes; ++l) {
        std::memcpy(&at[l]->x, &out[l], sizeof out[l]);
        at[l]->speed = speeds[l];
    }
}

// StepLanes on sixteen lanes: each instruction steps eight of them, where the four-lane code
// needs two.
__attribute__((ZYL_AVX512_TARGET)) void StepWideLanes(LaneState& s, int32_t n, double spring, double damping)
{
    const WideConstants k{_mm512_set1_pd(spring),
                          _mm512_set1_pd(damping),
                          _mm512_set1_pd(-kPositionLimit),
                          _mm512_set1_pd(kPositionLimit),
                          _mm512_set1_pd(HUGE_VAL),
                          _mm512_set1_pd(kTargetScale),
                          _mm512_set1_pd(kPositionToCoordinate),
                          _mm512_set1_pd(kSpeedScale),
                          _mm512_set1_pd(double(FLT_MAX))};
    WideGroup low = LoadWideGroup(s, 0);
    WideGroup high = LoadWideGroup(s, kWideGroupLanes);
    LFrameOutPoint* at[kWideLanes];
    for (int32_t l = 0; l < kWideLanes; ++l)
        at[l] = s.at[l];
    for (int32_t i = 0; i < n; ++i) {
        StepWideGroup(low, at, k);
        StepWideGroup(high, at + kWideGroupLanes, k);
        for (int32_t l = 0; l < kWideLanes; ++l)
            at[l] += s.stride[l];
    }
    StoreWideGroup(low, s, 0);
    StoreWideGroup(high, s, kWideGroupLanes);
    for (int32_t l = 0; l < kWideLanes; ++l)
        s.at[l] = at[l];
}

#if !defined(__clang__)
#pragma GCC diagnostic pop
#endif

// Feeds the frames through the lanes: a lane whose frame ends takes the next one.
class SideBySide
{
  public:
    // wide: sixteen lanes of AVX-512, else eight of AVX2.
    SideBySide(std::span<ScannerSteps> frames, bool wide) : frames_(frames), wide_(wide), laneCount_(wide ? kWideLanes : kLanes)
    {
    }

    void Run(double spring, double damping)
    {
        for (int32_t l = 0; l < laneCount_; ++l)
            Load(l);
        for (;;) {
            int32_t n = INT32_MAX;
            for (const Lane& lane : lanes_) {
                if (lane.frame)
                    n = std::min(n, lane.runEnd - lane.step);
            }
            if (n == INT32_MAX)
                return;
            if (wide_)
                StepWideLanes(state_, n, spring, damping);
            else
                StepLanes(state_, n, spring, damping);
            for (int32_t l = 0; l < laneCount_; ++l) {
                Lane& lane = lanes_[l];
                if (!lane.frame)
                    continue;
                lane.step += n;
                if (lane.step < lane.runEnd)
                    continue;
                if (lane.run + 1 < lane.frame->runCount) {
                    StartRun(l, lane.run + 1);
                } else {
                    lane.frame->speedSum = state_.speedSum[l];
                    Load(l);
                }
            }
        }
    }

  private:
    struct Lane
    {
        ScannerSteps* frame = nullptr;
        int32_t step = 0;
        int32_t run = 0;
        int32_t runEnd = 0;
    };

    // The next frame with steps into the lane at rest, or none.
    void Load(int32_t l)
    {
        while (next_ < frames_.size() && (frames_[next_].count == 0 || frames_[next_].runCount == 0))
            frames_[next_++].speedSum = 0.0;
        Lane& lane = lanes_[l];
        state_.px[l] = state_.vx[l] = state_.py[l] = state_.vy[l] = state_.speedSum[l] = 0.0;
        if (next_ == frames_.size()) {
            lane = Lane();
            state_.at[l] = &idle_[l];
            state_.stride[l] = 0;
            return;
        }
        lane = Lane{&frames_[next_++], 0, 0, 0};
        state_.at[l] = lane.frame->points;
        state_.stride[l] = 1;
        StartRun(l, 0);
    }

    void StartRun(int32_t l, int32_t r)
    {
        Lane& lane = lanes_[l];
        const ScannerSteps& frame = *lane.frame;
        lane.run = r;
        lane.runEnd = r + 1 < frame.runCount ? frame.runs[r + 1].first : frame.count;
        state_.dt[l] = frame.runs[r].dt;
        state_.usable[l] = frame.runs[r].usable ? -1 : 0;
    }

    std::span<ScannerSteps> frames_;
    size_t next_ = 0;
    bool wide_;
    int32_t laneCount_;
    Lane lanes_[kMaxLanes];
    LaneState state_;
    LFrameOutPoint idle_[kMaxLanes];
};

bool HasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

bool HasAvx512()
{
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") &&
                            __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw");
    return has;
}

} // namespace

bool ScannerPathAvailable(ScannerPath path)
{
    switch (path) {
    case ScannerPath::kAvx2:
        return HasAvx2();
    case ScannerPath::kAvx512:
        return HasAvx512();
    default:
        return true;
    }
}

void SimulateScanners(std::span<ScannerSteps> frames, double spring, double damping, ScannerPath path)
{
    if (path == ScannerPath::kBest)
        path = HasAvx512() ? ScannerPath::kAvx512 : HasAvx2() ? ScannerPath::kAvx2 : ScannerPath::kScalar;
    // One frame has nothing to step beside it.
    if (frames.size() > 1 && path != ScannerPath::kScalar && ScannerPathAvailable(path)) {
        SideBySide(frames, path == ScannerPath::kAvx512).Run(spring, damping);
        return;
    }
    for (ScannerSteps& frame : frames)
        SimulateAlone(frame, spring, damping);
}
