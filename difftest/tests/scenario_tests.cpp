#include "bench_scenario.h"
#include "scenario_rules.h"
#include "scenario_session.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using difftest::BenchScenario;
using difftest::OutputLine;
using difftest::ScenarioAgreement;

const difftest::TestFormat* benchSource(std::string_view label) {
    for (const difftest::TestFormat* format : difftest::benchSourceFormats()) {
        if (format->label == label) return format;
    }
    return nullptr;
}

const difftest::TestFormat* benchDest(std::string_view label) {
    for (const difftest::TestFormat* format : difftest::benchDestinationFormats()) {
        if (format->label == label) return format;
    }
    return nullptr;
}

TEST(BenchScenarios, GoRoundEveryFormatPairBothOrientationsAndPaletteIndexes) {
    const std::vector<BenchScenario> scenarios = difftest::benchScenarios(7, 63 * 8);
    std::set<std::pair<std::string_view, std::string_view>> pairs;
    std::set<std::pair<bool, bool>> orientations;
    std::set<std::pair<std::string_view, bool>> indexes;
    for (const BenchScenario& s : scenarios) {
        pairs.insert({s.source->label, s.dest->label});
        orientations.insert({s.sourceTopDown, s.destTopDown});
        indexes.insert({s.source->label, s.paletteIndexes});
        EXPECT_TRUE(s.source->indexed() || !s.paletteIndexes) << s.source->label;
    }
    EXPECT_EQ(pairs.size(), 9u * 7u);
    EXPECT_EQ(orientations.size(), 4u);
    for (const std::string_view label : {"1", "4", "8", "rle8", "rle4"}) {
        EXPECT_EQ(indexes.count({label, true}), 1u) << label;
        EXPECT_EQ(indexes.count({label, false}), 1u) << label;
    }
}

// A line of each kind, in the order diblab-script writes them for one scenario.
TEST(ScenarioOutput, LinesAreKnownByWhatTheyShow) {
    const std::vector<std::string_view> lines{
        "Text3.Text = scenario 4",
        "Text3 line 1: Src Pixels (16 bpp 5-6-5 (BI_BITFIELDS): 16-bit values) are",
        "Text3 line 2: 1: 0000, 0000",
        "Text3 line 3: Dst Pixels (8 bpp, 256-colour table: INDEX=RRGGBB) are",
        "Text3 line 4: 1: 0E=C02000, 0E=C02000",
        "dstRet.Caption = Ret = 8",
        "srcHeight.Caption = Source biHeight = 8",
        "account: Ret = 8: bottom-up source of 8 rows.",
        "srcPic format: 16:f800:7e0:1f",
        "srcPic row 0: 0040 0040",
        "destPic format: 8",
        "destPic row 0: 0e 0e",
        "Source DIB as SetDIBitsToDevice receives it:",
        "BITMAPINFOHEADER",
        "  biSize          = 40: bytes in this header",
        "ColorUse = 0: DIB_RGB_COLORS; there is no colour table",
        "masks, the three DWORDs at offset 40",
        "  red   = 0000f800: bits 11-15 (5 bits)",
        "bits, 128 bytes: 8 rows of 16 bytes, in memory order, numbered as the window labels them: "
        "the bottom row first",
        "  row 1: 80 00 80 00"};
    using K = OutputLine;
    const std::vector<OutputLine> expected{K::Other,
                                           K::Other,
                                           K::SourceValues,
                                           K::Other,
                                           K::DestinationValues,
                                           K::Result,
                                           K::Other,
                                           K::Account,
                                           K::SourceValues,
                                           K::SourceValues,
                                           K::Other,
                                           K::DestinationValues,
                                           K::Other,
                                           K::Other,
                                           K::Other,
                                           K::Other,
                                           K::Other,
                                           K::SourceValues,
                                           K::Other,
                                           K::SourceValues};
    EXPECT_EQ(difftest::outputLineKinds(lines), expected);
}

