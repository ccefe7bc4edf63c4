#pragma once
// Window icons from the resource tables.

#include <wx/icon.h>

#include <cstdint>

// The icon resource of that id as a toolkit icon; wxNullIcon when there is none or it cannot be read.
wxIcon IconFromResource(int32_t iconId);
