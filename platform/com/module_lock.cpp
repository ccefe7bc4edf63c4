#include "platform/com/module_lock.h"

#include <atomic>

namespace {

std::atomic<int32_t> moduleCount{0};

} // namespace

void ComModuleAddRef()
{
    ++moduleCount;
}

void ComModuleRelease()
{
    --moduleCount;
}

int32_t ComModuleCount()
{
    return moduleCount.load();
}
