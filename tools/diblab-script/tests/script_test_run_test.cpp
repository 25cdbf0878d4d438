#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

#include "run_script.h"

namespace {

// A white source with a diagonal from the bottom left to the top right in eight colours.
std::string diagonalSource() {
    std::string script;
    for (int i = 0; i < 8; ++i) {
        script += "set Text7 " + std::to_string(i * 32) + "\nset Text8 " +
                  std::to_string(255 - i * 32) + "\nset Text9 " + std::to_string(i) +
                  "\nset Text10 " + std::to_string(i) + "\nset Text11 " + std::to_string(i) +
                  "\nclick cmdSetSrcPoint\n";
    }
    return script;
}

std::string diagonalPixel(int i) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", i * 32, 255 - i * 32, i);
    return digits;
}

// A listing line as `print` shows it, CR LF escaped: line `line` holds the diagonal pixel at
// `column` and white elsewhere.
std::string printedLine(int line, int column) {
    std::string text = std::to_string(line) + ":";
    for (int c = 0; c < 8; ++c)
        text += (c == 0 ? " " : ", ") + (c == column ? diagonalPixel(c) : "FFFFFF");
    return text + "\\r\\n";
}

TEST(ScriptTestRun, DestinationTopDownListsTheTopRowFirst) {
    const std::string output = runScript(diagonalSource() +
                                         "click Check5\nclick Check4\nclick Check2\n"
                                         "click cmdTest\nprint Text3.Text\nprint dstRet.Caption\n"
                                         "print srcHeight.Caption\n").out;
    std::string expected = "Text3.Text = Src Pixels (RRGGBB) are\\r\\n";
    for (int line = 1; line <= 8; ++line) expected += printedLine(line, line - 1);
    expected += "Dst Pixels (RRGGBB) are\\r\\n";
    for (int line = 1; line <= 8; ++line) expected += printedLine(line, 8 - line);
    expected += "\ndstRet.Caption = Ret = 8\nsrcHeight.Caption = Source biHeight = 8\n";
    EXPECT_EQ(output, expected);
}

TEST(ScriptTestRun, ShiftedXDestMovesTheDiagonalRight) {
    const std::string output =
        runScript(diagonalSource() + "type Text1(0) \\b2\nclick cmdTest\npixels destPic\n").out;
    std::string expected;
    for (int row = 0; row < 8; ++row) {
        expected += "destPic row " + std::to_string(row) + ":";
        const int diagonal = 7 - row;  // source column of the diagonal in this row
        for (int column = 0; column < 8; ++column) {
            if (column >= 2 && column - 2 == diagonal) {
                const std::string rgb = diagonalPixel(diagonal);
                std::string lower = "00";
                for (const char c : rgb) lower += static_cast<char>(std::tolower(c));
                expected += " " + lower;
            } else {
                expected += " 00ffffff";
            }
        }
        expected += "\n";
    }
    EXPECT_EQ(output, expected);
}

TEST(ScriptTestRun, ArgumentOutOfRangeStopsTheRunBeforeItChangesAnything) {
    const std::string output = runScript(
        "click Check4\nclick cmdTest\nset Text2(3) 1e999\nclick Check1\nclick cmdTest\n"
        "print dstRet.Caption\nprint srcHeight.Caption\n").out;
    EXPECT_EQ(output,
              "message: #Lines must be a whole number from -32768 to 32767.\n"
              "dstRet.Caption = Ret = 8\n"
              "srcHeight.Caption = Source biHeight = 8\n");
}

}  // namespace
