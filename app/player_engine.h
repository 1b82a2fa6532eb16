// The controller between the module engine and the screen. It owns the engine
// context and the one lock that guards it, feeds the audio device from its render
// callback, runs the 1/30 s display timer, and publishes everything the screen shows.
//
// Threads and the lock (the rules every function here keeps):
//
// - The audio thread (the device's own) runs only the render callback, render(), marked
//   "Audio thread". It takes lock_ around each vxa_mod_render call (one per piece the
//   scratch holds) and copies to the device's buffers after releasing it. It calls
//   nothing else of the controller. It does not log, touch a file or a published
//   property, wait on anything but lock_, or allocate: the device's prepare call sizes
//   the scratch on the main thread before any render that needs the room.
// - The main thread runs everything else: every command, the display tick, the blocks
//   posted to the main queue, and every assignment to a published property.
//   setError() and postNotice() may be called from any thread: they only post.
// - lock_ guards mod_ and everything inside the engine context, and nothing else. A
//   command holds it only for engine calls in memory and refreshStatusUnlocked() (see
//   command()); never while publishing, posting, calling the audio device, the timers
//   or the disk, and never while taking it again: a command does not call another
//   command under the lock (a debug build aborts, see engine_lock.h). Files are read
//   into, and written from, memory outside it (file_commands.cpp). Only the main
//   thread assigns mod_ (once, ensureEngineContext()), so it may read mod_ unlocked.
// - Lock order: the device's mutex, then lock_. The device's thread holds its mutex
//   (on that thread only ever tried, never waited for) while the callback takes lock_;
//   so no code holding lock_ calls into the device or takes any other lock.
// - The shadow fields (the ...Cached_ members) belong to the main thread: written
//   under lock_ by the refresh, read by publishStatus() without it.
#pragma once

#include "app_tables.h"
#include "command_options.h"
#include "engine_lock.h"
#include "pattern_row_display.h"
#include "pending_edit.h"
#include "platform/platform_services.h"
#include "published.h"
#include "screen_modes.h"
#include "status_lines.h"
#include "vexa_notice.h"
#include "vxa_mod.h"
#include "vxa_mod_extras.h"
#include "wav_export.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vexa {

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
    Published<int64_t> sampleVolume{changes, kIdleSampleVolume};
    Published<int64_t> sampleLength{changes, 0};
    Published<int64_t> sampleLoopStart{changes, 0};
    Published<int64_t> sampleLoopLength{changes, kIdleLoopLength};
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
    Published<vxa_loop_marker> smpEdMarkNext{changes, VXA_LOOP_MARKER_A};
    // The Edit menu's two items: whether there is an edit to take back or to do again, and
    // their texts ("Undo Note Entry"; "Undo" alone when there is none). Assigned when they
    // change.
    Published<bool> canUndo{changes, false};
    Published<bool> canRedo{changes, false};
    Published<std::string> undoLabel{changes, undoItemText(std::nullopt)};
    Published<std::string> redoLabel{changes, redoItemText(std::nullopt)};
    // Where the module came from or was last saved to; none for the demo module from the
    // program's resources. Versioned saves go beside it; every load or save of a file
    // assigns it, so the window keeps its recent modules from it.
    Published<std::optional<std::filesystem::path>> moduleURL{changes, std::nullopt};
    // How the replayer reads the effect commands, in the song playing and in WAV exports.
    Published<vxa_replay_mode> replayMode{changes, VXA_REPLAY_REDUCED};

    // Audio output and the display timer.
    void ensureEngineRunning(); // throws AudioError
    void startDisplayTimer();
    void tickDisplay();
    void playMode(vxa_play_mode mode, bool record);
    void stop();
    // The replay mode from the next tick on; module loads keep it.
    void setReplayMode(vxa_replay_mode mode);

    // Files: modules, samples, versioned saves and the demo module.
    // True when the file's module replaced the one being edited.
    bool load(const std::filesystem::path &file);
    // A file from outside the dialogs (dropped on the window): a module by its name is
    // loaded as load() does, a sample by its name goes into the current slot as
    // loadSample() does; any other file changes nothing and a notice says what opens.
    void open(const std::filesystem::path &file);
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
    // Renders the song once, from its start, to a WAV file at `file` in the replay mode
    // set, on a thread of its own from a copy of the module as it is now; the caller keeps
    // the export while it runs (letting it go cancels it). None without a module. A notice
    // tells how it ended ("Saved:" and the path, or why not), unless it was cancelled.
    std::unique_ptr<WavExport> exportWav(const std::filesystem::path &file);

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
    void smpEdTrimOp(vxa_trim_op op);
    void smpEdSetLoopMark(vxa_loop_marker which, uint32_t offset);
    void performSmpEdAction(VexaSmpEdAction action);

    // The edit history: takes back the latest edit to the module's content, or does again
    // the edit last taken back. Works while playing, like every command.
    void undo();
    void redo();

    // Reports to the user; callable from any thread (they post to the main queue).
    void setError(std::string message);
    void postNotice(std::string title, std::string message);

    // Copies every shadow field to its published property (main thread).
    void publishStatus();

    // The few properties the screen itself sets.
    void setFilterOn(bool on) { filterOn.set(on); }
    void setSmpEdMarkNext(vxa_loop_marker marker) { smpEdMarkNext.set(marker); }
    void dismissNotice() { notice.set(std::nullopt); }

    // Floats the render scratch buffer holds (two per frame); 0 before audio starts.
    int64_t renderScratchCapacity() const { return renderScratchCapacity_; }

