// Saving an experiment and opening it again gives a form that looks and answers exactly like the
// one saved; diblab-script on the file prints what that form shows.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "picture_pixels.h"
#include "recording_messages.h"
#include "script/experiment_file.h"
#include "script_process.h"

namespace {

struct Scenario {
    const char* name;
    const char* steps;  // a script worked through the form before it is saved
};

void PrintTo(const Scenario& scenario, std::ostream* out) {
    *out << scenario.name;
}

const char* const kSourcePoints =
    "set Text7 0\nset Text8 0\nset Text9 128\nclick cmdSetSrcBkg\n"
    "set Text7 255\nset Text10 2\nset Text11 5\nclick cmdSetSrcPoint\n"
    "set Text8 255\nset Text10 6\nset Text11 1\nclick cmdSetSrcPoint\n"
    "set Text9 7\nset Text10 0\nset Text11 7\nclick cmdSetSrcPoint\n";

const Scenario kScenarios[] = {
    {"StartUp", ""},
    {"PicturesWithoutARun", "set Text4 10\nset Text5 20\nset Text6 30\nclick cmdSetDestBkg\n"},
    {"BandedShiftedRun",
     "set Text4 0\nset Text5 90\nset Text6 0\nclick cmdSetDestBkg\nclick Check5\nclick Check4\n"
     "set Text1(0) 2\nset Text1(1) 1\nset Text2(2) 2\nset Text2(3) 3\nclick Check1\n"
     "click cmdTest\n"},
    {"ChangesAfterTheRun",
     "click Check4\nset Text2(1) -2\nclick cmdTest\nset Text1(0) 3.5\nclick Check2\n"
     "type Text3 note\\r\nset Text7 12\nset Text10 1\nclick cmdSetSrcPoint\nset Text4 1\n"
     "set Text11 seven\n"},
    {"RunsAccumulate",
     "click Check4\nset Text2(3) 4\nclick cmdTest\nclick Check1\nset Text1(1) 3\nclick cmdTest\n"
     "set Text2(3) 12\nset Text1(0) -2\nclick Check5\nclick cmdTest\nset Text1(0) 1\n"},
    {"RefusedRunKeepsTheLastRun",
     "set Text2(2) 4\nclick cmdTest\nset Text1(2) 99999\nclick cmdTest\ndblclick Text3\n"},
    {"FormatsBeforeAndAfterTheRun",
     "format destination 4\nset Text4 200\nclick cmdSetDestBkg\nformat source 8\n"
     "format indexes on\nclick Check4\nclick Check5\nclick cmdTest\nformat source rle4\n"
     "format destination 16:f800:7e0:1f\n"},
};

class SavedExperiment : public ::testing::TestWithParam<Scenario> {
protected:
    SavedExperiment() {
        form.setMessageBox(&messages);
        form.load();
        std::ostringstream ignored;
        std::istringstream steps(std::string(kSourcePoints) + GetParam().steps);
        EXPECT_FALSE(script::ScriptRunner(form, ignored).run(steps).has_value());
    }

    RecordingMessages messages;
    app::frmBench form;
};

// Fields, boxes, all four images with their background colours, captions and the report.
void expectSameState(app::frmBench& expected, app::frmBench& actual) {
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(actual.numberFields()[i]->Text(), expected.numberFields()[i]->Text())
            << expected.numberFields()[i]->qualifiedName();
    }
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(actual.checkBoxes()[i]->Value(), expected.checkBoxes()[i]->Value())
            << expected.checkBoxes()[i]->qualifiedName();
    }
    const std::pair<ui::Picture*, ui::Picture*> pictures[] = {
        {&expected.srcPic, &actual.srcPic},
        {&expected.srcBigPic, &actual.srcBigPic},
        {&expected.destPic, &actual.destPic},
        {&expected.destBigPic, &actual.destBigPic}};
    for (const auto& [want, got] : pictures) {
        EXPECT_EQ(ui::imagePixels(*got), ui::imagePixels(*want)) << want->qualifiedName();
        EXPECT_EQ(got->BackColor(), want->BackColor()) << want->qualifiedName();
    }
    const std::pair<ui::Label*, ui::Label*> captions[] = {
        {&expected.dstRet, &actual.dstRet},   {&expected.srcHeight, &actual.srcHeight},
        {&expected.Label11, &actual.Label11}, {&expected.Label12, &actual.Label12},
        {&expected.Label13, &actual.Label13}, {&expected.Label14, &actual.Label14}};
    for (const auto& [want, got] : captions) EXPECT_EQ(got->Caption(), want->Caption());
    EXPECT_EQ(actual.Text3.Text(), expected.Text3.Text());
    EXPECT_EQ(actual.Caption(), expected.Caption());
    EXPECT_EQ(actual.formats(), expected.formats());
}

