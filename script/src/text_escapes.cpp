#include "script/text_escapes.h"

#include <array>

namespace script {

namespace {

struct Utf8Character {
    std::uint32_t code;
    std::size_t length;  // 0 when the bytes at this position are not valid UTF-8
};

Utf8Character readUtf8(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07u, minimum = 0x10000;
    } else {
        return {0, 0};
    }
    if (at + length > text.size()) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80) return {0, 0};
        code = (code << 6) | (next & 0x3Fu);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (code < minimum || code > 0x10FFFF || surrogate) return {0, 0};
    return {code, length};
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Decodes the escape whose backslash is at `at`; returns its length, 0 when it is malformed.
std::size_t readEscape(std::string_view text, std::size_t at, std::uint32_t& character) {
    if (at + 1 >= text.size()) return 0;
    switch (text[at + 1]) {
        case 'n':
            character = '\n';
            return 2;
        case 'r':
            character = '\r';
            return 2;
        case 't':
            character = '\t';
            return 2;
        case 'b':
            character = '\b';
            return 2;
        case '\\':
            character = '\\';
            return 2;
        case 'x': {
            const int high = at + 2 < text.size() ? hexDigit(text[at + 2]) : -1;
            const int low = at + 3 < text.size() ? hexDigit(text[at + 3]) : -1;
            if (high < 0 || low < 0) return 0;
            character = static_cast<std::uint32_t>(high * 16 + low);
            return 4;
        }
        default:
            return 0;
    }
}

std::string malformedEscapeMessage(std::string_view text, std::size_t at) {
    if (at + 1 == text.size()) return "the text ends in a lone backslash (write \\\\ for one)";
    const bool hex = text[at + 1] == 'x';
    return "bad escape '\\" + escapeForPrint(text.substr(at + 1, hex ? 3 : 1)) +
           "' (use \\n, \\r, \\t, \\b, \\\\ or \\xNN)";
}

void appendHexEscape(std::string& out, unsigned value) {
    static constexpr std::array<char, 16> kDigits{'0', '1', '2', '3', '4', '5', '6', '7',
                                                  '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
    out += "\\x";
    out += kDigits[(value >> 4) & 0xF];
    out += kDigits[value & 0xF];
}

void appendEscapedCharacter(std::string& out, std::uint32_t code, std::string_view bytes) {
    switch (code) {
        case '\n':
            out += "\\n";
            return;
        case '\r':
            out += "\\r";
            return;
        case '\t':
            out += "\\t";
            return;
        case '\b':
            out += "\\b";
            return;
        case '\\':
            out += "\\\\";
            return;
        default:
            break;
    }
    const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
    if (control) {
        appendHexEscape(out, code);
    } else {
        out += bytes;
    }
}

}  // namespace

DecodedText decodeEscapes(std::string_view text) {
    DecodedText decoded;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == '\\') {
            std::uint32_t character = 0;
            const std::size_t length = readEscape(text, at, character);
            if (length == 0) {
                decoded.error = malformedEscapeMessage(text, at);
                return decoded;
            }
            decoded.characters.push_back(character);
            at += length;
            continue;
        }
        const Utf8Character next = readUtf8(text, at);
        if (next.length == 0) {
            decoded.characters.push_back(static_cast<unsigned char>(text[at]));
            ++at;
        } else {
            decoded.characters.push_back(next.code);
            at += next.length;
        }
    }
    return decoded;
}

std::string encodeUtf8(const std::vector<std::uint32_t>& characters) {
    std::string out;
    for (const std::uint32_t code : characters) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return out;
}

std::string escapeForPrint(std::string_view text) {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const Utf8Character next = readUtf8(text, at);
        if (next.length == 0) {
            appendHexEscape(out, static_cast<unsigned char>(text[at]));
            ++at;
            continue;
        }
        appendEscapedCharacter(out, next.code, text.substr(at, next.length));
        at += next.length;
    }
    return out;
}

}  // namespace script
