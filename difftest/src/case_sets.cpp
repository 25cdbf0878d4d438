#include "case_sets.h"

#include "case_parts.h"
#include "random_draw.h"

#include <array>

namespace difftest {

namespace {

constexpr std::uint32_t gridFill = 0x5a5a5a5a;
constexpr std::uint32_t gridBase = 0xc0a00000;
constexpr std::uint32_t minusOne = 0xffffffff;

// Values on both sides of every edge of the 8 x 8 pictures: before, at and past the ends, and
// the "negative" sizes the bench's sign-extended fields produce.
constexpr std::array<std::int32_t, 3> gridXDest{-3, 0, 6};
constexpr std::array<std::int32_t, 3> gridYDest{-3, 0, 6};
constexpr std::array<std::uint32_t, 5> gridWidth{0, 3, 8, 11, minusOne};
constexpr std::array<std::uint32_t, 5> gridHeight{0, 3, 8, 11, minusOne};
constexpr std::array<std::int32_t, 4> gridXSrc{-2, 0, 5, 8};
constexpr std::array<std::int32_t, 4> gridYSrc{-2, 0, 3, 8};
constexpr std::array<std::uint32_t, 4> gridStartScan{0, 2, 5, 8};
constexpr std::array<std::uint32_t, 6> gridCLines{0, 1, 4, 8, 12, minusOne};

void addArgumentGrid(ProbeCase probeCase, std::vector<ProbeCase>& cases) {
    for (std::int32_t xDest : gridXDest)
        for (std::int32_t yDest : gridYDest)
            for (std::uint32_t width : gridWidth)
                for (std::uint32_t height : gridHeight)
                    for (std::int32_t xSrc : gridXSrc)
                        for (std::int32_t ySrc : gridYSrc)
                            for (std::uint32_t startScan : gridStartScan)
                                for (std::uint32_t cLines : gridCLines) {
                                    probeCase.xDest = xDest;
                                    probeCase.yDest = yDest;
                                    probeCase.width = width;
                                    probeCase.height = height;
                                    probeCase.xSrc = xSrc;
                                    probeCase.ySrc = ySrc;
                                    probeCase.startScan = startScan;
                                    probeCase.cLines = cLines;
                                    cases.push_back(probeCase);
                                }
}

ProbeCase randomCase(Draw& draw) {
    ProbeCase c;
    c.destWidth = draw.size();
    c.destHeight = draw.size();
    c.destTopDown = draw.coin();
    c.fill = draw.any();
    c.sourceWidth = draw.size();
    c.sourceHeight = draw.size();
    c.sourceTopDown = draw.coin();
    c.base = draw.any();
    drawExtremeArguments(draw, c);
    return c;
}

}  // namespace

std::vector<ProbeCase> gridCases() {
    std::vector<ProbeCase> cases;
    for (bool sourceTopDown : {false, true}) {
        for (bool destTopDown : {false, true}) {
            ProbeCase probeCase;
            probeCase.sourceTopDown = sourceTopDown;
            probeCase.destTopDown = destTopDown;
            probeCase.fill = gridFill;
            probeCase.base = gridBase;
            addArgumentGrid(probeCase, cases);
        }
    }
    return cases;
}

std::vector<ProbeCase> randomCases(std::uint32_t seed, std::size_t count) {
    Draw draw(seed);
    std::vector<ProbeCase> cases;
    cases.reserve(count);
    while (cases.size() < count) {
        cases.push_back(randomCase(draw));
    }
    return cases;
}

}  // namespace difftest
