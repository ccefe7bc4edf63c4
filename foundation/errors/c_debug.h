#pragma once
// cDEBUG: reports a failed internal check ("System Failure!") and lets the person at the machine
// decide what happens next: go on, silence this check site, switch all later reports to printed
// output or to the debugger output (the standard error stream here), or end the program at once
// with exit code 20. Each check site owns a 16-bit site flag: 0 reports, anything else is
// silent. Both return false: the check failed and the caller goes on.

#include <cstdint>
#include <cstdio>
#include <mutex>

bool cDEBUG(int16_t& siteFlag, const char* file, int32_t line, const char* cause, const char* detail1,
            const char* detail2);
// cDEBUG with a site flag of its own, the cause "FailT" and no second detail.
bool cDEBUGFailT(const char* file, int32_t line, const char* detail);

// The reporter behind cDEBUG: its mode flags (they only ever go from clear to set) and the
// streams it prints to and reads answers from. Tests make reporters of their own.
class LDebugReporter
{
  public:
    static constexpr int kExitCode = 20;

    LDebugReporter(std::FILE* input, std::FILE* output, std::FILE* debugger)
        : input_(input), output_(output), debugger_(debugger)
    {
    }

    bool Report(int16_t& siteFlag, const char* file, int32_t line, const char* cause, const char* detail1,
                const char* detail2);

    bool debuggerOutput = false;
    bool fileMode = false;
    bool printedMode = false;

  private:
    void AskInMessageBox(int16_t& siteFlag, const char* file, int32_t line, const char* cause,
                         const char* detail1, const char* detail2);
    void PrintToDebugger(const char* file, int32_t line, const char* cause, const char* detail1,
                         const char* detail2);
    void Print(const char* file, int32_t line, const char* cause, const char* detail1, const char* detail2);
    void AskAtConsole(int16_t& siteFlag);

    std::FILE* input_;
    std::FILE* output_;
    std::FILE* debugger_;
    // One report at a time; a report may come again from inside a message box.
    std::recursive_mutex reporting_;
};

// The process-wide reporter: standard input and output, the debugger output on standard error.
LDebugReporter& ProcessDebugReporter();
