#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/frm_bench.h"
#include "script/script_runner.h"

namespace script {

// Experiments are saved as diblab-script files: run by diblab-script they print what the window
// shows, opened in the window they bring the form to the state it was saved in.

struct WrittenExperiment {
    std::string script;
    // Why no script could be written; empty when `script` reproduces the form.
    std::string problem;
};

// The script that takes a form at start-up to the state of `form`: the pictures, number fields,
// check boxes and report its last run started from, that run, whatever changed after it, and
// then commands that print the captions, both pictures, the report and the run's account.
// Before handing it out the script is replayed in a fresh form, which must end up looking
// exactly like `form`.
WrittenExperiment writeExperiment(app::frmBench& form);

struct LoadedExperiment {
    // The form after the whole script ran; none when a line could not be run.
    std::unique_ptr<app::frmBench> form;
    std::optional<ScriptError> error;
    // The message boxes the form showed while the script ran, in order.
    std::vector<std::string> messages;
};

// Runs a script in a fresh form at start-up, discarding what it prints. The form comes back
// without a message box installed.
LoadedExperiment loadExperiment(std::istream& script);

}  // namespace script
