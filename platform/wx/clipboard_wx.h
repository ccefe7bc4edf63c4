// WxClipboard: the X11 clipboard through wxWidgets. A picture is offered as image/bmp and
// image/png; pictures of other programs are taken as image/bmp, image/png or image/jpeg, in that
// order. Needs a running wxApp.
#pragma once

#include "platform/clipboard.h"

class WxClipboard : public ClipboardService
{
  public:
    bool Open() override;
    void Close() override;
    bool GetPicture(ClipboardPicture& picture) override;
    bool SetDib(const uint8_t* dib, size_t length) override;
};
