// The GUI thread: the process's main thread, where the toolkit runs and where every operation
// documented as "GUI thread only" must run. Such an operation begins with
// ZYL_GUI_THREAD_ONLY("what it is"); in debug builds and test trees (foundation_tasks built with
// ZYL_THREAD_CHECKS) a call from any other thread is reported through cDEBUG, once per call site.
// Elsewhere the check returns at once.
#pragma once

#include <cstdint>

bool IsGuiThread();

// Reports the operation through cDEBUG when checks are built in and it does not run on the GUI
// thread; false then.
bool CheckGuiThread(int16_t& siteFlag, const char* file, int32_t line, const char* operation);

#define ZYL_GUI_THREAD_ONLY(operation)                                                                 \
    do {                                                                                             \
        static int16_t zylGuiThreadSite = 0;                                                         \
        CheckGuiThread(zylGuiThreadSite, __FILE__, __LINE__, operation);                             \
    } while (false)
