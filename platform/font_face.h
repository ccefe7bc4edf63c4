// A font opened for drawing: one face of an installed font file at one pixel size, with the
// metrics, advances and glyph coverage that text measuring and drawing need, and its table bytes.
//
// Contract:
// - A positive requested height is the cell height: Metrics().height equals it exactly. A
//   negative one is the em height; the cell is then as high as the face's ascent and descent
//   at that size.
// - Advances are whole pixels; characters the face lacks measure and draw as its missing-glyph
//   shape, as the system's fonts do.
// - One thread uses a face at a time.
#pragma once

#include "platform/font_data_source.h"
#include "platform/font_spec.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct FontMetrics
{
    int32_t ascent = 0;          // pixels from the top of the cell down to the baseline
    int32_t descent = 0;         // pixels from the baseline down to the bottom of the cell
    int32_t height = 0;          // ascent + descent: the cell height, also the line height
    int32_t internalLeading = 0; // cell height less the em height
};

// One character's coverage, as the rasteriser left it.
struct GlyphCoverage
{
    int32_t left = 0;  // from the pen position right to the first column
    int32_t top = 0;   // from the baseline up to the first row
    int32_t width = 0; // columns
    int32_t rows = 0;
    int32_t advance = 0;           // whole pixels the pen moves on
    std::vector<uint8_t> coverage; // rows x width bytes, top row first: 0 blank .. 255 covered
};

// A face is made by a text raster (text_raster.h), which also says why it could not make one.
class FontFace : public FontDataSource
{
  public:
    // The cell height of a request for height 0.
    static constexpr int32_t kDefaultCellHeight = 16;
    // Requested heights are held to this many pixels either way.
    static constexpr int32_t kMaxHeight = 16384;

    // The face that the current text raster opens for spec, at the requested size; null when no
    // font can be found or opened (the raster's LastError() says why).
    static std::unique_ptr<FontFace> Create(const FontSpec& spec);
    ~FontFace() override = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The actual face name, to compare with the asked one.
    const std::string& FaceName() const { return faceName_; }
    const FontMetrics& Metrics() const { return metrics_; }
    bool Antialiased() const { return antialiased_; }

    // The pen advance of one character; 0 when the face cannot load it.
    virtual int32_t Advance(char32_t character) const = 0;
    // The character rasterised; false (and an empty glyph) when the face cannot load it.
    virtual bool RenderGlyph(char32_t character, GlyphCoverage& glyph) const = 0;

  protected:
    FontFace(std::string faceName, bool antialiased);
    void SetMetrics(const FontMetrics& metrics) { metrics_ = metrics; }

  private:
    std::string faceName_;
    bool antialiased_ = true;
    FontMetrics metrics_;
};
