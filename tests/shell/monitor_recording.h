// A recording of what the private sound server's null sink plays, taken from its
// monitor with parec as interleaved stereo 32-bit float frames at 44,100 Hz.
#pragma once

#include "child_process.h"
#include "pulse_server.h"

#include <memory>
#include <vector>

namespace vxtest {

class MonitorRecording {
public:
    // Starts recording and waits until the first frames arrive; throws
    // std::runtime_error when they do not.
    explicit MonitorRecording(const PulseServer &server);

    // Ends the recording and returns its frames, interleaved left and right.
    std::vector<float> stop();

private:
    std::filesystem::path file_;
    std::unique_ptr<ChildProcess> recorder_;
};

} // namespace vxtest
