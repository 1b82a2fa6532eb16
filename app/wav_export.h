// One WAV export: a module rendered once to a WAV file (render/song_render.h) on a thread
// of its own, in an engine context of its own, from a copy of the module's file bytes.
// The song playing, its context and the audio thread are never touched, and the file
// appears only when complete.
//
// Threads: made and destroyed on one thread (the main thread); the render runs on the
// export's own thread; progress(), done() and cancel() may be called from any thread.
// `finished` runs once, on the export's thread, as the render ends.
#pragma once

#include "song_render.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

namespace vexa {

class WavExport {
public:
    enum class Outcome { written, failed, cancelled };
    // How the render ended; `status` says why a file could not be written.
    using Finished = std::function<void(Outcome outcome, vxa_write_status status)>;

    // Starts rendering the module whose file bytes are `module` to `target`.
    WavExport(std::vector<uint8_t> module, std::filesystem::path target, SongRenderOptions options,
              Finished finished);
    // Cancels a render still running and waits for its thread.
    ~WavExport();
    WavExport(const WavExport &) = delete;
    WavExport &operator=(const WavExport &) = delete;

    // The part of the song rendered, 0..1.
    double progress() const { return progress_.load(std::memory_order_relaxed); }
    // True once the render has ended, after `finished` ran.
    bool done() const { return done_.load(std::memory_order_acquire); }
    // Stops the render at its next piece; no file is written.
    void cancel() { cancelled_.store(true, std::memory_order_relaxed); }

private:
    void run(std::vector<uint8_t> module, std::filesystem::path target, SongRenderOptions options,
             Finished finished);

    std::atomic<double> progress_{0};
    std::atomic<bool> cancelled_{false};
    std::atomic<bool> done_{false};
    std::thread thread_; // last: it starts once everything above exists
};

} // namespace vexa
