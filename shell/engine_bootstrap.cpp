#include "shell/engine_bootstrap.h"

#include "params/beamvista_opengl_defaults.h"
#include "params/beamvista_pars.h"
#include "params/beamvista_registration.h"

bool BootstrapPreviewEngine(const char* applicationName)
{
    static bool bootstrapped = false;
    if (bootstrapped)
        return false;
    bootstrapped = true;
    SetBeamvistaRegistryBase(applicationName);
    RegisterBeamvistaParameters();
    LBeamvistaPars current = BeamvistaDefaultPars();
    current.ReadFromParameters();
    return true;
}
