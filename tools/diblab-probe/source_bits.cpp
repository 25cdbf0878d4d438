#include "source_bits.h"

#include "dib/pixel_rows.h"

#include <cstring>
#include <optional>

namespace probe {

namespace {

// Packs the picture into the format's rows, row 0 at the top: rowAt(row, values) gives the values
// of one row, or false to stop.
template <typename RowAt>
bool packRows(const gdi::DibFormat& format, std::vector<std::byte>& bits, RowAt rowAt) {
    bits.assign(format.imageBytes(), std::byte{0});
    const std::size_t stride = format.stride();
    const auto height = std::size_t(format.height);
    std::vector<std::uint32_t> values(std::size_t(format.width));
    for (std::size_t row = 0; row < height; ++row) {
        if (!rowAt(row, values)) {
            return false;
        }
        const std::size_t bufferRow = gdi::bufferRowOf(row, height, format.order);
        dib::writeRow(bits.data() + bufferRow * stride, format.bitCount, values);
    }
    return true;
}

bool appendBytes(std::string_view digits, std::vector<std::byte>& bits) {
    const std::size_t start = bits.size();
    bits.resize(start + digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2) {
        const int high = hexDigitValue(digits[i]);
        const int low = hexDigitValue(digits[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bits[start + i / 2] = std::byte(high << 4 | low);
    }
    return true;
}

}  // namespace

std::vector<std::byte> patternBits(const gdi::DibFormat& format, std::uint32_t base) {
    const unsigned bitCount = format.bitCount;
    std::vector<std::byte> bits;
    if (bitCount == 32) {
        // The values are the stored pixels: written straight into their rows.
        bits.resize(format.imageBytes());
        const auto height = std::size_t(format.height);
        for (std::size_t row = 0; row < height; ++row) {
            std::byte* pixels =
                bits.data() + gdi::bufferRowOf(row, height, format.order) * format.stride();
            std::uint32_t value = base + std::uint32_t(row) * 256;
            for (LONG column = 0; column < format.width; ++column, ++value) {
                std::memcpy(pixels + 4 * column, &value, sizeof value);
            }
        }
        return bits;
    }
    packRows(format, bits, [&](std::size_t row, std::span<std::uint32_t> values) {
        std::uint32_t value = base + std::uint32_t(row) * 256;
        for (std::uint32_t& pixel : values) {
            pixel = (value * 0x9E3779B1u) >> (32 - bitCount);
            ++value;
        }
        return true;
    });
    return bits;
}

std::string readPixelBits(CaseTokens& tokens, const gdi::DibFormat& format,
                          std::vector<std::byte>& bits) {
    const std::size_t count = std::size_t(format.width) * std::size_t(format.height);
    // The values are counted only when something is wrong: a count that differs is the error
    // to report, before any bad value.
    const CaseTokens values = tokens;
    std::string error;
    packRows(format, bits, [&](std::size_t, std::span<std::uint32_t> row) {
        for (std::uint32_t& pixel : row) {
            const std::string_view text = tokens.next();
            const std::optional<std::uint32_t> value = readHex(text);
            if (!value) {
                error = "bad number " + quoted(text) + " for px";
                return false;
            }
            if (*value > dib::maxPixelValue(format.bitCount)) {
                error = "px value " + quoted(text) + " does not fit the " +
                        std::to_string(format.bitCount) + "-bpp source";
                return false;
            }
            pixel = *value;
        }
        return true;
    });
    if (!error.empty() || !tokens.atEnd()) {
        if (const std::size_t given = values.countRemaining(); given != count) {
            return "px needs " + std::to_string(count) + " values, got " + std::to_string(given);
        }
    }
    return error;
}

std::string readByteBits(CaseTokens& tokens, std::vector<std::byte>& bits) {
    bits.clear();
    if (tokens.atEnd()) {
        return "bits needs at least one byte";
    }
    while (!tokens.atEnd()) {
        const std::string_view token = tokens.next();
        if (token.size() % 2 != 0) {
            return "bad bytes " + quoted(token) + " for bits: two digits a byte";
        }
        if (bits.size() + token.size() / 2 > maxBitsBytes) {
            return "bits is too large: at most " + std::to_string(maxBitsBytes) + " bytes";
        }
        if (!appendBytes(token, bits)) {
            return "bad bytes " + quoted(token) + " for bits";
        }
    }
    return {};
}

}  // namespace probe
