#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gdi/dib_format.h"
#include "gdi/gdi.h"
#include "ui/control.h"
#include "ui/overlay.h"

namespace ui {

inline constexpr int kScalePixel = 3;

// A picture box with a persistent image: a 32-bpp bitmap of the drawing area's size, selected into
// a memory DC that the picture owns. `hDC` and `Image` hand out those handles; drawing through
// them changes the image, `Refresh` shows it, `Cls` and `setBackColor` clear it. The picture has
// no border, so its drawing area is its whole size.
class Picture : public Control {
public:
    Picture(std::string name, int widthPixels, int heightPixels);
    ~Picture() override;

    HDC hDC() const { return m_dc; }
    HBITMAP Image() const { return m_image; }

    // Width and Height writes in pixels. The image is remade at the new size: what fits of the old
    // content stays, the rest shows BackColor.
    void setSize(int widthPixels, int heightPixels);
    void setWidth(int widthPixels) { setSize(widthPixels, Height); }
    void setHeight(int heightPixels) { setSize(Width, heightPixels); }
    void setScaleMode(int mode) { m_scaleMode = mode; }
    int ScaleMode() const { return m_scaleMode; }
    double ScaleWidth() const { return Width; }
    double ScaleHeight() const { return Height; }

    // The format of the persistent image: none for the picture's own 32-bpp bitmap, otherwise a
    // DIB section of that format at the picture's size, with the format's colour table.
    const std::optional<gdi::DibFormat>& imageFormat() const { return m_imageFormat; }
    // Makes the image a bitmap of that format holding `bits`, a whole image of the format in its
    // row order; bits of any other size leave the new image cleared to BackColor.
    void setImage(std::optional<gdi::DibFormat> format, std::span<const std::byte> bits);

    COLORREF BackColor() const { return m_backColor; }
    void setBackColor(COLORREF colour);
    void Cls();
    void Refresh() const;

    // Marks shown over the image, never written into it.
    const Overlay& overlay() const { return m_overlay; }
    void setOverlay(Overlay overlay);

    // Fired by Refresh: a front end repaints the picture from the image.
    std::function<void()> onRefresh;

private:
    // Creates and selects the image of the picture's format and size; returns its pixel memory,
    // empty for the own bitmap.
    std::span<std::byte> makeImage();
    void clearImage();
    void copyFrom(HBITMAP old, int oldWidth, int oldHeight);

    HDC m_dc = nullptr;
    HBITMAP m_image = nullptr;
    HGDIOBJ m_initialBitmap = nullptr;
    std::optional<gdi::DibFormat> m_imageFormat;
    COLORREF m_backColor = 0x00FFFFFF;
    int m_scaleMode = kScalePixel;
    Overlay m_overlay;
};

// The persistent image as pixel values 0xXXRRGGBB, top row first, all 32 bits as stored.
std::vector<std::uint32_t> imagePixels(const Picture& picture);

}  // namespace ui
