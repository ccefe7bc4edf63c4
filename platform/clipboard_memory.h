// MemoryClipboard: a clipboard inside the process, for programs without a display and for tests,
// which can also place foreign pictures on it and make it refuse.
#pragma once

#include "platform/clipboard.h"

class MemoryClipboard : public ClipboardService
{
  public:
    bool Open() override;
    void Close() override;
    bool GetPicture(ClipboardPicture& picture) override;
    bool SetDib(const uint8_t* dib, size_t length) override;

    // What another program would leave there.
    void PutPicture(ClipboardPicture picture);
    void Empty();
    bool IsOpen() const { return open_; }
    void SetOpenFails(bool fails) { openFails_ = fails; }
    void SetPutFails(bool fails) { putFails_ = fails; }

  private:
    ClipboardPicture picture_;
    bool holdsPicture_ = false;
    bool open_ = false;
    bool openFails_ = false;
    bool putFails_ = false;
};

// The in-memory clipboard that CurrentClipboardService returns when no backend is installed.
MemoryClipboard& ProcessMemoryClipboard();
