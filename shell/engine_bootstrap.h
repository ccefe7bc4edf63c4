// The one-time start of the preview engine in a process: the parameter store learns the
// application's name (and with it where the user's OpenGL defaults live), the 132 preview
// parameters are registered, and the current set is refreshed from them. Later calls do nothing,
// so every view (the control makes several) may call it.
#pragma once

// True the first time, when the work was done.
bool BootstrapPreviewEngine(const char* applicationName);
