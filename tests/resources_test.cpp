// The resources that the test program carries, the same that the saver
// carries, read back the way the saver reads them: FindResourceA,
// SizeofResource, LoadResource and LockResource on the program's own module.
// Windows (under Wine) and the Linux layer must agree on every case.

#include "platform.h"
#include "views.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) { return U16(p) | static_cast<uint32_t>(U16(p + 2)) << 16; }

const WORD JAPANESE = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::string KeyText(LPCSTR key)
{
    return IS_INTRESOURCE(key) ? std::to_string(reinterpret_cast<ULONG_PTR>(key)) : '"' + std::string(key) + '"';
}

// "bitmap \"BITMAP00\"", "WAVE 148", "icon group 101": for failure messages.
std::string Label(LPCSTR type, LPCSTR name)
{
    std::string typeText = KeyText(type);
    if (type == RT_BITMAP) typeText = "bitmap";
    if (type == RT_ICON) typeText = "icon";
    if (type == RT_GROUP_ICON) typeText = "icon group";
    if (type == RT_VERSION) typeText = "version";
    if (!IS_INTRESOURCE(type)) typeText = type;
    return typeText + ' ' + KeyText(name);
}

struct Resource {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// The resource from the program's own module, or a failure that names it.
Resource Load(LPCSTR type, LPCSTR name)
{
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, name, type);
    if (!found) {
        ADD_FAILURE() << Label(type, name) << " is missing";
        return {};
    }
    HGLOBAL loaded = LoadResource(module, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, found);
    if (!data || size == 0) {
        ADD_FAILURE() << Label(type, name) << " cannot be loaded";
        return {};
    }
    return {static_cast<const uint8_t*>(data), size};
}

// One field of a structure at the start of a resource.
struct Field {
    const char* name;
    size_t offset;
    int bytes;  // 2 or 4
    uint32_t expected;
};

void ExpectFields(const Resource& resource, const std::vector<Field>& fields)
{
    for (const Field& field : fields) {
        ASSERT_LE(field.offset + field.bytes, resource.size) << field.name;
        const uint8_t* at = resource.data + field.offset;
        EXPECT_EQ(field.bytes == 2 ? U16(at) : U32(at), field.expected) << field.name;
    }
}

constexpr size_t INFO_HEADER = 40;

size_t NonZeroReservedBytes(const Resource& bitmap, size_t colours)
{
    size_t count = 0;
    for (size_t i = 0; i < colours; ++i) count += bitmap.data[INFO_HEADER + 4 * i + 3] != 0;
    return count;
}

// An uncompressed bottom-up DIB header with a full colour table and no
// resolution, as the saver's bitmaps all have.
std::vector<Field> DibHeader(uint32_t width, uint32_t height, uint32_t bitsPerPixel, uint32_t colours)
{
    const uint32_t rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return {
        {"header size", 0, 4, 40},
        {"width", 4, 4, width},
        {"height (positive: bottom-up)", 8, 4, height},
        {"planes", 12, 2, 1},
        {"bits per pixel", 14, 2, bitsPerPixel},
        {"compression (BI_RGB)", 16, 4, 0},
        {"image size", 20, 4, rowBytes * height},
        {"horizontal resolution", 24, 4, 0},
        {"vertical resolution", 28, 4, 0},
        {"colours used", 32, 4, colours},
        {"colours important", 36, 4, 0},
    };
}

// ---- The six frames ----

class FrameBitmap : public testing::TestWithParam<const char*> {};

TEST_P(FrameBitmap, IsAn8BitBottomUpDibOfTheFrameSize)
{
    SCOPED_TRACE(Label(RT_BITMAP, GetParam()));
    Resource bitmap = Load(RT_BITMAP, GetParam());
    ASSERT_TRUE(bitmap.data);
    EXPECT_EQ(bitmap.size, 308264u);
    ExpectFields(bitmap, DibHeader(FRAME_WIDTH, FRAME_HEIGHT, 8, 256));
    ASSERT_EQ(bitmap.size, INFO_HEADER + 256 * 4 + 307200u) << "header, colour table and pixels only";
    EXPECT_EQ(NonZeroReservedBytes(bitmap, 256), 0u) << "colour table entries with a non-zero reserved byte";
}

INSTANTIATE_TEST_SUITE_P(AllFrames, FrameBitmap, testing::ValuesIn(FRAME_NAMES),
                         [](const testing::TestParamInfo<const char*>& info) { return std::string(info.param); });

