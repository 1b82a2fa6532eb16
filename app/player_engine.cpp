// Construction and destruction of the controller, its reports to the user, and the
// main-thread posting every command ends with.
#include "player_engine.h"

namespace vexa {

ScopeBuffers flatScopes()
{
    ScopeBuffers scopes;
    for (ScopeBuffer &scope : scopes)
        scope.fill(kZeroLine);
    return scopes;
}

SampleWave flatWave()
{
    SampleWave wave;
    wave.fill(kZeroLine);
    return wave;
}

std::shared_ptr<PlayerEngine> PlayerEngine::create(PlatformServices services)
{
    return std::shared_ptr<PlayerEngine>(new PlayerEngine(std::move(services)));
}

PlayerEngine::PlayerEngine(PlatformServices services) : services_(std::move(services))
{
    // The shadows start as the published properties do, except that there are no
    // pattern rows until the first refresh.
    refreshIdleUnlocked();
    patternRowsCached_.clear();
}

// The audio device stops and lets go of the render callback before the scratch buffer
// and the engine context go, so no callback can touch either afterwards.
PlayerEngine::~PlayerEngine()
{
    if (displayTimer_)
        displayTimer_->invalidate();
    tearDownAudio();
    renderScratch_.reset();
    renderScratchCapacity_ = 0;
    std::lock_guard guard(lock_);
    vxa_mod_destroy(mod_);
    mod_ = nullptr;
}

void PlayerEngine::onMain(std::function<void(PlayerEngine &)> block)
{
    services_.mainQueue->post([weak = weak_from_this(), block = std::move(block)] {
        if (auto self = weak.lock())
            block(*self);
    });
}

void PlayerEngine::setError(std::string message)
{
    onMain([message = std::move(message)](PlayerEngine &self) { self.errorMessage.set(message); });
}

void PlayerEngine::postNotice(std::string title, std::string message)
{
    onMain([notice = VexaNotice::make(std::move(title), std::move(message))](PlayerEngine &self) {
        self.notice.set(notice);
    });
}

} // namespace vexa
