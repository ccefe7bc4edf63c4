#pragma once
// The Huffman frame codec of a show: eleven histograms and tables, one per coded field, and
// the bit widths that coordinates, colours and scan rates are reduced to. Frames are coded by
// LFrame::HuffEncode and decoded by LFrame::HuffDecode with it.

#include "foundation/archives/huff_histo.h"
#include "foundation/archives/huff_table.h"

#include <cstdint>

class LArchiveBase;

// The tables, in the order the fields follow a flags word.
enum LFrameCodecTable : int32_t {
    kTableFlags = 0,
    kTableCount,
    kTableAttribute,
    kTableColor,
    kTableResidual, // X and Y
    kTableShutter,
    kTableChannel,
    kTableRate,
    kTableColorDelay,
    kTableImageId,
    kTableDuration,
    kFrameCodecTables
};

class LFrameCodec
{
  public:
    static constexpr int32_t kBestQuality = 100;

    LFrameCodec() { SetQuality(kBestQuality); }
    LFrameCodec(const LFrameCodec&) = delete;
    LFrameCodec& operator=(const LFrameCodec&) = delete;
    virtual ~LFrameCodec() = default;

    // 0..100: sets the three widths from the quality table.
    void SetQuality(int32_t quality);
    void CopyWidths(const LFrameCodec& other);
    // Gives every histogram the range of its field; false when one refuses.
    bool SetRanges();
    // No tables, empty histograms, quality 100.
    void Reset();
    // Builds every table from its histogram for encoding; on failure the codec is Reset.
    bool BuildTables();
    // The table block of a show file's index; callers judge the archive's status.
    void Write(LArchiveBase& archive) const;
    void Read(LArchiveBase& archive);

    // Frames are stored coded exactly when the codec has tables.
    bool HasTables() const { return tables[kTableFlags].HasNodes(); }

    int32_t XYBits() const { return xyBits_; }
    int32_t ColorBits() const { return colorBits_; }
    int32_t RateBits() const { return rateBits_; }
    int32_t XYStep() const { return xyStep_; }
    int32_t RateStep() const { return rateStep_; }
    int32_t XYMin() const { return xyMin_; }
    int32_t XYMax() const { return xyMax_; }

    // Colour reduction to the colour width and back; the low bits of each component are lost.
    uint32_t ColorSymbol(uint32_t color) const;
    uint32_t ExpandColor(uint32_t symbol) const;
    int32_t ColorSymbolMax() const;
    int32_t RateSymbolMax() const;

    LHuffHisto histograms[kFrameCodecTables];
    LHuffTable tables[kFrameCodecTables];

  private:
    // False when a width is not one of the quality table's.
    bool SetWidths(int32_t xyBits, int32_t colorBits, int32_t rateBits);

    int32_t xyBits_ = 16;
    int32_t colorBits_ = 8;
    int32_t rateBits_ = 16;
    int32_t xyStep_ = 1;
    int32_t rateStep_ = 256;
    int32_t xyMin_ = -32768;
    int32_t xyMax_ = 32767;
};
