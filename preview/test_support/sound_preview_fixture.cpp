#include "preview/test_support/sound_preview_fixture.h"

#include "preview/test_support/playback_harness.h"
#include "preview/test_support/raw_pcm_decoder.h"

#include <filesystem>

SoundPreviewTest::SoundPreviewTest(int32_t rate)
    : rate_(rate), hardware_(std::make_shared<FakeSoundHardware>()),
      preview_(false, LBeamvistaSound{FakeSoundOpener(hardware_), RawPcmDecoders(rate)})
{
    std::string pattern = (std::filesystem::temp_directory_path() / "zyl_play_XXXXXX").string();
    folder_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    hardware_->writeLead = rate / 100 * RawPcmDecoder::kBlockAlign;
}

SoundPreviewTest::~SoundPreviewTest()
{
    preview_.CloseWindow(true);
    preview_.CloseAll(false);
    std::error_code error;
    std::filesystem::remove_all(folder_, error);
}

void SoundPreviewTest::SetUp()
{
    ASSERT_FALSE(folder_.empty());
    ASSERT_TRUE(preview_.CreateAsChild(view_));
}

std::string SoundPreviewTest::Show(const std::string& name, double seconds, bool sound)
{
    return MakeHarnessShow(folder_, name, {rate_, seconds, sound});
}

void SoundPreviewTest::Tick(int32_t count)
{
    for (int32_t i = 0; i < count; ++i) {
        AdvanceCs(1);
        if (hardware_->Playing())
            hardware_->Advance(rate_ / 100 * RawPcmDecoder::kBlockAlign);
        ui_.FireTimer(preview_, LBeamvista::kTimerId);
    }
}
