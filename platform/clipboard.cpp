#include "platform/clipboard.h"

#include "platform/clipboard_memory.h"

namespace {

ClipboardService* installedService = nullptr;

} // namespace

ClipboardService& CurrentClipboardService()
{
    return installedService ? *installedService : ProcessMemoryClipboard();
}

ClipboardService* SetClipboardService(ClipboardService* service)
{
    ClipboardService* previous = installedService;
    installedService = service;
    return previous;
}
