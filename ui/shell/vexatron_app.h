// The application: the one controller (`player`) with its platform services (the RtAudio
// output, the Qt main queue and display timer, the resource and documents folders) and
// the one window. The controller lives from the application's creation to its end; the
// window goes first, so the controller's teardown (display timer, audio output, engine)
// is the last thing that happens.
//
// Main thread only; a QApplication must exist for the whole life of this object.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>

namespace vexa {
class PlayerEngine;
class ResourceLocator;
} // namespace vexa
class RootView;
class VexatronWindow;

// Why the program cannot start, in the user's words.
class StartupError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

class VexatronApp {
public:
    VexatronApp(); // throws StartupError
    ~VexatronApp();
    VexatronApp(const VexatronApp &) = delete;
    VexatronApp &operator=(const VexatronApp &) = delete;

    // Shows the window; its first showing starts the controller and loads `startModule`,
    // or the demo module without one.
    void show(const std::optional<std::filesystem::path> &startModule = std::nullopt);

    const std::shared_ptr<vexa::PlayerEngine> player;

private:
    explicit VexatronApp(std::shared_ptr<vexa::ResourceLocator> resources);

    RootView *rootView_; // the window's content
    std::unique_ptr<VexatronWindow> window_;
};
