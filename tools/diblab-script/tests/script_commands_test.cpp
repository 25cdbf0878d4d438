#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>

#include "run_script.h"
#include "script/script_runner.h"

namespace {

struct ScriptCase {
    const char* name;
    std::string script;
    std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ScriptCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptCommands : public testing::TestWithParam<ScriptCase> {};

TEST_P(ScriptCommands, PrintExactly) {
    const ScriptRun run = runScript(GetParam().script);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, GetParam().expected);
}

std::string whiteRows(const std::string& picture) {
    std::string rows;
    for (int y = 0; y < 8; ++y) {
        rows += picture + " row " + std::to_string(y) + ":";
        for (int x = 0; x < 8; ++x) rows += " 00ffffff";
        rows += "\n";
    }
    return rows;
}

// A picture of `size` rows of `fill` with one square of `side` pixels of `value` whose top left
// corner is at column x, row y.
std::string rowsWith(const std::string& picture, int size, std::uint32_t fill, int x, int y,
                     std::uint32_t value, int side) {
    std::string rows;
    char digits[16];
    for (int row = 0; row < size; ++row) {
        rows += picture + " row " + std::to_string(row) + ":";
        for (int column = 0; column < size; ++column) {
            const bool inside = column >= x && column < x + side && row >= y && row < y + side;
            std::snprintf(digits, sizeof digits, " %08x", inside ? value : fill);
            rows += digits;
        }
        rows += "\n";
    }
    return rows;
}

const ScriptCase kCases[] = {
    {"DesignStateAfterLoad",
     "print frmBench.Caption\nprint frmBench.ScaleWidth\nprint frmBench.ScaleHeight\n"
     "print Text1(2).Text\nprint Label2.Caption\nprint cmdSetSrcBkg.Caption\n"
     "print srcHeight.Caption\nprint Text1(0).Tag\nprint Text4.Tag\nprint Text4.ToolTipText\n"
     "print Text1(0).Left\nprint Text1(0).Top\nprint Text1(0).Width\nprint Text1(0).Height\n"
     "print destPic.Width\nprint srcBigPic.ScaleWidth\nprint destPic.ScaleHeight\n"
     "print srcPic.BackColor\nprint cmdTest.TabIndex\nprint Label3.FontName\n"
     "print Label3.FontSize\nprint Text3.FontName\nprint Text3.FontSize\n"
     "print Label2.FontSize\nprint Text3.Alignment\nprint Text1(0).Alignment\n"
     "print Label1(7).Alignment\nprint Check1.Value\nprint Check2.Caption\n",
     "frmBench.Caption = DIB Lab Ver. 0.4.9\nfrmBench.ScaleWidth = 582\n"
     "frmBench.ScaleHeight = 487\nText1(2).Text = 8\nLabel2.Caption = Source\n"
     "cmdSetSrcBkg.Caption = Set  Background\nsrcHeight.Caption = Source biHeight = \n"
     "Text1(0).Tag = 0\nText4.Tag = \nText4.ToolTipText = Double Click to Change\n"
     "Text1(0).Left = 403\nText1(0).Top = 140\nText1(0).Width = 41\nText1(0).Height = 24\n"
     "destPic.Width = 8\nsrcBigPic.ScaleWidth = 64\ndestPic.ScaleHeight = 8\n"
     "srcPic.BackColor = 16777215\ncmdTest.TabIndex = 12\nLabel3.FontName = MS Sans Serif\n"
     "Label3.FontSize = 9.6\nText3.FontName = Courier New\nText3.FontSize = 7.8\n"
     "Label2.FontSize = 12\nText3.Alignment = 0\nText1(0).Alignment = 2\n"
     "Label1(7).Alignment = 0\nCheck1.Value = 0\nCheck2.Caption = Destination Top Down\n"},
    {"SetTakesTheRestOfTheLineWithEscapes",
     "set Text3 a\\tb\\\\c\\x41\\r\\nd \nprint Text3.Text\nset Text4 \nprint Text4.Text\n"
     "set Text5\nprint Text5.Text\nset Text1(0) 1.5e3 x\nprint Text1(0).Text\n"
     "set Text6 \xC3\xA9\\x7f\\xE9\\b\nprint Text6.Text\n",
     "Text3.Text = a\\tb\\\\cA\\r\\nd \nText4.Text = \nText5.Text = \n"
     "Text1(0).Text = 1.5e3 x\nText6.Text = \xC3\xA9\\x7f\xC3\xA9\\b\n"},
    {"TypePassesTheKeyFilter",
     "set Text1(0) \ntype Text1(0) 1.+e -2xZ\\x16\\x03\\r\nprint Text1(0).Text\n"
     "type Text2(3) \\b9\nprint Text2(3).Text\n"
     "type Text4 a.+e \\x16\nprint Text4.Text\n"
     "type Text10 \\r\nprint Text10.Text\n"
     "type Text11 12\\b\\b\\b7\nprint Text11.Text\n"
     "type Text3 ab\\rcd\\b\nprint Text3.Text\n",
     "Text1(0).Text = 1-2\nText2(3).Text = 9\nText4.Text = 255a.+e \\x16\nText10.Text = 0\n"
     "Text11.Text = 7\nText3.Text = ab\\r\\nc\n"},
    {"ClicksToggleCheckBoxesAndSwapRowLabels",
     "click Check1\nprint Check1.Value\nprint Label11.Caption\nprint Label12.Caption\n"
     "click Check2\nprint Label13.Caption\nprint Label14.Caption\nclick Check1\n"
     "print Check1.Value\nprint Label11.Caption\nprint Label12.Caption\n"
     "print Label13.Caption\n",
     "Check1.Value = 1\nLabel11.Caption = 8\nLabel12.Caption = 1\nLabel13.Caption = 8\n"
     "Label14.Caption = 1\nCheck1.Value = 0\nLabel11.Caption = 1\nLabel12.Caption = 8\n"
     "Label13.Caption = 8\n"},
    {"DoubleClickClearsTheReportBox",
     "set Text3 one\\r\\ntwo\\r\\n\ndblclick Text3\nprint Text3.Text\ndblclick Text3\n"
     "print Text3.Text\n",
     "Text3.Text = \nText3.Text = \n"},
    {"PixelsListTheImageTopRowFirst", "pixels srcPic\npixels destPic\n",
     whiteRows("srcPic") + whiteRows("destPic")},
    {"SetpixelDrawsAndRedrawsTheMagnifiedView",
     "setpixel srcPic 7 0 ff0000\nsetpixel destPic 0 7 1234abcd\nprint dstRet.Caption\n"
     "pixels srcPic\npixels destPic\npixels srcBigPic\n",
     "dstRet.Caption = Ret = 0\n" + rowsWith("srcPic", 8, 0x00ffffff, 7, 0, 0x00ff0000, 1) +
         rowsWith("destPic", 8, 0x00ffffff, 0, 7, 0x1234abcd, 1) +
         rowsWith("srcBigPic", 64, 0xffffffff, 56, 0, 0xffff0000, 8)},
    {"LinesWriteTheTextAsTheWindowShowsIt",
     "set Text3 a\\r\\nb\\rc\\n\\r\\nd\\t\nlines Text3\nset Text3 \nlines Text3\nlines Text4\n",
     "Text3 line 1: a\nText3 line 2: b\nText3 line 3: c\nText3 line 4: \nText3 line 5: d\\t\n"
     "Text4 line 1: 255\n"},
    {"ExplainGivesTheLastRunsAccount",
     "set Text2(2) 2\nset Text2(3) 3\nclick cmdTest\nset Text2(3) 300000\nclick cmdTest\nexplain\n",
     "message: #Lines must be a whole number from -32768 to 32767.\n"
     "account: Ret = 3: bottom-up source of 8 rows; the band holds scan lines 2 to 4 (from 0 "
     "at the bottom), all below the top of the source rectangle (YSrc + Height = 8), so all 3 "
     "count; source rows labelled 1 to 3 were drawn to destination rows labelled 3 to 5; the "
     "rectangle's scan lines 0 to 1 and 5 to 7 lie outside the band.\n"},
    {"CommentsBlankLinesAndCrLfAreSkipped",
     "# a comment\n\n   \n  # indented comment\r\nprint Check4.Value\r\nprint Text1(3).Text\r\n",
     "Check4.Value = 0\nText1(3).Text = 8\n"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptCommands, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ScriptCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScriptInputs, StandardInputRunsLikeAFile) {
    const ScriptRun run = runScript("type Text7 x\nprint Text7.Text\n", ScriptInput::StandardInput);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Text7.Text = 255x\n");
}

TEST(ScriptInputs, HelpExplainsEveryCommand) {
    const ScriptRun run = runWithArgument("--help");
    EXPECT_EQ(run.status, 0);
    for (const char* word :
         {"set CONTROL TEXT", "type CONTROL TEXT", "click CONTROL", "dblclick CONTROL",
          "print CONTROL.PROPERTY", "pixels CONTROL", "lines CONTROL", "setpixel PICTURE X Y VALUE",
          "explain", "message: TEXT", "error: line N: REASON", "\\xNN"}) {
        EXPECT_NE(run.out.find(word), std::string::npos) << word;
    }
    for (const script::ScriptRunner::Command& command : script::ScriptRunner::commands()) {
        EXPECT_NE(run.out.find("\n  " + std::string(command.usage)), std::string::npos)
            << command.name;
    }
}

// Every command of the table runs: a line of the command alone is never an unknown command.
TEST(ScriptInputs, EveryCommandOfTheTableIsKnown) {
    for (const script::ScriptRunner::Command& command : script::ScriptRunner::commands()) {
        const ScriptRun run = runScript(std::string(command.name) + "\n");
        EXPECT_EQ(run.err.find("unknown command"), std::string::npos) << run.err;
    }
}

TEST(ScriptWorkbench, MessageBoxesAreWrittenAndAnswered) {
    const ScriptRun run = runScript(
        "set Text7 256\nclick cmdSetSrcBkg\nset Text4 -1\nclick cmdSetDestBkg\n"
        "print Text7.Text\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "message: Error in RGB's for setting Source Background\n"
              "message: Error in RGB's for setting Destination Background\n"
              "Text7.Text = 256\n");
}

TEST(ScriptWorkbench, BackgroundFillShowsInThePixels) {
    const ScriptRun run = runScript(
        "set Text4 255\nset Text5 128\nset Text6 0\nclick cmdSetDestBkg\n"
        "print destPic.BackColor\npixels destPic\n");
    EXPECT_EQ(run.status, 0);
    std::string expected = "destPic.BackColor = 33023\n";
    for (int y = 0; y < 8; ++y) {
        expected += "destPic row " + std::to_string(y) + ":";
        for (int x = 0; x < 8; ++x) expected += " 00ff8000";
        expected += "\n";
    }
    EXPECT_EQ(run.out, expected);
}

}  // namespace
