#include "foundation/tasks/gui_thread.h"

#include "foundation/errors/c_debug.h"

#include <sys/syscall.h>
#include <unistd.h>

bool IsGuiThread()
{
    // Linux gives the main thread the process's own id.
    return syscall(SYS_gettid) == getpid();
}

bool CheckGuiThread(int16_t& siteFlag, const char* file, int32_t line, const char* operation)
{
#if defined(ZYL_THREAD_CHECKS)
    if (!IsGuiThread()) {
        return cDEBUG(siteFlag, file, line, "not on the GUI thread", operation, "");
    }
#endif
    return true;
}
