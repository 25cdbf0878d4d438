#include "probe_output.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <streambuf>
#include <string>
#include <sstream>
#include <vector>

namespace {

std::string processed(std::string_view line, probe::OutputStyle style = probe::OutputStyle::Line) {
    std::string out;
    probe::processLine(line, style, out);
    return out;
}

TEST(ProcessLine, PrintsTheResultAndTheDestinationInScreenOrder) {
    // A 2x2 top-down source onto a 2x3 bottom-up destination, one row down.
    EXPECT_EQ(processed("2 3 0 eeeeeeee 2 2 1 c0000000 0 1 2 2 0 0 0 2"),
              "2 eeeeeeee eeeeeeee c0000000 c0000001 c0000100 c0000101\n");
    EXPECT_EQ(processed("2 3 1 eeeeeeee 2 2 0 c0000000 0 1 2 2 0 0 0 2"),
              "2 eeeeeeee eeeeeeee c0000000 c0000001 c0000100 c0000101\n");
}

TEST(ProcessLine, ShowsTheTopDownQuirkOfAPartialBand) {
    EXPECT_EQ(processed("1 4 0 0 1 4 1 a0 0 0 1 4 0 0 0 2"),
              "2 00000000 00000000 000000a0 000001a0\n");
    EXPECT_EQ(processed("1 4 0 0 1 4 0 a0 0 0 1 4 0 0 0 2"),
              "2 00000000 00000000 000002a0 000003a0\n");
}

TEST(ProcessLine, ReportsTheWindowsResultOfAFailingCall) {
    EXPECT_EQ(processed("1 1 0 5 1 1 0 9 0 0 1 1 0 0 0 0"), "0 00000005\n");
}

TEST(ProcessLine, EachCaseStartsFromItsFillWhateverTheCaseBeforeDrew) {
    // Cases of one destination format share its section; a call that draws nothing must still
    // show only the fill, down to the last pixel of a byte the drawing call wrote.
    for (const char* format : {"dst=1", "dst=4", "dst=24"}) {
        const std::string draw = std::string("3 2 0 0 3 2 0 ffffff 0 0 3 2 0 0 0 2 ") + format;
        const std::string none = std::string("3 2 0 1 3 2 0 ffffff 0 0 3 2 0 0 0 0 ") + format;
        const std::string fill = std::string(format) == "dst=24" ? " 000001" : " 1";
        std::string expected = "0";
        for (int pixel = 0; pixel < 6; ++pixel) {
            expected += fill;
        }
        processed(draw);
        EXPECT_EQ(processed(none), expected + "\n") << format;
    }
}

TEST(ProcessLine, PrintsAGridOnRequest) {
    EXPECT_EQ(processed("2 11 0 0 1 1 0 ab 1 10 1 1 0 0 0 1 px ff", probe::OutputStyle::Grid),
              "result 1\n"
              " 0: 00000000 00000000\n 1: 00000000 00000000\n 2: 00000000 00000000\n"
              " 3: 00000000 00000000\n 4: 00000000 00000000\n 5: 00000000 00000000\n"
              " 6: 00000000 00000000\n 7: 00000000 00000000\n 8: 00000000 00000000\n"
              " 9: 00000000 00000000\n10: 00000000 000000ff\n\n");
}

// Each destination format prints its pixels in as many hexadecimal digits as its bits need.
struct OutputWidth {
    WORD bitCount;
    std::vector<std::uint32_t> pixels;
    const char* line;
};

const OutputWidth outputWidths[] = {
    {1, {1, 0}, "7 1 0\n"},
    {4, {0xF, 0xA}, "7 f a\n"},
    {8, {0, 0xFF}, "7 00 ff\n"},
    {16, {0x7FFF, 1}, "7 7fff 0001\n"},
    {24, {0xABCDEF, 1}, "7 abcdef 000001\n"},
    {32, {0xDEADBEEF, 0}, "7 deadbeef 00000000\n"},
};

class DestinationFormat : public testing::TestWithParam<OutputWidth> {};

TEST_P(DestinationFormat, SetsTheDigitsOfEachPixel) {
    gdi::DibFormat destination = gdi::DibFormat::rgb32(2, 1, gdi::RowOrder::TopDown);
    destination.bitCount = GetParam().bitCount;
    const probe::ProbeOutcome outcome{"", 7, GetParam().pixels};
    std::string out;
    probe::appendOutcome(out, outcome, destination, probe::OutputStyle::Line);
    EXPECT_EQ(out, GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(AppendOutcome, DestinationFormat, testing::ValuesIn(outputWidths));

TEST(AppendOutcome, GridRowsUseTheDestinationsDigits) {
    gdi::DibFormat destination = gdi::DibFormat::rgb32(2, 2, gdi::RowOrder::TopDown);
    destination.bitCount = 4;
    const probe::ProbeOutcome outcome{"", 2, {1, 2, 3, 0xC}};
    std::string out;
    probe::appendOutcome(out, outcome, destination, probe::OutputStyle::Grid);
    EXPECT_EQ(out, "result 2\n0: 1 2\n1: 3 c\n\n");
}

TEST(RunProbe, KeepsGoingAfterAnErrorAndReportsItInTheStatus) {
    std::istringstream in(
        "# header\n1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\n\n1 1 0\n1 1 0 0 1 1 0 8 0 0 1 1 0 0 0 1\n");
    std::ostringstream out;
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), 1);
    EXPECT_EQ(out.str(), "1 00000007\nerror: missing field FILL\n1 00000008\n");
}

TEST(RunProbe, SucceedsWhenEveryLineIsRead) {
    std::istringstream in("1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\r\n");
    std::ostringstream out;
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), 0);
    EXPECT_EQ(out.str(), "1 00000007\n");
}

