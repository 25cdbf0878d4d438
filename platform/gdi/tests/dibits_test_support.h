#pragma once

#include "gdi/dib_section_dc.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// Reading bitmaps back with GetDIBits into any format, as the format tests do it: the colour
// table and the stored values are taken out of the BITMAPINFO and the bits here, independently
// of the layer under test.
namespace gditest {

// A 32-bpp device-compatible bitmap, as the bench's pictures are, selected into its own memory
// DC; `pixels` are 0x00RRGGBB values, top row first.
class PictureDdb {
public:
    PictureDdb(int width, int height, std::span<const std::uint32_t> pixels);
    ~PictureDdb();
    PictureDdb(const PictureDdb&) = delete;
    PictureDdb& operator=(const PictureDdb&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

struct Readback {
    int result = 0;
    BITMAPINFOHEADER header{};
    // The three DWORDs at offset 40.
    gdi::ChannelMasks masks;
    // 2^bitCount entries for 1, 4 and 8 bpp: 0x00RRGGBB, or the 16-bit indices with
    // DIB_PAL_COLORS.
    std::vector<std::uint32_t> table;
    // Stored values, top row first.
    std::vector<std::uint32_t> values;
};

// GetDIBits of every scan line into `request`, whose masks and colour table slots start filled
// with 0xAA bytes.
Readback readBack(HDC dc, HBITMAP bitmap, const gdi::DibFormat& request,
                  UINT usage = DIB_RGB_COLORS);

// The request for a DIB of `bitCount` bits; masks make it BI_BITFIELDS.
gdi::DibFormat request(WORD bitCount, LONG width, LONG height, gdi::ChannelMasks masks = {});

}  // namespace gditest
