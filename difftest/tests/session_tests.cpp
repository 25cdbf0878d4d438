#include "case_sets.h"
#include "probe_session.h"
#include "script_session.h"
#include "text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// Runs the sessions with real processes on this machine: our probe against itself, and against
// itself with its output altered by sed, so that the batching and the reports are what is tested.
class Sessions : public testing::Test {
protected:
    void SetUp() override {
        m_work = fs::temp_directory_path() /
                 (std::string("diblab-difftest-") +
                  testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_work);
    }
    void TearDown() override { fs::remove_all(m_work); }

    difftest::ToolPair probes(std::vector<std::string> windows) const {
        return {{DIBLAB_PROBE}, std::move(windows), m_work};
    }

    fs::path m_work;
};

TEST_F(Sessions, SameProbeMatchesAcrossBatches) {
    std::ostringstream report;
    const auto cases = difftest::randomCases(3, 2500);
    EXPECT_TRUE(difftest::compareProbes(cases, probes({DIBLAB_PROBE}), 1000, report));
    EXPECT_NE(report.str().find("2500 cases compared, 2500 matched"), std::string::npos)
        << report.str();
}

// Cases that all draw: the full 8 x 8 picture, shifted right by 0 to 4 pixels.
std::vector<difftest::ProbeCase> drawingCases() {
    std::vector<difftest::ProbeCase> cases(100);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        cases[i].base = 0xc0a00000;
        cases[i].xDest = std::int32_t(i % 5);
        cases[i].width = 8;
        cases[i].height = 8;
        cases[i].cLines = 8;
    }
    return cases;
}

TEST_F(Sessions, AlteredPixelStopsWithTheCaseLine) {
    std::ostringstream report;
    const std::vector<difftest::ProbeCase> cases = drawingCases();
    const auto alter = probes({"sh", "-c", std::string(DIBLAB_PROBE) + " | sed '5s/ c0a0/ c1a0/'"});
    EXPECT_FALSE(difftest::compareProbes(cases, alter, 40, report));
    EXPECT_NE(report.str().find("FAIL: case " + difftest::toCaseLine(cases[4])), std::string::npos)
        << report.str();
    EXPECT_NE(report.str().find("5 cases compared, 4 matched"), std::string::npos) << report.str();
}

TEST_F(Sessions, ScriptsCompareByteForByte) {
    const fs::path script = m_work / "lines.dls";
    difftest::writeFile(script, "one\ntwo\n");
    std::ostringstream same;
    EXPECT_TRUE(difftest::compareScripts({script}, {{"cat"}, {"cat"}, m_work}, same));
    std::ostringstream altered;
    EXPECT_FALSE(
        difftest::compareScripts({script}, {{"cat"}, {"sed", "s/two/tw0/"}, m_work}, altered));
    EXPECT_NE(altered.str().find("output line 2"), std::string::npos) << altered.str();
}

}  // namespace
