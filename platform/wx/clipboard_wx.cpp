#include "platform/wx/clipboard_wx.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/image.h>
#include <wx/mstream.h>

#include <cstring>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kInfoHeaderBytes = 40;
constexpr size_t kCoreHeaderBytes = 12;
constexpr uint32_t kBitFields = 3;
constexpr size_t kMaskBytes = 12;

struct MimeFormat
{
    const char* mime;
    ClipboardPictureFormat format;
};

constexpr MimeFormat kAccepted[] = {
    {"image/bmp", ClipboardPictureFormat::Bmp},
    {"image/png", ClipboardPictureFormat::Png},
    {"image/jpeg", ClipboardPictureFormat::Jpeg},
};

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

void PutLe32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i, v >>= 8)
        p[i] = static_cast<uint8_t>(v);
}

// Where the pixels of a packed DIB start: after its header, its palette and, for bit fields
// behind a 40-byte header, the three masks. 0 when the DIB is too short to tell.
size_t DibPixelOffset(const uint8_t* dib, size_t length)
{
    if (length < kCoreHeaderBytes)
        return 0;
    const size_t headerSize = Le32(dib);
    if (headerSize == kCoreHeaderBytes) {
        const uint32_t bits = dib[10] | dib[11] << 8;
        return headerSize + (bits <= 8 ? 3u << bits : 0);
    }
    if (headerSize < kInfoHeaderBytes || length < headerSize)
        return 0;
    const uint32_t bits = dib[14] | dib[15] << 8;
    const uint32_t used = Le32(dib + 32);
    const size_t entries = used != 0 && used <= 256 ? used : (bits <= 8 ? 1u << bits : 0);
    const bool masksBehind = headerSize == kInfoHeaderBytes && Le32(dib + 16) == kBitFields;
    return headerSize + 4 * entries + (masksBehind ? kMaskBytes : 0);
}

std::vector<uint8_t> BmpFileFromDib(const uint8_t* dib, size_t length)
{
    const size_t pixels = DibPixelOffset(dib, length);
    if (pixels == 0 || pixels > length)
        return {};
    std::vector<uint8_t> file(kFileHeaderBytes + length);
    file[0] = 'B';
    file[1] = 'M';
    PutLe32(file.data() + 2, static_cast<uint32_t>(file.size()));
    PutLe32(file.data() + 10, static_cast<uint32_t>(kFileHeaderBytes + pixels));
    std::memcpy(file.data() + kFileHeaderBytes, dib, length);
    return file;
}

// The same picture as PNG, through the toolkit's own codecs; empty when that fails.
wxMemoryBuffer PngFromBmpFile(const std::vector<uint8_t>& bmp)
{
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG))
        wxImage::AddHandler(new wxPNGHandler);
    wxMemoryInputStream in(bmp.data(), bmp.size());
    wxImage image;
    wxMemoryBuffer png;
    if (!image.LoadFile(in, wxBITMAP_TYPE_BMP))
        return png;
    wxMemoryOutputStream out;
    if (!image.SaveFile(out, wxBITMAP_TYPE_PNG))
        return png;
    const size_t n = out.GetSize();
    out.CopyTo(png.GetWriteBuf(n), n);
    png.UngetWriteBuf(n);
    return png;
}

} // namespace

bool WxClipboard::Open()
{
    return wxTheClipboard->Open();
}

void WxClipboard::Close()
{
    wxTheClipboard->Close();
}

bool WxClipboard::GetPicture(ClipboardPicture& picture)
{
    for (const MimeFormat& accepted : kAccepted) {
        const wxDataFormat format(accepted.mime);
        if (!wxTheClipboard->IsSupported(format))
            continue;
        wxCustomDataObject data(format);
        if (!wxTheClipboard->GetData(data))
            continue;
        const auto* bytes = static_cast<const uint8_t*>(data.GetData());
        picture.format = accepted.format;
        picture.bytes.assign(bytes, bytes + data.GetSize());
        return true;
    }
    return false;
}

bool WxClipboard::SetDib(const uint8_t* dib, size_t length)
{
    const std::vector<uint8_t> bmp = BmpFileFromDib(dib, length);
    if (bmp.empty())
        return false;
    auto* offer = new wxDataObjectComposite;
    auto* bmpData = new wxCustomDataObject(wxDataFormat("image/bmp"));
    bmpData->SetData(bmp.size(), bmp.data());
    offer->Add(bmpData, true);
    const wxMemoryBuffer png = PngFromBmpFile(bmp);
    if (!png.IsEmpty()) {
        auto* pngData = new wxCustomDataObject(wxDataFormat("image/png"));
        pngData->SetData(png.GetDataLen(), png.GetData());
        offer->Add(pngData);
    }
    return wxTheClipboard->SetData(offer);
}
