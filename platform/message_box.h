// The message box service: a modal question or notice to the person at the machine.
//
// Contract:
// - Show blocks until an answer is chosen and returns one of the buttons offered.
// - Lines of the text may be separated by "\r", "\n" or "\r\n"; every backend shows them as lines.
// - The current service is process-wide. Without a display it is the headless default, which
//   writes title and text to the standard error stream and answers with the first button
//   offered (Ok or Yes), so that a program without a display goes on.
// - ShowOwnedBy puts the box over the top-level window that owner belongs to (the window the
//   box is about, which may be full screen); a backend without owners, or an owner that is gone,
//   shows it as Show does.
// - Mandatory: Show. Nothing else is, and showing cannot fail.
// - Threads: the GUI thread shows boxes and sets the service (SetMessageBoxService,
//   ScopedMessageBoxService).
#pragma once

#include <cstdio>

#include "platform/scoped_service.h"
#include "platform/ui_window_id.h"

enum class MessageBoxButtons { Ok, YesNo, YesNoCancel };
enum class MessageBoxIcon { None, Information, Warning, Error, Question };
enum class MessageBoxAnswer { Ok, Yes, No, Cancel };

class MessageBoxService
{
  public:
    virtual ~MessageBoxService() = default;
    virtual MessageBoxAnswer Show(const char* text, const char* title, MessageBoxIcon icon,
                                  MessageBoxButtons buttons) = 0;
    virtual MessageBoxAnswer ShowOwnedBy(UiWindowId owner, const char* text, const char* title,
                                         MessageBoxIcon icon, MessageBoxButtons buttons)
    {
        return Show(text, title, icon, buttons);
    }
};

// Writes each box to a stream and answers with the first button offered.
class HeadlessMessageBox final : public MessageBoxService
{
  public:
    explicit HeadlessMessageBox(std::FILE* output = stderr) : output_(output) {}
    MessageBoxAnswer Show(const char* text, const char* title, MessageBoxIcon icon,
                          MessageBoxButtons buttons) override;

  private:
    std::FILE* output_;
};

MessageBoxService& CurrentMessageBoxService();
// Puts `service` in place (null: the headless default) and returns the one it replaces (null for
// the default). The caller keeps `service` alive while it is in place.
MessageBoxService* SetMessageBoxService(MessageBoxService* service);
using ScopedMessageBoxService = ScopedService<MessageBoxService, SetMessageBoxService>;
