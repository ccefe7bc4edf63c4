#pragma once
// The definitions of the 354 conversion parameters, addressed by number (1 to 354): kind,
// default, range, step, text format and reset group tag. Handlers, record fields, defaults
// and tags all derive from this one table.

#include <cstdint>

enum class CvtParKind : uint8_t { kSwitch, kInteger, kReal, kText };

// Digits before and after the decimal point of a real's text form, and the third format integer.
struct CvtParFormat
{
    int32_t before = 0;
    int32_t after = 0;
    int32_t extra = 0;
};

struct CvtParDef
{
    int32_t number = 0; // 0: not defined
    CvtParKind kind = CvtParKind::kSwitch;
    double defaultValue = 0.0;
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;
    CvtParFormat format;
    const char* text = nullptr; // default of a text parameter
    uint32_t tag = 0;           // reset group in the low 16 bits, exclusion in the high 16
    int32_t slot = 0;           // position among the parameters of the same kind
};

constexpr int32_t kCvtParCount = 354;
constexpr int32_t kCvtTextMaxLength = 255;

// Number 1..354; any other number gives a definition with number 0.
const CvtParDef& CvtParDefinition(int32_t number);
// How many parameters have this kind.
int32_t CvtParKindCount(CvtParKind kind);
