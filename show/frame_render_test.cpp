#include "show/frame.h"

#include "show/channel_frame_cache.h"
#include "show/test_support/frame_test_commands.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>

using namespace frame_test;

namespace {

const uint32_t kRed = 0xFF0000;
const uint32_t k30000 = RateWord(30000);
const uint32_t k10000 = RateWord(10000);

using RenderPars = LFrameRenderSettings;

RenderPars Plain()
{
    RenderPars p;
    p.simulate = false;
    p.simulatePosition = false;
    return p;
}

std::vector<LFrameOutPoint> Render(const Words& words, const RenderPars& p, LFrameStats* stats = nullptr,
                                   int32_t capacity = 4096)
{
    std::vector<LFrameOutPoint> out(static_cast<size_t>(capacity));
    const int32_t n =
        MakeFrame(words)->Render(out.data(), capacity, stats, p.simulate, p.simulatePosition, p.freqFactor,
                                 p.colorDelayFactor, p.springFactor, p.dampingFactor, p.oversampling);
    out.resize(size_t(n));
    return out;
}

} // namespace

TEST(FrameRender, HeadersAloneGiveNoPointsButStatistics)
{
    LFrameStats stats;
    EXPECT_TRUE(Render(Join({Time(100), Header(0, 0, k30000, 3, 9, 0)}), RenderPars(), &stats).empty());
    EXPECT_EQ(stats.timeSeen, 1);
    EXPECT_EQ(stats.firstTime, 4800);
    EXPECT_EQ(stats.channelMask, 1u << 3);
    EXPECT_EQ(stats.subChannelMask, 1u << 9);
    EXPECT_EQ(stats.averageSpeed, 1.0f);
}

TEST(FrameRender, NothingWithoutRoomOrWords)
{
    LFrameOutPoint point;
    const auto frame = MakeFrame(Repeat(3));
    EXPECT_EQ(frame->Render(nullptr, 10, nullptr, false, false, 1, 1, 1, 1, 1), 0);
    EXPECT_EQ(frame->Render(&point, 0, nullptr, false, false, 1, 1, 1, 1, 1), 0);
    EXPECT_EQ(MakeFrame({})->Render(&point, 1, nullptr, false, false, 1, 1, 1, 1, 1), 0);
}

struct CountCase
{
    const char* name;
    Words words;
    bool simulate;
    size_t points;
};

TEST(FrameRender, EachPointIsProducedOncePerSubStep)
{
    const CountCase cases[] = {
        {"empty repeat", Repeat(0), true, 0},
        {"attr oversampled", Attr(3, 0, false, kRed), true, 12},
        {"attr plain", Attr(3, 0, false, kRed), false, 3},
        {"move and ramp", Join({Move(1, 1), MoveAttr(2, 2, 0, false, 0), Ramp(true)}), true, 12},
        {"no points", Join({Header(0, 0, k30000, 0, 0, 0), Select(1, 1), Time(1), Image(1, 1, 1, 1, 1)}),
         true, 0},
        {"unknown opcode", Words{2, 0x11 << 8, 0x11}, true, 0},
    };
    for (const CountCase& c : cases) {
        RenderPars p;
        p.simulate = c.simulate;
        EXPECT_EQ(Render(c.words, p).size(), c.points) << c.name;
    }
}

TEST(FrameRender, WithoutSimulationAMoveIsOnePointAtItsTarget)
{
    RenderPars p = Plain();
    p.oversampling = 4;
    const auto out = Render(Move(1000, -1000), p);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].x, 1000);
    EXPECT_EQ(out[0].y, -1000);
    EXPECT_EQ(out[0].speed, 1.0f);
}

TEST(FrameRender, SubStepsInterpolateWithoutPositionSimulation)
{
    RenderPars p;
    p.simulatePosition = false;
    const auto out = Render(Join({Move(1000, 0), Move(1000, -3)}), p);
    ASSERT_EQ(out.size(), 8u);
    const int16_t xs[] = {250, 500, 750, 1000, 1000, 1000, 1000, 1000};
    const int16_t ys[] = {0, 0, 0, 0, 0, -1, -2, -3};
    for (size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].x, xs[i]) << i;
        EXPECT_EQ(out[i].y, ys[i]) << i;
    }
}