private:
    explicit PlayerEngine(PlatformServices services);

    void attachSourceNode();
    // Main thread: makes room for renders of `frames` (the device's block, told by its
    // prepare call before any render that could ask for that many).
    void ensureRenderScratch(int64_t frames);
    // Audio thread: the render callback.
    int render(uint32_t frames, AudioOutputBuffer *buffers, uint32_t bufferCount);
    void tearDownAudio();
    // Starts audio output if it does not run; the error's description when it fails.
    std::optional<std::string> startAudio();
    // Reports a lost output and stops the song (the display tick asks every frame).
    void noticeLostOutput();
    void refreshStatusUnlocked();
    void refreshIdleUnlocked();
    void refreshScopesUnlocked(const vxa_status &status);
    bool sampleSaveAllowed(const char *noticeTitle);
    // Creates the engine context on the first load; false when memory runs out.
    bool ensureEngineContext();
    // The saves' common steps: the file's bytes copied under the lock (the module's title
    // stamped first when a version and fallback are given), written after releasing it.
    // False when an exclusive write found the name taken; VexaIOError on any other
    // failure.
    bool writeModule(const std::filesystem::path &file, std::optional<int> version,
                     const std::optional<std::string> &fallback, vxa_write_mode mode);
    bool writeSample(const std::filesystem::path &file, vxa_write_mode mode);
    // Runs one command: under the lock `work` on the loaded module and the refresh, then
    // the closing steps `options` asks for. False when the command ended early (no
    // module where one is needed, `work` or `afterUnlock` said stop).
    bool command(const EngineWork &work, const CommandOptions &options = {});
    bool handleCharacterKey(const std::optional<std::string> &characters, bool shift, bool command);
    void leaveEditing();
    void setEditPhrase();
    void toggleOverlay(VexaMidWellOverlay overlay);
    // Moves through the history one step, by `travel`.
    void travelHistory(UndoStep *(UndoHistory::*travel)(vxa_mod *));
    // Forgets every edit, for a module that was replaced.
    void forgetEdits();
    // Assigns the Edit menu's properties that differ from the history.
    void publishHistory();

    // Runs `block` on the main thread later, if the controller still exists then.
    void onMain(std::function<void(PlayerEngine &)> block);

    PlatformServices services_;
    EngineLock lock_;
    vxa_mod *mod_ = nullptr;
    std::unique_ptr<RepeatingTimer> displayTimer_;
    std::unique_ptr<float[]> renderScratch_;
    int64_t renderScratchCapacity_ = 0;
    int64_t currentSampleSlot_ = 1;
    std::optional<VexaConfirmAction> pendingConfirmAction_;
    // The edits to the module's content; main thread, see undo_history.h.
    UndoHistory history_{{kUndoMaxSteps, kUndoMaxStoredBytes}};
    // The edit the running command makes; commands note it in their work.
    PendingEdit pendingEdit_;

    // Shadow copies of the refreshed properties. They start with the idle values (see
    // the constructor).
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
    int64_t sampleVolumeCached_ = kIdleSampleVolume;
    int64_t sampleLengthCached_ = 0;
    int64_t sampleLoopStartCached_ = 0;
    int64_t sampleLoopLengthCached_ = kIdleLoopLength;
    std::string sampleNameCached_;
    std::string statusPhraseCached_ = kAllRightPhrase;
    // Published as isPlaying only by the commands that own it (play, stop, the tick).
    bool isPlayingCached_ = false;
    ScopeBuffers scopeBuffersCached_ = flatScopes();
    SpectrumBins spectrumBinsCached_{};
    SampleWave sampleWaveCached_ = flatWave();
};

} // namespace vexa
