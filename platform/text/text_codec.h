#pragma once

#include <string>
#include <string_view>

// Conversion between the program's GBK texts and UTF-8 (file names, what Qt draws). The GBK side is
// really GB18030, so every Unicode character has a form there and nothing is dropped or turned into "?".
//
// A byte that is not part of a valid sequence travels as a private-use character U+F780 + (byte - 0x80),
// and such a character travels back as the byte, so the two functions undo each other exactly: an
// invalid GBK byte read from a settings file and a file name that is not valid UTF-8 both come back
// byte for byte.
namespace textcodec {

std::string gbkToUtf8(std::string_view gbk);
std::string utf8ToGbk(std::string_view utf8);

} // namespace textcodec
