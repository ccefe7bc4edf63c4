// Huffman coding of frames: each command becomes a flags word that says which fields changed
// since the previous command, followed by those fields, each through its own table.
#include "show/frame.h"

#include "foundation/archives/bit_archive.h"
#include "show/frame_codec.h"
#include "show/frame_commands.h"

#include <algorithm>
#include <initializer_list>

namespace {
// The bits of a flags word.
constexpr uint32_t kFlagCount = 1u << 0;
constexpr uint32_t kFlagBlankChanged = 1u << 1;
constexpr uint32_t kFlagBlank = 1u << 2;
constexpr uint32_t kFlagAttribute = 1u << 3;
constexpr uint32_t kFlagColor = 1u << 4;
constexpr uint32_t kFlagX = 1u << 5;
constexpr uint32_t kFlagY = 1u << 6;
constexpr uint32_t kFlagRamp = 1u << 7;
constexpr uint32_t kFlagRampMode = 1u << 8;
constexpr uint32_t kFlagShutter = 1u << 9;
constexpr uint32_t kFlagChannel = 1u << 10;
constexpr uint32_t kFlagRate = 1u << 11;
constexpr uint32_t kFlagColorDelay = 1u << 12;
constexpr uint32_t kFlagImage = 1u << 13;
constexpr uint32_t kFlagDuration = 1u << 14;
constexpr uint32_t kRestyleFlags = kFlagBlankChanged | kFlagAttribute | kFlagColor;
constexpr uint32_t kHeaderFlags = kFlagShutter | kFlagRate | kFlagColorDelay;
constexpr uint32_t kFlagsMask = 0xFFFF;
constexpr uint32_t kSixteenBits = 0xFFFF;
constexpr uint32_t kLongestDuration = 0xFFFF;
constexpr uint32_t kStartShutter = 0xFFFF;   // both ramps immediate
constexpr uint32_t kStartRateWord = 0xF0000; // 30,000 points per second
constexpr int32_t kNoRateSymbol = -1;

// One coordinate axis: its last symbol and the step of its last change, from which the next
// symbol is predicted.
struct Axis
{
    int32_t symbol = 0;
    int32_t step = 0;

    int32_t Prediction(const LFrameCodec& codec) const
    {
        return static_cast<int32_t>(
            std::clamp<int64_t>(int64_t(symbol) + step, codec.XYMin(), codec.XYMax()));
    }
    // The residual that takes the axis to v.
    int32_t MoveTo(int32_t v, const LFrameCodec& codec)
    {
        const int32_t residual = v - Prediction(codec);
        step = v - symbol;
        symbol = v;
        return residual;
    }
};

// Symbols from the low bits of a decoded field, sign-extended to the coordinate width.
int32_t CoordinateSymbol(int64_t v, int32_t bits)
{
    const uint32_t sign = 1u << (bits - 1);
    const uint32_t low = static_cast<uint32_t>(v) & ((sign << 1) - 1);
    return static_cast<int32_t>(low ^ sign) - static_cast<int32_t>(sign);
}

// One command as coded: the flags word and the fields it announces.
struct CodedCommand
{
    uint32_t flags = 0;
    int32_t count = 0;
    int32_t attribute = 0;
    int32_t color = 0;
    int32_t x = 0; // residuals
    int32_t y = 0;
    int32_t shutter = 0;
    int32_t channel = 0;
    int32_t rate = 0;
    int32_t colorDelay = 0;
    int32_t imageId = 0;
    int32_t duration = 0;
};

class FrameEncoder
{
  public:
    // No rate symbol has been coded yet, so a frame's first Header is always coded and comes back
    // from decoding. Starting at 0 would give the same bits for every frame whose rate symbol is
    // not 0 (built frames never have 0), but would drop a first rate of symbol 0, which the decoder
    // would then play at its own starting rate of 30,000 points per second.
    FrameEncoder(LFrameCodec& codec, LBitArchive* bits) : codec_(codec), bits_(bits) {}

