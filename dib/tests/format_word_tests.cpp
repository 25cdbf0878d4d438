#include "dib/format_choices.h"
#include "dib/format_word.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>

namespace {

using dib::FormatRole;

// A word and the header fields it stands for.
struct WordRule {
    const char* word;
    WORD bitCount;
    DWORD compression;
    gdi::ChannelMasks masks;
};

void PrintTo(const WordRule& rule, std::ostream* out) {
    *out << rule.word;
}

const WordRule wordRules[] = {
    {"1", 1, BI_RGB, {}},
    {"4", 4, BI_RGB, {}},
    {"8", 8, BI_RGB, {}},
    {"16", 16, BI_RGB, {}},
    {"24", 24, BI_RGB, {}},
    {"32", 32, BI_RGB, {}},
    {"16:f800:7e0:1f", 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}},
    {"16:c00a:3f0:0", 16, BI_BITFIELDS, {0xC00A, 0x03F0, 0}},
    {"32:3ff00000:ffc00:3ff", 32, BI_BITFIELDS, {0x3FF00000, 0xFFC00, 0x3FF}},
    {"rle8", 8, BI_RLE8, {}},
    {"rle4", 4, BI_RLE4, {}},
};

class FormatWord : public testing::TestWithParam<WordRule> {};

TEST_P(FormatWord, ReadsIntoTheHeaderFieldsAndPrintsBack) {
    const WordRule& rule = GetParam();
    const dib::FormatWordReading reading = dib::readFormatWord(rule.word, FormatRole::Source);
    ASSERT_TRUE(reading.format) << reading.error;
    EXPECT_EQ(reading.format->bitCount, rule.bitCount);
    EXPECT_EQ(reading.format->compression, rule.compression);
    EXPECT_EQ(reading.format->masks, rule.masks);
    EXPECT_EQ(dib::formatWord(*reading.format), rule.word);
}

INSTANTIATE_TEST_SUITE_P(Words, FormatWord, testing::ValuesIn(wordRules),
                         [](const auto& info) { return "Word" + std::to_string(info.index); });

struct BadWord {
    const char* name;
    const char* word;
    FormatRole role;
    const char* error;
};

void PrintTo(const BadWord& bad, std::ostream* out) {
    *out << bad.name;
}

const BadWord badWords[] = {
    {"UnknownBitCount", "2", FormatRole::Source,
     "bad format word '2': not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, "
     "32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, rle4"},
    {"TwoMasks", "16:f800:7e0", FormatRole::Source,
     "bad format word '16:f800:7e0': bit fields need three masks, red:green:blue, after 16:"},
    {"FourMasks", "32:1:2:3:4", FormatRole::Source,
     "bad format word '32:1:2:3:4': bit fields need three masks, red:green:blue, after 32:"},
    {"TooManyDigits", "16:1f800:7e0:1f", FormatRole::Source,
     "bad format word '16:1f800:7e0:1f': the red mask '1f800' has more than 4 digits for 16 "
     "bits per pixel"},
    {"NotHexadecimal", "16:f800:7g0:1f", FormatRole::Source,
     "bad format word '16:f800:7g0:1f': the green mask '7g0' is not a hexadecimal number"},
    {"EmptyMask", "16:f800:7e0:", FormatRole::Source,
     "bad format word '16:f800:7e0:': the blue mask '' is not a hexadecimal number"},
    {"ZeroMaskForASection", "16:f800:0:1f", FormatRole::Destination,
     "bad format word '16:f800:0:1f': the green mask is 0, and a DIB section needs every "
     "channel"},
    {"RleForASection", "rle4", FormatRole::Destination,
     "bad format word 'rle4': RLE is a source format only; a DIB section is uncompressed"},
    {"ControlCharacter", "8\x01", FormatRole::Source,
     "bad format word '8\\x01': not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, "
     "32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, rle4"},
};

class FormatWordRefusal : public testing::TestWithParam<BadWord> {};

TEST_P(FormatWordRefusal, NamesTheWordAndTheReason) {
    const BadWord& bad = GetParam();
    const dib::FormatWordReading reading = dib::readFormatWord(bad.word, bad.role);
    EXPECT_FALSE(reading.format);
    EXPECT_EQ(reading.error, bad.error);
}

INSTANTIATE_TEST_SUITE_P(Words, FormatWordRefusal, testing::ValuesIn(badWords),
                         [](const auto& info) { return std::string(info.param.name); });

// The choices of the window's Format menu: the source list and the destination list of the
// issue, each with a name of its own.
TEST(FormatChoices, OfferTheSourceAndDestinationLists) {
    std::vector<std::string> sources, destinations;
    std::set<std::string_view> names;
    for (const dib::FormatChoice& choice : dib::formatChoices()) {
        if (choice.source) sources.emplace_back(choice.word);
        if (choice.destination) destinations.emplace_back(choice.word);
        EXPECT_TRUE(names.insert(choice.name).second) << choice.name;
        EXPECT_EQ(dib::findChoice(choice.word), &choice);
        EXPECT_EQ(dib::findChoice(choice.format()), &choice);
        EXPECT_EQ(dib::formatName(choice.format()), choice.name);
    }
    EXPECT_EQ(sources, (std::vector<std::string>{"1", "4", "8", "16", "16:f800:7e0:1f", "24", "32",
                                                 "rle8", "rle4"}));
    EXPECT_EQ(destinations,
              (std::vector<std::string>{"1", "4", "8", "16", "16:f800:7e0:1f", "24", "32"}));
    EXPECT_EQ(dib::findChoice("16:F800:7E0:1F"), nullptr);
}

TEST(FormatChoices, NameOtherFormatsByTheirMasks) {
    const gdi::DibFormat format = *dib::readFormatWord("16:f00:f0:f", FormatRole::Source).format;
    EXPECT_EQ(dib::findChoice(format), nullptr);
    EXPECT_EQ(dib::formatName(format), "16 bpp bit fields f00:f0:f (BI_BITFIELDS)");
    EXPECT_EQ(dib::findChoice("4")->name, "4 bpp, 16-colour table");
}

}  // namespace
