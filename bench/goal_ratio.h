// A ratio and the goal set for it, printed side by side: a benchmark with a goal reports its
// rate against a reference measured earlier in the same run (ratio_to_<reference>) and the
// counter "goal" with the least ratio it is meant to reach, so that one run shows whether it
// does.
#pragma once

#include "bench/throughput_ratio.h"

#include <string>

inline void ReportRatioAndGoal(benchmark::State& state, const std::string& reference, double bytesPerSecond,
                               double goal)
{
    ReportRatio(state, reference, bytesPerSecond);
    state.counters["goal"] = goal;
}
