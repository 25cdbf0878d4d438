#include "testrun/test_run.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "gdi/gdi.h"
#include "testrun/pixel_listing.h"
#include "workbench/picture_bitmap.h"

namespace testrun {
namespace {

bool checked(const ui::CheckBox& box) {
    return box.Value() == 1;
}

std::size_t elementCount(int width, int height) {
    return static_cast<std::size_t>(std::max(width, 0)) *
           static_cast<std::size_t>(std::max(height, 0));
}

// Width, Height, StartScan and cLines travel as the 32-bit pattern of the sign-extended value.
DWORD asUnsigned(std::int16_t argument) {
    return static_cast<DWORD>(static_cast<std::int32_t>(argument));
}

class TestRun {
public:
    TestRun(const TestRunControls& controls, const workbench::ZoomPicGetBitsProcedure& zoom,
            const Arguments& arguments)
        : m_controls(controls), m_zoom(zoom), m_arguments(arguments) {}

    void perform() {
        describePictures();
        listSource();
        magnifySource();
        drawSourceOntoDestination();
        listDestination();
    }

private:
    void describePictures() {
        m_width = workbench::scaleWidthPixels(m_controls.srcPic);
        m_height = workbench::scaleHeightPixels(m_controls.srcPic);
        m_destWidth = workbench::scaleWidthPixels(m_controls.destPic);
        m_destHeight = workbench::scaleHeightPixels(m_controls.destPic);
        const BITMAP source = workbench::selectedBitmap(m_controls.srcPic.hDC());
        m_sourceHeader = workbench::pictureHeader(m_width, m_height, source.bmBitsPixel);
        const BITMAP destination = workbench::selectedBitmap(m_controls.destPic.hDC());
        m_destHeader = workbench::pictureHeader(m_destWidth, m_destHeight, destination.bmBitsPixel);
        m_sourceListing.assign(elementCount(m_width, m_height), 0);
        m_destListing.assign(elementCount(m_destWidth, m_destHeight), 0);
    }

    void listSource() {
        m_sourceDC = m_controls.srcPic.hDC();
        m_sourceImage = m_controls.srcPic.Image();
        GetDIBits(m_sourceDC, m_sourceImage, 0, static_cast<UINT>(m_height),
                  std::as_writable_bytes(std::span(m_sourceListing)), &m_sourceHeader,
                  DIB_RGB_COLORS);
        if (checked(m_controls.showSourceBits)) {
            AppendPixelListing(m_controls.report, kSourceListingHeader, m_width, m_height,
                               m_sourceListing);
        }
    }

    void magnifySource() {
        m_sourceBits.assign(elementCount(m_width, m_height) * 4, std::byte{0});
        const int bigWidth = workbench::scaleWidthPixels(m_controls.destBigPic);
        const int bigHeight = workbench::scaleHeightPixels(m_controls.destBigPic);
        m_scratch.assign(4 * elementCount(bigWidth, bigHeight), 0);
        m_zoom(m_controls.srcPic, m_controls.srcBigPic, m_scratch);
    }

    void drawSourceOntoDestination() {
        m_sourceHeader.bmiHeader.biHeight =
            checked(m_controls.sourceTopDown) ? -m_height : m_height;
        m_destHeader.bmiHeader.biHeight =
            checked(m_controls.destinationTopDown) ? -m_destHeight : m_destHeight;
        GetDIBits(m_sourceDC, m_sourceImage, 0, static_cast<UINT>(m_height), m_sourceBits,
                  &m_sourceHeader, DIB_RGB_COLORS);
        m_destDC = m_controls.destPic.hDC();
        const auto& a = m_arguments;
        const int result = SetDIBitsToDevice(
            m_destDC, a[0], a[1], asUnsigned(a[2]), asUnsigned(a[3]), a[4], a[5], asUnsigned(a[6]),
            asUnsigned(a[7]), m_sourceBits, &m_sourceHeader, DIB_RGB_COLORS);
        m_controls.dstRet.setCaption("Ret = " + std::to_string(result));
        m_controls.destPic.Refresh();
        m_controls.srcHeight.setCaption("Source biHeight = " +
                                        std::to_string(m_sourceHeader.bmiHeader.biHeight));
    }

    void listDestination() {
        m_zoom(m_controls.destPic, m_controls.destBigPic, m_scratch);
        GetDIBits(m_destDC, m_controls.destPic.Image(), 0, static_cast<UINT>(m_destHeight),
                  std::as_writable_bytes(std::span(m_destListing)), &m_destHeader, DIB_RGB_COLORS);
        if (checked(m_controls.showDestinationBits)) {
            AppendPixelListing(m_controls.report, kDestinationListingHeader, m_destWidth,
                               m_destHeight, m_destListing);
        }
    }

    const TestRunControls& m_controls;
    const workbench::ZoomPicGetBitsProcedure& m_zoom;
    const Arguments& m_arguments;
    int m_width = 0;
    int m_height = 0;
    int m_destWidth = 0;
    int m_destHeight = 0;
    BITMAPINFO m_sourceHeader{};
    BITMAPINFO m_destHeader{};
    std::vector<std::int32_t> m_sourceListing;
    std::vector<std::int32_t> m_destListing;
    std::vector<std::byte> m_sourceBits;
    std::vector<std::int32_t> m_scratch;
    HDC m_sourceDC = nullptr;
    HBITMAP m_sourceImage = nullptr;
    HDC m_destDC = nullptr;
};

}  // namespace

void runTest(const TestRunControls& controls,
             const workbench::ZoomPicGetBitsProcedure& zoomPicGetBits, const ui::Window& form) {
    const std::optional<Arguments> arguments = readArguments(controls.arguments, form);
    if (!arguments) return;
    TestRun(controls, zoomPicGetBits, *arguments).perform();
}

}  // namespace testrun
