#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace script {

// Script texts carry escapes so that every command and every printed value stays on one line:
// \n, \r, \t, \b (Backspace), \\ and \xNN (the character with that code).

struct DecodedText {
    std::vector<std::uint32_t> characters;  // Unicode code points
    std::string error;                      // empty when the text decoded
};

// Reads TEXT as UTF-8 with escapes. A byte that is not part of valid UTF-8 stands for the
// character with that code, so any input decodes to characters.
DecodedText decodeEscapes(std::string_view text);

std::string encodeUtf8(const std::vector<std::uint32_t>& characters);

// Writes a value on one line: control characters, C1 controls and the backslash are escaped;
// other characters stay as UTF-8. A byte outside valid UTF-8 is written as \xNN.
std::string escapeForPrint(std::string_view text);

}  // namespace script
