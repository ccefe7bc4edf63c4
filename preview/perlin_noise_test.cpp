#include "preview/perlin_noise.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/crc32.h"
#include "foundation/text/random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>
#include <vector>

namespace {

// The noise as the steps read, with the lattice read periodically instead of through copied
// borders: the random values of the border cells are drawn and thrown away.
struct Grid
{
    int32_t nx, ny, nz;
    std::vector<float> v;
    Grid(int32_t x, int32_t y, int32_t z) : nx(x), ny(y), nz(z), v(static_cast<size_t>(x) * y * z) {}
    float& operator()(int32_t i, int32_t j, int32_t k)
    {
        auto wrap = [](int32_t a, int32_t n) { return (a % n + n) % n; };
        return v[(static_cast<size_t>(wrap(k, nz)) * ny + wrap(j, ny)) * nx + wrap(i, nx)];
    }
};

Grid SmoothAlong(Grid& g, int axis)
{
    Grid out(g.nx, g.ny, g.nz);
    const int32_t d[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int32_t k = 0; k < g.nz; ++k)
        for (int32_t j = 0; j < g.ny; ++j)
            for (int32_t i = 0; i < g.nx; ++i)
                out(i, j, k) = 0.25f * g(i - d[axis][0], j - d[axis][1], k - d[axis][2]) + 0.5f * g(i, j, k) +
                               0.25f * g(i + d[axis][0], j + d[axis][1], k + d[axis][2]);
    return out;
}

Grid StretchAlong(Grid& g, int axis, int32_t size)
{
    const int32_t sizes[3] = {axis == 0 ? size : g.nx, axis == 1 ? size : g.ny, axis == 2 ? size : g.nz};
    const int32_t coarse = axis == 0 ? g.nx : axis == 1 ? g.ny : g.nz;
    Grid out(sizes[0], sizes[1], sizes[2]);
    for (int32_t k = 0; k < sizes[2]; ++k)
        for (int32_t j = 0; j < sizes[1]; ++j)
            for (int32_t i = 0; i < sizes[0]; ++i) {
                int32_t at[3] = {i, j, k};
                const int64_t position = static_cast<int64_t>(at[axis]) * coarse;
                const float t = static_cast<float>(position % size) / static_cast<float>(size);
                at[axis] = static_cast<int32_t>(position / size);
                const float a = g(at[0], at[1], at[2]);
                ++at[axis];
                out(i, j, k) = (1.0f - t) * a + t * g(at[0], at[1], at[2]);
            }
    return out;
}

std::vector<uint8_t> ReferenceNoise(int32_t x, int32_t y, int32_t z, int32_t start)
{
    uint32_t a = 0;
    uint32_t b = 0;
    RandomSeed(0, a, b);
    std::vector<float> sum(static_cast<size_t>(x) * y * z, 0.0f);
    float amplitude = 1.0f;
    int32_t frequency = start;
    for (int32_t octave = 0; octave < NoiseOctaves(x, y, z, start); ++octave) {
        Grid g(std::min(x, frequency), std::min(y, frequency), std::min(z, frequency));
        for (int32_t k = 0; k < g.nz + 4; ++k)
            for (int32_t j = 0; j < g.ny + 4; ++j)
                for (int32_t i = 0; i < g.nx + 4; ++i) {
                    const float value = static_cast<float>(RandomMod(1 << 24, a, b)) / 16777216.0f;
                    if (i >= 2 && j >= 2 && k >= 2 && i < g.nx + 2 && j < g.ny + 2 && k < g.nz + 2)
                        g(i - 2, j - 2, k - 2) = value;
                }
        Grid sx = SmoothAlong(g, 0);
        Grid sy = SmoothAlong(sx, 1);
        Grid sz = SmoothAlong(sy, 2);
        Grid wx = StretchAlong(sz, 0, x);
        Grid wy = StretchAlong(wx, 1, y);
        Grid wz = StretchAlong(wy, 2, z);
        for (size_t i = 0; i < sum.size(); ++i)
            sum[i] += amplitude * wz.v[i];
        amplitude *= 0.5f;
        frequency *= 2;
    }
    const auto [low, high] = std::minmax_element(sum.begin(), sum.end());
    const float minimum = *low;
    const float range = *high - minimum;
    std::vector<uint8_t> bytes;
    for (float value : sum)
        bytes.push_back(NoiseByte(range > 0 ? (value - minimum) / range : 0.0f));
    return bytes;
}

LPerlinNoiseUChar Computed(int32_t x, int32_t y, int32_t z, int32_t start)
{
    LPerlinNoiseFloat noise;
    EXPECT_TRUE(noise.Build(x, y, z, start, NoiseOctaves(x, y, z, start), 0.5f, 0));
    LPerlinNoiseUChar bytes;
    EXPECT_TRUE(bytes.Assign(noise));
    return bytes;
}

XAString Written(const LPerlinNoiseUChar& noise)
{
    LArchiveXString archive;
    archive.OpenWrite(0);
    noise.Write(archive);
    return archive.TakeString();
}

LPerlinNoiseUChar ReadBack(const std::vector<uint8_t>& file)
{
    LArchiveXString archive;
    archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
    LPerlinNoiseUChar noise;
    noise.Read(archive);
    return noise;
}

std::vector<uint8_t> Bytes(const XAString& s)
{
    const auto* data = reinterpret_cast<const uint8_t*>(s.CStr());
    return {data, data + s.Length()};
}

} // namespace

