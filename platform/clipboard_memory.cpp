#include "platform/clipboard_memory.h"

#include <utility>

bool MemoryClipboard::Open()
{
    if (openFails_ || open_)
        return false;
    open_ = true;
    return true;
}

void MemoryClipboard::Close()
{
    open_ = false;
}

bool MemoryClipboard::GetPicture(ClipboardPicture& picture)
{
    if (!open_ || !holdsPicture_)
        return false;
    picture = picture_;
    return true;
}

bool MemoryClipboard::SetDib(const uint8_t* dib, size_t length)
{
    if (!open_ || putFails_ || !dib)
        return false;
    PutPicture({ClipboardPictureFormat::Dib, std::vector<uint8_t>(dib, dib + length)});
    return true;
}

void MemoryClipboard::PutPicture(ClipboardPicture picture)
{
    picture_ = std::move(picture);
    holdsPicture_ = true;
}

void MemoryClipboard::Empty()
{
    picture_ = {};
    holdsPicture_ = false;
}

MemoryClipboard& ProcessMemoryClipboard()
{
    static MemoryClipboard clipboard;
    return clipboard;
}
