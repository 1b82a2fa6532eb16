// The controller between the module engine and the screen. It owns the engine
// context and the one lock that guards it, feeds the audio device from its render
// callback, runs the 1/30 s display timer, and publishes everything the screen shows.
//
// Threads: the render callback runs on the audio device's thread and only takes the
// lock around one engine render. Everything else runs on the main thread. Published
// properties are assigned on the main thread only, never while the lock is held.
#pragma once

#include "pattern_row_display.h"
#include "platform/platform_services.h"
#include "published.h"
#include "screen_modes.h"
#include "status_lines.h"
#include "vexa_notice.h"
#include "vxa_mod.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

inline constexpr int kScopeBytes = 128;
inline constexpr int kSpectrumBins = 24;
inline constexpr int kSampleWaveBytes = 256;
inline constexpr int32_t kOutputRate = 44100; // Hz, for the device and the engine
inline constexpr uint32_t kOutputChannels = 2;
inline constexpr int64_t kInitialScratchFrames = 4096;
inline constexpr uint8_t kZeroLine = 0x80; // unsigned 8-bit silence

using ScopeBuffer = std::array<uint8_t, kScopeBytes>;
using ScopeBuffers = std::array<ScopeBuffer, kChannelCount>;
using SpectrumBins = std::array<uint8_t, kSpectrumBins>;
using SampleWave = std::array<uint8_t, kSampleWaveBytes>;

// Scopes and waveform as flat lines on the zero line.
ScopeBuffers flatScopes();
SampleWave flatWave();

class PlayerEngine : public std::enable_shared_from_this<PlayerEngine> {
public:
    static std::shared_ptr<PlayerEngine> create(PlatformServices services);
    ~PlayerEngine();
    PlayerEngine(const PlayerEngine &) = delete;
    PlayerEngine &operator=(const PlayerEngine &) = delete;

    // Told of every assignment to any published property.
    ChangeNotifier changes;

    // Published state, in declaration order; ints are 64-bit.
    Published<std::string> title{changes, ""};
    Published<std::string> pathLabel{changes, "No file loaded"};
    Published<std::string> statusLine{changes, kIdleStatusLine};
    Published<std::string> orderLine{changes, kNoValueLine};
    Published<std::string> patternRowLine{changes, kNoValueLine};
    Published<std::string> tempoLine{changes, kNoValueLine};
    Published<std::string> timerLine{changes, kZeroTimerLine};
    Published<bool> isPlaying{changes, false};
    Published<bool> hasModule{changes, false};
    Published<std::optional<std::string>> errorMessage{changes, std::nullopt};
    Published<std::array<int64_t, kChannelCount>> chanMuzak{changes, {}};
    Published<std::vector<PatternRowDisplay>> patternRows{changes, PatternRowDisplay::blankWell(0)};
    Published<int64_t> currentPattern{changes, 0};
    Published<int64_t> currentRow{changes, 0};
    Published<int64_t> orderPos{changes, 0};
    Published<int64_t> orderLen{changes, 0};
    Published<int64_t> restartPos{changes, 0};
    Published<bool> playModeSong{changes, true};
    Published<bool> isRecording{changes, false};
    Published<std::array<bool, kChannelCount>> chanMute{changes, {}};
    Published<int64_t> currentSample{changes, 1};
    Published<int64_t> sampleVolume{changes, 64};
    Published<int64_t> sampleLength{changes, 0};
    Published<int64_t> sampleLoopStart{changes, 0};
    Published<int64_t> sampleLoopLength{changes, 2};
    Published<std::string> sampleName{changes, ""};
    Published<std::string> statusPhrase{changes, kAllRightPhrase};
    Published<bool> editMode{changes, false};
    Published<int64_t> editCh{changes, 0};
    Published<int64_t> cursorPos{changes, 0};
    Published<int64_t> octave{changes, 1};
    Published<VexaMidWellMode> midWellMode{changes, VexaMidWellMode::splash};
    Published<VexaMidWellOverlay> midWellOverlay{changes, VexaMidWellOverlay::none};
    Published<std::optional<VexaNotice>> notice{changes, std::nullopt};
    Published<std::optional<VexaConfirm>> confirm{changes, std::nullopt};
    Published<bool> filterOn{changes, false};
    Published<ScopeBuffers> scopeBuffers{changes, flatScopes()};
    Published<SpectrumBins> spectrumBins{changes, {}};
    Published<SampleWave> sampleWave{changes, flatWave()};
    Published<int64_t> smpEdMarkNext{changes, 0};

    // Audio output and the display timer.
    void ensureEngineRunning(); // throws AudioError
    void startDisplayTimer();
    void tickDisplay();
    void playMode(int32_t mode, bool record);
    void stop();

    // Files: modules, samples, versioned saves and the demo module.
    void load(const std::filesystem::path &file);
    void loadBundledDemoIfNeeded();
    void saveModule(const std::filesystem::path &file, std::optional<int> version,
                    std::optional<std::string> fallback); // throws VexaIOError
    void saveModuleVersioned();
    void saveModuleAs(const std::filesystem::path &file);
    void loadSample(const std::filesystem::path &file);
    void saveSample(const std::filesystem::path &file); // throws VexaIOError
    void saveSampleVersioned();
    void saveSampleAs(const std::filesystem::path &file);
    std::filesystem::path writableSaveDirectory() const;

