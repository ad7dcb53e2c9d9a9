// Replaces a routine that the test program imports from a system module, for
// the life of one object: every call that the program's own code makes
// through its import table (the system's code under test included) reaches
// the replacement, which may forward to the original. The system's code
// stays plain; the test sees which system calls it makes.
#pragma once

#include "platform.h"

// The test program's import slot of module!routine (module null: any
// module), or null when the program does not import it.
void** FindImportSlot(const char* module, const char* routine);

// Writes the slot and returns what it held.
void* SwapImportSlot(void** slot, void* value);

class ImportHook {
public:
    ImportHook(const char* module, const char* routine, void* replacement);
    ~ImportHook();
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;

    template <typename Proc>
    Proc Original() const
    {
        return reinterpret_cast<Proc>(original_);
    }

private:
    void** slot_;
    void* original_;
};
