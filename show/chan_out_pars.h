#pragma once
// Output settings of a laser controller channel, which decide how the 3-D preview draws its
// frames: LChanOutPars is one output record, LChanOutParsPair the two records of a channel
// with its projection rectangle, LChanOutParsTable the 4 x 16 pairs of one server. Shows
// store the pairs that arrived while they were recorded.

#include <cstdint>

class LArchiveBase;

struct LChanOutPars
{
    explicit LChanOutPars(bool enabled = false) { SetDefaults(enabled); }

    void SetDefaults(bool enabled);
    // Compares everything but the enabled flag; floats exactly.
    bool SameSettings(const LChanOutPars& other) const;
    bool operator==(const LChanOutPars& other) const { return SameSettings(other); }

    // The short form leaves out the settings of a disabled record.
    void Write(LArchiveBase& archive, bool shortForm) const;
    void Read(LArchiveBase& archive);

    bool enabled;
    bool graphicsOn;         // graphics are drawn (or the preview forces them)
    float graphicsIntensity; // combined with the preview's graphics intensity
    float sizeX;             // scales the projected picture
    float sizeY;
    float positionX; // offset, relative to the size
    float positionY;
    bool fogOn; // the beam fan through the haze is drawn
    float fogIntensity;
    float fogMinIntensity;  // intensity at the far end of the fan
    float scannerPositionX; // beam origin, relative to the graphics size
    float scannerPositionY;
    bool beamDetectOn; // beams are drawn where the beam dwells
    float beamDetectIntensity;
    int32_t beamDetectRepeat; // added to the preview's dwell count
    bool beamTabOn;           // image entries of the frames are drawn
    float beamTabIntensity;
    int32_t beamTabKind; // shape table: 0 none, 2 the second, else the first
};

struct LChanOutParsPair
{
    explicit LChanOutParsPair(bool enabled = false) { SetDefaults(enabled); }

    // Record 0 gets the enabled flag, record 1 is disabled, the rectangle is -1, 1, -1, 1.
    void SetDefaults(bool enabled);
    void Write(LArchiveBase& archive, bool shortForm) const;
    void Read(LArchiveBase& archive);

    LChanOutPars records[2];
    float xMin;
    float xMax;
    float yMin;
    float yMax;
};

struct LChanOutParsTable
{
    static constexpr int32_t kChannels = 4;
    static constexpr int32_t kSubChannels = 16;

    LChanOutParsTable() { SetDefaults(); }

    void SetDefaults();
    // False, changing nothing, for a channel outside 0..3 or a sub-channel outside 0..15.
    bool SetEntry(int32_t channel, int32_t subChannel, const LChanOutParsPair& pair);
    // The pair for a point's channel bytes; entry 0 for any outside the table.
    const LChanOutParsPair& Entry(int32_t channel, int32_t subChannel) const;

    LChanOutParsPair entries[kChannels * kSubChannels];
};
