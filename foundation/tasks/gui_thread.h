// The GUI thread: the process's main thread, where the toolkit runs and where every operation
// documented as "GUI thread only" must run. Such an operation begins with
// ZYL_GUI_THREAD_ONLY("what it is"); in debug builds and tests (ZYL_THREAD_CHECKS) a call from any
// other thread is reported through cDEBUG, once per call site. Elsewhere the check costs nothing.
#pragma once

#include <cstdint>

bool IsGuiThread();

// Reports the operation through cDEBUG unless it runs on the GUI thread; false when it did not.
bool CheckGuiThread(int16_t& siteFlag, const char* file, int32_t line, const char* operation);

#if defined(ZYL_THREAD_CHECKS)
#define ZYL_GUI_THREAD_ONLY(operation)                                                                 \
    do {                                                                                             \
        static int16_t zylGuiThreadSite = 0;                                                         \
        CheckGuiThread(zylGuiThreadSite, __FILE__, __LINE__, operation);                             \
    } while (false)
#else
#define ZYL_GUI_THREAD_ONLY(operation) ((void)0)
#endif
