// The Linux layer's reader of compiled resource files. Damaged input of
// any kind must read as "no resources", never crash or read past the end;
// every case copies its bytes into a buffer of exactly that size, so the
// sanitizer build sees any read beyond it.

#include "platform.h"
#include "winsys/core/resource_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

void PutWord(Bytes& out, uint16_t v) { out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)}); }
void PutDword(Bytes& out, uint32_t v) { PutWord(out, uint16_t(v)); PutWord(out, uint16_t(v >> 16)); }
void Pad(Bytes& out) { while (out.size() % 4) out.push_back(0); }

// A type or name as the script writes it: a number or a string.
struct Key {
    uint16_t number;
    std::u16string text;
};

void PutKey(Bytes& out, const Key& key)
{
    if (key.text.empty()) {
        PutWord(out, 0xFFFF);
        PutWord(out, key.number);
        return;
    }
    for (char16_t c : key.text) PutWord(out, c);
    PutWord(out, 0);
}

// One entry as windres writes it.
Bytes Entry(const Key& type, const Key& name, uint16_t language, const Bytes& data)
{
    Bytes keys;
    PutKey(keys, type);
    PutKey(keys, name);
    Bytes out;
    PutDword(out, uint32_t(data.size()));
    PutDword(out, uint32_t(8 + (keys.size() + 3) / 4 * 4 + 16));
    out.insert(out.end(), keys.begin(), keys.end());
    Pad(out);
    PutDword(out, 0);         // data version
    PutWord(out, 0x1030);     // memory flags
    PutWord(out, language);
    PutDword(out, 0);         // version
    PutDword(out, 0);         // characteristics
    out.insert(out.end(), data.begin(), data.end());
    Pad(out);
    return out;
}

