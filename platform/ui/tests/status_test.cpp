#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ui/frame.h"

namespace {

TEST(StatusParts, KeepTheirOrderAndReportEachChangeOnce) {
    ui::Frame frame;
    for (const char* part : {"document", "account"}) frame.addStatusPart(part);
    std::vector<std::string> changed;
    frame.onStatusChanged = [&changed](const ui::StatusPart& part) {
        changed.push_back(part.name + ": " + part.text);
    };
    frame.setStatus("account", "Ret = 8");
    frame.setStatus("account", "Ret = 8");
    frame.setStatus("document", "band.dls", "/tmp/band.dls");
    EXPECT_EQ(changed, (std::vector<std::string>{"account: Ret = 8", "document: band.dls"}));
    EXPECT_EQ(frame.statusParts().front().name, "document");
    EXPECT_EQ(frame.status("document").detail, "/tmp/band.dls");
    EXPECT_THROW(frame.setStatus("legend", "x"), std::invalid_argument);
}

}  // namespace
