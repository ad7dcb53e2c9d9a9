// Replaces a routine that the test program imports from a system module, for
// the life of one object: every call that the program's own code makes
// through its import table (the system's code under test included) reaches
// the replacement, which may forward to the original. The system's code
// stays plain; the test sees which system calls it makes.
#pragma once

#include "platform.h"

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
