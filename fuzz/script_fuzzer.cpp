// Runs arbitrary scripts against the headless form: any command, control name and text. A script
// may stop with an error line but must never crash, the pictures keep their size, and the form
// saved as an experiment opens to the same state.

#include "script/experiment_file.h"
#include "script/form_state.h"
#include "script/script_runner.h"

#include "ui/picture.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

void checkPicture(const ui::Picture& picture, int size) {
    check(picture.Width == size && picture.Height == size, "a picture keeps its size");
    check(ui::imagePixels(picture).size() == std::size_t(size * size), "a picture keeps its image");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::ostringstream out;
    script::PrintingMessageBox messages(out);
    app::frmBench form;
    form.setMessageBox(&messages);
    form.load();
    std::istringstream script(std::string(reinterpret_cast<const char*>(data), size));
    const auto error = script::ScriptRunner(form, out).run(script);
    if (error) {
        check(error->line >= 1 && !error->reason.empty(), "an error names its line and reason");
    }
    checkPicture(form.srcPic, 8);
    checkPicture(form.destPic, 8);
    checkPicture(form.srcBigPic, 64);
    checkPicture(form.destBigPic, 64);
    // A magnified view drawn by setpixel alone cannot be saved; the writer says so.
    const script::WrittenExperiment written = script::writeExperiment(form);
    if (written.problem.empty()) {
        std::istringstream saved(written.script);
        const script::LoadedExperiment loaded = script::loadExperiment(saved);
        check(loaded.form != nullptr, "a saved experiment opens");
        check(script::captureState(*loaded.form) == script::captureState(form), "it opens to the saved state");
    }
    return 0;
}
