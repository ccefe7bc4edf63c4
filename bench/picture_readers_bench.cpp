// Picture reading through the archives next to plain references in the same run: a 4096 x 4096
// BMP read beside memcpy of its bytes, and JPEG and PNG decoding through the archive beside
// libjpeg's memory source and libpng's simplified API.
#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"
#include "foundation/pictures/jpeg_reader.h"
#include "foundation/pictures/test_support/picture_fixtures.h"
#include "foundation/pictures/png_reader.h"

#include <benchmark/benchmark.h>

#include <climits>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using fixtures::Bytes;

constexpr int32_t kBmpSide = 4096;
constexpr int kCodedWidth = 1024;
constexpr int kCodedHeight = 768;

const Bytes& BmpFile()
{
    static const Bytes file = [] {
        const HImageRef image = HImage::Create(nullptr, kBmpSide, kBmpSide, true, false);
        LArchiveXString writer;
        writer.OpenWrite(kBmpSide * kBmpSide * 3 + 1024);
        image->WriteBmp(writer);
        return fixtures::ArchiveBytes(writer);
    }();
    return file;
}

const Bytes& JpegFile()
{
    static const Bytes file = fixtures::WriteJpeg(kCodedWidth, kCodedHeight, 3, JCS_RGB,
                                                  fixtures::SmoothRgb(kCodedWidth, kCodedHeight));
    return file;
}

const Bytes& PngFile()
{
    static const Bytes file = [] {
        fixtures::PngBuild png;
        png.width = kCodedWidth;
        png.height = kCodedHeight;
        const Bytes samples = fixtures::SmoothRgb(kCodedWidth, kCodedHeight);
        for (int y = 0; y < kCodedHeight; ++y)
            png.rows.emplace_back(samples.begin() + y * kCodedWidth * 3,
                                  samples.begin() + (y + 1) * kCodedWidth * 3);
        return fixtures::WritePng(png);
    }();
    return file;
}

void BM_BmpReadThroughArchive(benchmark::State& state)
{
    const Bytes& file = BmpFile();
    for (auto _ : state) {
        LArchiveXString archive;
        archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
        HImageRef image;
        HImage::ReadBmp(image, archive, nullptr, true, false);
        benchmark::DoNotOptimize(image.GetData());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_BmpReadThroughArchive)->Unit(benchmark::kMillisecond);

// The reader fills a new pixel block each time, so the reference copies into a new block too:
// first touches of fresh pages are a large part of both.
void BM_BmpReferenceMemcpy(benchmark::State& state)
{
    const Bytes& file = BmpFile();
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> target(new uint8_t[static_cast<size_t>(kBmpSide) * kBmpSide * 4]);
        std::memcpy(target.get(), file.data(), file.size());
        benchmark::DoNotOptimize(target.get());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_BmpReferenceMemcpy)->Unit(benchmark::kMillisecond);

void BM_JpegReadThroughArchive(benchmark::State& state)
{
    const Bytes& file = JpegFile();
    LJPegReader reader;
    for (auto _ : state) {
        LArchiveXString archive;
        archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
        HImageRef image;
        reader.Read(nullptr, &archive, INT32_MAX, INT32_MAX, image);
        benchmark::DoNotOptimize(image.GetData());
    }
    state.SetItemsProcessed(state.iterations() * kCodedWidth * kCodedHeight);
}
BENCHMARK(BM_JpegReadThroughArchive)->Unit(benchmark::kMillisecond);

void BM_JpegReferenceMemorySource(benchmark::State& state)
{
    const Bytes& file = JpegFile();
    std::vector<uint8_t> pixels(static_cast<size_t>(kCodedWidth) * kCodedHeight * 3);
    for (auto _ : state) {
        jpeg_decompress_struct cinfo{};
        jpeg_error_mgr error{};
        cinfo.err = jpeg_std_error(&error);
        jpeg_create_decompress(&cinfo);
        jpeg_mem_src(&cinfo, file.data(), static_cast<unsigned long>(file.size()));
        jpeg_read_header(&cinfo, TRUE);
        cinfo.out_color_space = JCS_RGB;
        jpeg_start_decompress(&cinfo);
        while (cinfo.output_scanline < cinfo.output_height) {
            JSAMPROW row =
                pixels.data() + static_cast<size_t>(cinfo.output_scanline) * cinfo.output_width * 3;
            jpeg_read_scanlines(&cinfo, &row, 1);
        }
        jpeg_finish_decompress(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kCodedWidth * kCodedHeight);
}
BENCHMARK(BM_JpegReferenceMemorySource)->Unit(benchmark::kMillisecond);

void BM_PngReadThroughArchive(benchmark::State& state)
{
    const Bytes& file = PngFile();
    LPngReader reader(false);
    for (auto _ : state) {
        LArchiveXString archive;
        archive.OpenReadMemory(file.data(), static_cast<int32_t>(file.size()), false);
        HImageRef image;
        reader.Read(nullptr, &archive, image);
        benchmark::DoNotOptimize(image.GetData());
    }
    state.SetItemsProcessed(state.iterations() * kCodedWidth * kCodedHeight);
}
BENCHMARK(BM_PngReadThroughArchive)->Unit(benchmark::kMillisecond);

void BM_PngReferenceSimplifiedApi(benchmark::State& state)
{
    const Bytes& file = PngFile();
    std::vector<uint8_t> pixels(static_cast<size_t>(kCodedWidth) * kCodedHeight * 4);
    for (auto _ : state) {
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        png_image_begin_read_from_memory(&image, file.data(), file.size());
        image.format = PNG_FORMAT_BGRA;
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        benchmark::DoNotOptimize(pixels.data());
    }
    state.SetItemsProcessed(state.iterations() * kCodedWidth * kCodedHeight);
}
BENCHMARK(BM_PngReferenceSimplifiedApi)->Unit(benchmark::kMillisecond);

} // namespace
