#include "apps/host/page/host_commands.h"

#include <gtest/gtest.h>

namespace {

TEST(HostCommandsTest, ReadsTheCommandLine)
{
    HostOptions options;
    std::string error;
    ASSERT_TRUE(ParseHostArguments({"--param=Url=a=b.zyl", "--commands", "page.html", "--param=Frame=0"}, options, error));
    EXPECT_EQ(options.params, (std::vector<std::pair<std::string, std::string>>{{"Url", "a=b.zyl"}, {"Frame", "0"}}));
    EXPECT_TRUE(options.commands);
    EXPECT_EQ(options.page, "page.html");

    HostOptions registering;
    ASSERT_TRUE(ParseHostArguments({"--regserver=lib.so"}, registering, error));
    EXPECT_EQ(registering.registerLibrary, "lib.so");

    for (const std::vector<std::string>& bad : std::vector<std::vector<std::string>>{
             {"--param=NoValue"}, {"--param==x"}, {"--verbose"}, {"a.html", "b.html"}}) {
        HostOptions refused;
        EXPECT_FALSE(ParseHostArguments(bad, refused, error)) << bad.front();
        EXPECT_FALSE(error.empty());
    }
}

TEST(HostCommandsTest, ReadsCommandLines)
{
    struct Case
    {
        const char* line;
        bool ok;
        HostCommandKind kind;
        const char* name;
        const char* value;
        int32_t number;
    };
    const Case cases[] = {
        {"get FogIntensity", true, HostCommandKind::Get, "FogIntensity", "", 0},
        {"  set Url  shows/a b.zyl \r", true, HostCommandKind::Set, "Url", "shows/a b.zyl", 0},
        {"call GetVersion", true, HostCommandKind::Call, "GetVersion", "", 0},
        {"verb -7", true, HostCommandKind::Verb, "", "", -7},
        {"wait", true, HostCommandKind::Wait, "", "", kDefaultWaitMs},
        {"wait 250", true, HostCommandKind::Wait, "", "", 250},
        {"quit", true, HostCommandKind::Quit, "", "", 0},
        {"", true, HostCommandKind::None, "", "", 0},
        {"# a comment", true, HostCommandKind::None, "", "", 0},
        {"get", false, HostCommandKind::None, "", "", 0},
        {"get Url extra", false, HostCommandKind::Get, "Url", "extra", 0},
        {"verb x", false, HostCommandKind::Verb, "", "", 0},
        {"wait -1", false, HostCommandKind::Wait, "", "", -1},
        {"fly away", false, HostCommandKind::None, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        HostCommand command;
        std::string error;
        EXPECT_EQ(ParseHostCommand(c.line, command, error), c.ok);
        EXPECT_EQ(error.empty(), c.ok);
        if (c.ok) {
            EXPECT_EQ(command.kind, c.kind);
            EXPECT_EQ(command.name, c.name);
            EXPECT_EQ(command.value, c.value);
            EXPECT_EQ(command.number, c.number);
        }
    }
}

} // namespace
