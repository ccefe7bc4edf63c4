// The Ogg Vorbis decoder behind the player's decoder interface.
#include "show/ogg_vorbis_stream.h"
#include "show/sound_decoder.h"

namespace {

class OggSoundDecoder final : public LSoundDecoder
{
  public:
    bool Open(LOggVorbisDataInterface* source) override { return ogg_.Open(source); }
    void Close() override { ogg_.Close(); }
    int32_t Channels() const override { return ogg_.Channels(); }
    int32_t Rate() const override { return ogg_.Rate(); }
    int32_t Bitrate() const override { return ogg_.Bitrate(); }
    int64_t TotalFrames() const override { return ogg_.PcmTotal(); }
    int32_t Read(void* buffer, int32_t length) override
    {
        // A new logical bitstream keeps the format the output was opened with: shows carry one.
        bool changed = false;
        return ogg_.Read(buffer, length, changed);
    }
    bool Seek(int64_t frame) override { return ogg_.SeekPcm(frame); }

  private:
    LOggVorbisStream ogg_;
};

} // namespace

std::unique_ptr<LSoundDecoder> MakeOggSoundDecoder()
{
    return std::make_unique<OggSoundDecoder>();
}