// One rule of the comparison: a scenario, the line of our output and of Wine's that differ
// (empty when none), what our result line says, and how the scenario counts (none: a failure).
struct ComparisonRule {
    const char* name;
    const char* source;
    const char* dest;
    bool sourceTopDown;
    std::array<std::int32_t, 8> fields;
    const char* oursResult;
    const char* windowsResult;
    const char* oursLine;
    const char* windowsLine;
    std::optional<ScenarioAgreement> agreement;
};

constexpr std::array<std::int32_t, 8> wholePicture{0, 0, 8, 8, 0, 0, 0, 8};
// Wine's worked examples (scan_line_rules_tests): XSrc 8 draws nothing, Windows 8, Wine 0;
// top-down with cLines -1 and YSrc -2, Windows 0 and Wine -1.
constexpr std::array<std::int32_t, 8> xSrc8{0, 0, 8, 8, 8, 0, 0, 8};
constexpr std::array<std::int32_t, 8> hugeBand{0, 0, 8, 8, 0, -2, 0, -1};
// The whole picture one pixel right: column 0 of the destination is left as it was.
constexpr std::array<std::int32_t, 8> xDest1{1, 0, 8, 8, 0, 0, 0, 8};
constexpr std::array<std::int32_t, 8> refusedField{0, 0, 8, 8, 0, 0, 0, 40000};

class ScenarioComparisonRules : public testing::TestWithParam<ComparisonRule> {};

TEST_P(ScenarioComparisonRules, CountOrFail) {
    const ComparisonRule& rule = GetParam();
    BenchScenario s;
    s.source = benchSource(rule.source);
    s.dest = benchDest(rule.dest);
    s.sourceTopDown = rule.sourceTopDown;
    s.fields = rule.fields;
    std::vector<std::string_view> ours{"Text3.Text = scenario 0", rule.oursResult,
                                       "destPic format: 8"};
    std::vector<std::string_view> windows{"Text3.Text = scenario 0", rule.windowsResult,
                                          "destPic format: 8"};
    if (*rule.oursLine != '\0') ours.push_back(rule.oursLine);
    if (*rule.windowsLine != '\0') windows.push_back(rule.windowsLine);
    const difftest::ScenarioComparison comparison = difftest::compareScenario(s, ours, windows);
    EXPECT_EQ(comparison.agreement, rule.agreement) << comparison.difference;
    EXPECT_EQ(comparison.difference.empty(), rule.agreement.has_value());
}

constexpr const char* ret8 = "dstRet.Caption = Ret = 8";
constexpr const char* ret0 = "dstRet.Caption = Ret = 0";

