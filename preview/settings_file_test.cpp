// Parameter files: the writer's bytes against hand-computed ones, and the reader over hand-made
// files, including every way a file can be short, malformed or of another version.
#include "preview/settings_file.h"

#include "foundation/archives/archive_xstring.h"
#include "foundation/pictures/h_image.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstring>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

// Big-endian bytes in the archive's encodings, put together by hand.
class Bytes
{
  public:
    Bytes& U8(int v)
    {
        text_.push_back(static_cast<char>(v));
        return *this;
    }
    Bytes& I32(uint32_t v)
    {
        for (int shift = 24; shift >= 0; shift -= 8)
            U8(static_cast<int>((v >> shift) & 0xFF));
        return *this;
    }
    Bytes& F32(float v) { return I32(std::bit_cast<uint32_t>(v)); }
    Bytes& F64(double v)
    {
        const uint64_t bits = std::bit_cast<uint64_t>(v);
        return I32(static_cast<uint32_t>(bits >> 32)).I32(static_cast<uint32_t>(bits));
    }
    // A compact count: one byte below 254, else 255 and 32 bits (254 and 16 bits is not needed).
    Bytes& Count(int32_t v)
    {
        if (v >= 0 && v < 254)
            return U8(v);
        return U8(255).I32(static_cast<uint32_t>(v));
    }
    Bytes& Raw(std::string_view bytes)
    {
        text_ += bytes;
        return *this;
    }
    Bytes& Counted(std::string_view bytes) { return Count(static_cast<int32_t>(bytes.size())).Raw(bytes); }
    Bytes& Zeros(int n)
    {
        text_.append(static_cast<size_t>(n), '\0');
        return *this;
    }
    const std::string& Text() const { return text_; }

  private:
    std::string text_;
};

constexpr uint32_t kFogIntensityTag = 0x1210;
constexpr double kFileFogIntensity = 0.5;

// A tagged parameter stream with one item: the fog intensity.
Bytes& FogStream(Bytes& b, int kind = 3)
{
    b.U8(0).U8(0).U8(kind).I32(kFogIntensityTag);
    if (kind == 3)
        b.F64(kFileFogIntensity);
    return b.U8(0).Zeros(16);
}

std::string Written(const LBeamvistaPars& pars, const LSettingsPictures& pictures)
{
    LArchiveXString writer;
    writer.OpenWrite(0);
    WriteSettingsFile(writer, pars, pictures);
    const XAString bytes = writer.TakeString();
    writer.Close();
    return std::string(bytes.View());
}

std::string StreamOf(const LBeamvistaPars& pars)
{
    LArchiveXString writer;
    writer.OpenWrite(0);
    pars.Write(writer, kBeamvistaFileGroups);
    const XAString bytes = writer.TakeString();
    writer.Close();
    return std::string(bytes.View());
}

struct ReadResult
{
    bool ok = false;
    std::string error;
    LSettingsFileContent content;
};

ReadResult Read(const std::string& bytes)
{
    ReadResult result;
    LArchiveXString reader;
    reader.OpenReadMemory(bytes.data(), static_cast<int32_t>(bytes.size()), true);
    result.ok = ReadSettingsFile(reader, result.content);
    result.error = reader.Status().Failed() ? reader.Status().Text().CStr() : "";
    reader.Close();
    return result;
}

// A 2 x 1 BMP from the project's writer.
std::string TinyBmp()
{
    const uint32_t pixels[2] = {0x00FF0000, 0x0000FF00};
    const HImageRef image = HImageFromData(nullptr, 2, 1, 4, kImageTrueColour, 0, nullptr, pixels);
    LArchiveXString writer;
    writer.OpenWrite(0);
    image->WriteBmp(writer);
    const XAString bytes = writer.TakeString();
    writer.Close();
    return std::string(bytes.View());
}

LLaserPreviewBitmap Picture(const std::string& bytes, const char* name)
{
    LLaserPreviewBitmap picture;
    const XAString file(bytes);
    EXPECT_FALSE(picture.Load(name, &file, {1, 1, 0, 0, 1}).Failed());
    return picture;
}

