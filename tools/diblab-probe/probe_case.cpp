#include "probe_case.h"

#include <array>
#include <charconv>
#include <optional>

namespace probe {

namespace {

constexpr std::array<const char*, 16> fieldNames{
    "DW",    "DH",    "DTD",   "FILL",   "SW",   "SH",   "STD",       "BASE",
    "XDest", "YDest", "Width", "Height", "XSrc", "YSrc", "StartScan", "cLines"};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < line.size() && !isBlank(line[pos])) {
            ++pos;
        }
        if (pos > start) {
            fields.push_back(line.substr(start, pos - start));
        }
    }
    return fields;
}

std::optional<std::uint32_t> readHex(std::string_view text) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size() || text.size() > 8) {
        return std::nullopt;
    }
    return value;
}

// A decimal 32-bit value: -2^31 .. 2^32-1, negative numbers wrapping as the call sees them.
std::optional<std::uint32_t> readDecimal(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < INT32_MIN ||
        value > std::int64_t(UINT32_MAX)) {
        return std::nullopt;
    }
    return std::uint32_t(value);
}

class FieldReader {
public:
    explicit FieldReader(std::vector<std::string_view> fields) : m_fields(std::move(fields)) {}

    std::string error;

    std::uint32_t hex() { return next(readHex); }
    std::uint32_t decimal() { return next(readDecimal); }

    std::uint32_t size() {
        const std::uint32_t value = decimal();
        if (error.empty() && (value == 0 || value > std::uint32_t(INT32_MAX))) {
            error = std::string(currentName()) + " must be a size of at least 1";
        }
        return value;
    }

    RowOrder rowOrder() {
        const std::uint32_t value = decimal();
        if (error.empty() && value > 1) {
            error = std::string(currentName()) + " must be 0 or 1";
        }
        return value == 1 ? RowOrder::TopDown : RowOrder::BottomUp;
    }

    std::size_t remaining() const { return m_fields.size() - m_index; }
    std::string_view peek() const { return m_fields[m_index]; }
    void skip() { ++m_index; }

private:
    const char* nameOf(std::size_t index) const {
        return index < fieldNames.size() ? fieldNames[index] : "px";
    }

    const char* currentName() const { return nameOf(m_index - 1); }

    std::uint32_t next(std::optional<std::uint32_t> (*read)(std::string_view)) {
        if (!error.empty()) {
            return 0;
        }
        if (m_index >= m_fields.size()) {
            error = std::string("missing field ") + nameOf(m_index);
            return 0;
        }
        const std::string_view text = m_fields[m_index++];
        const std::optional<std::uint32_t> value = read(text);
        if (!value) {
            error = "bad number '" + std::string(text) + "' for " + currentName();
        }
        return value.value_or(0);
    }

    std::vector<std::string_view> m_fields;
    std::size_t m_index = 0;
};

void readHeader(FieldReader& reader, ProbeCase& probeCase, std::uint32_t& base) {
    probeCase.destWidth = reader.size();
    probeCase.destHeight = reader.size();
    probeCase.destOrder = reader.rowOrder();
    probeCase.fill = reader.hex();
    probeCase.srcWidth = reader.size();
    probeCase.srcHeight = reader.size();
    probeCase.srcOrder = reader.rowOrder();
    base = reader.hex();
    probeCase.xDest = std::int32_t(reader.decimal());
    probeCase.yDest = std::int32_t(reader.decimal());
    probeCase.width = reader.decimal();
    probeCase.height = reader.decimal();
    probeCase.xSrc = std::int32_t(reader.decimal());
    probeCase.ySrc = std::int32_t(reader.decimal());
    probeCase.startScan = reader.decimal();
    probeCase.cLines = reader.decimal();
}

std::string checkSizes(const ProbeCase& probeCase) {
    if (std::uint64_t(probeCase.destWidth) * probeCase.destHeight > maxPixels) {
        return "destination DW x DH exceeds 16777216 pixels";
    }
    if (std::uint64_t(probeCase.srcWidth) * probeCase.srcHeight > maxPixels) {
        return "source SW x SH exceeds 16777216 pixels";
    }
    return {};
}

void fillPattern(ProbeCase& probeCase, std::uint32_t base) {
    probeCase.picture.resize(std::size_t(probeCase.srcWidth) * probeCase.srcHeight);
    std::size_t index = 0;
    for (std::uint32_t row = 0; row < probeCase.srcHeight; ++row) {
        for (std::uint32_t column = 0; column < probeCase.srcWidth; ++column) {
            probeCase.picture[index++] = base + row * 256 + column;
        }
    }
}

std::string readPicture(FieldReader& reader, ProbeCase& probeCase, std::uint32_t base) {
    if (reader.remaining() == 0) {
        fillPattern(probeCase, base);
        return {};
    }
    if (reader.peek() != "px") {
        return "unexpected field '" + std::string(reader.peek()) + "'";
    }
    reader.skip();
    const std::size_t count = std::size_t(probeCase.srcWidth) * probeCase.srcHeight;
    if (reader.remaining() != count) {
        return "px needs " + std::to_string(count) + " values, got " +
               std::to_string(reader.remaining());
    }
    probeCase.picture.resize(count);
    for (std::uint32_t& value : probeCase.picture) {
        value = reader.hex();
    }
    return reader.error;
}

}  // namespace

bool isSkippedLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    return first == std::string_view::npos || line[first] == '#';
}

std::variant<ProbeCase, ParseError> parseCase(std::string_view line) {
    FieldReader reader(splitFields(line));
    ProbeCase probeCase;
    std::uint32_t base = 0;
    readHeader(reader, probeCase, base);
    std::string error = reader.error.empty() ? checkSizes(probeCase) : reader.error;
    if (error.empty()) {
        error = readPicture(reader, probeCase, base);
    }
    if (!error.empty()) {
        return ParseError{error};
    }
    return probeCase;
}

}  // namespace probe
