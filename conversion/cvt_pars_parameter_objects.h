#pragma once
// The process-wide conversion parameters: the record of their defaults, the dependency checker
// and one value handler per parameter, numbered 1 to 354. They are built before the program's
// own code runs, in that order, and destroyed at exit in the reverse order. The handlers carry
// no registry key: only code given a number reaches them.

#include <cstdint>

class LCvtPars;
class LCvtParsDependencyChecker;
class LValueHandler;

// The handler of parameter n (1 to 354); the fallback handler for any other number.
LValueHandler& CvtParsParameterObject(int32_t n);
// The record of the defaults, never changed after start-up.
const LCvtPars& CvtParsDefaults();
LCvtParsDependencyChecker& CvtParsDependencyCheckerObject();
