// The compiled resource (.res) format that windres and rc write: the
// resources of a module on platforms whose executables carry none.
//
// A file is a sequence of entries, each aligned to 4 bytes:
//   DWORD DataSize, DWORD HeaderSize,
//   TYPE and NAME, each 0xFFFF followed by a WORD number, or a UTF-16 string
//   ending in a NUL, then padding to 4 bytes,
//   DWORD DataVersion, WORD MemoryFlags, WORD LanguageId, DWORD Version,
//   DWORD Characteristics,
//   DataSize bytes of data, then padding to 4 bytes.
// All numbers are little-endian. The file is read in place: nothing is
// copied or allocated, and an entry's address serves as its handle.
#pragma once

#include <cstddef>
#include <cstdint>

namespace winsys {

// A type or name as the file stores it: a number, or a UTF-16 string of
// `length` code units at `text` (not aligned, little-endian).
struct ResourceKey {
    const uint8_t* text;  // null for a number
    size_t length;
    uint16_t number;
};

struct ResourceEntry {
    const uint8_t* start;  // where the entry begins in the file
    ResourceKey type;
    ResourceKey name;
    uint16_t language;
    const uint8_t* data;
    uint32_t size;
};

// True when the whole file reads as entries, to its last byte. A file that
// does not (truncated, a size or string past its end, a header whose size
// disagrees with its fields) is treated as holding no resources at all.
bool IsWellFormedResourceFile(const uint8_t* file, size_t size);

// Reads the entry that begins at `offset` and moves `offset` to the next
// one; false when the bytes there are not an entry.
bool ReadResourceEntry(const uint8_t* file, size_t size, size_t& offset, ResourceEntry& entry);

// Whether a stored key matches a key as the Win32 calls take it: a number
// made with MAKEINTRESOURCEA (or written "#123"), or a string compared
// without regard to the case of ASCII letters.
bool ResourceKeyMatches(const ResourceKey& key, const char* wanted);

// Calls visit(entry) with each entry of this type and name, in file order,
// until it returns false. A file that is not well formed has no entries.
template <typename Visit>
void ForEachResourceEntry(const uint8_t* file, size_t size, const char* type, const char* name, Visit visit)
{
    if (!type || !name || !IsWellFormedResourceFile(file, size)) return;
    size_t offset = 0;
    ResourceEntry entry;
    while (offset < size && ReadResourceEntry(file, size, offset, entry)) {
        if (ResourceKeyMatches(entry.type, type) && ResourceKeyMatches(entry.name, name) && !visit(entry)) return;
    }
}

// The first entry of this type and name in a well-formed file; any
// language when `language` is negative. False when there is none.
bool FindResourceEntry(const uint8_t* file, size_t size, const char* type, const char* name,
                       int32_t language, ResourceEntry& found);

}  // namespace winsys
