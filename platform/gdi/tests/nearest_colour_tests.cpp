#include "format_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <random>
#include <span>
#include <string>
#include <vector>

// Drawing onto 1-, 4- and 8-bpp sections held, pixel by pixel, to the nearest-colour rule
// restated here as a search of the whole table: squared distance, the lowest index winning a
// tie, direct colours cut to 5 bits a channel (and 100b below) onto 8 bpp. The tables are random
// with many exact ties: repeated entries, and entries on a coarse lattice with colours drawn
// halfway between two of them. Each round draws a table, the same table with one entry
// changed, and the first again, so that matching kept for one table is never used for another.
namespace {

using gditest::dib;

enum class Source { Rgb32, Rgb565, NarrowFields32, Indexed8 };

struct MatchCase {
    std::string name;
    Source source;
    WORD destinationBits;
    LONG side;
    int rounds;
};

void PrintTo(const MatchCase& c, std::ostream* out) {
    *out << c.name;
}

int channel(std::uint32_t rgb, int shift) {
    return int(rgb >> shift & 0xFF);
}

std::uint32_t ruleNearest(std::span<const DWORD> table, std::uint32_t rgb) {
    std::uint32_t best = 0;
    int bestDistance = 1 << 30;
    for (std::size_t i = 0; i < table.size(); ++i) {
        int distance = 0;
        for (const int shift : {16, 8, 0}) {
            const int d = channel(table[i], shift) - channel(rgb, shift);
            distance += d * d;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = std::uint32_t(i);
        }
    }
    return best;
}

// A 5-6-5 pixel's colour: each field's bits repeated from the top of the byte down.
std::uint32_t colourOf565(std::uint32_t pixel) {
    const std::uint32_t red = pixel >> 11 & 0x1F;
    const std::uint32_t green = pixel >> 5 & 0x3F;
    const std::uint32_t blue = pixel & 0x1F;
    return (red << 3 | red >> 2) << 16 | (green << 2 | green >> 4) << 8 | (blue << 3 | blue >> 2);
}

// A channel of `width` bits (at most 8) widened to 8: at the top of the byte with one shifted
// copy below, which leaves the lowest bits 0 for fewer than 4 bits.
std::uint32_t widened(std::uint32_t value, std::uint32_t width) {
    if (width == 0) {
        return 0;
    }
    const std::uint32_t top = value << (8 - width);
    return (top | top >> width) & 0xFF;
}

// Red, green and blue fields of 0 to 4 bits, at most 8 in all and at least 1 (masks of 0 alone
// stand for the default format), in any order and apart.
struct NarrowFields {
    std::array<std::uint32_t, 3> shift{}, width{};

    gdi::ChannelMasks masks() const {
        const auto mask = [&](std::size_t c) { return DWORD(((1u << width[c]) - 1) << shift[c]); };
        return {mask(0), mask(1), mask(2)};
    }
    std::uint32_t colour(std::uint32_t pixel) const {
        std::uint32_t rgb = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            rgb = rgb << 8 | widened(pixel >> shift[c] & ((1u << width[c]) - 1), width[c]);
        }
        return rgb;
    }
};

class TieMaker {
public:
    explicit TieMaker(unsigned seed) : m_random(seed) {}

    std::uint32_t below(std::uint32_t limit) {
        return std::uniform_int_distribution<std::uint32_t>(0, limit - 1)(m_random);
    }

    // A third lattice colours, a third repeats of an earlier entry, a third anything.
    std::vector<DWORD> table(std::size_t size) {
        std::vector<DWORD> entries;
        for (std::size_t i = 0; i < size; ++i) {
            const std::uint32_t kind = below(3);
            entries.push_back(kind == 0                  ? lattice(64)
                              : kind == 1 && !entries.empty() ? entries[below(std::uint32_t(i))]
                                                              : below(1u << 24));
        }
        return entries;
    }

    NarrowFields narrowFields() {
        NarrowFields fields;
        std::array<std::size_t, 3> order = {0, 1, 2};
        std::shuffle(order.begin(), order.end(), m_random);
        std::uint32_t next = below(4);
        std::uint32_t left = 8;
        for (const std::size_t c : order) {
            const std::uint32_t least = c == order[0] ? 1 : 0;
            fields.width[c] = least + below(std::min<std::uint32_t>(4, left) + 1 - least);
            fields.shift[c] = next;
            left -= fields.width[c];
            next += fields.width[c] + below(5);
        }
        return fields;
    }

    // Anything, an entry itself, halfway between two entries, or on a finer lattice.
    std::uint32_t colour(std::span<const DWORD> table) {
        const auto entry = [&] { return table[below(std::uint32_t(table.size()))]; };
        switch (below(4)) {
            case 0:
                return below(1u << 24);
            case 1:
                return entry();
            case 2: {
                const std::uint32_t a = entry();
                const std::uint32_t b = entry();
                std::uint32_t halfway = 0;
                for (const int shift : {16, 8, 0}) {
                    halfway |= std::uint32_t((channel(a, shift) + channel(b, shift)) / 2) << shift;
                }
                return halfway;
            }
            default:
                return lattice(32);
        }
    }

private:
    std::uint32_t lattice(std::uint32_t step) {
        std::uint32_t rgb = 0;
        for (int i = 0; i < 3; ++i) {
            rgb = rgb << 8 | std::min<std::uint32_t>(255, step * below(256 / step + 1));
        }
        return rgb;
    }

