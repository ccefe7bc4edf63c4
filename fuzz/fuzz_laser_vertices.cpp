// Arbitrary frame words drawn through every pass of the laser renderer, with a hostile output
// table (any float, NaN and infinities included) and the drawing switches taken from the input:
// every vertex, colour and texture coordinate handed to OpenGL must be finite.
//
// Bounded so that one input stays quick (the vertex count is what an input costs): the fog fan's
// subdivisions and the wide lines' repeats only repeat one loop body, so they take 1 to 4 and 1
// to 3 here instead of up to 16 and 10; the test circle, the same 381 points whatever the frame,
// is left out when a switch bit of the input says so; the frame holds what the input holds, and
// libFuzzer's default length keeps that near a thousand words.
#include "params/beamvista_pars.h"
#include "preview/laser_frame_renderer.h"
#include "show/frame.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {
constexpr size_t kRecordFloats = 11;
constexpr size_t kTableFloats = 2 * kRecordFloats + 4;
constexpr size_t kSwitchBytes = 8;
constexpr size_t kHeaderBytes = kSwitchBytes + 4 * kTableFloats;

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

float FloatAt(const uint8_t* data, size_t index)
{
    float value;
    std::memcpy(&value, data + kSwitchBytes + 4 * index, sizeof value);
    return value;
}

void ReadRecord(const uint8_t* data, size_t first, uint8_t switches, LChanOutPars& record)
{
    float* const fields[kRecordFloats] = {&record.graphicsIntensity,
                                          &record.sizeX,
                                          &record.sizeY,
                                          &record.positionX,
                                          &record.positionY,
                                          &record.fogIntensity,
                                          &record.fogMinIntensity,
                                          &record.scannerPositionX,
                                          &record.scannerPositionY,
                                          &record.beamDetectIntensity,
                                          &record.beamTabIntensity};
    for (size_t i = 0; i < kRecordFloats; ++i)
        *fields[i] = FloatAt(data, first + i);
    record.enabled = switches & 1;
    record.graphicsOn = switches & 2;
    record.fogOn = switches & 4;
    record.beamDetectOn = switches & 8;
    record.beamTabOn = switches & 16;
    record.beamDetectRepeat = int8_t(switches) >> 5;
    record.beamTabKind = (switches >> 5) % 3;
}

void ReadPars(const uint8_t* data, LBeamvistaPars& pars)
{
    pars.o_fog_force = data[0] % 3;
    pars.o_graphics_force = (data[0] >> 2) % 3;
    pars.o_beam_detect_force = (data[0] >> 4) % 3;
    pars.o_beam_tab_force = (data[0] >> 6) % 3;
    pars.o_enhanced_lines = data[1] & 1;
    pars.o_enhanced_lines_beam = (data[1] >> 1) & 1;
    pars.o_beam_profile = (data[1] >> 2) & 1;
    pars.p0x10300 = (data[1] >> 3) & 1;
    pars.o_simulate = (data[1] >> 4) & 1;
    pars.o_sim_intensity = (data[1] >> 5) & 1;
    pars.p0x21080 = (data[1] >> 6) & 1;
    pars.p0x21090 = (data[1] >> 7) & 1;
    pars.p0x10310 = 1 + data[2] % 4;
    pars.p0x10010 = 1 + (data[2] >> 4) % 3;
    pars.o_graphics_size_x = float(int8_t(data[3])) / 12.0f;
    pars.o_graphics_size_y = float(int8_t(data[5])) / 12.0f;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < kHeaderBytes)
        return 0;
    LBeamvistaPars pars;
    ReadPars(data, pars);
    LChanOutParsPair pair;
    ReadRecord(data, 0, data[6], pair.records[0]);
    ReadRecord(data, kRecordFloats, data[7], pair.records[1]);
    pair.xMin = FloatAt(data, 2 * kRecordFloats);
    pair.xMax = FloatAt(data, 2 * kRecordFloats + 1);
    pair.yMin = FloatAt(data, 2 * kRecordFloats + 2);
    pair.yMax = FloatAt(data, 2 * kRecordFloats + 3);
    auto table = std::make_unique<LChanOutParsTable>();
    for (LChanOutParsPair& cell : table->entries)
        cell = pair;

    // The frame, the renderer and the batches are made once and reused, as the preview reuses
    // them from tick to tick: their first use allocates megabytes of scratch space (the
    // renderer's point buffer alone is 3 MB), which under the address sanitizer costs fresh
    // pages on every input and dwarfed the drawing itself.
    static const auto frame = std::make_unique<LFrame>();
    std::memset(frame->words, 0, sizeof frame->words);
    const size_t words = std::min((size - kHeaderBytes) / 4, size_t(LFrame::kCapacity));
    for (size_t i = 0; i < words; ++i) {
        const uint8_t* w = data + kHeaderBytes + 4 * i;
        frame->words[i] = uint32_t(w[0]) << 24 | uint32_t(w[1]) << 16 | uint32_t(w[2]) << 8 | w[3];
    }
    frame->count = int32_t(words);

    static LaserFrameRenderer renderer;
    renderer.SetScene(pars, SceneView{1.0f, 0.5625f, 2.0f / 640.0f}, FogDrift{0.5f, 0.25f, 0.75f});
    static RenderBatchBuilder out;
    renderer.DrawLaserFrames(*frame, table.get(), out);
    if (!(data[4] & 1))
        renderer.DrawTestCircle(out);
    renderer.DrawGlowMarks(out);
    for (const RenderBatch& batch : out.Batches()) {
        Check(batch.vertices.size() % size_t(VerticesPerPrimitive(batch.primitive)) == 0);
        for (const RenderVertex& v : batch.vertices)
            for (float value : {v.x, v.y, v.z, v.r, v.g, v.b, v.s, v.t, v.p})
                Check(std::isfinite(value));
    }
    // Cleared at the end, so that an input leaves no more allocated than it found: libFuzzer
    // takes anything else for a possible leak and runs the input again under the leak checker.
    out.Clear();
    return 0;
}
