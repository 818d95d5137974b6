#include "gbk_text.h"

#include <cctype>
#include <cmath>
#include <limits>

namespace gbk {

namespace {

bool isLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}
bool isDigitByte(unsigned char c) {
    return c >= 0x30 && c <= 0x39;
}
bool isSpaceByte(unsigned char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

} // namespace

std::size_t charLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (!isLeadByte(lead) || pos + 1 >= text.size()) return 1;
    const auto second = static_cast<unsigned char>(text[pos + 1]);
    // GB18030 four-byte form: lead, digit, lead, digit.
    if (isDigitByte(second) && pos + 3 < text.size() && isLeadByte(static_cast<unsigned char>(text[pos + 2])) &&
        isDigitByte(static_cast<unsigned char>(text[pos + 3])))
        return 4;
    return 2;
}

std::size_t find(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return std::string_view::npos;
    for (std::size_t pos = from; pos < text.size(); pos += charLength(text, pos)) {
        if (text.compare(pos, needle.size(), needle) == 0) return pos;
    }
    return std::string_view::npos;
}

bool contains(std::string_view text, std::string_view needle) {
    return find(text, needle) != std::string_view::npos;
}

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t hit = find(text, separator, start);
        if (hit == std::string_view::npos) {
            fields.emplace_back(text.substr(start));
            break;
        }
        fields.emplace_back(text.substr(start, hit - start));
        start = hit + separator.size();
    }
    return fields;
}

std::string field(std::string_view text, std::string_view separator, std::size_t index) {
    std::size_t start = 0;
    for (std::size_t n = 0; start < text.size(); ++n) {
        const std::size_t hit = find(text, separator, start);
        const std::size_t end = hit == std::string_view::npos ? text.size() : hit;
        if (n == index) return std::string(text.substr(start, end - start));
        if (hit == std::string_view::npos) break;
        start = hit + separator.size();
    }
    return {};
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t hit = find(text, from); hit != std::string_view::npos; hit = find(text, from, start)) {
        out.append(text.substr(start, hit - start));
        out.append(to);
        start = hit + from.size();
    }
    out.append(text.substr(start));
    return out;
}

std::string foldFullWidth(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t len = charLength(text, pos);
        const auto lead = static_cast<unsigned char>(text[pos]);
        if (len == 2) {
            const auto trail = static_cast<unsigned char>(text[pos + 1]);
            if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
                out.push_back(static_cast<char>(trail - 0x80)); // A3A1 '!' ... A3FE '~'
                pos += 2;
                continue;
            }
            if (lead == 0xA1 && trail == 0xA1) {
                out.push_back(' ');
                pos += 2;
                continue;
            }
        }
        out.append(text.substr(pos, len));
        pos += len;
    }
    return out;
}

double leadingNumber(std::string_view raw) {
    const std::string text = foldFullWidth(raw);
    std::size_t pos = 0;
    while (pos < text.size() && isSpaceByte(static_cast<unsigned char>(text[pos])))
        ++pos;
    const std::size_t numberStart = pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) ++pos;
    std::size_t digits = 0;
    while (pos < text.size() && isDigitByte(static_cast<unsigned char>(text[pos])))
        ++pos, ++digits;
    if (pos < text.size() && text[pos] == '.') {
        std::size_t fraction = 0;
        std::size_t after = pos + 1;
        while (after < text.size() && isDigitByte(static_cast<unsigned char>(text[after])))
            ++after, ++fraction;
        if (digits + fraction > 0) {
            digits += fraction;
            pos = after;
        }
    }
    if (digits == 0) return 0.0;
    if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
        std::size_t after = pos + 1;
        if (after < text.size() && (text[after] == '+' || text[after] == '-')) ++after;
        const std::size_t exponentStart = after;
        while (after < text.size() && isDigitByte(static_cast<unsigned char>(text[after])))
            ++after;
        if (after > exponentStart) pos = after;
    }
    // Parse the digits ourselves so the C locale's decimal point never matters.
    double mantissa = 0.0;
    int scale = 0;
    bool afterPoint = false;
    std::size_t i = numberStart;
    const bool negative = text[i] == '-';
    if (text[i] == '+' || text[i] == '-') ++i;
    for (; i < pos && text[i] != 'e' && text[i] != 'E'; ++i) {
        if (text[i] == '.') {
            afterPoint = true;
            continue;
        }
        // Past 1e300 further digits only scale the value, so a long run of digits never turns into inf * 0.
        if (mantissa < 1e300) {
            mantissa = mantissa * 10.0 + (text[i] - '0');
            if (afterPoint) --scale;
        } else if (!afterPoint) {
            ++scale;
        }
    }
    long exponent = 0;
    if (i < pos) {
        ++i;
        bool negativeExponent = false;
        if (text[i] == '+' || text[i] == '-') negativeExponent = text[i++] == '-';
        for (; i < pos; ++i)
            exponent = std::min(exponent * 10 + (text[i] - '0'), 100000L);
        if (negativeExponent) exponent = -exponent;
    }
    const double value = mantissa * std::pow(10.0, static_cast<double>(scale + exponent));
    return negative ? -value : value;
}

std::int32_t saturate(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<std::int32_t>::max()))
        return std::numeric_limits<std::int32_t>::max();
    if (value <= static_cast<double>(std::numeric_limits<std::int32_t>::min()))
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(std::trunc(value));
}

std::int32_t toInt(std::string_view text) {
    return saturate(leadingNumber(text));
}

std::int32_t leadingInteger(std::string_view raw) {
    const std::string text = foldFullWidth(raw);
    std::size_t pos = 0;
    while (pos < text.size() && isSpaceByte(static_cast<unsigned char>(text[pos])))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    long long value = 0;
    for (; pos < text.size() && isDigitByte(static_cast<unsigned char>(text[pos])); ++pos)
        value = std::min(value * 10 + (text[pos] - '0'), 1LL << 40);
    return saturate(static_cast<double>(negative ? -value : value));
}

std::string fromInt(long long value) {
    return std::to_string(value);
}

} // namespace gbk
