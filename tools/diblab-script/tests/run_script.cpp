#include "run_script.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

// A folder of this process's own for its scratch files, removed when the process ends: runs of
// other builds or other users, at the same time or earlier, never meet the same file.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = testing::TempDir() + "diblab_script_XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot make a scratch folder " + pattern);
        }
        m_path = pattern + "/";
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// A file name of its own for each test, so that tests can run in parallel.
std::string scratchPath(const std::string& name) {
    static const ScratchFolder folder;
    const auto* test = testing::UnitTest::GetInstance()->current_test_info();
    std::string path = std::string(test->test_suite_name()) + "_" + test->name() + "_" + name;
    for (char& c : path) {
        if (c == '/') c = '_';
    }
    return folder.path() + path;
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

ScriptRun runCommand(const std::string& arguments) {
    const std::string out = scratchPath("out.txt");
    const std::string err = scratchPath("err.txt");
    const std::string command = shellQuoted(DIBLAB_SCRIPT_EXECUTABLE) + " " + arguments + " >" +
                                shellQuoted(out) + " 2>" + shellQuoted(err);
    const int raw = std::system(command.c_str());
    ScriptRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

}  // namespace

ScriptRun runScript(const std::string& script, ScriptInput input) {
    const std::string path = scratchPath("script.txt");
    std::ofstream(path, std::ios::binary) << script;
    const std::string quoted = shellQuoted(path);
    return runCommand(input == ScriptInput::File ? quoted : "<" + quoted);
}

ScriptRun runWithArgument(const std::string& argument) {
    return runCommand(shellQuoted(argument) + " </dev/null");
}
