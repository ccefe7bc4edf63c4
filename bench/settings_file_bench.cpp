// Saving and loading a parameter file with four background pictures of 2 MB each, beside writing
// the same bytes to a new file, syncing it and renaming it over the old one.
#include "bench/bench_folder.h"
#include "bench/throughput_ratio.h"
#include "foundation/archives/archive_file.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/files/file_sync.h"
#include "foundation/pictures/h_image.h"
#include "preview/settings_file.h"

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// 724 x 724 pixels of 4 bytes: about 2 MB of BMP.
constexpr int32_t kPictureSide = 724;

LSettingsPictures FourPictures()
{
    std::vector<uint32_t> pixels(static_cast<size_t>(kPictureSide) * kPictureSide);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<uint32_t>(i * 2654435761u);
    const HImageRef image =
        HImageFromData(nullptr, kPictureSide, kPictureSide, 2 * kPictureSide, kImageTrueColour, 0, nullptr, pixels.data());
    LArchiveXString writer;
    writer.OpenWrite(0);
    image->WriteBmp(writer);
    const XAString bmp = writer.TakeString();
    writer.Close();
    LSettingsPictures pictures;
    for (int32_t slot = 0; slot < 4; ++slot)
        pictures[slot].Load("picture.bmp", &bmp, {1, 1, 0, 0, 1});
    return pictures;
}

XAString FileBytes(const LSettingsPictures& pictures)
{
    LArchiveXString writer;
    writer.OpenWrite(0);
    WriteSettingsFile(writer, LBeamvistaPars(), pictures);
    XAString bytes = writer.TakeString();
    writer.Close();
    return bytes;
}

void BM_WriteSyncAndRenameTheSameBytes(benchmark::State& state)
{
    BenchFolder folder;
    const XAString bytes = FileBytes(FourPictures());
    const std::string target = folder.File("look.zyp");
    const std::string temporary = folder.File("look.tmp");
    ThroughputMeter meter;
    for (auto _ : state) {
        const int handle = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (handle < 0 || ::write(handle, bytes.CStr(), static_cast<size_t>(bytes.Length())) != bytes.Length() ||
            SyncFileHandle(handle) != 0 || ::close(handle) != 0 || std::rename(temporary.c_str(), target.c_str()) != 0)
            state.SkipWithError("write failed");
    }
    RecordReference("write, sync and rename", meter.Finish(state, bytes.Length()));
}
BENCHMARK(BM_WriteSyncAndRenameTheSameBytes);

void BM_SaveAndLoadParameterFileWithFourPictures(benchmark::State& state)
{
    BenchFolder folder;
    const LSettingsPictures pictures = FourPictures();
    const LBeamvistaPars pars;
    const std::string path = folder.File("look.zyp");
    ThroughputMeter meter;
    for (auto _ : state) {
        if (SaveSettingsFileAt(path.c_str(), pars, pictures).Failed())
            state.SkipWithError("save failed");
        LSettingsFileContent content;
        LArchiveFile file(path.c_str(), kArchiveFileRead, true);
        if (!ReadSettingsFile(file, content))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(content.pictures[3].FileBytes().CStr());
    }
    // Against the reference the load comes on top: within twice its time.
    ReportRatio(state, "write, sync and rename", meter.Finish(state, FileBytes(pictures).Length()));
}
BENCHMARK(BM_SaveAndLoadParameterFileWithFourPictures);

} // namespace
