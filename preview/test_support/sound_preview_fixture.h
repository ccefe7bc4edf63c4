// A display-free preview that plays with sound: a fake sound card (one period of lead) under the
// raw PCM decoder at a rate of the test's choice, the preview's window a child of the view, and
// a folder for the test's shows, removed at the end.
#pragma once

#include "platform/test_support/sound_device_fake.h"
#include "preview/test_support/preview_test_fixture.h"

#include <memory>
#include <string>

class SoundPreviewTest : public PreviewTest
{
  protected:
    explicit SoundPreviewTest(int32_t rate);
    ~SoundPreviewTest() override;

    void SetUp() override;

    // A streamable show of that length in the folder; its path.
    std::string Show(const std::string& name, double seconds = 5.0, bool sound = true);
    // One 10 ms tick: the clock, the sound card and the preview's timer.
    void Tick(int32_t count = 1);

    int32_t rate_;
    std::shared_ptr<FakeSoundHardware> hardware_;
    TestPreview preview_;
    std::string folder_;
};
