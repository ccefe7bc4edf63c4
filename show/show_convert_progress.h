#pragma once
// Progress of a show conversion: a receiver that can abort it, or, without one, short texts on
// the standard error stream.

#include "foundation/errors/c_error.h"
#include "foundation/strings/xa_string.h"

#include <cstdint>

class LShowConvertProgress
{
  public:
    // fraction: 0..1 of the whole conversion. False aborts it.
    virtual bool OnConvertProgress(const char* text, float fraction) = 0;

  protected:
    ~LShowConvertProgress() = default;
};

inline constexpr const char* kConvertAbortedText = "Aborted by user!";

// Console texts of the converter go to the standard error stream as they are.
void ConvertConsole(const char* text);

// The reporting state of one conversion: the phase base and step, and the pacing of reports.
class ShowConvertReporter
{
  public:
    ShowConvertReporter(LShowConvertProgress* receiver, float base, float step)
        : receiver_(receiver), base_(base), step_(step)
    {
    }

    float Base() const { return base_; }
    float Step() const { return step_; }
    void NextPhase() { base_ += step_; }
    bool HasReceiver() const { return receiver_ != nullptr; }

    // A phase's start or end: always reported. False when the receiver aborts.
    bool Phase(const char* text, float fraction);
    // Inside a loop: to the receiver at base + step x share, or the console text, both paced.
    // consoleText() makes the text only when it is written.
    template <class Text> bool Loop(const char* text, float share, Text consoleText)
    {
        switch (Due()) {
        case kReportReceiver:
            return receiver_->OnConvertProgress(text, base_ + step_ * share);
        case kReportConsole:
            ConvertConsole(consoleText().CStr());
            return true;
        default:
            return true;
        }
    }
    // A loop's console texts are wiped when it ends.
    void EndLoop();

  private:
    enum Report { kReportNone, kReportReceiver, kReportConsole };
    Report Due();

    LShowConvertProgress* receiver_;
    float base_;
    float step_;
    int64_t lastReportUs_ = 0;
    int64_t lastConsoleUs_ = 0;
};
