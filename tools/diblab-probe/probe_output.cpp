#include "probe_output.h"

#include <istream>
#include <ostream>

#include "geometry/call_account.h"

namespace probe {

namespace {

void appendHex(std::string& out, std::uint32_t value) {
    constexpr char digits[] = "0123456789abcdef";
    char text[8];
    for (int i = 7; i >= 0; --i) {
        text[i] = digits[value & 0xF];
        value >>= 4;
    }
    out.append(text, sizeof text);
}

void appendLine(std::string& out, const ProbeOutcome& outcome) {
    out += std::to_string(outcome.result);
    for (const std::uint32_t pixel : outcome.destination) {
        out += ' ';
        appendHex(out, pixel);
    }
    out += '\n';
}

void appendGrid(std::string& out, const ProbeOutcome& outcome, std::uint32_t destWidth) {
    out += "result " + std::to_string(outcome.result) + '\n';
    const std::size_t rows = outcome.destination.size() / destWidth;
    const std::size_t labelWidth = std::to_string(rows - 1).size();
    for (std::size_t row = 0; row < rows; ++row) {
        const std::string label = std::to_string(row);
        out.append(labelWidth - label.size(), ' ');
        out += label + ':';
        for (std::size_t column = 0; column < destWidth; ++column) {
            out += ' ';
            appendHex(out, outcome.destination[row * destWidth + column]);
        }
        out += '\n';
    }
    out += '\n';
}

geometry::RowOrder rowOrder(RowOrder order) {
    return order == RowOrder::TopDown ? geometry::RowOrder::TopDown : geometry::RowOrder::BottomUp;
}

// The case's call as the account reads it: the source buffer holds exactly its rows.
geometry::Call describedCall(const ProbeCase& c) {
    geometry::Call call;
    call.arguments = {c.xDest, c.yDest, c.width, c.height, c.xSrc, c.ySrc, c.startScan, c.cLines};
    call.source = {c.srcWidth, c.srcHeight, rowOrder(c.srcOrder), c.srcHeight};
    call.destination = {c.destWidth, c.destHeight};
    return call;
}

}  // namespace

void appendOutcome(std::string& out, const ProbeOutcome& outcome, std::uint32_t destWidth,
                   OutputStyle style) {
    if (style == OutputStyle::Grid) {
        appendGrid(out, outcome, destWidth);
    } else {
        appendLine(out, outcome);
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
    appendOutcome(out, outcome, probeCase.destWidth, style);
    return true;
}

int runProbe(std::istream& in, std::ostream& out, OutputStyle style, Account account) {
    int status = 0;
    std::string line;
    std::string output;
    while (std::getline(in, line)) {
        output.clear();
        if (!processLine(line, style, output, account)) {
            status = 1;
        }
        out << output;
    }
    out.flush();
    return status;
}

}  // namespace probe