    void Command(const uint32_t* w)
    {
        c_ = CodedCommand();
        switch (FrameOpcode(w[0])) {
        case kOpRepeat:
            Points(FrameByte(w[0], 8));
            break;
        case kOpAttr:
            Style(FrameByte(w[0], 16), w[0] & kAttrBlankBit, w[1]);
            Points(FrameByte(w[0], 8));
            break;
        case kOpMove:
            Move(w[0], w[1]);
            break;
        case kOpMoveAttr:
            Style(w[1], w[1] & kBlankAttribute, w[2]);
            Move(w[0], w[1]);
            break;
        case kOpRamp:
            c_.flags = kFlagCount | kFlagRamp | ((w[0] & kRampModeBit) ? kFlagRampMode : 0);
            c_.count = 1;
            break;
        case kOpHeader:
        case kOpHeaderTime:
            Header(w);
            break;
        case kOpSelect:
            Channel(w[0] >> 8 & kSixteenBits);
            break;
        case kOpImage:
            Image(w);
            break;
        }
        if (c_.flags != 0)
            Emit();
    }

    void End()
    {
        Code(kTableFlags, 0);
        if (bits_)
            bits_->Flush();
    }

  private:
    // Attributes are taken from Attr and MoveAttr commands but committed only with points,
    // since the decoder shows them only then (a Ramp's point shows none).
    void Style(uint32_t attribute, uint32_t blank, uint32_t color)
    {
        attribute_ = attribute & kAttributeBits;
        blank_ = blank ? 1 : 0;
        color_ = codec_.ColorSymbol(color);
    }

    void Points(uint32_t n)
    {
        if (n == 0)
            return;
        c_.flags |= kFlagCount;
        c_.count = static_cast<int32_t>(n);
        if (blank_ != codedBlank_)
            c_.flags |= kFlagBlankChanged | (blank_ ? kFlagBlank : 0);
        if (attribute_ != codedAttribute_)
            c_.flags |= kFlagAttribute;
        // An Image may have changed the coded colour without the shown one following.
        if (color_ != codedColor_ || (!(c_.flags & kRestyleFlags) && color_ != shownColor_))
            c_.flags |= kFlagColor;
        codedBlank_ = blank_;
        codedAttribute_ = c_.attribute = static_cast<int32_t>(attribute_);
        codedColor_ = shownColor_ = color_;
        c_.color = static_cast<int32_t>(color_);
    }

    void Move(uint32_t word0, uint32_t word1)
    {
        Points(1);
        const int32_t vx = FrameInt16(word0) / codec_.XYStep();
        const int32_t vy = FrameInt16(word1) / codec_.XYStep();
        // The decoder moves only when an axis is coded, also after an Image changed them.
        const bool unshown = vx != shownX_ || vy != shownY_;
        Coordinates(vx, vy, unshown && vx == x_.symbol && vy == y_.symbol);
        shownX_ = vx;
        shownY_ = vy;
    }

    void Coordinates(int32_t vx, int32_t vy, bool forceX)
    {
        if (vx != x_.symbol || forceX) {
            c_.flags |= kFlagX;
            c_.x = x_.MoveTo(vx, codec_);
        }
        if (vy != y_.symbol) {
            c_.flags |= kFlagY;
            c_.y = y_.MoveTo(vy, codec_);
        }
    }

    void Header(const uint32_t* w)
    {
        const uint32_t shutter = w[0] >> 8 & kSixteenBits;
        const int32_t rate = static_cast<int32_t>((w[1] & kFrameWordBits) / uint32_t(codec_.RateStep()));
        const uint32_t delay = FrameByte(w[2], 16);
        if (shutter != shutter_)
            c_.flags |= kFlagShutter;
        if (rate != rateSymbol_)
            c_.flags |= kFlagRate;
        if (delay != colorDelay_)
            c_.flags |= kFlagColorDelay;
        c_.shutter = static_cast<int32_t>(shutter_ = shutter);
        c_.rate = rateSymbol_ = rate;
        c_.colorDelay = static_cast<int32_t>(colorDelay_ = delay);
        Channel(w[2] & kSixteenBits);
    }

    void Channel(uint32_t channel)
    {
        if (channel != channel_)
            c_.flags |= kFlagChannel;
        c_.channel = static_cast<int32_t>(channel_ = channel);
    }