TEST(FrameRender, ScannersFollowTheSpringDamperModel)
{
    RenderPars p;
    p.springFactor = 1.0f;
    p.dampingFactor = 1.0f;
    p.oversampling = 1;
    // One step at 30,000 points per second: the velocity rises by 0.5 x 3e8 / 30,000, then
    // the position follows the velocity and the damping of 27,000 holds it back.
    const auto out = Render(Join({Move(16384, 0), Repeat(1)}), p);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].x, 0);
    EXPECT_NEAR(out[0].speed, 5000.0 / 2700.0, 1e-4);
    EXPECT_EQ(out[1].x, 5461); // trunc(5000 / 30000 x 32767)
    EXPECT_NEAR(out[1].speed, 5500.0 / 2700.0, 1e-4);
    EXPECT_EQ(out[1].y, 0);
}

TEST(FrameRender, SpeedsMoveBackWithTheColourDelayWhenPositionsAreNotSimulated)
{
    const Words words = Join({Move(20000, -5000), Repeat(20), Move(-3000, 100), Repeat(20)});
    RenderPars direct;
    direct.simulatePosition = false;
    direct.colorDelayFactor = 0.0f;
    RenderPars delayed = direct;
    delayed.colorDelayFactor = 0.85f; // trunc(2 x 4 x 0.85 + 0.5) = 7 points
    LFrameStats directStats, delayedStats;
    const auto a = Render(words, direct, &directStats);
    const auto b = Render(words, delayed, &delayedStats);
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k + 7 < a.size(); ++k)
        EXPECT_EQ(b[k].speed, a[k + 7].speed) << k;
    for (size_t k = a.size() - 7; k < a.size(); ++k)
        EXPECT_EQ(b[k].speed, 1.0f) << k;
    EXPECT_EQ(directStats.averageSpeed, delayedStats.averageSpeed);
    EXPECT_GT(directStats.averageSpeed, 0.0f);
}

TEST(FrameRender, ColourDelayHoldsBlankAndColourBack)
{
    struct Case
    {
        uint32_t code;
        size_t delay;
    };
    // trunc(code x 4 x 0.85 + 0.5), at most 63.
    for (const Case c : {Case{0, 0}, Case{3, 10}, Case{255, 63}}) {
        const auto out =
            Render(Join({Header(0, 0, k30000, 0, 0, c.code), Attr(20, 0, false, kRed)}), RenderPars());
        ASSERT_EQ(out.size(), 80u);
        for (size_t i = 0; i < out.size(); ++i) {
            const bool lit = i >= c.delay;
            EXPECT_EQ(out[i].blank, lit ? 0 : 1) << c.code << " " << i;
            EXPECT_EQ(out[i].red, lit ? 0xFF : 0) << c.code << " " << i;
        }
    }
    // Without position simulation there is no colour delay.
    RenderPars p;
    p.simulatePosition = false;
    EXPECT_EQ(Render(Join({Header(0, 0, k30000, 0, 0, 3), Attr(1, 0, false, kRed)}), p)[0].blank, 0);
}

TEST(FrameRender, ShutterRamps)
{
    // Immediate codes switch the beam in one step.
    auto out = Render(Join({Header(255, 255, k30000, 0, 0, 0), Ramp(true), Attr(1, 0, false, kRed),
                            Attr(1, 0, true, kRed)}),
                      Plain());
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].shutterRamp, 0.0f);
    EXPECT_EQ(out[0].beamRamp, 0.0f);
    EXPECT_EQ(out[1].shutterRamp, 1.0f);
    EXPECT_EQ(out[1].beamRamp, 1.0f);
    EXPECT_EQ(out[2].shutterRamp, 0.0f);
    EXPECT_EQ(out[2].beamRamp, 0.0f);

    // Code 1 at 30,000 points per second: each point moves the ramp by (1 / 30,000) / 0.0027,
    // and the shutter ramp lags the beam ramp by one point.
    const float step = float(1.0 / 30000.0) / 0.0027f;
    out = Render(Join({Header(1, 1, k30000, 0, 0, 0), Ramp(true), Attr(2, 0, false, kRed),
                       Attr(1, 0, true, kRed), Ramp(false), Attr(1, 0, false, kRed)}),
                 Plain());
    ASSERT_EQ(out.size(), 6u);
    const float shutter[] = {0, 0, step, 2 * step, 0, 1};
    const float beam[] = {0, step, 2 * step, step, 0, 1};
    for (size_t i = 0; i < out.size(); ++i) {
        EXPECT_FLOAT_EQ(out[i].shutterRamp, shutter[i]) << i;
        EXPECT_FLOAT_EQ(out[i].beamRamp, beam[i]) << i;
    }
}

