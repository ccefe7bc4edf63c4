#include "platform/message_box.h"

#include <atomic>

namespace {

constinit std::atomic<MessageBoxService*> replacement{nullptr};

// Lines end in "\n" on the stream, whatever separated them in the text.
void WriteLines(std::FILE* output, const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        if (*p == '\r') {
            std::fputc('\n', output);
            if (p[1] == '\n') {
                ++p;
            }
        } else {
            std::fputc(*p, output);
        }
    }
    std::fputc('\n', output);
}

MessageBoxAnswer FirstButton(MessageBoxButtons buttons)
{
    return buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Yes;
}

} // namespace

MessageBoxAnswer HeadlessMessageBox::Show(const char* text, const char* title, MessageBoxIcon,
                                          MessageBoxButtons buttons)
{
    std::fprintf(output_, "[%s]\n", title != nullptr ? title : "");
    WriteLines(output_, text != nullptr ? text : "");
    std::fflush(output_);
    return FirstButton(buttons);
}

MessageBoxService& CurrentMessageBoxService()
{
    static HeadlessMessageBox* headless = new HeadlessMessageBox;
    MessageBoxService* service = replacement.load(std::memory_order_acquire);
    return service != nullptr ? *service : *headless;
}

MessageBoxService* SetMessageBoxService(MessageBoxService* service)
{
    return replacement.exchange(service, std::memory_order_acq_rel);
}