    void Image(const uint32_t* w)
    {
        c_.flags |= kFlagImage;
        c_.imageId = static_cast<int32_t>(w[0] >> 8 & kSixteenBits);
        const uint32_t color = codec_.ColorSymbol(w[3]);
        if (color != codedColor_)
            c_.flags |= kFlagColor;
        c_.color = static_cast<int32_t>(codedColor_ = color);
        Coordinates(FrameInt16(w[1]) / codec_.XYStep(), FrameInt16(w[2]) / codec_.XYStep(), false);
        const uint32_t duration = std::min(w[4] & kFrameWordBits, kLongestDuration);
        if (duration != duration_)
            c_.flags |= kFlagDuration;
        c_.duration = static_cast<int32_t>(duration_ = duration);
    }

    void Emit()
    {
        const struct
        {
            uint32_t flag;
            int32_t table;
            int32_t value;
        } fields[] = {
            {kFlagCount, kTableCount, c_.count},
            {kFlagAttribute, kTableAttribute, c_.attribute},
            {kFlagColor, kTableColor, c_.color},
            {kFlagX, kTableResidual, c_.x},
            {kFlagY, kTableResidual, c_.y},
            {kFlagShutter, kTableShutter, c_.shutter},
            {kFlagChannel, kTableChannel, c_.channel},
            {kFlagRate, kTableRate, c_.rate},
            {kFlagColorDelay, kTableColorDelay, c_.colorDelay},
            {kFlagImage, kTableImageId, c_.imageId},
            {kFlagDuration, kTableDuration, c_.duration},
        };
        Code(kTableFlags, static_cast<int32_t>(c_.flags));
        for (const auto& field : fields) {
            if (c_.flags & field.flag)
                Code(field.table, field.value);
        }
    }

    void Code(int32_t table, int32_t value)
    {
        if (bits_)
            codec_.tables[table].Encode(value, *bits_);
        else
            codec_.histograms[table].Add(value);
    }

    LFrameCodec& codec_;
    LBitArchive* bits_;
    CodedCommand c_;

    // The attributes of the source frame so far.
    uint32_t blank_ = 1;
    uint32_t attribute_ = 0;
    uint32_t color_ = 0;
    // What the decoder holds.
    uint32_t codedBlank_ = 1;
    uint32_t codedAttribute_ = 0;
    uint32_t codedColor_ = 0;
    Axis x_;
    Axis y_;
    uint32_t shutter_ = kStartShutter;
    uint32_t channel_ = 0;
    int32_t rateSymbol_ = kNoRateSymbol;
    uint32_t colorDelay_ = 0;
    uint32_t duration_ = 0;
    // What the decoded frame shows: the colour of its last points and its position.
    uint32_t shownColor_ = 0;
    int32_t shownX_ = 0;
    int32_t shownY_ = 0;
};

class FrameDecoder
{
  public:
    FrameDecoder(const LFrameCodec& codec, LBitArchiveBytes& bits, LFrame& frame)
        : codec_(codec), bits_(bits), words_(frame.words)
    {
    }

    int32_t Run()
    {
        uint32_t flags = 0;
        if (!Flags(flags))
            return 0;
        while (flags != 0 && count_ <= LFrame::kBuildLimit) {
            const int64_t bitsBefore = bits_.BitPosition();
            const int32_t countBefore = count_;
            if (count_ == 0)
                Put({kOpTime, 0, 0});
            Command(flags);
            if (!Flags(flags))
                break;
            // A table that codes its only symbol in no bits must not hold the loop.
            if (bits_.BitPosition() == bitsBefore && count_ == countBefore)
                break;
        }
        return count_;
    }

  private:
    bool Flags(uint32_t& flags)
    {
        int32_t value = 0;
        const bool ok = codec_.tables[kTableFlags].Decode(value, bits_);
        flags = static_cast<uint32_t>(value) & kFlagsMask;
        return ok;
    }

    // A field whose table cannot decode reads as 0; values wider than their field are cut.
    uint32_t Field(int32_t table, uint32_t mask)
    {
        int32_t value = 0;
        codec_.tables[table].Decode(value, bits_);
        return static_cast<uint32_t>(value) & mask;
    }

    int32_t Coordinate(Axis& axis)
    {
        const int64_t v = int64_t(axis.Prediction(codec_)) + static_cast<int32_t>(Field(kTableResidual, ~0u));
        axis.MoveTo(CoordinateSymbol(v, codec_.XYBits()), codec_);
        return axis.symbol * codec_.XYStep();
    }

