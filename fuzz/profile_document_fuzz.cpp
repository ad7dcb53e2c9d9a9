// Feeds arbitrary bytes to the Linux layer's profile reader and writer.
// Beyond not crashing, a value just written must be what is read back,
// also after the text is parsed anew.

#include "winsys/core/profile_document.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    winsys::ProfileDocument document(text);
    std::optional<std::string> before = document.Find("SPEED_SECTION", "SPEED");
    winsys::ProfileValueToInt(before.value_or(""), 2);

    document.Set("SPEED_SECTION", "SPEED", "-4");
    if (document.Find("SPEED_SECTION", "SPEED") != std::optional<std::string>("-4")) std::abort();
    winsys::ProfileDocument reread(document.Text());
    if (reread.Find("SPEED_SECTION", "SPEED") != std::optional<std::string>("-4")) std::abort();
    if (winsys::ProfileValueToInt("-4", 2) != static_cast<unsigned>(-4)) std::abort();
    return 0;
}
