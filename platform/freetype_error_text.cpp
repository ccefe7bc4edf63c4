#include "platform/internal/freetype_error_text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

// The error list expanded as the cases of a switch, as fterrors.h means it to be used.
const char* KnownErrorText(int error)
{
#undef FTERRORS_H_
#define FT_ERROR_START_LIST switch (error) {
#define FT_ERRORDEF(e, v, s)                                                                                 \
    case v:                                                                                                  \
        return s;
#define FT_ERROR_END_LIST }
#include FT_ERRORS_H
    return nullptr;
}

} // namespace

std::string FreeTypeErrorText(int error)
{
    const std::string number = "FreeType error " + std::to_string(error);
    const char* text = KnownErrorText(error);
    return text != nullptr ? std::string(text) + " (" + number + ")" : number;
}
