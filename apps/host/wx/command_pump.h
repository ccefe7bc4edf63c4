// CommandPump: the container's --commands protocol (apps/host/page/host_commands.h) read from
// standard input on the GUI thread's loop, answered on standard output. A wait lets the windows
// run before the next line is read; the end of input quits like "quit". While a menu or a modal
// dialog is open, lines wait for it to end.
#pragma once

#include "apps/host/page/host_commands.h"

#include <wx/timer.h>

#include <functional>
#include <string>

class HostFrame;

class CommandPump final : public wxEvtHandler
{
  public:
    // quit ends the container; the frame outlives the pump's use of it.
    CommandPump(HostFrame& frame, std::function<void()> quit);
    ~CommandPump() override;
    CommandPump(const CommandPump&) = delete;
    CommandPump& operator=(const CommandPump&) = delete;

    // Starts watching standard input.
    void Start();
    // One line on standard output, at once.
    static void WriteLine(const std::string& line);

  private:
    static int OnInput(int fd, unsigned condition, void* self);
    void ReadInput();
    // Runs the lines read so far, up to the end or a wait.
    void RunLines();
    void RunLine(const std::string& line);
    void OnWaitOver(wxTimerEvent& event);
    // True when no menu or modal dialog is open; otherwise false, and the lines are run again
    // once it has ended.
    bool MayRunNow();
    static int OnRetry(void* self);
    void Quit();

    HostFrame& frame_;
    std::function<void()> quit_;
    unsigned source_ = 0;
    unsigned retry_ = 0;
    std::string pending_;
    bool inputEnded_ = false;
    bool running_ = false;
    bool quitting_ = false;
    wxTimer wait_;
};