TEST(NoiseByte, ScalesBy256AndHoldsToAByte)
{
    const struct
    {
        float value;
        uint8_t byte;
    } cases[] = {{0.999f, 255}, {1.0f, 255}, {0.5f, 128}, {0.0f, 0}, {-0.5f, 0}, {2.0f, 255},
                 {std::numeric_limits<float>::quiet_NaN(), 0}};
    for (const auto& c : cases)
        EXPECT_EQ(NoiseByte(c.value), c.byte) << c.value;
}

TEST(NoiseOctaves, DoublesUntilEverySideIsReached)
{
    EXPECT_EQ(NoiseOctaves(256, 256, 256, 8), 6);
    EXPECT_EQ(NoiseOctaves(256, 256, 1, 8), 6);
    EXPECT_EQ(NoiseOctaves(5, 3, 1, 8), 1);
    EXPECT_EQ(NoiseOctaves(16, 8, 4, 2), 4);
}

// The bytes are the same in every build (they are cached on disk and shared): known CRCs, and
// the same bytes as the steps computed another way.
TEST(PerlinNoise, KnownBytesInEveryBuild)
{
    const struct
    {
        int32_t x, y, z, start;
        uint32_t crc;
    } cases[] = {
        {5, 3, 1, 8, 3811367309u},
        {16, 8, 4, 2, 900354274u},
        {4, 4, 4, 16, 1995698784u},
        {64, 64, 64, 8, 3304655503u},
    };
    for (const auto& c : cases) {
        const LPerlinNoiseUChar noise = Computed(c.x, c.y, c.z, c.start);
        ASSERT_EQ(noise.Count(), int64_t{c.x} * c.y * c.z);
        const std::vector<uint8_t> bytes(noise.Bytes(), noise.Bytes() + noise.Count());
        EXPECT_EQ(Crc32(bytes.data(), static_cast<std::ptrdiff_t>(bytes.size())), c.crc) << c.x << "x" << c.y;
        EXPECT_EQ(bytes, ReferenceNoise(c.x, c.y, c.z, c.start)) << c.x << "x" << c.y << "x" << c.z;
        EXPECT_EQ(*std::min_element(bytes.begin(), bytes.end()), 0);
        EXPECT_EQ(*std::max_element(bytes.begin(), bytes.end()), 255);
    }
}

TEST(PerlinNoise, EqualValuesNormaliseToZero)
{
    const LPerlinNoiseUChar noise = Computed(1, 1, 1, 8);
    ASSERT_EQ(noise.Count(), 1);
    EXPECT_EQ(noise.Bytes()[0], 0);
}

TEST(PerlinNoise, CallbackStopsAndClears)
{
    struct StopAfter final : LPerlinNoiseCallback
    {
        int polls = 0;
        bool Abort() override { return ++polls > 3; }
    } stop;
    LPerlinNoiseFloat noise;
    noise.SetCallback(&stop);
    EXPECT_FALSE(noise.Build(16, 16, 16, 8, 2, 0.5f, 0));
    EXPECT_EQ(stop.polls, 4);
    EXPECT_EQ(noise.Values(), nullptr);
    EXPECT_EQ(noise.X(), 0);
    LPerlinNoiseUChar bytes;
    EXPECT_FALSE(bytes.Assign(noise));
    EXPECT_TRUE(bytes.IsEmpty());
}

TEST(PerlinNoise, RefusesSizesThatAreNotPositive)
{
    LPerlinNoiseFloat noise;
    EXPECT_FALSE(noise.Build(0, 4, 4, 8, 1, 0.5f, 0));
    EXPECT_FALSE(noise.Build(4, 4, -1, 8, 1, 0.5f, 0));
    EXPECT_FALSE(noise.Build(4, 4, 4, 0, 1, 0.5f, 0));
}

