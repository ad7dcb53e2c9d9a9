// Feeds arbitrary bytes to the .res reader: it must never read outside
// them, whatever they hold.

#include "winsys/core/resource_file.h"
#include "winsys/winsys.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    size_t offset = 0;
    winsys::ResourceEntry entry;
    while (offset < size && winsys::ReadResourceEntry(data, size, offset, entry)) {
        if (entry.data < data || entry.size > size - static_cast<size_t>(entry.data - data)) std::abort();
    }
    const char* const types[] = {RT_BITMAP, "WAVE", RT_ICON};
    const char* const names[] = {"BITMAP00", "#148", MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(170)};
    for (const char* type : types) {
        for (const char* name : names) {
            if (winsys::FindResourceEntry(data, size, type, name, -1, entry) &&
                entry.size > size - static_cast<size_t>(entry.data - data))
                std::abort();
        }
    }
    return 0;
}
