#pragma once
// XAFsName: a string that holds a file or directory name, with the path operations. Names read
// from stored files are Windows paths, so both '/' and '\' separate; a new separator is '/'.
// "X:" (a letter and a colon) counts only as a leading drive prefix, and a name that starts with
// two separators has a server prefix: those two, the server, a separator, the share and the
// separator after it. Every operation returns a new name and leaves the operand as it is.

#include "foundation/strings/xa_string.h"

#include <cstdint>

class XAFsName : public XAString
{
  public:
    using XAString::XAString;
    XAFsName() noexcept = default;
    XAFsName(const XAString& name) noexcept : XAString(name) {} // NOLINT: every string may name a file

    // The text after the last separator (or a drive prefix); the whole name (shared) when there
    // is none; empty when the name ends inside a server prefix.
    XAFsName FileNamePart() const;
    // The text up to and including the last separator (or a drive prefix); empty when there is
    // none; the whole name when it ends inside a server prefix.
    XAFsName DirectoryPart() const;
    // The text after the last dot of the file-name part; empty when it has no dot.
    XAFsName Extension() const;
    // The file-name part up to its last dot; "." and ".." stay as they are.
    XAFsName FileTitle() const;
    // This directory and name joined with exactly one separator (see the definition).
    XAFsName AppendPath(const char* name) const;
    // Without trailing separators, keeping one where the rest would be a root.
    XAFsName StripTrailingSlashes() const;
    // The absolute, lexically normalised path ('\' read as '/'); the path need not exist. Empty
    // when the system cannot tell the current folder or the result exceeds kMaxFullPath.
    XAFsName FullPath() const;

    // The path of the module that holds `address` (null: the program itself); empty on failure.
    static XAFsName FromModuleFileName(const void* address = nullptr);
    // The folder of that module, without a trailing separator unless it is a root.
    static XAFsName FromModuleDirectory(const void* address = nullptr);

    static constexpr int32_t kMaxFullPath = 1021;
    static constexpr int32_t kMaxModulePath = 8192;
};