TEST(FrameRender, PointsCarryTheirChannel)
{
    const auto out = Render(
        Join({Move(1, 1), Select(2, 7), Move(2, 2), Header(0, 0, k30000, 3, 4, 0), Repeat(1)}), Plain());
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(out[0].channel, 0);
    EXPECT_EQ(out[1].channel, 2);
    EXPECT_EQ(out[1].subChannel, 7);
    EXPECT_EQ(out[2].channel, 3);
    EXPECT_EQ(out[2].subChannel, 4);
}

TEST(FrameRender, RatesAreClampedForTheStatistics)
{
    LFrameStats stats;
    Render(Join({Time(0), Header(0, 0, RateWord(500), 0, 0, 0), Repeat(10)}), Plain(), &stats);
    EXPECT_EQ(stats.lastTime, 10000);
    Render(Join({Time(0), Header(0, 0, RateWord(300000), 0, 0, 0), Repeat(128), Repeat(128)}), Plain(),
           &stats);
    EXPECT_EQ(stats.lastTime, 1000);
}

TEST(FrameRender, CapacityCutsOutputAndStatistics)
{
    LFrameStats stats;
    const auto out =
        Render(Join({Time(0), Header(0, 0, k10000, 0, 0, 0), Repeat(100), Time(1000)}), Plain(), &stats, 50);
    EXPECT_EQ(out.size(), 50u);
    EXPECT_EQ(stats.lastTime, 10000);
}

TEST(FrameRender, HostileFactorsStayFinite)
{
    const Words words = Join({Header(0, 0, k30000, 0, 0, 9), Move(30000, -30000), Repeat(200),
                              Move(-30000, 30000), Attr(200, 0, false, kRed)});
    struct Case
    {
        const char* name;
        float a, b, c, d;
    };
    const Case cases[] = {
        {"no frequency", 0.0f, 0.85f, 1.05f, 1.11f},
        {"negative frequency", -1.0f, 0.85f, 1.05f, 1.11f},
        {"negative spring", 1.0f, 0.85f, -1.05f, 1.11f},
        {"negative damping", 1.0f, 0.85f, 1.05f, -1.11f},
        {"tiny frequency", 1e-30f, 0.85f, 1.05f, 1.11f},
        {"not a number", NAN, NAN, NAN, NAN},
        {"infinite", INFINITY, -INFINITY, INFINITY, INFINITY},
    };
    for (const Case& c : cases) {
        for (bool simulatePosition : {true, false}) {
            RenderPars p;
            p.simulatePosition = simulatePosition;
            p.freqFactor = c.a;
            p.colorDelayFactor = c.b;
            p.springFactor = c.c;
            p.dampingFactor = c.d;
            LFrameStats stats;
            const auto out = Render(words, p, &stats);
            ASSERT_EQ(out.size(), 1608u) << c.name;
            for (const LFrameOutPoint& point : out) {
                ASSERT_TRUE(std::isfinite(point.speed) && point.speed >= 0.0f) << c.name;
                ASSERT_TRUE(point.shutterRamp >= 0.0f && point.shutterRamp <= 1.0f) << c.name;
            }
            EXPECT_TRUE(std::isfinite(stats.averageSpeed)) << c.name;
        }
    }
    // Without a usable time step the scanners keep up with their targets.
    RenderPars still;
    still.freqFactor = 0.0f;
    const auto out = Render(words, still);
    EXPECT_EQ(out[4].x, 29999); // trunc(30000 / 32768 x 32767)
    EXPECT_EQ(out[4].speed, 0.0f);
}

