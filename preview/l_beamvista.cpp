#include "preview/l_beamvista.h"

#include "messaging/value_notify_msg.h"
#include "params/beamvista_registration.h"
#include "params/internal/beamvista_parameter_key.h"

LBeamvista::LBeamvista(bool dspSelectionEnabled, LBeamvistaSound sound)
    : dspSelectionEnabled_(dspSelectionEnabled),
      playback_(showHost_, std::move(sound.opener), std::move(sound.decoders)),
      status_([this] { return playback_.StatusState(title_); })
{
    for (LLaserPreviewBitmap& picture : pictures_)
        picture.Clear();
    CloseAll(false);
}

LBeamvista::~LBeamvista()
{
    // A host being torn down hears nothing more.
    status_.SetCallback(nullptr, false, false);
    status_.SetBar(nullptr);
    playbackBar_.reset();
    CloseAll(false);
    // The window goes first: its teardown still reads the members below.
    CloseWindow(true);
    window_.reset();
}

void LBeamvista::BindParameters()
{
    if (parametersBound_)
        return;
    RegisterBeamvistaParameters();
    parameterRef_.Attach(static_cast<LMsgReceiverMS*>(this), BeamvistaParameterKey(""), nullptr);
    parametersBound_ = true;
    livePars_.ReadFromParameters();
    ResetChannelDefaults();
}

bool LBeamvista::Receive(LMsg& msg)
{
    return LValueNotifyMsgDecoder::Receive(msg);
}
