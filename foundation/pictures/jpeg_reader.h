// LJPegReader: a JPEG picture from a named file or an open archive as a true-colour HImage
// (blue, green, red, 0), decoded at 1/2, 1/4 or 1/8 of its size when it exceeds the maximum.
// The library's errors end in a jump back into the reader: no exception crosses its frames.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"

#include <cstdint>
#include <memory>

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
    class Decoder;
    std::unique_ptr<Decoder> decoder_;
};
