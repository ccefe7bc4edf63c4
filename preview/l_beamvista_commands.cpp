// The preview's commands and its clipboard. Until they are built they do nothing.
#include "preview/l_beamvista.h"

void LBeamvista::CutImage() {}

void LBeamvista::CopyImage() {}

void LBeamvista::PasteImage() {}