TEST(FrameBitmaps, EachHasAColourTableOfItsOwn)
{
    constexpr size_t TABLE = 256 * 4;
    std::vector<Resource> frames;
    for (const char* name : FRAME_NAMES) {
        frames.push_back(Load(RT_BITMAP, name));
        ASSERT_GE(frames.back().size, INFO_HEADER + TABLE) << name;
    }
    for (size_t a = 0; a < frames.size(); ++a) {
        for (size_t b = a + 1; b < frames.size(); ++b) {
            EXPECT_NE(std::memcmp(frames[a].data + INFO_HEADER, frames[b].data + INFO_HEADER, TABLE), 0)
                << FRAME_NAMES[a] << " and " << FRAME_NAMES[b] << " share their colour table";
        }
    }
}

TEST(View, FramesAndSoundAreCarried)
{
    for (int16_t distance : {0, 1}) {
        const View* view = FindView(distance);
        ASSERT_TRUE(view) << "distance " << distance;
        for (int i = 0; i < FRAME_COUNT; ++i)
            EXPECT_TRUE(FindResourceA(nullptr, view->frameNames[i], RT_BITMAP)) << view->frameNames[i];
        EXPECT_TRUE(FindResourceA(nullptr, MAKEINTRESOURCEA(view->sound), "WAVE")) << "WAVE " << view->sound;
    }
}

// ---- The two sounds ----

struct SoundCase {
    uint16_t id;
    size_t size;
    bool hasFact;
    uint32_t sampleFrames;
};

void PrintTo(const SoundCase& c, std::ostream* out) { *out << "WAVE " << c.id; }

class Sound : public testing::TestWithParam<SoundCase> {};

struct Chunk {
    std::string id;
    const uint8_t* body;
    uint32_t size;
};

TEST_P(Sound, IsACompleteRiffWaveOf8kHz16BitStereo)
{
    const SoundCase& c = GetParam();
    SCOPED_TRACE(Label("WAVE", MAKEINTRESOURCEA(c.id)));
    Resource wave = Load("WAVE", MAKEINTRESOURCEA(c.id));
    ASSERT_TRUE(wave.data);
    ASSERT_EQ(wave.size, c.size);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wave.data), 4), "RIFF");
    EXPECT_EQ(U32(wave.data + 4), c.size - 8) << "RIFF size field";
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wave.data + 8), 4), "WAVE");

    std::vector<Chunk> chunks;
    size_t pos = 12;
    while (wave.size - pos >= 8) {
        const uint32_t size = U32(wave.data + pos + 4);
        ASSERT_LE(size, wave.size - pos - 8) << "chunk " << chunks.size() << " runs past the end";
        chunks.push_back({std::string(reinterpret_cast<const char*>(wave.data + pos), 4), wave.data + pos + 8, size});
        pos += 8 + size + (size & 1);
    }
    EXPECT_EQ(pos, wave.size) << "bytes after the last chunk";

    std::vector<std::string> order;
    for (const Chunk& chunk : chunks) order.push_back(chunk.id);
    const std::vector<std::string> expectedOrder =
        c.hasFact ? std::vector<std::string>{"fmt ", "fact", "data"} : std::vector<std::string>{"fmt ", "data"};
    ASSERT_EQ(order, expectedOrder);

    const Chunk& format = chunks.front();
    ASSERT_EQ(format.size, 16u) << "format chunk";
    ExpectFields({format.body, format.size}, {
        {"format tag (PCM)", 0, 2, 1},
        {"channels", 2, 2, 2},
        {"sample rate", 4, 4, 8000},
        {"average bytes per second", 8, 4, 32000},
        {"block align", 12, 2, 4},
        {"bits per sample", 14, 2, 16},
    });
    if (c.hasFact) {
        ASSERT_EQ(chunks[1].size, 4u) << "fact chunk";
        EXPECT_EQ(U32(chunks[1].body), c.sampleFrames) << "fact chunk's sample frames";
    }
    EXPECT_EQ(chunks.back().size, c.sampleFrames * 4) << "data chunk";
}

INSTANTIATE_TEST_SUITE_P(BothViews, Sound,
                         testing::Values(SoundCase{FAR_SOUND, 40056, true, 10000},
                                         SoundCase{NEAR_SOUND, 84524, false, 21120}),
                         [](const testing::TestParamInfo<SoundCase>& info) {
                             return "WAVE" + std::to_string(info.param.id);
                         });

// ---- Icons and the dialog's picture ----

struct IconImage {
    int size;  // width and height
    int bitsPerPixel;
};

struct IconGroupCase {
    uint16_t id;
    std::vector<IconImage> images;
};

