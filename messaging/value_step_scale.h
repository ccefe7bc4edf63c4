#pragma once
// How values keep their steps: scaled by 2^-16, so that a step count of 65,536 units (one unit
// per 1/65,536 step) moves a value by one step as it was given; a fine step of 0 stands for a
// hundredth of the step.

constexpr double kValueStepScale = 1.0 / 65536.0;
constexpr double kValueDefaultFineStepFactor = 0.01;

// The stored step for a given one.
constexpr double ScaledStep(double step)
{
    return step * kValueStepScale;
}

// The stored fine step for a given one, from the stored step when none is given.
constexpr double ScaledFineStep(double fineStep, double scaledStep)
{
    return fineStep == 0 ? scaledStep * kValueDefaultFineStepFactor : fineStep * kValueStepScale;
}
