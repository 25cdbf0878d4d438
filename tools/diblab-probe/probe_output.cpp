#include "probe_output.h"

#include "case_workers.h"
#include "dib/pixel_rows.h"
#include "line_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <exception>
#include <istream>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <ostream>
#include <vector>

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

// Threads beside the caller's that answer cases; a build may set fewer.
#ifndef DIBLAB_PROBE_HELPER_THREADS
#define DIBLAB_PROBE_HELPER_THREADS 3
#endif
constexpr unsigned helperThreads = DIBLAB_PROBE_HELPER_THREADS;

constexpr std::size_t batchLines = 4096;
// Longer lines are answered on their own, from the reader's buffer.
constexpr std::size_t batchLineBytes = 64 * 1024;

// The lines of a batch, copied out of the reader, and their answers, worked out beside each
// other by the workers.
class CaseBatch {
public:
    struct Answer {
        std::string text;
        bool ok = true;
        bool outOfMemory = false;
        std::exception_ptr failure;
    };

    void clear() {
        m_text.clear();
        m_lines.clear();
    }
    void add(bool tooLong, std::string_view line) {
        m_lines.push_back({m_text.size(), line.size(), tooLong});
        m_text += line;
    }
    std::size_t size() const { return m_lines.size(); }

    void answer(CaseWorkers& workers, OutputStyle style, Account account) {
        m_answers.resize(std::max(m_answers.size(), m_lines.size()));
        workers.run(m_lines.size(), [&](std::size_t i) {
            Answer& answer = m_answers[i];
            answer.text.clear();
            answer.outOfMemory = false;
            answer.failure = nullptr;
            // Nothing may escape a helper thread: the answer keeps what went wrong.
            try {
                if (m_lines[i].tooLong) {
                    answer.text =
                        "error: line longer than " + std::to_string(maxLineBytes) + " bytes\n";
                    answer.ok = false;
                } else {
                    answer.ok = processLine(lineAt(i), style, answer.text, account);
                }
            } catch (const std::bad_alloc&) {
                answer.outOfMemory = true;
            } catch (...) {
                answer.failure = std::current_exception();
            }
        });
    }

    // Line i's answer. A case that ran out of memory beside others is worked out again alone,
    // as it would have been without them; a case that failed otherwise fails the run here.
    const Answer& answerAt(std::size_t i, OutputStyle style, Account account) {
        Answer& answer = m_answers[i];
        if (answer.failure) {
            std::rethrow_exception(answer.failure);
        }
        if (answer.outOfMemory) {
            answer.text.clear();
            answer.ok = processLineWithinMemory(lineAt(i), style, answer.text, account);
        }
        return answer;
    }

private:
    struct Line {
        std::size_t start = 0;
        std::size_t length = 0;
        bool tooLong = false;
    };

    std::string_view lineAt(std::size_t i) const {
        return std::string_view(m_text).substr(m_lines[i].start, m_lines[i].length);
    }

    std::string m_text;
    std::vector<Line> m_lines;
    std::vector<Answer> m_answers;
};

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
    LineReader reader(in, maxLineBytes);
    CaseWorkers workers(helperThreads);
    CaseBatch batch;
    int status = 0;
    bool more = true;
    while (more) {
        // Lines gather while input is at hand, so that a line still to come never holds back the
        // answers before it; a long line is answered on its own.
        batch.clear();
        std::optional<std::string_view> longLine;
        for (;;) {
            const LineReader::Result line = reader.next();
            if (line.status == LineReader::Status::End) {
                more = false;
                break;
            }
            if (line.text.size() > batchLineBytes) {
                longLine = line.text;
                break;
            }
            batch.add(line.status == LineReader::Status::TooLong, line.text);
            if (batch.size() == batchLines || !reader.hasReadyInput()) {
                break;
            }
        }
        batch.answer(workers, style, account);
        // Once a write has failed, nothing after it would be seen.
        bool written = true;
        for (std::size_t i = 0; i < batch.size() && written; ++i) {
            const CaseBatch::Answer& answer = batch.answerAt(i, style, account);
            status |= answer.ok ? 0 : 1;
            written = bool(out << answer.text);
        }
        if (written && longLine) {
            std::string output;
            status |= processLineWithinMemory(*longLine, style, output, account) ? 0 : 1;
            written = bool(out << output);
        }
        if (!written) {
            break;
        }
    }
    out.flush();
    return status;
}

}  // namespace probe