    // Editing from the keyboard. True when the key was consumed.
    bool handleEditNavigationKey(uint16_t keyCode, const std::optional<std::string> &characters,
                                 bool shift, bool command);
    void toggleEditMode();
    void moveCursor(int64_t delta);
    void moveEditChannel(int64_t delta);
    void toggleMute(int64_t channel);
    void writeNoteAtCursor(int64_t note, bool alsoWrite);
    void writeHexAtCursor(int64_t value);
    void clearAtCursor();
    void stepRow(int64_t delta);
    void stepOrder(int64_t delta);
    void stepPattern(int64_t delta);
    void stepLength(int64_t delta);
    void stepRestart(int64_t delta);
    void stepSample(int64_t delta);
    void stepLoopStart(int64_t delta);
    void stepLoopLength(int64_t delta);
    void stepSampleVolume(int64_t delta);
    void transpose(bool trackOnly, int64_t semitones);
    void patternWellClick(int64_t row, std::optional<int64_t> channel,
                          std::optional<int64_t> field);
    void clearCurrentPattern();

    // Confirmations, the middle well and the sample editor.
    void requestConfirm(VexaConfirmAction action); // the screen's clear buttons
    void answerConfirm(bool yes);
    void dismissConfirm() { confirm.set(std::nullopt); } // the screen closing it alone
    void performConfirm();
    void cycleMidWell();
    void toggleDiskOp();
    void toggleTranspose();
    void toggleSmpEd();
    void smpEdClearSample();
    void smpEdTrimOp(int64_t op);
    void smpEdSetLoopMark(int64_t which, uint32_t offset);
    void performSmpEdAction(VexaSmpEdAction action);

    // Reports to the user; callable from any thread (they post to the main queue).
    void setError(std::string message);
    void postNotice(std::string title, std::string message);

    // Copies every shadow field to its published property (main thread).
    void publishStatus();

    // The few properties the screen itself sets.
    void setFilterOn(bool on) { filterOn.set(on); }
    void setSmpEdMarkNext(int64_t marker) { smpEdMarkNext.set(marker); }
    void dismissNotice() { notice.set(std::nullopt); }

    // Floats the render scratch buffer holds (two per frame); 0 before audio starts.
    int64_t renderScratchCapacity() const { return renderScratchCapacity_; }

private:
    explicit PlayerEngine(PlatformServices services);

    void attachSourceNode();
    void ensureRenderScratch(int64_t frames);
    int render(uint32_t frames, AudioOutputBuffer *buffers, uint32_t bufferCount);
    void tearDownAudio();
    void noticeLostOutput();
    void refreshStatusUnlocked();
    void refreshIdleUnlocked();
    void refreshScopesUnlocked(const vxa_status &status);
    bool sampleSaveAllowed(const char *noticeTitle);
    // Runs `work` on the engine under the lock (when a module is loaded), refreshes,
    // posts the publishing, and starts the display timer unless told not to.
    void runEngineCommand(const std::function<void(vxa_mod *)> &work, bool startTimer = true);
    // Changes the cell under the cursor; false when there is no module or no cell.
    bool editCellUnlocked(const std::function<vxa_cell(vxa_cell)> &change, bool advanceRow);
    bool handleCharacterKey(const std::optional<std::string> &characters, bool shift, bool command);
    void leaveEditing();
    void setEditPhrase();
    void toggleOverlay(VexaMidWellOverlay overlay);

    // Runs `block` on the main thread later, if the controller still exists then.
    void onMain(std::function<void(PlayerEngine &)> block);

    PlatformServices services_;
    std::mutex lock_;
    vxa_mod *mod_ = nullptr;
    std::unique_ptr<RepeatingTimer> displayTimer_;
    std::unique_ptr<float[]> renderScratch_;
    int64_t renderScratchCapacity_ = 0;
    int64_t currentSampleSlot_ = 1;
    std::optional<std::filesystem::path> moduleURL_;
    std::optional<VexaConfirmAction> pendingConfirmAction_;

    // Shadow copies of the refreshed properties, written under the lock on the main
    // thread and published from there. They start with the idle values (see the
    // constructor).
    std::string statusLineCached_;
    std::string orderLineCached_;
    std::string patternRowLineCached_;
    std::string tempoLineCached_;
    std::string timerLineCached_;
    std::array<int64_t, kChannelCount> chanMuzakCached_{};
    std::vector<PatternRowDisplay> patternRowsCached_;
    int64_t currentPatternCached_ = 0;
    int64_t currentRowCached_ = 0;
    int64_t orderPosCached_ = 0;
    int64_t orderLenCached_ = 0;
    int64_t restartPosCached_ = 0;
    bool playModeSongCached_ = true;
    bool isRecordingCached_ = false;
    std::array<bool, kChannelCount> chanMuteCached_{};
    int64_t sampleVolumeCached_ = 64;
    int64_t sampleLengthCached_ = 0;
    int64_t sampleLoopStartCached_ = 0;
    int64_t sampleLoopLengthCached_ = 2;
    std::string sampleNameCached_;
    std::string statusPhraseCached_ = kAllRightPhrase;
    ScopeBuffers scopeBuffersCached_ = flatScopes();
    SpectrumBins spectrumBinsCached_{};
    SampleWave sampleWaveCached_ = flatWave();
};

} // namespace vexa
