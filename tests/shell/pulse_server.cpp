#include "pulse_server.h"

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

namespace vxtest {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(10);
constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr const char *kAddressVariable = "PULSE_SERVER";

} // namespace

PulseServer::PulseServer() : address_("unix:" + (runtime_.path() / "native").string())
{
    const std::string folder = runtime_.path().string();
    // As root the server must be told it is a per-user one, and never to exit by
    // itself; its configuration and cookie stay in the temporary folder.
    const std::vector<std::string> argv = {
        "pulseaudio",
        "-n",
        "--daemonize=no",
        "--system=false",
        "--exit-idle-time=-1",
        "--disallow-exit",
        "--use-pid-file=no",
        "--disable-shm=true",
        std::string("--load=module-null-sink sink_name=") + kSink +
            " rate=44100 format=float32le channels=2",
        "--load=module-native-protocol-unix auth-anonymous=1 socket=" + folder + "/native",
    };
    try {
        server_ = std::make_unique<ChildProcess>(
            argv, std::map<std::string, std::string>{{"XDG_RUNTIME_DIR", folder}, {"HOME", folder}},
            runtime_.path() / "server.log");
    } catch (const std::runtime_error &error) {
        failure_ = error.what();
        return;
    }
    pointedHere_ = std::make_unique<ScopedEnvironment>(
        std::map<std::string, std::string>{{kAddressVariable, address_}});

    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!answers()) {
        if (!server_->running() || std::chrono::steady_clock::now() > deadline) {
            failure_ = "the PulseAudio server did not start: " + logTail();
            return;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    if (!runQuietly({"pactl", "set-default-sink", kSink}))
        failure_ = "the null sink could not be made the default sink";
}

bool PulseServer::answers() const
{
    return runQuietly({"pactl", "info"});
}

std::string PulseServer::logTail() const
{
    std::ifstream log(runtime_.path() / "server.log");
    std::stringstream text;
    text << log.rdbuf();
    const std::string all = text.str();
    constexpr size_t kTail = 400;
    return all.size() > kTail ? all.substr(all.size() - kTail) : all;
}

} // namespace vxtest
