// A message box for tests: it records every box and gives the answers the test queued, in order
// (the first button offered once the queue is empty). It puts itself in place while it lives.
#pragma once

#include "platform/message_box.h"

#include <deque>
#include <string>
#include <vector>

class FakeMessageBox final : public MessageBoxService
{
  public:
    struct Shown
    {
        std::string text;
        std::string title;
        MessageBoxIcon icon;
        MessageBoxButtons buttons;
        // Null for a box without an owner.
        UiWindowId owner;
    };


    MessageBoxAnswer Show(const char* text, const char* title, MessageBoxIcon icon,
                          MessageBoxButtons buttons) override;
    MessageBoxAnswer ShowOwnedBy(UiWindowId owner, const char* text, const char* title, MessageBoxIcon icon,
                                 MessageBoxButtons buttons) override;

    std::deque<MessageBoxAnswer> answers;
    std::vector<Shown> shown;

  private:
    ScopedMessageBoxService use_{this};
};
