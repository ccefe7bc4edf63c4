#include "platform/wx/test_support/x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <thread>

extern char** environ;

namespace {

constexpr int kServerStartMs = 10000;

std::string ReadLineWithin(int fd, int limitMs)
{
    std::string line;
    pollfd p{fd, POLLIN, 0};
    while (poll(&p, 1, limitMs) > 0) {
        char c = 0;
        if (read(fd, &c, 1) != 1 || c == '\n')
            break;
        line += c;
    }
    return line;
}

} // namespace

XSession::XSession(bool windowManager)
{
    std::string folder = (std::filesystem::temp_directory_path() / "zyl_xsession_XXXXXX").string();
    if (mkdtemp(folder.data()) != nullptr)
        settingsFolder_ = folder;
    int fds[2];
    if (pipe(fds) != 0) {
        error_ = "no pipe";
        return;
    }
    const pid_t server = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24",
                                "-nolisten", "tcp", "+extension", "RANDR"},
                               fds[1]);
    close(fds[1]);
    const std::string number = server > 0 ? ReadLineWithin(fds[0], kServerStartMs) : std::string();
    close(fds[0]);
    if (number.empty()) {
        error_ = "Xvfb did not report a display";
        return;
    }
    display_ = ":" + number;
    if (windowManager && Start({"openbox", "--sm-disable"}) < 0)
        error_ = "openbox did not start";
    if (windowManager)
        PollUntil([this] { return Run("xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'") == 0; },
                  std::chrono::seconds(10));
}

XSession::~XSession()
{
    // Programs first, the server last.
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        Stop(*it, std::chrono::seconds(5));
    if (!settingsFolder_.empty()) {
        std::error_code error;
        std::filesystem::remove_all(settingsFolder_, error);
    }
}

void XSession::Environment(std::vector<std::string>& entries) const
{
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("GTK_THEME=", 0) != 0 &&
            entry.rfind("WAYLAND_DISPLAY=", 0) != 0 && entry.rfind("ASAN_OPTIONS=", 0) != 0 &&
            (settingsFolder_.empty() || entry.rfind("ZYL_SETTINGS_DB=", 0) != 0))
            entries.push_back(entry);
    }
    if (!display_.empty())
        entries.push_back("DISPLAY=" + display_);
    entries.push_back("GTK_THEME=Adwaita");
    entries.push_back("LIBGL_ALWAYS_SOFTWARE=1");
    // Settings the programs write stay with the session, never in the user's own.
    if (!settingsFolder_.empty())
        entries.push_back("ZYL_SETTINGS_DB=" + settingsFolder_ + "/registry.db");
    // The toolkit keeps its caches until the process ends; they are no leaks of ours.
    entries.push_back("ASAN_OPTIONS=detect_leaks=0");
}

pid_t XSession::Spawn(const std::vector<std::string>& argv, int keepFd)
{
    std::vector<std::string> environment;
    Environment(environment);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char*> env;
    for (const std::string& e : environment)
        env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, STDIN_FILENO);
        if (keepFd < 0)
            dup2(null, STDOUT_FILENO);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    if (pid > 0)
        children_.push_back(pid);
    return pid;
}

pid_t XSession::Start(const std::vector<std::string>& argv)
{
    return Spawn(argv, -1);
}

std::vector<std::string> XSession::WindowsTitled(const std::string& zylshot, const std::string& title) const
{
    std::string titles;
    Run(zylshot + " titles", &titles);
    std::istringstream lines(titles);
    std::vector<std::string> ids;
    std::string id;
    std::string listed;
    while (lines >> id && std::getline(lines, listed)) {
        if (listed == " " + title)
            ids.push_back(id);
    }
    return ids;
}

int XSession::Run(const std::string& command, std::string* output) const
{
    const std::string line = "DISPLAY=" + display_ + " GTK_THEME=Adwaita " + command;
    FILE* pipe = popen(line.c_str(), "r");
    if (pipe == nullptr)
        return -1;
    char buffer[256];
    std::string text;
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        text += buffer;
    if (output != nullptr)
        *output = text;
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int XSession::Stop(pid_t pid, std::chrono::milliseconds limit)
{
    std::erase(children_, pid);
    if (kill(pid, SIGTERM) != 0)
        return -1;
    int status = 0;
    const bool ended = PollUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, limit);
    if (!ended) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool XSession::PollUntil(const std::function<bool()>& ready, std::chrono::milliseconds limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!ready()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}
