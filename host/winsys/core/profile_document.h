// The text of a profile (INI) file, read and edited as Windows does it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace winsys {

class ProfileDocument {
public:
    explicit ProfileDocument(std::string text);

    // The raw value of the key: the text after '=' without surrounding
    // blanks. Only the first section of that name is searched, and its
    // first key of that name counts; a key line without '=' has no value.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Gives the key this value: replaces the line of an existing key,
    // adds the key at the end of its section, or appends a new section.
    // Every other line stays as it was.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Text() const;

private:
    struct Line {
        std::string body;    // without the line end
        std::string ending;  // "\n", "\r\n" or empty for a last line without one
    };
    struct KeyLocation {
        size_t sectionHeader;  // index of the section's header line
        size_t sectionEnd;     // index one past the section's last line
        std::optional<size_t> keyLine;
    };

    std::optional<KeyLocation> Locate(std::string_view section, std::string_view key) const;
    std::string NewLineEnding() const;

    bool byteOrderMark_ = false;  // written back as it came, as Windows does
    std::vector<Line> lines_;
};

// Turns a profile value into the number that GetPrivateProfileIntA returns.
// An empty value gives the default.
unsigned ProfileValueToInt(const std::string& value, int defaultValue);

}  // namespace winsys
