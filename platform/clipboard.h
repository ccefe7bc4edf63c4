// The clipboard service: pictures exchanged with other programs.
//
// Contract:
// - Used on the user-interface thread only, like SetClipboardService and ScopedClipboardService.
//   Every successful Open is followed by one Close; GetPicture and SetDib are called between them.
// - Mandatory: all four operations. A clipboard that cannot be opened answers false; a backend
//   that holds no picture in a form the caller reads answers false from GetPicture.
// - The bytes a backend hands out come from other programs: the caller treats them as hostile.
// - SetDib takes a packed DIB (a BMP file without its 14-byte file header). A backend offers it
//   in the forms its platform knows; it need not empty the clipboard first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/scoped_service.h"

enum class ClipboardPictureFormat {
    Dib,  // a packed DIB
    Bmp,  // a whole BMP file
    Png,  // a PNG file
    Jpeg, // a JPEG file
};

struct ClipboardPicture
{
    ClipboardPictureFormat format = ClipboardPictureFormat::Dib;
    std::vector<uint8_t> bytes;
};

class ClipboardService
{
  public:
    virtual ~ClipboardService() = default;

    // False when the clipboard cannot be opened now.
    virtual bool Open() = 0;
    virtual void Close() = 0;
    // The picture on the clipboard; false when it holds none.
    virtual bool GetPicture(ClipboardPicture& picture) = 0;
    virtual bool SetDib(const uint8_t* dib, size_t length) = 0;
};

// The service in use: the process's in-memory clipboard until a backend is installed.
ClipboardService& CurrentClipboardService();
// Puts service in place (null: the in-memory clipboard again) and returns the one it replaces
// (null for the in-memory one). The caller keeps service alive while it is in place.
ClipboardService* SetClipboardService(ClipboardService* service);
using ScopedClipboardService = ScopedService<ClipboardService, SetClipboardService>;