TEST(NoiseCacheFile, KnownBytes)
{
    LPerlinNoiseUChar cube;
    ASSERT_TRUE(cube.Assign(64, 64, 64, nullptr));
    const std::vector<uint8_t> small = Bytes(Written(cube));
    ASSERT_EQ(small.size(), 262154u);
    EXPECT_EQ(std::vector<uint8_t>(small.begin(), small.begin() + 10),
              (std::vector<uint8_t>{0x00, 0x00, 0x40, 0x40, 0x40, 0xFF, 0x00, 0x04, 0x00, 0x00}));

    std::vector<uint8_t> filled(size_t{256} * 256 * 256);
    for (size_t i = 0; i < filled.size(); ++i)
        filled[i] = static_cast<uint8_t>(i * 7);
    ASSERT_TRUE(cube.Assign(256, 256, 256, filled.data()));
    const std::vector<uint8_t> large = Bytes(Written(cube));
    ASSERT_EQ(large.size(), 16777232u);
    EXPECT_EQ(std::vector<uint8_t>(large.begin(), large.begin() + 16),
              (std::vector<uint8_t>{0x00, 0x00, 0xFE, 0x01, 0x00, 0xFE, 0x01, 0x00, 0xFE, 0x01, 0x00, 0xFF, 0x01, 0x00,
                                    0x00, 0x00}));
    EXPECT_TRUE(std::equal(filled.begin(), filled.end(), large.begin() + 16));

    const LPerlinNoiseUChar back = ReadBack(large);
    ASSERT_EQ(back.Count(), int64_t{256} * 256 * 256);
    EXPECT_TRUE(std::equal(filled.begin(), filled.end(), back.Bytes()));
}

namespace {

struct HandMadeNoiseFile
{
    const char* what;
    std::vector<uint8_t> file;
    bool read;
};

// version, oldest reader, x, y, z, count, bytes
std::vector<HandMadeNoiseFile> HandMadeNoiseFiles()
{
    return {
        {"version 0", {0, 0, 2, 1, 1, 2, 7, 9}, true},
        {"version 1 readable by 0", {1, 0, 2, 1, 1, 2, 7, 9}, true},
        {"needs a newer reader", {1, 1, 2, 1, 1, 2, 7, 9}, false},
        {"count below x y z", {0, 0, 2, 1, 1, 1, 7}, false},
        {"count above x y z", {0, 0, 2, 1, 1, 3, 7, 9, 9}, false},
        {"a size of 0", {0, 0, 0, 1, 1, 0}, false},
        {"negative size", {0, 0, 255, 0xFF, 0xFF, 0xFF, 0xFE, 1, 1, 2, 7, 9}, false},
        {"fewer bytes than counted", {0, 0, 2, 1, 1, 2, 7}, false},
        {"a huge count without the bytes", {0, 0, 255, 0x40, 0, 0, 0, 254, 0x40, 0, 1, 255, 0x7F, 0xFF, 0xFF, 0xFF, 1}, false},
    };
}

} // namespace

TEST(NoiseCacheFile, ReadsOnlyWhatTheRecordHolds)
{
    const std::vector<HandMadeNoiseFile> cases = HandMadeNoiseFiles();
    for (const auto& c : cases) {
        const LPerlinNoiseUChar noise = ReadBack(c.file);
        EXPECT_EQ(!noise.IsEmpty(), c.read) << c.what;
        if (c.read) {
            EXPECT_EQ(noise.X(), 2);
            EXPECT_EQ(noise.Bytes()[1], 9);
        } else {
            EXPECT_EQ(noise.X(), 0) << c.what;
        }
    }
}

// With ZYL_WRITE_FUZZ_CORPUS set to the fuzz/corpus folder, writes the cache file reader's seeds:
// the writer's files of small noise and the hand-made ones.
TEST(NoiseCacheFile, FuzzCorpus)
{
    const char* corpus = std::getenv("ZYL_WRITE_FUZZ_CORPUS");
    if (!corpus)
        GTEST_SKIP() << "ZYL_WRITE_FUZZ_CORPUS not set";
    const std::string folder = std::string(corpus) + "/fog_noise_file/";
    const auto put = [&folder](std::string name, const std::vector<uint8_t>& bytes) {
        for (char& c : name)
            c = c == ' ' ? '_' : c;
        std::ofstream(folder + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    put("writer_5x3x1", Bytes(Written(Computed(5, 3, 1, 8))));
    put("writer_4x4x4", Bytes(Written(Computed(4, 4, 4, 2))));
    for (const HandMadeNoiseFile& c : HandMadeNoiseFiles())
        put("hand_" + std::string(c.what), c.file);
}
