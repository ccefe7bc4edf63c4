// What the settings store's classes root says about a class a container is asked to embed: its
// identity by ProgID or media type, and the library that serves it.
#pragma once

#include "platform/com/guid.h"

#include <optional>
#include <string>

std::optional<CLSID> ClassOfProgId(const std::string& progId);
// The class a page's object of this media type ("type" attribute) stands for.
std::optional<CLSID> ClassOfMediaType(const std::string& type);
// The class's "InprocServer32" path; empty when the class is not registered.
std::string InprocServerOf(const CLSID& clsid);