    void ReadFields(uint32_t flags)
    {
        points_ = (flags & kFlagCount) ? Field(kTableCount, 0xFF) : 0;
        if (flags & kFlagAttribute)
            attribute_ = Field(kTableAttribute, kAttributeBits);
        if (flags & kFlagColor)
            color_ = codec_.ExpandColor(Field(kTableColor, static_cast<uint32_t>(codec_.ColorSymbolMax())));
        if (flags & kFlagX)
            x_ = Coordinate(xAxis_);
        if (flags & kFlagY)
            y_ = Coordinate(yAxis_);
        if (flags & kFlagShutter)
            shutter_ = Field(kTableShutter, kSixteenBits);
        if (flags & kFlagChannel)
            channel_ = Field(kTableChannel, kSixteenBits);
        if (flags & kFlagRate)
            rateWord_ = Field(kTableRate, static_cast<uint32_t>(codec_.RateSymbolMax())) * codec_.RateStep();
        if (flags & kFlagColorDelay)
            colorDelay_ = Field(kTableColorDelay, 0xFF);
        imageId_ = (flags & kFlagImage) ? Field(kTableImageId, kSixteenBits) : 0;
        if (flags & kFlagDuration)
            duration_ = Field(kTableDuration, kSixteenBits);
        if (flags & kFlagBlankChanged)
            blank_ = (flags & kFlagBlank) ? 1 : 0;
    }

    void Command(uint32_t flags)
    {
        ReadFields(flags);
        uint32_t n = points_;
        const bool restyled = (flags & kRestyleFlags) != 0;
        if (n > 0 && (flags & kFlagRamp)) {
            Put({kOpRamp | ((flags & kFlagRampMode) ? kRampModeBit : 0)});
            --n;
        }
        if (n > 0 && (flags & (kFlagX | kFlagY))) {
            if (restyled)
                Put({kOpMoveAttr | FrameInt16Field(x_), Style() | FrameInt16Field(y_), color_});
            else
                Put({kOpMove | FrameInt16Field(x_), FrameInt16Field(y_)});
            if (n >= 2)
                Put({kOpRepeat | (n - 1) << 8});
        } else if (n > 0) {
            if (restyled)
                Put({kOpAttr | n << 8 | Style() << 16, color_});
            else
                Put({kOpRepeat | n << 8});
        }
        if (flags & kHeaderFlags)
            Put({kOpHeader | shutter_ << 8, rateWord_, channel_ | colorDelay_ << 16});
        else if (flags & kFlagChannel)
            Put({kOpSelect | channel_ << 8});
        if (flags & kFlagImage)
            Put({kOpImage | imageId_ << 8, FrameInt16Field(x_), FrameInt16Field(y_), color_, duration_});
    }

    uint32_t Style() const { return attribute_ | (blank_ ? kBlankAttribute : 0); }

    void Put(std::initializer_list<uint32_t> command)
    {
        for (uint32_t word : command)
            words_[count_++] = word;
    }

    const LFrameCodec& codec_;
    LBitArchiveBytes& bits_;
    uint32_t* words_;
    int32_t count_ = 0;

    uint32_t points_ = 0;
    uint32_t blank_ = 1;
    uint32_t attribute_ = 0;
    uint32_t color_ = 0;
    Axis xAxis_;
    Axis yAxis_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    uint32_t shutter_ = kStartShutter;
    uint32_t channel_ = 0;
    uint32_t rateWord_ = kStartRateWord;
    uint32_t colorDelay_ = 0;
    uint32_t imageId_ = 0;
    uint32_t duration_ = 0;
};
} // namespace

bool LFrame::HuffEncode(LFrameCodec& codec, LBitArchive* bits) const
{
    FrameEncoder encoder(codec, bits);
    WalkFrameCommands(words, ValidCount(), [&](const uint32_t* w, int32_t) {
        encoder.Command(w);
        return true;
    });
    encoder.End();
    return true;
}

bool LFrame::HuffDecode(const LFrameCodec& codec, LBitArchiveBytes& bits)
{
    FrameDecoder decoder(codec, bits, *this);
    count = decoder.Run();
    bits.Flush();
    return true;
}
