#include "pulse_server.h"

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

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(20);

// Polls `ready` until it holds or `limit` passes; false when `alive` fails first.
template <class Ready, class Alive> bool await(Ready ready, Alive alive, Clock::duration limit)
{
    const auto deadline = Clock::now() + limit;
    while (!ready()) {
        if (!alive() || Clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

} // namespace

ScopedEnvironment::ScopedEnvironment(const std::map<std::string, std::string> &values)
{
    for (const auto &[name, value] : values) {
        const char *old = std::getenv(name.c_str());
        previous_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        setenv(name.c_str(), value.c_str(), 1);
    }
}

ScopedEnvironment::~ScopedEnvironment()
{
    for (const auto &[name, value] : previous_)
        value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
}

ChildProcess::ChildProcess(const std::vector<std::string> &argv, const std::string &log)
{
    std::vector<char *> args;
    for (const std::string &arg : argv)
        args.push_back(const_cast<char *>(arg.c_str()));
    args.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    const int error = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("cannot run " + argv[0] + ": " + std::strerror(error));
}

bool ChildProcess::running()
{
    int status = 0;
    const pid_t result = pid_ > 0 ? waitpid(pid_, &status, WNOHANG) : 0;
    if (result == pid_)
        reaped(status);
    else if (result < 0)
        pid_ = -1; // reaped elsewhere: gone, its exit code unknown
    return pid_ > 0;
}

void ChildProcess::reaped(int status)
{
    pid_ = -1;
    if (WIFEXITED(status))
        exitCode_ = WEXITSTATUS(status);
}

void ChildProcess::terminate()
{
    if (!running())
        return;
    kill(pid_, SIGINT);
    if (await([this] { return !running(); }, [] { return true; }, std::chrono::seconds(3)))
        return;
    kill(pid_, SIGKILL);
    int status = 0;
    waitpid(pid_, &status, 0);
    reaped(status);
}

PulseServer::PulseServer()
{
    pointedHere_ = std::make_unique<ScopedEnvironment>(
        std::map<std::string, std::string>{{"PULSE_SERVER", "unix:" + folder_.file("native")}});
    start();
}

void PulseServer::start()
{
    // As root the server must be told it is a per-user one and never to exit by itself;
    // its configuration and cookie stay in the temporary folder.
    const std::string dir = folder_.path().string();
    try {
        server_ = std::make_unique<ChildProcess>(
            std::vector<std::string>{
                "env", "XDG_RUNTIME_DIR=" + dir, "HOME=" + dir, "pulseaudio", "-n",
                "--daemonize=no", "--system=false", "--exit-idle-time=-1", "--disallow-exit",
                "--use-pid-file=no", "--disable-shm=true",
                "--load=module-null-sink sink_name=vxa_null rate=44100 format=float32le "
                "channels=2",
                "--load=module-native-protocol-unix auth-anonymous=1 socket=" + dir + "/native"},
            dir + "/server.log");
    } catch (const std::runtime_error &error) {
        failure_ = error.what();
        return;
    }
    if (!await([this] { return control("info"); }, [this] { return server_->running(); },
               std::chrono::seconds(10))) {
        const std::vector<uint8_t> log = readFile(folder_.file("server.log"));
        failure_ = "the PulseAudio server did not start: " +
                   std::string(log.end() - std::min<size_t>(log.size(), 400), log.end());
    } else if (!control("set-default-sink vxa_null"))
        failure_ = "the null sink could not be made the default sink";
}

bool PulseServer::control(const std::string &arguments) const
{
    return std::system(("pactl " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

void PulseServer::startRecording()
{
    const auto file = folder_.path() / "monitor.raw";
    recorder_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"parec", "-d", "vxa_null.monitor", "--raw", "--format=float32le",
                                 "--channels=2", "--rate=44100", "--latency-msec=20",
                                 file.string()},
        folder_.file("parec.log"));
    // The monitor delivers silence while nothing plays, so data means it records.
    if (!await([&] { return std::filesystem::exists(file) && std::filesystem::file_size(file); },
               [this] { return recorder_->running(); }, std::chrono::seconds(5)))
        throw std::runtime_error("parec did not start recording");
}

std::vector<float> PulseServer::stopRecording()
{
    recorder_->terminate();
    const std::vector<uint8_t> bytes = readFile(folder_.file("monitor.raw"));
    std::filesystem::remove(folder_.file("monitor.raw")); // the next recording starts afresh
    std::vector<float> frames(bytes.size() / sizeof(float));
    std::memcpy(frames.data(), bytes.data(), frames.size() * sizeof(float));
    return frames;
}

} // namespace vxtest
