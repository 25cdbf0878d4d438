#include "rle_cases.h"

#include "case_parts.h"
#include "scan_line_rules.h"

#include <algorithm>
#include <array>
#include <climits>
#include <memory>

namespace difftest {

namespace {

class StreamWriter {
public:
    StreamWriter(Draw& draw, std::uint32_t bitCount, std::uint32_t width)
        : m_draw(draw), m_bitCount(bitCount), m_width(width) {}

    void encodedRun() {
        const std::uint32_t length =
            m_draw.oneIn(30) ? 1 + m_draw.below(255) : 1 + m_draw.below(m_width + 3);
        push(length, m_draw.below(256));
    }

    void absoluteRun() {
        // Now and then the longest run, 255 pixels.
        const std::uint32_t length = m_draw.oneIn(80)   ? 255
                                     : m_draw.oneIn(30) ? 3 + m_draw.below(253)
                                                        : 3 + m_draw.below(m_width + 2);
        push(0, length);
        const std::uint32_t bytes = (length * m_bitCount + 7) / 8;
        for (std::uint32_t i = 0; i < bytes; ++i) {
            m_bytes.push_back(std::uint8_t(m_draw.below(256)));
        }
        if (bytes % 2 == 1 && !m_draw.oneIn(15)) {
            m_bytes.push_back(0);
        }
    }

    void delta() {
        const std::uint32_t right =
            m_draw.oneIn(20) ? m_draw.below(256) : m_draw.below(m_width + 2);
        const std::uint32_t up = m_draw.oneIn(20) ? m_draw.below(256) : m_draw.below(2);
        push(0, 2);
        push(right, up);
    }

    void endOfLine() { push(0, 0); }
    void endOfBitmap() { push(0, 1); }

    void strayBytes(std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) {
            m_bytes.push_back(std::uint8_t(m_draw.below(256)));
        }
    }

    void cutEnd() {
        m_bytes.resize(m_bytes.size() -
                       std::min<std::size_t>(m_bytes.size() - 1, 1 + m_draw.below(3)));
    }

    std::vector<std::uint8_t> take() {
        if (m_bytes.empty()) {
            encodedRun();
        }
        return std::move(m_bytes);
    }

private:
    void push(std::uint32_t first, std::uint32_t second) {
        m_bytes.push_back(std::uint8_t(first));
        m_bytes.push_back(std::uint8_t(second));
    }

    Draw& m_draw;
    std::uint32_t m_bitCount;
    std::uint32_t m_width;
    std::vector<std::uint8_t> m_bytes;
};

void drawLine(Draw& draw, StreamWriter& writer) {
    const std::uint32_t runs = draw.below(4);
    for (std::uint32_t r = 0; r < runs; ++r) {
        const std::uint32_t kind = draw.below(10);
        if (kind < 4) {
            writer.encodedRun();
        } else if (kind < 8) {
            writer.absoluteRun();
        } else {
            writer.delta();
        }
    }
}

void drawArguments(Draw& draw, ProbeCase& c) {
    c.xDest = draw.between(-3, std::int32_t(c.destWidth));
    c.yDest = draw.between(-3, std::int32_t(c.destHeight));
    c.width = draw.below(c.sourceWidth + 7);
    c.height = draw.below(c.sourceHeight + 7);
    c.xSrc = draw.between(-3, std::int32_t(c.sourceWidth) + 2);
    c.ySrc = draw.between(-3, std::int32_t(c.sourceHeight) + 2);
    c.startScan = draw.below(c.sourceHeight + 2);
    c.cLines = draw.oneIn(12) ? 0 : draw.count(c.sourceHeight);
}

// A Width or Height (or both) of 2^28 or more, with edges that stay within an int.
void drawHugeArea(Draw& draw, ProbeCase& c) {
    static constexpr std::array<std::uint32_t, 3> huge{0x10000000, 0x40000000, 0x7ffffff0};
    drawArguments(draw, c);
    const std::uint32_t which = draw.below(3);
    if (which != 1) {
        c.xSrc = draw.between(-3, 3);
        c.width = draw.pick(std::span<const std::uint32_t>(huge)) - 3;
        c.xDest = std::min(c.xDest, std::int32_t(INT_MAX - c.width));
    }
    if (which != 0) {
        c.ySrc = draw.between(-3, 3);
        c.height = draw.pick(std::span<const std::uint32_t>(huge)) - 3;
        c.yDest = std::min(c.yDest, std::int32_t(INT_MAX - c.height));
    }
}

// Extreme arguments whose rectangle edges fit an int, drawn again up to eight times; ordinary
// ones after that.
void drawExtremeArgumentsInRange(Draw& draw, ProbeCase& c) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        drawExtremeArguments(draw, c);
        if (!edgesOverflowInt(c)) {
            return;
        }
    }
    drawArguments(draw, c);
}

