#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "run_script.h"

namespace {

struct ErrorCase {
    const char* name;
    std::string script;
    std::string error;  // what stderr says, without "error: " and the newline
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(ScriptErrors, StopTheScriptWithStatusTwo) {
    const ScriptRun run =
        runScript("print Check1.Value\n" + GetParam().script + "\nprint Check2.Value\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "Check1.Value = 0\n");
    EXPECT_EQ(run.err, "error: " + GetParam().error + "\n");
}

const ErrorCase kCases[] = {
    {"UnknownCommand", "frobnicate Text1(0)", "line 2: unknown command 'frobnicate'"},
    {"UnknownControl", "click Text99", "line 2: unknown control 'Text99'"},
    {"UnknownIndex", "set Text1(4) 1", "line 2: unknown control 'Text1(4)'"},
    {"UnknownProperty", "print Text1(0).Colour", "line 2: unknown property 'Colour'"},
    {"LabelHasNoText", "print Label2.Text", "line 2: Label2 has no property Text"},
    {"LineHasNoTabIndex", "print Line1.TabIndex", "line 2: Line1 has no property TabIndex"},
    {"WindowHasNoTag", "print frmBench.Tag", "line 2: frmBench has no property Tag"},
    {"ButtonHasNoValue", "print cmdTest.Value", "line 2: cmdTest has no property Value"},
    {"PrintWithoutArgument", "print", "line 2: print needs CONTROL.PROPERTY"},
    {"PrintWithoutProperty", "print Text1(0)",
     "line 2: print needs CONTROL.PROPERTY, not 'Text1(0)'"},
    {"SetWithoutControl", "set", "line 2: set needs a text box and a text"},
    {"TypeWithoutControl", "type", "line 2: type needs a control and a text"},
    {"ClickWithoutControl", "click ", "line 2: click needs a control"},
    {"DblclickWithoutControl", "dblclick", "line 2: dblclick needs a text box"},
    {"PixelsWithoutControl", "pixels", "line 2: pixels needs a picture"},
    {"ExtraArgument", "click Check1 Check2", "line 2: unexpected text after 'Check1': 'Check2'"},
    {"SetOnALabel", "set Label2 x", "line 2: set needs a text box; Label2 is not one"},
    {"TypeIntoALabel", "type Label1(0) 1", "line 2: Label1(0) cannot take the focus"},
    {"ClickOnALine", "click Line1", "line 2: Line1 is a line and takes no click"},
    {"ClickOnTheWindow", "click frmBench",
     "line 2: frmBench is the window, not one of its controls"},
    {"DblclickOnACheckBox", "dblclick Check1",
     "line 2: dblclick needs a text box; Check1 is a check box"},
    {"PixelsOfATextBox", "pixels Text3", "line 2: pixels needs a picture; Text3 is a text box"},
    {"SetpixelOnALabel", "setpixel Label2 0 0 ffffff",
     "line 2: setpixel needs a picture; Label2 is a label"},
    {"SetpixelBeyondThePicture", "setpixel srcPic 8 0 ffffff", "line 2: X 8 lies outside 0 to 7"},
    {"SetpixelBelowThePicture", "setpixel destBigPic 0 -1 ffffff",
     "line 2: Y -1 lies outside 0 to 63"},
    {"SetpixelShortValue", "setpixel srcPic 0 0 fffff",
     "line 2: a pixel value is 6 or 8 hexadecimal digits, not 'fffff'"},
    {"SetpixelWordForX", "setpixel srcPic one 0 ffffff",
     "line 2: X must be a whole number, not 'one'"},
    {"SetpixelMissingValue", "setpixel srcPic 0 0",
     "line 2: setpixel needs a picture, X, Y and a pixel value"},
    {"LinesOfAPicture", "lines srcPic", "line 2: lines needs a text box; srcPic is a picture"},
    {"ExplainBeforeARun", "explain",
     "line 2: explain needs a run first: SetDIBitsToDevice has not been called yet"},
    {"ExplainWithAnArgument", "explain now", "line 2: explain takes no arguments"},
    {"FormatWithoutItsSide", "format 8",
     "line 2: format needs source FORMAT, destination FORMAT or indexes on|off"},
    {"FormatOfTheReport", "format report 8",
     "line 2: format needs source, destination or indexes, not 'report'"},
    {"RleDestination", "format destination rle8",
     "line 2: bad format word 'rle8': RLE is a source format only; a DIB section is uncompressed"},
    {"IndexesNeitherOnNorOff", "format indexes maybe",
     "line 2: format indexes takes on or off, not 'maybe'"},
    {"BitsOfALabel", "bits Label2", "line 2: bits needs srcPic or destPic, not 'Label2'"},
    {"HeaderWithAnArgument", "header srcPic", "line 2: header takes no arguments"},
    {"UnknownEscape", "set Text4 a\\q",
     "line 2: bad escape '\\q' (use \\n, \\r, \\t, \\b, \\\\ or \\xNN)"},
    {"ShortHexEscape", "type Text4 \\x4",
     "line 2: bad escape '\\x4' (use \\n, \\r, \\t, \\b, \\\\ or \\xNN)"},
    {"LoneBackslash", "set Text4 a\\",
     "line 2: the text ends in a lone backslash (write \\\\ for one)"},
    {"CharacterBeyondSixteenBits", "type Text4 \xF0\x9F\x98\x80",
     "line 2: a character beyond U+FFFF cannot be typed"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ScriptErrors, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<ErrorCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(ScriptErrorLines, CountCommentsAndBlankLines) {
    const ScriptRun run = runScript("# first\n\nprint Check1.Value\n  \nbogus\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "error: line 5: unknown command 'bogus'\n");
}

TEST(ScriptCommandLine, UnknownOptionAndMissingFileFail) {
    const ScriptRun option = runWithArgument("--bogus");
    EXPECT_EQ(option.status, 2);
    EXPECT_EQ(option.err, "error: unknown option --bogus; see diblab-script --help\n");
    const ScriptRun missing = runWithArgument("/nonexistent/script.txt");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err,
              "diblab-script: cannot open /nonexistent/script.txt: No such file or directory\n");
}

}  // namespace
