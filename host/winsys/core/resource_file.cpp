// Reads .res files in place. Every read is checked against the bounds it
// is allowed to touch, so a damaged file can only fail to match.

#include "resource_file.h"

namespace winsys {

namespace {

constexpr size_t kFixedTail = 16;  // DataVersion to Characteristics
constexpr size_t kMinimumHeader = 8 + 4 + 4 + kFixedTail;

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

uint32_t Dword(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

size_t AlignUp4(size_t n) { return (n + 3) & ~static_cast<size_t>(3); }

// Reads a type or name at `pos`, which must end at or before `end`.
bool ReadKey(const uint8_t* file, size_t& pos, size_t end, ResourceKey& key)
{
    if (end - pos < 2) return false;
    if (Word(file + pos) == 0xFFFF) {
        if (end - pos < 4) return false;
        key = ResourceKey{nullptr, 0, Word(file + pos + 2)};
        pos += 4;
        return true;
    }
    for (size_t at = pos; end - at >= 2; at += 2) {
        if (Word(file + at) == 0) {
            key = ResourceKey{file + pos, (at - pos) / 2, 0};
            pos = at + 2;
            return true;
        }
    }
    return false;  // no terminator inside the header
}

uint16_t AsciiUpper(uint16_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint16_t>(c - 'a' + 'A') : c; }

// "#123" names a number on Windows; anything else after '#' is a string.
bool ParseNumberName(const char* text, uint16_t& number)
{
    if (text[0] != '#' || text[1] == '\0') return false;
    uint32_t value = 0;
    for (const char* c = text + 1; *c; ++c) {
        if (*c < '0' || *c > '9') return false;
        value = value * 10 + static_cast<uint32_t>(*c - '0');
        if (value > 0xFFFF) return false;
    }
    number = static_cast<uint16_t>(value);
    return true;
}

}  // namespace

bool ReadResourceEntry(const uint8_t* file, size_t size, size_t& offset, ResourceEntry& entry)
{
    if (offset > size || size - offset < 8) return false;
    const uint32_t dataSize = Dword(file + offset);
    const uint32_t headerSize = Dword(file + offset + 4);
    const size_t room = size - offset;
    if (headerSize < kMinimumHeader || headerSize % 4 != 0 || headerSize > room) return false;
    if (dataSize > room - headerSize) return false;

    const size_t headerEnd = offset + headerSize;
    const size_t keysEnd = headerEnd - kFixedTail;
    size_t pos = offset + 8;
    if (!ReadKey(file, pos, keysEnd, entry.type) || !ReadKey(file, pos, keysEnd, entry.name)) return false;
    if (AlignUp4(pos) != keysEnd) return false;

    entry.start = file + offset;
    entry.language = Word(file + keysEnd + 6);
    entry.data = file + headerEnd;
    entry.size = dataSize;
    // The last entry may lack its padding; elsewhere the next entry starts
    // on a 4-byte boundary.
    const size_t next = AlignUp4(headerEnd + dataSize);
    offset = next < size ? next : size;
    return true;
}

bool IsWellFormedResourceFile(const uint8_t* file, size_t size)
{
    if (!file) return false;
    size_t offset = 0;
    ResourceEntry entry;
    while (offset < size) {
        if (!ReadResourceEntry(file, size, offset, entry)) return false;
    }
    return true;
}

bool ResourceKeyMatches(const ResourceKey& key, const char* wanted)
{
    const uintptr_t value = reinterpret_cast<uintptr_t>(wanted);
    uint16_t number;
    if (value >> 16 == 0) {
        number = static_cast<uint16_t>(value);
    } else if (!ParseNumberName(wanted, number)) {
        if (!key.text) return false;
        size_t i = 0;
        for (; i < key.length && wanted[i]; ++i) {
            if (AsciiUpper(Word(key.text + 2 * i)) != AsciiUpper(static_cast<unsigned char>(wanted[i])))
                return false;
        }
        return i == key.length && wanted[i] == '\0';
    }
    return !key.text && key.number == number;
}

bool FindResourceEntry(const uint8_t* file, size_t size, const char* type, const char* name,
                       int32_t language, ResourceEntry& found)
{
    bool any = false;
    ForEachResourceEntry(file, size, type, name, [&](const ResourceEntry& entry) {
        if (language >= 0 && entry.language != language) return true;
        found = entry;
        any = true;
        return false;
    });
    return any;
}

}  // namespace winsys
