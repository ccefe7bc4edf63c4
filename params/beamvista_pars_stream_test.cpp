#include "params/beamvista_pars.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "foundation/archives/archive_xstring.h"
#include "params/beamvista_param_table.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Big-endian pieces of the expected streams, put together independently of the writer.
void PutI32(Bytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}
void PutDouble(Bytes& out, double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    PutI32(out, static_cast<uint32_t>(bits >> 32));
    PutI32(out, static_cast<uint32_t>(bits));
}
void PutVersion(Bytes& out)
{
    out.insert(out.end(), {0x00, 0x00});
}
void PutTerminator(Bytes& out)
{
    out.push_back(0x00);
    for (int i = 0; i < 4; ++i)
        PutI32(out, 0);
}
void PutItem(Bytes& out, uint8_t kind, uint32_t tag)
{
    out.push_back(kind);
    PutI32(out, tag);
}

XAString ToText(const Bytes& bytes)
{
    return XAString(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

Bytes ToBytes(const XAString& text)
{
    return Bytes(text.View().begin(), text.View().end());
}

Bytes Written(const LBeamvistaPars& pars, uint32_t mask)
{
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenWrite(0));
    pars.Write(archive, mask);
    EXPECT_FALSE(archive.HasError());
    const XAString text = archive.TakeString();
    archive.Close();
    return ToBytes(text);
}

// Reads bytes into pars; returns the archive's status.
CError ReadInto(LBeamvistaPars& pars, const Bytes& bytes, bool resetFirst)
{
    const XAString text = ToText(bytes);
    LArchiveXString archive;
    EXPECT_TRUE(archive.OpenRead(text, -1));
    pars.Read(archive, resetFirst);
    return archive.Status();
}

// Every field exactly equal, reals bit for bit.
void ExpectSameFields(const LBeamvistaPars& a, const LBeamvistaPars& b)
{
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        WithBeamvistaMember(def, [&](auto member) { EXPECT_TRUE(a.*member == b.*member) << def.name; });
    }
}

// A record in which every field differs from its default.
LBeamvistaPars Changed()
{
    LBeamvistaPars pars;
    int32_t i = 0;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        ++i;
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            pars.*def.field.byteField ^= 1;
            break;
        case BeamvistaStorage::Int32:
            pars.*def.field.intField += i;
            break;
        case BeamvistaStorage::Float:
            pars.*def.field.floatField += 0.1f * static_cast<float>(i);
            break;
        case BeamvistaStorage::Text:
            pars.*def.field.textField = XAString::Format("file%d.png", i);
            break;
        }
    }
    return pars;
}

TEST(BeamvistaParsStream, NothingSelectedGivesVersionAndTerminator)
{
    const Bytes expected = {0x00, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(Written(LBeamvistaPars(), 0x30000), expected);
}

TEST(BeamvistaParsStream, ShowSettingsOfTheDefaultsByteForByte)
{
    const Bytes written = Written(LBeamvistaPars(), kBeamvistaShowGroups);
    // The first items spelled out: o_graphics_force 2, then o_graphics_intensity 1.0.
    const Bytes head = {0x00, 0x00, 0x02, 0x00, 0x00, 0x11, 0x00, 0x00, 0x00, 0x00, 0x02, 0x03,
                        0x00, 0x00, 0x11, 0x10, 0x3f, 0xf0, 0,    0,    0,    0,    0,    0};
    ASSERT_GE(written.size(), head.size());
    EXPECT_EQ(Bytes(written.begin(), written.begin() + head.size()), head);

    Bytes expected;
    PutVersion(expected);
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (def.block != BeamvistaBlock::Main && def.block != BeamvistaBlock::Simulation)
            continue;
        switch (def.storage) {
        case BeamvistaStorage::Byte:
            PutItem(expected, 1, def.tag);
            expected.push_back(def.defaultValue != 0 ? 1 : 0);
            break;
        case BeamvistaStorage::Int32:
            PutItem(expected, 2, def.tag);
            PutI32(expected, static_cast<uint32_t>(static_cast<int32_t>(def.defaultValue)));
            break;
        default:
            PutItem(expected, 3, def.tag);
            PutDouble(expected, static_cast<float>(def.defaultValue));
            break;
        }
    }
    PutTerminator(expected);
    EXPECT_EQ(written.size(), 342u); // 23 main items and 5 simulation items
    EXPECT_EQ(written, expected);
}

TEST(BeamvistaParsStream, SwitchAndTextItemsByteForByte)
{
    LBeamvistaPars pars;
    pars.o_bg0_filename = "ab";
    pars.o_bg0_load = 1;
    const Bytes written = Written(pars, 0x20);
    // The OpenGL switches come first: o_force_generic_opengl off.
    const Bytes firstSwitch = {0x01, 0x00, 0x00, 0x40, 0x00, 0x00};
    EXPECT_EQ(Bytes(written.begin() + 2, written.begin() + 8), firstSwitch);
    const Bytes loadAndName = {0x01, 0x00, 0x00, 0x71, 0x10, 0x01, 0x04,
                               0x00, 0x00, 0x71, 0x20, 0x02, 'a',  'b'};
    const auto found = std::search(written.begin(), written.end(), loadAndName.begin(), loadAndName.end());
    EXPECT_NE(found, written.end());
}

