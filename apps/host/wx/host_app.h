// HostApp: the container as a toolkit application: it reads the page, finds and loads the
// libraries of its objects (registering the one beside it when needed), shows them in its frame
// and, with --commands, speaks the command protocol.
#pragma once

#include "apps/host/embedding/server_libraries.h"
#include "apps/host/page/host_commands.h"

#include <wx/app.h>

#include <memory>

class CommandPump;
class HostFrame;

class HostApp final : public wxApp
{
  public:
    explicit HostApp(HostOptions options);
    ~HostApp() override;

    bool OnInit() override;
    int OnExit() override;

  private:
    // The objects of the page, or one control made from the command line's PARAMs.
    bool CollectObjects(std::vector<struct HostObjectRequest>& requests);

    HostOptions options_;
    ServerLibraries libraries_;
    HostFrame* frame_ = nullptr;
    std::unique_ptr<CommandPump> pump_;
};
