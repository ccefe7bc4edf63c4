#include "apps/host/page/host_commands.h"

#include <charconv>

namespace {

constexpr std::string_view kParamOption = "--param=";
constexpr std::string_view kRegisterOption = "--regserver=";
constexpr std::string_view kUnregisterOption = "--unregserver=";
constexpr std::string_view kCommandsOption = "--commands";

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// The first word of text, and text after it and its blanks.
std::string_view TakeWord(std::string_view& text)
{
    size_t end = 0;
    while (end < text.size() && !IsBlank(text[end])) {
        ++end;
    }
    const std::string_view word = text.substr(0, end);
    text = Trimmed(text.substr(end));
    return word;
}

bool ParseNumber(std::string_view text, int32_t& number)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

bool ParseHostArguments(const std::vector<std::string>& arguments, HostOptions& options, std::string& error)
{
    for (const std::string& argument : arguments) {
        const std::string_view text = argument;
        if (text.starts_with(kParamOption)) {
            const std::string_view pair = text.substr(kParamOption.size());
            const size_t equals = pair.find('=');
            if (equals == std::string_view::npos || equals == 0) {
                error = "--param needs Name=Value: " + argument;
                return false;
            }
            options.params.emplace_back(std::string(pair.substr(0, equals)), std::string(pair.substr(equals + 1)));
        } else if (text == kCommandsOption) {
            options.commands = true;
        } else if (text.starts_with(kRegisterOption)) {
            options.registerLibrary = std::string(text.substr(kRegisterOption.size()));
        } else if (text.starts_with(kUnregisterOption)) {
            options.unregisterLibrary = std::string(text.substr(kUnregisterOption.size()));
        } else if (text.starts_with("-")) {
            error = "unknown option: " + argument;
            return false;
        } else if (!options.page.empty()) {
            error = "only one page: " + argument;
            return false;
        } else {
            options.page = argument;
        }
    }
    return true;
}

bool ParseHostCommand(std::string_view line, HostCommand& command, std::string& error)
{
    command = HostCommand();
    std::string_view rest = Trimmed(line);
    if (rest.empty() || rest.front() == '#') {
        return true;
    }
    const std::string_view verb = TakeWord(rest);
    if (verb == "quit" && rest.empty()) {
        command.kind = HostCommandKind::Quit;
        return true;
    }
    if (verb == "wait") {
        command.kind = HostCommandKind::Wait;
        command.number = kDefaultWaitMs;
        if (!rest.empty() && (!ParseNumber(rest, command.number) || command.number < 0)) {
            error = "wait takes milliseconds";
            return false;
        }
        return true;
    }
    if (verb == "verb") {
        command.kind = HostCommandKind::Verb;
        if (!ParseNumber(rest, command.number)) {
            error = "verb takes a number";
            return false;
        }
        return true;
    }
    if (verb == "get" || verb == "set" || verb == "call") {
        command.name = std::string(TakeWord(rest));
        if (command.name.empty()) {
            error = std::string(verb) + " needs a name";
            return false;
        }
        command.value = std::string(rest);
        command.hasValue = !rest.empty();
        if (verb == "get") {
            command.kind = HostCommandKind::Get;
            if (command.hasValue) {
                error = "get takes only a name";
                return false;
            }
        } else if (verb == "set") {
            command.kind = HostCommandKind::Set;
        } else {
            command.kind = HostCommandKind::Call;
        }
        return true;
    }
    error = "unknown command: " + std::string(verb);
    return false;
}
