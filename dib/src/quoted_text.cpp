#include "dib/quoted_text.h"

namespace dib {

std::string quoted(std::string_view text) {
    constexpr char digits[] = "0123456789abcdef";
    std::string quotedText = "'";
    for (const char c : text.substr(0, quotedBytes)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte == '\\') {
            quotedText += "\\\\";
        } else if (byte < 0x20 || byte > 0x7E) {
            quotedText += "\\x";
            quotedText += digits[byte >> 4];
            quotedText += digits[byte & 0xF];
        } else {
            quotedText += c;
        }
    }
    quotedText += '\'';
    if (text.size() > quotedBytes) {
        quotedText += "...";
    }
    return quotedText;
}

}  // namespace dib