void PrintTo(const IconGroupCase& c, std::ostream* out) { *out << "icon group " << c.id; }

class IconGroup : public testing::TestWithParam<IconGroupCase> {};

constexpr size_t GROUP_HEADER = 6;
constexpr size_t GROUP_ENTRY = 14;

TEST_P(IconGroup, ListsItsImagesAndEachImageIsThere)
{
    const IconGroupCase& c = GetParam();
    SCOPED_TRACE(Label(RT_GROUP_ICON, MAKEINTRESOURCEA(c.id)));
    Resource group = Load(RT_GROUP_ICON, MAKEINTRESOURCEA(c.id));
    ASSERT_TRUE(group.data);
    ASSERT_EQ(group.size, GROUP_HEADER + GROUP_ENTRY * c.images.size());
    ExpectFields(group, {
        {"reserved", 0, 2, 0},
        {"type (icon)", 2, 2, 1},
        {"image count", 4, 2, static_cast<uint32_t>(c.images.size())},
    });
    for (size_t i = 0; i < c.images.size(); ++i) {
        const IconImage& image = c.images[i];
        const uint8_t* entry = group.data + GROUP_HEADER + GROUP_ENTRY * i;
        SCOPED_TRACE("image " + std::to_string(i));
        EXPECT_EQ(entry[0], image.size) << "width";
        EXPECT_EQ(entry[1], image.size) << "height";
        EXPECT_EQ(entry[2], image.bitsPerPixel == 4 ? 16 : 0) << "colour count";
        EXPECT_EQ(U16(entry + 4), 1) << "planes";
        EXPECT_EQ(U16(entry + 6), image.bitsPerPixel) << "bits per pixel";

        const uint16_t iconId = U16(entry + 12);
        Resource icon = Load(RT_ICON, MAKEINTRESOURCEA(iconId));
        if (!icon.data) continue;
        EXPECT_EQ(icon.size, U32(entry + 8)) << "icon " << iconId << " has the size its group gives";
        ExpectFields(icon, {
            {"image header size", 0, 4, 40},
            {"image width", 4, 4, static_cast<uint32_t>(image.size)},
            {"image height (colour and mask)", 8, 4, static_cast<uint32_t>(2 * image.size)},
            {"image planes", 12, 2, 1},
            {"image bits per pixel", 14, 2, static_cast<uint32_t>(image.bitsPerPixel)},
        });
    }
}

const IconGroupCase ICON_GROUPS[] = {
    {100, {{32, 4}}},
    {101, {{32, 4}, {48, 8}, {16, 4}}},
    {154, {{32, 4}}},
    {208, {{32, 8}}},
    {209, {{32, 8}}},
};

INSTANTIATE_TEST_SUITE_P(All, IconGroup, testing::ValuesIn(ICON_GROUPS),
                         [](const testing::TestParamInfo<IconGroupCase>& info) {
                             return "ICON" + std::to_string(info.param.id);
                         });

TEST(DialogPicture, Bitmap170IsA60By60PictureOf16Colours)
{
    SCOPED_TRACE(Label(RT_BITMAP, MAKEINTRESOURCEA(170)));
    Resource bitmap = Load(RT_BITMAP, MAKEINTRESOURCEA(170));
    ASSERT_TRUE(bitmap.data);
    EXPECT_EQ(bitmap.size, 2024u);
    ExpectFields(bitmap, DibHeader(60, 60, 4, 16));
    ASSERT_EQ(bitmap.size, INFO_HEADER + 16 * 4 + 32 * 60u) << "header, 16 colours and 60 rows of 32 bytes";
    EXPECT_EQ(NonZeroReservedBytes(bitmap, 16), 0u) << "colour table entries with a non-zero reserved byte";
}

// ---- Version and language ----

TEST(Version, FileAndProductVersionAre2_1_0_0)
{
    SCOPED_TRACE(Label(RT_VERSION, MAKEINTRESOURCEA(1)));
    Resource version = Load(RT_VERSION, MAKEINTRESOURCEA(1));
    ASSERT_TRUE(version.data);
    ASSERT_GE(version.size, 92u);
    EXPECT_EQ(U16(version.data), version.size) << "length";
    const char key[] = "VS_VERSION_INFO";
    for (size_t i = 0; i < sizeof key; ++i) ASSERT_EQ(U16(version.data + 6 + 2 * i), key[i]) << "key at " << i;
    ExpectFields(version, {
        {"fixed part's length", 2, 2, 52},
        {"signature", 40, 4, 0xFEEF04BD},
        {"file version, high", 48, 4, 0x00020001},
        {"file version, low", 52, 4, 0},
        {"product version, high", 56, 4, 0x00020001},
        {"product version, low", 60, 4, 0},
    });
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR param)
{
    reinterpret_cast<std::vector<WORD>*>(param)->push_back(language);
    return TRUE;
}

