#include "child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <iostream>

extern char** environ;

namespace difftest {

namespace {

pid_t start(const ChildRun& run) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, run.input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, run.output.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    std::vector<char*> argv;
    for (const std::string& word : run.command) {
        argv.push_back(const_cast<char*>(word.c_str()));
    }
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        std::cerr << "cannot start " << run.command.front() << ": " << std::strerror(error) << '\n';
        return -1;
    }
    return pid;
}

int waitFor(pid_t pid, const std::string& name) {
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid) {
        return -1;
    }
    if (WIFSIGNALED(status)) {
        std::cerr << name << " was ended by signal " << WTERMSIG(status) << '\n';
        return -1;
    }
    return WEXITSTATUS(status);
}

}  // namespace

std::vector<int> runAll(const std::vector<ChildRun>& runs) {
    std::vector<pid_t> pids;
    for (const ChildRun& run : runs) {
        pids.push_back(start(run));
    }
    std::vector<int> statuses;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        statuses.push_back(waitFor(pids[i], runs[i].command.back()));
    }
    return statuses;
}

}  // namespace difftest
