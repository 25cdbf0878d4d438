#include "format_test_support.h"

#include <gtest/gtest.h>

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

enum class Source { Rgb32, Rgb565, Indexed8 };

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
        for (std::size_t i = 0; i < pixels; ++i) {
            std::uint32_t colour = 0;
            if (c.source == Source::Rgb32) {
                colour = ties.colour(table);
                values[i] = ties.below(256) << 24 | colour;
            } else if (c.source == Source::Rgb565) {
                values[i] = ties.below(1u << 16);
                colour = colourOf565(values[i]);
            } else {
                values[i] = ties.below(256);
                colour = values[i] < sourceTable.size() ? sourceTable[values[i]] : 0;
            }
            const bool cut = direct && c.destinationBits == 8;
            expected[i] = ruleNearest(table, cut ? (colour & 0xF8F8F8) | 0x040404 : colour);
        }
        const gdi::DibFormat source =
            c.source == Source::Rgb32    ? dib(32, c.side, c.side)
            : c.source == Source::Rgb565 ? dib(16, c.side, c.side, {}, {0xF800, 0x7E0, 0x1F})
                                         : dib(8, c.side, c.side, sourceTable);
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
    const std::pair<Source, const char*> sources[] = {
        {Source::Rgb32, "Rgb32"}, {Source::Rgb565, "Rgb565"}, {Source::Indexed8, "Indexed8"}};
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
