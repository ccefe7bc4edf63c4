#include "apps/host/embedding/dispatch_commands.h"

#include "activex/test_support/control_test_fixture.h"
#include "apps/host/embedding/event_printer.h"
#include "apps/host/embedding/object_types.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using DispatchCommandsTest = ControlTest;

std::string RunLine(IDispatch& object, const std::string& line)
{
    HostCommand command;
    std::string error;
    EXPECT_TRUE(ParseHostCommand(line, command, error)) << error;
    return RunDispatchCommand(object, command);
}

// The protocol on the control itself: values given as text reach the member's type, answers come
// back as the container shows them, failures carry the object's status.
TEST_F(DispatchCommandsTest, AnswersEachCommandOnTheControl)
{
    struct Case
    {
        const char* line;
        const char* answer;
    };
    const Case cases[] = {
        {"set FogIntensity 37.5", "ok"},
        {"get fogintensity", "ok 38"},
        {"set ForceFog 1", "ok"},
        {"get ForceFog", "ok 1"},
        {"get Playing", "ok False"},
        {"call GetVersion", "ok 2004/06/09"},
        {"get Nonsense", "error 0x80020006 unknown name Nonsense"},
        {"set ForceFog abc", "error 0x80020005 ForceFog"},
        {"set Loaded 5", "ok"},
        {"get Loaded", "ok 0"},
        {"set ReadyState 4", "error 0x80020003 ReadyState"},
        {"call GetVersion 1", "error 0x8002000E GetVersion"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunLine(*dispatch_.Get(), c.line), c.answer) << c.line;
    }
}

// Events are named from the control's own event interface.
TEST_F(DispatchCommandsTest, EventsArePrintedByName)
{
    std::vector<std::string> lines;
    EventPrinter printer(ClassInterfaceOf(dispatch_.Get(), 1), [&](const std::string& line) { lines.push_back(line); });
    ComPtr<IConnectionPointContainer> points = QueryAs<IConnectionPointContainer>(dispatch_.Get());
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->FindConnectionPoint(EventInterfaceOf(dispatch_.Get()), reinterpret_cast<IConnectionPoint**>(point.Receive())), S_OK);
    uint32_t cookie = 0;
    ASSERT_EQ(point->Advise(&printer, &cookie), S_OK);
    EXPECT_EQ(RunLine(*dispatch_.Get(), "set Url show.zyl"), "ok");
    EXPECT_EQ(lines, (std::vector<std::string>{"event ReadyStateChange 4"}));
    ASSERT_EQ(point->Unadvise(cookie), S_OK);
}

} // namespace
