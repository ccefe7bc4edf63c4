#include "platform/internal/font_match.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <string_view>

namespace {

struct PatternDeleter
{
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

const char* AsText(const FcChar8* text)
{
    return reinterpret_cast<const char*>(text);
}

// The family that answers the request: the one equal to the asked name, else the first.
void PickFamily(FcPattern* font, const std::string& asked, FontMatch& match)
{
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(font, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        if (SameNameIgnoringCase(AsText(family), asked)) {
            match.family = AsText(family);
            match.exact = true;
            return;
        }
        if (i == 0)
            match.family = AsText(family);
    }
}

} // namespace

std::optional<FontMatch> MatchFontFamily(const std::string& family, int32_t weight, bool italic)
{
    PatternPtr request(FcPatternCreate());
    if (!request)
        return std::nullopt;
    const auto* name = reinterpret_cast<const FcChar8*>(family.c_str());
    const int openTypeWeight = weight > 0 ? weight : kFontWeightNormal;
    FcPatternAddString(request.get(), FC_FAMILY, name);
    FcPatternAddInteger(request.get(), FC_WEIGHT, FcWeightFromOpenType(openTypeWeight));
    FcPatternAddInteger(request.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(request.get(), FC_SCALABLE, FcTrue);
    if (!FcConfigSubstitute(nullptr, request.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(request.get());

    FcResult result = FcResultNoMatch;
    PatternPtr font(FcFontMatch(nullptr, request.get(), &result));
    FcChar8* file = nullptr;
    if (!font || FcPatternGetString(font.get(), FC_FILE, 0, &file) != FcResultMatch)
        return std::nullopt;
    FontMatch match;
    match.file = AsText(file);
    int index = 0;
    if (FcPatternGetInteger(font.get(), FC_INDEX, 0, &index) == FcResultMatch)
        match.index = index;
    PickFamily(font.get(), family, match);
    return match;
}

std::optional<FontMatch> MatchFontSpec(const FontSpec& spec)
{
    std::optional<FontMatch> asked;
    if (!spec.faceName.empty()) {
        asked = MatchFontFamily(spec.faceName, spec.weight, spec.italic);
        if (asked && asked->exact)
            return asked;
    }
    std::optional<FontMatch> fallback = MatchFontFamily(kDefaultFontFace, spec.weight, spec.italic);
    if (fallback && fallback->exact)
        return fallback;
    return asked ? asked : fallback;
}
