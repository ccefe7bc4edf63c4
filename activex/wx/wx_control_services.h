// The toolkit's services for the shared code inside the control library. A container starts the
// toolkit, not the control, so the library installs its own copies of the services (timers,
// menus, message boxes, clipboard, the toolkit's controls, the playback bar) once the
// container's toolkit runs: when the first control window is made.
#pragma once

void EnsureWxControlServices();
