// The progress box of the fog noise computation: "Creating Fog data, please wait..." with one
// "&Abort" button. Polled as the computation's callback, it keeps the application's windows
// alive and says stop once the button was pressed or the application is ending.
#pragma once

#include "controls/l_modeless_message_box.h"
#include "controls/l_perlin_noise_callback.h"

class LPerlinMsgBox : public LModelessMessageBox, public LPerlinNoiseCallback
{
  public:
    // Shows the box with its owner disabled; false when no box could be shown.
    bool ShowProgress();
    bool Abort() override;
};
