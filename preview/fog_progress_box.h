// The box shown while a fog cube is computed: the controls' progress box over the application's
// window. Where no box can be shown (no toolkit) the computation runs without one.
#pragma once

#include "controls/l_perlin_noise_callback.h"

#include <memory>

std::unique_ptr<LPerlinNoiseCallback> MakeFogProgressBox();
