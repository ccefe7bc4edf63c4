#include "preview/fog_progress_box.h"

#include "controls/l_perlin_msg_box.h"

std::unique_ptr<LPerlinNoiseCallback> MakeFogProgressBox()
{
    auto box = std::make_unique<LPerlinMsgBox>();
    box->ShowProgress();
    return box;
}
