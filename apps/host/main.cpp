// zylhost: the container that embeds the control as a page would. It reads a page's objects
// and their PARAMs (or PARAMs from its command line), loads the control's library, shows the
// objects, and lets a user or a test read and set their properties.
#include "apps/host/embedding/server_library.h"
#include "apps/host/page/host_commands.h"
#include "apps/host/wx/host_app.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// --regserver / --unregserver: the library's own registration, no window needed.
int RunRegistration(const std::string& path, bool registering)
{
    std::string error;
    std::unique_ptr<ServerLibrary> library = ServerLibrary::Load(path, error);
    if (!library) {
        std::fprintf(stderr, "zylhost: %s\n", error.c_str());
        return EXIT_FAILURE;
    }
    const HRESULT result = registering ? library->Register() : library->Unregister();
    if (Failed(result)) {
        std::fprintf(stderr, "zylhost: %s %s failed: %s\n", registering ? "registering" : "unregistering",
                     path.c_str(), FormatHresult(result).c_str());
        return EXIT_FAILURE;
    }
    return EXIT_SUCCESS;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    HostOptions options;
    std::string error;
    if (!ParseHostArguments(arguments, options, error)) {
        std::fprintf(stderr, "zylhost: %s\n%s", error.c_str(), kHostUsage);
        return 2;
    }
    if (!options.registerLibrary.empty()) {
        return RunRegistration(options.registerLibrary, true);
    }
    if (!options.unregisterLibrary.empty()) {
        return RunRegistration(options.unregisterLibrary, false);
    }
    // Pointer warping, always-on-top and placement in the control need X11.
    setenv("GDK_BACKEND", "x11", 0);
    wxApp::SetInstance(new HostApp(std::move(options)));
    return wxEntry(argc, argv) == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