TEST(BeamvistaParsStream, SettingsFileItemsInBlockOrder)
{
    const Bytes written = Written(Changed(), kBeamvistaFileGroups);
    std::vector<int32_t> tags;
    size_t at = 2;
    while (written[at] != 0) {
        const uint8_t kind = written[at];
        tags.push_back(static_cast<int32_t>(written[at + 1] << 24 | written[at + 2] << 16 |
                                            written[at + 3] << 8 | written[at + 4]));
        at += 5;
        at += kind == 1 ? 1 : kind == 2 ? 4 : kind == 3 ? 8 : 1 + written[at];
    }
    std::vector<int32_t> expected;
    for (const BeamvistaParamDef& def : BeamvistaParamTable()) {
        if (def.block == BeamvistaBlock::Main || def.block == BeamvistaBlock::Simulation ||
            def.block == BeamvistaBlock::Backgrounds)
            expected.push_back(def.tag);
    }
    EXPECT_EQ(expected.size(), 60u);
    EXPECT_EQ(tags, expected);
    EXPECT_EQ(at + 17, written.size());

    LBeamvistaPars read = Changed();
    read.o_fog_3d = 0;
    read.p0x91205 = 1;
    ASSERT_FALSE(ReadInto(read, written, false).Failed());
    EXPECT_EQ(read.o_fog_3d, 0);
    EXPECT_EQ(read.p0x91205, 1);
    ASSERT_FALSE(ReadInto(read, written, true).Failed());
    EXPECT_EQ(read.o_fog_3d, 0);
    EXPECT_EQ(read.p0x91205, 115);
}

TEST(BeamvistaParsStream, WholeRecordRoundTrip)
{
    const LBeamvistaPars original = Changed();
    LBeamvistaPars read;
    ASSERT_FALSE(ReadInto(read, Written(original, kBeamvistaAllGroups), true).Failed());
    ExpectSameFields(read, original);
}

TEST(BeamvistaParsStream, TextsAtTheCountBoundaries)
{
    struct Case
    {
        int32_t length;
        Bytes count;
    };
    const Case cases[] = {
        {0, {0x00}},
        {253, {0xfd}},
        {254, {0xfe, 0x00, 0xfe}},
        {65535, {0xfe, 0xff, 0xff}},
        {65536, {0xff, 0x00, 0x01, 0x00, 0x00}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        LBeamvistaPars pars;
        pars.o_bg3_filename = XAString(std::string(c.length, 'x'));
        const Bytes written = Written(pars, kBeamvistaFileGroups);
        Bytes item;
        PutItem(item, 4, 0x7420);
        item.insert(item.end(), c.count.begin(), c.count.end());
        EXPECT_NE(std::search(written.begin(), written.end(), item.begin(), item.end()), written.end());
        LBeamvistaPars read;
        read.o_bg3_filename = "old";
        ASSERT_FALSE(ReadInto(read, written, false).Failed());
        EXPECT_EQ(read.o_bg3_filename.Length(), c.length);
        EXPECT_EQ(read.o_bg3_filename, pars.o_bg3_filename);
    }
}

TEST(BeamvistaParsStream, EmptyStreamKeepsOrResets)
{
    Bytes empty;
    PutVersion(empty);
    PutTerminator(empty);
    LBeamvistaPars pars = Changed();
    ASSERT_FALSE(ReadInto(pars, empty, false).Failed());
    ExpectSameFields(pars, Changed());
    ASSERT_FALSE(ReadInto(pars, empty, true).Failed());
    ExpectSameFields(pars, LBeamvistaPars());
}

TEST(BeamvistaParsStream, ItemsTakeTheirFieldsStorage)
{
    Bytes stream;
    PutVersion(stream);
    PutItem(stream, 3, 0x8000); // unknown tag: skipped
    PutDouble(stream, 5.0);
    PutItem(stream, 4, 0x12345); // unknown tag with a text: skipped
    stream.insert(stream.end(), {0x03, 'a', 'b', 'c'});
    PutItem(stream, 2, 0x1200); // o_fog_force out of its range stays as stored
    PutI32(stream, 7);
    PutItem(stream, 2, 0x1110); // an integer item for a real field: its real slot is 0.0
    PutI32(stream, 5);
    PutItem(stream, 3, 0x4010); // a real item for a switch: its flag slot is off
    PutDouble(stream, 1.0);
    PutItem(stream, 1, 0x6000); // any non-zero byte is true
    stream.push_back(0x7f);
    PutItem(stream, 3, 0x6110); // a real beyond single precision
    PutDouble(stream, 1e300);
    PutTerminator(stream);

    LBeamvistaPars pars;
    pars.o_simulate = 0;
    ASSERT_FALSE(ReadInto(pars, stream, false).Failed());
    EXPECT_EQ(pars.o_fog_force, 7);
    EXPECT_EQ(pars.o_graphics_intensity, 0.0f);
    EXPECT_EQ(pars.o_enhanced_lines, 0);
    EXPECT_EQ(pars.o_simulate, 1);
    EXPECT_TRUE(std::isinf(pars.o_sim_freqf));
    EXPECT_EQ(pars.o_fog_intensity, 1.0f);
}

TEST(BeamvistaParsStream, SetByTagKnowsOnlyTheFieldsTags)
{
    LBeamvistaPars pars;
    EXPECT_FALSE(pars.SetByTag(0x7500, true, 9, 9.0, "x"));
    ExpectSameFields(pars, LBeamvistaPars());
    EXPECT_TRUE(pars.SetByTag(0x7420, false, 0, 0.0, "name.bmp"));
    EXPECT_EQ(pars.o_bg3_filename, "name.bmp");
    EXPECT_TRUE(pars.SetByTag(0x91205, false, 300, 0.0, ""));
    EXPECT_EQ(pars.p0x91205, 300);
}

TEST(BeamvistaParsStream, EveryCutLeavesTheDefaults)
{
    const LBeamvistaPars original = Changed();
    const Bytes full = Written(original, kBeamvistaAllGroups);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        const Bytes prefix(full.begin(), full.begin() + cut);
        LBeamvistaPars pars = original;
        const CError status = ReadInto(pars, prefix, false);
        ASSERT_TRUE(status.Failed()) << cut;
        ExpectSameFields(pars, LBeamvistaPars());
        if (cut > 0) {
            LBeamvistaPars untouched = original;
            untouched.o_graphics_force = 0;
            EXPECT_FALSE(untouched.FromString(ToText(prefix), kBeamvistaAllGroups)) << cut;
            EXPECT_EQ(untouched.o_graphics_force, 0);
            EXPECT_EQ(untouched.o_bg1_filename, original.o_bg1_filename);
        }
    }
}

