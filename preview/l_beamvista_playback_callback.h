#pragma once
// The playback commands the playback bar gives the preview, which implements them.

class LBeamvistaPlaybackCallback
{
  public:
    virtual bool SeekFraction(float fraction) = 0;
    virtual bool Play() = 0;
    virtual bool Pause() = 0;
    virtual bool TogglePlayPause() = 0;
    virtual bool Stop() = 0;
    virtual bool Backward() = 0;
    virtual bool Forward() = 0;
    virtual bool PreviousFile() = 0;
    virtual bool NextFile() = 0;
    virtual bool ToggleMute() = 0;

  protected:
    ~LBeamvistaPlaybackCallback() = default;
};