void drawSizeImage(Draw& draw, ProbeCase& c) {
    const auto given = std::uint32_t(c.bits->size());
    switch (draw.below(25)) {
        case 16:
        case 17:
        case 18:
            c.sizeImage = 1 + draw.below(given);
            break;
        case 19:
        case 20:
        case 21:
            c.sizeImage = given + 1 + draw.below(20);
            break;
        case 22:
            c.sizeImage = 0;
            break;
        case 23:
            c.sizeImage = 1;
            break;
        default:
            break;
    }
}

class RleFeed {
public:
    RleFeed(std::uint32_t seed, std::size_t perPair) : m_draw(seed), m_perPair(perPair) {}

    std::vector<ProbeCase> next() {
        const auto sources = sourceFormats();
        while (m_source < sources.size() && !sources[m_source].rle()) {
            ++m_source;
        }
        if (m_source == sources.size()) {
            return {};
        }
        std::vector<ProbeCase> cases;
        for (std::size_t i = 0; i < m_perPair; ++i) {
            cases.push_back(randomRleCase(m_draw, sources[m_source], destinationFormats()[m_dest]));
        }
        if (++m_dest == destinationFormats().size()) {
            m_dest = 0;
            ++m_source;
        }
        return cases;
    }

private:
    Draw m_draw;
    std::size_t m_perPair;
    std::size_t m_source = 0;
    std::size_t m_dest = 0;
};

}  // namespace

std::vector<std::uint8_t> drawRleStream(Draw& draw, std::uint32_t bitCount, std::uint32_t width,
                                        std::uint32_t height) {
    StreamWriter writer(draw, bitCount, width);
    if (draw.oneIn(15)) {
        writer.strayBytes(2 + draw.below(40));
        return writer.take();
    }
    const std::uint32_t lines = 1 + draw.below(height + 3);
    const std::uint32_t ending = draw.below(10);
    for (std::uint32_t line = 0; line < lines; ++line) {
        drawLine(draw, writer);
        if (line + 1 < lines || ending != 6) {
            writer.endOfLine();
        }
    }
    if (ending < 6 || ending == 8) {
        writer.endOfBitmap();
    }
    if (ending == 7) {
        writer.cutEnd();
    } else if (ending >= 8) {
        writer.strayBytes(1 + draw.below(12));
    }
    return writer.take();
}

ProbeCase randomRleCase(Draw& draw, const TestFormat& source, const TestFormat& dest) {
    ProbeCase c;
    c.source = &source;
    c.dest = &dest;
    const TieColours ties = drawDestination(draw, c);
    c.sourceWidth = 1 + draw.below(16);
    c.sourceHeight = 1 + draw.below(10);
    c.sourceTopDown = draw.oneIn(40);
    c.bits = drawRleStream(draw, source.bitCount, c.sourceWidth, c.sourceHeight);
    drawSizeImage(draw, c);
    const std::uint32_t arguments = draw.below(20);
    if (arguments < 15) {
        drawArguments(draw, c);
    } else if (arguments < 18) {
        drawHugeArea(draw, c);
    } else {
        drawExtremeArgumentsInRange(draw, c);
    }
    drawSourceTable(draw, ties, c);
    drawHeaderSize(draw, c);
    return c;
}

CaseFeed rleCases(std::uint32_t seed, std::size_t perPair) {
    auto feed = std::make_shared<RleFeed>(seed, perPair);
    return [feed] { return feed->next(); };
}

}  // namespace difftest
