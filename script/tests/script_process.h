#pragma once

#include <string>

// Runs the built diblab-script on the script and returns what it wrote to standard output.
std::string runScript(const std::string& script);
