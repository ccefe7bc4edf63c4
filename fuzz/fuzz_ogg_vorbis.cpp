// The Ogg Vorbis decoder on hostile sound tracks: from memory, while still arriving (a source
// that cannot seek and grows), and as a show's sound track. A failed open says why; nothing may
// crash, hang or leak.
#include "fuzz/ogg_pages.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"
#include "show/ogg_vorbis_stream.h"
#include "show/test_support/enciphered_show_fixture.h"
#include "show/test_support/memory_ogg_source.h"

#include <cstdlib>
#include <memory>

namespace {

constexpr size_t kMostBytes = 1 << 16;
constexpr int32_t kReadBytes = 4096;
constexpr int32_t kMostReads = 16;
constexpr int64_t kSeekFrames[] = {0, 1000, 1 << 20};
constexpr size_t kShowEvery = 4;

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void ReadSome(LOggVorbisStream& decoder)
{
    char buffer[kReadBytes];
    bool changed = false;
    for (int32_t i = 0; i < kMostReads; ++i) {
        const int32_t n = decoder.Read(buffer, kReadBytes, changed);
        Check(n <= kReadBytes);
        if (n <= 0)
            break;
    }
}

bool OpenChecked(LOggVorbisStream& decoder, LOggVorbisDataInterface* source)
{
    const bool opened = decoder.Open(source);
    Check(opened != decoder.GetError().Failed());
    return opened;
}

void FromMemory(const std::vector<uint8_t>& bytes)
{
    MemoryOggSource source(bytes);
    LOggVorbisStream decoder;
    if (!OpenChecked(decoder, &source))
        return;
    Check(decoder.Duration() >= 0 && decoder.PcmBytes() >= 0);
    ReadSome(decoder);
    for (const int64_t frame : kSeekFrames) {
        decoder.SeekPcm(frame);
        ReadSome(decoder);
    }
    decoder.TellTime();
}

void WhileArriving(const std::vector<uint8_t>& bytes)
{
    MemoryOggSource source(bytes);
    source.SetSeekable(false);
    source.SetAvailable(static_cast<int64_t>(bytes.size() / 2));
    LOggVorbisStream decoder;
    if (!OpenChecked(decoder, &source))
        source.SetAvailable(static_cast<int64_t>(bytes.size()));
    if (!decoder.IsOpen() && !OpenChecked(decoder, &source))
        return;
    ReadSome(decoder);
    source.SetAvailable(static_cast<int64_t>(bytes.size()));
    ReadSome(decoder);
}

XAString ShowWithSound(const std::vector<uint8_t>& bytes)
{
    show_fixture::CapturingArchive raw;
    LLaserPreviewStream recorder;
    recorder.SetStartValueSource([] { return show_fixture::kStartValue; });
    {
        LLaserPreviewStream::Holder hold(recorder);
        recorder.CreateFile(raw, "");
        recorder.AddSound(0, bytes.data(), static_cast<int32_t>(bytes.size()));
    }
    recorder.Close(false);
    return raw.captured;
}

void FromShow(const std::vector<uint8_t>& bytes)
{
    const XAString file = ShowWithSound(bytes);
    LLaserPreviewStream stream;
    if (!stream.OpenMemory(file, -1, nullptr, true))
        return;
    LOggVorbisStream decoder;
    if (OpenChecked(decoder, &stream)) {
        ReadSome(decoder);
        decoder.SeekPcm(0);
        ReadSome(decoder);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > kMostBytes)
        return 0;
    const std::vector<uint8_t> bytes = ogg_fuzz::WithFreshChecksums(data, size);
    FromMemory(bytes);
    WhileArriving(bytes);
    // A show costs more to make than the decoding it feeds: every fourth input goes through one.
    if (size % kShowEvery == 0)
        FromShow(bytes);
    return 0;
}
