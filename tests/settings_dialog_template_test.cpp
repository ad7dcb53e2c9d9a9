// Template 2003 read back from the built program's resources, field by field:
// a wrong style, group, order or coordinate, or an ideographic space that
// became a plain one, shows up here.

#include "settings_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum Kind { PUSH_BUTTON, GROUP_BOX, RADIO, HIDDEN_RADIO, TITLE, INSTRUCTION, ICON, PICTURE };

struct KindInfo {
    uint16_t classAtom;  // 0x80 button, 0x82 static
    uint32_t style;
};

// Indexed by Kind.
constexpr KindInfo kKinds[] = {
    {0x80, 0x50010001},  // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON
    {0x80, 0x50020007},  // WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX
    {0x80, 0x50000009},  // WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON
    {0x80, 0x40000009},  // WS_CHILD | BS_AUTORADIOBUTTON
    {0x82, 0x50020201},  // WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER | SS_CENTERIMAGE
    {0x82, 0x50021000},  // WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT | SS_SUNKEN
    {0x82, 0x50000003},  // WS_CHILD | WS_VISIBLE | SS_ICON
    {0x82, 0x5000000E},  // WS_CHILD | WS_VISIBLE | SS_BITMAP
};

struct Control {
    uint16_t id;
    Kind kind;
    std::u16string text;  // empty for an icon or the picture...
    uint16_t resource;    // ...which name their resource by number
    int16_t x, y, cx, cy;
    bool group;
};

const std::vector<Control> kControls = {
    {1, PUSH_BUTTON, u"O\u3000K", 0, 61, 164, 48, 14, false},
    {2, PUSH_BUTTON, u"キャンセル", 0, 130, 164, 48, 14, false},
    {0xFFFF, GROUP_BOX, u"画面の移動速度", 0, 12, 31, 105, 45, true},
    {1000, RADIO, u"速く動く", 0, 18, 41, 48, 10, false},
    {1001, RADIO, u"普通に動く", 0, 18, 51, 56, 10, false},
    {1002, RADIO, u"非常にゆっくり動く", 0, 18, 61, 83, 10, false},
    {1016, GROUP_BOX, u"移動方向", 0, 129, 31, 106, 94, true},
    {1009, RADIO, u"中央で静止", 0, 136, 42, 59, 12, false},
    {1010, RADIO, u"画面端で反射", 0, 136, 54, 72, 13, false},
    {1012, RADIO, u"左右に移動", 0, 136, 67, 70, 13, false},
    {1013, RADIO, u"上下に移動", 0, 136, 81, 80, 11, false},
    {1014, RADIO, u"画面端を右回りに移動", 0, 136, 95, 90, 10, false},
    {1015, RADIO, u"画面端を左回りに移動", 0, 136, 109, 90, 10, false},
    {1018, GROUP_BOX, u"サウンド", 0, 12, 78, 105, 23, true},
    {1021, RADIO, u"滝の音付", 0, 17, 87, 44, 10, false},
    {1022, RADIO, u"滝の音無し", 0, 63, 87, 51, 10, false},
    {1019, GROUP_BOX, u"距  離", 0, 11, 103, 106, 22, true},
    {1025, RADIO, u"近くから", 0, 17, 112, 45, 10, false},
    {1024, RADIO, u"遠くから", 0, 64, 113, 47, 8, false},
    {0xFFFF, TITLE, u"飛沫が舞う 青霧滝 スクリーン・セーバー Ver.2.1", 0, 33, 9, 206, 11, true},
    {1011, HIDDEN_RADIO, u"画面端で反射\u3000打ち出し左", 0, 204, 69, 17, 8, false},
    {0xFFFF, TITLE, u"\u3000飛沫が舞う Ridur Iviv Evired Aradu   Ver.2.1\u3000", 0, 32, 185, 182, 11, true},
    {0xFFFF, INSTRUCTION, u"★1. 画面の移動速度・移動方向・サウンド・距離を設定。", 0, 11, 129, 224, 11, true},
    {0xFFFF, INSTRUCTION, u"★2. 上記の設定終了後「OK」ボタンをクリックして下さい。", 0, 11, 144, 224, 11, true},
    {0xFFFF, ICON, u"", 101, 221, 161, 13, 12, false},
    {0xFFFF, ICON, u"", 154, 11, 161, 20, 20, false},
    {0xFFFF, PICTURE, u"", 170, 6, 4, 24, 22, false},
    {0xFFFF, ICON, u"", 208, 11, 180, 20, 20, false},
    {0xFFFF, ICON, u"", 209, 221, 180, 13, 12, false},
};

// A name or number field of a template: 0 alone, 0xFFFF and a number, or a
// NUL-terminated UTF-16 string.
struct NameOrNumber {
    bool isNumber = false;
    uint16_t number = 0;
    std::u16string name;
};

class TemplateReader {
public:
    TemplateReader(const uint8_t* bytes, size_t size) : bytes_(bytes), size_(size) {}

