// Loading and saving modules and samples, versioned saves, and the demo module.
//
// A module load is tried first in a scratch engine context: a damaged file is refused
// there and never touches the module the user is editing.
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

struct ModDeleter {
    void operator()(vxa_mod *mod) const { vxa_mod_destroy(mod); }
};

bool loadsCleanly(const std::filesystem::path &file)
{
    std::unique_ptr<vxa_mod, ModDeleter> trial(vxa_mod_create(kOutputRate));
    return trial && vxa_mod_load(trial.get(), file.string().c_str()) == 0;
}

} // namespace

void PlayerEngine::load(const std::filesystem::path &file)
{
    const bool loadable = loadsCleanly(file);
    std::string engineTitle;
    int32_t rc = -1;
    {
        std::lock_guard guard(lock_);
        if (!mod_)
            mod_ = vxa_mod_create(kOutputRate);
        if (!mod_) {
            setError("vxa_mod_create failed.");
            return;
        }
        if (loadable)
            rc = vxa_mod_load(mod_, file.string().c_str());
        engineTitle = vxa_mod_title(mod_);
        refreshStatusUnlocked();
    }
    if (rc != 0) {
        // A file refused by the trial load leaves the module being edited as it was.
        // Only a load that failed in the controller's own context has lost it.
        const bool moduleLost = loadable;
        onMain([rc, moduleLost, file](PlayerEngine &self) {
            if (moduleLost) {
                self.hasModule.set(false);
                self.title.set("");
                self.pathLabel.set(file.filename().string());
            }
            self.errorMessage.set("Failed to load module (" + std::to_string(rc) + ").");
            self.publishStatus();
        });
        return;
    }
    const bool fromResources = services_.resources && services_.resources->contains(file);
    onMain([file, fromResources, engineTitle](PlayerEngine &self) {
        self.errorMessage.set(std::nullopt);
        self.hasModule.set(true);
        self.title.set(engineTitle.empty() ? file.stem().string() : engineTitle);
        self.pathLabel.set(file.filename().string());
        self.moduleURL_ = fromResources ? std::nullopt : std::optional(file);
        self.isPlaying.set(false);
        self.publishStatus();
    });
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
    std::string engineTitle;
    {
        std::lock_guard guard(lock_);
        if (!mod_)
            throw VexaIOError(kNoModuleText);
        if (version && fallback)
            vxa_mod_set_title(mod_, stampVersion(title.get(), *version, *fallback).c_str());
        if (vxa_mod_save(mod_, file.string().c_str()) != 0)
            throw VexaIOError(kSaveModuleFailedText);
        engineTitle = vxa_mod_title(mod_);
        refreshStatusUnlocked();
    }
    onMain([file, engineTitle](PlayerEngine &self) {
        self.moduleURL_ = file;
        self.pathLabel.set(file.filename().string());
        if (!engineTitle.empty())
            self.title.set(engineTitle);
        self.publishStatus();
    });
}

void PlayerEngine::saveModuleVersioned()
{
    const char *noticeTitle = "SAVE";
    if (!hasModule.get()) {
        postNotice(noticeTitle, kNoModuleText);
        return;
    }
    try {
        const auto stem = sanitizedStem(title.get().empty() ? kModuleFallbackTitle : title.get());
        const auto [file, version] = nextVersionedURL(writableSaveDirectory(), stem, "mod");
        saveModule(file, version, kModuleFallbackTitle);
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
    int32_t rc = -1;
    {
        std::lock_guard guard(lock_);
        if (!mod_) {
            postNotice("LOAD SAMPLE", kNoModuleText);
            return;
        }
        rc = vxa_mod_load_sample(mod_, static_cast<int32_t>(currentSampleSlot_),
                                 file.string().c_str());
        refreshStatusUnlocked();
    }
    if (rc != 0) {
        postNotice("LOAD SAMPLE", "Failed to load sample.");
        onMain([](PlayerEngine &self) { self.publishStatus(); });
        return;
    }
    onMain([](PlayerEngine &self) {
        self.errorMessage.set(std::nullopt);
        self.publishStatus();
    });
}

void PlayerEngine::saveSample(const std::filesystem::path &file)
{
    std::lock_guard guard(lock_);
    if (!mod_)
        throw VexaIOError(kNoModuleText);
    if (vxa_mod_save_sample(mod_, static_cast<uint32_t>(currentSampleSlot_),
                            file.string().c_str()) != 0)
        throw VexaIOError(kSaveSampleFailedText);
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
        const auto [file, version] = nextVersionedURL(writableSaveDirectory(), stem, "smp");
        saveSample(file);
        postNotice(noticeTitle, kSavedPrefix + file.string());
    } catch (const VexaIOError &error) {
        postNotice(noticeTitle, error.errorDescription());
    }
}

std::filesystem::path PlayerEngine::writableSaveDirectory() const
{
    if (moduleURL_ && !(services_.resources && services_.resources->contains(*moduleURL_)))
        return moduleURL_->parent_path();
    const auto documents = services_.folders->documents();
    const auto folder = documents.value_or(services_.folders->temporary()) / kVersionedFolder;
    std::error_code ignored; // a folder that cannot be made fails the save later
    std::filesystem::create_directories(folder, ignored);
    return folder;
}

} // namespace vexa
