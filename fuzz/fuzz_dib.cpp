// A packed DIB as another program could leave it on the clipboard.
#include "foundation/pictures/dib_exchange.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const XAString dib(std::string_view(reinterpret_cast<const char*>(data), size));
    HImageRef image;
    HImageFromDIB(image, dib, "clipboard", true, false);
    HImageFromDIB(image, dib, "clipboard", false, true);
    return 0;
}
