#include "monitor_recording.h"

#include "temp_dir.h"

#include <chrono>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace vxtest {

namespace {

constexpr auto kStartTimeout = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(10);

} // namespace

MonitorRecording::MonitorRecording(const PulseServer &server)
    : file_(server.folder() / "monitor.raw")
{
    recorder_ = std::make_unique<ChildProcess>(
        std::vector<std::string>{"parec", "-d", server.monitor(), "--raw", "--format=float32le",
                                 "--channels=2", "--rate=44100", "--latency-msec=20",
                                 file_.string()},
        std::map<std::string, std::string>{}, server.folder() / "parec.log");
    // The monitor delivers silence while nothing plays, so data means it records.
    const auto deadline = std::chrono::steady_clock::now() + kStartTimeout;
    while (!std::filesystem::exists(file_) || std::filesystem::file_size(file_) == 0) {
        if (!recorder_->running() || std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("parec did not start recording");
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::vector<float> MonitorRecording::stop()
{
    recorder_->terminate();
    const std::vector<uint8_t> bytes = readFile(file_.string());
    std::vector<float> frames(bytes.size() / sizeof(float));
    std::memcpy(frames.data(), bytes.data(), frames.size() * sizeof(float));
    return frames;
}

} // namespace vxtest