Bytes Join(const std::vector<Bytes>& parts)
{
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

const uint16_t JAPANESE = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The empty entry windres puts first, a named bitmap, a numbered sound of
// a named type with an odd data size, and the same sound in English.
const Bytes kHead = Entry({0, u""}, {0, u""}, 0, {});
const Bytes kBitmap = Entry({2, u""}, {0, u"BITMAP00"}, JAPANESE, {1, 2, 3, 4, 5, 6, 7, 8});
const Bytes kWave = Entry({0, u"WAVE"}, {148, u""}, JAPANESE, {9, 8, 7});
const Bytes kWaveEnglish = Entry({0, u"WAVE"}, {148, u""}, 0x0409, {6, 5});
const Bytes kFile = Join({kHead, kBitmap, kWave, kWaveEnglish});

// The bytes in a heap block of exactly their size.
struct Exact {
    explicit Exact(const Bytes& bytes) : size(bytes.size()), data(new uint8_t[bytes.size() ? bytes.size() : 1])
    {
        std::copy(bytes.begin(), bytes.end(), data.get());
    }
    size_t size;
    std::unique_ptr<uint8_t[]> data;
};

bool Finds(const Bytes& file, const char* type, const char* name, int32_t language = -1)
{
    Exact exact(file);
    winsys::ResourceEntry entry;
    return winsys::FindResourceEntry(exact.data.get(), exact.size, type, name, language, entry);
}

TEST(ResourceFile, FindsEntriesByNumberOrNameAndLanguage)
{
    Exact file(kFile);
    ASSERT_TRUE(winsys::IsWellFormedResourceFile(file.data.get(), file.size));
    winsys::ResourceEntry entry;

    ASSERT_TRUE(winsys::FindResourceEntry(file.data.get(), file.size, RT_BITMAP, "Bitmap00", -1, entry));
    EXPECT_EQ(Bytes(entry.data, entry.data + entry.size), (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(entry.language, JAPANESE);
    EXPECT_EQ(entry.start, file.data.get() + kHead.size());

    ASSERT_TRUE(winsys::FindResourceEntry(file.data.get(), file.size, "wave", MAKEINTRESOURCEA(148), -1, entry));
    EXPECT_EQ(Bytes(entry.data, entry.data + entry.size), (Bytes{9, 8, 7})) << "the first language in the file";

    ASSERT_TRUE(winsys::FindResourceEntry(file.data.get(), file.size, "WAVE", "#148", 0x0409, entry));
    EXPECT_EQ(Bytes(entry.data, entry.data + entry.size), (Bytes{6, 5}));

    EXPECT_FALSE(winsys::FindResourceEntry(file.data.get(), file.size, "WAVE", "#148", 0x0407, entry));
    EXPECT_FALSE(winsys::FindResourceEntry(file.data.get(), file.size, "WAVE", nullptr, -1, entry));
}

TEST(ResourceFile, EmptyFileHoldsNothing)
{
    EXPECT_TRUE(winsys::IsWellFormedResourceFile(reinterpret_cast<const uint8_t*>(""), 0));
    EXPECT_FALSE(Finds({}, RT_BITMAP, "BITMAP00"));
    winsys::ResourceEntry entry;
    EXPECT_FALSE(winsys::FindResourceEntry(nullptr, 0, RT_BITMAP, "BITMAP00", -1, entry));
}

TEST(ResourceFile, LastEntryMayLackItsPadding)
{
    Bytes file = kFile;
    file.resize(file.size() - 2);  // kWaveEnglish has 2 bytes of data and 2 of padding
    EXPECT_TRUE(Finds(file, "WAVE", "#148", 0x0409));
}

TEST(ResourceFile, TruncatedFileHoldsNothingUnlessCutBetweenEntries)
{
    // A cut reads as a shorter file only at the end of an entry, or inside
    // the padding after its data.
    struct Span {
        size_t dataEnd;
        size_t end;
    };
    std::vector<Span> spans;
    size_t start = 0;
    for (const Bytes* entry : {&kHead, &kBitmap, &kWave, &kWaveEnglish}) {
        const size_t dataSize = (*entry)[0] | (*entry)[1] << 8;
        const size_t headerSize = (*entry)[4] | (*entry)[5] << 8;
        spans.push_back({start + headerSize + dataSize, start + entry->size()});
        start += entry->size();
    }
    for (size_t length = 0; length < kFile.size(); ++length) {
        bool shorterFile = length == 0;
        for (const Span& span : spans) shorterFile = shorterFile || (length >= span.dataEnd && length <= span.end);
        Bytes cut(kFile.begin(), kFile.begin() + length);
        Exact exact(cut);
        EXPECT_EQ(winsys::IsWellFormedResourceFile(exact.data.get(), exact.size), shorterFile) << "cut at " << length;
        EXPECT_EQ(Finds(cut, RT_BITMAP, "BITMAP00"), shorterFile && length >= spans[1].dataEnd) << "cut at " << length;
        EXPECT_EQ(Finds(cut, "WAVE", "#148", 0x0409), length >= spans[3].dataEnd) << "cut at " << length;
    }
}

// The file with the bitmap entry's DWORD at `offset` (from the entry's
// start) replaced.
Bytes WithBitmapDword(size_t offset, uint32_t value)
{
    Bytes file = kFile;
    const size_t at = kHead.size() + offset;
    for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(value >> (8 * i));
    return file;
}

// The file with the bitmap's name running on into the fixed fields: its
// terminator and padding overwritten with letters.
Bytes WithUnterminatedName()
{
    Bytes file = kFile;
    const size_t nameEnd = kHead.size() + 12 + 2 * 8;
    for (size_t i = nameEnd; i < nameEnd + 4; ++i) file[i] = 'X';
    return file;
}

// A minimal 32-byte header whose keys are type "AB" and a name that is
// only the 0xFFFF marker, its number cut off by the fixed fields.
Bytes WithNumberCutShort()
{
    Bytes entry;
    PutDword(entry, 0);
    PutDword(entry, 32);
    for (int w : {int('A'), int('B'), 0, 0xFFFF}) PutWord(entry, uint16_t(w));
    entry.resize(32, 0);
    return Join({kHead, entry});
}

TEST(ResourceFile, DamagedFileHoldsNothing)
{
    const uint32_t header = uint32_t(kBitmap[4] | kBitmap[5] << 8);  // the bitmap's header size
    const uint32_t room = uint32_t(kFile.size() - kHead.size() - header);
    Bytes withTrailingBytes = kFile;
    std::vector<std::pair<std::string, Bytes>> cases = {
        {"data size one past the end", WithBitmapDword(0, room + 1)},
        {"data size that wraps around", WithBitmapDword(0, 0xFFFFFFF8)},
        {"header size past the end", WithBitmapDword(4, uint32_t(kFile.size()))},
        {"header size that wraps around", WithBitmapDword(4, 0xFFFFFFFC)},
        {"header size zero", WithBitmapDword(4, 0)},
        {"header size not a multiple of 4", WithBitmapDword(4, header + 2)},
        {"header size shorter than its fields", WithBitmapDword(4, header - 4)},
        {"header size longer than its fields", WithBitmapDword(4, header + 4)},
        {"name without terminator", WithUnterminatedName()},
        {"number cut short", WithNumberCutShort()},
    };
    for (uint8_t extra : {1, 2, 3, 4, 7}) {
        withTrailingBytes.push_back(extra);
        cases.emplace_back("trailing bytes: " + std::to_string(withTrailingBytes.size() - kFile.size()),
                           withTrailingBytes);
    }
    for (const auto& [what, file] : cases) {
        Exact exact(file);
        EXPECT_FALSE(winsys::IsWellFormedResourceFile(exact.data.get(), exact.size)) << what;
        EXPECT_FALSE(Finds(file, RT_BITMAP, "BITMAP00")) << what;
        EXPECT_FALSE(Finds(file, "WAVE", "#148")) << what;
    }
    EXPECT_TRUE(Finds(WithBitmapDword(0, room), RT_BITMAP, "BITMAP00"))
        << "the same file with data that reaches exactly to the end";
}

// Every single-byte change of a valid file: whatever the reader makes of
// it, what it finds lies inside the file and matches what was asked.
TEST(ResourceFile, NoByteChangeLeadsOutsideTheFile)
{
    for (size_t at = 0; at < kFile.size(); ++at) {
        for (uint8_t value : {0x00, 0x01, 0x02, 0x7F, 0x80, 0xFE, 0xFF}) {
            Bytes file = kFile;
            file[at] = value;
            Exact exact(file);
            const uint8_t* begin = exact.data.get();
            for (const char* name : {"BITMAP00", "#148", "#0"}) {
                winsys::ResourceEntry entry;
                if (!winsys::FindResourceEntry(begin, exact.size, name[0] == '#' ? "WAVE" : RT_BITMAP, name, -1, entry))
                    continue;
                EXPECT_GE(entry.data, begin) << at << " " << int(value);
                EXPECT_LE(entry.size, exact.size - size_t(entry.data - begin)) << at << " " << int(value);
            }
        }
    }
}

struct MatchCase {
    const char* what;
    Key stored;
    const char* wanted;
    bool matches;
};

TEST(ResourceFile, KeysMatchAsWindowsMatchesThem)
{
    const MatchCase cases[] = {
        {"same number", {148, u""}, MAKEINTRESOURCEA(148), true},
        {"other number", {148, u""}, MAKEINTRESOURCEA(152), false},
        {"number written with #", {148, u""}, "#148", true},
        {"number written with # and leading zeros", {148, u""}, "#0148", true},
        {"number without #", {148, u""}, "148", false},
        {"# number too large for a word", {148, u""}, "#65684", false},
        {"string against a number", {0, u"WAVE"}, MAKEINTRESOURCEA(148), false},
        {"same string", {0, u"WAVE"}, "WAVE", true},
        {"string in other case", {0, u"WaVe"}, "wAvE", true},
        {"prefix of the stored string", {0, u"WAVE"}, "WAV", false},
        {"stored string is a prefix", {0, u"WAV"}, "WAVE", false},
        {"# then not a number is a string", {0, u"#1X"}, "#1x", true},
        {"lone #", {0, u"#"}, "#", true},
        {"wide character is not its low byte", {0, u"\u0141"}, "A", false},
        {"non-ASCII letters keep their case", {0, u"\u00e9"}, "\xc9", false},
    };
    for (const MatchCase& c : cases) {
        Bytes encoded;
        PutKey(encoded, c.stored);
        winsys::ResourceKey key{};
        if (c.stored.text.empty()) {
            key.number = c.stored.number;
        } else {
            key.text = encoded.data();
            key.length = c.stored.text.size();
        }
        EXPECT_EQ(winsys::ResourceKeyMatches(key, c.wanted), c.matches) << c.what;
    }
}

}  // namespace
