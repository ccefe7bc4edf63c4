// ZylPlayer: the standalone player.
#include "apps/player/resources/player_resources.h"
#include "controls/control_resources.h"
#include "preview/parameter_dialog_resources.h"
#include "shell/wx/c_kw_preview_app.h"

#include <cstdlib>

wxIMPLEMENT_APP_NO_MAIN(CKWPreviewApp);

int main(int argc, char** argv)
{
    // Pointer warping, always-on-top and placement need X11, also under a Wayland session.
    setenv("GDK_BACKEND", "x11", 0);
    InstallResources(&ControlResourceTables());
    InstallResources(&ParameterDialogResourceTables());
    InstallResources(&PlayerResourceTables());
    return wxEntry(argc, argv);
}
