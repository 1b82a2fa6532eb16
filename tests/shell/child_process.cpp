#include "child_process.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace vxtest {

namespace {

constexpr auto kGracePeriod = std::chrono::seconds(3);
constexpr auto kPollInterval = std::chrono::milliseconds(10);

std::vector<char *> pointers(std::vector<std::string> &strings)
{
    std::vector<char *> result;
    for (std::string &s : strings)
        result.push_back(s.data());
    result.push_back(nullptr);
    return result;
}

std::vector<std::string> mergedEnvironment(const std::map<std::string, std::string> &overrides)
{
    std::vector<std::string> result;
    for (char **entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!overrides.contains(text.substr(0, text.find('='))))
            result.push_back(text);
    }
    for (const auto &[name, value] : overrides)
        result.push_back(name + "=" + value);
    return result;
}

pid_t spawn(std::vector<std::string> argv, std::vector<std::string> environment, const char *log)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log, O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argv[0].c_str(), &actions, nullptr, pointers(argv).data(),
                                   pointers(environment).data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot run " + argv[0] + ": " + std::strerror(error));
    return pid;
}

} // namespace

ChildProcess::ChildProcess(const std::vector<std::string> &argv,
                           const std::map<std::string, std::string> &environment,
                           const std::filesystem::path &log)
    : pid_(spawn(argv, mergedEnvironment(environment), log.c_str()))
{
}

bool ChildProcess::running()
{
    if (pid_ < 0)
        return false;
    if (waitpid(pid_, nullptr, WNOHANG) == 0)
        return true;
    pid_ = -1;
    return false;
}

void ChildProcess::terminate()
{
    if (!running())
        return;
    kill(pid_, SIGINT);
    const auto deadline = std::chrono::steady_clock::now() + kGracePeriod;
    while (running() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(kPollInterval);
    if (running()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

bool runQuietly(const std::vector<std::string> &argv)
{
    int status = 0;
    try {
        const pid_t pid = spawn(argv, mergedEnvironment({}), "/dev/null");
        waitpid(pid, &status, 0);
    } catch (const std::runtime_error &) {
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace vxtest
