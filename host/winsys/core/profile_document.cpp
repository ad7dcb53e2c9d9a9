#include "profile_document.h"

#include <cstdint>

namespace winsys {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Control-Z counts as a blank: old DOS tools ended text files with it.
bool IsProfileBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r') || c == 0x1A;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Windows keeps names and values as C strings: a NUL byte ends them.
std::string_view UpToNul(std::string_view text)
{
    size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z') y += 'a' - 'A';
        if (x != y) return false;
    }
    return true;
}

// A line "[name]" (up to the last ']') opens a section.
std::optional<std::string_view> SectionName(std::string_view body)
{
    std::string_view line = Trim(body);
    if (line.empty() || line.front() != '[') return std::nullopt;
    size_t close = line.rfind(']');
    if (close == std::string_view::npos) return std::nullopt;
    return UpToNul(line.substr(1, close - 1));
}

struct KeyLine {
    std::string_view name;
    std::optional<std::string_view> value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view body)
{
    std::string_view line = Trim(body);
    if (line.empty()) return std::nullopt;
    size_t equals = line.find('=');
    if (equals == std::string_view::npos) return KeyLine{UpToNul(line), std::nullopt};
    return KeyLine{UpToNul(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1))};
}

int DigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    return -1;
}

}  // namespace

ProfileDocument::ProfileDocument(std::string text)
{
    // A UTF-8 byte-order mark is not part of the first line.
    byteOrderMark_ = text.compare(0, kByteOrderMark.size(), kByteOrderMark) == 0;
    if (byteOrderMark_) text.erase(0, kByteOrderMark.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t newline = text.find('\n', start);
        size_t end = newline == std::string::npos ? text.size() : newline;
        Line line;
        line.body = text.substr(start, end - start);
        if (newline != std::string::npos) {
            line.ending = "\n";
            if (!line.body.empty() && line.body.back() == '\r') {
                line.body.pop_back();
                line.ending = "\r\n";
            }
        }
        lines_.push_back(std::move(line));
        start = newline == std::string::npos ? text.size() : newline + 1;
    }
}

std::optional<ProfileDocument::KeyLocation> ProfileDocument::Locate(std::string_view section,
                                                                     std::string_view key) const
{
    section = Trim(section);
    key = Trim(key);
    for (size_t header = 0; header < lines_.size(); ++header) {
        std::optional<std::string_view> name = SectionName(lines_[header].body);
        if (!name || name->empty() || !SameName(*name, section)) continue;

        KeyLocation location{header, lines_.size(), std::nullopt};
        for (size_t i = header + 1; i < lines_.size(); ++i) {
            if (SectionName(lines_[i].body)) {
                location.sectionEnd = i;
                break;
            }
            std::optional<KeyLine> keyLine = ParseKeyLine(lines_[i].body);
            if (!location.keyLine && keyLine && SameName(keyLine->name, key)) location.keyLine = i;
        }
        return location;
    }
    return std::nullopt;
}

std::optional<std::string> ProfileDocument::Find(std::string_view section, std::string_view key) const
{
    std::optional<KeyLocation> location = Locate(section, key);
    if (!location || !location->keyLine) return std::nullopt;
    std::optional<std::string_view> value = ParseKeyLine(lines_[*location->keyLine].body)->value;
    if (!value) return std::nullopt;
    return std::string(UpToNul(*value));
}

void ProfileDocument::Set(std::string_view section, std::string_view key, std::string_view value)
{
    section = Trim(section);
    key = Trim(key);
    std::optional<KeyLocation> location = Locate(section, key);
    if (location && location->keyLine) {
        // Keep the name as the file spells it.
        Line& line = lines_[*location->keyLine];
        line.body = std::string(ParseKeyLine(line.body)->name) + "=" + std::string(value);
        return;
    }

    std::string ending = NewLineEnding();
    if (!lines_.empty() && lines_.back().ending.empty()) lines_.back().ending = ending;
    Line keyLine{std::string(key) + "=" + std::string(value), ending};
    if (location) {
        // After the section's last line that is not blank.
        size_t at = location->sectionEnd;
        while (at > location->sectionHeader + 1 && Trim(lines_[at - 1].body).empty()) --at;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), keyLine);
        return;
    }
    lines_.push_back(Line{"[" + std::string(section) + "]", ending});
    lines_.push_back(keyLine);
}

std::string ProfileDocument::NewLineEnding() const
{
    for (const Line& line : lines_) {
        if (!line.ending.empty()) return line.ending;
    }
    return "\n";
}

std::string ProfileDocument::Text() const
{
    std::string text(byteOrderMark_ ? kByteOrderMark : "");
    for (const Line& line : lines_) text += line.body + line.ending;
    return text;
}

unsigned ProfileValueToInt(const std::string& rawValue, int defaultValue)
{
    // Windows reads the value into a buffer of 30 characters after taking
    // off one pair of matching quotes, then converts what it holds.
    constexpr size_t kBufferChars = 30;
    std::string_view value = rawValue;
    bool quoted = value.size() > 1 && (value.front() == '"' || value.front() == '\'') &&
                  value.back() == value.front();
    if (quoted) value.remove_prefix(1);
    std::string buffer(value.substr(0, kBufferChars - 1));
    if (quoted && kBufferChars >= value.size() && !buffer.empty()) buffer.pop_back();
    if (buffer.empty()) return static_cast<unsigned>(defaultValue);

    size_t i = 0;
    while (i < buffer.size() && static_cast<unsigned char>(buffer[i]) <= ' ') ++i;
    bool negative = false;
    if (i < buffer.size() && (buffer[i] == '+' || buffer[i] == '-')) negative = buffer[i++] == '-';
    unsigned base = 10;
    if (i + 1 < buffer.size() && buffer[i] == '0') {
        char prefix = buffer[i + 1];
        base = prefix == 'b' ? 2 : prefix == 'o' ? 8 : prefix == 'x' ? 16 : 10;
        if (base != 10) i += 2;
    }
    uint32_t total = 0;
    for (; i < buffer.size(); ++i) {
        int digit = DigitValue(buffer[i]);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) break;
        total = total * base + static_cast<uint32_t>(digit);
    }
    return negative ? 0u - total : total;
}

}  // namespace winsys