TEST_P(SavedExperiment, OpensToTheSameState) {
    const script::WrittenExperiment written = script::writeExperiment(form);
    ASSERT_EQ(written.problem, "");
    std::istringstream script(written.script);
    const script::LoadedExperiment loaded = script::loadExperiment(script);
    ASSERT_FALSE(loaded.error.has_value()) << loaded.error->reason;
    ASSERT_NE(loaded.form, nullptr);
    EXPECT_TRUE(loaded.messages.empty());
    expectSameState(form, *loaded.form);
    // The opened form remembers the same run, so saving it again writes the same file.
    EXPECT_EQ(script::writeExperiment(*loaded.form).script, written.script);
}

std::string hexRow(const ui::Picture& picture, int row) {
    const std::vector<std::uint32_t> pixels = ui::imagePixels(picture);
    std::string text = picture.qualifiedName() + " row " + std::to_string(row) + ":";
    char digits[16];
    for (int x = 0; x < picture.Width; ++x) {
        std::snprintf(digits, sizeof digits, " %08x", pixels[std::size_t(row * picture.Width + x)]);
        text += digits;
    }
    return text + "\n";
}

TEST_P(SavedExperiment, ScriptToolPrintsWhatTheWindowShows) {
    const std::string output = runScript(script::writeExperiment(form).script);
    std::string expected = "dstRet.Caption = " + form.dstRet.Caption() +
                           "\nsrcHeight.Caption = " + form.srcHeight.Caption() + "\n";
    for (int row = 0; row < 8; ++row) expected += hexRow(form.srcPic, row);
    for (int row = 0; row < 8; ++row) expected += hexRow(form.destPic, row);
    std::string report = form.Text3.Text();
    for (int line = 1; !report.empty(); ++line) {
        const std::size_t end = report.find("\r\n");
        expected += "Text3 line " + std::to_string(line) + ": " + report.substr(0, end) + "\n";
        report.erase(0, end == std::string::npos ? report.size() : end + 2);
    }
    ASSERT_TRUE(output.starts_with(expected)) << output;
    const std::string rest = output.substr(expected.size());
    if (form.lastExperiment()) {
        EXPECT_TRUE(rest.starts_with("account: " + form.dstRet.Caption() + ": ")) << rest;
    } else {
        EXPECT_EQ(rest, "");
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, SavedExperiment, ::testing::ValuesIn(kScenarios));

TEST(ExperimentFile, ALineThatCannotRunGivesNoForm) {
    std::istringstream script("set Text1(0) 5\nset Text7 300\nclick cmdSetSrcBkg\nbogus line\n");
    const script::LoadedExperiment loaded = script::loadExperiment(script);
    ASSERT_TRUE(loaded.error.has_value());
    EXPECT_EQ(loaded.error->line, 4);
    EXPECT_EQ(loaded.error->reason, "unknown command 'bogus'");
    EXPECT_EQ(loaded.form, nullptr);
    EXPECT_EQ(loaded.messages,
              std::vector<std::string>{"Error in RGB's for setting Source Background"});
}

// A binary file is one long unknown word: the message quotes its first 40 bytes, each byte outside
// printable ASCII as \xHH, and marks the cut.
TEST(ExperimentFile, ABinaryFileIsQuotedByItsFirstFortyBytes) {
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>(0x80 + i % 0x80));
    std::istringstream script(bytes);
    const script::LoadedExperiment loaded = script::loadExperiment(script);
    ASSERT_TRUE(loaded.error.has_value());
    std::string expected = "unknown command '";
    for (int i = 0; i < 40; ++i) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02x", 0x80 + i);
        expected += escape;
    }
    EXPECT_EQ(loaded.error->reason, expected + "'...");
}

TEST(ExperimentFile, AMagnifiedViewNoHandlerDrewCannotBeSaved) {
    RecordingMessages messages;
    app::frmBench form;
    form.setMessageBox(&messages);
    form.load();
    drawBottomUp(form.srcBigPic, std::vector<std::int32_t>(64, 0x123456));
    const script::WrittenExperiment written = script::writeExperiment(form);
    EXPECT_EQ(written.problem, "srcBigPic would not come back as it is");
}

}  // namespace
