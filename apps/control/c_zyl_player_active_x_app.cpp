// CZylPlayerActiveXApp: the control library's module object, built when the library is loaded,
// before a container calls any of its exports. The shared libraries inside it then serve the
// control build, find the library's resources and version record, and give a control its window
// in the container's toolkit.
#include "activex/c_zyl_player_active_x_ctrl.h"
#include "activex/c_zyl_player_active_x_prop_page.h"
#include "activex/control_window.h"
#include "activex/wx/wx_control_window.h"
#include "apps/control/resources/control_module_resources.h"
#include "apps/player/resources/player_resources.h"
#include "controls/control_resources.h"
#include "platform/deliverable_kind.h"
#include "platform/resources.h"
#include "preview/parameter_dialog_resources.h"

namespace {

class CZylPlayerActiveXApp
{
  public:
    CZylPlayerActiveXApp()
    {
        SetDeliverableKind(DeliverableKind::Control);
        InstallResources(&ControlResourceTables());
        InstallResources(&ParameterDialogResourceTables());
        InstallResources(&PlayerResourceTables());
        InstallResources(&ControlModuleResourceTables());
        SetControlModuleVersion(ControlModuleFileVersion());
        SetControlWindowMaker(&MakeWxControlWindow);
        SetPropPageShower(&ShowWxPropPage);
    }
    ~CZylPlayerActiveXApp()
    {
        SetPropPageShower(nullptr);
        SetControlWindowMaker(nullptr);
        UninstallResources(&ControlModuleResourceTables());
        UninstallResources(&PlayerResourceTables());
        UninstallResources(&ParameterDialogResourceTables());
        UninstallResources(&ControlResourceTables());
    }
    CZylPlayerActiveXApp(const CZylPlayerActiveXApp&) = delete;
    CZylPlayerActiveXApp& operator=(const CZylPlayerActiveXApp&) = delete;
};

CZylPlayerActiveXApp theApp;

} // namespace
