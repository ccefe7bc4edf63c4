// Puts the toolkit's backends of the controls in place: the window factory, the modeless
// message box and the desktop colours (the rest of the desktop comes from the UI environment).
// The deliverable calls it once the toolkit runs; the backends stay until the program ends.
#pragma once

void InstallWxControls();
