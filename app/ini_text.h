#pragma once

#include <optional>
#include <string>
#include <string_view>

// INI text edited in place, byte for byte: lines, sections and keys the edit does not touch keep their
// bytes and order. Section and key names compare with ASCII case folding and surrounding blanks ignored;
// a value is everything after the first "=" up to the line end. Lines starting with ';' are comments.
class IniText {
public:
    explicit IniText(std::string bytes = {}) : bytes_(std::move(bytes)) {}

    // The value, or nullopt when the section or the key is missing.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // An existing key keeps its place; a missing key goes after the section's last entry; a missing
    // section is appended. Line breaks inside the value become spaces so a value stays on its line.
    void setValue(std::string_view section, std::string_view key, std::string_view value);

    const std::string& bytes() const { return bytes_; }

private:
    std::string bytes_;
};
