// Puts the toolkit's backends of the controls in place: the window factory, the environment
// and the desktop colours. The deliverable calls it once the toolkit runs; the backends stay
// until the program ends.
#pragma once

void InstallWxControls();
