#include "format_cases.h"

#include "case_parts.h"
#include "scan_line_rules.h"

#include <array>
#include <memory>

namespace difftest {

namespace {

struct ColumnsAndWidth {
    std::int32_t xDest;
    std::uint32_t width;
};

struct RowsAndBand {
    std::int32_t ySrc;
    std::uint32_t height;
    std::uint32_t startScan;
    std::uint32_t cLines;
};

constexpr std::array<std::int32_t, 7> gridXSrc{-1, 0, 1, 2, 3, 5, 7};
constexpr std::array<ColumnsAndWidth, 3> gridColumns{{{0, 11}, {3, 6}, {-2, 16}}};
constexpr std::array<RowsAndBand, 6> gridRows{
    {{0, 7, 0, 7}, {-2, 7, 0, 7}, {2, 4, 0, 7}, {0, 7, 2, 3}, {0, 7, 0, 12}, {1, 9, 1, 4}}};

// Mostly calls that draw: every argument a little around the pictures.
void drawArguments(Draw& draw, ProbeCase& c) {
    const auto sw = std::int32_t(c.sourceWidth);
    const auto sh = std::int32_t(c.sourceHeight);
    c.xDest = draw.between(-3, std::int32_t(c.destWidth));
    c.yDest = draw.between(-3, std::int32_t(c.destHeight));
    c.width = draw.below(c.sourceWidth + 4);
    c.height = draw.below(c.sourceHeight + 4);
    c.xSrc = draw.between(-3, sw);
    c.ySrc = draw.between(-3, sh);
    c.startScan = draw.oneIn(3) ? draw.below(c.sourceHeight + 1) : 0;
    c.cLines = draw.oneIn(3) ? draw.below(c.sourceHeight + 4) : std::uint32_t(sh);
}

// The pixels as px values: random, or tie midpoints where the destination table has them.
void drawPixels(Draw& draw, const TieColours& ties, ProbeCase& c) {
    c.pixels.resize(std::size_t(c.sourceWidth) * c.sourceHeight);
    const bool useTies = !ties.midpoints.empty() && draw.coin();
    for (std::uint32_t& pixel : c.pixels) {
        if (useTies && !c.source->indexed() && draw.below(4) < 3) {
            pixel =
                encodeColour(*c.source, draw.pick(std::span<const std::uint32_t>(ties.midpoints)));
        } else {
            pixel = anyPixel(draw, *c.source);
        }
    }
}

// The exact bytes: the whole image, a few bytes more, or fewer, so that some rows are missing.
// Short buffers only come with arguments that Wine draws as Windows does: edges within an int
// and a band Windows can read.
void drawBits(Draw& draw, ProbeCase& c) {
    const std::size_t image = c.source->stride(c.sourceWidth) * c.sourceHeight;
    std::size_t bytes = image + (draw.coin() ? 0 : draw.below(9));
    if (draw.below(3) < 2 && !edgesOverflowInt(c) && !windowsRefusesBand(c)) {
        bytes = 1 + draw.below(std::uint32_t(image - 1));
    }
    c.bits.emplace(bytes);
    for (std::uint8_t& byte : *c.bits) {
        byte = std::uint8_t(draw.any());
    }
}

class FormatFeed {
public:
    FormatFeed(std::uint32_t seed, std::size_t randomPerPair)
        : m_draw(seed), m_randomPerPair(randomPerPair) {}

    std::vector<ProbeCase> next() {
        const auto sources = sourceFormats();
        while (m_source < sources.size() && sources[m_source].rle()) {
            ++m_source;
        }
        if (m_source == sources.size()) {
            return {};
        }
        const TestFormat& source = sources[m_source];
        const TestFormat& dest = destinationFormats()[m_dest];
        std::vector<ProbeCase> cases = pairGridCases(source, dest);
        for (std::size_t i = 0; i < m_randomPerPair; ++i) {
            cases.push_back(randomFormatCase(m_draw, source, dest));
        }
        if (++m_dest == destinationFormats().size()) {
            m_dest = 0;
            ++m_source;
        }
        return cases;
    }

private:
    Draw m_draw;
    std::size_t m_randomPerPair;
    std::size_t m_source = 0;
    std::size_t m_dest = 0;
};

}  // namespace

std::vector<ProbeCase> pairGridCases(const TestFormat& source, const TestFormat& dest) {
    std::vector<ProbeCase> cases;
    ProbeCase c;
    c.source = &source;
    c.dest = &dest;
    c.destWidth = 9;
    c.destHeight = 7;
    c.sourceWidth = 11;
    c.sourceHeight = 7;
    c.fill = dest.bitCount == 32 ? 0x5a5a5a5a : (1u << dest.bitCount) / 3;
    c.base = 0xc0a00000;
    for (const bool sourceTopDown : {false, true}) {
        for (const bool destTopDown : {false, true}) {
            c.sourceTopDown = sourceTopDown;
            c.destTopDown = destTopDown;
            for (const std::int32_t xSrc : gridXSrc) {
                for (const ColumnsAndWidth& columns : gridColumns) {
                    for (const RowsAndBand& rows : gridRows) {
                        c.xSrc = xSrc;
                        c.xDest = columns.xDest;
                        c.width = columns.width;
                        c.ySrc = rows.ySrc;
                        c.height = rows.height;
                        c.startScan = rows.startScan;
                        c.cLines = rows.cLines;
                        cases.push_back(c);
                    }
                }
            }
        }
    }
    return cases;
}

ProbeCase randomFormatCase(Draw& draw, const TestFormat& source, const TestFormat& dest) {
    ProbeCase c;
    c.source = &source;
    c.dest = &dest;
    const TieColours ties = drawDestination(draw, c);
    c.sourceWidth = draw.oneIn(4) ? 1 + draw.below(24) : 1 + draw.below(12);
    c.sourceHeight = 1 + draw.below(12);
    c.sourceTopDown = draw.coin();
    if (draw.oneIn(7)) {
        drawExtremeArguments(draw, c);
    } else {
        drawArguments(draw, c);
    }
    if (source.indexed()) {
        drawSourceTable(draw, ties, c);
    } else if (draw.oneIn(20)) {
        c.paletteIndices = true;
    }
    drawHeaderSize(draw, c);
    const std::uint32_t pixels = draw.below(20);
    if (pixels < 6) {
        c.base = draw.any();
    } else if (pixels < 17) {
        drawPixels(draw, ties, c);
    } else {
        drawBits(draw, c);
    }
    if (draw.oneIn(10)) {
        c.sizeImage = draw.below(4096);
    }
    return c;
}

CaseFeed formatCases(std::uint32_t seed, std::size_t randomPerPair) {
    auto feed = std::make_shared<FormatFeed>(seed, randomPerPair);
    return [feed] { return feed->next(); };
}

}  // namespace difftest
