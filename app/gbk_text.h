#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Text rules for the GBK byte strings the program works in. Every search matches whole characters:
// a byte inside a double-byte (or GB18030 four-byte) character never counts as a separator.
namespace gbk {

// Bytes taken by the character that starts at `pos` (1, 2 or 4; a lone lead byte at the end is 1).
std::size_t charLength(std::string_view text, std::size_t pos);

// Byte offset of the first whole-character occurrence of `needle`, or npos.
std::size_t find(std::string_view text, std::string_view needle, std::size_t from = 0);
bool contains(std::string_view text, std::string_view needle);

// Every separator splits; empty fields count; a trailing separator adds none; empty text has no field.
std::vector<std::string> split(std::string_view text, std::string_view separator);

// Field `index` (0-based) of split(text, separator), or empty when there are fewer fields.
std::string field(std::string_view text, std::string_view separator, std::size_t index);

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);

// Full-width ASCII forms (row 0xA3) become ASCII, the ideographic space (A1 A1) a space.
std::string foldFullWidth(std::string_view text);

// The text-to-number rule: fold full width, read the longest leading decimal number
// (white space, sign, digits, point, exponent), 0 when there is none.
double leadingNumber(std::string_view text);

// leadingNumber truncated toward zero, saturating at the 32-bit range.
std::int32_t toInt(std::string_view text);

// What an integer input box yields: white space, an optional sign and the leading digits; 0 without digits.
// Saturates at the 32-bit range.
std::int32_t leadingInteger(std::string_view text);

std::int32_t saturate(double value);

std::string fromInt(long long value);

} // namespace gbk
