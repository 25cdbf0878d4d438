#include "workbench/picture_format.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <vector>

#include "dib/picture_readback.h"
#include "gdi/dib_section_dc.h"
#include "workbench/enlarge.h"
#include "workbench/picture_bitmap.h"
#include "workbench/zoom_pic.h"

namespace workbench {
namespace {

std::size_t changedPixels(const std::vector<std::uint32_t>& before,
                          const std::vector<std::uint32_t>& after) {
    std::size_t changed = 0;
    for (std::size_t i = 0; i < std::min(before.size(), after.size()); ++i) {
        if ((before[i] ^ after[i]) & 0xFFFFFF) ++changed;
    }
    return changed;
}

}  // namespace

std::size_t convertPicture(ui::Picture& picture, const gdi::DibFormat& format) {
    const std::vector<std::uint32_t> before = ui::imagePixels(picture);
    const std::optional<dib::PictureDib> read =
        dib::readPicture(picture.hDC(), picture.Image(), {format, gdi::RowOrder::BottomUp,
                                                          dib::TableUse::Colours});
    if (!read) return 0;
    picture.setImage(read->uncompressed.format, read->uncompressed.bits);
    return changedPixels(before, ui::imagePixels(picture));
}

void zoomDib(const dib::Dib& dib, ui::Picture& bigPic, const ui::Window& form) {
    const PixelSize smallSize{int(dib.format.width), int(dib.format.height)};
    const gdi::DibSectionDC drawn(pictureFormat(smallSize.width, smallSize.height, 32));
    if (!drawn.created()) {
        form.MsgBox(kDibSectionFailedMessage);
        return;
    }
    const gdi::DibInfo header(dib.format);
    SetDIBitsToDevice(drawn.dc(), 0, 0, DWORD(smallSize.width), DWORD(smallSize.height), 0, 0, 0,
                      UINT(smallSize.height), dib.bits, header.get(), dib.format.colorUse);
    std::vector<std::int32_t> small(std::size_t(smallSize.width) * std::size_t(smallSize.height));
    std::memcpy(small.data(), drawn.bits().data(), std::min(drawn.bits().size(), small.size() * 4));
    const PixelSize bigSize{scaleWidthPixels(bigPic), scaleHeightPixels(bigPic)};
    drawBigPixels(bigPic, bigSize, enlargePixels(small, smallSize, bigSize), form);
}

}  // namespace workbench
