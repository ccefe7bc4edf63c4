// The four presets that single keys step or reset: fog, graphics, line width and cloud mix. Each
// changes fields of a parameter record; the caller sends the record to the parameters, whose
// handlers clamp what lies outside their ranges.
#pragma once

class LBeamvistaPars;

namespace presets {

// F walks the fog from a faint 0.1 up to full intensity, then raises the minimum intensity, then
// returns to the default setting; Shift+F walks the other way.
void ResetFog(LBeamvistaPars& pars);
void StepFog(LBeamvistaPars& pars, float step);
void ResetGraphics(LBeamvistaPars& pars);
void StepGraphics(LBeamvistaPars& pars, float step);
// The resets take the global current set's values.
void ResetLineWidth(LBeamvistaPars& pars);
// Wraps from above 10 to 0.5 and from below 0.5 to 10.
void StepLineWidth(LBeamvistaPars& pars, float step);
void ResetCloudMix(LBeamvistaPars& pars);
// Wraps from above 1 to 0 and from below 0 to 1.
void StepCloudMix(LBeamvistaPars& pars, float step);

} // namespace presets
