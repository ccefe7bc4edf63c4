#pragma once
// The fog texture coordinates of a fog or beam vertex: the haze is a texture turned by the fog
// rotation, stretched along depth, and moved by the frame clock's drift offsets.

class LBeamvistaPars;

struct FogDrift
{
    float x = 0.0f, y = 0.0f, z = 0.0f; // each in [0, 1]
};

struct FogTexCoord
{
    float s, t, p;
};

class FogCoordinates
{
  public:
    // Takes the parameters and the drift of the frame about to be drawn.
    void Prepare(const LBeamvistaPars& pars, const FogDrift& drift);
    FogTexCoord At(float x, float y, float z) const;

  private:
    float depthDirection_[3] = {2.0f, 0.0f, 0.0f};
    // The rotation is recomputed only when its parameter changes.
    float rotationSeen_ = 0.0f;
    float cosRotation_ = 1.0f;
    float sinRotation_ = 0.0f;
    FogDrift drift_;
    float grain_ = 1.0f;      // "0x91211"
    float depthScale_ = 1.0f; // "0x91214"
    float stretchS_ = 1.0f;   // "0x91212"
    float stretchT_ = 1.0f;   // "0x91213"
};
