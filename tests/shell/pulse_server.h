// Helpers for the audio device tests: environment variables set for a scope, a program
// run beside the test, and a private PulseAudio server with one null sink (the default
// sink) whose monitor can be recorded, reachable only through its own socket.
#pragma once

#include "temp_dir.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <sys/types.h>

namespace vxtest {

// Sets environment variables for the life of the object, then puts back what was there.
class ScopedEnvironment {
public:
    explicit ScopedEnvironment(const std::map<std::string, std::string> &values);
    ~ScopedEnvironment();

private:
    std::map<std::string, std::optional<std::string>> previous_;
};

// `argv` run (looked up on PATH) with output and errors into `log`; ended when it goes.
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string> &argv, const std::string &log);
    ~ChildProcess() { terminate(); }
    pid_t pid() const { return pid_; } // -1 once it has ended
    bool running();
    void terminate(); // SIGINT, then SIGKILL after a grace period
    // The exit code once it has ended by itself, else none (still running, or signalled).
    const std::optional<int> &exitCode() const { return exitCode_; }

private:
    void reaped(int status);

    pid_t pid_ = -1;
    std::optional<int> exitCode_;
};

class PulseServer {
public:
    PulseServer(); // starts it and points PULSE_SERVER at it; see failure()
    const std::optional<std::string> &failure() const { return failure_; }

    // Ends the server, as a crash or a restart of the desktop's sound server does, and
    // starts it again on the same socket.
    void stop() { server_.reset(); }
    void start();
    // Runs `pactl` with `arguments` against the server; true when it succeeds.
    bool control(const std::string &arguments) const;

    // Records the null sink's monitor (interleaved stereo floats at 44,100 Hz) until
    // stopRecording(); throws std::runtime_error when no frames arrive.
    void startRecording();
    std::vector<float> stopRecording();

private:
    TempDir folder_;
    std::unique_ptr<ChildProcess> server_, recorder_; // after the folder: they end first
    std::optional<std::string> failure_;
    std::unique_ptr<ScopedEnvironment> pointedHere_;
};

} // namespace vxtest
