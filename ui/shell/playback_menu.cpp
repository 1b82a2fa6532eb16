#include "playback_menu.h"

#include "player_engine.h"
#include "shell_tables.h"

#include <QSettings>

namespace {

QString settingsKey()
{
    return QString::fromLatin1(VexaShell::fullEffectSetKey);
}

} // namespace

PlaybackMenu::PlaybackMenu(std::shared_ptr<vexa::PlayerEngine> player, QWidget *parent)
    : QMenu(QStringLiteral("&Playback"), parent), player_(std::move(player))
{
    fullEffects_ = addAction(QStringLiteral("Full Effect Set"));
    fullEffects_->setCheckable(true);
    observer_ = player_->replayMode.observe(
        [this](const vxa_replay_mode &mode) { fullEffects_->setChecked(mode == VXA_REPLAY_FULL); });
    // Chosen by the user only; the check mark follows the controller.
    connect(fullEffects_, &QAction::triggered, this, [this](bool full) {
        QSettings().setValue(settingsKey(), full);
        player_->setReplayMode(full ? VXA_REPLAY_FULL : VXA_REPLAY_REDUCED);
    });
    const bool full = QSettings().value(settingsKey(), false).toBool();
    player_->setReplayMode(full ? VXA_REPLAY_FULL : VXA_REPLAY_REDUCED);
}

PlaybackMenu::~PlaybackMenu()
{
    player_->replayMode.forget(observer_);
}
