#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/frm_bench.h"
#include "recording_messages.h"

// The real form after start-up, with a message box that records instead of waiting.
class FormTest : public ::testing::Test {
protected:
    FormTest() {
        form.setMessageBox(&messages);
        form.load();
        for (ui::Picture* picture :
             {&form.srcPic, &form.srcBigPic, &form.destPic, &form.destBigPic}) {
            picture->onRefresh = [this, picture] { refreshed.push_back(picture); };
        }
    }

    RecordingMessages messages;
    app::frmBench form;
    std::vector<const ui::Picture*> refreshed;
};
