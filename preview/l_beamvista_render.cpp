// The laser frame renderer's members of the preview: the show's channels at the play position,
// the test patterns and the scanner glow marks, recorded by the renderer and handed to OpenGL.
#include "preview/l_beamvista.h"

#include "preview/gl_batch_submission.h"
#include "preview/show_channel_drawing.h"

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

bool LBeamvista::DrawSequenceFrame()
{
    return false;
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
