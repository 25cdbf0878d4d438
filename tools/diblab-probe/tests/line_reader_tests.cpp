#include "line_reader.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using probe::LineReader;

// Every line the reader gives, with "<too long>" for a refused one.
std::vector<std::string> linesOf(const std::string& input, std::size_t maxBytes) {
    std::istringstream in(input);
    LineReader reader(in, maxBytes);
    std::vector<std::string> lines;
    for (auto line = reader.next(); line.status != LineReader::Status::End; line = reader.next()) {
        lines.emplace_back(line.status == LineReader::Status::TooLong ? "<too long>" : line.text);
    }
    return lines;
}

TEST(LineReader, RefusesOnlyLinesBeyondTheLimitAndGoesOn) {
    EXPECT_EQ(linesOf("12345\n123456\nab\n", 5),
              (std::vector<std::string>{"12345", "<too long>", "ab"}));
}

TEST(LineReader, KeepsEmptyLinesAndALastLineWithoutNewline) {
    EXPECT_EQ(linesOf("\n\r\nend", 5), (std::vector<std::string>{"", "\r", "end"}));
    EXPECT_EQ(linesOf("", 5), std::vector<std::string>{});
}

TEST(LineReader, JoinsLinesLongerThanItsReadsAndRefusesLongerOnes) {
    const std::string joined(150000, 'a');
    const std::string refused(300001, 'b');
    EXPECT_EQ(linesOf(joined + "\n" + refused + "\nc", 300000),
              (std::vector<std::string>{joined, "<too long>", "c"}));
    EXPECT_EQ(linesOf(refused, 300000), std::vector<std::string>{"<too long>"});
}

}  // namespace
