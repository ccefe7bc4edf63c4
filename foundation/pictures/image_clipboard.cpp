#include "foundation/archives/archive_xstring.h"
#include "platform/clipboard.h"
#include "foundation/pictures/dib_exchange.h"
#include "foundation/pictures/h_image.h"
#include "foundation/pictures/jpeg_reader.h"
#include "foundation/pictures/png_reader.h"
#include "foundation/tasks/gui_thread.h"

#include <climits>

namespace {

constexpr const char* kOpenText = "Can not open Clipboard!";
constexpr const char* kEmptyText = "No bitmap on Clipboard!";
constexpr const char* kPutText = "Can not put bitmap to Clipboard!";
constexpr int32_t kBmpWriteCapacity = 64 * 1024;

// Pictures of other programs come as BMP, PNG or JPEG files; each is read from memory by its
// own reader.
CError ReadFilePicture(HImageRef& target, const ClipboardPicture& picture, const char* name, bool trueColour,
                       bool alpha)
{
    LArchiveXString archive;
    if (!archive.OpenReadMemory(picture.bytes.data(), static_cast<int32_t>(picture.bytes.size()), false))
        return archive.Status();
    switch (picture.format) {
    case ClipboardPictureFormat::Png:
        return LPngReader(alpha).Read(nullptr, &archive, target);
    case ClipboardPictureFormat::Jpeg:
        return LJPegReader().Read(nullptr, &archive, INT32_MAX, INT32_MAX, target);
    default:
        HImage::ReadBmp(target, archive, name, trueColour, alpha);
        return archive.Status();
    }
}

} // namespace

CError HImage::FromClipboard(HImageRef& target, const char* name, bool trueColour, bool alpha)
{
    ZYL_GUI_THREAD_ONLY("HImage::FromClipboard");
    target.Release();
    ClipboardService& clipboard = CurrentClipboardService();
    if (!clipboard.Open())
        return CError::CErrorFromText(kOpenText, 0);
    ClipboardPicture picture;
    const bool held = clipboard.GetPicture(picture);
    clipboard.Close();
    if (!held || picture.bytes.empty())
        return CError::CErrorFromText(kEmptyText, 0);
    if (picture.bytes.size() > static_cast<size_t>(INT32_MAX - 1))
        return CError::CErrorFromText(kImageTooLargeText, 0);
    if (picture.format != ClipboardPictureFormat::Dib)
        return ReadFilePicture(target, picture, name, trueColour, alpha);
    const XAString dib(
        std::string_view(reinterpret_cast<const char*>(picture.bytes.data()), picture.bytes.size()));
    if (dib.IsEmpty())
        return CError::CErrorOutOfMemory();
    return HImageFromDIB(target, dib, name, trueColour, alpha);
}

CError HImage::ToClipboard() const
{
    ZYL_GUI_THREAD_ONLY("HImage::ToClipboard");
    LArchiveXString writer;
    if (!writer.OpenWrite(kBmpWriteCapacity) || !WriteBmp(writer))
        return writer.Status();
    const XAString file = writer.TakeString();
    LArchiveXString reader;
    reader.OpenRead(file, -1);
    const XAString dib = ReadBmpAsDIB(reader);
    if (dib.IsEmpty())
        return reader.Status();
    ClipboardService& clipboard = CurrentClipboardService();
    if (!clipboard.Open())
        return CError::CErrorFromText(kOpenText, 0);
    CError status;
    if (!clipboard.SetDib(reinterpret_cast<const uint8_t*>(dib.CStr()), static_cast<size_t>(dib.Length())))
        status.SetError(kPutText, 0);
    clipboard.Close();
    return status;
}
