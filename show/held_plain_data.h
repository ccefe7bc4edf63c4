#pragma once
// HeldPlainData: the deciphered bytes of one range of a show's body, read through the cipher in
// a single sequential pass. A reader that visits every record several times (the converter reads
// each frame in up to three passes, and each sound chunk twice) then deciphers each stored byte
// once instead of once per visit, and a seek no longer costs a whole cipher buffer.
//
// A read served from here must give what the cipher would have given. The range runs to the
// stream's end, so a record that runs past its block reads the same bytes as through the cipher
// and meets the same end. Only a failed read is not taken as it is: the cipher keeps its own
// error, which later reads and GetError see, so NeedsCipher says to read that record again
// through the cipher.

#include "foundation/archives/archive_base.h"
#include "foundation/archives/archive_xstring.h"

#include <cstdint>
#include <memory>

class HeldPlainData
{
  public:
    // Reads the body bytes from start to the source's end (source: a reader). Holds nothing and
    // leaves the source's status as it was when that is no byte, more than mostBytes, or cannot
    // be allocated or read.
    bool Take(LArchiveBase& source, int32_t start, int64_t mostBytes);
    void Drop();
    bool IsHeld() const { return bytes_ != nullptr; }
    int32_t Start() const { return start_; }
    int32_t End() const { return end_; }

    // A reader at body position `position` when the range holds it, else null.
    LArchiveBase* ReaderAt(int32_t position);
    // After a read from ReaderAt: it failed, so the cipher is to read the record again and keep
    // its error as it always does.
    bool NeedsCipher() const { return reader_.HasError(); }

  private:
    std::unique_ptr<uint8_t[]> bytes_;
    int32_t start_ = 0;
    int32_t end_ = 0;
    LArchiveXString reader_;
};
