#include "probe_output.h"

#include "dib/pixel_rows.h"
#include "line_reader.h"

#include <array>
#include <cstring>
#include <istream>
#include <memory>
#include <new>
#include <span>
#include <ostream>

#include "geometry/call_account.h"

namespace probe {

namespace {

// The two lowercase hexadecimal digits of every byte.
constexpr std::array<std::array<char, 2>, 256> hexPairs = [] {
    constexpr char digits[] = "0123456789abcdef";
    std::array<std::array<char, 2>, 256> pairs{};
    for (std::size_t byte = 0; byte < pairs.size(); ++byte) {
        pairs[byte] = {digits[byte >> 4], digits[byte & 0xF]};
    }
    return pairs;
}();

// The four lowercase hexadecimal digits of every 16-bit value, made on first use.
const std::array<std::array<char, 4>, 65536>& hexQuads() {
    static const auto quads = [] {
        auto table = std::make_unique<std::array<std::array<char, 4>, 65536>>();
        for (std::size_t value = 0; value < table->size(); ++value) {
            const auto& high = hexPairs[value >> 8];
            const auto& low = hexPairs[value & 0xFF];
            (*table)[value] = {high[0], high[1], low[0], low[1]};
        }
        return table;
    }();
    return *quads;
}

// Appends " P0 P1 ..." for the pixels, each in DigitCount digits. The text is sized once and
// written in place, four digits a look-up, which keeps a million small cases a second within
// reach.
template <int DigitCount>
void appendPixels(std::string& out, std::span<const std::uint32_t> pixels) {
    const std::size_t start = out.size();
    out.resize(start + pixels.size() * (DigitCount + 1));
    char* text = out.data() + start;
    const auto& quads = hexQuads();
    for (const std::uint32_t pixel : pixels) {
        *text++ = ' ';
        if constexpr (DigitCount == 1) {
            *text = hexPairs[pixel & 0xF][1];
        } else if constexpr (DigitCount == 2) {
            std::memcpy(text, hexPairs[pixel & 0xFF].data(), 2);
        } else if constexpr (DigitCount == 4) {
            std::memcpy(text, quads[pixel & 0xFFFF].data(), 4);
        } else if constexpr (DigitCount == 6) {
            std::memcpy(text, hexPairs[pixel >> 16 & 0xFF].data(), 2);
            std::memcpy(text + 2, quads[pixel & 0xFFFF].data(), 4);
        } else {
            std::memcpy(text, quads[pixel >> 16].data(), 4);
            std::memcpy(text + 4, quads[pixel & 0xFFFF].data(), 4);
        }
        text += DigitCount;
    }
}

void appendPixels(std::string& out, std::span<const std::uint32_t> pixels, int digitCount) {
    switch (digitCount) {
        case 1:
            return appendPixels<1>(out, pixels);
        case 2:
            return appendPixels<2>(out, pixels);
        case 4:
            return appendPixels<4>(out, pixels);
        case 6:
            return appendPixels<6>(out, pixels);
        default:
            return appendPixels<8>(out, pixels);
    }
}

void appendLine(std::string& out, const ProbeOutcome& outcome, int digitCount) {
    out += std::to_string(outcome.result);
    appendPixels(out, outcome.destination, digitCount);
    out += '\n';
}

void appendGrid(std::string& out, const ProbeOutcome& outcome, std::size_t width, int digitCount) {
    out += "result " + std::to_string(outcome.result) + '\n';
    const std::size_t rows = outcome.destination.size() / width;
    const std::size_t labelWidth = std::to_string(rows - 1).size();
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string label = std::to_string(row);
        out.append(labelWidth - label.size(), ' ');
        out += label + ':';
        appendPixels(out, std::span(outcome.destination).subspan(row * width, width), digitCount);
        out += '\n';
    }
    out += '\n';
}

// A legal case may need more memory than the machine grants (two 16-mebipixel images, a 64 MiB
// bits buffer); that case gets an error line, and the next one still runs.
bool processLineWithinMemory(std::string_view line, OutputStyle style, std::string& out,
                             Account account) {
    try {
        return processLine(line, style, out, account);
    } catch (const std::bad_alloc&) {
        out = "error: not enough memory for the case\n";
        return false;
    }
}

// The case's call as the account reads it: the rows the bits buffer holds whole, and whether the
// source is run-length encoded.
geometry::Call describedCall(const ProbeCase& c) {
    const gdi::DibFormat& source = c.source;
    const bool runLength = source.compression == BI_RLE8 || source.compression == BI_RLE4;
    geometry::Call call;
    call.arguments = c.arguments;
    call.source = {
        source.width, source.height, source.order, std::int64_t(c.bits.size() / source.stride()),
        runLength ? geometry::SourceEncoding::RunLength : geometry::SourceEncoding::Uncompressed};
    call.destination = {c.destination.width, c.destination.height, c.destination.order};
    return call;
}

}  // namespace

void appendOutcome(std::string& out, const ProbeOutcome& outcome, const gdi::DibFormat& destination,
                   OutputStyle style) {
    const int digitCount = dib::hexDigitsOf(destination.bitCount);
    if (style == OutputStyle::Grid) {
        appendGrid(out, outcome, std::size_t(destination.width), digitCount);
    } else {
        appendLine(out, outcome, digitCount);
    }
}

bool processLine(std::string_view line, OutputStyle style, std::string& out, Account account) {
    if (isSkippedLine(line)) {
        return true;
    }
    const std::variant<ProbeCase, ParseError> parsed = parseCase(line);
    if (const auto* error = std::get_if<ParseError>(&parsed)) {
        out += "error: " + error->reason + '\n';
        return false;
    }
    const ProbeCase& probeCase = std::get<ProbeCase>(parsed);
    const ProbeOutcome outcome = evaluateCase(probeCase);
    if (!outcome.error.empty()) {
        out += "error: " + outcome.error + '\n';
        return false;
    }
    if (account == Account::Explained) {
        out += "# " + geometry::explainCall(describedCall(probeCase)) + '\n';
    }
    appendOutcome(out, outcome, probeCase.destination, style);
    return true;
}

int runProbe(std::istream& in, std::ostream& out, OutputStyle style, Account account) {
    int status = 0;
    LineReader reader(in, maxLineBytes);
    std::string output;
    for (LineReader::Result line = reader.next(); line.status != LineReader::Status::End;
         line = reader.next()) {
        output.clear();
        if (line.status == LineReader::Status::TooLong) {
            output = "error: line longer than " + std::to_string(maxLineBytes) + " bytes\n";
            status = 1;
        } else if (!processLineWithinMemory(line.text, style, output, account)) {
            status = 1;
        }
        // Once a write has failed, nothing after it would be seen.
        if (!(out << output)) {
            break;
        }
    }
    out.flush();
    return status;
}

}  // namespace probe
