#include "preview/fog_coordinates.h"

#include "params/beamvista_pars.h"

#include <cmath>
#include <numbers>

void FogCoordinates::Prepare(const LBeamvistaPars& pars, const FogDrift& drift)
{
    if (pars.o_fog_rot != rotationSeen_) {
        rotationSeen_ = pars.o_fog_rot;
        const double radians = double(rotationSeen_) * std::numbers::pi / 180.0;
        cosRotation_ = float(std::cos(radians));
        sinRotation_ = float(std::sin(radians));
    }
    drift_ = drift;
    grain_ = pars.p0x91211;
    depthScale_ = pars.p0x91214;
    stretchS_ = pars.p0x91212;
    stretchT_ = pars.p0x91213;
}

FogTexCoord FogCoordinates::At(float x, float y, float z) const
{
    const float c = cosRotation_;
    const float s = sinRotation_;
    const float depth = z * depthScale_;
    return {depth * depthDirection_[0] * grain_ + drift_.x,
            grain_ * ((y * c + x * s) * stretchT_ + depth * depthDirection_[1]) + drift_.y,
            grain_ * ((x * c - y * s) * stretchS_ + depth * depthDirection_[2]) + drift_.z};
}
