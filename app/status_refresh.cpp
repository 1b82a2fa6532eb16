// Recomputing the displayed state from the engine into the shadow fields (under the
// lock), and publishing the shadow fields to the views (on the main thread).
#include "player_engine.h"

namespace vexa {

namespace {

std::string nameText(const vxa_sample_info &info)
{
    size_t length = 0;
    while (length < sizeof info.name && info.name[length] != '\0')
        ++length;
    return std::string(info.name, length);
}

} // namespace

void PlayerEngine::refreshIdleUnlocked()
{
    statusLineCached_ = kIdleStatusLine;
    orderLineCached_ = kNoValueLine;
    patternRowLineCached_ = kNoValueLine;
    tempoLineCached_ = kNoValueLine;
    timerLineCached_ = kZeroTimerLine;
    chanMuzakCached_ = {};
    patternRowsCached_ = PatternRowDisplay::blankWell(0);
    currentPatternCached_ = 0;
    currentRowCached_ = 0;
    orderPosCached_ = 0;
    orderLenCached_ = 0;
    restartPosCached_ = 0;
    playModeSongCached_ = true;
    isRecordingCached_ = false;
    chanMuteCached_ = {};
    sampleVolumeCached_ = kIdleSampleVolume;
    sampleLengthCached_ = 0;
    sampleLoopStartCached_ = 0;
    sampleLoopLengthCached_ = kIdleLoopLength;
    sampleNameCached_.clear();
    statusPhraseCached_ = kAllRightPhrase; // even in edit mode: there is nothing to edit
    isPlayingCached_ = false;
    scopeBuffersCached_ = flatScopes();
    spectrumBinsCached_ = {};
    sampleWaveCached_ = flatWave();
}

void PlayerEngine::refreshScopesUnlocked(const vxa_status &status)
{
    for (int c = 0; c < kChannelCount; ++c) {
        ScopeBuffer &scope = scopeBuffersCached_[c];
        if (status.muted[c])
            scope.fill(kZeroLine);
        else
            vxa_mod_get_scope(mod_, c, scope.data(), kScopeBytes);
    }
}

void PlayerEngine::refreshStatusUnlocked()
{
    if (!mod_) {
        refreshIdleUnlocked();
        return;
    }
    vxa_status status{};
    vxa_mod_get_status(mod_, &status);
    vxa_sample_info info{};
    vxa_mod_get_sample_info(mod_, static_cast<int32_t>(currentSampleSlot_), &info);
    const int64_t restart = vxa_mod_restart(mod_);

    isPlayingCached_ = status.playing != 0;
    statusLineCached_ = statusLineText(status);
    statusPhraseCached_ = statusPhraseText(status, editMode.get());
    orderLineCached_ = orderLineText(status);
    patternRowLineCached_ = patternRowLineText(status);
    tempoLineCached_ = tempoLineText(status);
    timerLineCached_ = timerLineText(status);
    currentPatternCached_ = status.pattern;
    currentRowCached_ = status.row;
    orderPosCached_ = status.order_pos;
    orderLenCached_ = status.song_length;
    restartPosCached_ = restart;
    playModeSongCached_ = status.play_mode == VXA_PLAY_SONG;
    isRecordingCached_ = status.recording != 0;
    for (int c = 0; c < kChannelCount; ++c) {
        chanMuteCached_[c] = status.muted[c] != 0;
        chanMuzakCached_[c] = status.muted[c] ? 0 : status.vu[c];
    }
    sampleVolumeCached_ = info.volume;
    sampleLengthCached_ = info.length;
    sampleLoopStartCached_ = info.loop_start;
    sampleLoopLengthCached_ = info.loop_length;
    sampleNameCached_ = nameText(info);
    patternRowsCached_ = buildPatternRows(mod_, status.pattern, status.row);
    refreshScopesUnlocked(status);
    spectrumBinsCached_ = {};
    vxa_mod_get_spectrum(mod_, spectrumBinsCached_.data());
    sampleWaveCached_ = flatWave();
    vxa_mod_get_sample_wave(mod_, static_cast<int32_t>(currentSampleSlot_),
                            sampleWaveCached_.data(), kSampleWaveBytes);
}

void PlayerEngine::publishStatus()
{
    statusLine.set(statusLineCached_);
    orderLine.set(orderLineCached_);
    patternRowLine.set(patternRowLineCached_);
    tempoLine.set(tempoLineCached_);
    timerLine.set(timerLineCached_);
    chanMuzak.set(chanMuzakCached_);
    patternRows.set(patternRowsCached_);
    currentPattern.set(currentPatternCached_);
    currentRow.set(currentRowCached_);
    orderPos.set(orderPosCached_);
    orderLen.set(orderLenCached_);
    restartPos.set(restartPosCached_);
    playModeSong.set(playModeSongCached_);
    isRecording.set(isRecordingCached_);
    chanMute.set(chanMuteCached_);
    currentSample.set(currentSampleSlot_);
    sampleVolume.set(sampleVolumeCached_);
    sampleLength.set(sampleLengthCached_);
    sampleLoopStart.set(sampleLoopStartCached_);
    sampleLoopLength.set(sampleLoopLengthCached_);
    sampleName.set(sampleNameCached_);
    statusPhrase.set(statusPhraseCached_);
    scopeBuffers.set(scopeBuffersCached_);
    spectrumBins.set(spectrumBinsCached_);
    sampleWave.set(sampleWaveCached_);
}

} // namespace vexa
