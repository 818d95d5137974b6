#include "text_codec.h"

#include <cerrno>
#include <iconv.h>

namespace textcodec {

namespace {

constexpr char32_t escapeBase = 0xF700; // + byte, for bytes 0x80 to 0xFF

// One conversion descriptor per direction, opened once: iconv_open costs far more than a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts up to the first bad or incomplete sequence; returns the number of input bytes taken.
    std::size_t convert(std::string_view in, std::string& out) {
        if (!ok() || in.empty()) return 0;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char buffer[4096];
        while (srcLeft > 0) {
            char* dst = buffer;
            std::size_t dstLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
            out.append(buffer, static_cast<std::size_t>(dst - buffer));
            if (r == static_cast<std::size_t>(-1) && errno != E2BIG) break;
        }
        return in.size() - srcLeft;
    }

private:
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t cd_;
};

Converter& toUtf8() {
    static thread_local Converter conv("UTF-8", "GB18030");
    return conv;
}

Converter& toGbk() {
    static thread_local Converter conv("GB18030", "UTF-8");
    return conv;
}

// UTF-8 of U+F780 ... U+F7FF: EF 9E 80 ... EF 9F BF.
void appendEscapeUtf8(unsigned char byte, std::string& out) {
    const char32_t c = escapeBase + byte;
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

bool readEscapeUtf8(std::string_view text, std::size_t pos, unsigned char& byte) {
    if (pos + 3 > text.size() || static_cast<unsigned char>(text[pos]) != 0xEF) return false;
    const auto b1 = static_cast<unsigned char>(text[pos + 1]);
    const auto b2 = static_cast<unsigned char>(text[pos + 2]);
    if ((b1 != 0x9E && b1 != 0x9F) || (b2 & 0xC0) != 0x80) return false;
    byte = static_cast<unsigned char>(0x80 | ((b1 & 0x01) << 6) | (b2 & 0x3F));
    return true;
}

// Copies UTF-8 text, turning each escape character into its byte.
void appendUnescaped(std::string_view utf8, std::string& out) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        unsigned char byte = 0;
        if (readEscapeUtf8(utf8, pos, byte)) {
            out += static_cast<char>(byte);
            pos += 3;
        } else {
            out += utf8[pos++];
        }
    }
}

// UTF-8 text without escape characters to GB18030; an invalid byte becomes the escape's GB18030 form.
void appendEncoded(std::string_view utf8, std::string& out) {
    while (!utf8.empty()) {
        utf8.remove_prefix(toGbk().convert(utf8, out));
        if (utf8.empty()) break;
        std::string escape;
        appendEscapeUtf8(static_cast<unsigned char>(utf8.front()), escape);
        toGbk().convert(escape, out);
        utf8.remove_prefix(1);
    }
}

} // namespace

std::string gbkToUtf8(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() * 3 / 2);
    std::string chunk;
    while (!gbk.empty()) {
        chunk.clear();
        gbk.remove_prefix(toUtf8().convert(gbk, chunk));
        appendUnescaped(chunk, out);
        if (gbk.empty()) break;
        appendEscapeUtf8(static_cast<unsigned char>(gbk.front()), out);
        gbk.remove_prefix(1);
    }
    return out;
}

std::string utf8ToGbk(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t start = 0;
    for (std::size_t pos = 0; pos < utf8.size();) {
        unsigned char byte = 0;
        if (!readEscapeUtf8(utf8, pos, byte)) {
            ++pos;
            continue;
        }
        appendEncoded(utf8.substr(start, pos - start), out);
        out += static_cast<char>(byte);
        pos += 3;
        start = pos;
    }
    appendEncoded(utf8.substr(start), out);
    return out;
}

} // namespace textcodec
