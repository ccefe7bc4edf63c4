// LPngReader: a PNG picture from a named file or an open archive as a true-colour HImage, four
// bytes a pixel (blue, green, red, and alpha or 0). Without keep-alpha, transparent pictures are
// composited over their background colour.
#pragma once

#include "c_error.h"
#include "h_image.h"

#include <cstdint>
#include <cstdio>
#include <png.h>

class LArchiveBase;

class LPngReader
{
  public:
    explicit LPngReader(bool keepAlpha);
    LPngReader(const LPngReader&) = delete;
    LPngReader& operator=(const LPngReader&) = delete;
    virtual ~LPngReader();

    // Reads from the archive when one is given, else from the named file. The picture replaces
    // the target only on success; on failure an archive's status takes over the error unless it
    // holds one already.
    CError Read(const char* fileName, LArchiveBase* archive, HImageRef& picture);

  private:
    enum class Outcome { Decoded, LibraryError, OutOfMemory };

    void Close();
    CError OpenFile(const char* fileName);
    CError CheckArchiveSignature();
    // Everything from here on may end in the library's error exit, which jumps back into this
    // function: it and what it calls keep no object with a destructor on the stack.
    Outcome DecodeGuarded();
    void ReadHeader();
    void StoreBackground();
    void RequestTransformations();
    static void ReadFromArchive(png_structp png, png_bytep data, size_t length);

    const bool keepAlpha_;
    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    FILE* file_ = nullptr;
    LArchiveBase* archive_ = nullptr;

    png_uint_32 width_ = 0;
    png_uint_32 height_ = 0;
    int bitDepth_ = 0;
    int colourType_ = 0;
    int interlace_ = 0;
    int compression_ = 0;
    int filter_ = 0;
    bool hasAlpha_ = false;
    bool hasBackground_ = false;
    uint8_t background_[3] = {}; // red, green, blue
    double fileGamma_ = 0.45455;
    double screenGamma_ = 2.2;
    size_t rowBytes_ = 0;
    int channels_ = 0;
    HMemRef pixels_;
};
