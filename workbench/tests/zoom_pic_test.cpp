#include "workbench/zoom_pic.h"

#include <gtest/gtest.h>

#include "picture_pixels.h"
#include "recording_messages.h"
#include "ui/window.h"
#include "workbench/enlarge.h"

namespace {

class ZoomPicTest : public ::testing::Test {
protected:
    ZoomPicTest() {
        window.setMessageBox(&messages);
        big.onRefresh = [this] { ++bigRefreshes; };
        small.onRefresh = [this] { ++smallRefreshes; };
    }

    RecordingMessages messages;
    ui::Window window{"frmBench", 582, 487};
    ui::Picture small{"srcPic", 8, 8};
    ui::Picture big{"srcBigPic", 64, 64};
    int bigRefreshes = 0;
    int smallRefreshes = 0;
};

TEST_F(ZoomPicTest, GetBitsReplacesTheArrayAndDrawsTheUprightEnlargement) {
    const auto source = distinctPixels();
    drawBottomUp(small, source);
    std::vector<std::int32_t> bits(16384, 0x0BADF00D);

    workbench::ZoomPicGetBits(small, big, bits, window);

    EXPECT_EQ(bits, workbench::enlargePixels(source, {8, 8}, {64, 64}));
    const auto shown = bottomUpPixels(big);
    ASSERT_EQ(shown.size(), 4096u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        ASSERT_EQ(shown[i], static_cast<std::uint32_t>(bits[i])) << "big index " << i;
    }
    EXPECT_EQ(bigRefreshes, 1);
    EXPECT_EQ(smallRefreshes, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ZoomPicTest, SmallPictureIsOnlyRead) {
    const auto source = distinctPixels();
    drawBottomUp(small, source);
    workbench::ZoomPic(small, big, window);
    const auto after = bottomUpPixels(small);
    for (std::size_t i = 0; i < source.size(); ++i) {
        EXPECT_EQ(after[i], static_cast<std::uint32_t>(source[i]));
    }
}

TEST_F(ZoomPicTest, RedrawFollowsEveryChangeOfTheSmallImage) {
    auto source = distinctPixels();
    drawBottomUp(small, source);
    workbench::ZoomPic(small, big, window);
    source[0] = 0x00FF0000;
    drawBottomUp(small, source);
    workbench::ZoomPic(small, big, window);
    const auto shown = bottomUpPixels(big);
    EXPECT_EQ(shown[0], 0xFFFF0000u);
    EXPECT_EQ(shown[7 * 64 + 7], 0xFFFF0000u);
    EXPECT_EQ(shown[8], 0xFF000000u | static_cast<std::uint32_t>(source[1]));
    EXPECT_EQ(bigRefreshes, 2);
}

TEST_F(ZoomPicTest, ZeroSizedPictureZoomsThroughAMonochromeSectionAndRefreshes) {
    drawBottomUp(small, distinctPixels());
    // A zero-sized picture keeps the one-pixel monochrome stock bitmap; a 1-bpp DIB section
    // describes it as on Windows, so no failure is reported.
    big.setSize(0, 0);
    std::vector<std::int32_t> bits(5, 1);

    workbench::ZoomPicGetBits(small, big, bits, window);

    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(bigRefreshes, 1);
    EXPECT_TRUE(bits.empty());
}

}  // namespace