struct Key {
    LPCSTR type;
    LPCSTR name;
};

// Every resource the program carries, icon images included.
std::vector<Key> AllResources()
{
    std::vector<Key> keys;
    for (const char* name : FRAME_NAMES) keys.push_back({RT_BITMAP, name});
    keys.push_back({RT_BITMAP, MAKEINTRESOURCEA(170)});
    keys.push_back({"WAVE", MAKEINTRESOURCEA(FAR_SOUND)});
    keys.push_back({"WAVE", MAKEINTRESOURCEA(NEAR_SOUND)});
    keys.push_back({RT_VERSION, MAKEINTRESOURCEA(1)});
    for (const IconGroupCase& c : ICON_GROUPS) {
        keys.push_back({RT_GROUP_ICON, MAKEINTRESOURCEA(c.id)});
        Resource group = Load(RT_GROUP_ICON, MAKEINTRESOURCEA(c.id));
        for (size_t i = 0; group.data && GROUP_HEADER + GROUP_ENTRY * (i + 1) <= group.size; ++i)
            keys.push_back({RT_ICON, MAKEINTRESOURCEA(U16(group.data + GROUP_HEADER + GROUP_ENTRY * i + 12))});
    }
    return keys;
}

TEST(Language, EveryResourceIsJapaneseOnly)
{
    HMODULE module = GetModuleHandleA(nullptr);
    for (const Key& key : AllResources()) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(module, key.type, key.name, CollectLanguage, reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{JAPANESE}) << Label(key.type, key.name);
        EXPECT_TRUE(FindResourceExA(module, key.type, key.name, JAPANESE)) << Label(key.type, key.name);
    }
}

// ---- How names and numbers are looked up ----

struct LookupCase {
    const char* what;
    LPCSTR name;
    LPCSTR type;
    Key same;  // the resource it must find, or {nullptr, nullptr} for none
};

void PrintTo(const LookupCase& c, std::ostream* out) { *out << Label(c.type, c.name); }

class Lookup : public testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FindsAsWindowsDoes)
{
    const LookupCase& c = GetParam();
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC found = FindResourceA(module, c.name, c.type);
    if (!c.same.type) {
        EXPECT_FALSE(found);
        return;
    }
    HRSRC expected = FindResourceA(module, c.same.name, c.same.type);
    ASSERT_TRUE(expected) << Label(c.same.type, c.same.name);
    EXPECT_EQ(found, expected);
}

const Key BITMAP00 = {RT_BITMAP, "BITMAP00"};
const Key WAVE148 = {"WAVE", MAKEINTRESOURCEA(148)};
const Key NONE = {nullptr, nullptr};

INSTANTIATE_TEST_SUITE_P(
    Names, Lookup,
    testing::Values(LookupCase{"NameInLowerCase", "bitmap00", RT_BITMAP, BITMAP00},
                    LookupCase{"TypeNameInMixedCase", MAKEINTRESOURCEA(148), "Wave", WAVE148},
                    LookupCase{"NumberWrittenWithHash", "#148", "WAVE", WAVE148},
                    LookupCase{"TypeNumberWrittenWithHash", "BITMAP00", "#2", BITMAP00},
                    LookupCase{"NoSuchName", "BITMAP06", RT_BITMAP, NONE},
                    LookupCase{"LongerName", "BITMAP000", RT_BITMAP, NONE},
                    LookupCase{"ShorterName", "BITMAP0", RT_BITMAP, NONE},
                    LookupCase{"NoSuchNumber", MAKEINTRESOURCEA(149), "WAVE", NONE},
                    LookupCase{"NameOfAnotherType", "BITMAP00", RT_ICON, NONE},
                    LookupCase{"NumberAsAName", "148", "WAVE", NONE}),
    [](const testing::TestParamInfo<LookupCase>& info) { return std::string(info.param.what); });

TEST(Lookup, NullModuleIsTheProgramItself)
{
    EXPECT_EQ(FindResourceA(nullptr, "BITMAP03", RT_BITMAP), FindResourceA(GetModuleHandleA(nullptr), "BITMAP03", RT_BITMAP));
    EXPECT_TRUE(FindResourceA(nullptr, "BITMAP03", RT_BITMAP));
}

}  // namespace
