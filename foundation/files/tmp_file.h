// LTmpFile: a temporary file's name, and a guard that deletes the file when it goes unless
// it is kept.
#pragma once

#include "foundation/files/fs_name.h"

class LTmpFile : public XAFsName
{
  public:
    LTmpFile() = default;
    // Guards an existing file (or folder), deleting it on destruction unless kept.
    explicit LTmpFile(const char* existing);
    static LTmpFile LTmpFileNamed(const char* existing) { return LTmpFile(existing); }
    LTmpFile(LTmpFile&& other) noexcept;
    LTmpFile(const LTmpFile&) = delete;
    LTmpFile& operator=(const LTmpFile&) = delete;
    ~LTmpFile();

    // Creates a new empty file "xy" + 8 hexadecimal digits [+ "." + extension] in the folder
    // (the current one when null or empty), making the folder first when it is missing. With
    // deleteOnDestruction the guard deletes it at its end.
    bool Create(bool deleteOnDestruction, const char* directory, const char* extension);
    // The file stays.
    void Keep() { deleteName_ = XAString(); }
    // What the guard deletes at its end; empty when the file stays.
    const XAString& DeleteName() const { return deleteName_; }

  private:
    void DeletePending();

    XAString deleteName_;
};
