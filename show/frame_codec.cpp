#include "show/frame_codec.h"

#include "foundation/archives/archive_base.h"
#include "foundation/archives/bit_archive.h"

#include <algorithm>

namespace {
struct QualityWidths
{
    int32_t upTo; // the highest quality of the row
    int32_t xyBits;
    int32_t colorBits;
    int32_t rateBits;
};

constexpr QualityWidths kQualityTable[] = {
    {60, 8, 4, 12}, {70, 9, 4, 12}, {80, 10, 5, 16}, {90, 12, 6, 16}, {INT32_MAX, 16, 8, 16},
};

constexpr int32_t kVersion = 0;
constexpr int32_t kBlockConstant = 1;
constexpr int32_t kColorWordBits = 24;
constexpr int32_t kComponentBits = 8;
constexpr int32_t kCoordinateBits = 16;
constexpr int32_t kSixteenBitMax = 0xFFFF;
constexpr int32_t kByteMax = 0xFF;
constexpr int32_t kAttributeMax = 0x3F;
constexpr const char* kWidthsText = "Invalid frame codec widths!";

template <class Pick> bool InQualityTable(int32_t bits, Pick pick)
{
    return std::any_of(std::begin(kQualityTable), std::end(kQualityTable),
                       [&](const QualityWidths& row) { return pick(row) == bits; });
}
} // namespace

void LFrameCodec::SetQuality(int32_t quality)
{
    for (const QualityWidths& row : kQualityTable) {
        if (quality <= row.upTo) {
            SetWidths(row.xyBits, row.colorBits, row.rateBits);
            return;
        }
    }
}

void LFrameCodec::CopyWidths(const LFrameCodec& other)
{
    SetWidths(other.xyBits_, other.colorBits_, other.rateBits_);
}

bool LFrameCodec::SetWidths(int32_t xyBits, int32_t colorBits, int32_t rateBits)
{
    if (!InQualityTable(xyBits, [](const QualityWidths& r) { return r.xyBits; }) ||
        !InQualityTable(colorBits, [](const QualityWidths& r) { return r.colorBits; }) ||
        !InQualityTable(rateBits, [](const QualityWidths& r) { return r.rateBits; }))
        return false;
    xyBits_ = xyBits;
    colorBits_ = colorBits;
    rateBits_ = rateBits;
    xyStep_ = 1 << (kCoordinateBits - xyBits);
    rateStep_ = 1 << (kColorWordBits - rateBits);
    xyMin_ = -32768 / xyStep_;
    xyMax_ = 32767 / xyStep_;
    return true;
}

int32_t LFrameCodec::ColorSymbolMax() const
{
    return 0xFFFFFF >> (kColorWordBits - 3 * colorBits_);
}

int32_t LFrameCodec::RateSymbolMax() const
{
    return 0xFFFFFF / rateStep_;
}

uint32_t LFrameCodec::ColorSymbol(uint32_t color) const
{
    color &= 0xFFFFFF;
    if (colorBits_ >= kComponentBits)
        return color;
    const int32_t drop = kComponentBits - colorBits_;
    const uint32_t r = (color >> 16 & 0xFF) >> drop;
    const uint32_t g = (color >> 8 & 0xFF) >> drop;
    const uint32_t b = (color & 0xFF) >> drop;
    return r << (2 * colorBits_) | g << colorBits_ | b;
}

uint32_t LFrameCodec::ExpandColor(uint32_t symbol) const
{
    if (colorBits_ >= kComponentBits)
        return symbol & 0xFFFFFF;
    const int32_t drop = kComponentBits - colorBits_;
    const uint32_t mask = (1u << colorBits_) - 1;
    const uint32_t r = (symbol >> (2 * colorBits_) & mask) << drop;
    const uint32_t g = (symbol >> colorBits_ & mask) << drop;
    const uint32_t b = (symbol & mask) << drop;
    return r << 16 | g << 8 | b;
}

bool LFrameCodec::SetRanges()
{
    const int32_t residual = xyMax_ - xyMin_;
    const int32_t ranges[kFrameCodecTables][2] = {
        {0, kSixteenBitMax},   {0, kByteMax},       {0, kAttributeMax},  {0, ColorSymbolMax()},
        {-residual, residual}, {0, kSixteenBitMax}, {0, kSixteenBitMax}, {0, RateSymbolMax()},
        {0, kByteMax},         {0, kSixteenBitMax}, {0, kSixteenBitMax},
    };
    for (int32_t i = 0; i < kFrameCodecTables; ++i) {
        if (!histograms[i].SetRange(ranges[i][0], ranges[i][1]))
            return false;
    }
    return true;
}

void LFrameCodec::Reset()
{
    for (int32_t i = 0; i < kFrameCodecTables; ++i) {
        histograms[i].Clear();
        tables[i].Clear();
    }
    SetQuality(kBestQuality);
}

bool LFrameCodec::BuildTables()
{
    for (int32_t i = 0; i < kFrameCodecTables; ++i) {
        if (!tables[i].Build(histograms[i]) || !tables[i].PrepareEncode()) {
            Reset();
            return false;
        }
    }
    for (LHuffHisto& histogram : histograms)
        histogram.Clear();
    return true;
}

void LFrameCodec::Write(LArchiveBase& archive) const
{
    archive.WriteBool(HasTables());
    if (!HasTables())
        return;
    archive.WriteVersion(kVersion, kVersion);
    archive.WriteCount(xyBits_);
    archive.WriteCount(colorBits_);
    archive.WriteCount(rateBits_);
    archive.WriteCount(kBlockConstant);
    LBitLArchive bits(&archive);
    for (const LHuffTable& table : tables)
        table.Write(bits);
}

void LFrameCodec::Read(LArchiveBase& archive)
{
    Reset();
    if (!archive.ReadBool() || !archive.CheckVersion(kVersion, kVersion))
        return;
    const int32_t xyBits = archive.ReadCount();
    const int32_t colorBits = archive.ReadCount();
    const int32_t rateBits = archive.ReadCount();
    archive.ReadCount();
    if (archive.HasError())
        return;
    if (!SetWidths(xyBits, colorBits, rateBits)) {
        archive.Status().SetError(kWidthsText, 0);
        return;
    }
    LBitLArchive bits(&archive);
    for (LHuffTable& table : tables) {
        if (!table.Read(bits)) {
            Reset();
            return;
        }
    }
}
