// Reading frames from shows of the largest frames, raw and coded, in time order and jumping,
// and converting a ten-minute show of eight channels; libgcrypt's IDEA over the same amount
// of bytes is the reference (every stored byte of a show is deciphered once), and for the
// conversion also a plain copy of the recorded file with read(2) and write(2) in 64 KiB blocks.
#include "bench/bench_folder.h"
#include "bench/throughput_ratio.h"
#include "show/frame.h"
#include "show/laser_preview_stream.h"
#include "show/show_file_converter.h"
#include "tools/show_generator.h"

#include <gcrypt.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr size_t kIdeaBufferBytes = 64 * 1024;
constexpr const char* kReference = "libgcrypt_idea";
constexpr const char* kCopyReference = "file_copy";
constexpr size_t kCopyBlockBytes = 64 * 1024;
// Frames of this many points fill a frame to its last word.
constexpr int32_t kLargestFramePoints = 12000;
constexpr uint64_t kJumpMultiplier = 6364136223846793005ULL;
constexpr uint64_t kJumpIncrement = 1442695040888963407ULL;

// Takes the converter's progress reports, so that they do not go to the console between results.
class QuietProgress : public LShowConvertProgress
{
  public:
    bool OnConvertProgress(const char*, float) override { return true; }
};

const BenchFolder& Folder()
{
    static const BenchFolder folder;
    return folder;
}

struct FrameEntry
{
    int32_t channel;
    int64_t time;
    int64_t storedBytes; // the record's bytes in the file
};

// A show of the largest frames, and its entries in time order.
struct LargestFrameShow
{
    std::string path;
    std::vector<FrameEntry> entries;
};

const LargestFrameShow& LargestFrames(bool coded)
{
    static std::map<bool, LargestFrameShow> shows;
    LargestFrameShow& show = shows[coded];
    if (!show.path.empty())
        return show;
    show.path = Folder().File(coded ? "largest_coded.zyl" : "largest_raw.zyl");
    ShowGeneratorOptions options;
    options.servers = 1;
    options.channelsPerServer = 2;
    options.durationUs = 2000000;
    options.pointsPerFrame = kLargestFramePoints;
    options.blankingPeriodS = 0;
    options.form = coded ? ShowForm::kCoded : ShowForm::kStreamable;
    GenerateShow(show.path.c_str(), options);
    LLaserPreviewStream stream;
    stream.Open(show.path.c_str());
    std::vector<std::pair<int32_t, FrameEntry>> byPosition;
    for (int32_t c = 0; c < stream.StreamChannelCount(); ++c) {
        const ShowIndexArray& index = stream.ChannelIndex(c);
        for (int32_t i = 0; i < index.Count(); ++i)
            byPosition.push_back({index[i].position, FrameEntry{c, index[i].time, 0}});
    }
    std::sort(byPosition.begin(), byPosition.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < byPosition.size(); ++i) {
        const int32_t end = i + 1 < byPosition.size() ? byPosition[i + 1].first : stream.DataEnd();
        byPosition[i].second.storedBytes = end - byPosition[i].first;
        show.entries.push_back(byPosition[i].second);
    }
    std::sort(show.entries.begin(), show.entries.end(),
              [](const FrameEntry& a, const FrameEntry& b) { return a.time < b.time; });
    return show;
}

void BM_IdeaLibgcryptReference(benchmark::State& state)
{
    gcry_check_version(nullptr);
    gcry_cipher_hd_t handle = nullptr;
    if (gcry_cipher_open(&handle, GCRY_CIPHER_IDEA, GCRY_CIPHER_MODE_ECB, 0) != 0) {
        state.SkipWithError("libgcrypt has no IDEA");
        return;
    }
    const uint8_t key[16] = {0x1E, 0x7C, 0x93, 0x5A, 0x48, 0xD0, 0x2F, 0x6B,
                             0x31, 0xE4, 0x77, 0x9A, 0xC2, 0x05, 0xD6, 0xB8};
    gcry_cipher_setkey(handle, key, sizeof key);
    std::vector<uint8_t> buffer(kIdeaBufferBytes, 0x5A);
    const ThroughputMeter meter;
    for (auto _ : state) {
        gcry_cipher_decrypt(handle, buffer.data(), buffer.size(), nullptr, 0);
        benchmark::DoNotOptimize(buffer.data());
    }
    RecordReference(kReference, meter.Finish(state, kIdeaBufferBytes));
    gcry_cipher_close(handle);
}

