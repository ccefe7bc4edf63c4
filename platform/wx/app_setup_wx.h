// What every program of ours sets up in its toolkit application: the toolkit's failed checks go
// to standard error (never a dialog that would stop the program), and SIGTERM and SIGINT close
// the top window through the main loop, so closing runs on the GUI thread like a user's.
#pragma once

void ReportToolkitChecksOnStderr();
void CloseTopWindowOnSignals();
