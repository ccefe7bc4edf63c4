#include "messaging/doubles_nearly_equal.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRelativeTolerance = 1e-6;
constexpr double kSmallestTolerance = 1e-30;

} // namespace

bool DoublesNearlyEqual(double a, double b)
{
    const double tolerance =
        std::max(std::max(std::fabs(a), std::fabs(b)) * kRelativeTolerance, kSmallestTolerance);
    // The smaller value must lie within the tolerance around the larger one.
    if (std::fabs(a) >= std::fabs(b)) {
        return b >= a - tolerance && b <= a + tolerance;
    }
    return a >= b - tolerance && a <= b + tolerance;
}