    std::mt19937 m_random;
};

class NearestColour : public testing::TestWithParam<MatchCase> {
protected:
    // Draws random pixels of the case's source onto a section with `table` and compares every
    // pixel with the rule.
    void drawAndCheck(std::span<const DWORD> table, TieMaker& ties) {
        const MatchCase& c = GetParam();
        const auto pixels = std::size_t(c.side * c.side);
        const std::vector<DWORD> sourceTable = ties.table(1 + ties.below(256));
        std::vector<std::uint32_t> values(pixels);
        std::vector<std::uint32_t> expected(pixels);
        const bool direct = c.source != Source::Indexed8;
        const NarrowFields narrow =
            c.source == Source::NarrowFields32 ? ties.narrowFields() : NarrowFields{};
        for (std::size_t i = 0; i < pixels; ++i) {
            std::uint32_t colour = 0;
            if (c.source == Source::Rgb32) {
                colour = ties.colour(table);
                values[i] = ties.below(256) << 24 | colour;
            } else if (c.source == Source::Rgb565) {
                values[i] = ties.below(1u << 16);
                colour = colourOf565(values[i]);
            } else if (c.source == Source::NarrowFields32) {
                values[i] = ties.below(1u << 16) << 16 | ties.below(1u << 16);
                colour = narrow.colour(values[i]);
            } else {
                values[i] = ties.below(256);
                colour = values[i] < sourceTable.size() ? sourceTable[values[i]] : 0;
            }
            const bool cut = direct && c.destinationBits == 8;
            expected[i] = ruleNearest(table, cut ? (colour & 0xF8F8F8) | 0x040404 : colour);
        }
        const gdi::DibFormat source = [&] {
            switch (c.source) {
                case Source::Rgb32:
                    return dib(32, c.side, c.side);
                case Source::Rgb565:
                    return dib(16, c.side, c.side, {}, {0xF800, 0x7E0, 0x1F});
                case Source::NarrowFields32:
                    return dib(32, c.side, c.side, {}, narrow.masks());
                default:
                    return dib(8, c.side, c.side, sourceTable);
            }
        }();
        const gdi::DibInfo header(source);
        const gditest::Section section(
            dib(c.destinationBits, c.side, c.side, {table.begin(), table.end()}), 0);
        ASSERT_TRUE(section.created());
        const std::vector<std::byte> bits = gditest::packed(source, values);
        ASSERT_EQ(SetDIBitsToDevice(section.dc(), 0, 0, DWORD(c.side), DWORD(c.side), 0, 0, 0,
                                    UINT(c.side), bits, header.get(), DIB_RGB_COLORS),
                  c.side);
        const std::vector<std::uint32_t> drawn = section.values();
        for (std::size_t i = 0; i < pixels; ++i) {
            ASSERT_EQ(drawn[i], expected[i]) << "pixel " << i << " value " << values[i];
        }
    }
};

TEST_P(NearestColour, EveryPixelIsTheEntryASearchOfTheWholeTableFinds) {
    const MatchCase& c = GetParam();
    TieMaker ties(unsigned(c.side) * 131 + unsigned(c.source) * 7 + c.destinationBits);
    for (int round = 0; round < c.rounds; ++round) {
        const std::vector<DWORD> table = ties.table(std::size_t(1) << c.destinationBits);
        const std::vector<DWORD> changed = [&] {
            std::vector<DWORD> entries = table;
            entries[ties.below(std::uint32_t(table.size()))] = ties.colour(table);
            return entries;
        }();
        for (const std::vector<DWORD>* drawnTable : {&table, &changed, &table}) {
            drawAndCheck(*drawnTable, ties);
            if (HasFatalFailure()) {
                return;
            }
        }
    }
}

std::vector<MatchCase> everyCase() {
    const std::pair<Source, const char*> sources[] = {{Source::Rgb32, "Rgb32"},
                                                      {Source::Rgb565, "Rgb565"},
                                                      {Source::NarrowFields32, "NarrowFields32"},
                                                      {Source::Indexed8, "Indexed8"}};
    const std::pair<WORD, const char*> destinations[] = {
        {1, "OneBit"}, {4, "FourBits"}, {8, "EightBits"}};
    std::vector<MatchCase> cases;
    for (const auto& [source, sourceName] : sources) {
        for (const auto& [bits, bitsName] : destinations) {
            cases.push_back({std::string(sourceName) + "Onto" + bitsName + "Small", source, bits,
                             8, 200});
            cases.push_back({std::string(sourceName) + "Onto" + bitsName + "Large", source, bits,
                             256, 4});
        }
    }
    // Enough 16-bit pixels for every stored value to be matched at once.
    for (const auto& [bits, bitsName] : destinations) {
        cases.push_back(
            {std::string("Rgb565Onto") + bitsName + "Huge", Source::Rgb565, bits, 512, 1});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, NearestColour, testing::ValuesIn(everyCase()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
