#include "foundation/strings/xa_string.h"

XAString XAString::FormatV(const char* format, FormatArgs args)
{
    char text[kFormatBufferSize];
    FormatStringV(format, text, args);
    return XAString(text);
}
