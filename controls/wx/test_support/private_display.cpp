#include "controls/wx/test_support/private_display.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kServerStartMs = 10000;

pid_t Spawn(const char* program, char* const arguments[], int keepFd = -1)
{
    const pid_t child = fork();
    if (child != 0)
        return child;
    const int null = open("/dev/null", O_RDWR);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    for (int fd = 3; fd < 256; ++fd)
        if (fd != keepFd)
            close(fd);
    execvp(program, arguments);
    _exit(127);
}

void Stop(pid_t& child)
{
    if (child <= 0)
        return;
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    child = -1;
}

} // namespace

PrivateDisplay::PrivateDisplay()
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return;
    std::string fd = std::to_string(pipeFds[1]);
    char* serverArguments[] = {
        const_cast<char*>("Xvfb"),      const_cast<char*>("-displayfd"), fd.data(),
        const_cast<char*>("-screen"),   const_cast<char*>("0"),          const_cast<char*>("1280x1024x24"),
        const_cast<char*>("-nolisten"), const_cast<char*>("tcp"),        nullptr};
    server_ = Spawn("Xvfb", serverArguments, pipeFds[1]);
    close(pipeFds[1]);
    std::string number;
    pollfd waiting{pipeFds[0], POLLIN, 0};
    char c = 0;
    while (poll(&waiting, 1, kServerStartMs) > 0 && read(pipeFds[0], &c, 1) == 1 && c != '\n')
        number += c;
    close(pipeFds[0]);
    if (number.empty()) {
        Stop(server_);
        return;
    }
    name_ = ":" + number;
    setenv("DISPLAY", name_.c_str(), 1);
    setenv("GDK_BACKEND", "x11", 1);
    setenv("GTK_THEME", "Adwaita", 1);
    setenv("NO_AT_BRIDGE", "1", 1);
    char* managerArguments[] = {const_cast<char*>("openbox"), const_cast<char*>("--sm-disable"), nullptr};
    manager_ = Spawn("openbox", managerArguments);
    // openbox takes the screen within a moment; nothing to poll for short of asking X.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

PrivateDisplay::~PrivateDisplay()
{
    Stop(manager_);
    Stop(server_);
}

bool XdoTool(const std::string& arguments)
{
    const std::string command = "xdotool " + arguments + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}
