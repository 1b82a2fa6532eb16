#include "wav_export.h"

#include "app_tables.h"

#include <memory>

namespace vexa {

namespace {

struct ModDeleter {
    void operator()(vxa_mod *mod) const { vxa_mod_destroy(mod); }
};

} // namespace

WavExport::WavExport(std::vector<uint8_t> module, std::filesystem::path target,
                     SongRenderOptions options, Finished finished)
    : thread_(&WavExport::run, this, std::move(module), std::move(target), std::move(options),
              std::move(finished))
{
}

WavExport::~WavExport()
{
    cancel();
    thread_.join();
}

void WavExport::run(std::vector<uint8_t> module, std::filesystem::path target,
                    SongRenderOptions options, Finished finished)
{
    std::unique_ptr<vxa_mod, ModDeleter> mod(vxa_mod_create(kOutputRate));
    Outcome outcome = Outcome::failed;
    vxa_write_status status = VXA_WRITE_FAILED;
    if (mod && vxa_mod_load_image(mod.get(), module.data(), module.size()) == 0) {
        module = {}; // the context holds its own copy now
        const RenderResult result =
            renderToWav(mod.get(), target.string(), options, [this](const RenderProgress &done) {
                progress_.store(done.fraction, std::memory_order_relaxed);
                return !cancelled_.load(std::memory_order_relaxed);
            });
        status = result.status;
        outcome = result.stopped           ? Outcome::cancelled
                  : status == VXA_WRITE_OK ? Outcome::written
                                           : Outcome::failed;
    }
    if (outcome == Outcome::written)
        progress_.store(1, std::memory_order_relaxed);
    finished(outcome, status);
    done_.store(true, std::memory_order_release);
}

} // namespace vexa
