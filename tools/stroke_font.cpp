#include "tools/stroke_font.h"

#include <array>
#include <cctype>

namespace {

using Line = std::span<const StrokePoint>;

constexpr StrokePoint kZ[] = {{0, 6}, {4, 6}, {0, 0}, {4, 0}};
constexpr StrokePoint kYArms[] = {{0, 6}, {2, 3}, {4, 6}};
constexpr StrokePoint kYStem[] = {{2, 3}, {2, 0}};
constexpr StrokePoint kL[] = {{0, 6}, {0, 0}, {4, 0}};
constexpr StrokePoint kA[] = {{0, 0}, {2, 6}, {4, 0}};
constexpr StrokePoint kABar[] = {{1, 3}, {3, 3}};
constexpr StrokePoint kS[] = {{4, 6}, {0, 6}, {0, 3}, {4, 3}, {4, 0}, {0, 0}};
constexpr StrokePoint kE[] = {{4, 6}, {0, 6}, {0, 0}, {4, 0}};
constexpr StrokePoint kEBar[] = {{0, 3}, {3, 3}};
constexpr StrokePoint kR[] = {{0, 0}, {0, 6}, {4, 6}, {4, 3}, {0, 3}, {4, 0}};
constexpr StrokePoint kO[] = {{0, 0}, {0, 6}, {4, 6}, {4, 0}, {0, 0}};
constexpr StrokePoint kH[] = {{0, 0}, {0, 6}};
constexpr StrokePoint kHRight[] = {{4, 0}, {4, 6}};
constexpr StrokePoint kHBar[] = {{0, 3}, {4, 3}};
constexpr StrokePoint kW[] = {{0, 6}, {1, 0}, {2, 3}, {3, 0}, {4, 6}};

constexpr Line kZLines[] = {kZ};
constexpr Line kYLines[] = {kYArms, kYStem};
constexpr Line kLLines[] = {kL};
constexpr Line kALines[] = {kA, kABar};
constexpr Line kSLines[] = {kS};
constexpr Line kELines[] = {kE, kEBar};
constexpr Line kRLines[] = {kR};
constexpr Line kOLines[] = {kO};
constexpr Line kHLines[] = {kH, kHRight, kHBar};
constexpr Line kWLines[] = {kW};

constexpr StrokeLetter kLetters[] = {
    {'Z', kZLines}, {'Y', kYLines}, {'L', kLLines}, {'A', kALines}, {'S', kSLines},
    {'E', kELines}, {'R', kRLines}, {'O', kOLines}, {'H', kHLines}, {'W', kWLines},
};

} // namespace

const StrokeLetter& StrokeLetterOf(char letter)
{
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
    for (const StrokeLetter& known : kLetters) {
        if (known.letter == upper)
            return known;
    }
    static constexpr StrokeLetter kBox = {'?', kOLines};
    return kBox;
}
