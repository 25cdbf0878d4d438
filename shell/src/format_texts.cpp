#include "format_texts.h"

#include "dib/format_choices.h"

namespace shell {

std::string formatsLine(const testrun::BenchFormats& formats) {
    const gdi::DibFormat source = formats.sourceFormat();
    std::string line = "Source: " + dib::formatName(source) + ", handed over as ";
    line += formats.handsOverIndexes() ? "DIB_PAL_COLORS, its table holding palette indexes"
                                       : "DIB_RGB_COLORS";
    return line + " \u00b7 Destination: " + dib::formatName(formats.destinationFormat());
}

std::string conversionNote(const testrun::BenchFormats& formats, std::size_t changedPixels,
                           const ui::Picture& destPic) {
    if (changedPixels == 0) return {};
    const int pixels = destPic.Width * destPic.Height;
    return "The destination is now " + dib::formatName(formats.destinationFormat()) + ": " +
           std::to_string(changedPixels) + " of its " + std::to_string(pixels) +
           " pixels took the nearest colour the format holds.";
}

}  // namespace shell
