#include "import_hook.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>

void** FindImportSlot(const char* module, const char* routine)
{
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto* descriptor = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
    for (; descriptor->Name; ++descriptor) {
        if (module && _stricmp(reinterpret_cast<char*>(base + descriptor->Name), module) != 0) continue;
        DWORD namesAt = descriptor->OriginalFirstThunk ? descriptor->OriginalFirstThunk : descriptor->FirstThunk;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + namesAt);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + descriptor->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<char*>(byName->Name), routine) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void* SwapImportSlot(void** slot, void* value)
{
    void* previous = *slot;
    DWORD protection;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, protection, &protection);
    return previous;
}

ImportHook::ImportHook(const char* module, const char* routine, void* replacement)
    : slot_(FindImportSlot(module, routine)), original_(nullptr)
{
    if (!slot_) throw std::runtime_error(std::string("the test program does not import ") + module + "!" + routine);
    original_ = SwapImportSlot(slot_, replacement);
}

ImportHook::~ImportHook()
{
    SwapImportSlot(slot_, original_);
}