TEST(BeamvistaParsStream, BadStreamsFailWithTheirErrors)
{
    struct Case
    {
        const char* what;
        Bytes stream;
        const char* error;
    };
    Bytes kindNine = {0x00, 0x00};
    PutItem(kindNine, 9, 0x1100);
    PutTerminator(kindNine);
    Bytes negativeKind = {0x00, 0x00, 0xff, 0xff, 0xff, 0xff, 0xff};
    PutI32(negativeKind, 0x1100);
    PutTerminator(negativeKind);
    Bytes newer = {0x01, 0x01};
    PutTerminator(newer);
    // A text count far beyond the bytes that follow is refused before anything is allocated.
    Bytes hugeText = {0x00, 0x00};
    PutItem(hugeText, 4, 0x7120);
    hugeText.insert(hugeText.end(), {0xff, 0x7f, 0xff, 0xff, 0xff, 'a'});
    PutTerminator(hugeText);
    const Case cases[] = {
        {"kind 9", kindNine, "Format error!"},
        {"negative kind", negativeKind, "Format error!"},
        {"newer format", newer, "Can not handle incompatible (newer) format! (get software update)"},
        {"huge text", hugeText, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LBeamvistaPars pars = Changed();
        const CError status = ReadInto(pars, c.stream, false);
        ASSERT_TRUE(status.Failed());
        if (c.error) {
            EXPECT_EQ(std::string(status.ErrorText().View()), c.error);
        }
        ExpectSameFields(pars, LBeamvistaPars());

        LBeamvistaPars untouched = Changed();
        EXPECT_FALSE(untouched.FromString(ToText(c.stream), kBeamvistaAllGroups));
        ExpectSameFields(untouched, Changed());
    }
}

TEST(BeamvistaParsStream, FromStringCopiesTheSelectedBlocks)
{
    const XAString text = ToText(Written(Changed(), kBeamvistaAllGroups));
    LBeamvistaPars pars;
    EXPECT_FALSE(pars.FromString(XAString(), kBeamvistaAllGroups));
    ASSERT_TRUE(pars.FromString(text, kBeamvistaShowGroups));
    const LBeamvistaPars changed = Changed();
    EXPECT_EQ(pars.o_fog_rot, changed.o_fog_rot);
    EXPECT_EQ(pars.o_sim_color_delayf, changed.o_sim_color_delayf);
    EXPECT_EQ(pars.o_fog_3d, 0);
    EXPECT_TRUE(pars.o_bg0_filename.IsEmpty());
    EXPECT_EQ(pars.p0x91205, 115);

    // Fields the text does not name keep the record's values.
    LBeamvistaPars own = Changed();
    Bytes one;
    PutVersion(one);
    PutItem(one, 2, 0x1100);
    PutI32(one, 0);
    PutTerminator(one);
    ASSERT_TRUE(own.FromString(ToText(one), kBeamvistaAllGroups));
    EXPECT_EQ(own.o_graphics_force, 0);
    own.o_graphics_force = changed.o_graphics_force;
    ExpectSameFields(own, changed);
}

} // namespace
