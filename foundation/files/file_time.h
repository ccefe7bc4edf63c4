// Times as file times: 100-nanosecond intervals since 1 January 1601 (UTC), the unit of the
// enciphered stream's start value and of the directory entries' dates.
#pragma once

#include "foundation/text/calendar_date.h"

#include <cstdint>
#include <ctime>

uint64_t FileTimeFromTimespec(const timespec& t);
// The current time of CLOCK_REALTIME.
uint64_t FileTimeNow();
// {high, low, local offset}, the input of FileTimeToDayTime.
FileTimeRecord FileTimeRecordOf(const timespec& t);