// A BMP picture record by hand: version pair 1/1, the file's bytes, the name, type 2, five floats.
Bytes& BmpRecord(Bytes& b, const std::string& file, std::string_view name)
{
    b.U8(1).U8(1).Counted(file).Counted(name).U8(2);
    for (float f : {1.0f, 1.0f, 0.0f, 0.0f, 1.0f})
        b.F32(f);
    return b;
}

// The end of the picture list (-1 in the long form).
Bytes& EndOfPictures(Bytes& b)
{
    return b.U8(0xFF).I32(0xFFFFFFFF);
}

// The options record: version pair, the 44-byte memory image (little-endian words), the
// parameter block, two counts.
Bytes& AviOptions(Bytes& b, int32_t oldestReader, int32_t m, std::string_view block)
{
    b.U8(0).Count(oldestReader).Count(44);
    b.Raw("vids").Raw("msvc");
    for (uint32_t word = 3; word <= 11; ++word)
        b.U8(static_cast<int>(word)).Zeros(3);
    b.Count(m).Raw(block);
    return b.U8(0).U8(0);
}

} // namespace

TEST(SettingsFileWriter, AFileWithoutPicturesIsTheFixedFrameAroundTheStream)
{
    const LBeamvistaPars pars;
    const std::string stream = StreamOf(pars);
    const std::string expected = std::string("\x03\x00", 2) + stream + "\xFF\xFF\xFF\xFF\xFF" +
                                 std::string(3, '\0') + std::string(4, '\0');
    EXPECT_EQ(Written(pars, {}), expected);
    EXPECT_EQ(expected.size(), 1 + 1 + stream.size() + 5 + 3 + 4);
}

TEST(SettingsFileWriter, PicturesComeInSlotOrderEachAfterItsSlot)
{
    const LBeamvistaPars pars;
    const std::string bmp = TinyBmp();
    LSettingsPictures pictures;
    pictures[2] = Picture(bmp, "two.bmp");
    pictures[0] = Picture(bmp, "zero.bmp");
    Bytes expected;
    expected.U8(3).U8(0).Raw(StreamOf(pars));
    BmpRecord(expected.U8(0), bmp, "zero.bmp");
    BmpRecord(expected.U8(2), bmp, "two.bmp");
    EndOfPictures(expected).Zeros(3).Zeros(4);
    EXPECT_EQ(Written(pars, pictures), expected.Text());
}

TEST(SettingsFileReader, ReadsWhatTheWriterWrote)
{
    LBeamvistaPars pars;
    pars.o_fog_intensity = 0.25f;
    pars.BgFilename(1) = "one.bmp";
    LSettingsPictures pictures;
    pictures[1] = Picture(TinyBmp(), "one.bmp");
    const ReadResult result = Read(Written(pars, pictures));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_TRUE(result.content.pars.IsEqual(pars, kBeamvistaAllGroups));
    EXPECT_EQ(result.content.pictures[1].FileBytes(), pictures[1].FileBytes());
    EXPECT_TRUE(result.content.pictures[0].FileBytes().IsEmpty());
    EXPECT_FALSE(result.content.hasAvi || result.content.hasWindowSize || result.content.hasAviSwitches);
}

