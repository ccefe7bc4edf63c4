// XSession: a private X server for one test program, so tests that send input never share a
// display or its focus. Xvfb picks a free display and reports it through -displayfd; a window
// manager (openbox) joins when the test needs one (placement, full screen, decorations). Programs
// started through the session see its DISPLAY, GTK_THEME=Adwaita, LIBGL_ALWAYS_SOFTWARE=1 and a
// settings database of the session's own; every process it started is ended, by its id, when it
// goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class XSession
{
  public:
    explicit XSession(bool windowManager);
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // False when the server could not be started; Error() says why.
    bool Ok() const { return !display_.empty(); }
    const std::string& Error() const { return error_; }
    const std::string& Display() const { return display_; }

    // Starts a program on the display; its id, or -1.
    pid_t Start(const std::vector<std::string>& argv);
    // Runs a command line through the shell on the display and returns its exit status; its
    // standard output goes to `output` when given.
    int Run(const std::string& command, std::string* output = nullptr) const;
    // The ids of the top-level windows with exactly this title, as the screenshot tool at `zylshot`
    // lists them.
    std::vector<std::string> WindowsTitled(const std::string& zylshot, const std::string& title) const;
    // Sends SIGTERM and waits (bounded) for the program's end: its exit status, or -1.
    int Stop(pid_t pid, std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Asks `ready` every 50 ms until it is true or the limit passes.
    static bool PollUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit);

  private:
    pid_t Spawn(const std::vector<std::string>& argv, int keepFd);
    void Environment(std::vector<std::string>& entries) const;

    std::string display_;
    std::string error_;
    // Holds the programs' settings database; removed with the session.
    std::string settingsFolder_;
    std::vector<pid_t> children_;
};
