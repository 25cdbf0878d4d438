#include "testrun/experiment.h"

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <vector>

#include "dib/dib_listing.h"
#include "dib/format_choices.h"
#include "dib/picture_readback.h"
#include "gdi/gdi.h"
#include "testrun/dib_value_listing.h"
#include "testrun/pixel_listing.h"
#include "workbench/picture_bitmap.h"
#include "workbench/picture_format.h"
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

gdi::RowOrder sourceOrder(const ExperimentControls& controls) {
    return checked(controls.sourceTopDown) ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
}

gdi::RowOrder destinationOrder(const ExperimentControls& controls) {
    return checked(controls.destinationTopDown) ? gdi::RowOrder::TopDown
                                                : gdi::RowOrder::BottomUp;
}

// The indices an RLE source encodes are listed as what they are.
std::string sourceName(const BenchFormats& formats) {
    const gdi::DibFormat format = formats.sourceFormat();
    const std::string name = dib::formatName(format);
    if (!dib::isRle(format)) return name;
    return name + ", the " + std::to_string(format.bitCount) + "-bpp indices it encodes";
}

std::optional<dib::PictureDib> readSource(const ExperimentControls& controls,
                                          gdi::RowOrder order) {
    return dib::readPicture(controls.srcPic.hDC(), controls.srcPic.Image(),
                            {controls.formats.sourceFormat(), order,
                             controls.formats.tableUse()});
}

// The DIB a picture is read back into when GetDIBits refuses: the request's format, all zero.
dib::PictureDib zeroDib(gdi::DibFormat format) {
    const dib::Dib zero{format, std::vector<std::byte>(format.imageBytes())};
    return {zero, zero};
}

