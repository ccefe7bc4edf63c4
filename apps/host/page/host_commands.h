// The container's command line and the line protocol it speaks on standard input with
// --commands:
//   get Name            answers "ok <value>"
//   set Name Value      the rest of the line is the value; answers "ok"
//   call Name [Value]   a method; answers "ok [<result>]"
//   verb N              runs verb N on the control; answers "ok"
//   wait [ms]           lets the window run for ms milliseconds (default 100); answers "ok"
//   quit                ends the container
// A failure answers "error 0xXXXXXXXX <what>"; events are written as "event Name [argument]".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct HostOptions
{
    // --param=Name=Value, in order; they go to the first object (or to one made without a page).
    std::vector<std::pair<std::string, std::string>> params;
    bool commands = false;
    std::string page;
    std::string registerLibrary;
    std::string unregisterLibrary;
};

// false and error set for an unknown option, a --param without '=' or a second page.
bool ParseHostArguments(const std::vector<std::string>& arguments, HostOptions& options, std::string& error);

enum class HostCommandKind { None, Get, Set, Call, Verb, Wait, Quit };

struct HostCommand
{
    HostCommandKind kind = HostCommandKind::None;
    std::string name;
    std::string value;
    bool hasValue = false;
    int32_t number = 0;
};

inline constexpr int32_t kDefaultWaitMs = 100;

// A blank line or one starting with '#' is HostCommandKind::None. false and error set for a
// line that is no command.
bool ParseHostCommand(std::string_view line, HostCommand& command, std::string& error);

inline constexpr const char* kHostUsage =
    "usage: zylhost [--param=Name=Value]... [--commands] [page.html]\n"
    "       zylhost --regserver=LIBRARY | --unregserver=LIBRARY\n";
