#pragma once
// Test support for show files: shows recorded in memory by the show stream, bodies enciphered
// behind a hand-made prefix, frames written out by hand, and a temporary folder.

#include "foundation/archives/archive_crypt.h"
#include "foundation/archives/archive_xstring.h"
#include "show/test_support/enciphered_show_fixture.h"
#include "show/frame.h"
#include "show/test_support/frame_test_commands.h"
#include "foundation/pictures/h_image.h"
#include "show/l_laser_preview_bitmap.h"
#include "show/laser_preview_stream.h"
#include "show/show_file_format.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace show_test {

using show_fixture::CapturingArchive;
using show_fixture::kStartValue;
constexpr int64_t kHour = ShowFile::kStartTimeUs;

// A clock the test moves by hand.
struct FakeClock
{
    int64_t now = 0;
    LLaserPreviewStream::ClockSource Source()
    {
        return [this] { return now; };
    }
};

inline void MakeDeterministic(LLaserPreviewStream& stream, FakeClock* clock = nullptr)
{
    stream.SetStartValueSource([] { return kStartValue; });
    if (clock)
        stream.SetClockSource(clock->Source());
}

// The bytes of a show recorded by `record` (which runs under the stream's lock, after the
// prefix and header are written); the stream is closed normally, without conversion.
inline XAString RecordShow(const std::function<void(LLaserPreviewStream&)>& record,
                           FakeClock* clock = nullptr)
{
    FakeClock ownClock;
    LLaserPreviewStream stream;
    MakeDeterministic(stream, clock ? clock : &ownClock);
    CapturingArchive raw;
    {
        LLaserPreviewStream::Holder hold(stream);
        stream.CreateFile(raw, "");
        record(stream);
    }
    stream.Close(false);
    return raw.captured;
}

// A show file recorded at path like RecordShow, left as recorded (not converted).
inline bool RecordShowFile(const std::string& path, const std::function<void(LLaserPreviewStream&)>& record)
{
    FakeClock clock;
    LLaserPreviewStream stream;
    MakeDeterministic(stream, &clock);
    if (!stream.Create(path.c_str()))
        return false;
    {
        LLaserPreviewStream::Holder hold(stream);
        record(stream);
    }
    return stream.Close(false);
}

inline XAString ReadFileBytes(const std::string& path)
{
    return LoadFileToString(path.c_str());
}

// A show file around a hand-made body: the plain prefix of that version, then the body through
// the enciphering layer.
inline XAString EncipheredShow(const XAString& body, int32_t prefixVersion = ShowFile::kPrefixVersion)
{
    return show_fixture::EncipheredShow(body.CStr(), body.Length(), prefixVersion);
}

// The deciphered body of a show file.
inline XAString DecipherBody(const XAString& file)
{
    LArchiveXString raw;
    raw.OpenRead(file, -1);
    char magic[4];
    raw.ReadBlock(magic, 4, 4);
    raw.CheckVersion(ShowFile::kPrefixVersion, 0);
    raw.SkipCounted();
    raw.SkipCounted();
    LArchiveCrypt crypt;
    if (!crypt.Attach(raw, false))
        return XAString();
    return crypt.ReadAString(crypt.GetFileSize());
}

// Plain bytes written with the archive primitives.
inline XAString Body(const std::function<void(LArchiveBase&)>& write)
{
    CapturingArchive archive;
    write(archive);
    archive.Close();
    return archive.captured;
}

// Header parts 1 and 2 of a version-2 body.
inline void WriteHeader(LArchiveBase& a, int32_t indexPosition, int64_t first, int64_t last,
                        int32_t bodyStart, int32_t indexEnd, int32_t dataStart, int32_t dataEnd,
                        int32_t fileEnd)
{
    a.WriteI32(indexPosition);
    a.WriteI64(first);
    a.WriteI64(last);
    a.WriteVersion(1, 0);
    a.WriteI32(bodyStart);
    a.WriteI32(indexEnd);
    a.WriteI32(dataStart);
    a.WriteI32(dataEnd);
    a.WriteI32(fileEnd);
}
constexpr int32_t kHeaderBytes = 42;

// A frame of n points on one controller channel, marked by its first point's x.
inline std::unique_ptr<LFrame> PointsFrame(int32_t mark, int32_t n = 4, uint32_t channel = 0,
                                           uint32_t sub = 0)
{
    using namespace frame_test;
    Words words = Header(0, 0, RateWord(30000), channel, sub, 0);
    for (int32_t i = 0; i < n; ++i) {
        const Words move = Move(i == 0 ? mark : i * 100, i * 50);
        words.insert(words.end(), move.begin(), move.end());
    }
    return MakeFrame(words);
}

// The same with its own time stamp (a multiple of 48 µs).
inline std::unique_ptr<LFrame> TimedFrame(int32_t mark, int64_t timeUs)
{
    using namespace frame_test;
    Words words =
        HeaderTime(0, 0, RateWord(30000), 0, 0, 0, static_cast<uint64_t>(timeUs / kTimeTickMicroseconds));
    const Words move = Move(mark, 0);
    words.insert(words.end(), move.begin(), move.end());
    return MakeFrame(words);
}

// The x of a frame's first Move, its mark; -1 for an empty frame.
inline int32_t MarkOf(const LFrame& frame)
{
    for (int32_t i = 0; i < frame.ValidCount(); ++i) {
        if (FrameOpcode(frame.words[i]) == kOpMove)
            return static_cast<int16_t>((frame.words[i] >> 8) & 0xFFFF);
    }
    return -1;
}

// A background picture of a few pixels, written by the BMP writer.
inline LLaserPreviewBitmap TestBitmap(const char* name, uint8_t shade)
{
    constexpr int32_t kSide = 4;
    HImageRef image = HImage::Create(name, kSide, kSide, true, false);
    HMemRef pixels = image->LockPixels();
    auto* bytes = static_cast<uint8_t*>(pixels.GetData());
    for (int32_t i = 0; i < image->Pitch() * kSide; ++i)
        bytes[i] = static_cast<uint8_t>(shade + i);
    LArchiveXString writer;
    writer.OpenWrite(0);
    image->WriteBmp(writer);
    const XAString file = writer.TakeString();
    LLaserPreviewBitmap bitmap;
    bitmap.Load(name, &file, {1.0f, 1.0f, 0.0f, 0.0f, 1.0f});
    return bitmap;
}

class TempFolder
{
  public:
    TempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "zylshowXXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() { std::filesystem::remove_all(path_); }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const char* name) const { return (std::filesystem::path(path_) / name).string(); }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

} // namespace show_test
