#include "case_parts.h"

#include "format_rules.h"

#include <algorithm>
#include <bit>

namespace difftest {

namespace {

constexpr std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return red << 16 | green << 8 | blue;
}

std::uint32_t channel(std::uint32_t colour, int shift) {
    return (colour >> shift) & 0xff;
}

// A colour whose channels are 4 modulo 8, far enough from 0 and 255 for an offset of up to 32.
std::uint32_t drawMidpoint(Draw& draw) {
    const auto part = [&draw] { return 8 * std::uint32_t(draw.between(5, 26)) + 4; };
    return rgb(part(), part(), part());
}

std::uint32_t offsetColour(std::uint32_t colour, std::uint32_t offset, int sign) {
    std::uint32_t result = 0;
    for (const int shift : {16, 8, 0}) {
        result |= std::uint32_t(std::int32_t(channel(colour, shift)) +
                                sign * std::int32_t(channel(offset, shift)))
                  << shift;
    }
    return result;
}

// 2^bpp entries, or fewer: two around each midpoint at random places, the rest random colours or
// copies of other entries.
std::vector<std::uint32_t> tieTable(Draw& draw, std::uint32_t entries, TieColours& ties) {
    const std::uint32_t pairs = 1 + draw.below(std::min<std::uint32_t>(entries / 2, 8));
    const std::uint32_t length =
        draw.oneIn(4) ? 2 * pairs + draw.below(entries - 2 * pairs + 1) : entries;
    std::vector<std::uint32_t> table(length);
    std::vector<bool> taken(length, false);
    const auto freeSlot = [&] {
        std::uint32_t slot = draw.below(length);
        while (taken[slot]) {
            slot = (slot + 1) % length;
        }
        taken[slot] = true;
        return slot;
    };
    for (std::uint32_t k = 0; k < pairs; ++k) {
        const std::uint32_t midpoint = drawMidpoint(draw);
        const std::uint32_t offset = rgb(draw.below(33), draw.below(33), draw.below(33));
        table[freeSlot()] = offsetColour(midpoint, offset, -1);
        table[freeSlot()] = offsetColour(midpoint, offset, +1);
        ties.midpoints.push_back(midpoint);
    }
    for (std::uint32_t slot = 0; slot < length; ++slot) {
        if (!taken[slot]) {
            table[slot] = draw.coin() ? draw.any() & 0xffffff : table[draw.below(length)];
        }
    }
    return table;
}

// Random colours, each sometimes a repeat of the one before.
std::vector<std::uint32_t> randomTable(Draw& draw, std::uint32_t entries) {
    std::vector<std::uint32_t> table(1 + draw.below(entries));
    for (std::size_t k = 0; k < table.size(); ++k) {
        table[k] = k > 0 && draw.oneIn(5) ? table[k - 1] : draw.any() & 0xffffff;
    }
    return table;
}

std::uint32_t tableSizeLimit(const TestFormat& format) {
    return std::uint32_t(1) << format.bitCount;
}

// How many entries a source table lists: mostly a few, sometimes all.
std::uint32_t listedEntries(Draw& draw, const TestFormat& format) {
    const std::uint32_t all = tableSizeLimit(format);
    return draw.oneIn(4) ? all : 1 + draw.below(std::min<std::uint32_t>(all, 40));
}

void drawClrUsed(Draw& draw, ProbeCase& c) {
    const auto given = std::uint32_t(c.sourceColours.size());
    switch (draw.below(8)) {
        case 0:
            c.clrUsed = 0;
            break;
        case 1:
            c.clrUsed = 1 + draw.below(given);
            break;
        case 2:
            c.clrUsed = given + 1 + draw.below(tableSizeLimit(*c.source) + 4);
            break;
        default:
            break;
    }
}

}  // namespace

void drawExtremeArguments(Draw& draw, ProbeCase& c) {
    c.xDest = draw.coordinate(c.destWidth);
    c.yDest = draw.coordinate(c.destHeight);
    c.width = draw.count(c.destWidth);
    c.height = draw.count(c.destHeight);
    c.xSrc = draw.coordinate(c.sourceWidth);
    c.ySrc = draw.coordinate(c.sourceHeight);
    c.startScan = draw.count(c.sourceHeight);
    c.cLines = draw.count(c.sourceHeight);
}

std::uint32_t anyPixel(Draw& draw, const TestFormat& format) {
    return format.bitCount == 32 ? draw.any() : draw.below(std::uint32_t(1) << format.bitCount);
}

std::uint32_t encodeColour(const TestFormat& format, std::uint32_t colour) {
    if (format.compression != BI_BITFIELDS) {
        return format.bitCount == 16 ? (channel(colour, 16) >> 3) << 10 |
                                           (channel(colour, 8) >> 3) << 5 | channel(colour, 0) >> 3
                                     : colour;
    }
    std::uint32_t pixel = 0;
    const DWORD masks[] = {format.masks.red, format.masks.green, format.masks.blue};
    for (int k = 0; k < 3; ++k) {
        if (masks[k] == 0) {
            continue;
        }
        const int shift = std::countr_zero(masks[k]);
        const int length = std::countr_one(masks[k] >> shift);
        const std::uint32_t value = channel(colour, 16 - 8 * k);
        const std::uint64_t field =
            length <= 8 ? value >> (8 - length) : std::uint64_t(value) << (length - 8);
        pixel |= std::uint32_t(field << shift);
    }
    return pixel;
}

TieColours drawDestination(Draw& draw, ProbeCase& c) {
    c.destWidth = 1 + draw.below(12);
    c.destHeight = 1 + draw.below(10);
    c.destTopDown = draw.coin();
    c.fill = anyPixel(draw, *c.dest);
    TieColours ties;
    if (!c.dest->indexed() || draw.below(5) < 2) {
        return ties;
    }
    const std::uint32_t entries = tableSizeLimit(*c.dest);
    c.destColours = draw.below(5) < 3 ? tieTable(draw, entries, ties) : randomTable(draw, entries);
    return ties;
}

void drawSourceTable(Draw& draw, const TieColours& ties, ProbeCase& c) {
    const std::uint32_t kind = draw.below(20);
    if (kind < 7) {
        return;
    }
    const std::uint32_t listed = listedEntries(draw, *c.source);
    c.sourceColours.resize(listed);
    c.paletteIndices = kind >= 15;
    for (std::uint32_t& entry : c.sourceColours) {
        if (c.paletteIndices) {
            entry = draw.below(40);
        } else if (!ties.midpoints.empty() && draw.below(3) < 2) {
            entry = draw.pick(std::span<const std::uint32_t>(ties.midpoints));
        } else {
            entry = draw.any() & 0xffffff;
        }
    }
    drawClrUsed(draw, c);
}

void drawHeaderSize(Draw& draw, ProbeCase& c) {
    const std::uint32_t kind = draw.below(8);
    if (kind > 1) {
        return;
    }
    const bool tableWithinEntries = !c.source->indexed() || c.paletteIndices ||
                                    c.sourceColours.empty() ||
                                    colourEntriesRead(c) <= c.sourceColours.size();
    if (tableWithinEntries) {
        c.headerSize = kind == 0 ? 108 : 124;
    }
}

}  // namespace difftest