namespace {

struct HandMadeCase
{
    const char* name;
    std::function<void(Bytes&)> build;
    // Empty: the read succeeds.
    std::string error;
    std::function<void(const LSettingsFileContent&)> check;
};

std::vector<HandMadeCase> HandMadeCases()
{
    const std::string bmp = TinyBmp();
    const std::string newer = "Can not handle incompatible (newer) format! (get software update)";
    return {
        {"3/0",
         [](Bytes& b) { EndOfPictures(FogStream(b.U8(3).U8(0))).Zeros(3).Zeros(4); },
         "",
         [](const LSettingsFileContent& c) {
             EXPECT_EQ(c.version, 3);
             EXPECT_FLOAT_EQ(c.pars.o_fog_intensity, kFileFogIntensity);
         }},
        {"3/4", [](Bytes& b) { EndOfPictures(FogStream(b.U8(3).U8(4))).Zeros(7); }, newer, nullptr},
        {"4/3 with trailing bytes",
         [](Bytes& b) { EndOfPictures(FogStream(b.U8(4).U8(3))).Zeros(3).Raw("more to come"); },
         "",
         [](const LSettingsFileContent& c) { EXPECT_EQ(c.version, 4); }},
        {"version 0 ends after the pictures",
         [](Bytes& b) { EndOfPictures(FogStream(b.U8(0).U8(0))); },
         "",
         [](const LSettingsFileContent& c) { EXPECT_FALSE(c.hasAvi); }},
        {"AVI block, m = 0",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(30);
             AviOptions(b, 0, 0, "").Counted("ab").Counted("xyz");
         },
         "",
         [](const LSettingsFileContent& c) {
             ASSERT_TRUE(c.hasAvi);
             EXPECT_FLOAT_EQ(c.avi.frameRate, 30);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kType), 0x73646976) << "\"vids\"";
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kQuality), 4);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kFormatPointer), 0);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kFormatSize), 0);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kParametersPointer), 0);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kParametersSize), 0);
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kInterleaveEvery), 11);
             EXPECT_TRUE(c.avi.options.ParameterBlock().IsEmpty());
             EXPECT_EQ(c.avi.text, "ab");
             ASSERT_EQ(c.avi.data.Count(), 3);
             EXPECT_EQ(std::memcmp(c.avi.data.Data(), "xyz", 3), 0);
         }},
        {"AVI block, m = 3",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             AviOptions(b, 0, 3, "abc").Counted("").Counted("");
         },
         "",
         [](const LSettingsFileContent& c) {
             EXPECT_EQ(c.avi.options.ParameterBlock(), "abc");
             EXPECT_EQ(c.avi.options.Value(LAviCompressOptions::kParametersSize), 3);
         }},
        {"AVI options of 40 bytes are skipped with their block",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             b.U8(0).U8(0).Count(40).Raw(std::string(40, 'x')).Counted("ab").U8(0).U8(0);
             b.Counted("t").Counted("");
         },
         "",
         [](const LSettingsFileContent& c) {
             EXPECT_EQ(c.avi.options, LAviCompressOptions()) << "cleared";
             EXPECT_EQ(c.avi.text, "t");
         }},
        {"AVI options for a newer reader",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             AviOptions(b, 1, 0, "").Counted("").Counted("");
         },
         newer, nullptr},
        {"AVI parameter block larger than the file",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             AviOptions(b, 0, 0x7FFFFFFF, "").Counted("").Counted("");
         },
         "End of file!", nullptr},
        {"AVI options of a negative size",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             b.U8(0).U8(0).Count(-4).Zeros(8);
         },
         "LArchiveBase::ReadCountMinMax: -4 bytes available, but min 0 bytes required!", nullptr},
        {"AVI text longer than the file",
         [](Bytes& b) {
             EndOfPictures(FogStream(b.U8(1).U8(0))).U8(1).F32(25);
             AviOptions(b, 0, 0, "").Count(1000).Raw("short");
         },
         "End of file!", nullptr},
        {"window 0 x 480",
         [](Bytes& b) { EndOfPictures(FogStream(b.U8(2).U8(0))).U8(0).U8(1).I32(0).I32(480); },
         "",
         [](const LSettingsFileContent& c) {
             EXPECT_TRUE(c.hasWindowSize);
             EXPECT_EQ(c.width, 0);
             EXPECT_EQ(c.height, 480);
         }},
        {"AVI switches",
         [](Bytes& b) { EndOfPictures(FogStream(b.U8(3).U8(0))).U8(0).U8(0).U8(1).U8(1).U8(0).Zeros(4); },
         "",
         [](const LSettingsFileContent& c) {
             EXPECT_TRUE(c.hasAviSwitches);
             EXPECT_TRUE(c.avi.switch1);
             EXPECT_FALSE(c.avi.switch2);
         }},
        {"slot 9 is read and dropped",
         [bmp](Bytes& b) { EndOfPictures(BmpRecord(FogStream(b.U8(3).U8(0)).U8(9), bmp, "nine.bmp")).Zeros(7); },
         "",
         [](const LSettingsFileContent& c) {
             for (const LLaserPreviewBitmap& picture : c.pictures)
                 EXPECT_TRUE(picture.FileBytes().IsEmpty());
         }},
        {"a slot twice: the later record",
         [bmp](Bytes& b) {
             BmpRecord(BmpRecord(FogStream(b.U8(3).U8(0)).U8(1), bmp, "first.bmp").U8(1), bmp, "second.bmp");
             EndOfPictures(b).Zeros(7);
         },
         "",
         [](const LSettingsFileContent& c) { EXPECT_EQ(c.pictures[1].Name(), "second.bmp"); }},
        {"picture type 5",
         [bmp](Bytes& b) {
             FogStream(b.U8(3).U8(0)).U8(0).U8(1).U8(1).Counted(bmp).Counted("x.bmp").U8(5).Zeros(20);
             EndOfPictures(b).Zeros(7);
         },
         "Incompatible format (481)!", nullptr},
        {"value kind 7", [](Bytes& b) { EndOfPictures(FogStream(b.U8(3).U8(0), 7)).Zeros(7); }, "Format error!",
         nullptr},
    };
}

} // namespace