geometry::Call benchCall(const ExperimentControls& controls,
                         const geometry::CallArguments& arguments) {
    geometry::Call call;
    call.arguments = arguments;
    const int width = workbench::scaleWidthPixels(controls.srcPic);
    const int height = workbench::scaleHeightPixels(controls.srcPic);
    const bool rle = dib::isRle(controls.formats.sourceFormat());
    call.source = {width, height, sourceOrder(controls), height,
                   rle ? geometry::SourceEncoding::RunLength
                       : geometry::SourceEncoding::Uncompressed};
    call.destination = {workbench::scaleWidthPixels(controls.destPic),
                        workbench::scaleHeightPixels(controls.destPic), destinationOrder(controls)};
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
        // Read back as 32-bit values whatever the pictures' own formats, as the listing arrays
        // hold them.
        m_sourceHeader = workbench::pictureHeader(m_width, m_height, 32);
        m_destHeader = workbench::pictureHeader(m_destWidth, m_destHeight, 32);
        m_sourceListing.assign(elementCount(m_width, m_height), 0);
        m_destListing.assign(elementCount(m_destWidth, m_destHeight), 0);
    }

    void listSource() {
        m_sourceDC = m_controls.srcPic.hDC();
        m_sourceImage = m_controls.srcPic.Image();
        GetDIBits(m_sourceDC, m_sourceImage, 0, static_cast<UINT>(m_height),
                  std::as_writable_bytes(std::span(m_sourceListing)), &m_sourceHeader,
                  DIB_RGB_COLORS);
        if (!checked(m_controls.showSourceBits)) return;
        if (m_controls.formats.bothThirtyTwo()) {
            AppendPixelListing(m_controls.report, kSourceListingHeader, m_width, m_height,
                               m_sourceListing);
            return;
        }
        // Bottom-up, as the 32-bpp listing is.
        const std::optional<dib::PictureDib> listed =
            readSource(m_controls, gdi::RowOrder::BottomUp);
        if (!listed) return;
        m_controls.report.appendText(formatDibListing("Src", sourceName(m_controls.formats),
                                                      listed->uncompressed, palette()));
    }

    std::vector<DWORD> palette() const {
        return dib::defaultPalette(m_sourceDC, m_sourceImage);
    }

    void magnifySource() {
        const int bigWidth = workbench::scaleWidthPixels(m_controls.destBigPic);
        const int bigHeight = workbench::scaleHeightPixels(m_controls.destBigPic);
        m_scratch.assign(4 * elementCount(bigWidth, bigHeight), 0);
        workbench::ZoomPicGetBits(m_controls.srcPic, m_controls.srcBigPic, m_scratch, m_form);
    }

    // The source goes over as GetDIBits gives it in the chosen format and orientation.
    void drawSourceOntoDestination() {
        m_destHeader.bmiHeader.biHeight =
            checked(m_controls.destinationTopDown) ? -m_destHeight : m_destHeight;
        const std::optional<dib::PictureDib> handed = handedOverSource(m_controls);
        gdi::DibFormat requested = m_controls.formats.sourceFormat();
        requested.width = m_width;
        requested.height = m_height;
        requested.order = sourceOrder(m_controls);
        const dib::PictureDib source = handed ? *handed : zeroDib(requested);
        if (m_controls.formats.source != "32") {
            workbench::zoomDib(source.uncompressed, m_controls.srcBigPic, m_form);
        }
        if (m_controls.listDibHeader) {
            std::string text;
            for (const std::string& line : dibHeaderLines(source.dib, m_controls.srcPic))
                text += line + "\r\n";
            m_controls.report.appendText(text);
        }
        m_destDC = m_controls.destPic.hDC();
        const auto& a = m_arguments;
        const gdi::DibInfo header(source.dib.format);
        const int result = SetDIBitsToDevice(m_destDC, a.xDest, a.yDest, a.width, a.height,
                                             a.xSrc, a.ySrc, a.startScan, a.cLines,
                                             source.dib.bits, header.get(),
                                             source.dib.format.colorUse);
        m_controls.dstRet.setCaption("Ret = " + std::to_string(result));
        m_controls.destPic.Refresh();
        m_controls.srcHeight.setCaption("Source biHeight = " +
                                        std::to_string(source.dib.format.biHeight()));
    }

    void listDestination() {
        workbench::ZoomPicGetBits(m_controls.destPic, m_controls.destBigPic, m_scratch, m_form);
        GetDIBits(m_destDC, m_controls.destPic.Image(), 0, static_cast<UINT>(m_destHeight),
                  std::as_writable_bytes(std::span(m_destListing)), &m_destHeader, DIB_RGB_COLORS);
        if (!checked(m_controls.showDestinationBits)) return;
        if (m_controls.formats.bothThirtyTwo()) {
            AppendPixelListing(m_controls.report, kDestinationListingHeader, m_destWidth,
                               m_destHeight, m_destListing);
            return;
        }
        const std::optional<dib::PictureDib> listed = dib::readPicture(
            m_destDC, m_controls.destPic.Image(),
            {m_controls.formats.destinationFormat(), destinationOrder(m_controls),
             dib::TableUse::Colours});
        if (!listed) return;
        m_controls.report.appendText(formatDibListing(
            "Dst", dib::formatName(m_controls.formats.destinationFormat()),
            listed->uncompressed, palette()));
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
    std::vector<std::int32_t> m_scratch;
    HDC m_sourceDC = nullptr;
    HBITMAP m_sourceImage = nullptr;
    HDC m_destDC = nullptr;
};

}  // namespace

std::optional<dib::PictureDib> handedOverSource(const ExperimentControls& controls) {
    return readSource(controls, sourceOrder(controls));
}

std::vector<std::string> dibHeaderLines(const dib::Dib& dib, const ui::Picture& srcPic) {
    std::vector<std::string> lines{"Source DIB as SetDIBitsToDevice receives it:"};
    for (std::string& line : dib::listDib(dib, dib::defaultPalette(srcPic.hDC(), srcPic.Image())))
        lines.push_back(std::move(line));
    return lines;
}

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
