#include "apps/host/wx/command_pump.h"

#include "apps/host/embedding/dispatch_commands.h"
#include "apps/host/embedding/server_library.h"
#include "apps/host/wx/host_frame.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <array>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr size_t kReadChunk = 4096;
// How often lines held back by a menu or a modal dialog look again whether they may run.
constexpr guint kRetryMs = 50;

} // namespace

CommandPump::CommandPump(HostFrame& frame, std::function<void()> quit)
    : frame_(frame), quit_(std::move(quit)), wait_(this)
{
    Bind(wxEVT_TIMER, &CommandPump::OnWaitOver, this);
}

CommandPump::~CommandPump()
{
    wait_.Stop();
    if (source_ != 0) {
        g_source_remove(source_);
    }
    if (retry_ != 0) {
        g_source_remove(retry_);
    }
}

bool CommandPump::MayRunNow()
{
    // A menu or a modal dialog runs its own loop inside an object's code (the player's context
    // menu, the about box, a property page): a line run beneath it could change or take down what
    // that loop still works on, so lines wait, in their order, until it has ended.
    if (gtk_grab_get_current() == nullptr) {
        return true;
    }
    if (retry_ == 0) {
        retry_ = g_timeout_add(kRetryMs, &CommandPump::OnRetry, this);
    }
    return false;
}

int CommandPump::OnRetry(void* self)
{
    auto* pump = static_cast<CommandPump*>(self);
    if (gtk_grab_get_current() != nullptr) {
        return G_SOURCE_CONTINUE;
    }
    pump->retry_ = 0;
    pump->RunLines();
    return G_SOURCE_REMOVE;
}

void CommandPump::Quit()
{
    quitting_ = true;
    quit_();
}

void CommandPump::Start()
{
    source_ = g_unix_fd_add(STDIN_FILENO, static_cast<GIOCondition>(G_IO_IN | G_IO_HUP | G_IO_ERR),
                            reinterpret_cast<GUnixFDSourceFunc>(&CommandPump::OnInput), this);
}

void CommandPump::WriteLine(const std::string& line)
{
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

int CommandPump::OnInput(int, unsigned, void* self)
{
    auto* pump = static_cast<CommandPump*>(self);
    pump->ReadInput();
    if (pump->inputEnded_) {
        pump->source_ = 0;
        return G_SOURCE_REMOVE;
    }
    return G_SOURCE_CONTINUE;
}

void CommandPump::ReadInput()
{
    std::array<char, kReadChunk> buffer;
    const ssize_t count = read(STDIN_FILENO, buffer.data(), buffer.size());
    if (count > 0) {
        pending_.append(buffer.data(), static_cast<size_t>(count));
    } else {
        inputEnded_ = true;
    }
    // Lines run from here, not after the current event: a busy player keeps the toolkit from
    // ever being idle. A command that runs a modal loop finds the lines read meanwhile.
    RunLines();
}

void CommandPump::RunLines()
{
    if (running_ || quitting_) {
        return;
    }
    running_ = true;
    while (!quitting_ && !wait_.IsRunning()) {
        const size_t end = pending_.find('\n');
        if (end == std::string::npos && !inputEnded_) {
            break;
        }
        if (!MayRunNow()) {
            break;
        }
        if (end != std::string::npos) {
            const std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            RunLine(line);
            continue;
        }
        // A last line without its line end still counts; the end of input then quits, after any
        // wait that line asked for.
        if (!pending_.empty()) {
            RunLine(std::exchange(pending_, std::string()));
            continue;
        }
        Quit();
    }
    running_ = false;
}

void CommandPump::RunLine(const std::string& line)
{
    HostCommand command;
    std::string error;
    if (!ParseHostCommand(line, command, error)) {
        WriteLine("error " + FormatHresult(E_INVALIDARG) + " " + error);
        return;
    }
    switch (command.kind) {
    case HostCommandKind::None:
        return;
    case HostCommandKind::Quit:
        WriteLine("ok");
        Quit();
        return;
    case HostCommandKind::Wait:
        wait_.StartOnce(command.number > 0 ? command.number : 1);
        return;
    case HostCommandKind::Verb: {
        IOleObject* object = frame_.FirstObject();
        const HRESULT result = object != nullptr ? object->DoVerb(command.number) : E_FAIL;
        WriteLine(Succeeded(result) ? "ok" : "error " + FormatHresult(result) + " verb");
        return;
    }
    default: {
        IDispatch* object = frame_.FirstDispatch();
        WriteLine(object != nullptr ? RunDispatchCommand(*object, command)
                                    : "error " + FormatHresult(E_FAIL) + " no object");
        return;
    }
    }
}

void CommandPump::OnWaitOver(wxTimerEvent&)
{
    WriteLine("ok");
    RunLines();
}
