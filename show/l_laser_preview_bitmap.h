// LLaserPreviewBitmap: one background picture as it travels with a show or a parameter file. It
// keeps the picture file's own bytes (PNG, JPEG or BMP), so a show carries its pictures
// unchanged, and decodes them only when they are shown.
#pragma once

#include "foundation/errors/c_error.h"
#include "foundation/pictures/h_image.h"
#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>

class LArchiveBase;

class LLaserPreviewBitmap
{
  public:
    static constexpr int32_t kTypePng = 0;
    static constexpr int32_t kTypeJpeg = 1;
    static constexpr int32_t kTypeBmp = 2; // BMP or DIB
    static constexpr int kParameterCount = 5;
    using Parameters = std::array<float, kParameterCount>;

    LLaserPreviewBitmap();
    virtual ~LLaserPreviewBitmap() = default;

    void Clear();
    // The type from the name's extension: "bmp" and "dib" give BMP, "png" PNG, all else JPEG.
    void TypeFromName();
    // Takes the given file bytes, or reads the whole file at path when none are given, and
    // decodes them; no picture gives "Can't read image! (invalid/unknown format)".
    CError Load(const char* path, const XAString* fileBytes, const Parameters& parameters);
    // The decoded picture, in true colour; made on first use by the reader of the stored type,
    // then by the others. Empty when no reader can read the bytes.
    const HImageRef& Decode();

    void Write(LArchiveBase& archive) const;
    void Read(LArchiveBase& archive);

    int32_t Type() const { return type_; }
    const XAString& Name() const { return name_; }
    const XAString& FileBytes() const { return fileBytes_; }
    const Parameters& GetParameters() const { return parameters_; }
    const HImageRef& Picture() const { return picture_; }

  private:
    // The picture of the bytes as read by the reader of that type; empty when it fails.
    HImageRef DecodeAs(int32_t type) const;

    HImageRef picture_;
    int32_t type_ = kTypePng;
    XAString name_;
    XAString fileBytes_;
    Parameters parameters_{};
};
