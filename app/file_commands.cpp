// Loading and saving modules and samples, versioned saves, and the demo module.
//
// The audio thread renders under the engine lock, so no file is read or written while
// the lock is held: a file is read and parsed into a scratch engine context first (a
// damaged file is refused there and never touches the module being edited), and only
// the move into the controller's context happens under the lock; a save copies the
// file's bytes under the lock and writes them after releasing it. Versioned saves take
// their name exclusively, so two saves racing into one folder never overwrite each other.
#include "player_engine.h"
#include "versioned_names.h"
#include "vexa_io_error.h"

#include <memory>

namespace vexa {

namespace {

constexpr const char *kDemoName = "SPACE_DEBRIS";
constexpr const char *kVersionedFolder = "Vexatron";
constexpr const char *kModuleFallbackTitle = "MODULE";
constexpr const char *kSampleFallbackStem = "SAMPLE";
constexpr const char *kSavedPrefix = "Saved:\n";
constexpr const char *kModuleExtension = "mod";
constexpr const char *kSampleExtension = "smp";
constexpr int32_t kScratchSlot = 1; // where a sample file is read before it is moved

struct ModDeleter {
    void operator()(vxa_mod *mod) const { vxa_mod_destroy(mod); }
};
using ScratchMod = std::unique_ptr<vxa_mod, ModDeleter>;

// Writes `bytes` to `file`; false when an exclusive write found the name taken, a
// VexaIOError with the reason for any other failure.
bool writeFile(const std::filesystem::path &file, const std::vector<uint8_t> &bytes,
               vxa_write_mode mode, const char *failedText)
{
    const vxa_write_status status =
        vxa_mod_write_file(file.string().c_str(), bytes.data(), bytes.size(), mode);
    if (status == VXA_WRITE_EXISTS && mode == VXA_WRITE_EXCLUSIVE)
        return false;
    if (status != VXA_WRITE_OK)
        throw writeFailure(failedText, status);
    return true;
}

// Saves under the first free versioned name from `first` on: `write` is tried with each
// name in turn while it reports the name taken (another save took it meanwhile).
template <typename Write>
std::filesystem::path saveVersioned(const std::filesystem::path &directory, const std::string &stem,
                                    const char *extension, Write write)
{
    auto [file, version] = nextVersionedURL(directory, stem, extension);
    while (!write(file, version)) {
        if (++version >= kMaxVersion)
            throw VexaIOError(kNoFreeVersionText);
        file = versionedURL(directory, stem, extension, version);
    }
    return file;
}

} // namespace

bool PlayerEngine::ensureEngineContext()
{
    // Only this function assigns mod_, on the main thread, so the main thread reads it
    // without the lock; the audio thread sees the new context through the lock.
    if (mod_)
        return true;
    vxa_mod *created = vxa_mod_create(kOutputRate);
    if (!created)
        return false;
    vxa_mod_set_replay_mode(created, replayMode.get());
    std::lock_guard guard(lock_);
    mod_ = created;
    return true;
}

bool PlayerEngine::load(const std::filesystem::path &file)
{
    ScratchMod scratch(vxa_mod_create(kOutputRate));
    const int32_t rc = scratch ? vxa_mod_load(scratch.get(), file.string().c_str()) : -1;
    if (!scratch || !ensureEngineContext()) {
        setError("vxa_mod_create failed.");
        return false;
    }
    std::string engineTitle;
    const bool fromResources = services_.resources && services_.resources->contains(file);
    command(
        [&](vxa_mod *mod) {
            if (rc == 0)
                vxa_mod_move_module(mod, scratch.get());
            engineTitle = vxa_mod_title(mod);
            return true;
        },
        {.startTimer = false, .afterUnlock = [&] {
             // A refused file never reached the module being edited: only the error shows.
             if (rc != 0) {
                 onMain([rc](PlayerEngine &self) {
                     self.errorMessage.set("Failed to load module (" + std::to_string(rc) + ").");
                 });
                 return true;
             }
             // Taking back an edit of the module that went would change the new one.
             forgetEdits();
             onMain([file, fromResources, engineTitle](PlayerEngine &self) {
                 self.errorMessage.set(std::nullopt);
                 self.hasModule.set(true);
                 self.title.set(engineTitle.empty() ? file.stem().string() : engineTitle);
                 self.pathLabel.set(file.filename().string());
                 self.moduleURL.set(fromResources ? std::nullopt : std::optional(file));
                 self.isPlaying.set(false);
             });
             return true;
         }});
    return rc == 0;
}

void PlayerEngine::loadBundledDemoIfNeeded()
{
    if (hasModule.get() || !services_.resources)
        return;
    auto demo = services_.resources->find(kDemoName, "MOD");
    if (!demo)
        demo = services_.resources->find(kDemoName, "mod");
    if (demo)
        load(*demo);
}

void PlayerEngine::saveModule(const std::filesystem::path &file, std::optional<int> version,
                              std::optional<std::string> fallback)
{
    writeModule(file, version, fallback, VXA_WRITE_REPLACE);
}

bool PlayerEngine::writeModule(const std::filesystem::path &file, std::optional<int> version,
                               const std::optional<std::string> &fallback, vxa_write_mode mode)
{
    std::vector<uint8_t> bytes;
    std::string engineTitle;
    bool hadModule = false;
    const bool saved = command(
        [&](vxa_mod *mod) {
            hadModule = true;
            if (version && fallback) {
                pendingEdit_.note(EditKind::titleStamp, UndoSnapshot::title(mod, title.get()));
                vxa_mod_set_title(mod, stampVersion(title.get(), *version, *fallback).c_str());
            }
            bytes.resize(vxa_mod_module_image(mod, nullptr, 0));
            vxa_mod_module_image(mod, bytes.data(), bytes.size());
            engineTitle = vxa_mod_title(mod);
            return true;
        },
        {.needsModule = true, .startTimer = false, .afterUnlock = [&] {
             if (bytes.empty())
                 throw VexaIOError(kSaveModuleFailedText);
             if (!writeFile(file, bytes, mode, kSaveModuleFailedText))
                 return false;
             onMain([file, engineTitle](PlayerEngine &self) {
                 self.moduleURL.set(file);
                 self.pathLabel.set(file.filename().string());
                 if (!engineTitle.empty())
                     self.title.set(engineTitle);
             });
             return true;
         }});
    if (!hadModule)
        throw VexaIOError(kNoModuleText);
    return saved;
}

void PlayerEngine::saveModuleVersioned()
{
    const char *noticeTitle = "SAVE";
    if (!hasModule.get()) {
        postNotice(noticeTitle, kNoModuleText);
        return;
    }
    // One save is one step, however many names it tries: its stamps merge, but not with
    // an earlier save's.
    history_.interrupt();
    try {
        const auto stem = sanitizedStem(title.get().empty() ? kModuleFallbackTitle : title.get());
        const auto file = saveVersioned(
            writableSaveDirectory(), stem, kModuleExtension,
            [this](const std::filesystem::path &candidate, int version) {
                return writeModule(candidate, version, kModuleFallbackTitle, VXA_WRITE_EXCLUSIVE);
            });
        postNotice(noticeTitle, kSavedPrefix + file.string());
    } catch (const VexaIOError &error) {
        postNotice(noticeTitle, error.errorDescription());
    }
}

void PlayerEngine::saveModuleAs(const std::filesystem::path &file)
{
    const char *noticeTitle = "SAVE AS";
    if (!hasModule.get()) {
        postNotice(noticeTitle, kNoModuleText);
        return;
    }
    try {
        saveModule(file, std::nullopt, std::nullopt);
        postNotice(noticeTitle, kSavedPrefix + file.string());
    } catch (const VexaIOError &error) {
        postNotice(noticeTitle, error.errorDescription());
    }
}

void PlayerEngine::loadSample(const std::filesystem::path &file)
{
    const char *noticeTitle = "LOAD SAMPLE";
    ScratchMod scratch(vxa_mod_create(kOutputRate));
    vxa_sample_status status =
        scratch ? vxa_mod_load_sample_file(scratch.get(), kScratchSlot, file.string().c_str())
                : VXA_SAMPLE_NOT_READ;
    const bool loaded = command(
        [&](vxa_mod *mod) {
            if (status != VXA_SAMPLE_LOADED)
                return true;
            const auto slot = static_cast<int32_t>(currentSampleSlot_);
            pendingEdit_.note(EditKind::loadSample,
                              UndoSnapshot::slot(mod, static_cast<uint32_t>(slot), true));
            if (vxa_mod_move_sample(mod, slot, scratch.get(), kScratchSlot) != 0)
                status = VXA_SAMPLE_NOT_READ;
            return true;
        },
        {.needsModule = true, .startTimer = false, .afterUnlock = [&] {
             if (status != VXA_SAMPLE_LOADED)
                 postNotice(noticeTitle, sampleLoadFailure(status));
             else
                 onMain([](PlayerEngine &self) { self.errorMessage.set(std::nullopt); });
             return true;
         }});
    if (!loaded)
        postNotice(noticeTitle, kNoModuleText);
}

void PlayerEngine::saveSample(const std::filesystem::path &file)
{
    writeSample(file, VXA_WRITE_REPLACE);
}

bool PlayerEngine::writeSample(const std::filesystem::path &file, vxa_write_mode mode)
{
    std::vector<uint8_t> bytes;
    bool hadModule = false;
    bool written = false;
    command(
        [&](vxa_mod *mod) {
            hadModule = true;
            const auto slot = static_cast<uint32_t>(currentSampleSlot_);
            bytes.resize(vxa_mod_sample_image(mod, slot, nullptr, 0));
            vxa_mod_sample_image(mod, slot, bytes.data(), bytes.size());
            return true;
        },
        {.needsModule = true, .startTimer = false, .afterUnlock = [&] {
             if (bytes.empty())
                 throw VexaIOError(kSaveSampleFailedText);
             written = writeFile(file, bytes, mode, kSaveSampleFailedText);
             return false; // a saved sample changes nothing shown: nothing to publish
         }});
    if (!hadModule)
        throw VexaIOError(kNoModuleText);
    return written;
}

bool PlayerEngine::sampleSaveAllowed(const char *noticeTitle)
{
    if (!hasModule.get()) {
        postNotice(noticeTitle, kNoModuleText);
        return false;
    }
    if (sampleLength.get() <= 1) {
        postNotice(noticeTitle, "Sample is empty.");
        return false;
    }
    return true;
}

void PlayerEngine::saveSampleAs(const std::filesystem::path &file)
{
    const char *noticeTitle = "SAVE AS SAMPLE";
    if (!sampleSaveAllowed(noticeTitle))
        return;
    try {
        saveSample(file);
        postNotice(noticeTitle, kSavedPrefix + file.string());
    } catch (const VexaIOError &error) {
        postNotice(noticeTitle, error.errorDescription());
    }
}

void PlayerEngine::saveSampleVersioned()
{
    const char *noticeTitle = "SAVE SAMPLE";
    if (!sampleSaveAllowed(noticeTitle))
        return;
    try {
        const auto stem =
            sanitizedStem(sampleName.get().empty() ? kSampleFallbackStem : sampleName.get());
        const auto file = saveVersioned(writableSaveDirectory(), stem, kSampleExtension,
                                        [this](const std::filesystem::path &candidate, int) {
                                            return writeSample(candidate, VXA_WRITE_EXCLUSIVE);
                                        });
        postNotice(noticeTitle, kSavedPrefix + file.string());
    } catch (const VexaIOError &error) {
        postNotice(noticeTitle, error.errorDescription());
    }
}

std::filesystem::path PlayerEngine::writableSaveDirectory() const
{
    const auto &file = moduleURL.get();
    if (file && !(services_.resources && services_.resources->contains(*file)))
        return file->parent_path();
    const auto documents = services_.folders->documents();
    const auto folder = documents.value_or(services_.folders->temporary()) / kVersionedFolder;
    std::error_code ignored; // a folder that cannot be made fails the save later
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace vexa
