#include "ini_text.h"

#include <vector>

namespace {

struct Line {
    std::size_t begin; // first byte of the line
    std::size_t end;   // one past the last content byte (before CR LF / LF)
    std::size_t next;  // first byte of the following line
};

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t lf = text.find('\n', pos);
        const std::size_t next = lf == std::string::npos ? text.size() : lf + 1;
        std::size_t end = lf == std::string::npos ? text.size() : lf;
        if (end > pos && text[end - 1] == '\r') --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

char foldAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    a = trim(a);
    b = trim(b);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    return true;
}

// The section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return line.substr(1, close - 1);
}

struct Entry {
    std::string_view key;
    std::size_t valueBegin; // byte offset in the text
};

std::optional<Entry> entryOf(const std::string& text, const Line& line) {
    const std::string_view content(text.data() + line.begin, line.end - line.begin);
    const std::string_view trimmed = trim(content);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) return std::nullopt;
    return Entry{content.substr(0, eq), line.begin + eq + 1};
}

struct Located {
    bool sectionFound = false;
    std::size_t insertAt = 0;           // after the section's last entry (or its header)
    std::optional<std::size_t> keyLine; // index into lines
};

Located locate(const std::string& text, const std::vector<Line>& lines, std::string_view section,
               std::string_view key) {
    Located found;
    bool inSection = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string_view content(text.data() + lines[i].begin, lines[i].end - lines[i].begin);
        if (const auto name = sectionName(content)) {
            if (found.sectionFound) break; // only the first section of that name counts
            inSection = sameName(*name, section);
            if (inSection) {
                found.sectionFound = true;
                found.insertAt = i + 1;
            }
            continue;
        }
        if (!inSection) continue;
        if (const auto entry = entryOf(text, lines[i])) {
            found.insertAt = i + 1;
            if (sameName(entry->key, key)) {
                found.keyLine = i;
                return found;
            }
        }
    }
    return found;
}

std::string oneLine(std::string_view value) {
    std::string out(value);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

} // namespace

std::optional<std::string> IniText::value(std::string_view section, std::string_view key) const {
    const auto lines = splitLines(bytes_);
    const Located found = locate(bytes_, lines, section, key);
    if (!found.keyLine) return std::nullopt;
    const Line& line = lines[*found.keyLine];
    const auto entry = entryOf(bytes_, line);
    return bytes_.substr(entry->valueBegin, line.end - entry->valueBegin);
}

void IniText::setValue(std::string_view section, std::string_view key, std::string_view value) {
    const auto lines = splitLines(bytes_);
    const Located found = locate(bytes_, lines, section, key);
    const std::string safeValue = oneLine(value);

    if (found.keyLine) {
        const Line& line = lines[*found.keyLine];
        const auto entry = entryOf(bytes_, line);
        bytes_.replace(entry->valueBegin, line.end - entry->valueBegin, safeValue);
        return;
    }

    const std::string newLine = std::string(key) + "=" + safeValue + "\r\n";
    if (found.sectionFound) {
        if (found.insertAt < lines.size()) {
            bytes_.insert(lines[found.insertAt].begin, newLine);
            return;
        }
        // The section runs to the end of the file, whose last line may have no line end.
        if (bytes_.back() != '\n') bytes_ += "\r\n";
        bytes_ += newLine;
        return;
    }

    if (!bytes_.empty() && bytes_.back() != '\n') bytes_ += "\r\n";
    bytes_ += "[" + std::string(section) + "]\r\n" + newLine;
}
