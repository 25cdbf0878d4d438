#include "probe_case.h"

#include "case_options.h"
#include "case_tokens.h"
#include "colour_tables.h"
#include "dib/pixel_rows.h"
#include "source_bits.h"
#include "dib/format_word.h"

#include <array>
#include <optional>

namespace probe {

namespace {

constexpr std::array<const char*, 16> fieldNames{
    "DW",    "DH",    "DTD",   "FILL",   "SW",   "SH",   "STD",       "BASE",
    "XDest", "YDest", "Width", "Height", "XSrc", "YSrc", "StartScan", "cLines"};

constexpr std::size_t maxSourceColours = 256;

// Reads the sixteen positional fields in order, keeping the first reason one cannot be read.
class FieldReader {
public:
    explicit FieldReader(CaseTokens& tokens) : m_tokens(tokens) {}

    std::string error;

    std::uint32_t hex() { return number(readHex); }
    // A well-formed value is read as it is taken; anything else as any field, for its message.
    std::uint32_t decimal() {
        if (error.empty()) {
            if (const std::optional<DecimalToken> token = m_tokens.takeDecimal()) {
                ++m_index;
                m_last = token->text;
                return token->value;
            }
        }
        return number(readDecimal);
    }

    std::uint32_t size() {
        const std::string_view text = next();
        const bool negative = text.starts_with('-');
        const std::optional<std::uint64_t> value = readCount(text.substr(negative ? 1 : 0));
        if (!error.empty()) {
            return 0;
        }
        if (!value) {
            fail("bad number " + quoted(text) + " for " + name());
        } else if (negative || *value == 0) {
            fail(name() + " must be a size of at least 1");
        } else if (*value > maxPixels) {
            fail(name() + " " + quoted(text) + " is too large: at most " +
                 std::to_string(maxPixels));
        }
        return error.empty() ? std::uint32_t(*value) : 0;
    }

    gdi::RowOrder rowOrder() {
        const std::uint32_t value = decimal();
        if (value > 1) {
            fail(name() + " must be 0 or 1");
        }
        return value == 1 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    }

    std::string_view lastToken() const { return m_last; }

private:
    std::string name() const { return fieldNames[m_index - 1]; }

    void fail(std::string reason) {
        if (error.empty()) {
            error = std::move(reason);
        }
    }

    std::string_view next() {
        if (!error.empty()) {
            return {};
        }
        if (m_tokens.atEnd()) {
            fail(std::string("missing field ") + fieldNames[m_index]);
            return {};
        }
        ++m_index;
        m_last = m_tokens.next();
        return m_last;
    }

    std::uint32_t number(std::optional<std::uint32_t> (*read)(std::string_view)) {
        const std::string_view text = next();
        if (!error.empty()) {
            return 0;
        }
        const std::optional<std::uint32_t> value = read(text);
        if (!value) {
            fail("bad number " + quoted(text) + " for " + name());
        }
        return value.value_or(0);
    }

    static std::optional<std::uint32_t> readHex(std::string_view text) {
        return probe::readHex(text);
    }

