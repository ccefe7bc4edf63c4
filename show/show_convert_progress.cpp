#include "show/show_convert_progress.h"

#include "foundation/tasks/sys_clock.h"

#include <cstdio>

namespace {

constexpr int64_t kReceiverIntervalUs = 60000;
constexpr int64_t kConsoleIntervalUs = 330000;
constexpr const char* kWipeText =
    "                                                                               \r";

} // namespace

void ConvertConsole(const char* text)
{
    std::fputs(text, stderr);
}

bool ShowConvertReporter::Phase(const char* text, float fraction)
{
    lastReportUs_ = GetSysTimeUs();
    return !receiver_ || receiver_->OnConvertProgress(text, fraction);
}

ShowConvertReporter::Report ShowConvertReporter::Due()
{
    const int64_t now = GetSysTimeUs();
    if (receiver_) {
        if (now - lastReportUs_ < kReceiverIntervalUs)
            return kReportNone;
        lastReportUs_ = now;
        return kReportReceiver;
    }
    if (now - lastConsoleUs_ < kConsoleIntervalUs)
        return kReportNone;
    lastConsoleUs_ = now;
    return kReportConsole;
}

void ShowConvertReporter::EndLoop()
{
    if (!receiver_)
        ConvertConsole(kWipeText);
}
