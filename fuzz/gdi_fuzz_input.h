#pragma once

// Turns fuzz input into GDI call ingredients: mostly the small, supported values the bench uses,
// sometimes a boundary or any 32-bit pattern, so that both the drawing paths and the refusals
// are reached.

#include "gdi/gdi.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzzinput {

// Bitmaps the fuzzer creates stay small so that every call can be checked pixel by pixel.
inline constexpr int maxSide = 40;
inline constexpr std::size_t maxBufferBytes = 4 * maxSide * maxSide * 2 + 8;

class GdiInput : public FuzzedDataProvider {
public:
    using FuzzedDataProvider::FuzzedDataProvider;

    std::int64_t number();
    int signedArgument() { return int(std::int32_t(std::uint32_t(number()))); }
    DWORD unsignedArgument() { return DWORD(std::uint32_t(number())); }
    std::vector<std::byte> buffer(std::byte fill);
};

}  // namespace fuzzinput
