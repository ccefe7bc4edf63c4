// Every key and value below the settings store's classes root, one line each, for comparing a
// registration with the exact list it must write: "key\path" for a key,
// "key\path|name=text" for a text value (an empty name for the default value).
#pragma once

#include <string>
#include <vector>

std::vector<std::string> DumpClassesRoot(const std::string& databasePath);
