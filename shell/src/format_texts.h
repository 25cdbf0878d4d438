#pragma once

#include <cstddef>
#include <string>

#include "testrun/bench_formats.h"
#include "ui/picture.h"

namespace shell {

// One line naming both formats, e.g. "Source: 4 bpp, 16-colour table, handed over as
// DIB_RGB_COLORS · Destination: 32 bpp".
std::string formatsLine(const testrun::BenchFormats& formats);

// What a new destination format did to the picture: nothing to say when every pixel kept its
// colour, otherwise how many took the nearest colour the format holds.
std::string conversionNote(const testrun::BenchFormats& formats, std::size_t changedPixels,
                           const ui::Picture& destPic);

}  // namespace shell
