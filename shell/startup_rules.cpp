#include "shell/startup_rules.h"

#include "foundation/files/fs_name.h"
#include "foundation/text/text_compare.h"

bool IsZylPlayProgram(const std::string& programPath)
{
    const XAFsName fileName = XAFsName(programPath.c_str()).FileNamePart();
    return StrEqualNoCase(fileName.CStr(), "ZylPlay") || StrEqualNoCase(fileName.CStr(), "ZylPlay.exe");
}

std::vector<std::string> StartupPaths(const std::vector<std::string>& arguments, const std::string& programPath)
{
    if (!arguments.empty())
        return arguments;
    if (IsZylPlayProgram(programPath))
        return {kShowsFolder};
    return {};
}
