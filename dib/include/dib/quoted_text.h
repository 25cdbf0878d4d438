#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace dib {

// A word or token as an error message shows it: in single quotes, at most its first
// `quotedBytes` bytes and then "..." if it is longer, with a backslash as \\ and any byte outside
// printable ASCII as \xHH.
inline constexpr std::size_t quotedBytes = 40;
std::string quoted(std::string_view text);

}  // namespace dib
