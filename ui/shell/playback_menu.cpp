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
    // The transport on the keys the help page names. The screen passes these keys on, so
    // they reach the menu; like the screen's buttons, play starts at row 0 of the current
    // song position.
    QAction *play = addAction(QStringLiteral("Play Song"), this,
                              [this] { player_->playMode(VXA_PLAY_SONG, false); });
    play->setShortcuts({QKeySequence(Qt::Key_F5), QKeySequence(Qt::Key_P)});
    addAction(QStringLiteral("Play Pattern"), this,
              [this] { player_->playMode(VXA_PLAY_PATTERN, false); });
    QAction *stop = addAction(QStringLiteral("Stop"), this, [this] { player_->stop(); });
    stop->setShortcut(QKeySequence(Qt::Key_F8));
    addSeparator();
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
