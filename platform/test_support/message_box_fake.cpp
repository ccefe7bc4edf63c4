#include "platform/test_support/message_box_fake.h"

MessageBoxAnswer FakeMessageBox::Show(const char* text, const char* title, MessageBoxIcon icon,
                                      MessageBoxButtons buttons)
{
    shown.push_back({text != nullptr ? text : "", title != nullptr ? title : "", icon, buttons});
    if (answers.empty()) {
        return buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Yes;
    }
    const MessageBoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}
