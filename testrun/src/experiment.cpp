#include "testrun/experiment.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "gdi/gdi.h"
#include "testrun/pixel_listing.h"
#include "workbench/picture_bitmap.h"
#include "workbench/zoom_pic.h"

namespace testrun {
namespace {

bool checked(const ui::CheckBox& box) {
    return box.Value() == 1;
}

std::size_t elementCount(int width, int height) {
    return static_cast<std::size_t>(std::max(width, 0)) *
           static_cast<std::size_t>(std::max(height, 0));
}

geometry::Call benchCall(const ExperimentControls& controls,
                         const geometry::CallArguments& arguments) {
    geometry::Call call;
    call.arguments = arguments;
    const int width = workbench::scaleWidthPixels(controls.srcPic);
    const int height = workbench::scaleHeightPixels(controls.srcPic);
    const auto order =
        checked(controls.sourceTopDown) ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    call.source = {width, height, order, height};
    call.destination = {workbench::scaleWidthPixels(controls.destPic),
                        workbench::scaleHeightPixels(controls.destPic)};
    return call;
}

class Experiment {
public:
    Experiment(const ExperimentControls& controls, const geometry::CallArguments& arguments,
               const ui::Window& form)
        : m_controls(controls), m_arguments(arguments), m_form(form) {}

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
        workbench::ZoomPicGetBits(m_controls.srcPic, m_controls.srcBigPic, m_scratch, m_form);
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
        const int result =
            SetDIBitsToDevice(m_destDC, a.xDest, a.yDest, a.width, a.height, a.xSrc, a.ySrc,
                              a.startScan, a.cLines, m_sourceBits, &m_sourceHeader, DIB_RGB_COLORS);
        m_controls.dstRet.setCaption("Ret = " + std::to_string(result));
        m_controls.destPic.Refresh();
        m_controls.srcHeight.setCaption("Source biHeight = " +
                                        std::to_string(m_sourceHeader.bmiHeader.biHeight));
    }

    void listDestination() {
        workbench::ZoomPicGetBits(m_controls.destPic, m_controls.destBigPic, m_scratch, m_form);
        GetDIBits(m_destDC, m_controls.destPic.Image(), 0, static_cast<UINT>(m_destHeight),
                  std::as_writable_bytes(std::span(m_destListing)), &m_destHeader, DIB_RGB_COLORS);
        if (checked(m_controls.showDestinationBits)) {
            AppendPixelListing(m_controls.report, kDestinationListingHeader, m_destWidth,
                               m_destHeight, m_destListing);
        }
    }

    const ExperimentControls& m_controls;
    const geometry::CallArguments& m_arguments;
    const ui::Window& m_form;
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

std::optional<geometry::Call> plannedCall(const ExperimentControls& controls) {
    const std::optional<geometry::CallArguments> arguments =
        readArguments(controls.arguments, nullptr);
    if (!arguments) return std::nullopt;
    return benchCall(controls, *arguments);
}

std::optional<geometry::Call> performExperiment(const ExperimentControls& controls,
                                                const ui::Window& form) {
    const std::optional<geometry::CallArguments> arguments =
        readArguments(controls.arguments, &form);
    if (!arguments) return std::nullopt;
    const geometry::Call call = benchCall(controls, *arguments);
    Experiment(controls, call.arguments, form).perform();
    return call;
}

}  // namespace testrun
