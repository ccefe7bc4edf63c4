// Test pictures made at test time: BMP files built field by field, and PNG and JPEG files
// written with libpng and libjpeg. Used by the tests and the fuzz corpus generator.
#pragma once

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/bmp_header.h"
#include "foundation/pictures/h_image.h"

#include <cstdint>
#include <cstring>
#include <jpeglib.h>
#include <optional>
#include <png.h>
#include <string>
#include <vector>

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline constexpr int64_t kLongestGap = 1 << 20;

// A BMP file with every field under the test's control. Masks go inside a header of 52 bytes
// or more, else right after it.
struct BmpBuild
{
    int32_t headerSize = kBmpInfoHeaderBytes;
    int32_t width = 1;
    int32_t height = 1;
    int32_t bitCount = 8;
    int32_t compression = kBmpRgb;
    int32_t coloursUsed = 0;
    Bytes palette;
    Bytes masks;
    Bytes pixels;
    int64_t pixelOffset = -1;         // -1: right after headers, masks and palette
    std::optional<int32_t> imageSize; // else the size of the pixels
    uint16_t magic = kBmpMagic;
};

inline void PutLe(Bytes& out, uint32_t v, int n)
{
    for (int i = 0; i < n; ++i, v >>= 8)
        out.push_back(static_cast<uint8_t>(v));
}

inline Bytes BuildBmp(const BmpBuild& b)
{
    const bool core = b.headerSize == kBmpCoreHeaderBytes;
    const bool masksInside = b.headerSize >= kBmpMasksInHeaderBytes;
    const size_t tables = b.palette.size() + (masksInside ? 0 : b.masks.size());
    const int64_t offset = b.pixelOffset >= 0 ? b.pixelOffset : kBmpFileHeaderBytes + b.headerSize + tables;
    Bytes out;
    PutLe(out, b.magic, 2);
    PutLe(out, static_cast<uint32_t>(offset + b.pixels.size()), 4);
    PutLe(out, 0, 4);
    PutLe(out, static_cast<uint32_t>(offset), 4);
    PutLe(out, static_cast<uint32_t>(b.headerSize), 4);
    if (core) {
        PutLe(out, static_cast<uint32_t>(b.width), 2);
        PutLe(out, static_cast<uint32_t>(b.height), 2);
        PutLe(out, 1, 2);
        PutLe(out, static_cast<uint32_t>(b.bitCount), 2);
    } else {
        PutLe(out, static_cast<uint32_t>(b.width), 4);
        PutLe(out, static_cast<uint32_t>(b.height), 4);
        PutLe(out, 1, 2);
        PutLe(out, static_cast<uint32_t>(b.bitCount), 2);
        PutLe(out, static_cast<uint32_t>(b.compression), 4);
        PutLe(out, static_cast<uint32_t>(b.imageSize.value_or(static_cast<int32_t>(b.pixels.size()))), 4);
        PutLe(out, kBmpPixelsPerMetre, 4);
        PutLe(out, kBmpPixelsPerMetre, 4);
        PutLe(out, static_cast<uint32_t>(b.coloursUsed), 4);
        PutLe(out, 0, 4);
        if (masksInside) {
            Bytes masks = b.masks;
            masks.resize(kBmpMaskBytes);
            out.insert(out.end(), masks.begin(), masks.end());
        }
        out.resize(kBmpFileHeaderBytes + static_cast<size_t>(b.headerSize), 0);
        if (!masksInside)
            out.insert(out.end(), b.masks.begin(), b.masks.end());
    }
    out.insert(out.end(), b.palette.begin(), b.palette.end());
    // An offset far beyond the tables is only declared, not filled.
    if (static_cast<int64_t>(out.size()) < offset && offset - static_cast<int64_t>(out.size()) < kLongestGap)
        out.resize(static_cast<size_t>(offset), 0);
    out.insert(out.end(), b.pixels.begin(), b.pixels.end());
    return out;
}

// The picture's rows without their padding.
inline Bytes PixelRows(const HImage& image)
{
    const HMemRef pixels = image.LockPixels();
    Bytes out;
    const int32_t rowBytes = image.Width() * image.BytesPerPixel();
    for (int32_t y = 0; y < image.Height(); ++y) {
        const uint8_t* row = pixels.As<const uint8_t>() + static_cast<int64_t>(y) * image.Pitch();
        out.insert(out.end(), row, row + rowBytes);
    }
    return out;
}

inline Bytes PaletteBytes(const HImage& image)
{
    const HMemRef palette = image.LockPalette();
    if (!palette.GetData())
        return {};
    const auto* bytes = palette.As<const uint8_t>();
    return Bytes(bytes, bytes + 4 * image.PaletteCount());
}

inline Bytes ArchiveBytes(LArchiveXString& writer)
{
    const XAString s = writer.TakeString();
    return Bytes(s.CStr(), s.CStr() + s.Length());
}

// A PNG written with libpng: rows as stored (packed samples, 16-bit big-endian), optional
// palette, transparency, background and gamma.
struct PngBuild
{
    uint32_t width = 1;
    uint32_t height = 1;
    int bitDepth = 8;
    int colourType = PNG_COLOR_TYPE_RGB;
    bool interlaced = false;
    std::vector<png_color> palette;
    Bytes transparentIndices;                  // tRNS of a palette picture
    const png_color_16* transparent = nullptr; // tRNS of a grey or colour picture
    const png_color_16* background = nullptr;
    double gamma = 0;
    std::vector<Bytes> rows;
};

inline void AppendPngBytes(png_structp png, png_bytep data, size_t n)
{
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + n);
}

inline Bytes WritePng(const PngBuild& b)
{
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, &AppendPngBytes, nullptr);
    png_set_IHDR(png, info, b.width, b.height, b.bitDepth, b.colourType,
                 b.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    if (!b.palette.empty())
        png_set_PLTE(png, info, b.palette.data(), static_cast<int>(b.palette.size()));
    if (!b.transparentIndices.empty() || b.transparent)
        png_set_tRNS(png, info, b.transparentIndices.data(), static_cast<int>(b.transparentIndices.size()),
                     b.transparent);
    if (b.background)
        png_set_bKGD(png, info, b.background);
    if (b.gamma > 0)
        png_set_gAMA(png, info, b.gamma);
    png_write_info(png, info);
    std::vector<png_bytep> rows;
    for (const Bytes& row : b.rows)
        rows.push_back(const_cast<png_bytep>(row.data()));
    png_write_image(png, rows.data());
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

// A JPEG of width x height written with libjpeg from `components` samples a pixel.
inline Bytes WriteJpeg(int width, int height, int components, J_COLOR_SPACE space, const Bytes& samples,
                       int quality = 95, bool progressive = false)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = components;
    cinfo.in_color_space = space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    if (progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + cinfo.next_scanline * width * components);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

// Samples of an RGB picture whose colour changes slowly, so that JPEG keeps it close.
inline Bytes SmoothRgb(int width, int height)
{
    Bytes samples;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            samples.push_back(static_cast<uint8_t>(x * 255 / std::max(1, width - 1)));
            samples.push_back(static_cast<uint8_t>(y * 255 / std::max(1, height - 1)));
            samples.push_back(128);
        }
    return samples;
}

} // namespace fixtures
