// A private sound server for the real-audio tests: PulseAudio with one null sink (the
// default sink) whose monitor can be recorded, reachable only through its own socket in
// a temporary folder. The test process is pointed at it through PULSE_SERVER.
#pragma once

#include "child_process.h"
#include "scoped_environment.h"
#include "temp_dir.h"

#include <memory>
#include <optional>
#include <string>

namespace vxtest {

class PulseServer {
public:
    static constexpr const char *kSink = "vxa_null";

    // Starts the server and waits until it answers; see `failure` when it did not.
    PulseServer();
    PulseServer(const PulseServer &) = delete;
    PulseServer &operator=(const PulseServer &) = delete;

    // Why the server is not usable, when it is not.
    const std::optional<std::string> &failure() const { return failure_; }
    std::string monitor() const { return std::string(kSink) + ".monitor"; }
    const std::filesystem::path &folder() const { return runtime_.path(); }

private:
    bool answers() const;
    std::string logTail() const;

    TempDir runtime_;
    std::string address_;
    std::unique_ptr<ChildProcess> server_; // declared after its folder, so it ends first
    std::optional<std::string> failure_;
    std::unique_ptr<ScopedEnvironment> pointedHere_;
};

} // namespace vxtest