void BM_ReadFrame(benchmark::State& state, bool coded, bool jumping)
{
    const LargestFrameShow& show = LargestFrames(coded);
    LLaserPreviewStream stream;
    if (show.entries.empty() || !stream.Open(show.path.c_str())) {
        state.SkipWithError("no show");
        return;
    }
    auto frame = std::make_unique<LFrame>();
    uint64_t jump = 1;
    size_t next = 0;
    int64_t bytes = 0;
    int64_t words = 0;
    const double start = ThreadCpuSeconds();
    for (auto _ : state) {
        size_t at = next;
        if (jumping) {
            jump = jump * kJumpMultiplier + kJumpIncrement;
            at = static_cast<size_t>(jump >> 33) % show.entries.size();
        } else {
            next = (next + 1) % show.entries.size();
        }
        const FrameEntry& entry = show.entries[at];
        if (!stream.ReadFrame(entry.channel, entry.time, *frame)) {
            state.SkipWithError("frame not read");
            return;
        }
        bytes += entry.storedBytes;
        words += frame->count;
    }
    const double seconds = ThreadCpuSeconds() - start;
    state.SetBytesProcessed(bytes);
    state.counters["frames"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["words_per_frame"] = static_cast<double>(words) / std::max<double>(1, state.iterations());
    ReportRatio(state, kReference, seconds > 0 ? static_cast<double>(bytes) / seconds : 0);
}

// Ten minutes of eight channels at 10 frames a second, as recorded.
const std::string& TenMinutesRecorded()
{
    static const std::string recorded = [] {
        const std::string path = Folder().File("ten_minutes_raw.zyl");
        ShowGeneratorOptions options;
        options.servers = 1;
        options.channelsPerServer = 8;
        options.durationUs = 600000000;
        options.framesPerSecond = 10.0;
        options.pointsPerFrame = 80;
        options.form = ShowForm::kRaw;
        GenerateShow(path.c_str(), options);
        return path;
    }();
    return recorded;
}

// The least a conversion of the file can cost: its bytes read and written once, plainly.
void BM_CopyTenMinutesReference(benchmark::State& state)
{
    const std::string& recorded = TenMinutesRecorded();
    const std::string copy = Folder().File("ten_minutes_copy.zyl");
    const auto size = static_cast<int64_t>(std::filesystem::file_size(recorded));
    std::vector<char> block(kCopyBlockBytes);
    const ThroughputMeter meter;
    for (auto _ : state) {
        const int in = ::open(recorded.c_str(), O_RDONLY);
        const int out = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        bool copied = in >= 0 && out >= 0;
        for (ssize_t n = 0; copied && (n = ::read(in, block.data(), block.size())) > 0;)
            copied = ::write(out, block.data(), static_cast<size_t>(n)) == n;
        ::close(in);
        ::close(out);
        if (!copied) {
            state.SkipWithError("copy failed");
            return;
        }
    }
    RecordReference(kCopyReference, meter.Finish(state, size));
    std::filesystem::remove(copy);
}

// The recorded show converted again each time.
void BM_ConvertTenMinutes(benchmark::State& state)
{
    const std::string& recorded = TenMinutesRecorded();
    const std::string work = Folder().File("ten_minutes_work.zyl");
    const auto size = static_cast<int64_t>(std::filesystem::file_size(recorded));
    int64_t bytes = 0;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::filesystem::copy_file(recorded, work, std::filesystem::copy_options::overwrite_existing);
        state.ResumeTiming();
        const double start = ThreadCpuSeconds();
        QuietProgress quiet;
        ShowConvertOptions options;
        options.progress = &quiet;
        options.inputPath = work.c_str();
        if (ShowFileConverter(options).Failed()) {
            state.SkipWithError("conversion failed");
            return;
        }
        seconds += ThreadCpuSeconds() - start;
        bytes += size;
    }
    state.SetBytesProcessed(bytes);
    const double rate = seconds > 0 ? static_cast<double>(bytes) / seconds : 0;
    ReportRatio(state, kReference, rate);
    ReportRatio(state, kCopyReference, rate);
}

BENCHMARK(BM_IdeaLibgcryptReference);
BENCHMARK_CAPTURE(BM_ReadFrame, raw_in_order, false, false);
BENCHMARK_CAPTURE(BM_ReadFrame, raw_jumping, false, true);
BENCHMARK_CAPTURE(BM_ReadFrame, coded_in_order, true, false);
BENCHMARK_CAPTURE(BM_ReadFrame, coded_jumping, true, true);
BENCHMARK(BM_CopyTenMinutesReference)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConvertTenMinutes)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
