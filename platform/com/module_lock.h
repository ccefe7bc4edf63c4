// How many objects and locks keep a library in use: each live object and each factory lock
// counts once; the library may be unloaded when none is left. Every library holds its own count.
#pragma once

#include <cstdint>

void ComModuleAddRef();
void ComModuleRelease();
int32_t ComModuleCount();