namespace {

// Frames of every command the renderer knows, from a fixed seed: targets at the coordinate limits,
// blank and colour changes, shutter ramps in both modes, rate and colour-delay changes.
Words ScannerWorkout(uint32_t seed, int32_t commands)
{
    std::mt19937 random(seed);
    // Every value is drawn on a line of its own: the order of a call's arguments is not fixed.
    const auto pick = [&](uint32_t n) { return uint32_t(random() % n); };
    const auto coordinate = [&] {
        const int32_t limits[] = {-32768, 32767, 0};
        const bool limit = pick(8) == 0;
        return limit ? limits[pick(3)] : int32_t(pick(65536)) - 32768;
    };
    const auto header = [&](uint32_t lowestRate, uint32_t rates) {
        const uint32_t close = pick(256);
        const uint32_t open = pick(256);
        const uint32_t rate = RateWord(lowestRate + pick(rates));
        const uint32_t channel = pick(4);
        const uint32_t subChannel = pick(4);
        return Header(close, open, rate, channel, subChannel, pick(64));
    };
    Words words = header(10000, 50000);
    for (int32_t i = 0; i < commands; ++i) {
        Words command;
        switch (pick(12)) {
        case 0:
            command = header(1000, 90000);
            break;
        case 1: {
            const uint32_t n = 1 + pick(40);
            const uint32_t attribute = pick(64);
            const bool blank = pick(3) == 0;
            command = Attr(n, attribute, blank, random() & 0xFFFFFF);
            break;
        }
        case 2:
            command = Repeat(pick(20));
            break;
        case 3:
            command = Ramp(pick(2) == 0);
            break;
        case 4: {
            const int32_t x = coordinate();
            const int32_t y = coordinate();
            const uint32_t attribute = pick(64);
            const bool blank = pick(4) == 0;
            command = MoveAttr(x, y, attribute, blank, random() & 0xFFFFFF);
            break;
        }
        case 5: {
            const uint32_t channel = pick(4);
            command = Select(channel, pick(4));
            break;
        }
        default: {
            const int32_t x = coordinate();
            command = Move(x, coordinate());
            break;
        }
        }
        words.insert(words.end(), command.begin(), command.end());
    }
    return words;
}

// FNV-1a over every field of every point.
uint64_t PointsDigest(const std::vector<LFrameOutPoint>& points)
{
    uint64_t hash = 0xcbf29ce484222325u;
    const auto add = [&hash](uint32_t value, int32_t bytes) {
        for (int32_t i = 0; i < bytes; ++i, value >>= 8)
            hash = (hash ^ (value & 0xFF)) * 0x100000001b3u;
    };
    for (const LFrameOutPoint& p : points) {
        add(p.channel, 1);
        add(p.subChannel, 1);
        add(uint16_t(p.x), 2);
        add(uint16_t(p.y), 2);
        add(p.blank, 1);
        add(p.red | p.green << 8 | p.blue << 16, 3);
        add(std::bit_cast<uint32_t>(p.shutterRamp), 4);
        add(std::bit_cast<uint32_t>(p.beamRamp), 4);
        add(std::bit_cast<uint32_t>(p.speed), 4);
    }
    return hash;
}

} // namespace

// The scanner simulation's output, bit for bit, for every mode of the preview: a faster renderer
// must give exactly these points.
TEST(FrameRender, KnownPointsOfEveryMode)
{
    struct Case
    {
        const char* name;
        RenderPars pars;
        int32_t capacity;
        uint64_t digest;
    };
    RenderPars slow;
    slow.freqFactor = 0.05f;
    RenderPars wild;
    wild.springFactor = 40.0f;
    wild.dampingFactor = -3.0f;
    RenderPars still;
    still.freqFactor = 0.0f;
    RenderPars single;
    single.oversampling = 1;
    single.colorDelayFactor = 0.0f;
    RenderPars many;
    many.oversampling = 16;
    RenderPars noPosition;
    noPosition.simulatePosition = false;
    const Case cases[] = {
        {"preview defaults", RenderPars(), 200000, 0x51d7f6d1349e4303u},
        {"slow scanners", slow, 200000, 0x1b504b7a7c0ab200u},
        {"diverging model", wild, 200000, 0x921bc20175a2b58cu},
        {"no time step", still, 200000, 0x7c787d95e7334014u},
        {"one step a point, no colour delay", single, 200000, 0x784b79313aa1467du},
        {"sixteen steps a point", many, 400000, 0xffb8cbf564ab03u},
        {"speeds only", noPosition, 200000, 0x69e039392f42fd61u},
        {"no simulation", Plain(), 200000, 0xa0deb8050a46fc3bu},
        {"cut short by the capacity", RenderPars(), 5001, 0x60741e50818d05d3u},
    };
    for (const Case& c : cases) {
        uint64_t digest = 0;
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            LFrameStats stats;
            const auto out = Render(ScannerWorkout(seed, 1200), c.pars, &stats, c.capacity);
            digest = digest * 31 + PointsDigest(out) + uint64_t(out.size());
            digest = digest * 31 + std::bit_cast<uint32_t>(stats.averageSpeed);
        }
        EXPECT_EQ(digest, c.digest) << c.name << std::hex << " 0x" << digest;
    }
}

