#include "platform/clipboard.h"

#include "platform/clipboard_memory.h"

namespace {

ClipboardService* installedService = nullptr;

} // namespace

ClipboardService& GetClipboardService()
{
    return installedService ? *installedService : ProcessMemoryClipboard();
}

void SetClipboardService(ClipboardService* service)
{
    installedService = service;
}