// Output that cannot be written ends the run: with more input than the reader takes at once, some
// of it is left unread.
TEST(RunProbe, StopsAtTheFirstOutputThatCannotBeWritten) {
    std::string cases;
    for (int i = 0; i < 10000; ++i) {
        cases += "1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\n";
    }
    std::istringstream in(cases);
    std::ostream lost(nullptr);
    probe::runProbe(in, lost, probe::OutputStyle::Line);
    EXPECT_GT(in.rdbuf()->in_avail(), 0);
}

// Lines are answered in batches, beside each other on several threads, a long line on its own:
// the answers, their order and the status are those of the lines answered one by one.
TEST(RunProbe, AnswersBatchesAsLineByLine) {
    std::uint32_t state = 7;
    const auto below = [&](std::uint32_t range) {
        state = state * 1664525u + 1013904223u;
        return std::to_string((state >> 8) % range);
    };
    const char* const formats[] = {"", " src=8", " dst=4", " src=24 dst=16:f800:7e0:1f"};
    std::string input;
    std::string expected;
    bool failed = false;
    const auto add = [&](const std::string& line) {
        input += line + '\n';
        failed |= !probe::processLine(line, probe::OutputStyle::Line, expected);
    };
    for (int i = 0; i < 6000; ++i) {
        if (i == 3000) {
            std::string pixels;
            for (int p = 0; p < 100 * 100; ++p) {
                pixels += " 00a0b0c0";
            }
            add("4 4 0 0 100 100 0 0 0 0 4 4 0 0 0 100 px" + pixels);
        }
        const std::string roll = below(8);
        if (roll == "0") {
            add("# a comment");
        } else if (roll == "1") {
            add("1 2 0");
        } else {
            add(below(9) + ' ' + below(9) + ' ' + below(2) + " 5 " + below(9) + ' ' + below(9) +
                ' ' + below(2) + " 10 " + below(6) + ' ' + below(6) + ' ' + below(9) + ' ' +
                below(9) + ' ' + below(6) + ' ' + below(6) + ' ' + below(9) + ' ' + below(9) +
                formats[std::stoi(below(4))]);
        }
    }
    std::istringstream in(input);
    std::ostringstream out;
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), failed ? 1 : 0);
    EXPECT_EQ(out.str(), expected);
}

// Input that arrives a line at a time, as typed at a terminal; before it gives the next line,
// every line it gave must have been answered.
class TypedLines : public std::streambuf {
public:
    TypedLines(std::vector<std::string> lines, const std::ostringstream& answers)
        : m_lines(std::move(lines)), m_answers(answers) {}

    std::size_t unansweredWhenRead = 0;

protected:
    int_type underflow() override {
        const std::string answers = m_answers.str();
        if (std::size_t(std::count(answers.begin(), answers.end(), '\n')) != m_given) {
            ++unansweredWhenRead;
        }
        if (m_given == m_lines.size()) {
            return traits_type::eof();
        }
        std::string& line = m_lines[m_given++];
        setg(line.data(), line.data(), line.data() + line.size());
        return traits_type::to_int_type(line[0]);
    }

private:
    std::vector<std::string> m_lines;
    const std::ostringstream& m_answers;
    std::size_t m_given = 0;
};

TEST(RunProbe, AnswersEachTypedLineBeforeReadingTheNext) {
    std::ostringstream out;
    TypedLines typed({"1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\n", "1 1 0\n",
                      "1 1 0 0 1 1 0 8 0 0 1 1 0 0 0 1\n"},
                     out);
    std::istream in(&typed);
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), 1);
    EXPECT_EQ(out.str(), "1 00000007\nerror: missing field FILL\n1 00000008\n");
    EXPECT_EQ(typed.unansweredWhenRead, 0u);
}

// CreateDIBSection refuses a bit-fields section with any of its three masks zero.
struct RefusedDestination {
    const char* format;
    const char* reason;
};

const RefusedDestination refusedDestinations[] = {
    {"16:0:0:0", "dst has a zero red mask, which CreateDIBSection refuses"},
    {"32:ff0000:0:ff", "dst has a zero green mask, which CreateDIBSection refuses"},
    {"16:7c00:3e0:0", "dst has a zero blue mask, which CreateDIBSection refuses"},
};

class RefusedDestinationLine : public testing::TestWithParam<RefusedDestination> {};

TEST_P(RefusedDestinationLine, NamesDstAndTheZeroMask) {
    const std::string line =
        std::string("2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=") + GetParam().format;
    EXPECT_EQ(processed(line), std::string("error: ") + GetParam().reason + "\n");
}

INSTANTIATE_TEST_SUITE_P(ProcessLine, RefusedDestinationLine,
                         testing::ValuesIn(refusedDestinations));

}  // namespace
