#pragma once
// The user's stored choice of six OpenGL switches of the preview, kept per user in the settings
// store below the application's key (the registry base), in its sub-key "OpenGL", and laid over
// the generic defaults whenever the parameters are reset to them.

#include "foundation/strings/xa_string.h"

// The application's key below the settings root ("Zyl Player" for the player, "Zyl Player
// ActiveX" for the control); empty until set, and then nothing is read or written.
const XAString& BeamvistaRegistryBase();
// Sets the base unless it equals the current one in any letter case; once the parameters are
// registered, loads the stored switches over the defaults and applies them to the handlers.
void SetBeamvistaRegistryBase(const char* name);
// Sends the generic defaults, with the user's stored OpenGL switches laid over them, to the
// parameter handlers.
void ApplyBeamvistaOpenGlDefaults();
// The key of the stored switches: the base and "OpenGL" joined with exactly one '\'.
XAString BeamvistaOpenGlKey();
