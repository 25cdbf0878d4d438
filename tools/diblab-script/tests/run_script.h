#pragma once

#include <string>

struct ScriptRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the built diblab-script on `script`, given as a file or on standard input.
enum class ScriptInput { File, StandardInput };
ScriptRun runScript(const std::string& script, ScriptInput input = ScriptInput::File);

// Runs the built diblab-script with one command-line argument and no script.
ScriptRun runWithArgument(const std::string& argument);
