// The laser frame renderer's members of the preview: the show's channels at the play position,
// the frame sequence's point lists, the test patterns and the scanner glow marks, recorded by the
// renderer and handed to OpenGL.
#include "preview/l_beamvista.h"

#include "foundation/tasks/sleep_wait.h"
#include "preview/gl_batch_submission.h"
#include "preview/show_channel_drawing.h"
#include "show/frame.h"

#include <algorithm>

void LBeamvista::PrepareRendererScene()
{
    const SceneView view{aspectX_, aspectY_, pixelSize_};
    const SceneView& before = renderer_.View();
    const bool viewChanged = view.halfWidth != before.halfWidth || view.halfHeight != before.halfHeight ||
                             view.pixelSize != before.pixelSize;
    renderer_.SetScene(livePars_, view, FogDrift{frameClock_.driftX, frameClock_.driftY, frameClock_.driftZ});
    // The test patterns draw with the default geometry, which follows the screen's shape.
    if (viewChanged)
        renderer_.ResetChannelDefaults();
}

void LBeamvista::SubmitBatches()
{
    SubmitRenderBatches(batches_.Batches(), [this](int32_t kind) { BindTexture(kind); });
    batches_.Clear();
}

void LBeamvista::ResetChannelDefaults()
{
    PrepareRendererScene();
    renderer_.ResetChannelDefaults();
}

bool LBeamvista::HasSequenceFrames() const
{
    return !frameSequence_.IsEmpty();
}

void LBeamvista::DrawTestPatterns()
{
    if (!livePars_.o_draw_circle && !livePars_.o_draw_plane)
        return;
    PrepareRendererScene();
    if (livePars_.o_draw_circle)
        renderer_.DrawTestCircle(batches_);
    if (livePars_.o_draw_plane)
        renderer_.DrawTestPlane(frameClock_.frameDelta, batches_);
    SubmitBatches();
}

void LBeamvista::DrawShowFrames()
{
    int64_t time = 0;
    LLaserPreviewStream* stream = ShowStreamAt(time);
    if (stream == nullptr) {
        showFrames_.Drop();
        return;
    }
    PrepareRendererScene();
    DrawShowPictures(*stream);
    renderer_.ResetLongestFrameDuration();
    DrawShowChannels(*stream, time, showFrames_, renderer_, batches_);
    SubmitBatches();
    frameClock_.laserFrameDelta = std::max(frameClock_.laserFrameDelta, renderer_.LongestFrameDuration());
    ComposeStatusText(*stream, time);
}

void LBeamvista::DrawPointFrame(const LPic& points, const PointFrameLook& look)
{
    auto frame = std::make_unique<LFrame>();
    BuildPointFrame(*frame, points, look);
    LChanOutParsTable table = renderer_.DefaultTable();
    SetPointFrameRectangle(table, look);
    PrepareRendererScene();
    renderer_.ResetLongestFrameDuration();
    renderer_.DrawLaserFrames(*frame, &table, batches_);
    SubmitBatches();
    frameClock_.laserFrameDelta = std::max(frameClock_.laserFrameDelta, renderer_.LongestFrameDuration());
}

bool LBeamvista::DrawSequenceFrame()
{
    if (frameSequence_.IsEmpty())
        return false;
    // A right drag steps the sequence by hand: the item under the cursor stays, without waiting.
    const bool steppedByHand = (gestures_.Buttons() & kUiRightButton) != 0;
    if (!steppedByHand)
        WaitForSequenceDeadline();
    const LPic& item = frameSequence_.Current();
    DrawPointFrame(item, SequenceFrameLook(livePars_));
    if (!steppedByHand) {
        frameSequence_.SetDeadlineCs(DeadlineAfter(SequenceItemHoldCs(livePars_, item.GetCount())));
        frameSequence_.Step(1);
    }
    return true;
}

void LBeamvista::WaitForSequenceDeadline()
{
    const int32_t deadline = frameSequence_.DeadlineCs();
    if (deadline == 0)
        return;
    // The clock may wrap; a deadline further away than an item is ever held is not waited for
    // longer than that.
    const auto left = static_cast<int32_t>(static_cast<uint32_t>(deadline) - static_cast<uint32_t>(NowCs()));
    SleepCs(std::min(left, kLongestSequenceHoldCs));
}

int32_t LBeamvista::DeadlineAfter(int32_t cs)
{
    // 0 means no deadline: a time that wraps onto it is one centisecond later.
    const auto deadline = static_cast<int32_t>(static_cast<uint32_t>(NowCs()) + static_cast<uint32_t>(cs));
    return deadline != 0 ? deadline : 1;
}

void LBeamvista::DrawPostedFrame()
{
    // Nothing in the player hands a frame over, so the current one stays empty: nothing to draw.
    postedFrames_.TakeOver();
}

void LBeamvista::DrawGlowMarks()
{
    PrepareRendererScene();
    renderer_.DrawGlowMarks(batches_);
    SubmitBatches();
}

void LBeamvista::EmptyFrameSequence()
{
    frameSequence_.Clear();
}

void LBeamvista::StepFrameSequence(int32_t items)
{
    frameSequence_.Step(items);
}

void LBeamvista::DropPostedFrames()
{
    postedFrames_.DropAll();
}

void LBeamvista::OnClear()
{
    postedFrames_.Clear();
    const std::weak_ptr<const void> alive = lifetime_;
    CurrentUiEnvironment().PostAfterCurrentEvent([this, alive] {
        if (!alive.expired())
            OnClearRequest();
    });
}
