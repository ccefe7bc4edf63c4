#include "foundation/archives/archive_xstring.h"
#include "show/chan_out_pars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

template <class Record> Bytes Written(const Record& record, bool shortForm)
{
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenWrite(64));
    record.Write(archive, shortForm);
    const XAString text = archive.TakeString();
    return Bytes(text.View().begin(), text.View().end());
}

template <class Record> Record ReadBack(const Bytes& bytes, bool expectError = false)
{
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenReadMemory(bytes.data(), int32_t(bytes.size()), false));
    Record record(true);
    record.Read(archive);
    EXPECT_EQ(archive.HasError(), expectError);
    return record;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kDefaultRectangle = {0xBF, 0x80, 0, 0, 0x3F, 0x80, 0, 0, 0xBF, 0x80, 0, 0, 0x3F, 0x80, 0, 0};

} // namespace

TEST(ChanOutPars, Defaults)
{
    const LChanOutPars pars(true);
    EXPECT_TRUE(pars.enabled);
    EXPECT_TRUE(pars.graphicsOn);
    EXPECT_EQ(pars.graphicsIntensity, 0.7f);
    EXPECT_EQ(pars.sizeX, 1.0f);
    EXPECT_FALSE(pars.fogOn);
    EXPECT_EQ(pars.scannerPositionY, 0.02f);
    EXPECT_TRUE(pars.beamDetectOn);
    EXPECT_EQ(pars.beamDetectRepeat, 5);
    EXPECT_TRUE(pars.beamTabOn);
    EXPECT_EQ(pars.beamTabKind, 1);
    EXPECT_EQ(pars, LChanOutPars(false));
}

TEST(ChanOutPars, ShortPairAtDefaults)
{
    const LChanOutParsPair pair(true);
    EXPECT_EQ(Written(pair, true), Join({{1, 0, 0, 1}, kDefaultRectangle, {1, 0}}));

    const LChanOutParsPair dark(false);
    const Bytes bytes = Written(dark, true);
    EXPECT_EQ(bytes, Join({{0, 0, 0, 1}, kDefaultRectangle}));
    const auto back = ReadBack<LChanOutParsPair>(bytes);
    EXPECT_FALSE(back.records[0].enabled);
    EXPECT_FALSE(back.records[1].enabled);
    EXPECT_EQ(back.records[0], LChanOutPars());

    // The full form writes both records and no rectangle.
    EXPECT_EQ(Written(pair, false), Bytes({2, 0, 0, 0, 1, 0, 0, 0}));
}

TEST(ChanOutPars, DetailsOfAChangedRecord)
{
    LChanOutPars pars(true);
    pars.fogOn = true;
    pars.sizeY = 2.0f;
    pars.beamDetectRepeat = -3;
    pars.beamTabKind = 300;
    const Bytes expected = {1,    1,    0,    0,                // enabled, details, version block
                            1,                                  // graphics on
                            0x3F, 0x33, 0x33, 0x33,             // graphics intensity 0.7
                            0x3F, 0x80, 0,    0,                // size x
                            0x40, 0,    0,    0,                // size y
                            0,    0,    0,    0,    0, 0, 0, 0, // position
                            1,                                  // fog on
                            0x3F, 0x33, 0x33, 0x33,             // fog intensity
                            0x3F, 0x33, 0x33, 0x33,             // fog minimum intensity
                            0x3C, 0xA3, 0xD7, 0x0A,             // scanner position x 0.02
                            0x3C, 0xA3, 0xD7, 0x0A,             // scanner position y
                            1,                                  // beam detect on
                            0x3F, 0x33, 0x33, 0x33,             // beam detect intensity
                            0xFF, 0xFF, 0xFF, 0xFD,             // beam detect repeat
                            1,                                  // beam tab on
                            0x3F, 0x33, 0x33, 0x33,             // beam tab intensity
                            0xFE, 0x01, 0x2C};                  // beam tab kind as a count
    EXPECT_EQ(Written(pars, true), expected);
    const auto back = ReadBack<LChanOutPars>(expected);
    EXPECT_TRUE(back.enabled);
    EXPECT_EQ(back, pars);

    // A disabled record keeps its settings only in the full form.
    pars.enabled = false;
    EXPECT_EQ(Written(pars, true), Bytes({0, 0}));
    EXPECT_EQ(ReadBack<LChanOutPars>(Written(pars, false)), pars);
}

TEST(ChanOutPars, FurtherRecordsAreDropped)
{
    LChanOutPars changed(true);
    changed.positionX = 0.5f;
    const Bytes third = Written(changed, true);
    LChanOutParsPair pair(true);
    pair.records[1] = changed;
    pair.xMax = 3.0f;
    Bytes bytes = Written(pair, true);
    bytes[0] = 3;
    bytes = Join({bytes, third, {0x42}});

    LArchiveXString archive;
    ASSERT_TRUE(archive.OpenReadMemory(bytes.data(), int32_t(bytes.size()), false));
    LChanOutParsPair back(false);
    back.Read(archive);
    EXPECT_EQ(archive.ReadU8(), 0x42);
    EXPECT_FALSE(archive.HasError());
    EXPECT_TRUE(back.records[0].enabled);
    EXPECT_EQ(back.records[1], changed);
    EXPECT_EQ(back.xMax, 3.0f);
}

TEST(ChanOutPars, ACountBeyondTheDataStopsAtTheEnd)
{
    const Bytes bytes = {0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0, 0, 0, 1, 0, 1, 0};
    const auto back = ReadBack<LChanOutParsPair>(bytes, true);
    EXPECT_TRUE(back.records[0].enabled);
    EXPECT_TRUE(back.records[1].enabled);
}

TEST(ChanOutParsTable, SetEntry)
{
    LChanOutParsTable table;
    LChanOutParsPair pair(false);
    pair.yMin = -5.0f;
    EXPECT_TRUE(table.SetEntry(3, 15, pair));
    EXPECT_EQ(table.entries[3 * 16 + 15].yMin, -5.0f);
    for (auto [channel, sub] : {std::pair{4, 0}, {0, 16}, {-1, 0}, {0, -1}})
        EXPECT_FALSE(table.SetEntry(channel, sub, pair)) << channel << " " << sub;
    EXPECT_TRUE(table.entries[0].records[0].enabled);
    EXPECT_EQ(table.entries[0].yMin, -1.0f);
    EXPECT_EQ(&table.Entry(4, 0), &table.entries[0]);
    EXPECT_EQ(&table.Entry(3, 15), &table.entries[63]);
}
