#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace difftest {

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view text);

// A Windows console program's text output with the C run-time's CR LF line ends turned back into
// LF; a lone CR stays, so that it still shows as a difference.
std::string withUnixLineEnds(std::string_view text);

// The text split at LF, without the LFs; a final line without LF counts as a line.
std::vector<std::string_view> splitLines(std::string_view text);

}  // namespace difftest
