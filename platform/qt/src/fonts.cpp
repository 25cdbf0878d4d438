#include "fonts.h"

#include <cmath>

namespace qt {
namespace {

constexpr double kDesignDotsPerInch = 120.0;
constexpr double kPointsPerInch = 72.0;

struct Substitute {
    const char* windowsFace;
    const char* debianFace;
    QFont::StyleHint hint;
};

constexpr Substitute kSubstitutes[] = {
    {"MS Sans Serif", "Liberation Sans", QFont::SansSerif},
    {"Courier New", "Liberation Mono", QFont::TypeWriter},
};

}  // namespace

QFont fontFor(const ui::Font& font) {
    QFont result(QString::fromStdString(font.name));
    for (const Substitute& substitute : kSubstitutes) {
        if (font.name == substitute.windowsFace) {
            result.setFamily(QString::fromLatin1(substitute.debianFace));
            result.setStyleHint(substitute.hint);
        }
    }
    result.setPixelSize(
        static_cast<int>(std::lround(font.points * kDesignDotsPerInch / kPointsPerInch)));
    result.setWeight(QFont::Normal);
    return result;
}

}  // namespace qt
