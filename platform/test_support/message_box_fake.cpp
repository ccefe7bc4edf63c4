#include "platform/test_support/message_box_fake.h"

MessageBoxAnswer FakeMessageBox::Show(const char* text, const char* title, MessageBoxIcon icon,
                                      MessageBoxButtons buttons)
{
    return ShowOwnedBy(UiWindowId(), text, title, icon, buttons);
}

MessageBoxAnswer FakeMessageBox::ShowOwnedBy(UiWindowId owner, const char* text, const char* title,
                                             MessageBoxIcon icon, MessageBoxButtons buttons)
{
    shown.push_back({text != nullptr ? text : "", title != nullptr ? title : "", icon, buttons, owner});
    if (answers.empty()) {
        return buttons == MessageBoxButtons::Ok ? MessageBoxAnswer::Ok : MessageBoxAnswer::Yes;
    }
    const MessageBoxAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}
