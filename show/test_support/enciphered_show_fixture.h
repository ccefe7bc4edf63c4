#pragma once
// Shows around hand-made bodies, for tests and fuzz targets: a memory writer that keeps its
// bytes, and the plain prefix of a show followed by a body through the enciphering layer.

#include "foundation/archives/archive_crypt.h"
#include "foundation/archives/archive_xstring.h"
#include "show/show_file_format.h"

#include <cstdint>

namespace show_fixture {

// Some start value of the enciphering layer (a FILETIME in 2023).
constexpr uint64_t kStartValue = 0x01D9A1B2C3D4E5F6;

// A memory writer that keeps its bytes when the enciphering layer closes it.
class CapturingArchive : public LArchiveXString
{
  public:
    CapturingArchive() { OpenWrite(0); }
    bool Close(bool force = false) override
    {
        if (IsWriter())
            captured = TakeString();
        return LArchiveXString::Close(force);
    }
    XAString captured;
};

// The plain prefix of that version, then the body through the enciphering layer.
inline XAString EncipheredShow(const void* body, int32_t size, int32_t prefixVersion = ShowFile::kPrefixVersion)
{
    CapturingArchive raw;
    raw.WriteBlock(ShowFile::kMagic, sizeof ShowFile::kMagic);
    raw.WriteVersion(prefixVersion, 0);
    raw.WriteCount(0);
    raw.WriteCount(0);
    raw.Flush();
    LArchiveCrypt crypt;
    crypt.SetStartValueSource([] { return kStartValue; });
    crypt.Attach(raw, false);
    crypt.WriteBlock(body, size);
    crypt.Close();
    return raw.captured;
}

} // namespace show_fixture
