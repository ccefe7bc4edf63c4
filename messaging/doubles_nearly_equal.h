#pragma once
// The one comparison of reals that the value model uses: equal within a relative tolerance of
// one millionth of the larger magnitude, and never a tolerance below 1e-30.

bool DoublesNearlyEqual(double a, double b);