// Frames rendered together have their scanner simulations stepped side by side: each must come
// out as it does alone, whatever its length, however many frames share the pass (lanes end at
// different steps and take the next frame), and with frames that give nothing among them.
TEST(FrameRender, RenderAllGivesEachFrameWhatRenderGivesIt)
{
    RenderPars wild;
    wild.springFactor = 40.0f;
    wild.dampingFactor = -3.0f;
    RenderPars still;
    still.freqFactor = 0.0f;
    RenderPars noPosition;
    noPosition.simulatePosition = false;
    const struct
    {
        const char* name;
        RenderPars pars;
    } modes[] = {{"preview defaults", RenderPars()},
                 {"diverging model", wild},
                 {"no time step", still},
                 {"speeds only", noPosition}};
    // Command counts and capacities (kRoom: room for every point of the frame): frames cut by
    // their capacity, an empty frame, a frame without room, frames of many lengths; more frames
    // than one pass takes.
    constexpr int32_t kRoom = -1;
    const struct
    {
        int32_t commands;
        int32_t capacity;
    } frames[] = {{300, kRoom},  {5, kRoom},    {0, kRoom},    {900, 3000},  {40, 0},     {1200, kRoom},
                  {1, kRoom},    {77, kRoom},   {600, kRoom},  {20, kRoom},  {450, kRoom}, {2, kRoom},
                  {150, 9000},   {800, kRoom},  {3, kRoom},    {60, kRoom},  {700, kRoom}, {10, kRoom},
                  {250, kRoom},  {30, kRoom},   {500, kRoom},  {90, kRoom},  {1000, kRoom}, {4, kRoom},
                  {350, kRoom},  {15, kRoom},   {650, kRoom},  {45, kRoom},  {120, kRoom}, {6, kRoom},
                  {400, kRoom},  {8, kRoom},    {550, kRoom},  {70, kRoom}};
    // A workout command gives at most 40 points, each four steps (the modes' oversampling).
    const auto capacityOf = [](const auto& frame) {
        return frame.capacity == kRoom ? 160 * frame.commands + 200 : frame.capacity;
    };
    for (const auto& mode : modes) {
        std::vector<std::unique_ptr<LFrame>> made;
        std::vector<std::vector<LFrameOutPoint>> outputs;
        std::vector<LFrameStats> stats(std::size(frames));
        std::vector<LFrameRenderJob> jobs;
        for (size_t i = 0; i < std::size(frames); ++i) {
            made.push_back(MakeFrame(frames[i].commands ? ScannerWorkout(uint32_t(i + 7), frames[i].commands) : Words{}));
            outputs.emplace_back(size_t(std::max(capacityOf(frames[i]), 1)));
            jobs.push_back(LFrameRenderJob{made.back().get(), outputs.back().data(), capacityOf(frames[i]), &stats[i], -1});
        }
        LFrame::RenderAll(jobs, mode.pars);
        for (size_t i = 0; i < std::size(frames); ++i) {
            LFrameStats alone;
            const auto expected = Render(frames[i].commands ? ScannerWorkout(uint32_t(i + 7), frames[i].commands) : Words{},
                                         mode.pars, &alone, std::max(capacityOf(frames[i]), 1));
            const size_t expectedCount = capacityOf(frames[i]) > 0 ? expected.size() : 0;
            ASSERT_EQ(size_t(jobs[i].count), expectedCount) << mode.name << " frame " << i;
            EXPECT_EQ(PointsDigest({outputs[i].begin(), outputs[i].begin() + jobs[i].count}),
                      PointsDigest({expected.begin(), expected.begin() + jobs[i].count}))
                << mode.name << " frame " << i;
            if (capacityOf(frames[i]) > 0) {
                EXPECT_EQ(std::bit_cast<uint32_t>(stats[i].averageSpeed), std::bit_cast<uint32_t>(alone.averageSpeed))
                    << mode.name << " frame " << i;
                EXPECT_EQ(stats[i].lastTime, alone.lastTime) << mode.name << " frame " << i;
                EXPECT_EQ(stats[i].channelMask, alone.channelMask) << mode.name << " frame " << i;
            }
        }
    }
}

