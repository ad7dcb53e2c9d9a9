// GetGuiResources gives the object count on Windows but is a stub under
// Wine (it returns 0), and it has no count of device contexts alone. Both
// numbers are also in the GDI handle table, which the process environment
// block points to on Windows and on Wine alike: one 24-byte entry per
// handle, its owner's process number in bytes 8-9 (0 for shared stock
// objects, and always 0 in Wine, whose table is the process's own) and its
// object type in byte 14 (0 for a free entry, 1 for a device
// context).
#include "gdi_count.h"

#include <windows.h>
#include <winternl.h>

#include <cstddef>

namespace {

constexpr size_t kEntrySize = 24;
constexpr size_t kTypeOffset = 14;
constexpr size_t kEntries = 16384;
constexpr size_t kOwnerOffset = 8;
constexpr unsigned char kDeviceContext = 1;

const unsigned char* HandleTable()
{
#ifdef _WIN64
    constexpr size_t kTableOffset = 0xF8;
#else
    constexpr size_t kTableOffset = 0x94;
#endif
    typedef LONG(WINAPI * QueryProcess)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic = {};
    query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr);
    auto peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    return *reinterpret_cast<const unsigned char* const*>(peb + kTableOffset);
}

}  // namespace

GdiCount CountGdiObjects()
{
    GdiCount count = {0, 0};
    const unsigned char* table = HandleTable();
    const DWORD process = GetCurrentProcessId();
    for (size_t i = 0; i < kEntries; ++i) {
        const unsigned char* entry = table + i * kEntrySize;
        WORD owner = *reinterpret_cast<const WORD*>(entry + kOwnerOffset);
        if (owner != 0 && owner != static_cast<WORD>(process)) continue;
        unsigned char type = entry[kTypeOffset];
        if (type != 0) ++count.objects;
        if (type == kDeviceContext) ++count.deviceContexts;
    }
    DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) count.objects = reported;
    return count;
}
