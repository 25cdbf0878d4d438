// The window's DIB formats through the real diblab-script: a picture read back into each
// palettized format gives the index the nearest-colour rule picks from the synthesized table,
// as the notes on GetDIBits work it out, whichever picture holds it.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "run_script.h"

namespace {

struct ReadBack {
    const char* name;
    int red, green, blue;
    const char* oneBit;    // the index at 1, 4 and 8 bpp, in the bits command's digits
    const char* fourBits;
    const char* eightBits;
};

void PrintTo(const ReadBack& c, std::ostream* out) {
    *out << c.name;
}

// The notes' worked examples: 808080 -> 1, 7, 164; c0c0c0 -> 1, 8, 7; 123456 -> 0, 4, 81;
// 400000 -> 0, 0, 10.
const ReadBack kReadBacks[] = {
    {"MidGrey", 0x80, 0x80, 0x80, "1", "7", "a4"},
    {"LightGrey", 0xC0, 0xC0, 0xC0, "1", "8", "07"},
    {"DarkTeal", 0x12, 0x34, 0x56, "0", "4", "51"},
    {"DarkRed", 0x40, 0x00, 0x00, "0", "0", "0a"},
};

std::string fill(const char* side, const ReadBack& c) {
    const bool source = std::string(side) == "source";
    const std::string fields[] = {source ? "Text7" : "Text4", source ? "Text8" : "Text5",
                                  source ? "Text9" : "Text6"};
    return "set " + fields[0] + " " + std::to_string(c.red) + "\nset " + fields[1] + " " +
           std::to_string(c.green) + "\nset " + fields[2] + " " + std::to_string(c.blue) +
           (source ? "\nclick cmdSetSrcBkg\n" : "\nclick cmdSetDestBkg\n");
}

// The first row the bits command prints for a picture whose pixels all hold `value`.
std::string firstRow(const std::string& picture, const char* value) {
    std::string row = picture + " row 0:";
    for (int x = 0; x < 8; ++x) row += std::string(" ") + value;
    return row + "\n";
}

class FormatReadBack : public testing::TestWithParam<ReadBack> {};

TEST_P(FormatReadBack, SourceHandedOverWithTheNearestIndex) {
    const ReadBack& c = GetParam();
    const ScriptRun run = runScript(fill("source", c) +
                                    "format source 1\nbits srcPic\nformat source 4\nbits srcPic\n"
                                    "format source 8\nbits srcPic\n");
    ASSERT_EQ(run.status, 0) << run.err;
    for (const char* value : {c.oneBit, c.fourBits, c.eightBits}) {
        EXPECT_NE(run.out.find(firstRow("srcPic", value)), std::string::npos) << value;
    }
}

TEST_P(FormatReadBack, DestinationConvertedToTheNearestIndex) {
    const ReadBack& c = GetParam();
    for (const auto& [format, value] : {std::pair{"1", c.oneBit}, std::pair{"4", c.fourBits},
                                        std::pair{"8", c.eightBits}}) {
        const ScriptRun run = runScript(fill("destination", c) + "format destination " +
                                        format + "\nbits destPic\n");
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find(firstRow("destPic", value)), std::string::npos) << format;
    }
}

INSTANTIATE_TEST_SUITE_P(NotesExamples, FormatReadBack, testing::ValuesIn(kReadBacks));

// Windows refuses a top-down RLE source: the run shows Ret = 0 and the negative height.
TEST(FormatRuns, TopDownRleSourceIsRefused) {
    const ScriptRun run = runScript(
        "format source rle8\nclick Check1\nclick cmdTest\nprint dstRet.Caption\n"
        "print srcHeight.Caption\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "dstRet.Caption = Ret = 0\nsrcHeight.Caption = Source biHeight = -8\n");
}

}  // namespace
