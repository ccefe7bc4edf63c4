#pragma once
// One complete set of conversion parameters as a plain record: field N holds parameter N with
// the width of its kind (switch 8-bit, integer 32-bit, real 64-bit, text XAString), plus two
// tables of pointers into the record's own fields for its repeated entries.

#include "conversion/cvt_par_table.h"
#include "foundation/strings/xa_string.h"

#include <array>
#include <cstdint>

class LCvtPars
{
  public:
    // Reset groups and the exclusions that keep tagged fields out of a reset.
    static constexpr uint32_t kGroupMain = 0x1;
    static constexpr uint32_t kGroupSecond = 0x10;
    static constexpr uint32_t kGroupThird = 0x1000;
    static constexpr uint32_t kKeepFirst = 0x10000;
    static constexpr uint32_t kKeepSecond = 0x20000;
    static constexpr uint32_t kAllGroups = 0xFFFF;

    // Every field at its default.
    LCvtPars();
    // Copies point their tables at their own fields.
    LCvtPars(const LCvtPars& other);
    LCvtPars& operator=(const LCvtPars& other);
    ~LCvtPars() = default;

    // The field of parameter n, or null when n is not a parameter of that kind.
    uint8_t* Switch(int32_t n);
    int32_t* Int(int32_t n);
    double* Real(int32_t n);
    XAString* Text(int32_t n);
    const uint8_t* Switch(int32_t n) const { return const_cast<LCvtPars*>(this)->Switch(n); }
    const int32_t* Int(int32_t n) const { return const_cast<LCvtPars*>(this)->Int(n); }
    const double* Real(int32_t n) const { return const_cast<LCvtPars*>(this)->Real(n); }
    const XAString* Text(int32_t n) const { return const_cast<LCvtPars*>(this)->Text(n); }

    // Resets the fields whose tag shares a group bit with mask and no exclusion bit. Variant 1
    // gives parameters 294-298 their alternative values when the main group is reset.
    void SetDefaults(uint32_t mask, int32_t variant);

    // Member k of entry j is array k, index j. Entries 224-227, 228-231: real, real, real, integer.
    struct TwoEntryTables
    {
        std::array<double*, 2> first;
        std::array<double*, 2> second;
        std::array<double*, 2> third;
        std::array<int32_t*, 2> count;
    };
    // Entries 206-209, 210-213, 214-217, 218-221: switch, real, real, integer.
    struct FourEntryTables
    {
        std::array<uint8_t*, 4> enabled;
        std::array<double*, 4> first;
        std::array<double*, 4> second;
        std::array<int32_t*, 4> count;
    };
    TwoEntryTables TwoEntryPointers{};
    FourEntryTables FourEntryPointers{};

  private:
    void InitPointerTables();
    void ResetField(const CvtParDef& def, int32_t variant);

    std::array<uint8_t, 159> switches_{};
    std::array<int32_t, 76> ints_{};
    std::array<double, 109> reals_{};
    std::array<XAString, 10> texts_{};
};
