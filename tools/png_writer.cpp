#include "tools/png_writer.h"

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <png.h>
#include <vector>

namespace {

// Kept free of objects with destructors: libpng's error exit jumps back into it.
bool EncodeGuarded(FILE* file, int32_t width, int32_t height, bool alpha, png_bytep* rows)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (png == nullptr)
        return false;
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 alpha ? PNG_COLOR_TYPE_RGBA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

CError WritePng(const SkinCanvas& canvas, bool alpha, const char* path)
{
    CError error;
    const int32_t channels = alpha ? 4 : 3;
    std::vector<png_byte> bytes(static_cast<size_t>(canvas.Width()) * canvas.Height() * channels);
    std::vector<png_bytep> rows(canvas.Height());
    for (int32_t y = 0; y < canvas.Height(); ++y) {
        rows[y] = bytes.data() + static_cast<size_t>(y) * canvas.Width() * channels;
        for (int32_t x = 0; x < canvas.Width(); ++x) {
            const SkinColour c = canvas.At(x, y);
            png_bytep p = rows[y] + static_cast<size_t>(x) * channels;
            p[0] = c.red;
            p[1] = c.green;
            p[2] = c.blue;
            if (alpha)
                p[3] = c.alpha;
        }
    }
    FILE* file = std::fopen(path, "wb");
    if (file == nullptr) {
        error.SetError(XAString::Format("Can not create %s: %s", path, std::strerror(errno)), 0);
        return error;
    }
    const bool encoded = EncodeGuarded(file, canvas.Width(), canvas.Height(), alpha, rows.data());
    if (std::fclose(file) != 0 || !encoded)
        error.SetError(XAString::Format("Can not write the PNG file %s!", path), 0);
    return error;
}
