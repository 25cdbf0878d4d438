#include <gtest/gtest.h>

#include <string>

#include "run_script.h"

namespace {

// What `pixels PICTURE` prints for a square picture whose pixels are `fill` except for the
// block of `block` x `block` pixels at the given top-left corner, which holds `value`.
std::string picturePrint(const std::string& name, int size, const std::string& fill, int left,
                         int top, int block, const std::string& value) {
    std::string text;
    for (int row = 0; row < size; ++row) {
        text += name + " row " + std::to_string(row) + ":";
        for (int column = 0; column < size; ++column) {
            const bool inBlock =
                column >= left && column < left + block && row >= top && row < top + block;
            text += " " + (inBlock ? value : fill);
        }
        text += "\n";
    }
    return text;
}

const std::string kBlackSource = "set Text7 0\nset Text8 0\nset Text9 0\nclick cmdSetSrcBkg\n";

TEST(ScriptSetPoint, RedAtTheOriginIsTheBottomLeftPixelAndBlock) {
    const std::string output = runScript(kBlackSource +
                                         "set Text7 255\nclick cmdSetSrcPoint\n"
                                         "pixels srcPic\npixels srcBigPic\n").out;
    EXPECT_EQ(output, picturePrint("srcPic", 8, "00000000", 0, 7, 1, "00ff0000") +
                          picturePrint("srcBigPic", 64, "ff000000", 0, 56, 8, "ffff0000"));
}

TEST(ScriptSetPoint, BlueAtSevenSevenIsTheTopRightPixelAndBlock) {
    const std::string output = runScript(kBlackSource +
                                         "set Text9 255\nset Text10 7\nset Text11 7\n"
                                         "click cmdSetSrcPoint\npixels srcPic\npixels srcBigPic\n").out;
    EXPECT_EQ(output, picturePrint("srcPic", 8, "00000000", 7, 0, 1, "000000ff") +
                          picturePrint("srcBigPic", 64, "ff000000", 56, 0, 8, "ff0000ff"));
}

TEST(ScriptSetPoint, DefaultFieldsWhitenTheBottomLeftPixel) {
    const std::string output = runScript(kBlackSource +
                                         "set Text7 255\nset Text8 255\nset Text9 255\n"
                                         "click cmdSetSrcPoint\npixels srcPic\n").out;
    EXPECT_EQ(output, picturePrint("srcPic", 8, "00000000", 0, 7, 1, "00ffffff"));
}

TEST(ScriptSetPoint, ColourMessageComesBeforeThePositionMessage) {
    const std::string output = runScript(
        "set Text7 256\nset Text10 8\nclick cmdSetSrcPoint\n"
        "set Text7 0\nclick cmdSetSrcPoint\n"
        "set Text10 1e999\nclick cmdSetSrcPoint\npixels srcPic\n").out;
    EXPECT_EQ(output,
              "message: Error in RGB's for setting Source Colours\n"
              "message: Error in position X/Y's for setting Source Colours\n"
              "message: X holds a number too large.\n" +
                  picturePrint("srcPic", 8, "00ffffff", 0, 0, 0, ""));
}

}  // namespace