TEST(SettingsFileReader, HandMadeFiles)
{
    for (const HandMadeCase& c : HandMadeCases()) {
        SCOPED_TRACE(c.name);
        Bytes bytes;
        c.build(bytes);
        const ReadResult result = Read(bytes.Text());
        EXPECT_EQ(result.ok, c.error.empty()) << result.error;
        EXPECT_EQ(result.error, c.error);
        if (result.ok && c.check)
            c.check(result.content);
    }
}

TEST(SettingsFileReader, EveryPrefixShortOfTheLastFieldFails)
{
    Bytes full;
    EndOfPictures(BmpRecord(FogStream(full.U8(3).U8(0)).U8(0), TinyBmp(), "zero.bmp"))
        .U8(1).F32(25);
    AviOptions(full, 0, 2, "ab").Counted("text").Counted("data");
    full.U8(1).I32(800).I32(600).U8(1).U8(1).U8(1);
    ASSERT_TRUE(Read(full.Text()).ok);
    for (size_t length = 0; length < full.Text().size(); ++length) {
        const ReadResult result = Read(full.Text().substr(0, length));
        EXPECT_FALSE(result.ok) << length;
        EXPECT_TRUE(result.error.ends_with("End of file!")) << length << ": " << result.error;
    }
}

TEST(AviCompressOptions, ClearAndFreeBlock)
{
    Bytes bytes;
    AviOptions(bytes, 0, 3, "abc");
    LArchiveXString reader;
    reader.OpenReadMemory(bytes.Text().data(), static_cast<int32_t>(bytes.Text().size()), true);
    LAviCompressOptions options;
    options.Read(reader);
    ASSERT_FALSE(reader.HasError());
    EXPECT_EQ(options.Value(LAviCompressOptions::kHandler), 0x6376736D) << "\"msvc\"";
    options.FreeBlock();
    EXPECT_TRUE(options.ParameterBlock().IsEmpty());
    EXPECT_EQ(options.Value(LAviCompressOptions::kParametersSize), 0);
    EXPECT_EQ(options.Value(LAviCompressOptions::kHandler), 0x6376736D) << "the words stay";
    options.Clear();
    EXPECT_EQ(options, LAviCompressOptions());
}

// With ZYL_WRITE_FUZZ_CORPUS set to the fuzz/corpus folder, writes the parameter file reader's
// seeds: the writer's files and the hand-made ones.
TEST(SettingsFileReader, FuzzCorpus)
{
    const char* corpus = std::getenv("ZYL_WRITE_FUZZ_CORPUS");
    if (!corpus)
        GTEST_SKIP() << "ZYL_WRITE_FUZZ_CORPUS not set";
    const std::string folder = std::string(corpus) + "/settings_file/";
    const auto put = [&folder](std::string name, const std::string& bytes) {
        for (char& c : name)
            c = (c == ' ' || c == '/' || c == ',' || c == '=' || c == ':') ? '_' : c;
        std::ofstream(folder + name, std::ios::binary) << bytes;
    };
    LSettingsPictures pictures;
    put("writer_no_pictures", Written(LBeamvistaPars(), pictures));
    pictures[0] = Picture(TinyBmp(), "zero.bmp");
    pictures[7] = Picture(TinyBmp(), "seven.bmp");
    put("writer_two_pictures", Written(LBeamvistaPars(), pictures));
    for (const HandMadeCase& c : HandMadeCases()) {
        Bytes bytes;
        c.build(bytes);
        put(std::string("hand_") + c.name, bytes.Text());
    }
}
