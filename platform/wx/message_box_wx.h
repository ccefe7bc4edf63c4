// WxMessageBox: the message box as a modal wxMessageDialog. Needs a running wxApp.
#pragma once

#include "platform/message_box.h"

class WxMessageBox final : public MessageBoxService
{
  public:
    MessageBoxAnswer Show(const char* text, const char* title, MessageBoxIcon icon,
                          MessageBoxButtons buttons) override;
    MessageBoxAnswer ShowOwnedBy(UiWindowId owner, const char* text, const char* title, MessageBoxIcon icon,
                                 MessageBoxButtons buttons) override;
};
