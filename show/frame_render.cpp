// The renderer: turns frame commands into scanner steps, optionally modelling the two
// galvanometers as spring-damper systems, the shutter ramps and the colour delay line.
#include "show/frame.h"

#include "show/frame_commands.h"
#include "show/internal/frame_timeline.h"
#include "show/internal/scanner_axes.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <vector>

namespace {
using namespace scanner_axes;

constexpr int32_t kDelayLineSize = 64;
constexpr int32_t kDelayLineMask = kDelayLineSize - 1;
constexpr int32_t kMaxColorDelayPoints = kDelayLineSize - 1;
constexpr int32_t kMaxOversampling = 16;
constexpr double kSpringScale = 299999999.99999994;
constexpr double kDampingScale = 27000.0;
constexpr float kRampSeconds = 0.0027f;
constexpr float kMaxRampStep = 16.0f;
// A ramp step this big switches the shutter within the step instead of one point later.
constexpr float kInstantRampStep = 8.0f;
constexpr uint32_t kImmediateRampCode = 255;

int16_t ClampCoordinate(int64_t v)
{
    return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

// A parameter turned into a point count: NaN and negatives count nothing.
int32_t RoundedPoints(double v, int32_t most)
{
    return v >= 0.0 ? static_cast<int32_t>(std::min(std::trunc(v + 0.5), double(most))) : 0;
}

float RampStep(double dt, uint32_t code)
{
    if (code == kImmediateRampCode)
        return kMaxRampStep;
    const float step =
        static_cast<float>(std::min(dt, double(FLT_MAX))) / (kRampSeconds / float(code ? code : 1));
    return step <= kMaxRampStep ? step : kMaxRampStep;
}

struct DelayEntry
{
    uint8_t blank = 1;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

// Walks a frame's commands into its points. Where the scanner positions are simulated, the walk
// lays the steps out (targets and time steps, see scanner_axes.h) and the axes are stepped
// afterwards, so that the frames of one RenderAll can be stepped side by side.
class FrameRenderer
{
  public:
    // growable, when given, replaces out: it grows while the walk needs room, up to the capacity.
    FrameRenderer(LFrameOutPoint* out, std::vector<LFrameOutPoint>* growable, int32_t capacity, bool simulate,
                  bool simulatePosition, float freqFactor, float colorDelayFactor, float springFactor,
                  float dampingFactor, int32_t oversampling, std::vector<ScannerRun>& runs)
        : runs_(runs), runsBegin_(runs.size()), growable_(growable), out_(growable ? growable->data() : out),
          room_(growable ? static_cast<int32_t>(std::min<size_t>(growable->size(), size_t(capacity))) : capacity),
          capacity_(capacity), simulate_(simulate),
          simulatePosition_(simulate && simulatePosition), freqFactor_(freqFactor),
          colorDelayFactor_(colorDelayFactor), spring_(springFactor * kSpringScale),
          damping_(dampingFactor * kDampingScale),
          oversampling_(simulate ? std::clamp(oversampling, 1, kMaxOversampling) : 1)
    {
        if (!simulatePosition_) {
            speedDelay_ = RoundedPoints(2.0 * oversampling_ * colorDelayFactor_, capacity_);
            colorDelayFactor_ = 0.0;
        }
        SetTimeStep(kDefaultRate);
    }

    void Walk(const uint32_t* words, int32_t count)
    {
        WalkFrameCommands(words, count, [this](const uint32_t* w, int32_t) {
            const int64_t points = Command(w);
            timeline_.AddPoints(points);
            // The most points the command writes: each point once per step.
            const int32_t written = static_cast<int32_t>(std::min<int64_t>(points * oversampling_, capacity_ - outCount_));
            if (written > room_ - outCount_)
                Grow(outCount_ + written);
            if (simulatePosition_) {
                LayOutSteps(written);
            } else {
                for (int64_t p = 0; p < points && outCount_ < capacity_; ++p)
                    Point();
            }
            previousX_ = x_;
            previousY_ = y_;
            return outCount_ < capacity_;
        });
        runsEnd_ = runs_.size();
    }

    bool StepsLaidOut() const { return simulatePosition_; }

    // Where the points went: the growable buffer may have moved.
    LFrameOutPoint* Points() const { return out_; }

    // The laid-out steps of the walk; the runs stay where they are until the next renderer adds
    // its own.
    ScannerSteps Steps() const
    {
        return ScannerSteps{out_, outCount_, runs_.data() + runsBegin_,
                            static_cast<int32_t>(runsEnd_ - runsBegin_), 0.0};
    }

    double Spring() const { return spring_; }
    double Damping() const { return damping_; }

    void StepsSimulated(const ScannerSteps& steps)
    {
        speedSum_ = steps.speedSum;
        speedSamples_ = steps.count;
    }

    int32_t Finish(LFrameStats* stats)
    {
        if (stats)
            timeline_.Finish(*stats, speedSamples_ ? static_cast<float>(speedSum_ / speedSamples_) : 1.0f);
        return outCount_;
    }

  private:
    // Room for `needed` points at least; doubling keeps the copies of a long frame few, and a
    // buffer that has seen the channel's largest frame does not grow again.
    void Grow(int32_t needed)
    {
        constexpr size_t kLeastRoom = 1024;
        const size_t size = std::min(std::max({size_t(needed), 2 * growable_->size(), kLeastRoom}), size_t(capacity_));
        growable_->resize(size);
        out_ = growable_->data();
        room_ = static_cast<int32_t>(size);
    }

    void SetTimeStep(double rate)
    {
        // A frequency factor of 0 or below gives no usable step: the scanners then keep up
        // with their targets and the shutter switches at once.
        const double stepsPerSecond = oversampling_ * double(freqFactor_) * rate;
        stepUsable_ = stepsPerSecond > 0.0;
        dt_ = stepUsable_ ? 1.0 / stepsPerSecond : 0.0;
    }

    // The 6-bit attribute travels with the points but does not change what is shown.
    void Attributes(uint32_t blank, uint32_t color)
    {
        blank_ = static_cast<uint8_t>(blank ? 1 : 0);
        color_ = color & kFrameWordBits;
    }

    void MoveTo(uint32_t word0, uint32_t word1)
    {
        x_ = FrameInt16(word0);
        y_ = FrameInt16(word1);
        // Laid-out steps carry their targets in the points instead.
        if (simulate_ && !simulatePosition_) {
            axisX_.target = x_ * kTargetScale;
            axisY_.target = y_ * kTargetScale;
        }
    }

    void Channel(uint32_t channel, uint32_t subChannel)
    {
        template_.channel = static_cast<uint8_t>(channel);
        template_.subChannel = static_cast<uint8_t>(subChannel);
        timeline_.Channel(channel, subChannel);
    }

    void Header(const uint32_t* w)
    {
        timeline_.Header(w[1]);
        Channel(FrameByte(w[2], 8), FrameByte(w[2], 0));
        SetTimeStep(timeline_.Rate());
        openStep_ = stepUsable_ ? RampStep(dt_, FrameByte(w[0], 16)) : kMaxRampStep;
        closeStep_ = stepUsable_ ? RampStep(dt_, FrameByte(w[0], 8)) : kMaxRampStep;
        const int32_t delay = RoundedPoints(double(FrameByte(w[2], 16)) * oversampling_ * colorDelayFactor_,
                                            kMaxColorDelayPoints);
        read_ = (write_ - delay) & kDelayLineMask;
    }

    // Applies a command's effect; returns the points it produces.
    int64_t Command(const uint32_t* w)
    {
        switch (FrameOpcode(w[0])) {
        case kOpRepeat:
            return FrameByte(w[0], 8);
        case kOpAttr:
            Attributes(w[0] & kAttrBlankBit, w[1]);
            return FrameByte(w[0], 8);
        case kOpMove:
            MoveTo(w[0], w[1]);
            return 1;
        case kOpMoveAttr:
            MoveTo(w[0], w[1]);
            Attributes(w[1] & kBlankAttribute, w[2]);
            return 1;
        case kOpRamp:
            rampMode_ = (w[0] & kRampModeBit) != 0;
            if (!rampMode_)
                rampValue_ = template_.blank ? 0.0f : 1.0f;
            return 1;
        case kOpHeader:
            Header(w);
            return 0;
        case kOpHeaderTime:
            Header(w);
            timeline_.Time(w[3], w[4]);
            return 0;
        case kOpSelect:
            Channel(FrameByte(w[0], 16), FrameByte(w[0], 8));
            return 0;
        case kOpTime:
            timeline_.Time(w[1], w[2]);
            return 0;
        case kOpImage:
            timeline_.Image(w[4]);
            return 0;
        default:
            return 0;
        }
    }

    void Point()
    {
        for (int32_t j = 1; j <= oversampling_ && outCount_ < capacity_; ++j) {
            DelayLine();
            Ramps();
            if (simulate_)
                Simulate();
            if (!simulatePosition_)
                Interpolate(j);
            out_[outCount_++] = template_;
        }
    }

    // Point() for the preview's usual mode (positions simulated, so no interpolation and each
    // speed stored with its own step), steps at once, without the axes: each point keeps the
    // targets of its step in x and y, and a new time step starts a run. The state lives in locals
    // for the loop: the byte stores into the output could alias the members, which would reload
    // them every step. The arithmetic is the same, in the same order, as in Point().
    void LayOutSteps(int32_t steps)
    {
        if (steps <= 0)
            return;
        if (runs_.size() == runsBegin_ || runs_.back().dt != dt_ || runs_.back().usable != stepUsable_)
            runs_.push_back(ScannerRun{outCount_, dt_, stepUsable_});
        LFrameOutPoint point = template_;
        point.x = static_cast<int16_t>(x_);
        point.y = static_cast<int16_t>(y_);
        float rampValue = rampValue_;
        int32_t write = write_;
        int32_t read = read_;
        const DelayEntry entering{blank_, uint8_t(color_ >> 16), uint8_t(color_ >> 8), uint8_t(color_)};
        const bool rampMode = rampMode_;
        const float openStep = openStep_;
        const float closeStep = closeStep_;
        LFrameOutPoint* out = out_ + outCount_;
        for (int32_t s = 0; s < steps; ++s) {
            delay_[write] = entering;
            write = (write + 1) & kDelayLineMask;
            const DelayEntry shown = delay_[read];
            read = (read + 1) & kDelayLineMask;
            point.blank = shown.blank;
            point.red = shown.red;
            point.green = shown.green;
            point.blue = shown.blue;
            if (!rampMode) {
                rampValue = shown.blank ? 0.0f : 1.0f;
                point.shutterRamp = point.beamRamp = rampValue;
            } else {
                const float before = rampValue;
                const float step = shown.blank ? closeStep : openStep;
                rampValue = shown.blank ? std::max(rampValue - step, 0.0f) : std::min(rampValue + step, 1.0f);
                point.beamRamp = rampValue;
                point.shutterRamp = step >= kInstantRampStep ? rampValue : before;
            }
            out[s] = point;
        }
        template_ = point;
        rampValue_ = rampValue;
        write_ = write;
        read_ = read;
        outCount_ += steps;
    }

    void DelayLine()
    {
        delay_[write_] = DelayEntry{blank_, uint8_t(color_ >> 16), uint8_t(color_ >> 8), uint8_t(color_)};
        write_ = (write_ + 1) & kDelayLineMask;
        const DelayEntry& shown = delay_[read_];
        template_.blank = shown.blank;
        template_.red = shown.red;
        template_.green = shown.green;
        template_.blue = shown.blue;
        read_ = (read_ + 1) & kDelayLineMask;
    }

    void Ramps()
    {
        if (!rampMode_) {
            rampValue_ = template_.blank ? 0.0f : 1.0f;
            template_.shutterRamp = template_.beamRamp = rampValue_;
            return;
        }
        const float before = rampValue_;
        const float step = template_.blank ? closeStep_ : openStep_;
        rampValue_ = template_.blank ? std::max(rampValue_ - step, 0.0f) : std::min(rampValue_ + step, 1.0f);
        template_.beamRamp = rampValue_;
        template_.shutterRamp = step >= kInstantRampStep ? rampValue_ : before;
    }

    void Simulate()
    {
        if (stepUsable_) {
            axisX_.Step(dt_, spring_, damping_);
            axisY_.Step(dt_, spring_, damping_);
        } else {
            axisX_.Settle();
            axisY_.Settle();
        }
        const double speed = std::sqrt(axisX_.velocity * axisX_.velocity + axisY_.velocity * axisY_.velocity);
        const float stored = static_cast<float>(std::min(speed * kSpeedScale, double(FLT_MAX)));
        if (speedDelay_ == 0)
            template_.speed = stored;
        else
            out_[std::max(outCount_ - speedDelay_, 0)].speed = stored;
        speedSum_ += stored;
        ++speedSamples_;
    }

    void Interpolate(int32_t j)
    {
        if (j == oversampling_) {
            template_.x = x_;
            template_.y = y_;
            return;
        }
        template_.x = ClampCoordinate(previousX_ + (x_ - previousX_) * j / oversampling_);
        template_.y = ClampCoordinate(previousY_ + (y_ - previousY_) * j / oversampling_);
    }

    // This frame's runs are runs_[runsBegin_, runsEnd_): the frames of a RenderAll share the list.
    std::vector<ScannerRun>& runs_;
    size_t runsBegin_;
    size_t runsEnd_ = 0;
    std::vector<LFrameOutPoint>* growable_;
    LFrameOutPoint* out_;
    int32_t room_; // points out_ holds
    int32_t capacity_;
    int32_t outCount_ = 0;
    bool simulate_;
    bool simulatePosition_;
    float freqFactor_;
    double colorDelayFactor_;
    double spring_;
    double damping_;
    int32_t oversampling_;
    int32_t speedDelay_ = 0;

    LFrameTimeline timeline_;
    LFrameOutPoint template_;
    DelayEntry delay_[kDelayLineSize];
    int32_t write_ = 0;
    int32_t read_ = 0;

    uint8_t blank_ = 1;
    uint32_t color_ = 0;
    int32_t x_ = 0;
    int32_t y_ = 0;
    int32_t previousX_ = 0;
    int32_t previousY_ = 0;

    bool rampMode_ = false;
    float rampValue_ = 0.0f;
    float openStep_ = kMaxRampStep;
    float closeStep_ = kMaxRampStep;

    ScannerAxis axisX_;
    ScannerAxis axisY_;
    double dt_ = 0.0;
    bool stepUsable_ = false;
    double speedSum_ = 0.0;
    int64_t speedSamples_ = 0;
};

// The runs of every frame of a RenderAll, kept for the thread's next one.
std::vector<ScannerRun>& ThreadScannerRuns()
{
    thread_local std::vector<ScannerRun> runs;
    return runs;
}
} // namespace

int32_t LFrame::Render(LFrameOutPoint* points, int32_t capacity, LFrameStats* stats, bool simulate,
                       bool simulatePosition, float freqFactor, float colorDelayFactor, float springFactor,
                       float dampingFactor, int32_t oversampling) const
{
    LFrameRenderJob job{this, points, capacity, stats, 0};
    RenderAll({&job, 1}, LFrameRenderSettings{simulate, simulatePosition, freqFactor, colorDelayFactor,
                                              springFactor, dampingFactor, oversampling});
    return job.count;
}

void LFrame::RenderAll(std::span<LFrameRenderJob> jobs, const LFrameRenderSettings& settings)
{
    // Frames walked before their axes are stepped together; the walk state of each lives on.
    constexpr size_t kFramesAtOnce = 32;
    std::vector<ScannerRun>& runs = ThreadScannerRuns();
    for (size_t first = 0; first < jobs.size(); first += kFramesAtOnce) {
        const std::span<LFrameRenderJob> group = jobs.subspan(first, std::min(kFramesAtOnce, jobs.size() - first));
        std::optional<FrameRenderer> renderers[kFramesAtOnce];
        runs.clear();
        for (size_t i = 0; i < group.size(); ++i) {
            LFrameRenderJob& job = group[i];
            if (job.stats)
                job.stats->Clear();
            job.count = 0;
            if (job.growable)
                job.points = job.growable->data();
            if (job.frame == nullptr || (job.points == nullptr && job.growable == nullptr) || job.capacity <= 0 ||
                job.frame->ValidCount() == 0)
                continue;
            renderers[i].emplace(job.points, job.growable, job.capacity, settings.simulate, settings.simulatePosition,
                                 settings.freqFactor, settings.colorDelayFactor, settings.springFactor,
                                 settings.dampingFactor, settings.oversampling, runs);
            renderers[i]->Walk(job.frame->words, job.frame->ValidCount());
        }
        ScannerSteps steps[kFramesAtOnce];
        size_t laidOut = 0;
        double spring = 0.0;
        double damping = 0.0;
        for (size_t i = 0; i < group.size(); ++i) {
            if (renderers[i] && renderers[i]->StepsLaidOut()) {
                steps[laidOut++] = renderers[i]->Steps();
                spring = renderers[i]->Spring();
                damping = renderers[i]->Damping();
            }
        }
        SimulateScanners({steps, laidOut}, spring, damping);
        for (size_t i = 0, s = 0; i < group.size(); ++i) {
            if (!renderers[i])
                continue;
            if (renderers[i]->StepsLaidOut())
                renderers[i]->StepsSimulated(steps[s++]);
            group[i].count = renderers[i]->Finish(group[i].stats);
            group[i].points = renderers[i]->Points();
        }
    }
}