// A growable buffer gives what a buffer with room for every point gives: grown from empty, from
// too small, or already large; and cut where the capacity is below the frame's points.
TEST(FrameRender, GrowableBufferGivesWhatAFullBufferGives)
{
    RenderPars noPosition;
    noPosition.simulatePosition = false;
    RenderPars manySteps;
    manySteps.oversampling = 16;
    const struct
    {
        const char* name;
        RenderPars pars;
    } modes[] = {{"preview defaults", RenderPars()}, {"speeds only", noPosition}, {"16 steps", manySteps}};
    const struct
    {
        int32_t commands;
        int32_t capacity;
        size_t startSize;
    } frames[] = {{1200, 400000, 0},   {1200, 400000, 10},   {1200, 400000, 300000}, {900, 3000, 0},
                  {900, 3000, 5000},    {0, 400000, 0},       {40, 0, 0},             {1, 400000, 0},
                  {300, 1, 0},          {600, 2048, 2047}};
    for (const auto& mode : modes) {
        std::vector<std::unique_ptr<LFrame>> made;
        std::vector<std::vector<LFrameOutPoint>> outputs(std::size(frames));
        std::vector<LFrameStats> stats(std::size(frames));
        std::vector<LFrameRenderJob> jobs;
        for (size_t i = 0; i < std::size(frames); ++i) {
            made.push_back(MakeFrame(frames[i].commands ? ScannerWorkout(uint32_t(i + 3), frames[i].commands) : Words{}));
            outputs[i].resize(frames[i].startSize);
            jobs.push_back(LFrameRenderJob{made.back().get(), nullptr, frames[i].capacity, &stats[i], -1, &outputs[i]});
        }
        LFrame::RenderAll(jobs, mode.pars);
        for (size_t i = 0; i < std::size(frames); ++i) {
            LFrameStats alone;
            const auto expected = Render(frames[i].commands ? ScannerWorkout(uint32_t(i + 3), frames[i].commands) : Words{},
                                         mode.pars, &alone, std::max(frames[i].capacity, 1));
            const size_t expectedCount = frames[i].capacity > 0 ? expected.size() : 0;
            ASSERT_EQ(size_t(jobs[i].count), expectedCount) << mode.name << " frame " << i;
            ASSERT_LE(size_t(jobs[i].count), outputs[i].size()) << mode.name << " frame " << i;
            EXPECT_LE(outputs[i].size(), std::max(frames[i].startSize, size_t(frames[i].capacity)))
                << mode.name << " frame " << i;
            if (jobs[i].count > 0) {
                EXPECT_EQ(jobs[i].points, outputs[i].data()) << mode.name << " frame " << i;
            }
            EXPECT_EQ(PointsDigest({outputs[i].begin(), outputs[i].begin() + jobs[i].count}),
                      PointsDigest({expected.begin(), expected.begin() + jobs[i].count}))
                << mode.name << " frame " << i;
            if (frames[i].capacity > 0) {
                EXPECT_EQ(std::bit_cast<uint32_t>(stats[i].averageSpeed), std::bit_cast<uint32_t>(alone.averageSpeed))
                    << mode.name << " frame " << i;
                EXPECT_EQ(stats[i].lastTime, alone.lastTime) << mode.name << " frame " << i;
            }
        }
    }
}
