#include "show/chan_out_pars.h"

#include "foundation/archives/archive_base.h"

#include <algorithm>

namespace {
constexpr int32_t kVersion = 0;
constexpr int32_t kFullFormRecords = 2;
constexpr float kDefaultIntensity = 0.7f;
constexpr float kDefaultScannerPosition = 0.02f;
constexpr int32_t kDefaultBeamDetectRepeat = 5;
constexpr int32_t kDefaultBeamTabKind = 1;

const LChanOutPars& SharedDefaults()
{
    static const LChanOutPars defaults(true);
    return defaults;
}

bool InTable(int32_t channel, int32_t subChannel)
{
    return channel >= 0 && channel < LChanOutParsTable::kChannels && subChannel >= 0 &&
           subChannel < LChanOutParsTable::kSubChannels;
}
} // namespace

void LChanOutPars::SetDefaults(bool enabledFlag)
{
    enabled = enabledFlag;
    graphicsOn = true;
    graphicsIntensity = kDefaultIntensity;
    sizeX = sizeY = 1.0f;
    positionX = positionY = 0.0f;
    fogOn = false;
    fogIntensity = fogMinIntensity = kDefaultIntensity;
    scannerPositionX = scannerPositionY = kDefaultScannerPosition;
    beamDetectOn = true;
    beamDetectIntensity = kDefaultIntensity;
    beamDetectRepeat = kDefaultBeamDetectRepeat;
    beamTabOn = true;
    beamTabIntensity = kDefaultIntensity;
    beamTabKind = kDefaultBeamTabKind;
}

bool LChanOutPars::SameSettings(const LChanOutPars& o) const
{
    return graphicsOn == o.graphicsOn && graphicsIntensity == o.graphicsIntensity && sizeX == o.sizeX &&
           sizeY == o.sizeY && positionX == o.positionX && positionY == o.positionY && fogOn == o.fogOn &&
           fogIntensity == o.fogIntensity && fogMinIntensity == o.fogMinIntensity &&
           scannerPositionX == o.scannerPositionX && scannerPositionY == o.scannerPositionY &&
           beamDetectOn == o.beamDetectOn && beamDetectIntensity == o.beamDetectIntensity &&
           beamDetectRepeat == o.beamDetectRepeat && beamTabOn == o.beamTabOn &&
           beamTabIntensity == o.beamTabIntensity && beamTabKind == o.beamTabKind;
}

void LChanOutPars::Write(LArchiveBase& archive, bool shortForm) const
{
    archive.WriteBool(enabled);
    const bool details = !(shortForm && !enabled) && !SameSettings(SharedDefaults());
    archive.WriteBool(details);
    if (!details)
        return;
    archive.WriteVersion(kVersion, kVersion);
    archive.WriteBool(graphicsOn);
    for (float v : {graphicsIntensity, sizeX, sizeY, positionX, positionY})
        archive.WriteFloat(v);
    archive.WriteBool(fogOn);
    for (float v : {fogIntensity, fogMinIntensity, scannerPositionX, scannerPositionY})
        archive.WriteFloat(v);
    archive.WriteBool(beamDetectOn);
    archive.WriteFloat(beamDetectIntensity);
    archive.WriteI32(beamDetectRepeat);
    archive.WriteBool(beamTabOn);
    archive.WriteFloat(beamTabIntensity);
    archive.WriteCount(beamTabKind);
}

void LChanOutPars::Read(LArchiveBase& archive)
{
    SetDefaults(false);
    enabled = archive.ReadBool();
    if (!archive.ReadBool() || !archive.CheckVersion(kVersion, kVersion))
        return;
    graphicsOn = archive.ReadBool();
    for (float* v : {&graphicsIntensity, &sizeX, &sizeY, &positionX, &positionY})
        *v = archive.ReadFloat();
    fogOn = archive.ReadBool();
    for (float* v : {&fogIntensity, &fogMinIntensity, &scannerPositionX, &scannerPositionY})
        *v = archive.ReadFloat();
    beamDetectOn = archive.ReadBool();
    beamDetectIntensity = archive.ReadFloat();
    beamDetectRepeat = archive.ReadI32();
    beamTabOn = archive.ReadBool();
    beamTabIntensity = archive.ReadFloat();
    beamTabKind = archive.ReadCount();
}

void LChanOutParsPair::SetDefaults(bool enabled)
{
    records[0].SetDefaults(enabled);
    records[1].SetDefaults(false);
    xMin = yMin = -1.0f;
    xMax = yMax = 1.0f;
}

void LChanOutParsPair::Write(LArchiveBase& archive, bool shortForm) const
{
    int32_t n = kFullFormRecords;
    if (shortForm)
        n = records[1].enabled ? 2 : (records[0].enabled ? 1 : 0);
    archive.WriteCount(n);
    archive.WriteVersion(kVersion, kVersion);
    archive.WriteBool(shortForm);
    if (shortForm) {
        for (float v : {xMin, xMax, yMin, yMax})
            archive.WriteFloat(v);
    }
    for (int32_t i = 0; i < n; ++i)
        records[i].Write(archive, shortForm);
}

void LChanOutParsPair::Read(LArchiveBase& archive)
{
    SetDefaults(false);
    const int32_t n = archive.ReadCount();
    if (n < 0 || !archive.CheckVersion(kVersion, kVersion))
        return;
    if (archive.ReadBool()) {
        for (float* v : {&xMin, &xMax, &yMin, &yMax})
            *v = archive.ReadFloat();
    }
    for (int32_t i = 0; i < std::min(n, kFullFormRecords); ++i)
        records[i].Read(archive);
    // Records of a newer writer are read and dropped, as long as the archive holds them.
    LChanOutPars dropped;
    for (int32_t i = kFullFormRecords; i < n && !archive.HasError(); ++i)
        dropped.Read(archive);
}

void LChanOutParsTable::SetDefaults()
{
    for (LChanOutParsPair& pair : entries)
        pair.SetDefaults(true);
}

bool LChanOutParsTable::SetEntry(int32_t channel, int32_t subChannel, const LChanOutParsPair& pair)
{
    if (!InTable(channel, subChannel))
        return false;
    entries[channel * kSubChannels + subChannel] = pair;
    return true;
}

const LChanOutParsPair& LChanOutParsTable::Entry(int32_t channel, int32_t subChannel) const
{
    return InTable(channel, subChannel) ? entries[channel * kSubChannels + subChannel] : entries[0];
}
