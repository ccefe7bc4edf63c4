#include "shell/startup_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupRulesTest, ShowsFolderOnlyForTheZylPlayProgramWithoutArguments)
{
    struct Case
    {
        const char* program;
        bool opensShows;
    };
    const Case cases[] = {
        {"/opt/ZYLPLAY.EXE", true}, {"/usr/bin/zylplay", true}, {"ZylPlay.exe", true},
        {"/usr/bin/ZylPlayer", false}, {"/usr/bin/ZylPlay.exe.old", false}, {"/ZylPlay/run", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(IsZylPlayProgram(c.program), c.opensShows);
        const std::vector<std::string> paths = StartupPaths({}, c.program);
        EXPECT_EQ(paths, c.opensShows ? std::vector<std::string>{"Shows"} : std::vector<std::string>{});
    }
}

TEST(StartupRulesTest, ArgumentsAreOpenedInOrderWhateverTheProgram)
{
    const std::vector<std::string> arguments{"b.zyl", "a.zyl", "settings.zyp"};
    EXPECT_EQ(StartupPaths(arguments, "/usr/bin/zylplay"), arguments);
}

} // namespace
