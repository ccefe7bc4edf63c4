// Pages from anywhere: the reader must finish, keep every object's size in range and hand every
// PARAM to an object only once per name, whatever the bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "apps/host/page/page_reader.h"
#include "platform/com/ascii_case.h"

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    for (const PageObject& object : ReadPageObjects(html)) {
        Check(object.width >= 0 && object.width <= 1 << 16);
        Check(object.height >= 0 && object.height <= 1 << 16);
        for (size_t i = 0; i < object.params.size(); ++i) {
            Check(!object.params[i].first.empty());
            for (size_t j = i + 1; j < object.params.size(); ++j) {
                Check(!EqualsIgnoringAsciiCase(object.params[i].first, object.params[j].first));
            }
        }
    }
    return 0;
}
