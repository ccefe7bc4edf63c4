// LPngReader: a PNG picture from a named file or an open archive as a true-colour HImage, four
// bytes a pixel (blue, green, red, and alpha or 0). Without keep-alpha, transparent pictures are
// composited over their background colour.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"

#include <cstdint>
#include <memory>

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
    class Decoder;
    std::unique_ptr<Decoder> decoder_;
};
