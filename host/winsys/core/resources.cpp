// The executable's module and the Win32 resource calls on its embedded
// .res file.

#include "../winsys.h"
#include "resource_file.h"

// Where the linked .res file begins and ends. Weak, so that a program that
// links no resources still links, with a module that has none.
extern "C" {
extern const uint8_t winsys_module_resources[] __attribute__((weak));
extern const uint8_t winsys_module_resources_end[] __attribute__((weak));
}

struct HINSTANCE__ {
    const uint8_t* resources;
    const uint8_t* resourcesEnd;
};

namespace {

HINSTANCE__ executable = {winsys_module_resources, winsys_module_resources_end};

HMODULE Resolve(HMODULE module) { return module ? module : &executable; }

size_t ResourceBytes(HMODULE module)
{
    if (!module->resources || module->resourcesEnd < module->resources) return 0;
    return static_cast<size_t>(module->resourcesEnd - module->resources);
}

HRSRC Find(HMODULE module, LPCSTR type, LPCSTR name, int32_t language)
{
    module = Resolve(module);
    winsys::ResourceEntry entry;
    if (!winsys::FindResourceEntry(module->resources, ResourceBytes(module), type, name, language, entry))
        return nullptr;
    // The handle is the entry itself: its header is known to be sound.
    return reinterpret_cast<HRSRC>(const_cast<uint8_t*>(entry.start));
}

// A handle from Find: re-reading its header cannot fail.
winsys::ResourceEntry EntryOf(HRSRC resource)
{
    const auto* start = reinterpret_cast<const uint8_t*>(resource);
    size_t offset = 0;
    winsys::ResourceEntry entry{};
    winsys::ReadResourceEntry(start, SIZE_MAX, offset, entry);
    return entry;
}

}  // namespace

HMODULE GetModuleHandleA(LPCSTR moduleName) { return moduleName ? nullptr : &executable; }

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) { return Find(module, type, name, -1); }

HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language)
{
    return Find(module, type, name, language);
}

DWORD SizeofResource(HMODULE module, HRSRC resource) { return resource ? EntryOf(resource).size : 0; }

HGLOBAL LoadResource(HMODULE module, HRSRC resource)
{
    return resource ? const_cast<uint8_t*>(EntryOf(resource).data) : nullptr;
}

LPVOID LockResource(HGLOBAL data) { return data; }

BOOL EnumResourceLanguagesA(HMODULE module, LPCSTR type, LPCSTR name, ENUMRESLANGPROCA callback, LONG_PTR param)
{
    if (!callback) return FALSE;
    module = Resolve(module);
    bool found = false, stopped = false;
    winsys::ForEachResourceEntry(module->resources, ResourceBytes(module), type, name,
                                 [&](const winsys::ResourceEntry& entry) {
                                     found = true;
                                     stopped = !callback(module, type, name, entry.language, param);
                                     return !stopped;
                                 });
    return found && !stopped ? TRUE : FALSE;
}