    CaseTokens& m_tokens;
    std::size_t m_index = 0;
    std::string_view m_last;
};

// The values of the positional fields that the options still have to interpret.
struct DeferredFields {
    std::uint32_t base = 0;
    std::string_view fillText;
};

std::string readFields(CaseTokens& tokens, ProbeCase& probeCase, DeferredFields& deferred) {
    FieldReader reader(tokens);
    gdi::DibFormat& destination = probeCase.destination;
    gdi::DibFormat& source = probeCase.source;
    destination.width = LONG(reader.size());
    destination.height = LONG(reader.size());
    destination.order = reader.rowOrder();
    probeCase.fill = reader.hex();
    deferred.fillText = reader.lastToken();
    source.width = LONG(reader.size());
    source.height = LONG(reader.size());
    source.order = reader.rowOrder();
    deferred.base = reader.hex();
    geometry::CallArguments& arguments = probeCase.arguments;
    arguments.xDest = std::int32_t(reader.decimal());
    arguments.yDest = std::int32_t(reader.decimal());
    arguments.width = reader.decimal();
    arguments.height = reader.decimal();
    arguments.xSrc = std::int32_t(reader.decimal());
    arguments.ySrc = std::int32_t(reader.decimal());
    arguments.startScan = reader.decimal();
    arguments.cLines = reader.decimal();
    return reader.error;
}

std::string checkSizes(const ProbeCase& probeCase) {
    const gdi::DibFormat& destination = probeCase.destination;
    const gdi::DibFormat& source = probeCase.source;
    if (std::uint64_t(destination.width) * std::uint64_t(destination.height) > maxPixels) {
        return "destination DW x DH exceeds 16777216 pixels";
    }
    if (std::uint64_t(source.width) * std::uint64_t(source.height) > maxPixels) {
        return "source SW x SH exceeds 16777216 pixels";
    }
    return {};
}

std::string describeDestination(const CaseOptions& options, const DeferredFields& deferred,
                                ProbeCase& probeCase) {
    gdi::DibFormat& destination = probeCase.destination;
    dib::applyFormatWord(options.destination, destination);
    if (options.destColours) {
        if (destination.bitCount > 8) {
            return "dstpal needs a 1-, 4- or 8-bpp dst, not " + formatLabel(destination);
        }
        const std::string error =
            readColourList("dstpal", *options.destColours, ColourList::Rgb,
                           std::size_t(1) << destination.bitCount, destination.colours);
        destination.clrUsed = DWORD(destination.colours.size());
        if (!error.empty()) {
            return error;
        }
    } else if (destination.bitCount <= 8) {
        destination.colours = defaultColours(destination.bitCount);
    }
    if (probeCase.fill > dib::maxPixelValue(destination.bitCount)) {
        return "FILL " + quoted(deferred.fillText) + " does not fit the " +
               formatLabel(destination) + " destination";
    }
    return {};
}

std::string describeSource(const CaseOptions& options, gdi::DibFormat& source) {
    dib::applyFormatWord(options.source, source);
    source.colorUse = options.colorUse;
    source.headerSize = options.headerSize;
    const ColourList kind =
        options.colorUse == DIB_PAL_COLORS ? ColourList::PaletteIndexes : ColourList::Rgb;
    if (options.sourceColours) {
        const std::string error = readColourList("srcpal", *options.sourceColours, kind,
                                                 maxSourceColours, source.colours);
        if (!error.empty()) {
            return error;
        }
    } else if (source.bitCount <= 8) {
        source.colours = kind == ColourList::PaletteIndexes ? defaultPaletteIndexes(source.bitCount)
                                                            : defaultColours(source.bitCount);
    }
    source.clrUsed =
        options.clrUsed.value_or(options.sourceColours ? DWORD(source.colours.size()) : 0);
    return {};
}

std::string readBits(CaseTokens& tokens, const CaseOptions& options, std::uint32_t base,
                     ProbeCase& probeCase) {
    const gdi::DibFormat& format = options.source;
    const bool rle = format.compression == BI_RLE8 || format.compression == BI_RLE4;
    std::string error;
    if (tokens.atEnd()) {
        if (rle) {
            return "the " + formatLabel(format) + " source needs bits";
        }
        probeCase.bits = patternBits(probeCase.source, base);
    } else if (tokens.next() == "px") {
        if (rle) {
            return "px cannot give the " + formatLabel(format) + " source: use bits";
        }
        error = readPixelBits(tokens, probeCase.source, probeCase.bits);
    } else {
        error = readByteBits(tokens, probeCase.bits);
    }
    probeCase.source.sizeImage = options.sizeImage.value_or(rle ? DWORD(probeCase.bits.size()) : 0);
    return error;
}

std::string readCase(CaseTokens& tokens, ProbeCase& probeCase) {
    DeferredFields deferred;
    std::string error = readFields(tokens, probeCase, deferred);
    if (error.empty()) {
        error = checkSizes(probeCase);
    }
    CaseOptions options;
    if (error.empty()) {
        error = readOptions(tokens, options);
    }
    if (error.empty()) {
        error = describeDestination(options, deferred, probeCase);
    }
    if (error.empty()) {
        error = describeSource(options, probeCase.source);
    }
    if (error.empty()) {
        error = readBits(tokens, options, deferred.base, probeCase);
    }
    return error;
}

}  // namespace

bool isSkippedLine(std::string_view line) {
    CaseTokens tokens(line);
    return tokens.atEnd() || tokens.peek().starts_with('#');
}

std::variant<ProbeCase, ParseError> parseCase(std::string_view line) {
    CaseTokens tokens(line);
    ProbeCase probeCase;
    std::string error = readCase(tokens, probeCase);
    if (!error.empty()) {
        return ParseError{std::move(error)};
    }
    return probeCase;
}

}  // namespace probe
