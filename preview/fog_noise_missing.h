// Raised by the texture factory when the three-dimensional fog's noise data is missing after a
// build (its creation was aborted), cleared when the data is there; the next paint then switches
// three-dimensional fog off through the parameters, so the dialogs show it. GUI thread only.
#pragma once

inline bool FogNoiseMissing = false;
