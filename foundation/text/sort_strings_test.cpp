#include "foundation/text/sort_strings.h"

#include "foundation/text/text_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

namespace {

bool NaturalLess(const char* a, const char* b)
{
    return StrCompareNatural(a, b) < 0;
}

bool ByteLess(const char* a, const char* b)
{
    return std::string_view(a) < std::string_view(b);
}

std::vector<XAString> Strings(const std::vector<std::string>& texts)
{
    std::vector<XAString> strings;
    for (const std::string& text : texts)
        strings.emplace_back(text.c_str());
    return strings;
}

std::vector<std::string> Texts(const std::vector<XAString>& strings)
{
    std::vector<std::string> texts;
    for (const XAString& s : strings)
        texts.emplace_back(s.CStr());
    return texts;
}

TEST(SortStrings, FileListInNaturalOrder)
{
    std::vector<XAString> files =
        Strings({"show10.zyl", "Show2.zyl", "show1.zyl", "show02.zyl", "intro.zyl"});
    XAString scratch;
    SortStrings(files.data(), scratch, 0, static_cast<int32_t>(files.size()) - 1, &NaturalLess);
    EXPECT_EQ(Texts(files),
              (std::vector<std::string>{"intro.zyl", "show1.zyl", "Show2.zyl", "show02.zyl", "show10.zyl"}));
}

TEST(SortStrings, EmptyAndReversedRangesDoNothing)
{
    const std::vector<std::string> texts{"c", "b", "a"};
    for (const auto& [first, last] : {std::pair{1, 1}, std::pair{2, 0}, std::pair{0, -1}}) {
        std::vector<XAString> strings = Strings(texts);
        XAString scratch;
        SortStrings(strings.data(), scratch, first, last, &ByteLess);
        EXPECT_EQ(Texts(strings), texts);
    }
}

TEST(SortStrings, SortsOnlyTheRangeAndMovesBlocksNotTexts)
{
    std::vector<XAString> strings = Strings({"z", "d", "c", "b", "a", "0"});
    const XABlock blockOfB = strings[3].Block();
    XAString scratch;
    SortStrings(strings.data(), scratch, 1, 4, &ByteLess);
    EXPECT_EQ(Texts(strings), (std::vector<std::string>{"z", "a", "b", "c", "d", "0"}));
    EXPECT_EQ(strings[2].Block(), blockOfB);
}

std::string RandomName(std::mt19937& random)
{
    static constexpr char kAlphabet[] = "aAbB0123456789#u_/.";
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<int> pick(0, sizeof(kAlphabet) - 2);
    std::string name;
    for (int n = length(random); n > 0; --n)
        name += kAlphabet[pick(random)];
    return name;
}

// Against std::sort with the same order: equal elements may stand in another order, so each
// position must hold an element equivalent to std::sort's.
TEST(SortStrings, AgreesWithStdSort)
{
    std::mt19937 random(20240611);
    for (SortPredicate less : {&NaturalLess, &ByteLess}) {
        for (int round = 0; round < 300; ++round) {
            std::vector<std::string> texts(random() % 200);
            for (std::string& text : texts)
                text = RandomName(random);
            std::vector<XAString> strings = Strings(texts);
            XAString scratch;
            SortStrings(strings.data(), scratch, 0, static_cast<int32_t>(strings.size()) - 1, less);

            std::vector<std::string> expected = texts;
            std::sort(expected.begin(), expected.end(), [less](const std::string& a, const std::string& b) {
                return less(a.c_str(), b.c_str());
            });
            std::vector<std::string> sorted = Texts(strings);
            ASSERT_EQ(sorted.size(), expected.size());
            for (std::size_t i = 0; i < sorted.size(); ++i) {
                ASSERT_FALSE(less(sorted[i].c_str(), expected[i].c_str()) ||
                             less(expected[i].c_str(), sorted[i].c_str()))
                    << i << ": " << sorted[i] << " / " << expected[i];
            }
            std::sort(sorted.begin(), sorted.end());
            std::sort(texts.begin(), texts.end());
            ASSERT_EQ(sorted, texts); // a permutation of the input
        }
    }
}

// An input made to make every pivot the largest element of its range (an adversary that
// assigns values only as the sort compares them), so that the part left of the pivot is as large
// as it can be. The stack depth stays small when the sort recurses into the smaller part.
struct Adversary
{
    static constexpr int kGas = -1; // not yet decided; below every decided value

    static inline std::vector<int> value;
    static inline int candidate = 0;
    static inline int nextSolid = 0;
    static inline const char* lowestStack = nullptr;

    static int Id(const char* text) { return std::stoi(text); }
    static void Freeze(int id) { value[id] = nextSolid--; }
    static bool Less(const char* a, const char* b)
    {
        const int x = Id(a);
        const int y = Id(b);
        if (value[x] == kGas && value[y] == kGas)
            Freeze(x == candidate ? x : y);
        if (value[x] == kGas)
            candidate = x;
        else if (value[y] == kGas)
            candidate = y;
        return value[x] < value[y];
    }
    static bool RecordingLess(const char* a, const char* b)
    {
        const char probe = 0;
        if (!lowestStack || &probe < lowestStack)
            lowestStack = &probe;
        return std::string_view(a) < std::string_view(b);
    }
};

std::vector<XAString> Numbered(const std::vector<int>& values)
{
    std::vector<XAString> strings;
    for (int v : values) {
        char text[16];
        std::snprintf(text, sizeof(text), "%08d", v);
        strings.emplace_back(text);
    }
    return strings;
}

TEST(SortStrings, StackStaysShallowOnAnAdversarialInput)
{
    constexpr int kCount = 3000;
    constexpr std::ptrdiff_t kStackAllowance = 64 * 1024;
    Adversary::value.assign(kCount, Adversary::kGas);
    Adversary::nextSolid = kCount - 1;
    std::vector<int> ids(kCount);
    for (int i = 0; i < kCount; ++i)
        ids[i] = i;
    std::vector<XAString> probe = Numbered(ids);
    XAString scratch;
    SortStrings(probe.data(), scratch, 0, kCount - 1, &Adversary::Less);
    for (int& v : Adversary::value) {
        if (v == Adversary::kGas)
            v = Adversary::nextSolid--;
    }

    std::vector<XAString> input = Numbered(Adversary::value);
    const char base = 0;
    Adversary::lowestStack = &base;
    SortStrings(input.data(), scratch, 0, kCount - 1, &Adversary::RecordingLess);
    EXPECT_LT(&base - Adversary::lowestStack, kStackAllowance);
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(std::stoi(input[i].CStr()), i);
}

} // namespace
