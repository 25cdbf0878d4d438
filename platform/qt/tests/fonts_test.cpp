#include <QFontInfo>
#include <gtest/gtest.h>

#include "fonts.h"

namespace {

struct FontCase {
    const char* name;
    double points;
    const char* family;  // the face that is actually used
    int pixelSize;       // points at 120 dots per inch
};

const FontCase kFonts[] = {
    {"MS Sans Serif", 12, "Liberation Sans", 20},  {"MS Sans Serif", 9.6, "Liberation Sans", 16},
    {"MS Sans Serif", 7.8, "Liberation Sans", 13}, {"Courier New", 7.8, "Liberation Mono", 13},
    {"Liberation Serif", 9, "Liberation Serif", 15},
};

class FontFor : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontFor, UsesAnInstalledSubstituteAtTheDesignPixelSize) {
    const FontCase& expected = GetParam();
    const QFontInfo font(qt::fontFor(ui::Font{expected.name, expected.points}));
    EXPECT_EQ(font.family().toStdString(), expected.family);
    EXPECT_EQ(font.pixelSize(), expected.pixelSize);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic());
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFor, ::testing::ValuesIn(kFonts));

TEST(FontFor, KeepsTheFixedPitchSubstituteFixed) {
    EXPECT_TRUE(QFontInfo(qt::fontFor(ui::Font{"Courier New", 7.8})).fixedPitch());
    EXPECT_FALSE(QFontInfo(qt::fontFor(ui::Font{"MS Sans Serif", 7.8})).fixedPitch());
}

}  // namespace
