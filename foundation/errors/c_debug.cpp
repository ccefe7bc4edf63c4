#include "foundation/errors/c_debug.h"

#include "platform/message_box.h"
#include "foundation/strings/text_formatter.h"

#include <cstring>
#include <unistd.h>

namespace {

constexpr int16_t kSiteDisabled = 1;
constexpr int kEscape = 27;
constexpr const char* kDotBackslash = ".\\";
constexpr const char* kFailLine = "  --------------------------- FAIL ---------------------------\n";

const char* TextOrEmpty(const char* text)
{
    return text != nullptr ? text : "";
}

const char* WithoutDotBackslash(const char* file)
{
    return std::strncmp(file, kDotBackslash, 2) == 0 ? file + 2 : file;
}

[[noreturn]] void EndAtOnce(std::FILE* output)
{
    std::fflush(output);
    _exit(LDebugReporter::kExitCode);
}

} // namespace

bool cDEBUG(int16_t& siteFlag, const char* file, int32_t line, const char* cause, const char* detail1,
            const char* detail2)
{
    return ProcessDebugReporter().Report(siteFlag, file, line, cause, detail1, detail2);
}

bool cDEBUGFailT(const char* file, int32_t line, const char* detail)
{
    static int16_t siteFlag = 0;
    return cDEBUG(siteFlag, file, line, "FailT", detail, "");
}

LDebugReporter& ProcessDebugReporter()
{
    static LDebugReporter* reporter = new LDebugReporter(stdin, stdout, stderr);
    return *reporter;
}

bool LDebugReporter::Report(int16_t& siteFlag, const char* file, int32_t line, const char* cause,
                            const char* detail1, const char* detail2)
{
    std::lock_guard<std::recursive_mutex> lock(reporting_);
    if (siteFlag != 0) {
        return false;
    }
    file = WithoutDotBackslash(TextOrEmpty(file));
    cause = TextOrEmpty(cause);
    detail1 = TextOrEmpty(detail1);
    detail2 = TextOrEmpty(detail2);
    if (debuggerOutput) {
        PrintToDebugger(file, line, cause, detail1, detail2);
    } else if (fileMode || printedMode) {
        Print(file, line, cause, detail1, detail2);
        if (!fileMode) {
            AskAtConsole(siteFlag);
        }
    } else {
        AskInMessageBox(siteFlag, file, line, cause, detail1, detail2);
    }
    return false;
}

void LDebugReporter::AskInMessageBox(int16_t& siteFlag, const char* file, int32_t line, const char* cause,
                                     const char* detail1, const char* detail2)
{
    char text[kFormatBufferSize];
    FormatString("  File:  %s\r  Line:  %d\r\r  Cause: %s (%s%s)\r\rContinue to report cDEBUG?", text, file,
                 line, cause, detail1, detail2);
    MessageBoxService& box = CurrentMessageBoxService();
    switch (box.Show(text, "System Failure!", MessageBoxIcon::Error, MessageBoxButtons::YesNoCancel)) {
    case MessageBoxAnswer::Cancel:
        EndAtOnce(output_);
    case MessageBoxAnswer::No:
        if (!fileMode && !debuggerOutput &&
            box.Show("Report to c:\\tmp\\printff.log?", "cDEBUG()", MessageBoxIcon::Question,
                     MessageBoxButtons::YesNo) == MessageBoxAnswer::Yes) {
            printedMode = true;
            fileMode = true;
        } else {
            siteFlag = kSiteDisabled;
        }
        break;
    default:
        break;
    }
}

void LDebugReporter::PrintToDebugger(const char* file, int32_t line, const char* cause, const char* detail1,
                                     const char* detail2)
{
    char text[kFormatBufferSize];
    const auto send = [this, &text] {
        std::fputs(text, debugger_);
        std::fflush(debugger_);
    };
    FormatString("\n", text);
    send();
    FormatString(RuntimeFormat(kFailLine), text);
    send();
    FormatString("  File:  %s\n", text, file);
    send();
    FormatString("  line:  %d\n", text, line);
    send();
    FormatString("\n", text);
    send();
    FormatString("  Cause: %s (%s%s)\n", text, cause, detail1, detail2);
    send();
    FormatString(RuntimeFormat(kFailLine), text);
    send();
}

void LDebugReporter::Print(const char* file, int32_t line, const char* cause, const char* detail1,
                           const char* detail2)
{
    std::fputs("\n", output_);
    std::fputs(kFailLine, output_);
    std::fprintf(output_, "  File:  %s\n", file);
    std::fprintf(output_, "  line:  %d\n", line);
    std::fputs("\n", output_);
    std::fprintf(output_, "  Cause: %s (%s%s)\n", cause, detail1, detail2);
    std::fputs(kFailLine, output_);
    std::fflush(output_);
}

void LDebugReporter::AskAtConsole(int16_t& siteFlag)
{
    std::fputs("  (C)continue, (D)isable, De(B)ug, (F)ile, (E)xit?\r", output_);
    std::fflush(output_);
    for (int c = std::fgetc(input_); c != EOF; c = std::fgetc(input_)) {
        switch (c) {
        case 'c':
        case 'C':
            return;
        case 'd':
        case 'D':
            siteFlag = kSiteDisabled;
            return;
        case 'b':
        case 'B':
            debuggerOutput = true;
            return;
        case 'f':
        case 'F':
            fileMode = true;
            return;
        case 'e':
        case 'E':
        case kEscape:
            EndAtOnce(output_);
        default:
            break;
        }
    }
}
