#pragma once

#include "probe_case.h"
#include "random_draw.h"
#include "test_formats.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace difftest {

// The source formats the window's Format menu offers: 1, 4, 8 bpp, 16 bpp 5-5-5 and 5-6-5 bit
// fields, 24, 32 bpp, RLE8 and RLE4.
std::span<const TestFormat* const> benchSourceFormats();
// Its destination formats: 1, 4, 8 bpp, 16 bpp 5-5-5 and 5-6-5, 24 and 32 bpp.
std::span<const TestFormat* const> benchDestinationFormats();

struct BenchPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint32_t colour = 0;
};

// One experiment on the bench as a person makes it: both formats, the orientations, palette
// indexes, the source background and points painted in 24-bit colour, the destination background,
// the eight argument fields as typed, a run, and what is printed after it.
struct BenchScenario {
    const TestFormat* source = nullptr;
    const TestFormat* dest = nullptr;
    bool sourceTopDown = false;
    bool destTopDown = false;
    bool paletteIndexes = false;
    // When given, the destination is filled in this format first, and choosing its own format
    // then converts the picture as GetDIBits converts it; otherwise it is filled in its own.
    const TestFormat* fillFormat = nullptr;
    std::uint32_t sourceFill = 0;
    std::vector<BenchPoint> points;
    std::uint32_t destFill = 0;
    // XDest, YDest, Width, Height, XSrc, YSrc, StartScan, cLines as the fields hold them; a value
    // beyond 16 bits is refused by the window with a message.
    std::array<std::int32_t, 8> fields{};
    // Show Source Bits and Show Destination Bits, and the header printed after the run.
    bool listBits = false;
    bool printHeader = false;
};

// Scenario `index` of the set drawn from `seed`: its format pair goes round every source and
// destination format in turn; the rest is drawn. RLE scenarios keep their decode area within what
// Wine can take (wineDecodeAreaLimit), so that every scenario can be compared.
std::vector<BenchScenario> benchScenarios(std::uint32_t seed, std::size_t count);

// Whether every field holds a 16-bit integer, so that the run makes its call.
bool makesCall(const BenchScenario& scenario);

// The call the run makes in diblab-probe's terms: an 8 x 8 source and destination, the
// fields sign-extended and the sizes read as unsigned, the table 0, 1, ... n - 1 as palette
// indices with DIB_PAL_COLORS. Only the geometry, formats and table are filled in.
ProbeCase benchCall(const BenchScenario& scenario);

// The text that opens the output of scenario `number` ("Text3.Text = scenario N").
std::string scenarioMarker(std::size_t number);

// Writes diblab-script lines for scenarios run one after another in one process. Each scenario
// sets everything it depends on, so its output does not depend on those before it; the check
// boxes are clicked and the formats chosen only where their state must change (choosing a format
// redraws the magnified views, which on Wine is dear).
class BenchScriptWriter {
public:
    void add(std::size_t number, const BenchScenario& scenario);
    const std::string& text() const { return m_text; }

private:
    void line(const std::string& text);
    void colour(const char* const (&fields)[3], std::uint32_t colour);
    void box(const char* name, bool& state, bool wanted);
    void format(const char* side, std::string_view& state, std::string_view wanted);
    void paint(const BenchScenario& scenario);
    void run(const BenchScenario& scenario);

    std::string m_text;
    bool m_sourceTopDown = false;
    bool m_destTopDown = false;
    bool m_showSourceBits = false;
    bool m_showDestBits = false;
    std::string_view m_sourceFormat = "32";
    std::string_view m_destFormat = "32";
    std::string_view m_indexes = "off";
};

}  // namespace difftest