INSTANTIATE_TEST_SUITE_P(
    Table, ScenarioComparisonRules,
    testing::Values(
        ComparisonRule{"SameOutput", "8", "4", false, wholePicture, ret8, ret8, "srcPic row 0: 01",
                       "srcPic row 0: 01", ScenarioAgreement::Identical},
        ComparisonRule{"SourceValueApart", "8", "4", false, wholePicture, ret8, ret8,
                       "srcPic row 0: 01", "srcPic row 0: 02", std::nullopt},
        ComparisonRule{"MissingLine", "24", "32", false, wholePicture, ret8, ret8,
                       "destPic row 0: 00", "", std::nullopt},
        ComparisonRule{"OursAgainstTheRule", "24", "32", false, wholePicture, ret0, ret0, "", "",
                       std::nullopt},
        ComparisonRule{"MasksIgnoredSourceValues", "565", "8", false, wholePicture, ret8, ret8,
                       "srcPic format: 16:f800:7e0:1f", "srcPic format: 16:808040:a08040:c08040",
                       ScenarioAgreement::SourceMasksIgnored},
        ComparisonRule{"MasksIgnoredDestinationValues", "565", "24", false, wholePicture, ret8,
                       ret8, "destPic row 0: 00ffff", "destPic row 0: 008080",
                       ScenarioAgreement::SourceMasksIgnored},
        ComparisonRule{"MasksIgnoredNotAPixelLeftUndrawn", "565", "24", false, xDest1, ret8, ret8,
                       "destPic row 0: 0000ff 00ffff 0000ff 0000ff 0000ff 0000ff 0000ff 0000ff",
                       "destPic row 0: 000000 008080 0000ff 0000ff 0000ff 0000ff 0000ff 0000ff",
                       std::nullopt},
        ComparisonRule{"MasksIgnoredNoCallNoDestinationApart", "565", "24", false, refusedField,
                       "message: #Lines must be a whole number from -32768 to 32767.",
                       "message: #Lines must be a whole number from -32768 to 32767.",
                       "destPic row 0: 00ffff", "destPic row 0: 008080", std::nullopt},
        ComparisonRule{"MasksIgnoredNotTheCaption", "565", "24", false, wholePicture, ret8, ret8,
                       "srcHeight.Caption = Source biHeight = 8",
                       "srcHeight.Caption = Source biHeight = -8", std::nullopt},
        ComparisonRule{"DestinationNotSent", "1", "565", false, wholePicture, ret8, "", "", "",
                       ScenarioAgreement::DestinationNotSent},
        ComparisonRule{"DestinationNotSentResultByRule", "1", "565", false, wholePicture, ret0, "",
                       "", "", std::nullopt},
        ComparisonRule{"WineResultWhereNothingIsDrawn", "32", "32", false, xSrc8, ret8, ret0, "",
                       "", ScenarioAgreement::WineDeparture},
        ComparisonRule{"WineResultButPixelsApart", "32", "32", false, xSrc8, ret8, ret0,
                       "destPic row 0: 00000000", "destPic row 0: 00ffffff", std::nullopt},
        ComparisonRule{"WineResultNotWines", "32", "32", false, xSrc8, ret8,
                       "dstRet.Caption = Ret = 3", "", "", std::nullopt},
        ComparisonRule{"HugeBandWineDraws", "24", "8", true, hugeBand, ret0,
                       "dstRet.Caption = Ret = -1", "destPic row 0: 00", "destPic row 0: 05",
                       ScenarioAgreement::WindowsRefusesBand},
        ComparisonRule{"RefusedFieldNoResultLine", "4", "1", false, refusedField,
                       "message: #Lines must be a whole number from -32768 to 32767.",
                       "message: #Lines must be a whole number from -32768 to 32767.", "", "",
                       ScenarioAgreement::Identical}),
    [](const testing::TestParamInfo<ComparisonRule>& info) { return info.param.name; });

// Runs the scenarios with real processes: our diblab-script against itself, and against itself
// with one line of its output altered by sed.
class ScenarioSessions : public testing::Test {
protected:
    void SetUp() override {
        m_work = fs::temp_directory_path() /
                 (std::string("diblab-scenarios-") +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_work);
    }
    void TearDown() override { fs::remove_all(m_work); }

    fs::path m_work;
};

TEST_F(ScenarioSessions, OurScriptRunsEveryScenarioAndMatchesItself) {
    std::ostringstream report;
    const std::vector<BenchScenario> scenarios = difftest::benchScenarios(11, 200);
    EXPECT_TRUE(difftest::compareScenarios(scenarios, {{DIBLAB_SCRIPT}, {DIBLAB_SCRIPT}, m_work},
                                           40, report));
    EXPECT_NE(report.str().find("200 scenarios compared, 200 matched"), std::string::npos)
        << report.str();
}

TEST_F(ScenarioSessions, AlteredLineStopsWithTheScenarioAndItsScript) {
    std::ostringstream report;
    const std::vector<BenchScenario> scenarios = difftest::benchScenarios(11, 30);
    const difftest::ToolPair altered{
        {DIBLAB_SCRIPT},
        {"sh", "-c",
         std::string(DIBLAB_SCRIPT) + " \"$0\" | sed '0,/^destPic format: /s//destPic format: x/'"},
        m_work};
    EXPECT_FALSE(difftest::compareScenarios(scenarios, altered, 10, report));
    EXPECT_NE(report.str().find("FAIL: scenario 0 "), std::string::npos) << report.str();
    EXPECT_NE(report.str().find("its script:\nset Text3 scenario 0\n"), std::string::npos)
        << report.str();
}

}  // namespace
