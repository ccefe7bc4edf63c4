// The enciphering layer over arbitrary bytes (read, seek, and rewrite as a writer would), and
// over every prefix of a valid stream whose data are the input's first bytes; every path of the
// cipher (one block at a time, vector lanes) writes the same stream and reads back the data.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "foundation/archives/archive_crypt.h"
#include "foundation/archives/archive_xstring.h"
#include "foundation/archives/idea_lanes.h"

#include <cstring>

namespace {

constexpr size_t kMaxValidData = 200;
constexpr uint64_t kStart = 0x01D0000000000000;

void ReadAll(LArchiveCrypt& crypt)
{
    uint8_t chunk[700];
    while (crypt.ReadBlock(chunk, 1, sizeof chunk) > 0) {
    }
    crypt.Status() = CError();
    crypt.Seek(crypt.GetFileSize() / 2);
    crypt.ReadI64();
    crypt.Seek(3);
    crypt.Skip(5000, 5000);
}

void ReadArbitrary(const uint8_t* data, size_t size)
{
    LArchiveXString raw;
    raw.OpenReadMemory(data, static_cast<int32_t>(size), false);
    LArchiveCrypt crypt;
    if (crypt.Attach(raw, false))
        ReadAll(crypt);
}

void RewriteArbitrary(const uint8_t* data, size_t size)
{
    LArchiveXString raw;
    raw.OpenWrite(0);
    raw.WriteBlock(data, static_cast<int32_t>(size));
    raw.Seek(0);
    LArchiveCrypt crypt;
    if (!crypt.Attach(raw, size % 2 == 1))
        return;
    crypt.Seek(static_cast<int32_t>(size % 37));
    crypt.WriteBlock(data, static_cast<int32_t>(std::min<size_t>(size, 50)));
    crypt.Close(false);
}

// A memory archive that keeps its bytes when the layer closes it.
class KeptMemoryArchive : public LArchiveXString
{
  public:
    bool Close(bool force) override
    {
        if (IsWriter())
            kept = TakeString();
        return LArchiveXString::Close(force);
    }
    XAString kept;
};

// A valid stream whose data are the given bytes.
XAString WriteStream(const uint8_t* data, size_t size)
{
    KeptMemoryArchive raw;
    raw.OpenWrite(0);
    LArchiveCrypt writer;
    writer.SetStartValueSource([] { return kStart; });
    if (!writer.Attach(raw, false))
        std::abort();
    writer.WriteBlock(data, static_cast<int32_t>(size));
    if (!writer.Close(false))
        std::abort();
    return raw.kept;
}

void ReadEveryPrefix(const uint8_t* data, size_t size)
{
    const XAString stream = WriteStream(data, std::min(size, kMaxValidData));
    for (int32_t cut = 0; cut <= stream.Length(); ++cut) {
        LArchiveXString prefix;
        prefix.OpenRead(stream, cut);
        LArchiveCrypt crypt;
        if (crypt.Attach(prefix, false))
            ReadAll(crypt);
    }
}

bool ReadsBack(const XAString& stream, const uint8_t* data, size_t size)
{
    LArchiveXString raw;
    raw.OpenRead(stream, stream.Length());
    LArchiveCrypt reader;
    if (!reader.Attach(raw, false) || reader.GetFileSize() != static_cast<int32_t>(size))
        return false;
    uint8_t chunk[700];
    size_t at = 0;
    for (int32_t n = 0; (n = reader.ReadBlock(chunk, 1, sizeof chunk)) > 0; at += static_cast<size_t>(n)) {
        if (at + static_cast<size_t>(n) > size || std::memcmp(chunk, data + at, static_cast<size_t>(n)) != 0)
            return false;
    }
    return at == size;
}

void CompareCipherPaths(const uint8_t* data, size_t size)
{
    const IdeaLanes chosen = SetIdeaLanes(IdeaLanes::kScalar);
    const XAString plain = WriteStream(data, size);
    for (const IdeaLanes lanes : {IdeaLanes::kScalar, IdeaLanes::kSse2, IdeaLanes::kAvx2}) {
        if (!IdeaLanesAvailable(lanes))
            continue;
        SetIdeaLanes(lanes);
        const XAString stream = WriteStream(data, size);
        if (stream.Length() != plain.Length() ||
            std::memcmp(stream.CStr(), plain.CStr(), static_cast<size_t>(plain.Length())) != 0 ||
            !ReadsBack(plain, data, size))
            __builtin_trap();
    }
    SetIdeaLanes(chosen);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size > INT32_MAX / 2)
        return 0;
    ReadArbitrary(data, size);
    RewriteArbitrary(data, size);
    ReadEveryPrefix(data, size);
    CompareCipherPaths(data, size);
    return 0;
}