    uint16_t Word()
    {
        if (offset_ + 2 > size_) {
            overrun_ = true;
            return 0;
        }
        uint16_t value = static_cast<uint16_t>(bytes_[offset_] | bytes_[offset_ + 1] << 8);
        offset_ += 2;
        return value;
    }
    uint32_t DWord()
    {
        uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    std::u16string String()
    {
        std::u16string text;
        for (uint16_t unit = Word(); unit != 0 && !overrun_; unit = Word()) text += static_cast<char16_t>(unit);
        return text;
    }
    NameOrNumber Field()
    {
        NameOrNumber field;
        uint16_t first = Word();
        if (first == 0xFFFF) {
            field.isNumber = true;
            field.number = Word();
        } else if (first != 0) {
            offset_ -= 2;
            field.name = String();
        }
        return field;
    }
    void AlignToDWord() { offset_ = (offset_ + 3) & ~size_t{3}; }
    size_t Offset() const { return offset_; }
    bool Overrun() const { return overrun_; }

private:
    const uint8_t* bytes_;
    size_t size_;
    size_t offset_ = 0;
    bool overrun_ = false;
};

struct Header {
    uint32_t style, exStyle;
    uint16_t count;
    int16_t x, y, cx, cy;
    NameOrNumber menu, dialogClass;
    std::u16string caption;
    uint16_t pointSize;
    std::u16string font;
};

// The standard form; the extended one would begin with the words 1 and 0xFFFF.
Header ReadHeader(TemplateReader& read)
{
    Header header;
    header.style = read.DWord();
    header.exStyle = read.DWord();
    header.count = read.Word();
    header.x = read.Short();
    header.y = read.Short();
    header.cx = read.Short();
    header.cy = read.Short();
    header.menu = read.Field();
    header.dialogClass = read.Field();
    header.caption = read.String();
    if (header.style & DS_SETFONT) {
        header.pointSize = read.Word();
        header.font = read.String();
    }
    return header;
}

class DialogTemplate : public testing::Test {
protected:
    void SetUp() override
    {
        HMODULE module = GetModuleHandleA(nullptr);
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(SETTINGS_DIALOG_ID), RT_DIALOG);
        ASSERT_NE(found, nullptr) << "no dialog template 2003 in the program";
        size_ = SizeofResource(module, found);
        bytes_ = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
        ASSERT_NE(bytes_, nullptr);
    }

    const uint8_t* bytes_ = nullptr;
    size_t size_ = 0;
};

TEST_F(DialogTemplate, HeaderIsTheStandardFormWithItsStyleFontAndCaption)
{
    TemplateReader read(bytes_, size_);
    const Header header = ReadHeader(read);
    EXPECT_EQ(header.style, 0x80C800C4u);
    EXPECT_EQ(header.style,
              static_cast<uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_3DLOOK));
    EXPECT_EQ(header.exStyle, 0u);
    EXPECT_EQ(header.count, kControls.size());
    EXPECT_EQ(header.x, 182);
    EXPECT_EQ(header.y, 149);
    EXPECT_EQ(header.cx, 246);
    EXPECT_EQ(header.cy, 202);
    EXPECT_TRUE(!header.menu.isNumber && header.menu.name.empty()) << "a menu";
    EXPECT_TRUE(!header.dialogClass.isNumber && header.dialogClass.name.empty()) << "a class of its own";
    EXPECT_EQ(header.caption, u"飛沫が舞う青霧滝\u3000設定画面");
    EXPECT_EQ(header.pointSize, 10);
    EXPECT_EQ(header.font, u"System");
    EXPECT_FALSE(read.Overrun());
}

TEST_F(DialogTemplate, ControlsInOrderWithTheirIdsClassesTextsPlacesAndStyles)
{
    TemplateReader read(bytes_, size_);
    ASSERT_EQ(ReadHeader(read).count, kControls.size());
    for (size_t i = 0; i < kControls.size(); ++i) {
        const Control& want = kControls[i];
        SCOPED_TRACE("control #" + std::to_string(i + 1) + ", id " + std::to_string(want.id));
        read.AlignToDWord();
        const uint32_t style = read.DWord();
        EXPECT_EQ(style, kKinds[want.kind].style);
        EXPECT_EQ((style & WS_GROUP) != 0, want.group);
        EXPECT_EQ((style & WS_TABSTOP) != 0, want.kind == PUSH_BUTTON) << "the push buttons are the only tab stops";
        EXPECT_EQ(read.DWord(), 0u) << "extended style";
        EXPECT_EQ(read.Short(), want.x);
        EXPECT_EQ(read.Short(), want.y);
        EXPECT_EQ(read.Short(), want.cx);
        EXPECT_EQ(read.Short(), want.cy);
        EXPECT_EQ(read.Word(), want.id);
        NameOrNumber controlClass = read.Field();
        EXPECT_TRUE(controlClass.isNumber) << "class given by name instead of its number";
        EXPECT_EQ(controlClass.number, kKinds[want.kind].classAtom);
        NameOrNumber text = read.Field();
        if (want.resource != 0) {
            EXPECT_TRUE(text.isNumber);
            EXPECT_EQ(text.number, want.resource);
        } else {
            EXPECT_FALSE(text.isNumber);
            EXPECT_EQ(text.name, want.text);
        }
        EXPECT_EQ(read.Word(), 0) << "creation data";
        ASSERT_FALSE(read.Overrun());
    }
    EXPECT_GE(read.Offset() + 4, size_) << "bytes after the last control";
}

TEST_F(DialogTemplate, IconsAndPictureThatItNamesAreInTheProgram)
{
    HMODULE module = GetModuleHandleA(nullptr);
    for (const Control& control : kControls) {
        if (control.kind == ICON) {
            EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(control.resource), RT_GROUP_ICON), nullptr)
                << "icon group " << control.resource;
        } else if (control.kind == PICTURE) {
            EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(control.resource), RT_BITMAP), nullptr)
                << "bitmap " << control.resource;
        }
    }
}

}  // namespace
