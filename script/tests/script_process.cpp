#include "script_process.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

std::string runScript(const std::string& script) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() /
        ("diblab-script-test-" + std::to_string(::getpid()) + ".txt");
    std::ofstream(file) << script;
    const std::string command = std::string(DIBLAB_SCRIPT_PATH) + " " + file.string();
    std::string output;
    {
        const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        std::array<char, 4096> buffer;
        while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) {
            output += buffer.data();
        }
    }
    std::filesystem::remove(file);
    return output;
}
