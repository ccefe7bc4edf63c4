#include "conversion/cvt_par_table.h"

#include <array>

namespace {

struct ValueRow
{
    const char* numbers; // "a, b-c, ..."
    CvtParKind kind;
    double defaultValue;
    double minimum;
    double maximum;
    double step;
    CvtParFormat format;
    const char* text;
};

struct TagRow
{
    uint32_t tag;
    const char* numbers;
};

constexpr const char* kSwitchesOn =
    "3-6, 10, 17, 23, 24, 38, 67, 68, 74, 75, 78, 79, 82, 83, 90, 93-95, 97, 99, 106, 108, 125, 129, 134, "
    "135, "
    "138, 144, 147, 150, 155, 156, 164, 165, 168, 173, 175, 177, 180, 187, 190, 193, 201, 204, 206, 210, "
    "214, "
    "222, 240, 245, 246, 251, 256, 260, 261, 269, 279, 280, 282, 286, 289, 308, 309, 319, 339, 340, 342, 349";
constexpr const char* kSwitchesOff =
    "1, 2, 7-9, 11-13, 16, 18-20, 32-34, 39, 40, 42-45, 48-50, 54, 56, 57, 62, 64, 69-73, 81, 85-89, 102, "
    "104, "
    "107, 109, 112-114, 122, 124, 132, 136, 139, 153, 157, 162, 166, 171, 172, 178, 182, 184, 188, 191, 194, "
    "196, "
    "200, 218, 255, 262, 302, 304, 320, 322-331, 334, 338, 343, 345, 350, 351";
constexpr double kSwitchStep = 0.1;

constexpr ValueRow kValueRows[] = {
    {"14", CvtParKind::kReal, 10, -1000000, 1000000, 0.001, {4, 4, 0}, nullptr},
    {"15", CvtParKind::kReal, 300, 1e-6, 1000000, 0.001, {4, 4, 0}, nullptr},
    {"21", CvtParKind::kReal, 1, -1000000, 1000000, 0.001, {3, 4, 0}, nullptr},
    {"22", CvtParKind::kReal, 0, -1000000, 1000000, 0.001, {3, 4, 0}, nullptr},
    {"25", CvtParKind::kReal, 0.0001, 0, 1, 1e-6, {1, 9, 0}, nullptr},
    {"26, 27, 29", CvtParKind::kReal, 1e-6, 0, 1, 1e-8, {1, 9, 0}, nullptr},
    {"28", CvtParKind::kReal, 1e-5, 0, 1, 1e-7, {1, 9, 0}, nullptr},
    {"30", CvtParKind::kReal, 0.1, 0, 1, 0.0001, {1, 9, 0}, nullptr},
    {"31", CvtParKind::kReal, 1e-8, 0, 1, 1e-10, {1, 9, 0}, nullptr},
    {"35-37", CvtParKind::kReal, 0, -1e99, 1e99, 0.0001, {4, 6, 0}, nullptr},
    {"41", CvtParKind::kReal, 0.5, 0, 1, 0.001, {1, 4, 0}, nullptr},
    {"46, 47", CvtParKind::kInteger, 0, 0, 100, 0.01, {}, nullptr},
    {"51-53, 321", CvtParKind::kInteger, 0, 0, 999999, 0.01, {}, nullptr},
    {"55, 59, 61", CvtParKind::kReal, 1, -1000000, 1000000, 0.0001, {1, 4, 0}, nullptr},
    {"58, 60", CvtParKind::kReal, -1, -1000000, 1000000, 0.0001, {1, 4, 0}, nullptr},
    {"63", CvtParKind::kReal, 10, 0.01, 1000, 0.001, {4, 2, 0}, nullptr},
    {"65", CvtParKind::kReal, 4, -9999.99, 9999.99, 0.0001, {4, 2, 0}, nullptr},
    {"66", CvtParKind::kReal, 3, -9999.99, 9999.99, 0.0001, {4, 2, 0}, nullptr},
    {"76", CvtParKind::kReal, 1e-5, 0, 1, 1e-7, {1, 6, 0}, nullptr},
    {"77", CvtParKind::kReal, 0, 0, 1, 1e-7, {1, 6, 0}, nullptr},
    {"80, 126, 141, 305", CvtParKind::kReal, 0.003, 0, 1, 1e-5, {1, 4, 0}, nullptr},
    {"84", CvtParKind::kInteger, 32, 0, 255, 0.01, {}, nullptr},
    {"91", CvtParKind::kReal, 0.5, 0, 9.9, 0.001, {1, 4, 0}, nullptr},
    {"92", CvtParKind::kInteger, 170, 0, 255, 0.01, {}, nullptr},
    {"96, 98", CvtParKind::kInteger, -1, -1, 10000, 0.01, {}, nullptr},
    {"100", CvtParKind::kInteger, -1, -1, 1000, 0.01, {}, nullptr},
    {"101, 199, 272, 275, 295, 297, 313, 315", CvtParKind::kInteger, 0, 0, 15, 0.01, {}, nullptr},
    {"103", CvtParKind::kReal, 1, 0, 9, 0.01, {3, 1, 0}, nullptr},
    {"105", CvtParKind::kInteger, 1, 0, 99, 0.01, {}, nullptr},
    {"110", CvtParKind::kInteger, 10, 0, 255, 0.01, {}, nullptr},
    {"111", CvtParKind::kInteger, 200, 0, 255, 0.01, {}, nullptr},
    {"115, 120", CvtParKind::kInteger, 32, 0, 512, 0.01, {}, nullptr},
    {"116, 118, 119, 133, 137, 154, 163, 167, 176, 185", CvtParKind::kInteger, 16, 0, 512, 0.01, {}, nullptr},
    {"117", CvtParKind::kInteger, 8, 0, 512, 0.01, {}, nullptr},
    {"121", CvtParKind::kInteger, 3, 0, 512, 0.01, {}, nullptr},
    {"123, 140, 148, 161", CvtParKind::kReal, 0.0001, 0, 1, 1e-6, {1, 4, 0}, nullptr},
    {"127", CvtParKind::kInteger, 3, 0, 10, 0.01, {}, nullptr},
    {"128", CvtParKind::kInteger, 0, 0, 10, 0.01, {}, nullptr},
    {"130", CvtParKind::kReal, 0.0001, 0, 1, 1e-5, {1, 4, 0}, nullptr},
    {"131", CvtParKind::kReal, 135, 0, 180, 0.1, {3, 1, 0}, nullptr},
    {"142, 145, 151, 306", CvtParKind::kReal, 0.0031, 0, 1, 1e-5, {1, 4, 0}, nullptr},
    {"143, 316, 341", CvtParKind::kReal, 0.02, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"146, 149, 152, 307", CvtParKind::kReal, 0, 0, 180, 0.1, {3, 1, 0}, nullptr},
    {"158, 179", CvtParKind::kReal, 0.01, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"159", CvtParKind::kReal, 1.3, 0, 10, 0.001, {1, 3, 0}, nullptr},
    {"160", CvtParKind::kReal, 0.001, 0, 1, 1e-5, {1, 3, 0}, nullptr},
    {"169, 170", CvtParKind::kReal, 0.005, 0, 1, 1e-5, {1, 4, 0}, nullptr},
    {"174, 195", CvtParKind::kReal, 0.01, 0, 1, 1e-5, {1, 4, 0}, nullptr},
    {"181, 183", CvtParKind::kReal, 0.001, 0, 1, 1e-6, {1, 4, 0}, nullptr},
    {"186", CvtParKind::kReal, 0.01, 0, 1, 5e-5, {1, 4, 0}, nullptr},
    {"189, 192", CvtParKind::kInteger, 1, 0, 50, 0.01, {}, nullptr},
    {"197", CvtParKind::kReal, 175, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"198, 312, 314", CvtParKind::kReal, 0, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"202", CvtParKind::kReal, 90, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"203, 209, 223, 227, 231, 311, 317", CvtParKind::kInteger, 4, 0, 15, 0.01, {}, nullptr},
    {"205, 276", CvtParKind::kReal, 0.015, 0, 1, 5e-5, {1, 4, 0}, nullptr},
    {"207", CvtParKind::kReal, 140, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"208, 212, 216, 220, 229", CvtParKind::kReal, 0.015, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"211", CvtParKind::kReal, 145, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"213, 235, 241, 278, 288", CvtParKind::kInteger, 3, 0, 15, 0.01, {}, nullptr},
    {"215", CvtParKind::kReal, 150, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"217", CvtParKind::kInteger, 2, 0, 15, 0.01, {}, nullptr},
    {"219", CvtParKind::kReal, 155, 0, 180, 0.01, {3, 1, 0}, nullptr},
    {"221, 277", CvtParKind::kInteger, 1, 0, 15, 0.01, {}, nullptr},
    {"224", CvtParKind::kReal, 1, 0, 100, 0.01, {3, 1, 0}, nullptr},
    {"225", CvtParKind::kReal, 0.008, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"226", CvtParKind::kReal, 2.005, 0, 4, 0.0001, {1, 4, 0}, nullptr},
    {"228", CvtParKind::kReal, 10, 0, 100, 0.01, {3, 1, 0}, nullptr},
    {"230", CvtParKind::kReal, 2.015, 0, 4, 0.0001, {1, 4, 0}, nullptr},
    {"232", CvtParKind::kInteger, 1, 1, 64, 0.01, {}, nullptr},
    {"233, 234", CvtParKind::kInteger, 5, 0, 50, 0.01, {}, nullptr},
    {"236, 290", CvtParKind::kReal, 30, 5, 200, 0.001, {3, 1, 0}, nullptr},
    {"237", CvtParKind::kReal, 0.07, 0.01, 1, 0.0001, {1, 4, 0}, nullptr},
    {"238, 294", CvtParKind::kInteger, 5, 0, 15, 0.01, {}, nullptr},
    {"239, 296", CvtParKind::kInteger, 6, 0, 15, 0.01, {}, nullptr},
    {"242, 244", CvtParKind::kReal, -2, -100, 100, 0.01, {3, 1, 0}, nullptr},
    {"243", CvtParKind::kReal, 10, -100, 100, 0.01, {3, 1, 0}, nullptr},
    {"247", CvtParKind::kReal, 0.99, 0, 1, 0.1, {1, 4, 0}, nullptr},
    {"248", CvtParKind::kInteger, 2, 0, 9999, 0.1, {}, nullptr},
    {"249", CvtParKind::kInteger, 6000, 0, 60000, 1, {}, nullptr},
    {"250", CvtParKind::kInteger, 1000, 0, 60000, 1, {}, nullptr},
    {"252, 254, 257, 259", CvtParKind::kReal, -2, -100, 100, 0.1, {3, 1, 0}, nullptr},
    {"253, 258", CvtParKind::kReal, 10, -100, 100, 0.1, {3, 1, 0}, nullptr},
    {"263, 310", CvtParKind::kReal, 0.03, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"264", CvtParKind::kInteger, 10, 0, 9999, 0.01, {}, nullptr},
    {"265", CvtParKind::kReal, 0.5, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"266", CvtParKind::kReal, 0.07, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"267", CvtParKind::kReal, 0.05, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"268, 299, 300", CvtParKind::kReal, 0.1, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"270, 273", CvtParKind::kReal, 0.4, 0, 1, 0.0001, {1, 4, 0}, nullptr},
    {"271, 274", CvtParKind::kInteger, 5, 0, 100, 0.01, {}, nullptr},
    {"281", CvtParKind::kReal, 0.06, 0.005, 1, 5e-5, {1, 4, 0}, nullptr},
    {"283", CvtParKind::kReal, 0.12, 0.005, 1, 5e-5, {1, 4, 0}, nullptr},
    {"284", CvtParKind::kReal, 0.02, 0.005, 1, 5e-5, {1, 4, 0}, nullptr},
    {"285", CvtParKind::kInteger, 2, 1, 15, 0.01, {}, nullptr},
    {"287", CvtParKind::kReal, 0.0125, 0.0001, 1, 5e-5, {1, 4, 0}, nullptr},
    {"291, 292", CvtParKind::kReal, 0.08, 0.01, 1, 1e-5, {1, 4, 0}, nullptr},
    {"293", CvtParKind::kInteger, 20, 0, 50, 0.01, {}, nullptr},
    {"298", CvtParKind::kInteger, 0, 0, 32, 0.01, {}, nullptr},
    {"301", CvtParKind::kInteger, 0, 0, 4096, 0.01, {}, nullptr},
    {"303", CvtParKind::kInteger, 600, 0, 4096, 2, {}, nullptr},
    {"318, 332, 333, 337, 344, 346, 353, 354", CvtParKind::kText, 0, 0, 0, 0, {}, ""},
    {"335", CvtParKind::kText, 0, 0, 0, 0, {}, "C:\\AutoSave\\vuRant"},
    {"336", CvtParKind::kText, 0, 0, 0, 0, {}, "vuRant"},
    {"347, 348", CvtParKind::kInteger, 0, 0, 32767, 0.01, {}, nullptr},
    {"352", CvtParKind::kInteger, 4000, 0, 99999, 0.01, {}, nullptr},
};

constexpr TagRow kTagRows[] = {
    {0x20010, "1-11"},
    {0x10, "13-24"},
    {0x21000, "12, 48-53, 318-354"},
    {0x1000, "25-42, 224-239, 304-317"},
    {0x10001, "67-80, 90-122, 128, 156"},
    {0x1, "43-47, 54-66, 81-89, 123-127, 129-155, 157-223, 240-303"},
};

using DefTable = std::array<CvtParDef, kCvtParCount + 1>;

// Calls visit(n) for every number of a list such as "3-6, 10".
template <typename Visit> constexpr void ForEachNumber(const char* list, Visit visit)
{
    const char* p = list;
    while (*p != '\0') {
        while (*p == ' ' || *p == ',') {
            ++p;
        }
        int32_t first = 0;
        while (*p >= '0' && *p <= '9') {
            first = first * 10 + (*p++ - '0');
        }
        int32_t last = first;
        if (*p == '-') {
            ++p;
            last = 0;
            while (*p >= '0' && *p <= '9') {
                last = last * 10 + (*p++ - '0');
            }
        }
        for (int32_t n = first; n <= last; ++n) {
            visit(n);
        }
    }
}

constexpr void Define(DefTable& table, int32_t n, const CvtParDef& def)
{
    if (n >= 1 && n <= kCvtParCount) {
        table[static_cast<std::size_t>(n)] = def;
        table[static_cast<std::size_t>(n)].number = n;
    }
}

constexpr void DefineSwitches(DefTable& table, const char* list, double value)
{
    ForEachNumber(list, [&](int32_t n) {
        Define(table, n, {0, CvtParKind::kSwitch, value, 0.0, 1.0, kSwitchStep, {}, nullptr, 0, 0});
    });
}

constexpr DefTable BuildDefinitions()
{
    DefTable table{};
    DefineSwitches(table, kSwitchesOn, 1.0);
    DefineSwitches(table, kSwitchesOff, 0.0);
    for (const ValueRow& row : kValueRows) {
        ForEachNumber(row.numbers, [&](int32_t n) {
            Define(table, n,
                   {0, row.kind, row.defaultValue, row.minimum, row.maximum, row.step, row.format, row.text,
                    0, 0});
        });
    }
    for (const TagRow& row : kTagRows) {
        ForEachNumber(row.numbers, [&](int32_t n) { table[static_cast<std::size_t>(n)].tag = row.tag; });
    }
    std::array<int32_t, 4> slots{};
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        CvtParDef& def = table[static_cast<std::size_t>(n)];
        def.slot = slots[static_cast<std::size_t>(def.kind)]++;
    }
    return table;
}

