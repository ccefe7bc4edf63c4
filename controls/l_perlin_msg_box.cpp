#include "controls/l_perlin_msg_box.h"

bool LPerlinMsgBox::ShowProgress()
{
    if (!Show("Beam Vista", "Creating Fog data, please wait...", "&Abort", "", "", kExclamationIcon))
        return false;
    EnableOwner(false);
    return true;
}

bool LPerlinMsgBox::Abort()
{
    return !PumpMessages(true) || GetResult() >= 0;
}
