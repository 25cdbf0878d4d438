#include "dib_header.h"

namespace gdi {

bool isSectionFormat(const DibHeader& header) {
    const bool planesFit =
        header.planes == 1 ||
        (header.planes != 0 && std::uint32_t(header.planes) * header.bitCount <= 16);
    const bool masksSet = header.compression != BI_BITFIELDS ||
                          (header.masks.red && header.masks.green && header.masks.blue);
    return planesFit && isUncompressed(header) && masksSet;
}

}  // namespace gdi
