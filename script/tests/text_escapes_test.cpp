#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "script/text_escapes.h"

namespace {

std::string decoded(const std::string& text) {
    const script::DecodedText result = script::decodeEscapes(text);
    EXPECT_EQ(result.error, "") << text;
    return script::encodeUtf8(result.characters);
}

struct EscapeCase {
    std::string written;
    std::string value;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const EscapeCase& c, std::ostream* out) {
    *out << c.written;
}

class Escapes : public testing::TestWithParam<EscapeCase> {};

TEST_P(Escapes, DecodeToTheValueAndPrintBackAsWritten) {
    EXPECT_EQ(decoded(GetParam().written), GetParam().value);
    EXPECT_EQ(script::escapeForPrint(GetParam().value), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Escapes,
    testing::Values(EscapeCase{"plain text", "plain text"},
                    EscapeCase{"a\\nb\\rc\\td\\be", "a\nb\rc\td\be"},
                    EscapeCase{"back\\\\slash", "back\\slash"},
                    EscapeCase{"\\x00\\x01\\x1f\\x7f", std::string("\0\x01\x1f\x7f", 4)},
                    EscapeCase{"\\x80\\x85 C1", "\xC2\x80\xC2\x85 C1"},
                    EscapeCase{"caf\xC3\xA9 \xE2\x82\xAC", "caf\xC3\xA9 \xE2\x82\xAC"}));

TEST(Escapes, HexEscapesTakeEitherCaseAndMeanTheCharacterCode) {
    EXPECT_EQ(decoded("\\x41\\x4a\\x4A\\xe9"), "AJJ\xC3\xA9");
}

TEST(Escapes, InvalidUtf8BytesStandForTheirCodes) {
    EXPECT_EQ(decoded("a\xFF"
                      "b\xC3"),
              "a\xC3\xBF"
              "b\xC3\x83");
    EXPECT_EQ(decoded("\xED\xA0\x80"), "\xC3\xAD\xC2\xA0\xC2\x80");
}

TEST(Escapes, PrintingEscapesBytesOutsideUtf8) {
    EXPECT_EQ(script::escapeForPrint("a\xFF"
                             "b"),
              "a\\xffb");
}

TEST(Escapes, MalformedEscapesAreErrors) {
    for (const char* text : {"\\", "x\\q", "\\x", "\\x4", "\\xg0", "\\N"}) {
        EXPECT_NE(script::decodeEscapes(text).error, "") << text;
    }
}

}  // namespace