// Every number stands in exactly one value list (switches or rows) and in exactly one tag row.
constexpr bool EveryNumberListedOnce()
{
    std::array<int32_t, kCvtParCount + 2> values{};
    std::array<int32_t, kCvtParCount + 2> tags{};
    auto count = [](std::array<int32_t, kCvtParCount + 2>& seen) {
        return [&seen](int32_t n) { ++seen[static_cast<std::size_t>(n >= 1 && n <= kCvtParCount ? n : 0)]; };
    };
    ForEachNumber(kSwitchesOn, count(values));
    ForEachNumber(kSwitchesOff, count(values));
    for (const ValueRow& row : kValueRows) {
        ForEachNumber(row.numbers, count(values));
    }
    for (const TagRow& row : kTagRows) {
        ForEachNumber(row.numbers, count(tags));
    }
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        if (values[static_cast<std::size_t>(n)] != 1 || tags[static_cast<std::size_t>(n)] != 1) {
            return false;
        }
    }
    return values[0] == 0 && tags[0] == 0;
}

static_assert(EveryNumberListedOnce(), "every conversion parameter is defined and tagged exactly once");

constexpr DefTable kDefinitions = BuildDefinitions();

constexpr std::array<int32_t, 4> CountKinds()
{
    std::array<int32_t, 4> counts{};
    for (int32_t n = 1; n <= kCvtParCount; ++n) {
        ++counts[static_cast<std::size_t>(kDefinitions[static_cast<std::size_t>(n)].kind)];
    }
    return counts;
}

constexpr std::array<int32_t, 4> kKindCounts = CountKinds();

} // namespace

const CvtParDef& CvtParDefinition(int32_t number)
{
    const bool valid = number >= 1 && number <= kCvtParCount;
    return kDefinitions[static_cast<std::size_t>(valid ? number : 0)];
}

int32_t CvtParKindCount(CvtParKind kind)
{
    return kKindCounts[static_cast<std::size_t>(kind)];
}
