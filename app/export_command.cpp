// Exporting the song to a WAV file. The module's file bytes are copied under the engine
// lock, in memory only; the render reads them into a context of its own, on a thread of
// its own, so neither the disk nor the render ever holds up the audio thread.
#include "player_engine.h"
#include "vexa_io_error.h"

namespace vexa {

namespace {

constexpr const char *kExportTitle = "EXPORT WAV";
constexpr const char *kExportFailedText = "Could not export WAV.";

} // namespace

std::unique_ptr<WavExport> PlayerEngine::exportWav(const std::filesystem::path &file)
{
    std::vector<uint8_t> image;
    command(
        [&](vxa_mod *mod) {
            image.resize(vxa_mod_module_image(mod, nullptr, 0));
            vxa_mod_module_image(mod, image.data(), image.size());
            return true;
        },
        {.needsModule = true, .startTimer = false, .afterUnlock = [] {
             return false;
         }}); // nothing changed: nothing to publish
    if (image.empty()) {
        postNotice(kExportTitle, kNoModuleText);
        return nullptr;
    }
    // The export ends on its own thread, which must not keep the controller alive: it
    // posts to the main queue, where the controller may be gone by then.
    auto finished = [queue = services_.mainQueue, weak = weak_from_this(),
                     file](WavExport::Outcome outcome, vxa_write_status status) {
        if (outcome == WavExport::Outcome::cancelled)
            return;
        const std::string message =
            outcome == WavExport::Outcome::written
                ? "Saved:\n" + file.string()
                : writeFailure(kExportFailedText, status).errorDescription();
        queue->post([weak, message] {
            if (const auto self = weak.lock())
                self->postNotice(kExportTitle, message);
        });
    };
    SongRenderOptions song;
    song.replayMode = replayMode.get();
    return std::make_unique<WavExport>(std::move(image), file, song, std::move(finished));
}

} // namespace vexa
