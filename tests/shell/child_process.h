// A program run beside a test (a sound server, a recorder), ended when the object goes.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <sys/types.h>

namespace vxtest {

class ChildProcess {
public:
    // Starts `argv` (looked up on PATH) with the test's environment plus `environment`,
    // its output and errors going to `log`. Throws std::runtime_error when it cannot.
    ChildProcess(const std::vector<std::string> &argv,
                 const std::map<std::string, std::string> &environment,
                 const std::filesystem::path &log);
    ~ChildProcess() { terminate(); }
    ChildProcess(const ChildProcess &) = delete;
    ChildProcess &operator=(const ChildProcess &) = delete;

    // Whether it is still running.
    bool running();
    // Asks it to end (SIGINT, then SIGKILL after a grace period) and waits for it.
    void terminate();

private:
    pid_t pid_ = -1;
};

// Runs `argv` to its end; returns whether it exited with status 0.
bool runQuietly(const std::vector<std::string> &argv);

} // namespace vxtest
