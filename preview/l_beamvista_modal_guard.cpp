#include "preview/l_beamvista_modal_guard.h"

#include "preview/l_beamvista.h"

LBeamvistaModalGuard::LBeamvistaModalGuard(LBeamvista& preview) : preview_(&preview)
{
    ++preview.modalCount_;
    preview.WakeCursor();
}

LBeamvistaModalGuard::~LBeamvistaModalGuard()
{
    Leave();
}

int32_t LBeamvistaModalGuard::Leave()
{
    if (preview_ == nullptr)
        return 0;
    const int32_t lowered = --preview_->modalCount_;
    if (lowered < 0)
        preview_->modalCount_ = 0;
    preview_ = nullptr;
    return lowered;
}
