#include "apps/host/wx/host_app.h"

#include "apps/host/embedding/registered_class.h"
#include "apps/host/page/page_reader.h"
#include "apps/host/wx/command_pump.h"
#include "apps/host/wx/host_frame.h"
#include "platform/wx/app_setup_wx.h"

#include <wx/image.h>

#include <cstdio>
#include <filesystem>

namespace {

constexpr char kLibraryName[] = "libZylPlayerActiveX.so";
constexpr char kControlProgId[] = "Velquon.ZylPlayerActiveXCtrl.1";

void Report(const std::string& text)
{
    std::fprintf(stderr, "zylhost: %s\n", text.c_str());
}

std::string PageUrl(const std::string& page)
{
    if (page.empty()) {
        return std::string();
    }
    std::error_code error;
    const std::filesystem::path path = std::filesystem::absolute(page, error);
    return "file://" + (error ? page : path.lexically_normal().string());
}

} // namespace

HostApp::HostApp(HostOptions options)
    : options_(std::move(options)), libraries_(LibraryBesideProgram(kLibraryName))
{
}

HostApp::~HostApp() = default;

bool HostApp::CollectObjects(std::vector<HostObjectRequest>& requests)
{
    std::vector<PageObject> objects;
    if (!options_.page.empty()) {
        CError error;
        objects = ReadPageFile(options_.page, error);
        if (error.Failed()) {
            Report(options_.page + ": " + error.ErrorText().CStr());
            return false;
        }
        if (objects.empty()) {
            Report(options_.page + ": the page holds no object");
        }
    } else {
        objects.emplace_back();
    }
    for (size_t i = 0; i < objects.size(); ++i) {
        PageObject& object = objects[i];
        std::string error;
        std::optional<CLSID> clsid = object.classId;
        if (!clsid) {
            const std::string type = object.type;
            clsid = libraries_.FindClass(
                [&] { return type.empty() ? ClassOfProgId(kControlProgId) : ClassOfMediaType(type); }, error);
        }
        ServerLibrary* library = clsid ? libraries_.ForClass(*clsid, error) : nullptr;
        if (library == nullptr) {
            Report("object " + std::to_string(i + 1) + ": " + error);
            continue;
        }
        HostObjectRequest request{*clsid, library, object.width, object.height, {}};
        // The command line's PARAMs go to the first object and win over the page's.
        if (requests.empty()) {
            request.params = options_.params;
        }
        request.params.insert(request.params.end(), object.params.begin(), object.params.end());
        requests.push_back(std::move(request));
    }
    return true;
}

bool HostApp::OnInit()
{
    ReportToolkitChecksOnStderr();
    // The control's pictures are PNG files.
    wxImage::AddHandler(new wxPNGHandler);
    std::vector<HostObjectRequest> requests;
    if (!CollectObjects(requests)) {
        return false;
    }
    const wxString title =
        options_.page.empty() ? wxString("zylhost")
                              : "zylhost - " + wxString::FromUTF8(std::filesystem::path(options_.page).filename().string());
    std::function<void(const std::string&)> writeEvent;
    if (options_.commands) {
        writeEvent = &CommandPump::WriteLine;
    }
    frame_ = new HostFrame(title, PageUrl(options_.page), writeEvent);
    frame_->Show();
    for (const std::string& failure : frame_->Embed(requests)) {
        Report(failure);
    }
    SetTopWindow(frame_);
    if (options_.commands) {
        pump_ = std::make_unique<CommandPump>(*frame_, [this] {
            if (frame_ != nullptr) {
                frame_->Close();
            }
        });
        pump_->Start();
    }
    frame_->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
        if (event.GetEventObject() == frame_) {
            pump_.reset();
            frame_ = nullptr;
        }
        event.Skip();
    });
    // The frame closes on SIGTERM and SIGINT, so the objects are let go in order.
    CloseTopWindowOnSignals();
    return true;
}

int HostApp::OnExit()
{
    pump_.reset();
    return wxApp::OnExit();
}
