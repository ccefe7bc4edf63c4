// LJPegReader: a JPEG picture from a named file or an open archive as a true-colour HImage
// (blue, green, red, 0), decoded at 1/2, 1/4 or 1/8 of its size when it exceeds the maximum.
// The library's errors end in a jump back into the reader: no exception crosses its frames.
#pragma once

#include "c_error.h"
#include "h_image.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

class LArchiveBase;

class LJPegReader
{
  public:
    LJPegReader();
    LJPegReader(const LJPegReader&) = delete;
    LJPegReader& operator=(const LJPegReader&) = delete;
    virtual ~LJPegReader();

    // Releases the target, then reads from the archive when one is given, else from the named
    // file. Pass INT32_MAX for both maxima for the full size.
    CError Read(const char* fileName, LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight,
                HImageRef& picture);

  private:
    struct ErrorManager
    {
        jpeg_error_mgr pub;
        std::jmp_buf jump;
    };
    // Hands libjpeg the archive's own read buffer, so that nothing is copied before decoding.
    struct ArchiveSource
    {
        jpeg_source_mgr pub;
        LArchiveBase* archive;
        size_t handedOver; // bytes of the archive's buffer given to libjpeg by the last fill
    };
    enum class Outcome { Decoded, LibraryError, OutOfMemory, TooLarge };

    void Close();
    // Everything from here on may end in the library's error exit, which jumps back into this
    // function: it and what it calls keep no object with a destructor on the stack.
    Outcome DecodeGuarded(LArchiveBase* archive, int32_t maxWidth, int32_t maxHeight);
    void UseArchive(LArchiveBase* archive);
    void StoreScanLines();

    [[noreturn]] static void ErrorExit(j_common_ptr cinfo);
    static void InitSource(j_decompress_ptr cinfo);
    static boolean FillInput(j_decompress_ptr cinfo);
    static void SkipInput(j_decompress_ptr cinfo, long n);
    static void TermSource(j_decompress_ptr cinfo);

    jpeg_decompress_struct decompress_{};
    ErrorManager error_{};
    ArchiveSource source_{};
    FILE* file_ = nullptr;
    bool started_ = false;
    bool created_ = false;
    uint8_t* row_ = nullptr;
    HMemRef pixels_;
};
