#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The listing the report should show for 8 x 8 scan lines, written independently of the code
// under test.
inline std::string expectedListing(const std::string& header,
                                   const std::vector<std::uint32_t>& scanLines) {
    std::string text = header + "\r\n";
    for (int line = 0; line < 8; ++line) {
        text += std::to_string(line + 1) + ":";
        for (int column = 0; column < 8; ++column) {
            char digits[8];
            std::snprintf(digits, sizeof digits, "%06X", scanLines[line * 8 + column] & 0xFFFFFFu);
            text += (column == 0 ? " " : ", ") + std::string(digits);
        }
        text += "\r\n";
    }
    return text;
}

inline std::vector<std::uint32_t> reversedRows(const std::vector<std::uint32_t>& scanLines) {
    std::vector<std::uint32_t> reversed;
    for (int line = 7; line >= 0; --line) {
        reversed.insert(reversed.end(), scanLines.begin() + line * 8,
                        scanLines.begin() + line * 8 + 8);
    }
    return reversed;
}
