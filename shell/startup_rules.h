// What the player does at start-up before any window exists: its application name, and which paths
// it opens: every argument in order, or with none, the folder "Shows" when the program file is
// called "ZylPlay" (or "ZylPlay.exe") in any letter case.
#pragma once

#include <string>
#include <vector>

inline constexpr const char* kPlayerApplicationName = "Zyl Player";
inline constexpr const char* kShowsFolder = "Shows";

bool IsZylPlayProgram(const std::string& programPath);
// arguments: the command line after the program's name.
std::vector<std::string> StartupPaths(const std::vector<std::string>& arguments, const std::string& programPath);
